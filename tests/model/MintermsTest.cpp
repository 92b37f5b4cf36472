// Minterm walks of terms: coverage counts, implicant tests, expansion, minterm names.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/Minterms.h"
#include "model/State.h"
#include "tests/support/Reference.h"

namespace {

using Strings = std::vector<std::string>;

// Every entry of the whole table that is not 0.
std::set<uint32_t> OnEntries() {
    std::set<uint32_t> on;
    for (uint32_t m = 0; m < TruthTableSize; ++m) {
        if (ProgramState.TruthTable[m] != 0) {
            on.insert(m);
        }
    }
    return on;
}

void SetOn(const std::set<uint32_t>& on) {
    ClearTruthTable();
    for (const uint32_t m : on) {
        ProgramState.TruthTable[m] = 1;
    }
}

struct AddCase {
    const char* name;
    int n;
    std::string term;
    std::set<uint32_t> expected;
};

void PrintTo(const AddCase& c, std::ostream* os) {
    *os << c.name;
}

class AddTermToTableTest : public testing::TestWithParam<AddCase> {};

TEST_P(AddTermToTableTest, CountsOnceEachCoveredMinterm) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    ClearTruthTable();
    AddTermToTable(c.term);
    EXPECT_EQ(OnEntries(), c.expected);
    for (const uint32_t m : c.expected) {
        EXPECT_EQ(ProgramState.TruthTable[m], 1) << m;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Terms, AddTermToTableTest,
    testing::Values(
        AddCase{"CompactCa", 4, "Ca", {2, 3, 6, 7}},
        AddCase{"PositionalCa", 4, "a1C1", {2, 3, 6, 7}}, AddCase{"MintermString", 4, "AbCd", {10}},
        AddCase{"LowestMinterm", 4, "abcd", {0}}, AddCase{"HighestMinterm", 4, "ABCD", {15}},
        AddCase{"RepeatedLetter", 4, "CCa", {2, 3, 6, 7}},
        AddCase{"LastVariable", 3, "C", {1, 3, 5, 7}},
        // Only 2^n entries belong to the function; the rest stay untouched.
        AddCase{"AllFreeStaysInRange", 3, "111", {0, 1, 2, 3, 4, 5, 6, 7}},
        AddCase{"SixteenVarsMinterm", 16, "aBcDeFgHiJkLmNoP", {0x5555}},
        AddCase{"SixteenVarsTwoFree", 16, "ABCDEFGHIJKLMN", {0xFFFC, 0xFFFD, 0xFFFE, 0xFFFF}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AddTermToTable, CountsWrapAt256) {
    SetVarCount(4);
    ClearTruthTable();
    AddTermToTable("Ca");
    AddTermToTable("Ca");
    EXPECT_EQ(ProgramState.TruthTable[6], 2);
    for (int i = 2; i < 256; ++i) {
        AddTermToTable("Ca");
    }
    EXPECT_TRUE(OnEntries().empty());
    AddTermToTable("C");
    EXPECT_EQ(ProgramState.TruthTable[2], 1);
}

TEST(AddTermToTable, OverlappingTermsAddUp) {
    SetVarCount(3);
    ClearTruthTable();
    for (const char* t : {"A", "B", "C"}) {
        AddTermToTable(t);
    }
    const std::vector<int> expected{0, 1, 1, 2, 1, 2, 2, 3};
    for (uint32_t m = 0; m < 8; ++m) {
        EXPECT_EQ(ProgramState.TruthTable[m], expected[m]) << m;
    }
}

TEST(AddTermToTable, SixteenVariablesWholeTable) {
    SetVarCount(16);
    ClearTruthTable();
    AddTermToTable("P");
    const auto on = OnEntries();
    EXPECT_EQ(on.size(), 32768u);
    EXPECT_EQ(*on.begin(), 1u);
    EXPECT_EQ(*on.rbegin(), 65535u);
    AddTermToTable("1111111111111111");
    EXPECT_EQ(OnEntries().size(), 65536u);
}

TEST(ClearTruthTable, ZeroesAllEntriesWhateverN) {
    SetVarCount(3);
    ProgramState.TruthTable.fill(7);
    ClearTruthTable();
    EXPECT_TRUE(OnEntries().empty());
}

struct ImplicantCase {
    const char* name;
    int n;
    std::set<uint32_t> on;
    uint32_t filled;  // minterms 0 .. filled - 1 are ON as well, except the hole
    int64_t hole;
    std::string term;
    bool expected;
};

void PrintTo(const ImplicantCase& c, std::ostream* os) {
    *os << c.name;
}

class TermIsImplicantTest : public testing::TestWithParam<ImplicantCase> {};

TEST_P(TermIsImplicantTest, EveryCoveredEntryNonZero) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    SetOn(c.on);
    for (uint32_t m = 0; m < c.filled; ++m) {
        ProgramState.TruthTable[m] = m == c.hole ? 0 : 1;
    }
    EXPECT_EQ(TermIsImplicant(c.term), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TermIsImplicantTest,
    testing::Values(ImplicantCase{"ExactCover", 4, {2, 3, 6, 7}, 0, -1, "Ca", true},
                    ImplicantCase{"OneMissing", 4, {2, 3, 6}, 0, -1, "Ca", false},
                    ImplicantCase{"WiderTermFails", 4, {2, 3, 6, 7}, 0, -1, "C", false},
                    ImplicantCase{"MintermStringOn", 4, {10}, 0, -1, "AbCd", true},
                    ImplicantCase{"MintermStringOff", 4, {}, 16, 10, "AbCd", false},
                    ImplicantCase{"AllFreeFull", 4, {}, 16, -1, "1111", true},
                    ImplicantCase{"AllFreeFirstMissing", 4, {}, 16, 0, "1111", false},
                    ImplicantCase{"AllFreeLastMissing", 4, {}, 16, 15, "1111", false},
                    ImplicantCase{"EmptyTable", 4, {}, 0, -1, "ABCD", false},
                    // Entries past 2^n - 1 are not part of the function.
                    ImplicantCase{"IgnoresEntriesPastN", 3, {}, 8, -1, "111", true},
                    ImplicantCase{"SixteenVarsLastMissing", 16, {}, 65536, 65535, "A", false},
                    ImplicantCase{"SixteenVarsOtherHalf", 16, {}, 65536, 65535, "a", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExpandCase {
    const char* name;
    int n;
    std::string term;
    bool sortedTarget;
    Strings expected;
};

void PrintTo(const ExpandCase& c, std::ostream* os) {
    *os << c.name;
}

class ExpandTermTest : public testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandTermTest, MintermStrings) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    TStringListAdv list(c.sortedTarget);
    list.Add("stale");
    ExpandTerm(c.term, list);
    EXPECT_EQ(Items(list), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Terms, ExpandTermTest,
    testing::Values(
        ExpandCase{"CaInMintermOrder", 4, "Ca", false, {"abCd", "abCD", "aBCd", "aBCD"}},
        ExpandCase{"CaIntoSortedSet", 4, "Ca", true, {"aBCD", "aBCd", "abCD", "abCd"}},
        ExpandCase{"PositionalInput", 4, "a1C1", false, {"abCd", "abCD", "aBCd", "aBCD"}},
        ExpandCase{"MintermStringIsPositional", 4, "dCbA", false, {"AbCd"}},
        ExpandCase{
            "AllFree", 3, "111", false, {"abc", "abC", "aBc", "aBC", "Abc", "AbC", "ABc", "ABC"}},
        ExpandCase{"FreeInTheMiddle", 3, "Ac", false, {"Abc", "ABc"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExpandTerm, SixteenVariablesCountAndEnds) {
    SetVarCount(16);
    TStringListAdv list;
    ExpandTerm("ABCDEFGHijkl", list);
    ASSERT_EQ(list.Count(), 16);
    EXPECT_EQ(list.Strings(0), "ABCDEFGHijklmnop");
    EXPECT_EQ(list.Strings(15), "ABCDEFGHijklMNOP");
}

struct LettersCase {
    const char* name;
    uint32_t number;
    int count;
    char first;
    std::string expected;
};

void PrintTo(const LettersCase& c, std::ostream* os) {
    *os << c.name;
}

class MintermToLettersTest : public testing::TestWithParam<LettersCase> {};

TEST_P(MintermToLettersTest, Name) {
    const auto& c = GetParam();
    EXPECT_EQ(MintermToLetters(c.number, c.count, c.first), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, MintermToLettersTest,
    testing::Values(LettersCase{"TenOfFour", 10, 4, 'A', "AbCd"},
                    LettersCase{"OneOfTwoFromC", 1, 2, 'C', "cD"},
                    LettersCase{"Zero", 0, 4, 'A', "abcd"},
                    LettersCase{"Fifteen", 15, 4, 'A', "ABCD"},
                    LettersCase{"HighBitsIgnored", 0x1F0, 4, 'A', "abcd"},
                    LettersCase{"FromE", 5, 3, 'E', "EfG"}, LettersCase{"NoLetters", 7, 0, 'A', ""},
                    LettersCase{"SixteenTopBit", 0x8000, 16, 'A', "Abcdefghijklmnop"},
                    LettersCase{"SixteenBottomBit", 1, 16, 'A', "abcdefghijklmnoP"}),
    [](const auto& info) { return std::string(info.param.name); });

// The three walks and the minterm names must agree with the definition of coverage on
// random terms, for every n.
TEST(MintermWalks, AgreeWithCoverageDefinition) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        const int n = 3 + static_cast<int>(rng() % 8);
        SetVarCount(n);
        std::string term;
        for (int k = 0; k < n; ++k) {
            const auto r = rng() % 3;
            if (r != 0) {
                term += static_cast<char>((r == 1 ? 'A' : 'a') + k);
            }
        }
        std::shuffle(term.begin(), term.end(), rng);
        const uint32_t size = 1u << n;
        std::set<uint32_t> expected;
        Strings names;
        for (uint32_t m = 0; m < size; ++m) {
            if (Covers(term, m, n)) {
                expected.insert(m);
                names.push_back(MintermToLetters(m, n, 'A'));
            }
        }
        ClearTruthTable();
        AddTermToTable(term);
        EXPECT_EQ(OnEntries(), expected) << term;
        EXPECT_TRUE(TermIsImplicant(term)) << term;
        TStringListAdv list;
        ExpandTerm(term, list);
        EXPECT_EQ(Items(list), names) << term;
        // Knocking out any one covered minterm makes the term fail the test.
        const uint32_t hole =
            *std::next(expected.begin(), static_cast<long>(rng() % expected.size()));
        ProgramState.TruthTable[hole] = 0;
        EXPECT_FALSE(TermIsImplicant(term)) << term << " hole " << hole;
    }
}

}  // namespace
