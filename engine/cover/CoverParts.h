// What the cover searches share: the rows' coverage counts, the irredundant pass and the column
// dominance rule. For the engine's own cover units.
#pragma once

#include <cstdint>
#include <numeric>
#include <vector>

#include "engine/cover/CoverSearch.h"
#include "engine/cover/IntVector.h"

// How many chosen columns cover each row, and the rows none covers.
class TCoverage {
  public:
    explicit TCoverage(const TCoverBlock& b)
        : B(&b), FCount(b.Rows, 0), FUncovered(b.Rows, 0), FSlot(b.Rows, 0) {
        std::iota(FUncovered.begin(), FUncovered.end(), 0);
        std::iota(FSlot.begin(), FSlot.end(), 0);
    }

    int Count(int r) const { return FCount[r]; }
    int Uncovered() const { return FUncovered.Size(); }
    // The rows no chosen column covers, in an order that changes as rows come and go.
    const TIntVector<int>& UncoveredRows() const { return FUncovered; }

    // Chooses column c; seen(r, before) hears of each of its rows with the count before.
    template <typename F>
    void Add(int c, F&& seen) {
        for (int i = B->ColStart[c]; i < B->ColStart[c + 1]; ++i) {
            const int r = B->ColRows[i];
            seen(r, FCount[r]);
            if (FCount[r]++ == 0) {
                Unlist(r);
            }
        }
    }
    // Unchooses column c; seen(r, after) hears of each of its rows with the count after.
    template <typename F>
    void Remove(int c, F&& seen) {
        for (int i = B->ColStart[c]; i < B->ColStart[c + 1]; ++i) {
            const int r = B->ColRows[i];
            if (--FCount[r] == 0) {
                FSlot[r] = FUncovered.Size();
                FUncovered.push_back(r);
            }
            seen(r, FCount[r]);
        }
    }
    void Add(int c) {
        Add(c, [](int, int) {});
    }
    void Remove(int c) {
        Remove(c, [](int, int) {});
    }

    // Every row of the chosen column c is covered by another chosen column too.
    bool Redundant(int c) const {
        for (int i = B->ColStart[c]; i < B->ColStart[c + 1]; ++i) {
            if (FCount[B->ColRows[i]] < 2) {
                return false;
            }
        }
        return true;
    }
    // The rows of c that no chosen column covers.
    int Gain(int c) const {
        int gain = 0;
        for (int i = B->ColStart[c]; i < B->ColStart[c + 1]; ++i) {
            gain += FCount[B->ColRows[i]] == 0 ? 1 : 0;
        }
        return gain;
    }

  private:
    void Unlist(int r) {
        const int last = FUncovered.back();
        FUncovered[FSlot[r]] = last;
        FSlot[last] = FSlot[r];
        FUncovered.pop_back();
    }

    const TCoverBlock* B;
    TIntVector<int> FCount;
    TIntVector<int> FUncovered;
    TIntVector<int> FSlot;  // where each uncovered row sits in FUncovered
};

// The one irredundant pass: the chosen columns from first on, in their order, go when every row
// of theirs is covered twice; drop(c) takes each out of the coverage. The rest stay in order.
template <typename F>
void MakeIrredundant(std::vector<int>& chosen, size_t first, const TCoverage& coverage, F&& drop) {
    size_t kept = first;
    for (size_t i = first; i < chosen.size(); ++i) {
        const int c = chosen[i];
        if (coverage.Redundant(c)) {
            drop(c);
        } else {
            chosen[kept++] = c;
        }
    }
    chosen.resize(kept);
}

inline void MakeIrredundant(std::vector<int>& chosen, size_t first, TCoverage& coverage) {
    MakeIrredundant(chosen, first, coverage, [&](int c) { coverage.Remove(c); });
}

// Whether the live members of one list lie within another's: a column's rows within another
// column's, or a row's columns within another row's.
class TNesting {
  public:
    TNesting(const TIntVector<int>& start, const TIntVector<int>& members, int memberCount)
        : Start(start), Members(members), FMark(memberCount, 0) {}

    // Marks the live members of list i and returns how many there are; pivot gets the one of
    // least width, which every list holding them all holds too.
    template <typename TLive, typename TWidth>
    int Mark(int i, TLive&& live, TWidth&& width, int& pivot) {
        ++FStamp;
        FCount = 0;
        pivot = -1;
        for (int j = Start[i]; j < Start[i + 1]; ++j) {
            const int m = Members[j];
            if (live(m)) {
                FMark[m] = FStamp;
                ++FCount;
                if (pivot < 0 || width(m) < width(pivot)) {
                    pivot = m;
                }
            }
        }
        return FCount;
    }

    // The live members of list k when they include every marked one, else -1.
    template <typename TLive>
    int LiveAround(int k, TLive&& live) const {
        int shared = 0;
        int count = 0;
        for (int j = Start[k]; j < Start[k + 1]; ++j) {
            shared += FMark[Members[j]] == FStamp ? 1 : 0;
            count += live(Members[j]) ? 1 : 0;
        }
        return shared == FCount ? count : -1;
    }

  private:
    const TIntVector<int>& Start;
    const TIntVector<int>& Members;
    TIntVector<uint32_t> FMark;
    uint32_t FStamp = 0;
    int FCount = 0;
};

// Column dominance: column k makes column c needless when it covers each of the count live rows
// of c (live being its own, -1 when it misses one) at no more cost, and covers more, costs less
// or comes first. A cover using c then swaps it for k.
inline bool ColumnDominates(const TCoverBlock& b, int k, int c, int count, int live) {
    const int costK = b.Cost[k];
    const int costC = b.Cost[c];
    return live >= 0 && costK <= costC && (live > count || costK < costC || k < c);
}
