// Tests of the textbook reader: each notation against its minterms, each fault with its column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Textbook.h"

namespace {

std::vector<uint32_t> Members(const TMintermBits& set, int n) {
    std::vector<uint32_t> members;
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (TestMinterm(set, m)) {
            members.push_back(m);
        }
    }
    return members;
}

struct TCase {
    const char* Name;
    std::string Text;
    int Vars;
    std::vector<uint32_t> On;
    std::vector<uint32_t> Dc = {};
    bool (*OnTest)(uint32_t) = nullptr;  // in place of On, for functions of many minterms
};

class TextbookReads : public ::testing::TestWithParam<TCase> {};

TEST_P(TextbookReads, TheFunctionItWrites) {
    const TCase& c = GetParam();
    TTextbookFunction function;
    TTextbookError error;
    ASSERT_TRUE(ReadTextbook(c.Text, function, error)) << error.Message();
    ASSERT_EQ(function.VarCount, c.Vars);
    std::vector<uint32_t> on = c.On;
    for (uint32_t m = 0; c.OnTest != nullptr && m < (1u << c.Vars); ++m) {
        if (c.OnTest(m)) {
            on.push_back(m);
        }
    }
    EXPECT_EQ(Members(function.On, c.Vars), on);
    EXPECT_EQ(Members(function.Dc, c.Vars), c.Dc);
}

INSTANTIATE_TEST_SUITE_P(
    Notations, TextbookReads,
    ::testing::Values(TCase{"JuxtapositionAndPrime", "a'b", 2, {1}},
                      TCase{"NotThenAndThenXorThenOr",
                            "A + B ^ C D",
                            4,
                            {3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15}},
                      TCase{"ProductOfGroups", "(A+B)(C+D)", 4, {5, 6, 7, 9, 10, 11, 13, 14, 15}},
                      TCase{"AndAndNotSigns", "!A & B * ~C ∧ 1 · ¬0 . B", 3, {2}},
                      TCase{"OrXorAndPrimeSigns", "A′ | B ∨ C ⊕ C’’", 3, {0, 1, 2, 3, 6, 7}},
                      TCase{"PrimeOfAGroup", "(A + B)'", 2, {0}},
                      TCase{"NotOfAProductAndAContradiction", "(AB)'C + AA'", 3, {1, 3, 5}},
                      TCase{"LoneOneIsTheConstant", "1", 1, {0, 1}},
                      TCase{"HeadNamesTheCount", "F(A,B,C,D) = B", 4, {4, 5, 6, 7, 12, 13, 14, 15}},
                      TCase{"ConstantUnderHead", "F(A, B) = 1", 2, {0, 1, 2, 3}},
                      TCase{"LowerCaseHead", "f = a*b", 2, {3}},
                      TCase{"MBeforeALetterIsAVariable",
                            "M(A+B)",
                            13,
                            {},
                            {},
                            [](uint32_t m) { return (m & 1) != 0 && (m >> 11) != 0; }},
                      TCase{"SixteenVariables",
                            "A ⊕ P",
                            16,
                            {},
                            {},
                            [](uint32_t m) { return (((m >> 15) ^ m) & 1u) != 0; }},
                      TCase{
                          "MintermsWithDontCares", "Σm(0,2,5,7) + d(1,3)", 3, {0, 2, 5, 7}, {1, 3}},
                      TCase{"BareMinterms", "m(1,3,5)", 3, {1, 3, 5}},
                      TCase{"ListUnderHead", "F(A,B,C,D) = ∑m(1)", 4, {1}},
                      TCase{"Maxterms", "ΠM(0,3,5)", 3, {1, 2, 4, 6, 7}},
                      TCase{"MaxtermsWithDontCares", "M(0, 3) + d(1)", 2, {2}, {1}},
                      TCase{"Column", "0110", 2, {1, 2}},
                      TCase{"ColumnWithDontCaresAndBlanks", "1 0\n- x", 2, {0}, {2, 3}},
                      TCase{"ColumnUnderHead", "F(A,B,C) = 0000 0001", 3, {7}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TBadCase {
    const char* Name;
    std::string Text;
    std::string Message;
};

class TextbookRefuses : public ::testing::TestWithParam<TBadCase> {};

// A fault is told with its column, counted in characters, and the function stays as it was.
TEST_P(TextbookRefuses, NamingTheColumn) {
    TTextbookFunction function;
    function.VarCount = 7;
    TTextbookError error;
    EXPECT_FALSE(ReadTextbook(GetParam().Text, function, error));
    EXPECT_EQ(error.Message(), GetParam().Message);
    EXPECT_EQ(function.VarCount, 7);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextbookRefuses,
    ::testing::Values(
        TBadCase{"UnclosedGroup", "A + (B", "column 5: this ( is never closed"},
        TBadCase{"LetterInAList", "Σm(1,2,x)",
                 "column 8: expected an index, a whole number from 0"},
        TBadCase{"IndexBeyondTheHead", "F(A,B) = m(4)",
                 "column 12: index beyond the 2 variables F(…) names: at most 3"},
        TBadCase{"IndexBeyondSixteen", "m(99999999999)",
                 "column 3: index beyond 16 variables: at most 65535"},
        TBadCase{"LetterBeyondP", "A + q", "column 5: q is no variable: the variables are A to P"},
        TBadCase{"LetterBeyondTheHead", "F(A,B) = A + C",
                 "column 14: C is beyond the 2 variables F(…) names"},
        TBadCase{"HeadOutOfOrder", "F(A,C) = A",
                 "column 5: F(…) names the variables in order, A, B, C, …: expected B"},
        TBadCase{"NotAHead", "AB = C", "column 1: only F or F(A,B,…) may stand before ="},
        TBadCase{"NothingAfterTheHead", "F = ",
                 "column 5: no function: type an expression, a list such as Σm(1,3) or a column "
                 "such as 0110"},
        TBadCase{"MissingOperand", "¬A ∨ ∨ B", "column 6: expected a variable, 0, 1 or ( here"},
        TBadCase{"EndsAfterAnOperator", "A +",
                 "column 4: the text ends where a variable, 0, 1 or ( should follow"},
        TBadCase{"StrayClose", "A)", "column 2: this ) closes no ("},
        TBadCase{"UnknownSign", "(A # B)", "column 4: “#” is not part of the notation"},
        TBadCase{"OtherDigit", "2A", "column 1: the constants are 0 and 1"},
        TBadCase{"DeepNesting", std::string(100000, '('),
                 "column 101: more than 100 parentheses open at once"},
        TBadCase{"NotUtf8", "A\xff", "column 2: the text is not UTF-8"},
        TBadCase{"ColumnNotAPowerOfTwo", "010",
                 "column 3: a column of 3 rows; a truth table has 2, 4, 8, … or 65536"},
        TBadCase{"ColumnOfAnotherCount", "F(A,B,C) = 0110",
                 "column 15: F(…) names 3 variables: its column has 8 rows, not 4"},
        TBadCase{"ColumnTooLong", std::string(65537, '1'),
                 "column 65537: a column has at most 65536 rows, for 16 variables"},
        TBadCase{"ListNeverClosed", "m(1", "column 2: this ( is never closed"},
        TBadCase{"DontCareAlsoListed", "Σm(1) + d(1)",
                 "column 11: index 1 is in the list and among the don't cares"},
        TBadCase{"TextAfterAList", "Σm(1) D", "column 7: after the list only + d(…) may follow"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
