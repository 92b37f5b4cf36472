// The search behind PartMinima: states of rows left and columns allowed, as bits, each solved
// once. For the counting search's own units.
#pragma once

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/cover/CoverChart.h"

namespace minima {

using TValue = std::pair<int, int>;  // columns, cost

// No cover: above every value a cover can have.
constexpr TValue NoCover{1 << 20, 0};

inline TValue Plus(TValue a, TValue b) {
    return {a.first + b.first, a.second + b.second};
}

inline TValue Minus(TValue a, TValue b) {
    return {a.first - b.first, a.second - b.second};
}

using TBits = std::vector<uint64_t>;

inline bool Test(const uint64_t* bits, int i) {
    return (bits[i / 64] >> (i % 64) & 1) != 0;
}

inline void Set(uint64_t* bits, int i) {
    bits[i / 64] |= uint64_t{1} << (i % 64);
}

inline void Clear(uint64_t* bits, int i) {
    bits[i / 64] &= ~(uint64_t{1} << (i % 64));
}

struct TBitsHash {
    size_t operator()(const TBits& bits) const {
        uint64_t h = 0x9e3779b97f4a7c15u;
        for (const uint64_t w : bits) {
            h = (h ^ w) * 0xbf58476d1ce4e5b9u;
            h ^= h >> 31;
        }
        return static_cast<size_t>(h);
    }
};

// What is known of a state: its minimum and how many covers reach it, or only a floor under it.
struct TEntry {
    bool Exact = false;
    TValue Value;
    int64_t Count = 0;
};

// A step of the search: the columns it takes, their value and the state left.
struct TBranch {
    std::vector<int> Taken;
    TValue Step;
    TBits Child;
};

// A state is the rows still to cover followed by the columns still allowed, as bits.
class TMinimaSearch {
  public:
    // seeking: only a minimum is sought, so a branch need only beat the best before it, and
    // counts are not kept.
    TMinimaSearch(const TChart& chart, const TChartPart& part, bool seeking, int64_t maxNodes,
                  const std::atomic<bool>* cancel)
        : FSeeking(seeking), FMaxNodes(maxNodes), FCancel(cancel) {
        std::vector<int> rowOf(chart.RowMinterm.size(), -1);
        for (int r = 0; r < chart.Rows(); ++r) {
            if (part.RowLive[static_cast<size_t>(r)]) {
                rowOf[static_cast<size_t>(r)] = FRows++;
            }
        }
        for (int c = 0; c < chart.Cols(); ++c) {
            if (part.ColLive[static_cast<size_t>(c)]) {
                FColumn.push_back(c);
                FCost.push_back(chart.Cost[static_cast<size_t>(c)]);
            }
        }
        FCols = static_cast<int>(FColumn.size());
        const int dearest = FCost.empty() ? 0 : *std::max_element(FCost.begin(), FCost.end());
        FScale = static_cast<double>(dearest) * FRows + 1;
        FMult[0].assign(static_cast<size_t>(FRows), -1);
        FMult[1].assign(static_cast<size_t>(FRows), -1);
        FBestMult.assign(static_cast<size_t>(FRows), 0);
        FGrad.assign(static_cast<size_t>(FRows), 0);
        FFresh.assign(static_cast<size_t>(FRows), 0);
        FRowWords = (FRows + 63) / 64;
        FColWords = (FCols + 63) / 64;
        FColRows.assign(static_cast<size_t>(FCols * FRowWords), 0);
        FRowCols.assign(static_cast<size_t>(FRows * FColWords), 0);
        for (int k = 0; k < FCols; ++k) {
            for (const int r :
                 chart.ColRows[static_cast<size_t>(FColumn[static_cast<size_t>(k)])]) {
                const int row = rowOf[static_cast<size_t>(r)];
                if (row >= 0) {
                    Set(ColRows(k), row);
                    Set(RowCols(row), k);
                }
            }
        }
    }

    TBits Whole() const {
        TBits state(static_cast<size_t>(FRowWords + FColWords), 0);
        for (int r = 0; r < FRows; ++r) {
            Set(state.data(), r);
        }
        for (int k = 0; k < FCols; ++k) {
            Set(state.data() + FRowWords, k);
        }
        return state;
    }

    int64_t Nodes() const { return FNodes; }
    void AllowMore(int64_t nodes) { FMaxNodes += nodes; }
    bool Stopped() const { return FStopped; }
    int Column(int k) const { return FColumn[static_cast<size_t>(k)]; }

    // The state's minimum and count when it is at most limit; else a floor above limit.
    // least: no cover of the state has fewer columns than limit's.
    TEntry Solve(TBits state, TValue limit, bool least);

    // Up to keep covers of value target (the state's minimum), as columns of the part.
    std::vector<std::vector<int>> Covers(TBits state, TValue target, size_t keep);

  private:
    uint64_t* ColRows(int k) { return FColRows.data() + k * FRowWords; }
    const uint64_t* ColRows(int k) const { return FColRows.data() + k * FRowWords; }
    uint64_t* RowCols(int r) { return FRowCols.data() + r * FColWords; }
    const uint64_t* RowCols(int r) const { return FRowCols.data() + r * FColWords; }

    bool Empty(const TBits& state) const {
        return std::all_of(state.begin(), state.begin() + FRowWords,
                           [](uint64_t w) { return w == 0; });
    }

    // Columns that reach no row left can be in no minimum cover: they leave the state.
    void Normalise(TBits& state) const;

    static int Overlap(const uint64_t* a, const uint64_t* b, int words) {
        int count = 0;
        for (int w = 0; w < words; ++w) {
            count += std::popcount(a[w] & b[w]);
        }
        return count;
    }

    // Rows that share no column each need one of their own, at its cheapest; then dearer
    // floors, up to the multipliers'. Once past limit it stops at the first floor that shows
    // it. least: no cover of the state has fewer columns than limit's.
    TValue Floor(const TBits& state, TValue limit, bool least);

    // The state without the columns no cover within limit can hold, by the last Floor's rows
    // apart, greedy dual (which it skips when least) and multipliers; floor is what that Floor
    // found, at most limit.
    TBits Tightened(const TBits& state, TValue floor, TValue limit, bool least) const;

    // Raises columns and cost to the greedy dual's in FOrder's order.
    void GreedyDual(const uint64_t* cols, double& columns, double& cost);

    // A floor from multipliers on the rows, raised by subgradient steps toward passing limit.
    // least: no cover of the state has fewer columns than limit's. Leaves what each column
    // adds or saves for DropPricedOut and Forced.
    TValue LagrangeFloor(const TBits& state, TValue limit, bool least);

    // Steps from the multipliers given, for at most rounds; the best floor, at least best.
    // Leaves the best multipliers in mult and their reduced weights in FReduced.
    double Subgradient(std::vector<double>& mult, int rounds, double best);
    // Whether the columns not priced out still hold every row, and fill the slots.
    bool Coverable();

    // Clears the columns that take the last multipliers' floor past the limit.
    void DropPricedOut(uint64_t* cols) const;

    // The columns of the state whose absence takes the last multipliers' floor past the
    // limit: every cover within it holds them.
    std::vector<int> Forced(const TBits& state) const;

    // The state split into parts no allowed column joins.
    std::vector<TBits> Parts(const TBits& state) const;

    TBits WithoutDominated(const TBits& state) const;
    // A column whose rows left another allowed one holds at fewer literals is in no minimum.
    bool Dominated(const TBits& state, int c) const;

    // The row with fewest columns left; each of its columns taken in turn, the ones before it
    // no longer allowed, so every set of columns is reached once.
    std::vector<TBranch> Branches(const TBits& state) const;
    TBranch Taking(const TBits& state, std::vector<int> columns) const;
    // The branches of a state just floored: the columns every cover within the limit holds,
    // else Branches.
    std::vector<TBranch> Choices(const TBits& state) const;

    TEntry Compute(const TBits& state, TValue limit, bool least);

    int FRows = 0;
    int FCols = 0;
    int FRowWords = 0;
    int FColWords = 0;
    std::vector<int> FColumn;  // the chart's column of each
    std::vector<int> FCost;
    TBits FColRows;  // FRowWords words per column
    TBits FRowCols;  // FColWords words per row
    std::unordered_map<TBits, TEntry, TBitsHash> FMemo;
    std::vector<std::pair<int, int>> FOrder;
    std::vector<int> FFree;
    std::vector<int> FClash;  // rows still free each row clashes with, by 64, and its columns
    TBits FNear;              // FRowWords words per row: the rows sharing a column with it
    std::vector<std::pair<int, int>> FApart;  // rows sharing no column, at their cheapest
    TValue FApartFloor;
    std::vector<int> FWidth;
    std::vector<double> FSlack;          // each column's share and literals not yet taken
    std::pair<double, double> FDualSum;  // what the dual behind FSlack raised
    // Columns and literals as one weight: a column weighs more than the literals of any
    // irredundant cover, so weights order covers as (columns, literals) do.
    double FScale = 0;
    std::vector<double> FMult[2];  // each row's multiplier by weighing: the next start
    std::vector<double> FBestMult;
    std::vector<double> FGrad;
    std::vector<char> FFresh;
    std::vector<int> FLiveCols;  // the allowed columns that reach a row left
    std::vector<int> FColStart;  // their rows left, one run per column
    std::vector<int> FColList;
    std::vector<double> FWeight;  // each live column's weight: a huge one once priced out
    std::vector<char> FDead;      // priced out
    bool FLeastMode = false;      // weighing literals alone, FSlots columns
    size_t FSlots = 0;
    std::vector<double> FTrialReduced;
    std::vector<int> FTrialRank;
    std::vector<double> FReduced;  // each column's weight less its rows' multipliers
    std::vector<int> FRank;        // the columns by reduced weight: the first FTaken taken
    size_t FTaken = 0;
    double FDrop = 0;       // what taking one more frees: the dearest taken, when slots are few
    double FNext = 0;       // what leaving one taken costs: the cheapest not taken, likewise
    double FBound = 0;      // the weight of the dearest cover within the limit
    double FLagrange = -1;  // the best floor the multipliers gave; below zero it tells nothing
    bool FSeeking;
    int64_t FMaxNodes;
    const std::atomic<bool>* FCancel;
    int64_t FNodes = 0;
    bool FStopped = false;
};

}  // namespace minima
