// The calculator's commands: their Z texts and panel texts, and agreement with truth tables.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>

#include "engine/CalcOperations.h"
#include "model/State.h"
#include "tests/support/Reference.h"

namespace {

using TCommand = std::function<TCalcResult(const std::string&, const std::string&)>;

const TCommand Or = [](const std::string& x, const std::string& y) {
    return CalcOr(x, y, ProgramState.VarCount);
};
const TCommand And = [](const std::string& x, const std::string& y) {
    return CalcAnd(x, y, ProgramState.VarCount);
};
const TCommand Xor = [](const std::string& x, const std::string& y) {
    return CalcXor(x, y, ProgramState.VarCount);
};
const TCommand Not = [](const std::string& z, const std::string&) {
    return CalcNot(z, ProgramState.VarCount);
};
const TCommand Invert = [](const std::string& s, const std::string&) {
    return CalcInvert(s, ProgramState.VarCount);
};

struct CommandCase {
    const char* name;
    TCommand command;
    std::string x;
    std::string y;
    std::optional<std::string> z;
    std::optional<std::string> count;
    std::optional<std::string> message;
};

class CalcCommandTest : public testing::TestWithParam<CommandCase> {};

TEST_P(CalcCommandTest, ZAndPanels) {
    const auto& c = GetParam();
    SetVarCount(6);
    const TCalcResult result = c.command(c.x, c.y);
    EXPECT_EQ(result.Z, c.z);
    EXPECT_EQ(result.CountPanel, c.count);
    EXPECT_EQ(result.MessagePanel, c.message);
}

const auto None = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    SixVariables, CalcCommandTest,
    testing::Values(
        CommandCase{"OrReduces", Or, "A", "aB", "A+B", "1 terms", None},
        CommandCase{"OrConstant", Or, "A", "a", "A+a", "1 terms", "HI"},
        CommandCase{"OrEmptyXCopiesY", Or, "", "AB+", "AB+", None, None},
        CommandCase{"OrEmptyYCopiesX", Or, "cD+", "", "cD+", None, None},
        CommandCase{"OrCountsY", Or, "AB+D", "A", "A+D", "1 terms", None},
        CommandCase{"OrErrorX", Or, "A+Bb", "C+D+", "A+C+D", "2 terms", "Error in X input code=3"},
        CommandCase{"OrErrorY", Or, "A", "Cc", "A", "0 terms", "Error in y input code=3"},
        CommandCase{"OrNothingValid", Or, "Aa", "Bb", "Aa", "0 terms", "Error in X input code=3"},
        CommandCase{"AndContradicts", And, "A", "a", "Aa", None, "Always LO"},
        CommandCase{"AndMultiplies", And, "A+B", "a", "aB", "1 terms", None},
        CommandCase{"AndEmptyX", And, "", "A", "", None, None},
        CommandCase{"AndEmptyY", And, "A", "", "", None, None},
        CommandCase{"AndErrorY", And, "A", "B+Cc", "AB", "1 terms", "Error in Y input code=3"},
        CommandCase{"AndErrorXFirst", And, "Aa+B", "Cc+D", "BD", "1 terms",
                    "Error in X input code=3"},
        // A term longer than n is kept; only dropped terms are reported.
        CommandCase{"AndTooLongTermKept", And, "ABCDEFA", "A", "ABCDEF", "1 terms", None},
        CommandCase{"NotOneTerm", Not, "AB", "", "a+b", "Terms= 2", None},
        CommandCase{"NotTwoTerms", Not, "AB+aB", "", "b", "Terms= 1", None},
        CommandCase{"NotAlwaysLo", Not, "A+a", "", "Aa", "Always LO", None},
        CommandCase{"NotEmpty", Not, "", "", "", None, "Missing text"},
        CommandCase{"NotLaterEmpty", Not, "A+B+a", "", "Aa", "Terms= 0", None},
        CommandCase{"NotOfLo", Not, "Aa", "", "A+a", "Terms= 2", None},
        CommandCase{"InvertAlwaysLoEmpties", Invert, "A+a", "", "", "Always LO", None},
        CommandCase{"InvertTrailingPlus", Invert, "AB+", "", "a+b", "Terms= 2", None},
        CommandCase{"InvertEmpty", Invert, "", "", None, None, None},
        CommandCase{"InvertOnlyPlus", Invert, "+", "", None, None, None},
        CommandCase{"XorEqual", Xor, "AB+c", "c+AB", "Aa", "1 terms", "Aa"},
        CommandCase{"XorTwoLetters", Xor, "A", "B", "Ab+aB", "2 terms", None},
        CommandCase{"XorOneSideEmpty", Xor, "AB", "A", "Ab", "1 terms", None},
        CommandCase{"XorConstant", Xor, "A", "a", "A+a", "2 terms", "HI"},
        CommandCase{"XorEmptyX", Xor, "", "A", "", None, None},
        CommandCase{"XorErrorText", Xor, "A+Bb", "A", "Aa", "1 terms", "Aa"},
        CommandCase{"XorErrorY", Xor, "A", "C+Dd", "Ac+aC", "2 terms", "Error in Y input 3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalcXor, ReportsErrorWhenResultIsNotConstant) {
    SetVarCount(6);
    const TCalcResult result = CalcXor("A+Bb", "C", ProgramState.VarCount);
    EXPECT_EQ(result.Z, "Ac+aC");
    EXPECT_EQ(result.MessagePanel, "Error in X input 3");
}

TEST(CalcNot, MovesTheCallersGaugeAndProcessesMessages) {
    SetVarCount(6);
    struct : TProgressSink {
        int max = 0;
        int moves = 0;
        void setMax(int m) override { max = m; }
        void setPosition(int) override { ++moves; }
    } gauge;
    int messages = 0;
    const TCalcResult result =
        CalcNot("A+B+C+D+E", ProgramState.VarCount, {&gauge, [&] { ++messages; }});
    EXPECT_EQ(result.Z, "abcde");
    EXPECT_EQ(gauge.max, 5);
    EXPECT_EQ(gauge.moves, 4);
    EXPECT_EQ(messages, 4);
}

// Valid terms in shuffled letter order, now and then a repeated letter or a contradiction.
// A contradiction is only made within n letters: a longer term passes the check as too long.
std::string RandomSum(std::mt19937& rng, int n) {
    std::string text;
    const int terms = 1 + static_cast<int>(rng() % 6);
    for (int t = 0; t < terms; ++t) {
        std::string term;
        while (term.empty()) {
            for (int k = 0; k < n; ++k) {
                const auto r = rng() % 4;
                if (r == 1 || r == 2) {
                    term += static_cast<char>((r == 1 ? 'A' : 'a') + k);
                }
            }
        }
        std::shuffle(term.begin(), term.end(), rng);
        if (rng() % 10 == 0) {
            term += term[0];
        } else if (rng() % 15 == 0 && static_cast<int>(term.size()) < n) {
            term += static_cast<char>(term[0] ^ 32);
        }
        text += (t > 0 ? "+" : "") + term;
    }
    return text;
}

struct PropertyCase {
    const char* name;
    TCommand command;
    std::function<bool(bool, bool)> truth;
};

class CalcTruthTableTest : public testing::TestWithParam<PropertyCase> {};

TEST_P(CalcTruthTableTest, AgreesOnRandomInputs) {
    const auto& c = GetParam();
    std::mt19937 rng(2024);
    for (int round = 0; round < 250; ++round) {
        const int n = 3 + static_cast<int>(rng() % 6);
        SetVarCount(n);
        const std::string x = RandomSum(rng, n);
        const std::string y = RandomSum(rng, n);
        const TCalcResult result = c.command(x, y);
        ASSERT_TRUE(result.Z.has_value());
        for (uint32_t m = 0; m < (1u << n); ++m) {
            ASSERT_EQ(EvalSum(*result.Z, m, n), c.truth(EvalSum(x, m, n), EvalSum(y, m, n)))
                << "n=" << n << " X=" << x << " Y=" << y << " Z=" << *result.Z << " m=" << m;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    UpToEightVariables, CalcTruthTableTest,
    testing::Values(PropertyCase{"Or", Or, [](bool x, bool y) { return x || y; }},
                    PropertyCase{"And", And, [](bool x, bool y) { return x && y; }},
                    PropertyCase{"Xor", Xor, [](bool x, bool y) { return x != y; }},
                    PropertyCase{"Not", Not, [](bool x, bool) { return !x; }},
                    PropertyCase{"Invert", Invert, [](bool x, bool) { return !x; }},
                    PropertyCase{
                        "StringXor",
                        [](const std::string& x, const std::string& y) {
                            return TCalcResult{StringXor(x, y, ProgramState.VarCount), {}, {}};
                        },
                        [](bool x, bool y) { return x != y; }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
