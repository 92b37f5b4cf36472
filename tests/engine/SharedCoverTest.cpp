// Shared primes and the shared cover of several outputs against definitions written here (every
// cube tried) and the reference search; and the cover's contract.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "engine/cover/MinimumCover.h"
#include "engine/shared/SharedCover.h"
#include "engine/shared/SharedPrimes.h"
#include "tests/support/Reference.h"
#include "tests/support/SharedFunctions.h"

namespace {

// Each output's ON and don't-care minterms drawn at random; at most 64 outputs.
TFunctionSet RandomSet(int inputs, int outputs, double on, double dc, uint32_t seed) {
    TFunctionSet set;
    set.Inputs = inputs;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> pick(0, 1);
    for (int i = 0; i < outputs; ++i) {
        AddOutput(set, "F" + std::to_string(i));
        for (uint32_t x = 0; x < (1u << inputs); ++x) {
            const double p = pick(rng);
            if (p < on) {
                SetMinterm(set.Outputs.back().On, x);
            } else if (p < on + dc) {
                SetMinterm(set.Outputs.back().Dc, x);
            }
        }
    }
    return set;
}

// The outputs whose ON | DC hold the whole cube, and those whose ON meets it.
uint64_t CareOutputs(const TFunctionSet& set, TCube cube) {
    uint64_t outputs = (uint64_t{1} << OutputCount(set)) - 1;
    for (uint32_t x = 0; x < (1u << set.Inputs); ++x) {
        for (int i = 0; i < OutputCount(set) && Covers(cube, x); ++i) {
            if (!TestMinterm(set.Outputs[i].On, x) && !TestMinterm(set.Outputs[i].Dc, x)) {
                outputs &= ~(uint64_t{1} << i);
            }
        }
    }
    return outputs;
}

uint64_t MeetOutputs(const TFunctionSet& set, TCube cube) {
    uint64_t outputs = 0;
    for (uint32_t x = 0; x < (1u << set.Inputs); ++x) {
        for (int i = 0; i < OutputCount(set); ++i) {
            outputs |= Covers(cube, x) && TestMinterm(set.Outputs[i].On, x) ? uint64_t{1} << i : 0;
        }
    }
    return outputs;
}

// Every cube of n variables: for each variable free, 0 or 1.
std::vector<TCube> AllCubes(int n) {
    std::vector<TCube> cubes;
    for (uint32_t free = 0; free < (1u << n); ++free) {
        for (uint32_t hi = 0; hi < (1u << n); ++hi) {
            if ((hi & free) == 0) {
                cubes.push_back({((1u << n) - 1) & ~free, hi});
            }
        }
    }
    return cubes;
}

// Fewest cubes covering every (minterm, output) ON pair, each cube feeding every output it may.
int ReferenceMinimum(const TFunctionSet& set) {
    const auto row = [&](uint32_t x, int i) { return static_cast<size_t>(i) << set.Inputs | x; };
    TRows must;
    for (int i = 0; i < OutputCount(set); ++i) {
        for (uint32_t x = 0; x < (1u << set.Inputs); ++x) {
            must[row(x, i)] = TestMinterm(set.Outputs[i].On, x);
        }
    }
    std::vector<TRows> columns;
    for (const TCube cube : AllCubes(set.Inputs)) {
        const uint64_t outputs = CareOutputs(set, cube);
        TRows rows;
        for (uint32_t x = 0; x < (1u << set.Inputs); ++x) {
            for (int i = 0; i < OutputCount(set); ++i) {
                rows[row(x, i)] = Covers(cube, x) && ((outputs >> i) & 1u) != 0;
            }
        }
        columns.push_back(rows & must);
    }
    return SmallestCover(columns, must).first;
}

TEST(SharedPrimes, AreTheCubesNoLetterAndNoOutputCanBeAddedTo) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        const TFunctionSet set = RandomSet(2 + seed % 4, 1 + seed % 4, 0.45, seed % 3 * 0.1, seed);
        std::set<std::pair<uint32_t, uint32_t>> expected;
        for (const TCube cube : AllCubes(set.Inputs)) {
            const uint64_t outputs = CareOutputs(set, cube);
            bool prime = (outputs & MeetOutputs(set, cube)) != 0;
            for (int v = 0; v < set.Inputs && prime; ++v) {
                const uint32_t bit = 1u << v;
                prime = (cube.Care & bit) == 0 ||
                        (CareOutputs(set, {cube.Care & ~bit, cube.Hi & ~bit}) & outputs) != outputs;
            }
            if (prime) {
                expected.insert({cube.Care, cube.Hi});
            }
        }
        const TSharedPrimes primes = FindSharedPrimes(set);
        ASSERT_TRUE(primes.Complete);
        std::set<std::pair<uint32_t, uint32_t>> found;
        for (size_t p = 0; p < primes.size(); ++p) {
            const TCube cube = primes.Cubes[p];
            found.insert({cube.Care, cube.Hi});
            EXPECT_EQ(primes.OutputsOf(p)[0], CareOutputs(set, cube)) << "seed " << seed;
        }
        EXPECT_EQ(found, expected) << "seed " << seed;
        EXPECT_EQ(found.size(), primes.size()) << "a prime found twice, seed " << seed;
    }
}

TEST(SharedCover, FindsTheFewestTermsOfSmallSets) {
    for (uint32_t seed = 1; seed <= 120; ++seed) {
        const int inputs = 2 + static_cast<int>(seed % 3);
        const TFunctionSet set = RandomSet(inputs, 1 + seed % 3, 0.5, seed % 2 * 0.15, seed);
        const TSharedCover cover = FindSharedCover(set);
        EXPECT_EQ(SharedCoverFault(set, cover), "");
        EXPECT_EQ(static_cast<int>(cover.Terms.size()), ReferenceMinimum(set)) << "seed " << seed;
        EXPECT_TRUE(cover.Proven) << "seed " << seed;
    }
}

TEST(SharedCover, KeepsEveryOutputsFunctionOnLargerSets) {
    struct TCase {
        int Inputs, Outputs;
        double On, Dc;
    };
    const TCase cases[] = {
        {6, 8, 0.3, 0.1}, {8, 5, 0.5, 0.0}, {9, 3, 0.2, 0.3}, {7, 64, 0.4, 0.1}, {10, 2, 0.6, 0.1}};
    uint32_t seed = 7;
    for (const TCase& c : cases) {
        const TFunctionSet set = RandomSet(c.Inputs, c.Outputs, c.On, c.Dc, ++seed);
        TCoverOptions options;
        options.BudgetMs = 200;
        EXPECT_EQ(SharedCoverFault(set, FindSharedCover(set, options)), "");
    }
}

TEST(SharedCover, PastItsLimitStillCoversEveryOutput) {
    const TFunctionSet set = RandomSet(8, 4, 0.4, 0.1, 11);
    for (const TSharedLimits limits : {TSharedLimits{10, 1u << 30}, TSharedLimits{1u << 30, 10}}) {
        const TSharedCover cover = FindSharedCover(set, {}, limits);
        EXPECT_EQ(SharedCoverFault(set, cover), "");
        EXPECT_GT(cover.LowerBound, 0);
    }
}

TEST(SharedCover, OneOutputGivesTheSingleOutputCover) {
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        const TFunctionSet set = RandomSet(3 + static_cast<int>(seed % 6), 1, 0.5, 0.1, seed);
        const std::vector<TCube> primes =
            CoveringPrimes(set.Inputs, set.Outputs[0].On, set.Outputs[0].Dc).Primes;
        const TMinimumCover single =
            FindMinimumCover(set.Inputs, set.Outputs[0].On, set.Outputs[0].Dc, primes);
        const TSharedCover shared = FindSharedCover(set);
        ASSERT_EQ(shared.Terms.size(), single.Chosen.size());
        for (size_t t = 0; t < shared.Terms.size(); ++t) {
            EXPECT_EQ(shared.Terms[t].Care, primes[single.Chosen[t]].Care);
            EXPECT_EQ(shared.Terms[t].Hi, primes[single.Chosen[t]].Hi);
        }
        EXPECT_EQ(shared.LowerBound, single.LowerBound);
    }
}

TEST(SharedCover, SevenSegmentDecoderNeedsNineTerms) {
    const TFunctionSet set = SharedFunctions::SevenSegment();
    const TSharedCover cover = FindSharedCover(set);
    EXPECT_EQ(SharedCoverFault(set, cover), "");
    EXPECT_EQ(cover.Terms.size(), 9u);
    EXPECT_TRUE(cover.Proven);
}

TEST(SharedCover, StoppedStillCoversEveryOutput) {
    const TFunctionSet set = RandomSet(12, 6, 0.5, 0.05, 3);
    TCoverOptions none;
    none.BudgetMs = 0;
    const TSharedCover cover = FindSharedCover(set, none);
    EXPECT_EQ(SharedCoverFault(set, cover), "");
    EXPECT_TRUE(cover.Stopped);
    TCoverOptions refused;
    refused.KeepGoing = [] { return false; };
    EXPECT_EQ(SharedCoverFault(set, FindSharedCover(set, refused)), "");
    // Stopped before its primes are known, it answers no worse than a PLA's own rows.
    TPla pla;
    TPlaError error;
    ASSERT_TRUE(
        ReadPla(".i 12\n.o 3\n1----------- 110\n-1---------- 011\n--1--------- 101\n", pla, error));
    TFunctionSet rows;
    ASSERT_TRUE(PlaFunctionSet(pla, {}, rows, error));
    const TSharedCover fromRows = FindSharedCover(rows, none);
    EXPECT_EQ(SharedCoverFault(rows, fromRows), "");
    EXPECT_LE(fromRows.Terms.size(), 3u);
    EXPECT_GE(fromRows.LowerBound, 1);
}

}  // namespace
