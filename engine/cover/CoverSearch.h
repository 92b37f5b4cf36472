// The covering search behind SolveCoverMatrix: one independent block of a covering matrix.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/cover/CoverClock.h"
#include "engine/cover/CoverTuning.h"
#include "engine/cover/IntVector.h"

// Rows must be covered; a column covers the rows listed for it at its cost (a prime's literals;
// never negative, less is better).
struct TCoverBlock {
    int Rows = 0;
    int Cols = 0;
    TIntVector<int> ColStart, ColRows;  // Cols + 1 offsets; rows of each column
    TIntVector<int> RowStart, RowCols;  // Rows + 1 offsets; columns of each row
    TIntVector<int> Cost;

    // Fills the row lists from the column lists; ticks the clock when one is given.
    void Transpose(TCoverClock* clock = nullptr);
    int ColSize(int c) const { return ColStart[c + 1] - ColStart[c]; }
    int RowSize(int r) const { return RowStart[r + 1] - RowStart[r]; }
};

struct TBlockCover {
    std::vector<int> Chosen;  // columns of the block
    int LowerBound = 0;
    bool Proven = false;
};

// Best cover of the block the clock allows: greedy and irredundant always (a cover comes back even
// when the clock has stopped), then exact search or local improvement while time remains.
TBlockCover SolveBlock(const TCoverBlock& block, TCoverClock& clock);

// Add-one-drop-two moves (and swaps to a cheaper column) until a pass finds none or the clock's
// slice ends.
void ImproveCover(const TCoverBlock& block, std::vector<int>& chosen, TCoverClock& clock);

// Row-weighting local search for shorter covers until the clock's slice ends or best is down to
// floor columns; best (a cover) is replaced by each shorter cover found. Costs are not looked at.
void WeightedCoverSearch(const TCoverBlock& block, std::vector<int>& best, int floor,
                         TCoverClock& clock, uint32_t seed);

// Greedy: most uncovered rows first, least cost on ties; then redundant columns dropped.
// The clock, if given, is ticked (so KeepGoing is asked) but does not end the cover early.
std::vector<int> GreedyCover(const TCoverBlock& block, TCoverClock* clock = nullptr);

// Rows no two of which share a column need that many columns: a lower bound.
int DisjointRowsBound(const TCoverBlock& block, TCoverClock* clock = nullptr);

// Branch and bound from the cover given (improved in place). True when it ran to its end, best
// then being a minimum; rootBound gets the best bound proven. The plain search for shorter covers
// gets plainShare of the clock's slice; the rest raises the bound one size at a time.
bool ExactCover(const TCoverBlock& block, TCoverClock& clock, std::vector<int>& best,
                int& rootBound, double plainShare = 0.5);
