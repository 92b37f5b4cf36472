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
    // The cover the input gives itself, when it gives one (a PLA's rows of 1): each cube with
    // the outputs it feeds, OutputWords words a cube, bit i of word i / 64 for output i. A search
    // stopped early answers no worse than it.
    std::vector<TCube> Rows;
    std::vector<uint64_t> RowFeeds;
};

inline int OutputCount(const TFunctionSet& set) {
    return static_cast<int>(set.Outputs.size());
}

// Words a set of outputs takes as bits.
inline size_t OutputWords(size_t outputs) {
    return outputs > 64 ? (outputs + 63) / 64 : 1;
}

// Appends an output with empty ON and don't-care sets over the set's inputs.
inline void AddOutput(TFunctionSet& set, const std::string& name) {
    set.Outputs.push_back({name, MakeMintermBits(set.Inputs), MakeMintermBits(set.Inputs)});
}

// The outputs of a PLA given by number from 0 (every output when outputs is empty), in the
// order given, each read as PlaOutputFunction describes, with the PLA's rows of 1 as the set's
// own cover. False with the error of the first output that fails. Each distinct cube of the
// rows is added a word at a time to the outputs it names: the time goes with the rows, not with
// the outputs times the minterms.
bool PlaFunctionSet(const TPla& pla, const std::vector<int>& outputs, TFunctionSet& set,
                    TPlaError& error);

// The set over n variables as a set over n + extra: the new variables are the lowest bits and
// free, so each minterm m becomes the minterms m * 2^extra to m * 2^extra + 2^extra - 1.
TMintermBits WidenMinterms(const TMintermBits& set, int n, int extra);
