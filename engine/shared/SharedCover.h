// Shared cover and shared primes of a function of several outputs: the public header. The cover
// has the fewest distinct product terms, then fewest literals (input letters and output
// connections); anytime.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/cover/CoverOptions.h"
#include "engine/shared/SharedPrimes.h"
#include "model/Cube.h"
#include "model/DesignUnit.h"
#include "model/FunctionSet.h"

struct TSharedCover {
    size_t Words = 1;             // words per output set, as OutputWords gives
    std::vector<TCube> Terms;     // distinct cubes, in no particular order
    std::vector<uint64_t> Feeds;  // Words per term: the outputs it feeds, only those it must
    int LowerBound = 0;           // no cover has fewer terms
    int Literals = 0;             // letters of the terms plus their output connections
    bool Proven = false;          // Terms.size() == LowerBound
    bool Stopped = false;         // ended by KeepGoing or the budget

    bool FeedsOutput(size_t term, size_t output) const {
        return (Feeds[term * Words + output / 64] >> (output % 64)) & 1u;
    }
};

// Past these sizes the primes or the covering matrix (about 16 bytes an entry while it is
// reduced) would not fit in memory comfortably: terms are then grown one at a time from
// uncovered minterms instead, and the bound is a weak one.
struct TSharedLimits {
    size_t MaxPrimes = 8'000'000;
    size_t MaxEntries = 20'000'000;  // ON (minterm, output) pairs of all primes together
};

// Every ON minterm of output i lies in a term feeding i; no term feeding i reaches a minterm
// outside i's ON | DC. A function of one output over 3 or more inputs gets FindMinimumCover's
// cover of it. The budget, KeepGoing and the progress sink work as for FindMinimumCover.
TSharedCover FindSharedCover(const TFunctionSet& set, const TCoverOptions& options = {},
                             const TSharedLimits& limits = {});

// As a design unit for the writers: terms in code order, each output using the terms that feed it,
// with the set's names and its don't cares (the PLA writes them). An empty name is the default unit
// name.
TDesignUnit SharedCoverUnit(const TFunctionSet& set, const TSharedCover& cover, std::string name);
// Every prime feeding every output it may: a cover too, as each ON minterm lies in one.
TDesignUnit SharedPrimesUnit(const TFunctionSet& set, const TSharedPrimes& primes,
                             std::string name);
