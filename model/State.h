// The program-wide state: the variable count with what follows from it, and the truth table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Receives the maximum and position values of a progress gauge; algorithms report, windows draw.
class TProgressSink {
  public:
    virtual ~TProgressSink() = default;
    virtual void setMax(int max) = 0;
    virtual void setPosition(int position) = 0;
};

constexpr int MaxVars = 16;
constexpr int TermCapacity = 16;  // terms are held as 16-character strings
constexpr uint32_t TruthTableSize = 65536;

// One flag per minterm, 1 where the function's value does not matter.
using TDontCareTable = std::array<uint8_t, TruthTableSize>;

struct TProgramState {
    int VarCount = 4;  // set to 6 by the calculator when it is first shown
    uint32_t HighMinterm = 15;
    std::string AllowedLetters = "ABCD";
    std::array<uint8_t, TruthTableSize> TruthTable{};
    // 1 for a minterm whose value does not matter; all 0 when the function has no don't care.
    TDontCareTable DontCare{};
};

extern TProgramState ProgramState;

// Sets n (3..16), the highest minterm 2^n - 1 and the allowed letters together.
void SetVarCount(int n);

// True when any of minterms 0 .. 2^n - 1 is a don't care.
bool AnyDontCare(const TDontCareTable& dontCare);

// True when the upper-case form of c is one of the first n letters.
bool IsAllowedLetter(char c);

// Letters A to Z only, whatever the locale says.
inline char UpCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline char LowCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = UpCase(c);
    }
    return text;
}
inline std::string LowerCase(std::string text) {
    for (char& c : text) {
        c = LowCase(c);
    }
    return text;
}
