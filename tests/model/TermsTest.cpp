// Term check codes, splitting, counting, forms and masks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/State.h"
#include "model/Terms.h"
#include "tests/support/Reference.h"

namespace {

struct CheckCase {
    const char* name;
    int n;
    std::string input;
    int code;
    std::string after;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

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
        CheckCase{"CutTo16", 16, "ABCDEFGHIJKLMNOPQ", 0, "ABCDEFGHIJKLMNOP"},
        CheckCase{"ControlCharsTrimmed", 4,
                  "\t\x01"
                  "AB\x1F\r\n",
                  0, "AB"},
        CheckCase{"DelIsNoBlank", 4, "AB\x7F", -1, "AB\x7F"},
        CheckCase{"InnerBlankKept", 4, " A B ", -1, "A B"},
        CheckCase{"TooLongTrimmedInPlace", 3, " ABCD ", 1, "ABCD"},
        CheckCase{"LengthBeforeCharacters", 3, "A1B2", 1, "A1B2"},
        CheckCase{"RepeatsCountForLength", 3, "AAAA", 1, "AAAA"},
        CheckCase{"BadCharMetFirst", 4, "1Aa", -1, "1Aa"},
        CheckCase{"LateContradiction", 4, "ABCa", 3, ""},
        // Codes are compared unsigned: a (97) and 0x81 (129) differ by 32.
        CheckCase{"HighByteOtherCase", 4, "a\x81", 3, ""},
        CheckCase{"HighByteAlone", 4, "\xC1", -1, "\xC1"},
        CheckCase{"NeighboursOfLetters", 4, "@", -1, "@"},
        CheckCase{"SixteenLetters", 16, "abcdefghijklmnoP", 0, "abcdefghijklmnoP"},
        CheckCase{"BeyondSixteen", 16, "Q", -1, "Q"}),
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

struct SplitCase {
    const char* name;
    int n;
    std::string text;
    int code;
    int errorIndex;  // -7 when it must stay untouched
    std::vector<std::string> list;
    std::string rewritten;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class SplitTermsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTermsTest, ListTextCodeAndIndex) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    std::string text = c.text;
    TStringListAdv list;
    int errorIndex = -7;
    EXPECT_EQ(SplitTerms(text, list, errorIndex), c.code);
    EXPECT_EQ(errorIndex, c.errorIndex);
    EXPECT_EQ(Items(list), c.list);
    EXPECT_EQ(text, c.rewritten);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitTermsTest,
    testing::Values(SplitCase{"TrailingPlus", 4, "AB+ab+", 0, -7, {"AB", "ab"}, "AB+ab"},
                    SplitCase{"Contradiction", 4, "A+Aa+B", 3, 1, {"A", "B"}, "A+B"},
                    SplitCase{"EmptyText", 4, "", -1, -7, {}, ""},
                    SplitCase{"OnlyPlus", 4, "+", 0, -7, {}, ""},
                    SplitCase{"TwoTrailingPlus", 4, "A++", 0, -7, {"A"}, "A"},
                    SplitCase{"LeadingAndDoublePlus", 4, "++A++b", 0, -7, {"A", "b"}, "A+b"},
                    SplitCase{"BlankPieceDropped", 4, "A+ \t +b", 4, 1, {"A", "b"}, "A+b"},
                    // The last dropped piece gives code and index.
                    SplitCase{"LastDroppedWins", 4, "Aa+  +B+bB", 3, 3, {"B"}, "B"},
                    SplitCase{"AllDropped", 4, "Aa+ ", 4, 1, {}, ""},
                    SplitCase{"LineBreaks", 4, "AB\r\nab\nC", 0, -7, {"AB", "ab", "C"}, "AB+ab+C"},
                    SplitCase{"PiecesTrimmed", 4, " a + B\t", 0, -7, {"a", "B"}, "a+B"},
                    SplitCase{"KeepsTooLongAndBad", 3, "ABCD+Q", 0, -7, {"ABCD", "Q"}, "ABCD+Q"},
                    SplitCase{"RepeatsKept", 4, "A+A", 0, -7, {"A", "A"}, "A+A"},
                    SplitCase{"PieceCutTo16",
                              16,
                              "ABCDEFGHIJKLMNOPQ+a",
                              0,
                              -7,
                              {"ABCDEFGHIJKLMNOP", "a"},
                              "ABCDEFGHIJKLMNOP+a"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PositionalCase {
    const char* name;
    int n;
    std::string term;
    std::string positional;
};

void PrintTo(const PositionalCase& c, std::ostream* os) {
    *os << c.name;
}

class ToPositionalTest : public testing::TestWithParam<PositionalCase> {};

TEST_P(ToPositionalTest, LettersAtTheirPositions) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    std::string term = c.term;
    ToPositional(term);
    EXPECT_EQ(term, c.positional);
    // Going back to the compact form and again to the positional one changes nothing.
    std::string again = ToCompact(term);
    ToPositional(again);
    EXPECT_EQ(again, c.positional);
}

INSTANTIATE_TEST_SUITE_P(Terms, ToPositionalTest,
                         testing::Values(PositionalCase{"Ca", 4, "Ca", "a1C1"},
                                         PositionalCase{"BeyondNLost", 4, "Ea", "a111"},
                                         PositionalCase{"Empty", 4, "", "1111"},
                                         PositionalCase{"Reversed", 4, "dCbA", "AbCd"},
                                         PositionalCase{"LaterWins", 4, "Aa", "a111"},
                                         PositionalCase{"AlreadyPositional", 4, "a1C1", "a1C1"},
                                         PositionalCase{"OthersIgnored", 4, "B!1 z", "1B11"},
                                         PositionalCase{"LastOfSixteen", 16, "p",
                                                        "111111111111111p"},
                                         PositionalCase{"FirstOfThree", 3, "A", "A11"}),
                         [](const auto& info) { return std::string(info.param.name); });

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

TEST(TermMasks, SixteenVariablesEnds) {
    SetVarCount(16);
    auto m = TermMasks("Ap");
    EXPECT_EQ(m.Care, 0x8001u);
    EXPECT_EQ(m.Hi, 0x8000u);
    m = TermMasks("A11111111111111p");
    EXPECT_EQ(m.Care, 0x8001u);
    EXPECT_EQ(m.Hi, 0x8000u);
}

// The one-pass reading takes only what the full check accepts unchanged, with the same masks.
TEST(TermMasks, LetterMasksMatchTheFullPath) {
    SetVarCount(4);
    for (const std::string term :
         {"aBcD", "AA", "d", "ABCDA", "AbE", "Aa", "A b", "", "A1", "-A"}) {
        TCube fast;
        const bool taken = LetterMasks(term, 4, fast);
        std::string checked = term;
        const bool plain = CheckTerm(checked) == TermValid && checked == term;
        EXPECT_EQ(taken, plain) << term;
        if (taken) {
            ToPositional(checked);
            EXPECT_EQ(fast.Care, TermMasks(checked).Care) << term;
            EXPECT_EQ(fast.Hi, TermMasks(checked).Hi) << term;
        }
    }
}

struct TMarkCase {
    const char* Name;
    std::string Row;
    size_t End;
    bool DontCare;
    std::string Term;
};

class DontCareMark : public ::testing::TestWithParam<TMarkCase> {};

// Blanks may come before the mark; the term is what follows it, trimmed and not cut.
TEST_P(DontCareMark, EndAndTerm) {
    const TMarkCase& c = GetParam();
    EXPECT_EQ(DontCareMarkEnd(c.Row), c.End);
    const TMarkedTerm read = ReadMarkedTerm(c.Row);
    EXPECT_EQ(read.DontCare, c.DontCare);
    EXPECT_EQ(read.Term, c.Term);
}

INSTANTIATE_TEST_SUITE_P(Rows, DontCareMark,
                         ::testing::Values(TMarkCase{"Plain", " AbC ", 0, false, "AbC"},
                                           TMarkCase{"Marked", "-AbC", 1, true, "AbC"},
                                           TMarkCase{"BlanksAround", " \t- AbC \r", 3, true, "AbC"},
                                           TMarkCase{"ControlBeforeMark", "\x01-A", 2, true, "A"},
                                           TMarkCase{"MarkInside", "A-b", 0, false, "A-b"},
                                           TMarkCase{"MarkOnly", "-", 1, true, ""},
                                           TMarkCase{"Empty", "", 0, false, ""},
                                           TMarkCase{"LongKept", "-" + std::string(20, 'a'), 1,
                                                     true, std::string(20, 'a')}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
