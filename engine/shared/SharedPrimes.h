// Prime implicants of a function of several outputs: cubes with the outputs they may feed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/Cube.h"
#include "model/FunctionSet.h"

class TCoverClock;

// A set of outputs, bit i of word i / 64 for output i, in blocks of Words words.
struct TSharedPrimes {
    size_t Words = 1;
    std::vector<TCube> Cubes;
    std::vector<uint64_t> Outputs;  // Words per cube
    bool Complete = true;           // false when the walk was stopped before its end

    size_t size() const { return Cubes.size(); }
    const uint64_t* OutputsOf(size_t p) const { return Outputs.data() + p * Words; }
    bool Feeds(size_t p, size_t output) const {
        return (OutputsOf(p)[output / 64] >> (output % 64)) & 1u;
    }
};

// The outputs whose ON set, or with withDc ON | DC, holds each minterm: OutputWords words a
// minterm, minterm by minterm.
std::vector<uint64_t> OutputsByMinterm(const TFunctionSet& set, bool withDc);

// Every cube whose outputs (those whose ON | DC hold it) cannot grow, whose cube cannot grow
// without losing one of them, and that holds an ON minterm of one of them. Cubes come in no
// particular order. The walk ends early, Complete false, when the clock (if given) stops or when
// more than maxPrimes were found.
TSharedPrimes FindSharedPrimes(const TFunctionSet& set, TCoverClock* clock = nullptr,
                               size_t maxPrimes = SIZE_MAX);

// Called with each shared prime and its outputs (OutputWords words) as the walk finds it.
using TSharedPrimeVisit = std::function<void(TCube, const uint64_t*)>;

// The same primes as FindSharedPrimes, handed over one at a time and never kept: a list of
// millions costs no memory.
void VisitSharedPrimes(const TFunctionSet& set, const TSharedPrimeVisit& visit);
