// Fewest cubes of a pool of implicants that still cover the ON set: a covering problem over ON
// points, grown by the points each trial cover misses until one misses none.
#pragma once

#include <set>
#include <vector>

#include "engine/wide/WideMinimize.h"

class TCoverClock;

// The distinct cubes of the covers passes have found.
class TWidePool {
  public:
    // True when some cube was new.
    bool Gather(const TWideCubes& cubes);
    TWideCubes Cubes;

  private:
    std::set<std::vector<uint64_t>> FSeen;
};

// Chooses fewer than limit cubes of pool (each an implicant at its outputs) covering function.On
// within dc (input parts of the don't cares, per output). False when the pool holds no such
// cover or the clock stopped first.
// With a proof asked for, each round may take the clock's whole budget. When the pool holds
// every prime, a round's bound holds for the whole function (its points are some of the
// function's), and a last round proven minimum proves the cover minimum.
struct TPoolProof {
    bool Proven = false;
    size_t Bound = 0;
};
bool SelectFromPool(const TWideCubes& pool, const TWideFunction& function,
                    const std::vector<TWideCubes>& dc, size_t limit, TCoverClock& clock,
                    TWideCubes& chosen, TPoolProof* proof = nullptr);
