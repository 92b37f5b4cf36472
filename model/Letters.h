// Variables and their letters: the limits of the count, the table sizes and letter case.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int MaxVars = 16;
constexpr int TermCapacity = 16;  // terms are held as 16-character strings
constexpr uint32_t TruthTableSize = 65536;

// One byte per minterm: a flag, or a coverage count that wraps at 256.
using TTruthTable = std::array<uint8_t, TruthTableSize>;
// One flag per minterm, 1 where the function's value does not matter.
using TDontCareTable = std::array<uint8_t, TruthTableSize>;

// Where a command leaves a function of n variables for the windows: the truth table (ON flags,
// or coverage counts once ranked) and the don't-care flags.
struct TFunctionTables {
    int VarCount;
    TTruthTable& Table;
    TDontCareTable& DontCare;
};

// The highest minterm of n variables.
inline uint32_t HighMintermOf(int n) {
    return (1u << n) - 1;
}

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

// True when the upper-case form of c is one of the first n letters.
inline bool IsAllowedLetter(char c, int n) {
    const char up = UpCase(c);
    return up >= 'A' && up < 'A' + n;
}

// True when any of minterms 0 .. 2^n - 1 is a don't care.
bool AnyDontCare(const TDontCareTable& dontCare, int n);
