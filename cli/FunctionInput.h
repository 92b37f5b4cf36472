// What `quillon simplify` reads: a PLA file or a term list, as one function with don't cares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Cube.h"

struct TFunctionInput {
    int Inputs = 0;                       // variables the file names (1..16)
    int VarCount = 3;                     // variables the engine works over: Inputs, at least 3
    TMintermBits On;                      // over VarCount variables
    TMintermBits Dc;                      // don't cares, none of them ON
    std::vector<std::string> InputNames;  // from the PLA's .ilb; empty otherwise
    std::string OutputName = "F";
};

// Reads text as a term list when its first line is a number (the variable count 3..16, then
// a term a line, "-term" for a don't care), otherwise as a PLA; outputName picks a PLA's output
// (its name or number; empty for the first). False with one line saying what is wrong.
// Sets the program-wide variable count.
bool ReadFunctionInput(std::string_view text, const std::string& outputName, TFunctionInput& input,
                       std::string& error);
