// Functions of several outputs over the same inputs, as minterm sets: what a PLA file holds.
#pragma once

#include <string>
#include <vector>

#include "model/Cube.h"
#include "model/Pla.h"

struct TOutputFunction {
    std::string Name;
    TMintermBits On;  // over the set's inputs, the first input the most significant bit
    TMintermBits Dc;  // don't cares; none of them is ON
};

struct TFunctionSet {
    int Inputs = 0;
    std::vector<std::string> InputNames;  // empty when the inputs have no names of their own
    std::vector<TOutputFunction> Outputs;
};

// The outputs of a PLA given by number from 0 (every output when outputs is empty), in the
// order given, each read as PlaOutputFunction reads it. False with the error of the first
// output that fails.
bool PlaFunctionSet(const TPla& pla, const std::vector<int>& outputs, TFunctionSet& set,
                    TPlaError& error);

// Adds every minterm of the cube over n variables to the set, a word of 64 minterms at a time.
void AddCubeMinterms(TMintermBits& set, int n, const TTermMasks& cube);

// True when the set holds a minterm of the cube; tested a word at a time.
bool CubeMeets(const TMintermBits& set, int n, const TTermMasks& cube);

// The set over n variables as a set over n + extra: the new variables are the lowest bits and
// free, so each minterm m becomes the minterms m * 2^extra to m * 2^extra + 2^extra - 1.
TMintermBits WidenMinterms(const TMintermBits& set, int n, int extra);
