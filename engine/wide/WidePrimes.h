// Every prime implicant of a function of any width, for listing, within a time and memory guard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "engine/wide/WideMinimize.h"

struct TWidePrimes {
    TWideCubes Primes;      // each a cube with every output whose ON and don't cares hold it
    bool Complete = false;  // false: the guard stopped the walk and Primes is empty
};

// The cubes of On and Dc that cannot grow, neither in their inputs nor in their outputs, and
// that hold an ON minterm (one not a don't care) of one of their outputs, in no particular
// order. Stops, Complete false, past budgetMs, when keepGoing (if any) says false, or when the
// cubes kept take more than maxBytes. A window's keepGoing also keeps it answering.
TWidePrimes FindWidePrimes(const TWideFunction& function, int64_t budgetMs, size_t maxBytes,
                           const std::function<bool()>& keepGoing = {});

// Sorts cubes by their inputs as a PLA writes them, 1 before 0 before -, then by their outputs.
void SortWideCubes(TWideCubes& cubes);
