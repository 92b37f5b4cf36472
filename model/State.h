// The program-wide state the windows share: the variable count with what follows from it, the
// truth table and the don't cares. Model and engine take these as arguments; the windows pass
// them in, through the variants below that read them here.
#pragma once

#include <cstdint>
#include <string>

#include "model/Letters.h"
#include "model/SensitiveStr.h"
#include "model/Terms.h"

struct TProgramState {
    int VarCount = 4;  // set to 6 by the calculator when it is first shown
    uint32_t HighMinterm = 15;
    std::string AllowedLetters = "ABCD";
    // The ON flags or the coverage counts, whichever the last command that wrote it left.
    TTruthTable TruthTable{};
    // 1 for a minterm whose value does not matter; all 0 when the function has no don't care.
    TDontCareTable DontCare{};
};

extern TProgramState ProgramState;

// Sets n (3..16), the highest minterm 2^n - 1 and the allowed letters together.
void SetVarCount(int n);

// The program-wide count and tables, for the commands that write them.
TFunctionTables StateTables();

// The term model's operations over the program-wide count and truth table.
bool IsAllowedLetter(char c);
bool AnyDontCare(const TDontCareTable& dontCare);
int CheckTerm(std::string& term);
void ToPositional(std::string& term);
int SplitTerms(std::string& text, TStringListAdv& list, int& errorIndex);
TCube TermMasks(const std::string& term);
void ClearTruthTable();
void AddTermToTable(const std::string& term);
bool TermIsImplicant(const std::string& term);
void ExpandTerm(const std::string& term, TStringListAdv& list);
std::vector<uint8_t> TruthTableToBin();
void InvertTruthTable(const TDontCareTable* dontCare = nullptr);
