// The minimum covers of a part of the chart, found and counted by one branch and bound.
#include "engine/cover/CoverCount.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <unordered_map>

namespace {

using TValue = std::pair<int, int>;  // columns, cost

// No cover: above every value a cover can have.
constexpr TValue NoCover{1 << 20, 0};

TValue Plus(TValue a, TValue b) {
    return {a.first + b.first, a.second + b.second};
}

TValue Minus(TValue a, TValue b) {
    return {a.first - b.first, a.second - b.second};
}

int64_t SumCapped(int64_t a, int64_t b) {
    return a > INT64_MAX - b ? INT64_MAX : a + b;
}

int64_t ProductCapped(int64_t a, int64_t b) {
    return b != 0 && a > INT64_MAX / b ? INT64_MAX : a * b;
}

using TBits = std::vector<uint64_t>;

bool Test(const uint64_t* bits, int i) {
    return (bits[i / 64] >> (i % 64) & 1) != 0;
}

void Set(uint64_t* bits, int i) {
    bits[i / 64] |= uint64_t{1} << (i % 64);
}

void Clear(uint64_t* bits, int i) {
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

// A state is the rows still to cover followed by the columns still allowed, as bits.
class TMinimaSearch {
  public:
    TMinimaSearch(const TChart& chart, const TChartPart& part, int64_t maxNodes,
                  const std::atomic<bool>* cancel)
        : FMaxNodes(maxNodes), FCancel(cancel) {
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
    bool Stopped() const { return FStopped; }
    int Column(int k) const { return FColumn[static_cast<size_t>(k)]; }

    // The state's minimum and count when it is at most limit; else a floor above limit.
    TEntry Solve(TBits state, TValue limit) {
        Normalise(state);
        if (Empty(state)) {
            return TEntry{true, {0, 0}, 1};
        }
        const auto found = FMemo.find(state);
        if (found != FMemo.end() && (found->second.Exact || found->second.Value > limit)) {
            return found->second;
        }
        if (FStopped || ++FNodes > FMaxNodes ||
            (FCancel != nullptr && FCancel->load(std::memory_order_relaxed))) {
            FStopped = true;
            return TEntry{false, NoCover, 0};
        }
        TEntry entry = Compute(state, limit);
        if (!entry.Exact) {
            entry.Value = std::max(entry.Value, TValue{limit.first, limit.second + 1});
        }
        if (!FStopped) {
            FMemo[state] = entry;
        }
        return entry;
    }

    // Up to keep covers of value target (the state's minimum), as columns of the part.
    std::vector<std::vector<int>> Covers(TBits state, TValue target, size_t keep) {
        Normalise(state);
        if (Empty(state)) {
            return {{}};
        }
        std::vector<std::vector<int>> out;
        const std::vector<TBits> parts = Parts(state);
        if (parts.size() > 1) {
            out = {{}};
            for (const TBits& part : parts) {
                const TEntry e = Solve(part, target);
                const std::vector<std::vector<int>> tails = Covers(part, e.Value, keep);
                std::vector<std::vector<int>> joined;
                for (const std::vector<int>& head : out) {
                    for (const std::vector<int>& tail : tails) {
                        if (joined.size() == keep) {
                            break;
                        }
                        joined.push_back(head);
                        joined.back().insert(joined.back().end(), tail.begin(), tail.end());
                    }
                }
                out = std::move(joined);
            }
            return out;
        }
        for (const auto& [k, child] : Branches(state)) {
            const TValue step{1, FCost[static_cast<size_t>(k)]};
            const TEntry e = Solve(child, Minus(target, step));
            if (!e.Exact || Plus(e.Value, step) != target) {
                continue;
            }
            for (const std::vector<int>& tail : Covers(child, e.Value, keep - out.size())) {
                out.push_back(tail);
                out.back().push_back(k);
            }
            if (out.size() >= keep) {
                break;
            }
        }
        return out;
    }

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
    void Normalise(TBits& state) const {
        uint64_t* cols = state.data() + FRowWords;
        for (int k = 0; k < FCols; ++k) {
            if (Test(cols, k) && Overlap(ColRows(k), state.data(), FRowWords) == 0) {
                Clear(cols, k);
            }
        }
    }

    static int Overlap(const uint64_t* a, const uint64_t* b, int words) {
        int count = 0;
        for (int w = 0; w < words; ++w) {
            count += std::popcount(a[w] & b[w]);
        }
        return count;
    }

    // Rows that share no column each need one of their own, at its cheapest.
    TValue Floor(const TBits& state) {
        const uint64_t* cols = state.data() + FRowWords;
        FOrder.clear();
        FNear.assign(static_cast<size_t>(FRows * FRowWords), 0);
        for (int r = 0; r < FRows; ++r) {
            if (!Test(state.data(), r)) {
                continue;
            }
            uint64_t* near = FNear.data() + r * FRowWords;
            int open = 0;
            for (int w = 0; w < FColWords; ++w) {
                for (uint64_t rest = RowCols(r)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                    const int k = w * 64 + std::countr_zero(rest);
                    ++open;
                    for (int v = 0; v < FRowWords; ++v) {
                        near[v] |= ColRows(k)[v] & state[static_cast<size_t>(v)];
                    }
                }
            }
            if (open == 0) {
                return NoCover;
            }
            FOrder.emplace_back(open, r);
        }
        // Rows apart, the one clashing with fewest rows still free first: more of them fit.
        FApart.clear();
        TValue floor{0, 0};
        TBits free(state.begin(), state.begin() + FRowWords);
        FClash.assign(static_cast<size_t>(FRows), 0);
        for (auto& [order, r] : FOrder) {
            order += Overlap(FNear.data() + r * FRowWords, state.data(), FRowWords) * 64;
            FClash[static_cast<size_t>(r)] = order;
        }
        FFree.clear();
        for (const auto& [open, r] : FOrder) {
            FFree.push_back(r);
        }
        for (;;) {
            // Rows no longer free leave the list as it is read.
            int pick = -1;
            int fewest = INT_MAX;
            size_t kept = 0;
            for (const int r : FFree) {
                if (Test(free.data(), r)) {
                    FFree[kept++] = r;
                    if (FClash[static_cast<size_t>(r)] < fewest) {
                        fewest = FClash[static_cast<size_t>(r)];
                        pick = r;
                    }
                }
            }
            FFree.resize(kept);
            if (pick < 0) {
                break;
            }
            // The rows it clashes with leave; the rows they clashed with clash less.
            for (int w = 0; w < FRowWords; ++w) {
                uint64_t gone =
                    FNear[static_cast<size_t>(pick * FRowWords + w)] & free[static_cast<size_t>(w)];
                free[static_cast<size_t>(w)] &= ~gone;
                for (; gone != 0; gone &= gone - 1) {
                    const int x = w * 64 + std::countr_zero(gone);
                    for (int v = 0; v < FRowWords; ++v) {
                        for (uint64_t y = FNear[static_cast<size_t>(x * FRowWords + v)]; y != 0;
                             y &= y - 1) {
                            FClash[static_cast<size_t>(v * 64 + std::countr_zero(y))] -= 64;
                        }
                    }
                }
            }
            int cheapest = INT_MAX;
            for (int w = 0; w < FColWords; ++w) {
                for (uint64_t rest = RowCols(pick)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                    cheapest = std::min(
                        cheapest, FCost[static_cast<size_t>(w * 64 + std::countr_zero(rest))]);
                }
            }
            floor = Plus(floor, {1, cheapest});
            FApart.emplace_back(pick, cheapest);
        }
        FApartFloor = floor;
        // Each row shares out its column: a cover's columns hold every row, so they number at
        // least the rows' shares of the widest column each is in, and cost at least the shares
        // of the cheapest per row.
        FWidth.assign(static_cast<size_t>(FCols), 0);
        for (int k = 0; k < FCols; ++k) {
            if (Test(cols, k)) {
                FWidth[static_cast<size_t>(k)] = Overlap(ColRows(k), state.data(), FRowWords);
            }
        }
        double columns = 0;
        double cost = 0;
        for (const auto& [order, r] : FOrder) {
            int widest = 0;
            double share = 1e9;
            for (int w = 0; w < FColWords; ++w) {
                for (uint64_t rest = RowCols(r)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                    const size_t k = static_cast<size_t>(w * 64 + std::countr_zero(rest));
                    widest = std::max(widest, FWidth[k]);
                    share = std::min(share, static_cast<double>(FCost[k]) / FWidth[k]);
                }
            }
            columns += 1.0 / widest;
            cost += share;
        }
        // The same as a greedy dual: each row in turn takes what its columns have left, one
        // column (or its literals) each at most; in two orders, rows clashing with fewest first
        // and rows with fewest columns first, as each wins on some charts.
        std::sort(FOrder.begin(), FOrder.end());
        double dualColumns = 0;
        double dualCost = 0;
        GreedyDual(cols, dualColumns, dualCost);
        std::sort(FOrder.begin(), FOrder.end(), [](const auto& a, const auto& b) {
            return std::pair{a.first % 64, a.second} < std::pair{b.first % 64, b.second};
        });
        GreedyDual(cols, dualColumns, dualCost);
        columns = std::max(columns, dualColumns);
        cost = std::max(cost, dualCost);
        floor.first = std::max(floor.first, static_cast<int>(std::ceil(columns - 1e-9)));
        floor.second = std::max(floor.second, static_cast<int>(std::ceil(cost - 1e-9)));
        return floor;
    }

    // Raises columns and cost to the greedy dual's in FOrder's order.
    void GreedyDual(const uint64_t* cols, double& columns, double& cost) {
        FSlack.assign(static_cast<size_t>(2 * FCols), 0);
        for (int k = 0; k < FCols; ++k) {
            FSlack[static_cast<size_t>(2 * k)] = 1;
            FSlack[static_cast<size_t>(2 * k + 1)] = FCost[static_cast<size_t>(k)];
        }
        double sumColumns = 0;
        double sumCost = 0;
        for (const auto& [order, r] : FOrder) {
            double one = 1e9;
            double literals = 1e9;
            for (int w = 0; w < FColWords; ++w) {
                for (uint64_t rest = RowCols(r)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                    const size_t k = static_cast<size_t>(w * 64 + std::countr_zero(rest));
                    one = std::min(one, FSlack[2 * k]);
                    literals = std::min(literals, FSlack[2 * k + 1]);
                }
            }
            for (int w = 0; w < FColWords; ++w) {
                for (uint64_t rest = RowCols(r)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                    const size_t k = static_cast<size_t>(w * 64 + std::countr_zero(rest));
                    FSlack[2 * k] -= one;
                    FSlack[2 * k + 1] -= literals;
                }
            }
            sumColumns += one;
            sumCost += literals;
        }
        columns = std::max(columns, sumColumns);
        cost = std::max(cost, sumCost);
    }

    // The state split into parts no allowed column joins.
    std::vector<TBits> Parts(const TBits& state) const {
        const uint64_t* cols = state.data() + FRowWords;
        std::vector<TBits> parts;
        TBits left(state.begin(), state.begin() + FRowWords);
        for (int start = 0; start < FRows; ++start) {
            if (!Test(left.data(), start)) {
                continue;
            }
            TBits part(state.size(), 0);
            std::vector<int> stack{start};
            Clear(left.data(), start);
            while (!stack.empty()) {
                const int r = stack.back();
                stack.pop_back();
                Set(part.data(), r);
                for (int w = 0; w < FColWords; ++w) {
                    uint64_t& taken = part[static_cast<size_t>(FRowWords + w)];
                    for (uint64_t rest = RowCols(r)[w] & cols[w] & ~taken; rest != 0;
                         rest &= rest - 1) {
                        const int k = w * 64 + std::countr_zero(rest);
                        taken |= rest & -rest;
                        for (int v = 0; v < FRowWords; ++v) {
                            for (uint64_t more = ColRows(k)[v] & left[static_cast<size_t>(v)];
                                 more != 0; more &= more - 1) {
                                const int row = v * 64 + std::countr_zero(more);
                                Clear(left.data(), row);
                                stack.push_back(row);
                            }
                        }
                    }
                }
            }
            if (parts.empty() &&
                std::equal(part.begin(), part.begin() + FRowWords, state.begin())) {
                return {state};  // one part: the state itself
            }
            parts.push_back(std::move(part));
        }
        return parts;
    }

    // A column whose rows left another allowed one holds at fewer literals is in no minimum.
    bool Dominated(const TBits& state, int c) const {
        const uint64_t* cols = state.data() + FRowWords;
        // Whatever holds c's rows holds the first of them.
        int first = -1;
        for (int w = 0; w < FRowWords && first < 0; ++w) {
            const uint64_t live = ColRows(c)[w] & state[static_cast<size_t>(w)];
            first = live != 0 ? w * 64 + std::countr_zero(live) : -1;
        }
        for (int w = 0; first >= 0 && w < FColWords; ++w) {
            for (uint64_t rest = RowCols(first)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                const int k = w * 64 + std::countr_zero(rest);
                if (FCost[static_cast<size_t>(k)] >= FCost[static_cast<size_t>(c)]) {
                    continue;
                }
                bool holds = true;
                for (int v = 0; v < FRowWords && holds; ++v) {
                    holds = (ColRows(c)[v] & state[static_cast<size_t>(v)] & ~ColRows(k)[v]) == 0;
                }
                if (holds) {
                    return true;
                }
            }
        }
        return false;
    }

    // The row with fewest columns left; each of its columns taken in turn, the ones before it
    // no longer allowed, so every set of columns is reached once.
    std::vector<std::pair<int, TBits>> Branches(const TBits& state) const {
        const uint64_t* cols = state.data() + FRowWords;
        int row = -1;
        int fewest = INT_MAX;
        int most = -1;
        TBits near(static_cast<size_t>(FRowWords));
        for (int r = 0; r < FRows; ++r) {
            const int open = Test(state.data(), r) ? Overlap(RowCols(r), cols, FColWords) : INT_MAX;
            if (open > fewest) {
                continue;
            }
            // Of those, the one whose columns reach most rows: each branch settles more.
            std::fill(near.begin(), near.end(), 0);
            for (int w = 0; w < FColWords; ++w) {
                for (uint64_t rest = RowCols(r)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                    const int k = w * 64 + std::countr_zero(rest);
                    for (int v = 0; v < FRowWords; ++v) {
                        near[static_cast<size_t>(v)] |= ColRows(k)[v];
                    }
                }
            }
            const int reach = Overlap(near.data(), state.data(), FRowWords);
            if (open < fewest || reach > most) {
                fewest = open;
                most = reach;
                row = r;
            }
        }
        TBits allowed = state;
        std::vector<std::pair<int, int>> order;  // wide, cheap columns first
        for (int k = 0; k < FCols; ++k) {
            if (!Test(RowCols(row), k) || !Test(cols, k)) {
                continue;
            }
            if (Dominated(state, k)) {
                Clear(allowed.data() + FRowWords, k);
                continue;
            }
            order.emplace_back(
                -Overlap(ColRows(k), state.data(), FRowWords) * 16 + FCost[static_cast<size_t>(k)],
                k);
        }
        std::sort(order.begin(), order.end());
        std::vector<std::pair<int, TBits>> out;
        for (const auto& [key, k] : order) {
            Clear(allowed.data() + FRowWords, k);
            TBits child = allowed;
            for (int w = 0; w < FRowWords; ++w) {
                child[static_cast<size_t>(w)] &= ~ColRows(k)[w];
            }
            out.emplace_back(k, std::move(child));
        }
        return out;
    }

    TEntry Compute(const TBits& state, TValue limit) {
        const std::vector<TBits> parts = Parts(state);
        if (parts.size() > 1) {
            std::vector<TValue> floors;
            TValue sum{0, 0};
            for (const TBits& part : parts) {
                floors.push_back(Floor(part));
                sum = Plus(sum, floors.back());
            }
            if (sum > limit) {
                return TEntry{false, sum, 0};
            }
            TEntry whole{true, {0, 0}, 1};
            for (size_t i = 0; i < parts.size(); ++i) {
                const TEntry e = Solve(parts[i], Minus(limit, Minus(sum, floors[i])));
                sum = Plus(Minus(sum, floors[i]), e.Value);
                if (!e.Exact || sum > limit) {
                    return TEntry{false, sum, 0};
                }
                whole.Count = ProductCapped(whole.Count, e.Count);
            }
            whole.Value = sum;
            return whole;
        }
        {
            // A column another holds at fewer literals is in no minimum: the state without it
            // has the same minima.
            TBits fewer = state;
            for (int k = 0; k < FCols; ++k) {
                if (Test(state.data() + FRowWords, k) && Dominated(state, k)) {
                    Clear(fewer.data() + FRowWords, k);
                }
            }
            if (fewer != state) {
                return Solve(std::move(fewer), limit);
            }
        }
        const TValue floor = Floor(state);
        if (floor > limit) {
            return TEntry{false, floor, 0};
        }
        if (FApartFloor.first == limit.first) {
            // No more columns than the rows apart: each column of a cover within limit holds
            // one of them, at no more over its cheapest than the literals to spare.
            TBits fewer = state;
            uint64_t* cols = fewer.data() + FRowWords;
            std::fill(cols, cols + FColWords, 0);
            for (const auto& [r, cheapest] : FApart) {
                for (int w = 0; w < FColWords; ++w) {
                    for (uint64_t rest = RowCols(r)[w] & state[static_cast<size_t>(FRowWords + w)];
                         rest != 0; rest &= rest - 1) {
                        const int k = w * 64 + std::countr_zero(rest);
                        if (FCost[static_cast<size_t>(k)] - cheapest <=
                            limit.second - FApartFloor.second) {
                            Set(cols, k);
                        }
                    }
                }
            }
            if (fewer != state) {
                // Past limit, the columns dropped could have done better: only a floor is known.
                const TEntry e = Solve(std::move(fewer), limit);
                return e.Value <= limit ? e : TEntry{false, floor, 0};
            }
        }
        TEntry best{true, NoCover, 0};
        for (const auto& [k, child] : Branches(state)) {
            const TValue step{1, FCost[static_cast<size_t>(k)]};
            const TEntry e = Solve(child, Minus(std::min(limit, best.Value), step));
            if (FStopped) {
                return TEntry{false, NoCover, 0};
            }
            if (!e.Exact) {
                continue;
            }
            const TValue value = Plus(e.Value, step);
            if (value < best.Value) {
                best = TEntry{true, value, e.Count};
            } else if (value == best.Value) {
                best.Count = SumCapped(best.Count, e.Count);
            }
        }
        if (best.Value > limit) {
            return TEntry{false, floor, 0};
        }
        return best;
    }

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
    std::vector<double> FSlack;  // each column's share and literals not yet taken
    int64_t FMaxNodes;
    const std::atomic<bool>* FCancel;
    int64_t FNodes = 0;
    bool FStopped = false;
};

}  // namespace

TPartMinima PartMinima(const TChart& chart, const TChartPart& part, std::pair<int, int> limit,
                       size_t keep, int64_t maxNodes, const std::atomic<bool>* cancel) {
    TMinimaSearch search(chart, part, maxNodes, cancel);
    const TBits whole = search.Whole();
    const TEntry e = search.Solve(whole, limit);
    TPartMinima out;
    out.Nodes = search.Nodes();
    out.Stopped = search.Stopped() || !e.Exact;
    if (out.Stopped) {
        return out;
    }
    out.Best = e.Value;
    out.Count = e.Count;
    if (keep == 0) {
        return out;
    }
    for (std::vector<int>& cover : search.Covers(whole, e.Value, keep)) {
        for (int& k : cover) {
            k = search.Column(k);
        }
        std::sort(cover.begin(), cover.end());
        out.Kept.push_back(std::move(cover));
    }
    return out;
}
