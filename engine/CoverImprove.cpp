// Local improvement of a cover: add one column, drop those it makes redundant.
#include <algorithm>
#include <numeric>
#include <random>

#include "engine/CoverSearch.h"

namespace {

class TImprover {
  public:
    TImprover(const TCoverBlock& b, std::vector<int>& chosen) : B(b), Chosen(chosen) {
        In.assign(static_cast<size_t>(b.Cols), 0);
        ChosenOver.assign(static_cast<size_t>(b.Rows), {});
        Alone.assign(static_cast<size_t>(b.Cols), 0);
        Hits.assign(static_cast<size_t>(b.Cols), 0);
        for (const int c : chosen) {
            Add(c);
        }
    }

    // One pass over the columns outside the cover in random order; returns the columns saved.
    size_t Pass(std::mt19937& rng, TCoverClock& clock) {
        std::vector<int> order(static_cast<size_t>(B.Cols));
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), rng);
        const size_t before = Size;
        for (const int x : order) {
            if (clock.Tick(B.ColSize(x) * 8)) {
                break;
            }
            if (In[static_cast<size_t>(x)] == 0) {
                Try(x);
            }
        }
        Chosen.clear();
        for (int c = 0; c < B.Cols; ++c) {
            if (In[static_cast<size_t>(c)] != 0) {
                Chosen.push_back(c);
            }
        }
        return before - Size;
    }

  private:
    // Adds x and drops every chosen column it leaves redundant, most literals first; keeps the
    // move when it saves a column, or swaps one for x at no more literals.
    void Try(int x) {
        if (!MayPay(x)) {
            return;
        }
        Add(x);
        Neighbours.clear();
        // Only chosen columns can become redundant, and a row has few of them over it, so the
        // move never walks a dense row's full column list.
        for (int i = B.ColStart[x]; i < B.ColStart[x + 1]; ++i) {
            for (const int c : ChosenOver[static_cast<size_t>(B.ColRows[i])]) {
                if (c != x && In[static_cast<size_t>(c)] == 1) {
                    In[static_cast<size_t>(c)] = 2;  // listed once
                    Neighbours.push_back(c);
                }
            }
        }
        std::sort(Neighbours.begin(), Neighbours.end(),
                  [&](int p, int q) { return B.Cost[p] > B.Cost[q]; });
        Dropped.clear();
        int saved = -B.Cost[x];
        for (const int c : Neighbours) {
            In[static_cast<size_t>(c)] = 1;
            if (Redundant(c)) {
                Remove(c);
                Dropped.push_back(c);
                saved += B.Cost[c];
            }
        }
        const bool keep = Dropped.size() >= 2 || (Dropped.size() == 1 && saved > 0);
        if (!keep) {
            for (const int c : Dropped) {
                Add(c);
            }
            Remove(x);
        }
    }

    // A chosen column can go only when x covers every row it alone covers; the move needs two
    // such columns, or one with more literals than x. Most columns fail this cheap test.
    bool MayPay(int x) {
        Touched.clear();
        for (int i = B.ColStart[x]; i < B.ColStart[x + 1]; ++i) {
            const auto& over = ChosenOver[static_cast<size_t>(B.ColRows[i])];
            if (over.size() == 1 && Hits[static_cast<size_t>(over[0])]++ == 0) {
                Touched.push_back(over[0]);
            }
        }
        int candidates = 0;
        bool cheaper = false;
        for (const int c : Touched) {
            if (Hits[static_cast<size_t>(c)] == Alone[static_cast<size_t>(c)]) {
                ++candidates;
                cheaper = cheaper || B.Cost[c] > B.Cost[x];
            }
            Hits[static_cast<size_t>(c)] = 0;
        }
        return candidates >= 2 || (candidates == 1 && cheaper);
    }

    bool Redundant(int c) const {
        for (int i = B.ColStart[c]; i < B.ColStart[c + 1]; ++i) {
            if (ChosenOver[static_cast<size_t>(B.ColRows[i])].size() < 2) {
                return false;
            }
        }
        return true;
    }

    void Add(int c) {
        In[static_cast<size_t>(c)] = 1;
        ++Size;
        for (int i = B.ColStart[c]; i < B.ColStart[c + 1]; ++i) {
            auto& over = ChosenOver[static_cast<size_t>(B.ColRows[i])];
            if (over.size() == 1) {
                --Alone[static_cast<size_t>(over[0])];
            }
            Alone[static_cast<size_t>(c)] += over.empty() ? 1 : 0;
            over.push_back(c);
        }
    }

    void Remove(int c) {
        In[static_cast<size_t>(c)] = 0;
        --Size;
        for (int i = B.ColStart[c]; i < B.ColStart[c + 1]; ++i) {
            auto& over = ChosenOver[static_cast<size_t>(B.ColRows[i])];
            *std::find(over.begin(), over.end(), c) = over.back();
            over.pop_back();
            if (over.empty()) {
                --Alone[static_cast<size_t>(c)];
            } else if (over.size() == 1) {
                ++Alone[static_cast<size_t>(over[0])];
            }
        }
    }

    const TCoverBlock& B;
    std::vector<int>& Chosen;
    std::vector<char> In;                      // 1 chosen, 2 chosen and listed as a neighbour
    std::vector<std::vector<int>> ChosenOver;  // the chosen columns over each row
    std::vector<int> Alone;  // per chosen column, the rows no other chosen column covers
    std::vector<int> Hits;   // MayPay's count per column, zero between calls
    std::vector<int> Touched;
    std::vector<int> Neighbours, Dropped;
    size_t Size = 0;
};

}  // namespace

void ImproveCover(const TCoverBlock& block, std::vector<int>& chosen, TCoverClock& clock) {
    TImprover improver(block, chosen);
    std::mt19937 rng(12345);
    // Passes go on while they save more than a column in a thousand.
    for (int pass = 0; pass < 50; ++pass) {
        const size_t size = chosen.size();
        const size_t saved = improver.Pass(rng, clock);
        if ((pass >= 2 && saved <= size / 1000) || clock.Check()) {
            break;
        }
    }
}
