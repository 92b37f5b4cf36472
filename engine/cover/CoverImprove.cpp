// Local improvement of a cover: add one column, drop those it makes redundant.
#include <algorithm>
#include <numeric>
#include <random>
#include <span>

#include "engine/cover/CoverParts.h"

namespace {

class TImprover {
  public:
    TImprover(const TCoverBlock& b, std::vector<int>& chosen)
        : B(b),
          Chosen(chosen),
          Coverage(b),
          In(b.Cols, 0),
          Over(b.ColRows.Size(), 0),
          Alone(b.Cols, 0),
          Hits(b.Cols, 0) {
        for (const int c : chosen) {
            Add(c);
        }
    }

    // One pass over the columns outside the cover in random order; returns the columns saved.
    size_t Pass(std::mt19937& rng, TCoverClock& clock) {
        TIntVector<int> order(B.Cols, 0);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), rng);
        const size_t before = Size;
        for (const int x : order) {
            if (clock.Tick(B.ColSize(x) * 8)) {
                break;
            }
            if (In[x] == 0) {
                Try(x);
            }
        }
        Chosen.clear();
        for (int c = 0; c < B.Cols; ++c) {
            if (In[c] != 0) {
                Chosen.push_back(c);
            }
        }
        return before - Size;
    }

  private:
    // Adds x and drops every chosen column it leaves redundant, most cost first; keeps the move
    // when it saves a column, or swaps one for x at less cost.
    void Try(int x) {
        if (!MayPay(x)) {
            return;
        }
        Add(x);
        Neighbours.clear();
        // Only chosen columns can become redundant, and a row has few of them over it, so the
        // move never walks a dense row's full column list.
        for (int i = B.ColStart[x]; i < B.ColStart[x + 1]; ++i) {
            for (const int c : ChosenOver(B.ColRows[i])) {
                if (c != x && In[c] == 1) {
                    In[c] = 2;  // listed once
                    Neighbours.push_back(c);
                }
            }
        }
        std::sort(Neighbours.begin(), Neighbours.end(),
                  [&](int p, int q) { return B.Cost[p] > B.Cost[q]; });
        for (const int c : Neighbours) {
            In[c] = 1;
        }
        Dropped.clear();
        int saved = -B.Cost[x];
        MakeIrredundant(Neighbours, 0, Coverage, [&](int c) {
            Remove(c);
            Dropped.push_back(c);
            saved += B.Cost[c];
        });
        const bool keep = Dropped.size() >= 2 || (Dropped.size() == 1 && saved > 0);
        if (!keep) {
            for (const int c : Dropped) {
                Add(c);
            }
            Remove(x);
        }
    }

    // A chosen column can go only when x covers every row it alone covers; the move needs two
    // such columns, or one that costs more than x. Most columns fail this cheap test.
    bool MayPay(int x) {
        Touched.clear();
        for (int i = B.ColStart[x]; i < B.ColStart[x + 1]; ++i) {
            const int r = B.ColRows[i];
            if (Coverage.Count(r) == 1) {
                const int owner = Over[B.RowStart[r]];
                if (Hits[owner]++ == 0) {
                    Touched.push_back(owner);
                }
            }
        }
        int candidates = 0;
        bool cheaper = false;
        for (const int c : Touched) {
            if (Hits[c] == Alone[c]) {
                ++candidates;
                cheaper = cheaper || B.Cost[c] > B.Cost[x];
            }
            Hits[c] = 0;
        }
        return candidates >= 2 || (candidates == 1 && cheaper);
    }

    // The chosen columns over row r.
    std::span<const int> ChosenOver(int r) const {
        return {Over.data() + B.RowStart[r], static_cast<size_t>(Coverage.Count(r))};
    }

    void Add(int c) {
        In[c] = 1;
        ++Size;
        Coverage.Add(c, [&](int r, int before) {
            if (before == 1) {
                --Alone[Over[B.RowStart[r]]];
            }
            Alone[c] += before == 0 ? 1 : 0;
            Over[B.RowStart[r] + before] = c;
        });
    }

    void Remove(int c) {
        In[c] = 0;
        --Size;
        Coverage.Remove(c, [&](int r, int after) {
            int* over = Over.data() + B.RowStart[r];
            *std::find(over, over + after, c) = over[after];
            if (after == 0) {
                --Alone[c];
            } else if (after == 1) {
                ++Alone[over[0]];
            }
        });
    }

    const TCoverBlock& B;
    std::vector<int>& Chosen;
    TCoverage Coverage;
    TIntVector<char> In;    // 1 chosen, 2 chosen and listed as a neighbour
    TIntVector<int> Over;   // the chosen columns over each row, in the slots of its column list
    TIntVector<int> Alone;  // per chosen column, the rows no other chosen column covers
    TIntVector<int> Hits;   // MayPay's count per column, zero between calls
    std::vector<int> Touched;
    std::vector<int> Neighbours, Dropped;
    size_t Size = 0;
};

}  // namespace

void ImproveCover(const TCoverBlock& block, std::vector<int>& chosen, TCoverClock& clock) {
    const TCoverTuning& tuning = CoverTuning;
    TImprover improver(block, chosen);
    std::mt19937 rng(tuning.ImproveSeed);
    // Passes go on while they save more than a column in ImproveStopPart.
    for (int pass = 0; pass < tuning.ImprovePasses; ++pass) {
        const size_t size = chosen.size();
        const size_t saved = improver.Pass(rng, clock);
        if ((pass >= tuning.ImproveFirstPasses &&
             saved <= size / static_cast<size_t>(tuning.ImproveStopPart)) ||
            clock.Check()) {
            break;
        }
    }
}
