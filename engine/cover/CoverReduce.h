// Minimum cover of a covering matrix: reductions, independent blocks, each block solved.
#pragma once

#include <vector>

#include "engine/cover/CoverSearch.h"

struct TMatrixCover {
    std::vector<int> Chosen;  // columns of the matrix, ascending
    int LowerBound = 0;       // no cover of the coverable rows has fewer columns
    bool Proven = false;      // Chosen.size() == LowerBound
    bool Stopped = false;     // ended by KeepGoing or the budget
};

// Rows must be covered; a column's cost (its literals) counts second: fewest columns first, then
// least cost. Each column lists distinct rows, and the row lists are filled (Transpose). Anytime
// under the clock: a cover of every row some column covers always comes back; rows no column
// covers are left out. Essential columns and dominated rows and columns go first, within a
// quarter of the budget; the independent blocks left then share the rest, smallest first.
// progress, if given, counts the blocks solved.
TMatrixCover SolveCoverMatrix(const TCoverBlock& matrix, TCoverClock& clock,
                              TProgressSink* progress);
