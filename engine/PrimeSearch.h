// Bit-parallel core of the implicant search: prime implicants and the search's candidate count.
#pragma once

#include <cstdint>
#include <vector>

#include "model/Cube.h"

struct TPrimeImplicants {
    std::vector<TCube> Primes;   // unordered; isolated minterms included
    int64_t ImplicantCount = 0;  // implicants with at least one free variable
};

// Every prime implicant of the ON set over n variables (3..16).
TPrimeImplicants FindPrimeImplicants(int n, const TMintermBits& on);

// The prime implicants of care that hold at least one minterm of meet; ImplicantCount counts
// only the implicants that do. Cubes lying wholly outside meet are never walked.
TPrimeImplicants FindPrimeImplicantsMeeting(int n, const TMintermBits& care,
                                            const TMintermBits& meet);

// The primes of on | dc that cover at least one minterm of on outside dc.
TPrimeImplicants CoveringPrimes(int n, const TMintermBits& on, const TMintermBits& dc);

struct TSearchCost {
    int64_t Counter = 0;       // candidate terms the search examines
    int64_t LoneMinterms = 0;  // minterms from which the search finds no new implicant
};

// What the search from every ON minterm, highest first, counts. From minterm m a candidate one
// letter shorter is already known exactly when its other minterm is ON and higher; k >= 2
// candidates found new from m open 2^k - 1 combinations. A don't-care minterm is never a start,
// but a candidate through it is an implicant.
TSearchCost CountSearch(int n, const TMintermBits& on, const TMintermBits* dontCare = nullptr);
