// Merging, consensus reduction, the early stops and the status text of string optimization.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "engine/OptimizeString.h"
#include "model/State.h"
#include "tests/support/Reference.h"

namespace {

constexpr char Untouched[] = "untouched";

struct OptimizeCase {
    const char* name;
    int n;
    std::string text;
    std::string result;                 // Untouched: the caller's variable keeps its value
    std::optional<std::string> status;  // count panel text, when the last step runs
};

class OptimizeStringTest : public testing::TestWithParam<OptimizeCase> {};

TEST_P(OptimizeStringTest, ResultAndStatus) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    std::string result = Untouched;
    const auto status = OptimizeString(c.text, result, ProgramState.VarCount);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, OptimizeStringTest,
    testing::Values(OptimizeCase{"ShortTextComesBack", 6, "AB", "AB", std::nullopt},
                    OptimizeCase{"OneDistinctTermWritesNothing", 6, "A+A", Untouched, std::nullopt},
                    OptimizeCase{"OnlyPlusesWriteNothing", 6, "+++", Untouched, std::nullopt},
                    OptimizeCase{"TwoTermShortcut", 6, "AB+Ab", "A", "1 Removed"},
                    OptimizeCase{"TwoTermConstantIsEmpty", 6, "A+a", "", std::nullopt},
                    OptimizeCase{"MergeThenAbsorb", 6, "AB+Ab+C", "A+C", "1 Removed"},
                    OptimizeCase{"ConsensusShortensLongerTerm", 6, "aC+ABC", "BC+aC", "0 Removed"},
                    OptimizeCase{"ConstantHiFromSecondTerm", 6, "AB+aB+Ab+ab", "A+a", "2 Removed"},
                    // The letter comes from the second term as written, not from the merging pair.
                    OptimizeCase{"RepresentativeLetter", 4, "B+Cd+b", "C+c", "1 Removed"},
                    OptimizeCase{"RepeatsCountOnce", 6, "AB+AB+Ab", "A", "1 Removed"},
                    OptimizeCase{"TrailingPlus", 6, "AB+Ab+", "A", "1 Removed"},
                    // A merged text starting with X is taken as it is.
                    OptimizeCase{"MergedXStopsEarly", 6, "A+xa+a", "X+x", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct MergeCase {
    const char* name;
    int n;
    std::string text;
    std::string merged;
};

class MergeTermsTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeTermsTest, Merged) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    EXPECT_EQ(MergeTerms(c.text, ProgramState.VarCount), c.merged);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, MergeTermsTest,
    testing::Values(MergeCase{"SingleTermUnchanged", 6, "cA", "cA"},
                    MergeCase{"LaterItemRewritten", 6, "AB+Ab+C", "AB+A+C"},
                    MergeCase{"ShortcutKeepsSecondTerm", 6, "Ab+AB", "A"},
                    MergeCase{"ReductionOfLaterItem", 6, "aC+ABC", "aC+BC"},
                    MergeCase{"ReductionOfEarlierItem", 6, "ABC+aC", "BC+aC"},
                    // The shortened earlier term goes on to merge with Bc in the same pass.
                    MergeCase{"ShortenedTermUsedAtOnce", 6, "ABC+aC+Bc", "BC+aC+B"},
                    // Shortening a later term does not ask for another pass, so AB stays.
                    MergeCase{"LaterReductionNoNewPass", 3, "AB+C+ac", "AB+C+a"},
                    MergeCase{"CompactLettersInVariableOrder", 6, "cA+Ca", "Ac+aC"},
                    MergeCase{"ConstantInLongerSum", 4, "AB+C+c", "C+c"}),
    [](const auto& info) { return std::string(info.param.name); });

std::string RandomSum(std::mt19937& rng, int n, int maxTerms) {
    std::string text;
    const int terms = 2 + static_cast<int>(rng() % static_cast<unsigned>(maxTerms - 1));
    for (int t = 0; t < terms; ++t) {
        std::string term;
        while (term.empty()) {
            for (int k = 0; k < n; ++k) {
                const auto r = rng() % 3;
                if (r != 0) {
                    term += static_cast<char>((r == 1 ? 'A' : 'a') + k);
                }
            }
        }
        text += (t > 0 ? "+" : "") + term;
    }
    return text;
}

TEST(OptimizeString, KeepsTheFunction) {
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        const int n = 3 + static_cast<int>(rng() % 6);
        SetVarCount(n);
        const std::string text = RandomSum(rng, n, 12);
        std::string result = Untouched;
        OptimizeString(text, result, ProgramState.VarCount);
        if (result == Untouched) {
            continue;
        }
        for (uint32_t m = 0; m < (1u << n); ++m) {
            // The two-term shortcut writes the constant HI as an empty text.
            const bool got = result.empty() || EvalSum(result, m, n);
            ASSERT_EQ(got, EvalSum(text, m, n)) << text << " -> " << result << " at " << m;
        }
    }
}

TEST(OptimizeString, AnyBytesAreSafe) {
    std::mt19937 rng(5);
    const std::string alphabet = "+++AaBbCcDdPpXx1 \t\r\n\x7f\x80\xff";
    for (int round = 0; round < 3000; ++round) {
        SetVarCount(3 + static_cast<int>(rng() % 14));
        std::string text;
        const auto length = rng() % 40;
        for (size_t i = 0; i < length; ++i) {
            text += round % 2 == 0 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng());
        }
        std::string result;
        OptimizeString(text, result, ProgramState.VarCount);
        if (text.size() < 3) {
            EXPECT_EQ(result, text);
            continue;
        }
        // Whatever the input, only variable letters and "+" come out (X from the constant
        // written with an X as the second term's first character).
        for (const char c : result) {
            EXPECT_TRUE((c >= 'A' && c <= 'P') || (c >= 'a' && c <= 'p') || c == 'X' || c == 'x' ||
                        c == '+')
                << static_cast<int>(c);
        }
    }
}

}  // namespace
