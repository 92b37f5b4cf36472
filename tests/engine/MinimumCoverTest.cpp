// Minimum cover against the reference search, on functions with don't cares and on bare covering
// matrices, and its anytime contract: a valid cover and a true bound whenever it stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <bitset>
#include <numeric>
#include <random>
#include <vector>

#include "engine/PrimeSearch.h"
#include "engine/cover/CoverReduce.h"
#include "engine/cover/CoverSearch.h"
#include "engine/cover/MinimumCover.h"
#include "tests/support/Reference.h"

namespace {

// A function of up to 8 variables: each minterm ON, don't care or OFF.
struct TFunction {
    int n = 3;
    TMintermBits on, dc;
};

// The smallest cover of a function by its primes.
int MinimumOf(const TFunction& f, const std::vector<TCube>& primes) {
    std::vector<bool> must = MintermTable(f.on, f.n);
    for (uint32_t m = 0; m < must.size(); ++m) {
        must[m] = must[m] && !TestMinterm(f.dc, m);
    }
    return SmallestCover(f.n, primes, must).first;
}

TFunction RandomFunction(int n, double onDensity, double dcDensity, std::mt19937& rng) {
    TFunction f{n, MakeMintermBits(n), MakeMintermBits(n)};
    std::uniform_real_distribution<double> u(0, 1);
    for (uint32_t m = 0; m < (1u << n); ++m) {
        const double x = u(rng);
        if (x < onDensity) {
            SetMinterm(f.on, m);
        } else if (x < onDensity + dcDensity) {
            SetMinterm(f.dc, m);
        }
    }
    return f;
}

// Checks one function: a valid cover, proven, of the reference's size.
void CheckMinimum(const TFunction& f) {
    const std::vector<TCube> primes = CoveringPrimes(f.n, f.on, f.dc).Primes;
    const TMinimumCover cover = FindMinimumCover(f.n, f.on, f.dc, primes);
    ASSERT_EQ(CoverFault(f.n, f.on, f.dc, primes, cover), "");
    const int minimum = MinimumOf(f, primes);
    ASSERT_TRUE(cover.Proven);
    ASSERT_EQ(static_cast<int>(cover.Chosen.size()), minimum);
    EXPECT_FALSE(cover.Stopped);
}

TEST(MinimumCover, EveryFunctionOfThreeVariablesWithAndWithoutDontCares) {
    // Each minterm OFF, ON or don't care: 3^8 functions, the 256 without don't cares among them.
    for (int code = 0; code < 6561; ++code) {
        TFunction f{3, MakeMintermBits(3), MakeMintermBits(3)};
        for (uint32_t m = 0, rest = static_cast<uint32_t>(code); m < 8; ++m, rest /= 3) {
            if (rest % 3 == 1) {
                SetMinterm(f.on, m);
            } else if (rest % 3 == 2) {
                SetMinterm(f.dc, m);
            }
        }
        SCOPED_TRACE(code);
        CheckMinimum(f);
    }
}

TEST(MinimumCover, EveryFunctionOfFourVariables) {
    for (uint32_t table = 0; table < 65536; ++table) {
        TFunction f{4, MakeMintermBits(4), MakeMintermBits(4)};
        f.on[0] = table;
        SCOPED_TRACE(table);
        CheckMinimum(f);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

struct TRandomCase {
    const char* Name;
    int n;
    double On, Dc;
    int Count;
};

class MinimumCoverRandom : public ::testing::TestWithParam<TRandomCase> {};

TEST_P(MinimumCoverRandom, MatchesTheReferenceSearch) {
    const TRandomCase c = GetParam();
    std::mt19937 rng(static_cast<uint32_t>(c.n * 1000 + c.Count));
    for (int i = 0; i < c.Count; ++i) {
        SCOPED_TRACE(i);
        CheckMinimum(RandomFunction(c.n, c.On, c.Dc, rng));
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Functions, MinimumCoverRandom,
                         ::testing::Values(TRandomCase{"five", 5, 0.5, 0.0, 2000},
                                           TRandomCase{"fiveDontCares", 5, 0.4, 0.25, 2000},
                                           TRandomCase{"six", 6, 0.45, 0.0, 300},
                                           TRandomCase{"sixDontCares", 6, 0.35, 0.2, 300},
                                           TRandomCase{"sevenSparse", 7, 0.25, 0.0, 100},
                                           TRandomCase{"eightSparse", 8, 0.15, 0.05, 50},
                                           TRandomCase{"eight", 8, 0.2, 0.08, 6}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MinimumCover, CyclicFunctionOfThreeVariablesNeedsThreeTerms) {
    TFunction f{3, MakeMintermBits(3), MakeMintermBits(3)};
    for (const uint32_t m : {0u, 1u, 2u, 5u, 6u, 7u}) {
        SetMinterm(f.on, m);
    }
    const std::vector<TCube> primes = CoveringPrimes(3, f.on, f.dc).Primes;
    ASSERT_EQ(primes.size(), 6u);  // no prime is essential
    const TMinimumCover cover = FindMinimumCover(3, f.on, f.dc, primes);
    EXPECT_EQ(CoverFault(f.n, f.on, f.dc, primes, cover), "");
    EXPECT_EQ(cover.Chosen.size(), 3u);
    EXPECT_EQ(cover.Literals, 6);
    EXPECT_TRUE(cover.Proven);
}

struct TGauge : TProgressSink {
    int Max = -1;
    int Position = -1;
    void setMax(int max) override { Max = max; }
    void setPosition(int position) override { Position = position; }
};

// 16 variables with don't cares, and 12 without, where the search runs out of time and the
// weighting search takes over.
TEST(MinimumCover, LargeFunctionsGetAValidCoverWithinTheirBudget) {
    std::mt19937 rng(7);
    for (const auto& [n, dc] : {std::pair{16, 0.1}, std::pair{12, 0.0}}) {
        const TFunction f = RandomFunction(n, 0.45, dc, rng);
        const std::vector<TCube> primes = CoveringPrimes(n, f.on, f.dc).Primes;
        TGauge gauge;
        TCoverOptions options;
        options.BudgetMs = 300;
        options.Progress = &gauge;
        const TMinimumCover cover = FindMinimumCover(n, f.on, f.dc, primes, options);
        EXPECT_EQ(CoverFault(f.n, f.on, f.dc, primes, cover), "");
        EXPECT_GT(cover.LowerBound, 0);
        EXPECT_GE(gauge.Max, 0);
        EXPECT_EQ(gauge.Position, gauge.Max);
    }
}

// Stopped by the caller at once, or asked often and stopped later: still a valid cover, and
// the bound stays below the true minimum.
TEST(MinimumCover, StoppingKeepsAValidCoverAndATrueBound) {
    std::mt19937 rng(3);
    const TFunction f = RandomFunction(7, 0.3, 0.0, rng);
    const std::vector<TCube> primes = CoveringPrimes(7, f.on, f.dc).Primes;
    const int minimum = MinimumOf(f, primes);

    TCoverOptions now;
    now.BudgetMs = 0;
    const TMinimumCover atOnce = FindMinimumCover(7, f.on, f.dc, primes, now);
    EXPECT_EQ(CoverFault(7, f.on, f.dc, primes, atOnce), "");
    EXPECT_LE(atOnce.LowerBound, minimum);

    TFunction big = RandomFunction(14, 0.5, 0.0, rng);
    const std::vector<TCube> bigPrimes = CoveringPrimes(14, big.on, big.dc).Primes;
    int asked = 0;
    TCoverOptions cancel;
    cancel.KeepGoing = [&] { return ++asked < 3; };
    const TMinimumCover cancelled = FindMinimumCover(14, big.on, big.dc, bigPrimes, cancel);
    EXPECT_EQ(CoverFault(14, big.on, big.dc, bigPrimes, cancelled), "");
    EXPECT_TRUE(cancelled.Stopped);
    EXPECT_EQ(asked, 3);
}

TEST(MinimumCover, CoveringPrimesAreThePrimesOfOnOrDontCareThatReachOn) {
    std::mt19937 rng(11);
    const TFunction f = RandomFunction(6, 0.3, 0.3, rng);
    TMintermBits either = f.on;
    either[0] |= f.dc[0];
    const std::vector<TCube> expected =
        BrutePrimes(6, MintermTable(f.on, 6), MintermTable(f.dc, 6));
    const auto key = [](TCube c) { return (uint64_t{c.Care} << 32) | c.Hi; };
    std::vector<uint64_t> a, b;
    for (const TCube c : CoveringPrimes(6, f.on, f.dc).Primes) {
        a.push_back(key(c));
    }
    for (const TCube c : expected) {
        b.push_back(key(c));
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_LT(b.size(), FindPrimeImplicants(6, either).Primes.size());
}

// Covering matrices whose linear bound falls short of the minimum, so the exact search must
// refute the smaller sizes one by one: rows given as their columns.
struct TMatrixCase {
    const char* Name;
    int Cols;
    std::vector<std::vector<int>> Rows;
};

std::vector<std::vector<int>> OddCycles(int count) {  // edges of 5-cycles, vertices as columns
    std::vector<std::vector<int>> rows;
    for (int k = 0; k < count; ++k) {
        for (int i = 0; i < 5; ++i) {
            rows.push_back({5 * k + i, 5 * k + (i + 1) % 5});
        }
    }
    return rows;
}

std::vector<std::vector<int>> CompleteGraph(int n) {
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            rows.push_back({i, j});
        }
    }
    return rows;
}

std::vector<std::vector<int>> RandomTriples(int cols, int count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < count; ++i) {
        std::vector<int> row;
        while (row.size() < 3) {
            const int c = static_cast<int>(rng() % static_cast<uint32_t>(cols));
            if (std::find(row.begin(), row.end(), c) == row.end()) {
                row.push_back(c);
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// Rows of 2 to 5 columns drawn mostly from the low ones, so many columns' rows nest in others'.
std::vector<std::vector<int>> NestedRows(int cols, int count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < count; ++i) {
        const size_t size = 2 + rng() % 4;
        std::vector<int> row;
        while (row.size() < size) {
            const auto draw = static_cast<int>(rng() % static_cast<uint32_t>(cols));
            const int c = draw * draw / cols;
            if (std::find(row.begin(), row.end(), c) == row.end()) {
                row.push_back(c);
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// Vertex covers of a random graph: the bound sits near half the vertices, the minimum above it.
std::vector<std::vector<int>> RandomEdges(int cols, int count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::vector<int>> rows;
    while (static_cast<int>(rows.size()) < count) {
        const auto a = static_cast<int>(rng() % static_cast<uint32_t>(cols));
        const auto b = static_cast<int>(rng() % static_cast<uint32_t>(cols));
        if (a != b) {
            rows.push_back({a, b});
        }
    }
    return rows;
}

// The covering matrix of rows given as their columns; every column costs one unless costs says.
TCoverBlock MatrixOf(int cols, const std::vector<std::vector<int>>& rows,
                     const std::vector<int>& costs = {}) {
    TCoverBlock block;
    block.Rows = static_cast<int>(rows.size());
    block.Cols = cols;
    block.ColStart.push_back(0);
    for (int col = 0; col < cols; ++col) {
        for (size_t r = 0; r < rows.size(); ++r) {
            if (std::find(rows[r].begin(), rows[r].end(), col) != rows[r].end()) {
                block.ColRows.push_back(static_cast<int>(r));
            }
        }
        block.ColStart.push_back(static_cast<int>(block.ColRows.size()));
        block.Cost.push_back(costs.empty() ? 1 : costs[static_cast<size_t>(col)]);
    }
    block.Transpose();
    return block;
}

// Each column of a matrix given as rows of columns, as the set of its rows.
std::vector<TRows> ColumnsOf(int cols, const std::vector<std::vector<int>>& rows) {
    std::vector<TRows> columns(static_cast<size_t>(cols));
    for (size_t r = 0; r < rows.size(); ++r) {
        for (const int col : rows[r]) {
            columns[static_cast<size_t>(col)].set(r);
        }
    }
    return columns;
}

class ExactCoverMatrix : public ::testing::TestWithParam<TMatrixCase> {};

TEST_P(ExactCoverMatrix, ProvesTheMinimumOfASimpleSearch) {
    const TMatrixCase& c = GetParam();
    const TCoverBlock block = MatrixOf(c.Cols, c.Rows);
    const std::vector<TRows> columns = ColumnsOf(c.Cols, c.Rows);
    TRows all;
    for (size_t r = 0; r < c.Rows.size(); ++r) {
        all.set(r);
    }
    const int minimum = SmallestCover(columns, all).first;

    // Plain search first, and the bound raised size by size alone; from the greedy cover, and
    // from every column so the search must find the minimum itself.
    std::vector<int> everyColumn(static_cast<size_t>(c.Cols));
    std::iota(everyColumn.begin(), everyColumn.end(), 0);
    for (const auto& [plainShare, start] :
         {std::pair{0.5, GreedyCover(block)}, std::pair{0.0, GreedyCover(block)},
          std::pair{0.5, everyColumn}}) {
        SCOPED_TRACE(testing::Message() << plainShare << " from " << start.size());
        TCoverOptions options;
        TCoverClock clock(options);
        std::vector<int> best = start;
        int bound = 0;
        ASSERT_TRUE(ExactCover(block, clock, best, bound, plainShare));
        EXPECT_EQ(static_cast<int>(best.size()), minimum);
        EXPECT_EQ(bound, minimum);
        EXPECT_TRUE(CoversAll(columns, best));
    }

    // The weighting search, from every column, stops at the minimum when told it.
    TCoverOptions options;
    TCoverClock clock(options);
    std::vector<int> best = everyColumn;
    WeightedCoverSearch(block, best, minimum, clock, 7);
    EXPECT_EQ(static_cast<int>(best.size()), minimum);
    EXPECT_TRUE(CoversAll(columns, best));

    // The whole block solver, with time enough, proves it too.
    const TBlockCover solved = SolveBlock(block, clock);
    EXPECT_TRUE(solved.Proven);
    EXPECT_EQ(solved.LowerBound, minimum);
    EXPECT_EQ(static_cast<int>(solved.Chosen.size()), minimum);
    EXPECT_TRUE(CoversAll(columns, solved.Chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, ExactCoverMatrix,
    ::testing::Values(TMatrixCase{"fourOddCycles", 20, OddCycles(4)},     // bound 10, minimum 12
                      TMatrixCase{"completeGraph", 8, CompleteGraph(8)},  // bound 4, minimum 7
                      TMatrixCase{"triplesA", 18, RandomTriples(18, 40, 1)},
                      TMatrixCase{"triplesB", 18, RandomTriples(18, 50, 2)},
                      TMatrixCase{"triplesC", 16, RandomTriples(16, 60, 3)},
                      TMatrixCase{"nested", 20, NestedRows(20, 64, 5)},
                      TMatrixCase{"edges", 20, RandomEdges(20, 60, 6)},
                      // Wide enough that the bound's own covers miss the minimum, so the
                      // search has to reach it: a column closed wrongly shows here.
                      TMatrixCase{"triplesWideA", 39, RandomTriples(39, 48, 213)},
                      TMatrixCase{"triplesWideB", 44, RandomTriples(44, 64, 399)},
                      TMatrixCase{"nestedWide", 44, NestedRows(44, 56, 334)}),
    [](const auto& info) { return std::string(info.param.Name); });

// Matrices the reducer takes apart: rows no column covers, empty columns, columns that differ in
// cost only, and independent blocks beside an essential column.
struct TReduceCase {
    const char* Name;
    int Cols;
    std::vector<std::vector<int>> Rows;
    std::vector<int> Costs;
    std::vector<int> Expected;  // the cover, or empty: any cover of MinimumSize
    int MinimumSize;
    int Blocks;  // what the gauge counts
};

class CoverMatrix : public ::testing::TestWithParam<TReduceCase> {};

TEST_P(CoverMatrix, CoversTheCoverableRowsWithFewestColumnsThenLeastCost) {
    const TReduceCase& c = GetParam();
    const TCoverBlock matrix = MatrixOf(c.Cols, c.Rows, c.Costs);
    TCoverOptions options;
    TCoverClock clock(options);
    TGauge gauge;
    const TMatrixCover cover = SolveCoverMatrix(matrix, clock, &gauge);
    ASSERT_TRUE(std::is_sorted(cover.Chosen.begin(), cover.Chosen.end()));
    EXPECT_TRUE(CoversAll(ColumnsOf(c.Cols, c.Rows), cover.Chosen));
    EXPECT_EQ(static_cast<int>(cover.Chosen.size()), c.MinimumSize);
    if (!c.Expected.empty()) {
        EXPECT_EQ(cover.Chosen, c.Expected);
    }
    EXPECT_EQ(cover.LowerBound, c.MinimumSize);
    EXPECT_TRUE(cover.Proven);
    EXPECT_FALSE(cover.Stopped);
    EXPECT_EQ(gauge.Max, c.Blocks);
    EXPECT_EQ(gauge.Position, c.Blocks);
}

std::vector<std::vector<int>> CycleAndTriangleAndSingle() {
    std::vector<std::vector<int>> rows = OddCycles(1);
    rows.insert(rows.end(), {{5, 6}, {6, 7}, {7, 5}, {8}});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, CoverMatrix,
    ::testing::Values(TReduceCase{"uncoverableRow", 3, {{0}, {}, {1, 2}, {2}}, {}, {0, 2}, 2, 0},
                      TReduceCase{"emptyColumn", 3, {{0, 2}, {0, 2}}, {2, 1, 3}, {0}, 1, 0},
                      TReduceCase{"cheaperTwin", 2, {{0, 1}, {0, 1}}, {3, 2}, {1}, 1, 0},
                      TReduceCase{
                          "blocksBesideAnEssential", 9, CycleAndTriangleAndSingle(), {}, {}, 6, 2}),
    [](const auto& info) { return std::string(info.param.Name); });

// Gain outranks cost however large the costs: one wide costly column, not three free narrow ones.
TEST(GreedyCover, TakesTheWidestColumnFirstWhateverItCosts) {
    const TCoverBlock matrix = MatrixOf(4, {{0, 1}, {0, 2}, {0, 3}}, {200, 0, 0, 0});
    EXPECT_EQ(GreedyCover(matrix), std::vector<int>{0});
}

}  // namespace
