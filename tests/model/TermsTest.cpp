// Term check codes, splitting, counting, forms and masks.
#include <gtest/gtest.h>

#include "model/State.h"
#include "model/Terms.h"

namespace {

struct CheckCase {
    const char* name;
    int n;
    std::string input;
    int code;
    std::string after;
};

class CheckTermTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTermTest, CodeAndTrimmedTerm) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    std::string term = c.input;
    EXPECT_EQ(CheckTerm(term), c.code);
    EXPECT_EQ(term, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CheckTermTest,
    testing::Values(
        CheckCase{"TrimmedValid", 4, "  aBcD \t", 0, "aBcD"},
        CheckCase{"TooLong", 4, "aBcDe", 1, "aBcDe"}, CheckCase{"Empty", 4, "", 4, ""},
        CheckCase{"Blanks", 4, "    ", 4, ""}, CheckCase{"RepeatAccepted", 4, "AbcA", 0, "AbcA"},
        CheckCase{"Contradiction", 4, "Aba", 3, ""}, CheckCase{"BeyondCount", 6, "AG", -1, "AG"},
        CheckCase{"Digit", 6, "A1", -1, "A1"},
        CheckCase{"SevenLetters", 6, "AAAAAAA", 1, "AAAAAAA"},
        CheckCase{"LowerSingle", 3, "c", 0, "c"}, CheckCase{"OtherSingle", 3, "z", -1, "z"},
        // The later character is compared before it is checked itself.
        CheckCase{"PairBeforeBadChar", 4, "A!", 3, ""},
        CheckCase{"CutTo16", 16, "ABCDEFGHIJKLMNOPQ", 0, "ABCDEFGHIJKLMNOP"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SplitTerms, DropsTrailingPlus) {
    SetVarCount(4);
    std::string text = "AB+ab+";
    TStringListAdv list;
    int errorIndex = -7;
    EXPECT_EQ(SplitTerms(text, list, errorIndex), 0);
    EXPECT_EQ(text, "AB+ab");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), "AB");
    EXPECT_EQ(list.Strings(1), "ab");
}

TEST(SplitTerms, DropsContradictionAndReportsIndex) {
    SetVarCount(4);
    std::string text = "A+Aa+B";
    TStringListAdv list;
    int errorIndex = -1;
    EXPECT_EQ(SplitTerms(text, list, errorIndex), 3);
    EXPECT_EQ(errorIndex, 1);
    EXPECT_EQ(text, "A+B");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(1), "B");
}

TEST(SplitTerms, EmptyTextAndLeadingPlus) {
    SetVarCount(4);
    std::string text;
    TStringListAdv list;
    int errorIndex = 0;
    EXPECT_EQ(SplitTerms(text, list, errorIndex), -1);
    text = "++A+\r\nb";
    EXPECT_EQ(SplitTerms(text, list, errorIndex), 0);
    EXPECT_EQ(text, "A+b");
}

TEST(SplitTerms, KeepsTooLongAndBadPieces) {
    SetVarCount(3);
    std::string text = "ABCD+Q";
    TStringListAdv list;
    int errorIndex = -1;
    EXPECT_EQ(SplitTerms(text, list, errorIndex), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(errorIndex, -1);
}

TEST(CountTerms, CountsPlusSigns) {
    EXPECT_EQ(CountTerms(""), 0);
    EXPECT_EQ(CountTerms("A"), 1);
    EXPECT_EQ(CountTerms("A+"), 2);
    EXPECT_EQ(CountTerms("A++B"), 3);
}

TEST(TermForms, PositionalCompactPad) {
    SetVarCount(4);
    std::string t = "Ca";
    ToPositional(t);
    EXPECT_EQ(t, "a1C1");
    t = "Ea";
    ToPositional(t);
    EXPECT_EQ(t, "a111");
    EXPECT_EQ(ToCompact("a1C1"), "aC");
    EXPECT_EQ(ToCompact("1111"), "");
    t = "AB";
    PadTerm(t);
    EXPECT_EQ(t, "AB              ");
}

TEST(TermMasks, CareAndHi) {
    SetVarCount(4);
    auto m = TermMasks("a1C1");
    EXPECT_EQ(m.Care, 0b1010u);
    EXPECT_EQ(m.Hi, 0b0010u);
    m = TermMasks("aBcD");
    EXPECT_EQ(m.Care, 0b1111u);
    EXPECT_EQ(m.Hi, 0b0101u);
    // A letter beyond the count lands outside the n bits.
    m = TermMasks("E");
    EXPECT_GT(m.Care, 15u);
}

}  // namespace
