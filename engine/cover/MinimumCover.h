// Minimum cover of an ON set by prime implicants: fewest terms, then few literals (the least up
// to 8 variables unless the cyclic core is too hard for a short search; else a search's best);
// anytime.
#pragma once

#include <vector>

#include "engine/PrimeSearch.h"
#include "engine/cover/CoverOptions.h"
#include "model/Cube.h"

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
