// The Simplify command's outcomes, counter, status text, truth table and gauge, and the ranking.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "engine/Simplify.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "tests/support/Reference.h"

namespace {

std::vector<int> TableEntries(uint32_t count) {
    return {ProgramState.TruthTable.begin(), ProgramState.TruthTable.begin() + count};
}

struct TMessages : TMessageSink {
    std::vector<std::string> Shown;
    void showMessage(const std::string& text) override { Shown.push_back(text); }
};

struct TGauge : TProgressSink {
    std::vector<std::string> Calls;
    void setMax(int max) override { Calls.push_back("max " + std::to_string(max)); }
    void setPosition(int p) override { Calls.push_back("pos " + std::to_string(p)); }
};

struct TCommandCase {
    const char* Name;
    int Vars;
    std::vector<std::string> Rows;
    TSimplifyKind Kind;
    std::string Message;
    int64_t Counter;  // 0 when the search does not run
    std::vector<TRankedTerm> Result;
};

class SimplifyCommand : public testing::TestWithParam<TCommandCase> {};

TEST_P(SimplifyCommand, Outcome) {
    const TCommandCase& c = GetParam();
    SetVarCount(c.Vars);
    const TSimplifyOutcome outcome = SimplifyTerms(c.Rows, StateTables());
    EXPECT_EQ(outcome.Kind, c.Kind);
    EXPECT_EQ(outcome.Message, c.Message);
    EXPECT_EQ(outcome.Search.Counter, c.Counter);
    EXPECT_EQ(RankedItems(outcome.Result), c.Result);
    EXPECT_EQ(outcome.RankZeroCount, 0);
    if (c.Kind == TSimplifyKind::Invalid) {
        EXPECT_EQ("Boolean string " + outcome.InvalidTerm + " is invalid", c.Message);
    }
}

const std::string Sixteen = "ABCDEFGHIJKLMNOP";

INSTANTIATE_TEST_SUITE_P(
    Rows, SimplifyCommand,
    testing::Values(
        TCommandCase{
            "TwoTermsMergeToOne", 4, {"AB", "Ab"}, TSimplifyKind::Ranked, "", 36, {{"A", 1, 1}}},
        TCommandCase{"ConstantHi",
                     4,
                     {"A", "a"},
                     TSimplifyKind::ConstantHi,
                     "Simplification result is HI",
                     93,
                     {}},
        TCommandCase{"LoneMinterm", 4, {"AbCd"}, TSimplifyKind::Ranked, "", 4, {{"AbCd", 1, 1}}},
        TCommandCase{"EachPrimeOnce",
                     3,
                     {"AB", "aB", "Ab"},
                     TSimplifyKind::Ranked,
                     "",
                     21,
                     {{"A", 1, 2}, {"B", 1, 2}}},
        // Upper case sorts before lower case, so aCd comes before abc.
        TCommandCase{"CodeOrderAndSharedMinterms",
                     4,
                     {"abc", "aCd", "ACD"},
                     TSimplifyKind::Ranked,
                     "",
                     20,
                     {{"ACD", 1, 1}, {"aCd", 1, 2}, {"abc", 1, 2}, {"abd", 2, 2}}},
        TCommandCase{"RepeatsAndBlankRows",
                     4,
                     {"", "AB", "  AB  ", "\t", "Ab", "AB", " "},
                     TSimplifyKind::Ranked,
                     "",
                     36,
                     {{"A", 1, 1}}},
        TCommandCase{"BadLetterFirstFailureWins",
                     6,
                     {"AB", "AG", "Aa"},
                     TSimplifyKind::Invalid,
                     "Boolean string AG is invalid",
                     0,
                     {}},
        TCommandCase{"ContradictionIsEmptied",
                     4,
                     {"AB", "  Aba "},
                     TSimplifyKind::Invalid,
                     "Boolean string  is invalid",
                     0,
                     {}},
        TCommandCase{"TooLong",
                     3,
                     {" ABCD "},
                     TSimplifyKind::Invalid,
                     "Boolean string ABCD is invalid",
                     0,
                     {}},
        TCommandCase{"NoRows", 4, {}, TSimplifyKind::EditorEmpty, "Editor is empty", 0, {}},
        TCommandCase{"BlankRows",
                     4,
                     {"", "   ", "\t\r"},
                     TSimplifyKind::EditorEmpty,
                     "Editor is empty",
                     0,
                     {}},
        TCommandCase{"CutTo16",
                     16,
                     {"  " + Sixteen + "Q"},
                     TSimplifyKind::Ranked,
                     "",
                     16,
                     {{Sixteen, 1, 1}}},
        // Trimmed first, then cut: what lay beyond 16 characters never reaches the check.
        TCommandCase{"CutAfterTrim",
                     4,
                     {"A" + std::string(15, ' ') + "x"},
                     TSimplifyKind::Ranked,
                     "",
                     36,
                     {{"A", 1, 1}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SimplifyCommand, StatusTextCarriesCounterAndSeconds) {
    SetVarCount(4);
    const TSimplifyOutcome outcome = SimplifyTerms({"AB", "Ab"}, StateTables());
    EXPECT_EQ(outcome.Search.StatusText,
              "36 Strs procesed " + FormatSeconds(outcome.Search.ElapsedMs) + " Sec");
    EXPECT_TRUE(std::regex_match(outcome.Search.StatusText,
                                 std::regex("36 Strs procesed [0-9]+(\\.[0-9]*[1-9])? Sec")));
}

TEST(SimplifyCommand, TableHoldsCoverageOfTheResult) {
    SetVarCount(3);
    SimplifyTerms({"AB", "aB", "Ab"}, StateTables());
    // A covers 4..7 and B covers 2, 3, 6, 7.
    EXPECT_EQ(TableEntries(9), (std::vector<int>{0, 0, 1, 1, 1, 1, 2, 2, 0}));
}

TEST(SimplifyCommand, TableHoldsOnMintermsWhenHi) {
    SetVarCount(4);
    ProgramState.TruthTable.fill(9);
    SimplifyTerms({"A", "a"}, StateTables());
    std::vector<int> expected(16, 1);
    expected.push_back(0);
    EXPECT_EQ(TableEntries(17), expected);
}

TEST(SimplifyCommand, StopsBeforeTouchingTheTable) {
    SetVarCount(6);
    for (const auto& rows : {std::vector<std::string>{"AB", "AG"}, std::vector<std::string>{" "}}) {
        ProgramState.TruthTable.fill(7);
        SimplifyTerms(rows, StateTables());
        EXPECT_EQ(TableEntries(65), std::vector<int>(65, 7));
    }
}

TEST(SimplifyCommand, GaugeSpansEveryImplicantTheSearchHeld) {
    SetVarCount(4);
    TGauge gauge;
    SimplifyTerms({"AB", "Ab"}, StateTables(), nullptr, &gauge);
    // The 19 cubes inside A with a free variable, and Abcd, from which nothing new was found.
    EXPECT_EQ(gauge.Calls, (std::vector<std::string>{"max 20", "pos 0", "pos 20"}));
}

TEST(SimplifyCommand, ListSearchLeavesOnMintermsAndCompactTerms) {
    SetVarCount(3);
    TStringListAdv minterms(true);
    for (const char* m : {"ABC", "ABc", "AbC", "Abc", "aBC", "aBc"}) {
        minterms.Add(m);
    }
    TStringListAdv result(true);
    result.Add("stale");
    const TSearchReport report =
        FindAcceptableStrings(minterms, ProgramState.VarCount, ProgramState.TruthTable, result);
    EXPECT_EQ(report.Counter, 21);
    ASSERT_EQ(result.Count(), 2);
    EXPECT_EQ(result.Strings(0), "A");
    EXPECT_EQ(result.Strings(1), "B");
    EXPECT_EQ(TableEntries(8), (std::vector<int>{0, 0, 1, 1, 1, 1, 1, 1}));
}

TEST(SimplifyCommand, BadBytesNeverCrash) {
    SetVarCount(16);
    std::string junk;
    for (int c = 0; c < 256; ++c) {
        junk += static_cast<char>(c);
    }
    const TSimplifyOutcome outcome =
        SimplifyTerms({junk, std::string(1000, 'A'), "\xff\xfe"}, StateTables());
    EXPECT_EQ(outcome.Kind, TSimplifyKind::Invalid);
}

struct TSecondsCase {
    int64_t Ms;
    std::string Text;
};

class FormatSecondsTest : public testing::TestWithParam<TSecondsCase> {};

TEST_P(FormatSecondsTest, ShortestDecimal) {
    EXPECT_EQ(FormatSeconds(GetParam().Ms), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatSecondsTest,
                         testing::Values(TSecondsCase{0, "0"}, TSecondsCase{16, "0.016"},
                                         TSecondsCase{2500, "2.5"}, TSecondsCase{1000, "1"},
                                         TSecondsCase{100, "0.1"}, TSecondsCase{12345, "12.345"},
                                         TSecondsCase{60010, "60.01"}));

TEST(TermRank, SmallestAndLargestCount) {
    SetVarCount(4);
    ClearTruthTable();
    AddTermToTable("A");
    AddTermToTable("AB");
    TMessages messages;
    EXPECT_EQ(TermRank("A", ProgramState.VarCount, ProgramState.TruthTable, &messages),
              2 * 65536 + 1);
    EXPECT_EQ(TermRank("AB", ProgramState.VarCount, ProgramState.TruthTable, &messages),
              2 * 65536 + 2);
    EXPECT_TRUE(messages.Shown.empty());
}

TEST(TermRank, OnlyTheLastMintermRaisesRankZero) {
    SetVarCount(4);
    ClearTruthTable();
    for (uint32_t m = 9; m <= 15; ++m) {
        ProgramState.TruthTable[m] = 3;
    }
    TMessages messages;
    EXPECT_EQ(TermRank("A", ProgramState.VarCount, ProgramState.TruthTable, &messages),
              3 * 65536 + 0);  // minterm 8 reads 0, 15 reads 3
    EXPECT_TRUE(messages.Shown.empty());
    ProgramState.TruthTable[15] = 0;
    TermRank("A", ProgramState.VarCount, ProgramState.TruthTable, &messages);
    EXPECT_EQ(messages.Shown, std::vector<std::string>{"Error RANK ZERO"});
}

TEST(RankTerms, CountsWrapAndRaiseRankZeroForEveryTermOnTheWrappedMinterm) {
    SetVarCount(9);
    // I with every subset of A..H: 256 terms, all covering ABCDEFGHI as their last minterm.
    TStringListAdv list(true);
    for (uint32_t s = 0; s < 256; ++s) {
        std::string term;
        for (int k = 0; k < 8; ++k) {
            if ((s >> k) & 1u) {
                term += static_cast<char>('A' + k);
            }
        }
        list.Add(term + "I");
    }
    list.Add("i");
    TMessages messages;
    RankTerms(list, ProgramState.VarCount, ProgramState.TruthTable, &messages);
    EXPECT_EQ(messages.Shown.size(), 256u);
    EXPECT_EQ(ProgramState.TruthTable[511], 0);
    // Under I alone the counts run from 1 (A..H all LO) to 128 (one of them LO) and wrap to 0
    // at the top.
    EXPECT_EQ(list.Objects(list.IndexOf("I")), 128 * 65536 + 0);
    EXPECT_EQ(list.Objects(list.IndexOf("ABCDEFGHI")), 0);
    EXPECT_EQ(list.Objects(list.IndexOf("i")), 65536 + 1);
}

}  // namespace
