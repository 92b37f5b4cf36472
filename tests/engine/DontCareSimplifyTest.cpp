// Simplify with don't-care rows: against brute-force primes and ranks, and the BCD decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/PrimeSearch.h"
#include "engine/Simplify.h"
#include "model/State.h"
#include "tests/support/Reference.h"

namespace {

std::string Minterm(uint32_t m, int n) {
    return CompactTerm({(1u << n) - 1, m}, n);
}

struct TDcCase {
    const char* Name;
    int Vars;
    double OnDensity;
    double DcDensity;
    int Seed;
};

class DontCareDifferential : public testing::TestWithParam<TDcCase> {
  protected:
    void TearDown() override {
        SetVarCount(4);
        ProgramState.DontCare.fill(0);
    }
};

// Random ON and DC sets (a minterm in both is ON): the result holds exactly the covering primes
// in code order, with Min and Max over ON minterms; a full ON + DC is HI, no ON is LO.
TEST_P(DontCareDifferential, MatchesBruteForce) {
    const TDcCase& c = GetParam();
    const int n = c.Vars;
    SetVarCount(n);
    std::mt19937 rng(static_cast<unsigned>(c.Seed));
    std::uniform_real_distribution<double> draw(0, 1);
    for (int round = 0; round < 40; ++round) {
        const uint32_t size = 1u << n;
        std::vector<bool> on(size);
        std::vector<bool> dc(size);
        std::vector<std::string> rows;
        for (uint32_t m = 0; m < size; ++m) {
            on[m] = draw(rng) < c.OnDensity;
            if (on[m]) {
                rows.push_back(Minterm(m, n));
            }
            if (draw(rng) < c.DcDensity) {
                rows.push_back("-" + Minterm(m, n));
                dc[m] = !on[m];
            }
        }
        std::shuffle(rows.begin(), rows.end(), rng);
        const TSimplifyOutcome outcome = SimplifyTerms(rows, StateTables());
        if (rows.empty()) {
            EXPECT_EQ(outcome.Kind, TSimplifyKind::EditorEmpty);
            continue;
        }
        const bool anyOn = std::count(on.begin(), on.end(), true) > 0;
        const auto dcCount = std::count(dc.begin(), dc.end(), true);
        EXPECT_EQ(outcome.DontCareCount, dcCount);
        for (uint32_t m = 0; m < size; ++m) {
            ASSERT_EQ(ProgramState.DontCare[m] != 0, dc[m]) << m;
        }
        const std::vector<TCube> primes = BrutePrimes(n, on, dc);
        if (!anyOn) {
            EXPECT_EQ(outcome.Kind, TSimplifyKind::ConstantLo);
            EXPECT_EQ(outcome.Message, "Simplification result is LO");
            continue;
        }
        if (primes.size() == 1 && primes[0].Care == 0) {
            EXPECT_EQ(outcome.Kind, TSimplifyKind::ConstantHi);
            continue;
        }
        ASSERT_EQ(outcome.Kind, TSimplifyKind::Ranked);
        std::vector<std::string> want;
        for (const TCube p : primes) {
            want.push_back(CompactTerm(p, n));
        }
        std::sort(want.begin(), want.end());
        ASSERT_EQ(Items(outcome.Result), want);
        EXPECT_EQ(RankedItems(outcome.Result), RankedTerms(want, n, on));
        // The table keeps the ON part only: a BIN image of it holds no don't care.
        for (uint32_t m = 0; m < size; ++m) {
            ASSERT_EQ(ProgramState.TruthTable[m] != 0, static_cast<bool>(on[m])) << m;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Random, DontCareDifferential,
    testing::Values(TDcCase{"NoDontCare3", 3, 0.5, 0, 1}, TDcCase{"Sparse4", 4, 0.3, 0.2, 2},
                    TDcCase{"Dense4", 4, 0.5, 0.5, 3}, TDcCase{"OnlyDontCare3", 3, 0.05, 0.6, 4},
                    TDcCase{"Mixed5", 5, 0.4, 0.3, 5}, TDcCase{"Mixed6", 6, 0.4, 0.3, 6},
                    TDcCase{"NearlyFull5", 5, 0.6, 0.9, 7}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TMeetCase {
    const char* Name;
    int Vars;
    double OnDensity;
    double DcDensity;
    bool DcUpperHalf;  // DC is every minterm with the top variable set
};

class PrunedWalk : public testing::TestWithParam<TMeetCase> {};

// The walk that skips cubes lying wholly in DC keeps exactly the primes of ON + DC that meet ON,
// and counts every implicant but those of DC alone. Sizes past 6 variables reach the word tables.
TEST_P(PrunedWalk, KeepsThePrimesThatMeetOn) {
    const TMeetCase& c = GetParam();
    const int n = c.Vars;
    std::mt19937 rng(static_cast<unsigned>(n * 7 + c.DcUpperHalf));
    std::uniform_real_distribution<double> draw(0, 1);
    for (int round = 0; round < 5; ++round) {
        TMintermBits on = MakeMintermBits(n);
        TMintermBits dc = MakeMintermBits(n);
        TMintermBits care = MakeMintermBits(n);
        for (uint32_t m = 0; m < (1u << n); ++m) {
            const bool isDc = c.DcUpperHalf ? (m >> (n - 1)) != 0 : draw(rng) < c.DcDensity;
            if (isDc) {
                SetMinterm(dc, m);
                SetMinterm(care, m);
            } else if (draw(rng) < c.OnDensity) {
                SetMinterm(on, m);
                SetMinterm(care, m);
            }
        }
        TPrimeImplicants full = FindPrimeImplicants(n, care);
        std::erase_if(full.Primes, [&](const TCube& cube) { return !CubeMeets(on, n, cube); });
        const TPrimeImplicants pruned = FindPrimeImplicantsMeeting(n, care, on);
        auto key = [](const TCube& cube) { return std::pair{cube.Care, cube.Hi}; };
        std::vector<std::pair<uint32_t, uint32_t>> want;
        std::vector<std::pair<uint32_t, uint32_t>> got;
        std::transform(full.Primes.begin(), full.Primes.end(), std::back_inserter(want), key);
        std::transform(pruned.Primes.begin(), pruned.Primes.end(), std::back_inserter(got), key);
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
        ASSERT_EQ(got, want) << "round " << round;
        EXPECT_EQ(pruned.ImplicantCount,
                  full.ImplicantCount - FindPrimeImplicants(n, dc).ImplicantCount);
    }
}

INSTANTIATE_TEST_SUITE_P(Random, PrunedWalk,
                         testing::Values(TMeetCase{"Scattered5", 5, 0.4, 0.4, false},
                                         TMeetCase{"Scattered8", 8, 0.4, 0.4, false},
                                         TMeetCase{"Scattered11", 11, 0.5, 0.5, false},
                                         TMeetCase{"NoOn9", 9, 0, 0.5, false},
                                         TMeetCase{"UpperHalf7", 7, 0.5, 0, true},
                                         TMeetCase{"UpperHalf12", 12, 0.5, 0, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Rows in their common form are read by a quick path; a blank on each side sends every row down
// the full one. Both must give the same outcome, faults and their messages included.
TEST(SimplifyRows, QuickAndFullReadingsAgree) {
    const std::string alphabet = "AaBbCcDdEeFf-- 1";
    std::mt19937 rng(11);
    for (const int n : {4, 5}) {
        SetVarCount(n);
        for (int round = 0; round < 300; ++round) {
            std::vector<std::string> rows(1 + rng() % 6);
            for (std::string& row : rows) {
                const size_t length = rng() % (n + 3);
                for (size_t i = 0; i < length; ++i) {
                    // Mostly letters within range, so that many rows are valid.
                    row += alphabet[rng() % (rng() % 4 == 0 ? alphabet.size() : 2 * n)];
                }
                row.insert(0, rng() % 3 == 0 ? "-" : "");
            }
            std::vector<std::string> padded;
            for (const std::string& row : rows) {
                padded.push_back(" " + row + " ");
            }
            const TSimplifyOutcome quick = SimplifyTerms(rows, StateTables());
            const TSimplifyOutcome full = SimplifyTerms(padded, StateTables());
            ASSERT_EQ(quick.Kind, full.Kind) << testing::PrintToString(rows);
            EXPECT_EQ(quick.Message, full.Message);
            EXPECT_EQ(quick.InvalidTerm, full.InvalidTerm);
            EXPECT_EQ(quick.DontCareCount, full.DontCareCount);
            ASSERT_EQ(quick.Result.Count(), full.Result.Count());
            for (int i = 0; i < quick.Result.Count(); ++i) {
                EXPECT_EQ(quick.Result.Strings(i), full.Result.Strings(i));
                EXPECT_EQ(quick.Result.Objects(i), full.Result.Objects(i));
            }
        }
    }
    SetVarCount(4);
    ProgramState.DontCare.fill(0);
}

struct TSegment {
    const char* Name;
    std::vector<int> Digits;  // the digits that light the segment
    int Terms;                // the textbook minimum with 10..15 as don't cares
    int Letters;
};

class SevenSegment : public testing::TestWithParam<TSegment> {
  protected:
    void SetUp() override { SetVarCount(4); }
    void TearDown() override { ProgramState.DontCare.fill(0); }
};

// BCD digit ABCD to one segment, inputs 10..15 never occur: the result's primes hold the
// textbook minimum, which the primes without the don't cares cannot reach.
TEST_P(SevenSegment, DontCaresGiveTheTextbookMinimum) {
    const TSegment& s = GetParam();
    std::vector<bool> on(16);
    std::vector<bool> dc(16);
    std::vector<std::string> rows;
    for (const int d : s.Digits) {
        on[static_cast<size_t>(d)] = true;
        rows.push_back(Minterm(static_cast<uint32_t>(d), 4));
    }
    for (uint32_t m = 10; m < 16; ++m) {
        dc[m] = true;
        rows.push_back("-" + Minterm(m, 4));
    }
    const TSimplifyOutcome outcome = SimplifyTerms(rows, StateTables());
    ASSERT_EQ(outcome.Kind, TSimplifyKind::Ranked);
    EXPECT_EQ(outcome.DontCareCount, 6);
    std::vector<TCube> result;
    for (const std::string& term : Items(outcome.Result)) {
        result.push_back(CubeOf(term, 4));
    }
    EXPECT_EQ(SmallestCover(4, result, on), (std::pair<int, int>{s.Terms, s.Letters}));
    EXPECT_EQ(SmallestCover(4, BrutePrimes(4, on, dc), on), SmallestCover(4, result, on));
    const std::pair<int, int> without = SmallestCover(4, BrutePrimes(4, on), on);
    EXPECT_GT(without, (std::pair<int, int>{s.Terms, s.Letters}));
}

// a = A + C + BD + bd; b = b + cd + CD; c = B + c + D; d = A + bd + bC + Cd + BcD;
// e = bd + Cd; f = A + cd + Bc + Bd; g = A + Bc + bC + Cd.
INSTANTIATE_TEST_SUITE_P(Bcd, SevenSegment,
                         testing::Values(TSegment{"a", {0, 2, 3, 5, 6, 7, 8, 9}, 4, 6},
                                         TSegment{"b", {0, 1, 2, 3, 4, 7, 8, 9}, 3, 5},
                                         TSegment{"c", {0, 1, 3, 4, 5, 6, 7, 8, 9}, 3, 3},
                                         TSegment{"d", {0, 2, 3, 5, 6, 8, 9}, 5, 10},
                                         TSegment{"e", {0, 2, 6, 8}, 2, 4},
                                         TSegment{"f", {0, 4, 5, 6, 8, 9}, 4, 7},
                                         TSegment{"g", {2, 3, 4, 5, 6, 8, 9}, 4, 7}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
