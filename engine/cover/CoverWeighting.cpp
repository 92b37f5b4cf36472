// Row-weighting local search: looks for a cover one column shorter than the best so far.
#include <algorithm>
#include <random>

#include "engine/cover/CoverParts.h"

namespace {

// The search holds a set one column short of the best cover and swaps one column out and one in
// at each step. Rows left uncovered gain weight, so the search leaves the places where it keeps
// failing. A column just dropped is not taken back until a column sharing a row with it changes
// (configuration checking), and the column just taken is not dropped at the next step.
class TWeightedSearch {
  public:
    TWeightedSearch(const TCoverBlock& b, const std::vector<int>& start, uint32_t seed)
        : B(b),
          Rng(seed),
          Coverage(b),
          CanAdd(b.Cols, 1),
          Score(b.Cols, 0),
          Stamp(b.Cols, 0),
          SlotInChosen(b.Cols, -1),
          Weight(b.Rows, 1),
          OwnerSum(b.Rows, 0) {
        for (int c = 0; c < b.Cols; ++c) {
            Score[c] = b.ColSize(c);
        }
        for (const int c : start) {
            Add(c);
        }
    }

    // Runs until the clock's slice ends or best is down to floor columns; best gets every
    // shorter cover found.
    void Run(std::vector<int>& best, int floor, TCoverClock& clock) {
        int tabu = -1;
        for (;;) {
            while (Coverage.Uncovered() == 0) {
                if (Chosen.size() < best.size()) {
                    best = Chosen;
                    if (static_cast<int>(best.size()) <= floor) {
                        return;
                    }
                }
                if (Chosen.empty()) {
                    return;
                }
                Remove(PickToDrop(-1));
            }
            if (clock.Tick(Work)) {
                return;
            }
            Work = 0;
            if (!Chosen.empty()) {
                const int out = PickToDrop(tabu);
                Remove(out);
                CanAdd[out] = 0;
            }
            const TIntVector<int>& uncovered = Coverage.UncoveredRows();
            const int row = uncovered[static_cast<int>(Rng() % uncovered.size())];
            const int in = PickToAdd(row);
            if (in < 0) {
                return;  // a row no column covers: no cover to look for
            }
            Add(in);
            tabu = in;
            for (const int r : Coverage.UncoveredRows()) {
                ++Weight[r];
                for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                    ++Score[B.RowCols[i]];
                }
                Work += B.RowSize(r);
            }
            ++Step;
        }
    }

  private:
    // The chosen column whose loss is least, the longest unchanged on ties.
    int PickToDrop(int tabu) {
        int pick = -1;
        for (const int c : Chosen) {
            if (c != tabu && (pick < 0 || Better(c, pick))) {
                pick = c;
            }
        }
        Work += static_cast<int64_t>(Chosen.size());
        return pick < 0 ? Chosen.front() : pick;
    }

    // The column of the row that covers most weight, among those free to come back.
    int PickToAdd(int row) {
        int pick = -1;
        int any = -1;
        for (int i = B.RowStart[row]; i < B.RowStart[row + 1]; ++i) {
            const int c = B.RowCols[i];
            if (any < 0 || Better(c, any)) {
                any = c;
            }
            if (CanAdd[c] != 0 && (pick < 0 || Better(c, pick))) {
                pick = c;
            }
        }
        Work += B.RowSize(row);
        return pick < 0 ? any : pick;
    }

    bool Better(int x, int y) const {
        return Score[x] != Score[y] ? Score[x] > Score[y] : Stamp[x] < Stamp[y];
    }

    // Score of a column outside the set: the weight of the uncovered rows it would cover; inside:
    // minus the weight of the rows only it covers. Both flip sign when the column moves.
    void Add(int c) {
        Move(c, true);
        Coverage.Add(c, [&](int r, int before) {
            if (before == 0) {
                AddToOthers(r, c, -Weight[r]);
            } else if (before == 1) {
                Score[OwnerSum[r]] += Weight[r];
            }
            OwnerSum[r] += c;
        });
    }

    void Remove(int c) {
        Move(c, false);
        Coverage.Remove(c, [&](int r, int after) {
            OwnerSum[r] -= c;
            if (after == 0) {
                AddToOthers(r, c, Weight[r]);
            } else if (after == 1) {
                Score[OwnerSum[r]] -= Weight[r];
            }
        });
    }

    // Adds weight to the score of every column of row r but c.
    void AddToOthers(int r, int c, int64_t weight) {
        for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
            if (B.RowCols[i] != c) {
                Score[B.RowCols[i]] += weight;
            }
        }
    }

    // Bookkeeping shared by Add and Remove: the set, the score's sign, the stamp, and the
    // neighbours freed to come back.
    void Move(int c, bool in) {
        Score[c] = -Score[c];
        Stamp[c] = Step;
        if (in) {
            SlotInChosen[c] = Chosen.Size();
            Chosen.push_back(c);
        } else {
            const int last = Chosen.back();
            Chosen[SlotInChosen[c]] = last;
            SlotInChosen[last] = SlotInChosen[c];
            Chosen.pop_back();
            SlotInChosen[c] = -1;
        }
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            const int r = B.ColRows[j];
            for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                CanAdd[B.RowCols[i]] = 1;
            }
            Work += B.RowSize(r);
        }
    }

    const TCoverBlock& B;
    std::mt19937 Rng;
    TCoverage Coverage;
    TIntVector<char> CanAdd;
    TIntVector<int64_t> Score, Stamp;
    TIntVector<int> SlotInChosen, Chosen;
    TIntVector<int64_t> Weight;
    TIntVector<int64_t> OwnerSum;  // the sum of the chosen columns over a row: the one when alone
    int64_t Step = 0;
    int64_t Work = 0;
};

}  // namespace

void WeightedCoverSearch(const TCoverBlock& block, std::vector<int>& best, int floor,
                         TCoverClock& clock, uint32_t seed) {
    if (block.Rows == 0 || static_cast<int>(best.size()) <= floor) {
        return;
    }
    TWeightedSearch search(block, best, seed);
    search.Run(best, floor, clock);
}
