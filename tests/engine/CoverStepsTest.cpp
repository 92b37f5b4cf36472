// The cover's steps on charts whose reductions are known, their minimum against Minimum cover,
// and the count of minimum covers against every subset of the primes or of a chart's columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <numeric>
#include <random>
#include <set>

#include "engine/PrimeSearch.h"
#include "engine/cover/CoverCount.h"
#include "engine/cover/CoverSteps.h"
#include "tests/support/Reference.h"

namespace {

struct TFunction {
    int n = 3;
    TMintermBits on, dc;
};

TFunction Function(int n, std::initializer_list<uint32_t> on, std::initializer_list<uint32_t> dc) {
    TFunction f{n, MakeMintermBits(n), MakeMintermBits(n)};
    for (const uint32_t m : on) {
        SetMinterm(f.on, m);
    }
    for (const uint32_t m : dc) {
        SetMinterm(f.dc, m);
    }
    return f;
}

TFunction RandomFunction(int n, std::mt19937& rng) {
    TFunction f{n, MakeMintermBits(n), MakeMintermBits(n)};
    for (uint32_t m = 0; m < (1u << n); ++m) {
        const uint32_t x = rng() % 8;
        if (x < 4) {
            SetMinterm(f.on, m);
        } else if (x == 4) {
            SetMinterm(f.dc, m);
        }
    }
    return f;
}

int Count(const TCoverSteps& steps, TReductionKind kind) {
    return static_cast<int>(std::count_if(steps.Reductions.begin(), steps.Reductions.end(),
                                          [&](const TReduction& r) { return r.Kind == kind; }));
}

struct TStepsCase {
    const char* Name;
    TFunction F;
    int Essentials, RowsRemoved, ColumnsRemoved, CoreRows;
    size_t Terms;
    int64_t Minima;
};

class CoverStepsKnown : public ::testing::TestWithParam<TStepsCase> {};

TEST_P(CoverStepsKnown, ReducesTheChartAndCountsTheMinima) {
    const TStepsCase& c = GetParam();
    const std::vector<TCube> primes = CoveringPrimes(c.F.n, c.F.on, c.F.dc).Primes;
    TCoverSteps steps;
    const TMinimumCover cover = ReduceChart(c.F.n, c.F.on, c.F.dc, primes, &steps);
    EXPECT_EQ(CoverFault(c.F.n, c.F.on, c.F.dc, primes, cover), "");
    EXPECT_EQ(Count(steps, TReductionKind::Essential), c.Essentials);
    EXPECT_EQ(Count(steps, TReductionKind::RowRemoved), c.RowsRemoved);
    EXPECT_EQ(Count(steps, TReductionKind::ColumnRemoved), c.ColumnsRemoved);
    EXPECT_EQ(static_cast<int>(steps.CoreRows.size()), c.CoreRows);
    EXPECT_EQ(cover.Chosen.size(), c.Terms);
    EXPECT_EQ(CountMinimumCovers(c.F.n, c.F.on, c.F.dc, primes).Count, c.Minima);
}

INSTANTIATE_TEST_SUITE_P(
    Charts, CoverStepsKnown,
    ::testing::Values(
        // Six primes in a ring: nothing reduces, Petrick's product picks one of two.
        TStepsCase{"cyclic", Function(3, {0, 1, 2, 5, 6, 7}, {}), 0, 0, 0, 6, 3, 2},
        // a'b' and bc alone hold 0 and 7; a'c is then left with no row.
        TStepsCase{"essentialsOnly", Function(3, {0, 1, 3, 7}, {}), 2, 0, 0, 0, 2, 1},
        // a'c' and ac hold 0 and 5; a'b and bc then tie on row 3, one goes, the other is taken.
        TStepsCase{"columnDominance", Function(3, {0, 2, 3, 5, 7}, {}), 3, 0, 1, 0, 3, 2},
        // Row 1 holds both primes of row 0 and goes; the primes of row 0 tie, one is taken.
        TStepsCase{"rowDominance", Function(4, {0, 1, 4, 5, 6, 7, 8, 9, 10, 11}, {}), 3, 1, 1, 0, 3,
                   2},
        // Above eight variables nothing is counted.
        TStepsCase{"nineUncounted", Function(9, {0, 511}, {}), 2, 0, 0, 0, 2, -1}),
    [](const auto& info) { return std::string(info.param.Name); });

// Every subset of the primes: the minimum (terms, literals) and how many covers reach it.
std::pair<int64_t, std::pair<int, int>> BruteMinima(const TFunction& f,
                                                    const std::vector<TCube>& primes) {
    std::pair<int, int> best{INT_MAX, INT_MAX};
    int64_t count = 0;
    for (uint32_t set = 0; set < (1u << primes.size()); ++set) {
        std::pair<int, int> cost{std::popcount(set), 0};
        bool covers = true;
        for (uint32_t m = 0; m < (1u << f.n) && covers; ++m) {
            bool hit = false;
            for (size_t p = 0; p < primes.size(); ++p) {
                hit = hit || ((set >> p & 1) != 0 && Covers(primes[p], m));
            }
            covers = hit || !TestMinterm(f.on, m) || TestMinterm(f.dc, m);
        }
        for (size_t p = 0; p < primes.size(); ++p) {
            cost.second += (set >> p & 1) != 0 ? std::popcount(primes[p].Care) : 0;
        }
        if (covers && cost <= best) {
            count = cost == best ? count + 1 : 1;
            best = cost;
        }
    }
    return {count, best};
}

TEST(CoverSteps, MinimumAndCountMatchMinimumCoverAndEverySubset) {
    std::mt19937 rng(28);
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(i);
        const TFunction f = RandomFunction(3 + i % 4, rng);
        const std::vector<TCube> primes = CoveringPrimes(f.n, f.on, f.dc).Primes;
        const TMinimumCover steps = ReduceChart(f.n, f.on, f.dc, primes);
        const TMinimumCover search = FindMinimumCover(f.n, f.on, f.dc, primes);
        ASSERT_EQ(CoverFault(f.n, f.on, f.dc, primes, steps), "");
        ASSERT_EQ(steps.Chosen.size(), search.Chosen.size());
        ASSERT_EQ(steps.Literals, search.Literals);
        if (primes.size() > 16) {
            continue;
        }
        const auto [count, best] = BruteMinima(f, primes);
        ASSERT_EQ(std::pair(static_cast<int>(steps.Chosen.size()), steps.Literals), best);
        ASSERT_EQ(CountMinimumCovers(f.n, f.on, f.dc, primes).Count, count);
    }
}

// Random cyclic charts: the counting search against every subset of the columns.
struct TChartCase {
    int Rows, Cols, Percent;
    uint32_t Seed;
    int Literals = 3;  // each column costs 1 to this
};

class CoverStepsCharts : public ::testing::TestWithParam<TChartCase> {};

TChart RandomChart(const TChartCase& c) {
    std::mt19937 rng(c.Seed);
    TChart chart;
    chart.RowMinterm.resize(static_cast<size_t>(c.Rows));
    chart.RowCols.resize(static_cast<size_t>(c.Rows));
    for (int k = 0; k < c.Cols; ++k) {
        chart.ColPrime.push_back(k);
        chart.Cost.push_back(1 + static_cast<int>(rng() % static_cast<uint32_t>(c.Literals)));
        chart.ColRows.emplace_back();
        for (int r = 0; r < c.Rows; ++r) {
            if (static_cast<int>(rng() % 100) < c.Percent) {
                chart.ColRows.back().push_back(r);
                chart.RowCols[static_cast<size_t>(r)].push_back(k);
            }
        }
    }
    for (int r = 0; r < c.Rows; ++r) {
        if (chart.RowCols[static_cast<size_t>(r)].empty()) {
            const int k = static_cast<int>(rng() % static_cast<uint32_t>(c.Cols));
            chart.ColRows[static_cast<size_t>(k)].push_back(r);
            chart.RowCols[static_cast<size_t>(r)].push_back(k);
        }
    }
    chart.RowLive.assign(static_cast<size_t>(c.Rows), 1);
    chart.ColLive.assign(static_cast<size_t>(c.Cols), 1);
    return chart;
}

int Literals(const TChart& chart, const std::vector<int>& columns) {
    int sum = 0;
    for (const int k : columns) {
        sum += chart.Cost[static_cast<size_t>(k)];
    }
    return sum;
}

// Each cover kept holds every row at the minimum's value, and none comes twice.
void ExpectKeptAreMinima(const TChart& chart, const TPartMinima& minima) {
    std::set<std::vector<int>> seen;
    for (const std::vector<int>& cover : minima.Kept) {
        std::set<int> rows;
        for (const int k : cover) {
            rows.insert(chart.ColRows[static_cast<size_t>(k)].begin(),
                        chart.ColRows[static_cast<size_t>(k)].end());
        }
        EXPECT_EQ(rows.size(), chart.RowCols.size());
        EXPECT_EQ(std::pair(static_cast<int>(cover.size()), Literals(chart, cover)), minima.Best);
        EXPECT_TRUE(seen.insert(cover).second);
    }
}

TEST_P(CoverStepsCharts, CountsWhatEverySubsetFinds) {
    const TChartCase& c = GetParam();
    const TChart chart = RandomChart(c);
    std::pair<int, int> best{INT_MAX, INT_MAX};
    int64_t count = 0;
    for (uint32_t set = 0; set < (1u << c.Cols); ++set) {
        std::vector<char> hit(static_cast<size_t>(c.Rows), 0);
        std::pair<int, int> value{std::popcount(set), 0};
        for (int k = 0; k < c.Cols; ++k) {
            if ((set >> k & 1) != 0) {
                value.second += chart.Cost[static_cast<size_t>(k)];
                for (const int r : chart.ColRows[static_cast<size_t>(k)]) {
                    hit[static_cast<size_t>(r)] = 1;
                }
            }
        }
        if (std::find(hit.begin(), hit.end(), 0) == hit.end() && value <= best) {
            count = value == best ? count + 1 : 1;
            best = value;
        }
    }
    // From a limit no better than the minimum, as a cover found first gives; with its columns
    // known to be the fewest, or not.
    const std::pair<std::pair<int, int>, bool> limits[] = {
        {best, true}, {{best.first, best.second + 2}, true}, {{best.first + 1, 0}, false}};
    for (const auto& [limit, fewest] : limits) {
        const TPartMinima minima = PartMinima(chart, TChartPart{chart.RowLive, chart.ColLive},
                                              limit, fewest, 1000, 1'000'000);
        ASSERT_FALSE(minima.Stopped);
        EXPECT_EQ(minima.Best, best);
        EXPECT_EQ(minima.Count, count);
        EXPECT_EQ(static_cast<int64_t>(minima.Kept.size()), count);
        ExpectKeptAreMinima(chart, minima);
        // Seeking alone: a cover cheaper than the limit when there is one, else none.
        const TPartMinima seek =
            PartMinimum(chart, TChartPart{chart.RowLive, chart.ColLive}, limit, fewest, 1'000'000);
        ASSERT_FALSE(seek.Stopped);
        EXPECT_EQ(seek.Best, best);
        EXPECT_EQ(seek.Kept.size(), limit == best ? 0u : 1u);
        ExpectKeptAreMinima(chart, seek);
        // Stopped just as the count ends: a cover comes back, or the search says it stopped.
        const TPartMinima capped = PartMinima(chart, TChartPart{chart.RowLive, chart.ColLive},
                                              limit, fewest, 1, minima.Nodes);
        EXPECT_TRUE(capped.Stopped || capped.Kept.size() == 1);
    }
}

// Charts past every subset, where the multipliers' floors decide: weighing literals alone once
// the fewest columns are known counts what weighing columns and literals together counts.
TEST(CoverStepsCharts, LargerChartsCountAlikeEitherWay) {
    for (const TChartCase& c : {TChartCase{100, 80, 5, 3, 1}, TChartCase{120, 100, 4, 8, 2},
                                TChartCase{80, 90, 6, 12, 1}, TChartCase{150, 120, 3, 21, 2}}) {
        const TChart chart = RandomChart(c);
        const TChartPart part{chart.RowLive, chart.ColLive};
        std::vector<int> all(static_cast<size_t>(c.Cols));
        std::iota(all.begin(), all.end(), 0);
        const TPartMinima loose =
            PartMinima(chart, part, {c.Cols, Literals(chart, all)}, false, 50, 1'000'000);
        const TPartMinima tight = PartMinima(chart, part, loose.Best, true, 50, 1'000'000);
        ASSERT_FALSE(loose.Stopped || tight.Stopped);
        EXPECT_EQ(tight.Best, loose.Best);
        EXPECT_EQ(tight.Count, loose.Count);
        ExpectKeptAreMinima(chart, tight);
        const TPartMinima seek =
            PartMinimum(chart, part, {c.Cols, Literals(chart, all)}, false, 1'000'000);
        EXPECT_EQ(seek.Best, loose.Best);
        ExpectKeptAreMinima(chart, seek);
    }
}

INSTANTIATE_TEST_SUITE_P(Random, CoverStepsCharts,
                         ::testing::Values(TChartCase{8, 10, 30, 1}, TChartCase{12, 14, 20, 2},
                                           TChartCase{20, 18, 12, 4}, TChartCase{30, 20, 10, 10},
                                           TChartCase{40, 20, 8, 17}, TChartCase{24, 20, 15, 23},
                                           TChartCase{50, 20, 7, 30}, TChartCase{36, 20, 12, 35}));

}  // namespace
