// Minimum cover of an ON set by prime implicants: fewest terms, then few literals (the literal
// count is a search's best, not always the least; Explain's chart reduction finds the least);
// anytime.
#pragma once

#include <vector>

#include "engine/PrimeSearch.h"
#include "engine/cover/CoverOptions.h"
#include "model/Cube.h"

struct TMinimumCover {
    std::vector<int> Chosen;  // indices into the primes given, ascending
    int LowerBound = 0;       // no cover has fewer terms
    int Literals = 0;         // letters in the chosen terms together; not proven least
    bool Proven = false;      // Chosen.size() == LowerBound: no cover has fewer terms
    bool Stopped = false;     // ended by KeepGoing or the budget
};

// Chooses a cover of every minterm of on from primes (cubes over n variables, each an implicant
// of on | dc). Minterms of dc need no cover. Primes that cover no ON minterm are never chosen.
TMinimumCover FindMinimumCover(int n, const TMintermBits& on, const TMintermBits& dc,
                               const std::vector<TCube>& primes, const TCoverOptions& options = {});
