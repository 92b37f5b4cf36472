// The counting search's strongest floor: multipliers on the rows, raised by subgradient steps,
// and what they tell of single columns (in every cover within the limit, or in none).
#include <algorithm>
#include <cmath>

#include "engine/cover/CoverCountSearch.h"

namespace minima {

namespace {

constexpr double Slack = 1e-6;

}  // namespace

TValue TMinimaSearch::LagrangeFloor(const TBits& state, TValue limit, bool least) {
    const uint64_t* cols = state.data() + FRowWords;
    FLiveCols.clear();
    FColStart.assign(1, 0);
    FColList.clear();
    for (int k = 0; k < FCols; ++k) {
        if (!Test(cols, k) || FWidth[static_cast<size_t>(k)] == 0) {
            continue;
        }
        FLiveCols.push_back(k);
        for (int w = 0; w < FRowWords; ++w) {
            for (uint64_t rest = ColRows(k)[w] & state[static_cast<size_t>(w)]; rest != 0;
                 rest &= rest - 1) {
                FColList.push_back(w * 64 + std::countr_zero(rest));
            }
        }
        FColStart.push_back(static_cast<int>(FColList.size()));
    }
    const size_t live = FLiveCols.size();
    // With no cover below limit's columns, one within it has exactly that many: the columns
    // taken are the cheapest that many, and only literals are weighed. Else a column weighs
    // more than the literals of any irredundant cover, so weights order covers as values do.
    FLeastMode = least;
    FSlots = least ? static_cast<size_t>(std::max(limit.first, 0)) : live;
    if (FSlots > live) {
        return NoCover;
    }
    const double scale = least ? 0 : FScale;
    FWeight.resize(live);
    for (size_t j = 0; j < live; ++j) {
        FWeight[j] = scale + FCost[static_cast<size_t>(FLiveCols[j])];
    }
    std::vector<double>& mult = FMult[least ? 1 : 0];
    // A row new to the multipliers starts at its even share of its cheapest column; the rest
    // start where the last state left them.
    for (const auto& [order, r] : FOrder) {
        FFresh[static_cast<size_t>(r)] = mult[static_cast<size_t>(r)] < 0 ? 1 : 0;
        if (FFresh[static_cast<size_t>(r)] != 0) {
            mult[static_cast<size_t>(r)] = 1e300;
        }
    }
    for (size_t j = 0; j < live; ++j) {
        const double share = FWeight[j] / (FColStart[j + 1] - FColStart[j]);
        for (int i = FColStart[j]; i < FColStart[j + 1]; ++i) {
            const auto r = static_cast<size_t>(FColList[static_cast<size_t>(i)]);
            mult[r] = FFresh[r] != 0 ? std::min(mult[r], share) : mult[r];
        }
    }
    // Every cover within limit weighs at most bound: the steps aim just past it.
    FBound = scale * limit.first + limit.second;
    FDead.assign(live, 0);
    const auto floorOf = [&](double weight) -> TValue {
        if (weight <= 0) {
            return {least ? limit.first : 0, 0};
        }
        const auto whole = static_cast<int64_t>(std::ceil(weight - Slack));
        if (least) {
            return {limit.first, static_cast<int>(whole)};
        }
        const auto perColumn = static_cast<int64_t>(FScale);
        return {static_cast<int>(whole / perColumn), static_cast<int>(whole % perColumn)};
    };
    // The first state starts cold and is worth more steps; the rest start from their parent's.
    // Columns priced out leave, and the steps go on without them while that raises the floor.
    FLagrange = Subgradient(mult, FNodes <= 1 ? 300 : 15, -1e300);
    const TValue before = floorOf(FLagrange);
    bool cut = false;
    for (int again = 0; again < 3 && FLagrange <= FBound + Slack; ++again) {
        size_t dropped = 0;
        for (size_t i = FTaken; i < live; ++i) {
            const auto j = static_cast<size_t>(FRank[i]);
            if (FDead[j] == 0 && FLagrange + FReduced[j] - FDrop > FBound + Slack) {
                FDead[j] = 1;
                FWeight[j] = 1e300;
                ++dropped;
            }
        }
        if (dropped == 0) {
            break;
        }
        cut = true;
        if (!Coverable()) {
            FLagrange = 1e300;
            break;
        }
        FLagrange = Subgradient(mult, 10, FLagrange);
    }
    if (FLagrange > FBound + Slack && cut) {
        // Past limit only once columns left: they could have done better than this floor.
        return std::max(before, TValue{limit.first, limit.second + 1});
    }
    return floorOf(FLagrange);
}

bool TMinimaSearch::Coverable() {
    // FGrad, free between steps, marks each row some column left holds.
    size_t alive = 0;
    for (const auto& [order, r] : FOrder) {
        FGrad[static_cast<size_t>(r)] = 0;
    }
    for (size_t j = 0; j < FLiveCols.size(); ++j) {
        if (FDead[j] == 0) {
            ++alive;
            for (int i = FColStart[j]; i < FColStart[j + 1]; ++i) {
                FGrad[static_cast<size_t>(FColList[static_cast<size_t>(i)])] = 1;
            }
        }
    }
    return alive >= (FLeastMode ? FSlots : 0) &&
           std::all_of(FOrder.begin(), FOrder.end(),
                       [&](const auto& o) { return FGrad[static_cast<size_t>(o.second)] != 0; });
}

double TMinimaSearch::Subgradient(std::vector<double>& mult, int rounds, double best) {
    const size_t live = FLiveCols.size();
    FReduced.resize(live);
    FRank.resize(live);
    FTrialReduced.resize(live);
    FTrialRank.resize(live);
    std::vector<double>& reduced = FTrialReduced;
    std::vector<int>& rank = FTrialRank;
    const bool improving = best > -1e300;
    double step = 1;
    int idle = 0;
    for (int round = 0; round < rounds; ++round) {
        double value = 0;
        for (const auto& [order, r] : FOrder) {
            value += mult[static_cast<size_t>(r)];
            FGrad[static_cast<size_t>(r)] = 1;
        }
        for (size_t j = 0; j < live; ++j) {
            reduced[j] = FWeight[j];
            for (int i = FColStart[j]; i < FColStart[j + 1]; ++i) {
                reduced[j] -= mult[static_cast<size_t>(FColList[static_cast<size_t>(i)])];
            }
            rank[j] = static_cast<int>(j);
        }
        // The columns taken: the cheapest slots of them, or those below zero, first.
        size_t taken = FSlots;
        if (FLeastMode && FSlots > 0) {
            std::nth_element(rank.begin(), rank.begin() + static_cast<ptrdiff_t>(FSlots - 1),
                             rank.end(), [&](int x, int y) {
                                 return reduced[static_cast<size_t>(x)] <
                                        reduced[static_cast<size_t>(y)];
                             });
        } else if (!FLeastMode) {
            taken = static_cast<size_t>(
                std::partition(rank.begin(), rank.end(),
                               [&](int j) { return reduced[static_cast<size_t>(j)] < 0; }) -
                rank.begin());
        }
        for (size_t i = 0; i < taken; ++i) {
            const auto j = static_cast<size_t>(rank[i]);
            value += reduced[j];
            for (int k = FColStart[j]; k < FColStart[j + 1]; ++k) {
                FGrad[static_cast<size_t>(FColList[static_cast<size_t>(k)])] -= 1;
            }
        }
        // The first round after columns left always counts: the last best knew them.
        if (value > best || (improving && round == 0)) {
            best = std::max(best, value);
            FTaken = taken;
            FReduced.swap(reduced);
            FRank.swap(rank);
            for (const auto& [order, r] : FOrder) {
                FBestMult[static_cast<size_t>(r)] = mult[static_cast<size_t>(r)];
            }
            idle = 0;
        } else if (++idle == 5) {
            step /= 2;
            idle = 0;
        }
        if (best > FBound + Slack || step < 0.01) {
            break;  // past the limit, or the steps no longer move the floor
        }
        double norm = 0;
        for (const auto& [order, r] : FOrder) {
            double& g = FGrad[static_cast<size_t>(r)];
            g = mult[static_cast<size_t>(r)] <= 0 && g < 0 ? 0 : g;
            norm += g * g;
        }
        if (norm == 0) {
            break;  // the columns taken cover each row once: no multipliers do better
        }
        const double t = step * (FBound + 1 - value) / norm;
        for (const auto& [order, r] : FOrder) {
            double& u = mult[static_cast<size_t>(r)];
            u = std::max(0.0, u + t * FGrad[static_cast<size_t>(r)]);
        }
    }
    for (const auto& [order, r] : FOrder) {
        mult[static_cast<size_t>(r)] = FBestMult[static_cast<size_t>(r)];
    }
    // What taking a column not taken, or leaving one taken, costs at the best multipliers:
    // with slots to fill, the dearest taken makes way, or the cheapest left takes its place.
    FDrop = 0;
    FNext = 0;
    if (FLeastMode) {
        FDrop = FTaken > 0 ? FReduced[static_cast<size_t>(FRank[FTaken - 1])] : 0;
        FNext = 1e300;
        for (size_t i = FTaken; i < live; ++i) {
            FNext = std::min(FNext, FReduced[static_cast<size_t>(FRank[i])]);
        }
    }
    return best;
}

void TMinimaSearch::DropPricedOut(uint64_t* cols) const {
    for (size_t i = FTaken; FLagrange >= 0 && i < FRank.size(); ++i) {
        const auto j = static_cast<size_t>(FRank[i]);
        if (FLagrange + FReduced[j] - FDrop > FBound + Slack) {
            Clear(cols, FLiveCols[j]);
        }
    }
}

std::vector<int> TMinimaSearch::Forced(const TBits& state) const {
    std::vector<int> forced;
    for (size_t i = 0; FLagrange >= 0 && i < FTaken; ++i) {
        const auto j = static_cast<size_t>(FRank[i]);
        if (FLagrange - FReduced[j] + FNext > FBound + Slack &&
            Test(state.data() + FRowWords, FLiveCols[j])) {
            forced.push_back(FLiveCols[j]);
        }
    }
    return forced;
}

}  // namespace minima
