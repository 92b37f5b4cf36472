// Row-weighting local search: looks for a cover one column shorter than the best so far.
#include <algorithm>
#include <random>

#include "engine/CoverSearch.h"

namespace {

// The search holds a set one column short of the best cover and swaps one column out and one in
// at each step. Rows left uncovered gain weight, so the search leaves the places where it keeps
// failing. A column just dropped is not taken back until a column sharing a row with it changes
// (configuration checking), and the column just taken is not dropped at the next step.
class TWeightedSearch {
  public:
    TWeightedSearch(const TCoverBlock& b, const std::vector<int>& start, uint32_t seed)
        : B(b), Rng(seed) {
        const auto rows = static_cast<size_t>(b.Rows);
        const auto cols = static_cast<size_t>(b.Cols);
        CanAdd.assign(cols, 1);
        Score.assign(cols, 0);
        Stamp.assign(cols, 0);
        SlotInChosen.assign(cols, -1);
        Weight.assign(rows, 1);
        Count.assign(rows, 0);
        OwnerSum.assign(rows, 0);
        SlotInUncovered.assign(rows, -1);
        for (int r = 0; r < b.Rows; ++r) {
            MarkUncovered(r);
        }
        for (int c = 0; c < b.Cols; ++c) {
            Score[static_cast<size_t>(c)] = b.ColSize(c);
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
            while (Uncovered.empty()) {
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
                CanAdd[static_cast<size_t>(out)] = 0;
            }
            const int row = Uncovered[Rng() % Uncovered.size()];
            const int in = PickToAdd(row);
            if (in < 0) {
                return;  // a row no column covers: no cover to look for
            }
            Add(in);
            tabu = in;
            for (const int r : Uncovered) {
                ++Weight[static_cast<size_t>(r)];
                for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                    ++Score[static_cast<size_t>(B.RowCols[i])];
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
            if (CanAdd[static_cast<size_t>(c)] != 0 && (pick < 0 || Better(c, pick))) {
                pick = c;
            }
        }
        Work += B.RowSize(row);
        return pick < 0 ? any : pick;
    }

    bool Better(int x, int y) const {
        const int64_t sx = Score[static_cast<size_t>(x)];
        const int64_t sy = Score[static_cast<size_t>(y)];
        return sx != sy ? sx > sy : Stamp[static_cast<size_t>(x)] < Stamp[static_cast<size_t>(y)];
    }

    // Score of a column outside the set: the weight of the uncovered rows it would cover; inside:
    // minus the weight of the rows only it covers. Both flip sign when the column moves.
    void Add(int c) {
        Move(c, true);
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            const int r = B.ColRows[j];
            const auto rs = static_cast<size_t>(r);
            if (Count[rs] == 0) {
                UnmarkUncovered(r);
                for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                    if (B.RowCols[i] != c) {
                        Score[static_cast<size_t>(B.RowCols[i])] -= Weight[rs];
                    }
                }
            } else if (Count[rs] == 1) {
                Score[static_cast<size_t>(OwnerSum[rs])] += Weight[rs];
            }
            ++Count[rs];
            OwnerSum[rs] += c;
        }
    }

    void Remove(int c) {
        Move(c, false);
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            const int r = B.ColRows[j];
            const auto rs = static_cast<size_t>(r);
            --Count[rs];
            OwnerSum[rs] -= c;
            if (Count[rs] == 0) {
                MarkUncovered(r);
                for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                    if (B.RowCols[i] != c) {
                        Score[static_cast<size_t>(B.RowCols[i])] += Weight[rs];
                    }
                }
            } else if (Count[rs] == 1) {
                Score[static_cast<size_t>(OwnerSum[rs])] -= Weight[rs];
            }
        }
    }

    // Bookkeeping shared by Add and Remove: the set, the score's sign, the stamp, and the
    // neighbours freed to come back.
    void Move(int c, bool in) {
        const auto cs = static_cast<size_t>(c);
        Score[cs] = -Score[cs];
        Stamp[cs] = Step;
        if (in) {
            SlotInChosen[cs] = static_cast<int>(Chosen.size());
            Chosen.push_back(c);
        } else {
            const int last = Chosen.back();
            Chosen[static_cast<size_t>(SlotInChosen[cs])] = last;
            SlotInChosen[static_cast<size_t>(last)] = SlotInChosen[cs];
            Chosen.pop_back();
            SlotInChosen[cs] = -1;
        }
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            const int r = B.ColRows[j];
            for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                CanAdd[static_cast<size_t>(B.RowCols[i])] = 1;
            }
            Work += B.RowSize(r);
        }
    }

    void MarkUncovered(int r) {
        SlotInUncovered[static_cast<size_t>(r)] = static_cast<int>(Uncovered.size());
        Uncovered.push_back(r);
    }

    void UnmarkUncovered(int r) {
        const auto rs = static_cast<size_t>(r);
        const int last = Uncovered.back();
        Uncovered[static_cast<size_t>(SlotInUncovered[rs])] = last;
        SlotInUncovered[static_cast<size_t>(last)] = SlotInUncovered[rs];
        Uncovered.pop_back();
        SlotInUncovered[rs] = -1;
    }

    const TCoverBlock& B;
    std::mt19937 Rng;
    std::vector<char> CanAdd;
    std::vector<int64_t> Score, Stamp;
    std::vector<int> SlotInChosen, Chosen;
    std::vector<int64_t> Weight;
    std::vector<int> Count;         // chosen columns over a row
    std::vector<int64_t> OwnerSum;  // and the sum of their indices: the one column when alone
    std::vector<int> SlotInUncovered, Uncovered;
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
