// Minimum cover of an ON set by prime implicants: fewest terms, then fewest literals; anytime.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/PrimeSearch.h"
#include "model/State.h"

struct TCoverOptions {
    int64_t BudgetMs = 10000;  // the search returns its best cover when this runs out
    // Called now and then (at least every 50 ms of search); false ends the search early, keeping
    // the best cover found. A window may process its events in here.
    std::function<bool()> KeepGoing;
    TProgressSink* Progress = nullptr;  // may be null
};

struct TMinimumCover {
    std::vector<int> Chosen;  // indices into the primes given, ascending
    int LowerBound = 0;       // no cover has fewer terms
    int Literals = 0;         // letters in the chosen terms together
    bool Proven = false;      // Chosen.size() == LowerBound: no cover has fewer terms
    bool Stopped = false;     // ended by KeepGoing or the budget
};

// Chooses a cover of every minterm of on from primes (cubes over n variables, each an implicant
// of on | dc). Minterms of dc need no cover. Primes that cover no ON minterm are never chosen.
TMinimumCover FindMinimumCover(int n, const TMintermBits& on, const TMintermBits& dc,
                               const std::vector<TCube>& primes, const TCoverOptions& options = {});

// The primes of on | dc that cover at least one ON minterm, in no particular order.
std::vector<TCube> CoveringPrimes(int n, const TMintermBits& on, const TMintermBits& dc);
