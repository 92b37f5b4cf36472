// Simplify on the zeros: the search of the complement, constants told as the function's, and a
// minimum cover of the zeros that is the smallest product of sums the reference search finds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/Simplify.h"
#include "engine/cover/MinimumCover.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "tests/support/Reference.h"

namespace {

std::string Letters(uint32_t m, int n) {
    return MintermToLetters(m, n, 'A');
}

struct TSumsCase {
    const char* Name;
    int Vars;
    double OnDensity;
    double DcDensity;
    unsigned Seed;
};

class ProductOfSums : public testing::TestWithParam<TSumsCase> {
  protected:
    void TearDown() override {
        SetVarCount(4);
        ProgramState.DontCare.fill(0);
    }
};

TEST_P(ProductOfSums, IsTheSearchOnTheZerosAndItsMinimumIsTheSmallestProduct) {
    const TSumsCase& c = GetParam();
    const int n = c.Vars;
    const uint32_t size = 1u << n;
    SetVarCount(n);
    std::mt19937 rng(c.Seed);
    std::uniform_real_distribution<double> draw(0, 1);
    for (int round = 0; round < 30; ++round) {
        std::vector<bool> zero(size);
        std::vector<bool> dc(size);
        std::vector<std::string> rows;
        std::vector<std::string> complement;
        for (uint32_t m = 0; m < size; ++m) {
            const bool on = draw(rng) < c.OnDensity;
            dc[m] = !on && draw(rng) < c.DcDensity;
            zero[m] = !on && !dc[m];
            if (on) {
                rows.push_back(Letters(m, n));
            }
            if (dc[m]) {
                rows.push_back("-" + Letters(m, n));
                complement.push_back("-" + Letters(m, n));
            }
            if (zero[m]) {
                complement.push_back(Letters(m, n));
            }
        }
        if (rows.empty() || complement.empty()) {
            continue;
        }
        const TSimplifyOutcome sums =
            SimplifyTerms(rows, StateTables(), nullptr, nullptr, TUnitForm::ProductOfSums);
        const TSimplifyOutcome zeros = SimplifyTerms(complement, StateTables());
        // The zeros' constant is the function's opposite.
        const TSimplifyKind kind =
            zeros.Kind == TSimplifyKind::ConstantHi   ? TSimplifyKind::ConstantLo
            : zeros.Kind == TSimplifyKind::ConstantLo ? TSimplifyKind::ConstantHi
                                                      : zeros.Kind;
        ASSERT_EQ(sums.Kind, kind);
        ASSERT_EQ(sums.DontCareCount, zeros.DontCareCount);
        ASSERT_EQ(sums.Result.Count(), zeros.Result.Count());
        for (int i = 0; i < sums.Result.Count(); ++i) {
            ASSERT_EQ(sums.Result.Strings(i), zeros.Result.Strings(i));
            ASSERT_EQ(sums.Result.Objects(i), zeros.Result.Objects(i));
        }
        if (sums.Kind != TSimplifyKind::Ranked) {
            continue;
        }
        TMintermBits zeroBits = MakeMintermBits(n);
        TMintermBits dcBits = MakeMintermBits(n);
        std::vector<TCube> primes;
        for (uint32_t m = 0; m < size; ++m) {
            if (zero[m]) {
                SetMinterm(zeroBits, m);
            }
            if (dc[m]) {
                SetMinterm(dcBits, m);
            }
        }
        for (int i = 0; i < sums.Result.Count(); ++i) {
            TCube cube;
            ASSERT_TRUE(TermCube(sums.Result.Strings(i), ProgramState.VarCount, cube));
            primes.push_back(cube);
        }
        const TMinimumCover cover = FindMinimumCover(n, zeroBits, dcBits, primes);
        ASSERT_TRUE(cover.Proven);
        // The fewest sums whose product is 0 on every zero and 1 on every ON minterm: each sum is
        // a cube of zeros and don't cares, and the widest ones, the primes, serve best.
        const int fewest = SmallestCover(n, BrutePrimes(n, zero, dc), zero).first;
        ASSERT_EQ(static_cast<int>(cover.Chosen.size()), fewest) << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Functions, ProductOfSums,
                         testing::Values(TSumsCase{"ThreeVars", 3, 0.5, 0.0, 1},
                                         TSumsCase{"FourVars", 4, 0.5, 0.0, 2},
                                         TSumsCase{"FourVarsDense", 4, 0.75, 0.0, 3},
                                         TSumsCase{"ThreeVarsDontCares", 3, 0.4, 0.3, 4},
                                         TSumsCase{"FourVarsDontCares", 4, 0.45, 0.25, 5},
                                         TSumsCase{"FiveVarsFewZeros", 5, 0.8, 0.1, 6}),
                         [](const testing::TestParamInfo<TSumsCase>& info) {
                             return info.param.Name;
                         });

struct TConstantCase {
    const char* Name;
    std::vector<std::string> Rows;
    TSimplifyKind Kind;
    std::string Message;
};

class ProductOfSumsConstant : public testing::TestWithParam<TConstantCase> {};

TEST_P(ProductOfSumsConstant, IsToldAsTheFunctionsConstant) {
    SetVarCount(4);
    const TSimplifyOutcome outcome =
        SimplifyTerms(GetParam().Rows, StateTables(), nullptr, nullptr, TUnitForm::ProductOfSums);
    ProgramState.DontCare.fill(0);
    EXPECT_EQ(outcome.Kind, GetParam().Kind);
    EXPECT_EQ(outcome.Message, GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProductOfSumsConstant,
    testing::Values(
        TConstantCase{
            "AllOn", {"A", "a"}, TSimplifyKind::ConstantHi, "Simplification result is HI"},
        TConstantCase{"OnAndDontCaresFill",
                      {"A", "-a"},
                      TSimplifyKind::ConstantHi,
                      "Simplification result is HI"},
        TConstantCase{
            "OnlyDontCares", {"-AB"}, TSimplifyKind::ConstantLo, "Simplification result is LO"},
        TConstantCase{"Empty", {"", "  "}, TSimplifyKind::EditorEmpty, "Editor is empty"}),
    [](const testing::TestParamInfo<TConstantCase>& info) { return info.param.Name; });

}  // namespace
