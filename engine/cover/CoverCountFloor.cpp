// The counting search's floors: rows apart, even shares and a greedy dual, each a least number
// of columns and of literals that every cover of a state needs.
#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/cover/CoverCountSearch.h"

namespace minima {

TValue TMinimaSearch::Floor(const TBits& state, TValue limit, bool least) {
    const uint64_t* cols = state.data() + FRowWords;
    FLagrange = -1;
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
                    // Only rows still free are picked from: the others' counts are not read.
                    for (uint64_t y = FNear[static_cast<size_t>(x * FRowWords + v)] &
                                      free[static_cast<size_t>(v)];
                         y != 0; y &= y - 1) {
                        FClash[static_cast<size_t>(v * 64 + std::countr_zero(y))] -= 64;
                    }
                }
            }
        }
        int cheapest = INT_MAX;
        for (int w = 0; w < FColWords; ++w) {
            for (uint64_t rest = RowCols(pick)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                cheapest =
                    std::min(cheapest, FCost[static_cast<size_t>(w * 64 + std::countr_zero(rest))]);
            }
        }
        floor = Plus(floor, {1, cheapest});
        FApart.emplace_back(pick, cheapest);
    }
    FApartFloor = floor;
    // Past limit already: the state is done with, and the dearer floors are not needed.
    if (floor > limit) {
        return floor;
    }
    // Each row shares out its column: a cover's columns hold every row, so they number at
    // least the rows' shares of the widest column each is in, and cost at least the shares
    // of the cheapest per row.
    FWidth.assign(static_cast<size_t>(FCols), 0);
    for (int k = 0; k < FCols; ++k) {
        if (Test(cols, k)) {
            FWidth[static_cast<size_t>(k)] = Overlap(ColRows(k), state.data(), FRowWords);
        }
    }
    // With the columns known, the multipliers weigh literals at exactly that many columns,
    // which no share or greedy dual beats: they go straight on.
    if (least) {
        return std::max(floor, LagrangeFloor(state, limit, least));
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
    const auto raised = [&] {
        return TValue{std::max(floor.first, static_cast<int>(std::ceil(columns - 1e-9))),
                      std::max(floor.second, static_cast<int>(std::ceil(cost - 1e-9)))};
    };
    if (raised() > limit) {
        return raised();
    }
    std::sort(FOrder.begin(), FOrder.end());
    double dualColumns = 0;
    double dualCost = 0;
    GreedyDual(cols, dualColumns, dualCost);
    columns = std::max(columns, dualColumns);
    cost = std::max(cost, dualCost);
    if (raised() > limit) {
        return raised();
    }
    std::sort(FOrder.begin(), FOrder.end(), [](const auto& a, const auto& b) {
        return std::pair{a.first % 64, a.second} < std::pair{b.first % 64, b.second};
    });
    GreedyDual(cols, dualColumns, dualCost);
    columns = std::max(columns, dualColumns);
    cost = std::max(cost, dualCost);
    if (raised() > limit) {
        return raised();
    }
    return std::max(raised(), LagrangeFloor(state, limit, least));
}

void TMinimaSearch::GreedyDual(const uint64_t* cols, double& columns, double& cost) {
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
    FDualSum = {sumColumns, sumCost};
    columns = std::max(columns, sumColumns);
    cost = std::max(cost, sumCost);
}

TBits TMinimaSearch::Tightened(const TBits& state, TValue floor, TValue limit, bool least) const {
    TBits fewer = state;
    uint64_t* cols = fewer.data() + FRowWords;
    const uint64_t* was = state.data() + FRowWords;
    // Every cover holds the dual's sum and the slack of each of its columns: a column that
    // takes that past the limit is in no cover within it. Literals bind only when the cover
    // needs all the columns the limit allows.
    const double spare = limit.first - FDualSum.first + 1e-6;
    const double spareCost = limit.second - FDualSum.second + 1e-6;
    for (int k = 0; !least && k < FCols; ++k) {
        if (Test(was, k) &&
            (FSlack[static_cast<size_t>(2 * k)] > spare ||
             (floor.first == limit.first && FSlack[static_cast<size_t>(2 * k + 1)] > spareCost))) {
            Clear(cols, k);
        }
    }
    DropPricedOut(cols);
    if (FApartFloor.first == limit.first) {
        // No more columns than the rows apart: each column of a cover within limit holds
        // one of them, at no more over its cheapest than the literals to spare.
        TBits held(static_cast<size_t>(FColWords), 0);
        for (const auto& [r, cheapest] : FApart) {
            for (int w = 0; w < FColWords; ++w) {
                for (uint64_t rest = RowCols(r)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                    const int k = w * 64 + std::countr_zero(rest);
                    if (FCost[static_cast<size_t>(k)] - cheapest <=
                        limit.second - FApartFloor.second) {
                        Set(held.data(), k);
                    }
                }
            }
        }
        std::copy(held.begin(), held.end(), cols);
    }
    return fewer;
}

}  // namespace minima
