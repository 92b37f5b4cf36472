// The chart reduction that explains a minimum cover, and the count of every minimum cover.
#include "engine/cover/CoverSteps.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "engine/cover/CoverChart.h"
#include "engine/cover/CoverCount.h"

namespace {

// What the minimum cover's own search may spend on a part of the core.
constexpr int64_t SeedBudgetMs = 2000;

size_t U(int i) {
    return static_cast<size_t>(i);
}

// Essentials and dominance on the chart's live rows and columns, each told to steps if given.
class TReducer {
  public:
    TReducer(TChart& chart, TCoverSteps* steps)
        : C(chart), Steps(steps), FMark(std::max(chart.Rows(), chart.Cols()), 0) {}

    std::vector<int> Taken;

    void DropUncoverable() {
        for (int r = 0; r < C.Rows(); ++r) {
            C.RowLive[U(r)] = LiveCount(C.RowCols[U(r)], C.ColLive) > 0 ? 1 : 0;
        }
    }

    bool Essentials() {
        bool changed = false;
        for (int r = 0; r < C.Rows(); ++r) {
            if (!C.RowLive[U(r)] || LiveCount(C.RowCols[U(r)], C.ColLive) != 1) {
                continue;
            }
            const int c = *std::find_if(C.RowCols[U(r)].begin(), C.RowCols[U(r)].end(),
                                        [&](int k) { return C.ColLive[U(k)] != 0; });
            Record(TReductionKind::Essential, U(C.ColPrime[U(c)]), C.RowMinterm[U(r)]);
            Taken.push_back(c);
            C.ColLive[U(c)] = 0;
            for (const int k : C.ColRows[U(c)]) {
                C.RowLive[U(k)] = 0;
            }
            changed = true;
        }
        return changed;
    }

    // A row holding every column of another row is covered whenever that one is.
    bool RowDominance() {
        bool changed = false;
        for (int r = 0; r < C.Rows(); ++r) {
            if (!C.RowLive[U(r)]) {
                continue;
            }
            const int pivot = MarkLive(C.RowCols[U(r)], C.ColLive, C.ColRows, C.RowLive);
            if (pivot < 0) {
                continue;
            }
            for (const int k : C.ColRows[U(pivot)]) {
                if (k != r && C.RowLive[U(k)] && Holds(C.RowCols[U(k)], C.ColLive) >= 0) {
                    C.RowLive[U(k)] = 0;
                    Record(TReductionKind::RowRemoved, C.RowMinterm[U(k)], C.RowMinterm[U(r)]);
                    changed = true;
                }
            }
        }
        return changed;
    }

    // A column whose live rows another column holds too, at no more literals, is never needed.
    // strict keeps the columns that tie on literals: they may be in other minimum covers.
    bool ColumnDominance(bool strict = false) {
        bool changed = false;
        for (int c = 0; c < C.Cols(); ++c) {
            if (!C.ColLive[U(c)]) {
                continue;
            }
            if (LiveCount(C.ColRows[U(c)], C.RowLive) == 0) {
                C.ColLive[U(c)] = 0;
                continue;
            }
            const int pivot = MarkLive(C.ColRows[U(c)], C.RowLive, C.RowCols, C.ColLive);
            for (const int k : C.RowCols[U(pivot)]) {
                if (k != c && C.ColLive[U(k)] && C.Cost[U(k)] + (strict ? 1 : 0) <= C.Cost[U(c)] &&
                    Holds(C.ColRows[U(k)], C.RowLive) >= 0) {
                    C.ColLive[U(c)] = 0;
                    Record(TReductionKind::ColumnRemoved, U(C.ColPrime[U(c)]), U(C.ColPrime[U(k)]));
                    changed = true;
                    break;
                }
            }
        }
        return changed;
    }

  private:
    static int LiveCount(const std::vector<int>& list, const std::vector<char>& live) {
        return static_cast<int>(
            std::count_if(list.begin(), list.end(), [&](int i) { return live[U(i)] != 0; }));
    }

    // Marks the live members of list; returns the one whose own list is shortest.
    int MarkLive(const std::vector<int>& list, const std::vector<char>& live,
                 const std::vector<std::vector<int>>& lists, const std::vector<char>& their) {
        ++FStamp;
        FCount = 0;
        int pivot = -1;
        int width = 0;
        for (const int i : list) {
            if (!live[U(i)]) {
                continue;
            }
            FMark[U(i)] = FStamp;
            ++FCount;
            const int w = LiveCount(lists[U(i)], their);
            if (pivot < 0 || w < width) {
                pivot = i;
                width = w;
            }
        }
        return pivot;
    }

    // The live members of list when they include every marked one, else -1.
    int Holds(const std::vector<int>& list, const std::vector<char>& live) const {
        int shared = 0;
        int count = 0;
        for (const int i : list) {
            shared += FMark[U(i)] == FStamp ? 1 : 0;
            count += live[U(i)] ? 1 : 0;
        }
        return shared == FCount ? count : -1;
    }

    void Record(TReductionKind kind, uint32_t item, uint32_t by) {
        if (Steps != nullptr) {
            Steps->Reductions.push_back(TReduction{kind, item, by});
        }
    }

    TChart& C;
    TCoverSteps* Steps;

  public:
    // Every reduction until none applies.
    void Reduce(bool strict = false) {
        bool changed = true;
        while (changed) {
            changed = Essentials();
            changed = RowDominance() || changed;
            changed = ColumnDominance(strict) || changed;
        }
    }

  private:
    std::vector<uint32_t> FMark;
    uint32_t FStamp = 0;
    int FCount = 0;
};

void RecordChart(const TChart& chart, TCoverSteps& steps) {
    steps.Rows = chart.RowMinterm;
    steps.Columns = chart.ColPrime;
    for (const std::vector<int>& rows : chart.ColRows) {
        steps.ColumnRows.emplace_back();
        for (const int r : rows) {
            steps.ColumnRows.back().push_back(chart.RowMinterm[U(r)]);
        }
    }
}

void RecordCore(const TChart& chart, TCoverSteps& steps) {
    for (int r = 0; r < chart.Rows(); ++r) {
        if (chart.RowLive[U(r)]) {
            steps.CoreRows.push_back(chart.RowMinterm[U(r)]);
        }
    }
    for (int c = 0; c < chart.Cols(); ++c) {
        if (chart.ColLive[U(c)]) {
            steps.CoreColumns.push_back(chart.ColPrime[U(c)]);
        }
    }
}

int Cost(const TChart& chart, const std::vector<int>& columns) {
    int cost = 0;
    for (const int c : columns) {
        cost += chart.Cost[U(c)];
    }
    return cost;
}

// The core's best columns, part by part: by Petrick's product where it is small, else by
// branch and bound.
std::vector<int> SolveCore(const TChart& chart, bool small, TCoverSteps* steps, int64_t maxBranches,
                           bool& termsOpen, bool& literalsOpen, int& bound) {
    TCoverSteps record;
    record.Petrick = true;
    std::vector<int> chosen;
    for (const TChartPart& part : ChartParts(chart)) {
        ++record.CoreParts;
        std::vector<std::vector<int>> products;
        if (PetrickProducts(chart, part, products)) {
            const auto best = std::min_element(products.begin(), products.end(),
                                               [&](const auto& a, const auto& b) {
                                                   return std::pair{a.size(), Cost(chart, a)} <
                                                          std::pair{b.size(), Cost(chart, b)};
                                               });
            record.PetrickProducts += static_cast<int64_t>(products.size());
            bound += static_cast<int>(best->size());
            chosen.insert(chosen.end(), best->begin(), best->end());
            continue;
        }
        record.Petrick = false;
        // The minimum cover's search settles the terms fast; this one then only looks for
        // fewer literals at that size.
        bool proven = false;
        int least = 0;
        const std::vector<int> seed = PartCover(chart, part, SeedBudgetMs, proven, least);
        TCoreSearch search(chart, part, maxBranches);
        record.CoreFloor += search.IndependentBound();
        if (small) {
            // Small enough for the counting search, seeking a cheaper cover than the seed: it
            // proves terms and literals at once.
            const TPartMinima minima =
                PartMinimum(chart, part, {static_cast<int>(seed.size()), Cost(chart, seed)}, proven,
                            maxBranches);
            record.Branches += minima.Nodes;
            termsOpen = termsOpen || (minima.Stopped && !proven);
            literalsOpen = literalsOpen || minima.Stopped;
            bound += !minima.Stopped ? minima.Best.first
                     : proven        ? static_cast<int>(seed.size())
                                     : least;
            const std::vector<int>& best =
                minima.Stopped || minima.Kept.empty() ? seed : minima.Kept.front();
            chosen.insert(chosen.end(), best.begin(), best.end());
            continue;
        }
        search.Minimise(seed);
        record.Branches += search.Branches();
        termsOpen = termsOpen || !proven;
        literalsOpen = literalsOpen || search.Stopped();
        bound += proven ? search.Best().first : least;
        chosen.insert(chosen.end(), search.Chosen().begin(), search.Chosen().end());
    }
    record.CoreBound = bound;
    if (steps != nullptr) {
        steps->Petrick = record.Petrick;
        steps->PetrickProducts = record.PetrickProducts;
        steps->Branches = record.Branches;
        steps->CoreParts = record.CoreParts;
        steps->CoreFloor = record.CoreFloor;
        steps->CoreBound = record.CoreBound;
    }
    return chosen;
}

std::vector<int> PrimesOf(const TChart& chart, const std::vector<int>& taken,
                          const std::vector<int>& more) {
    std::vector<int> primes;
    for (const int c : taken) {
        primes.push_back(chart.ColPrime[U(c)]);
    }
    for (const int c : more) {
        primes.push_back(chart.ColPrime[U(c)]);
    }
    std::sort(primes.begin(), primes.end());
    return primes;
}

}  // namespace

TMinimumCover ReduceChart(int n, const TMintermBits& on, const TMintermBits& dc,
                          const std::vector<TCube>& primes, TCoverSteps* steps,
                          int64_t maxBranches) {
    TChart chart = BuildChart(n, on, dc, primes);
    if (steps != nullptr) {
        RecordChart(chart, *steps);
    }
    TReducer reducer(chart, steps);
    reducer.DropUncoverable();
    reducer.Reduce();
    TMinimumCover out;
    int coreBound = 0;
    bool termsOpen = false;
    bool literalsOpen = false;
    std::vector<int> core;
    if (std::find(chart.RowLive.begin(), chart.RowLive.end(), 1) != chart.RowLive.end()) {
        if (steps != nullptr) {
            RecordCore(chart, *steps);
        }
        core = SolveCore(chart, n <= MaxCountedVars, steps, maxBranches, termsOpen, literalsOpen,
                         coreBound);
    }
    if (steps != nullptr) {
        steps->CoreChosen = PrimesOf(chart, {}, core);
    }
    out.Chosen = PrimesOf(chart, reducer.Taken, core);
    for (const int p : out.Chosen) {
        out.Literals += std::popcount(primes[U(p)].Care & ((uint32_t{1} << n) - 1));
    }
    out.LowerBound = static_cast<int>(reducer.Taken.size()) + coreBound;
    out.Proven = !termsOpen;
    out.Stopped = termsOpen || literalsOpen;
    if (steps != nullptr) {
        steps->LiteralsProven = !out.Stopped;
    }
    return out;
}

TMinimumCovers CountMinimumCovers(int n, const TMintermBits& on, const TMintermBits& dc,
                                  const std::vector<TCube>& primes, size_t keep,
                                  int64_t maxBranches, const std::atomic<bool>* cancel) {
    TMinimumCovers out;
    if (n > MaxCountedVars) {
        return out;
    }
    // Essentials, row dominance and columns costing more than one that holds their rows keep
    // every minimum cover; a column that only ties could be in one, so it stays.
    TChart chart = BuildChart(n, on, dc, primes);
    TReducer reducer(chart, nullptr);
    reducer.DropUncoverable();
    reducer.Reduce(true);
    // A minimum cover is one of each part's minimum covers, so the count is their product.
    std::vector<std::vector<int>> covers{{}};
    int64_t count = 1;
    int literals = Cost(chart, reducer.Taken);
    for (const TChartPart& part : ChartParts(chart)) {
        bool proven = false;
        int least = 0;
        const std::vector<int> seed = PartCover(chart, part, SeedBudgetMs, proven, least, cancel);
        const TPartMinima all =
            PartMinima(chart, part, {static_cast<int>(seed.size()), Cost(chart, seed)}, proven,
                       keep, maxBranches, cancel);
        if (all.Stopped) {
            return out;
        }
        literals += all.Best.second;
        count = all.Count > INT64_MAX / count ? INT64_MAX : count * all.Count;
        std::vector<std::vector<int>> joined;
        for (size_t i = 0; i < covers.size() && joined.size() < keep; ++i) {
            for (size_t k = 0; k < all.Kept.size() && joined.size() < keep; ++k) {
                joined.push_back(covers[i]);
                joined.back().insert(joined.back().end(), all.Kept[k].begin(), all.Kept[k].end());
            }
        }
        covers = std::move(joined);
    }
    for (const std::vector<int>& cover : covers) {
        out.Covers.push_back(PrimesOf(chart, reducer.Taken, cover));
    }
    out.Complete = count < INT64_MAX;
    out.Count = count;
    out.Literals = literals;
    return out;
}
