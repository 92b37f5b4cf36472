// The one instance of the program-wide state, its setter, and the operations that read it.
#include "model/State.h"

#include <algorithm>

#include "model/BinImage.h"
#include "model/Minterms.h"

TProgramState ProgramState;

void SetVarCount(int n) {
    n = std::clamp(n, 3, MaxVars);
    ProgramState.VarCount = n;
    ProgramState.HighMinterm = HighMintermOf(n);
    ProgramState.AllowedLetters.clear();
    for (int k = 0; k < n; ++k) {
        ProgramState.AllowedLetters += static_cast<char>('A' + k);
    }
}

TFunctionTables StateTables() {
    return {ProgramState.VarCount, ProgramState.TruthTable, ProgramState.DontCare};
}

bool IsAllowedLetter(char c) {
    return IsAllowedLetter(c, ProgramState.VarCount);
}

bool AnyDontCare(const TDontCareTable& dontCare) {
    return AnyDontCare(dontCare, ProgramState.VarCount);
}

int CheckTerm(std::string& term) {
    return CheckTerm(term, ProgramState.VarCount);
}

int SplitTerms(std::string& text, TStringListAdv& list, int& errorIndex) {
    return SplitTerms(text, list, errorIndex, ProgramState.VarCount);
}

void ToPositional(std::string& term) {
    ToPositional(term, ProgramState.VarCount);
}

TCube TermMasks(const std::string& term) {
    return TermMasks(term, ProgramState.VarCount);
}

void ClearTruthTable() {
    ProgramState.TruthTable.fill(0);
}

void AddTermToTable(const std::string& term) {
    AddTermToTable(term, ProgramState.VarCount, ProgramState.TruthTable);
}

bool TermIsImplicant(const std::string& term) {
    return TermIsImplicant(term, ProgramState.VarCount, ProgramState.TruthTable);
}

void ExpandTerm(const std::string& term, TStringListAdv& list) {
    ExpandTerm(term, ProgramState.VarCount, list);
}

std::vector<uint8_t> TruthTableToBin() {
    return TruthTableToBin(ProgramState.TruthTable, ProgramState.VarCount);
}

void InvertTruthTable(const TDontCareTable* dontCare) {
    InvertTruthTable(ProgramState.TruthTable, ProgramState.VarCount, dontCare);
}
