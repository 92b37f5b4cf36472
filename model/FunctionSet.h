// A function of several outputs over the same inputs, each output with its ON and don't-care set.
#pragma once

#include <string>
#include <vector>

#include "model/Cube.h"

struct TFunctionSet {
    int Inputs = 0;                        // 1..16; minterm bits follow the first input as MSB
    std::vector<std::string> InputNames;   // empty or one per input
    std::vector<std::string> OutputNames;  // one per output
    std::vector<TMintermBits> On;          // one per output, over Inputs variables
    std::vector<TMintermBits> Dc;          // one per output, none of them ON

    int Outputs() const { return static_cast<int>(On.size()); }
    // Appends an output with empty ON and don't-care sets.
    void AddOutput(const std::string& name) {
        OutputNames.push_back(name);
        On.push_back(MakeMintermBits(Inputs));
        Dc.push_back(MakeMintermBits(Inputs));
    }
};
