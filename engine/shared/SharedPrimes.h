// Prime implicants of a function of several outputs: cubes with the outputs they may feed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/Cube.h"
#include "model/FunctionSet.h"

class TCoverClock;

// A set of outputs, bit i of word i / 64 for output i, in blocks of Words words.
struct TSharedPrimes {
    int Words = 1;
    std::vector<TCube> Cubes;
    std::vector<uint64_t> Outputs;  // Words per cube
    bool Complete = true;           // false when the walk was stopped before its end

    size_t size() const { return Cubes.size(); }
    const uint64_t* OutputsOf(size_t p) const { return Outputs.data() + p * Words; }
    bool Feeds(size_t p, int output) const {
        return (OutputsOf(p)[output >> 6] >> (output & 63)) & 1u;
    }
};

// Words an output set of the function takes.
inline int OutputWords(int outputs) {
    return outputs > 64 ? (outputs + 63) / 64 : 1;
}

// Every cube whose outputs (those whose ON | DC hold it) cannot grow, whose cube cannot grow
// without losing one of them, and that holds an ON minterm of one of them. Cubes come in no
// particular order. The walk ends early, Complete false, when the clock (if given) stops or when
// more than maxPrimes were found.
TSharedPrimes FindSharedPrimes(const TFunctionSet& set, TCoverClock* clock = nullptr,
                               size_t maxPrimes = SIZE_MAX);
