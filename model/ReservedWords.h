// The words an exported name must not be, per language.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class TReservedLanguage {
    Verilog,   // Verilog and SystemVerilog keywords, and those a simulator adds
    Vhdl,      // VHDL-93 to 2019 reserved words and the names every export relies on
    C,         // C and C++ keywords, alternative tokens, and the standard headers' macros
    CLibrary,  // C library functions and types, main and std: not a name for a function
};

// Every word of the list, in the case the language writes it.
const std::vector<std::string_view>& ReservedWords(TReservedLanguage language);

// True when word is in the list; VHDL compares without regard to case.
bool IsReservedWord(TReservedLanguage language, const std::string& word);
