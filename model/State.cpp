// The one instance of the program-wide state and the setter that keeps it consistent.
#include "model/State.h"

#include <algorithm>

TProgramState ProgramState;

void SetVarCount(int n) {
    n = std::clamp(n, 3, MaxVars);
    ProgramState.VarCount = n;
    ProgramState.HighMinterm = (1u << n) - 1;
    ProgramState.AllowedLetters.clear();
    for (int k = 0; k < n; ++k) {
        ProgramState.AllowedLetters += static_cast<char>('A' + k);
    }
}

bool IsAllowedLetter(char c) {
    const char up = UpCase(c);
    return up >= 'A' && up < 'A' + ProgramState.VarCount;
}

bool AnyDontCare(const TDontCareTable& dontCare) {
    const auto end = dontCare.begin() + ProgramState.HighMinterm + 1;
    return std::any_of(dontCare.begin(), end, [](uint8_t flag) { return flag != 0; });
}
