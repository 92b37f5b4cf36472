// TStringListAdv: code order, find and add in both modes, growth, sorting, assignment, text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/SensitiveStr.h"
#include "tests/support/Reference.h"

namespace {

using Strings = std::vector<std::string>;

std::vector<intptr_t> Values(const TStringListAdv& list) {
    std::vector<intptr_t> values;
    for (int i = 0; i < list.Count(); ++i) {
        values.push_back(list.Objects(i));
    }
    return values;
}

TStringListAdv SortedSet(const Strings& items) {
    TStringListAdv list(true);
    for (const auto& s : items) {
        list.Add(s);
    }
    return list;
}

struct OrderCase {
    const char* name;
    Strings input;
    Strings expected;
};

void PrintTo(const OrderCase& c, std::ostream* os) {
    *os << c.name;
}

class SortedSetOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(SortedSetOrder, HoldsDistinctItemsInCodeOrder) {
    const auto& c = GetParam();
    EXPECT_EQ(Items(SortedSet(c.input)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SortedSetOrder,
    testing::Values(
        OrderCase{"DigitsCapitalsSmall",
                  {"ab", "aB", "Ab", "AB", "A1", "1B"},
                  {"1B", "A1", "AB", "Ab", "aB", "ab"}},
        OrderCase{
            "Shuffled", {"aB", "1B", "ab", "A1", "AB", "Ab"}, {"1B", "A1", "AB", "Ab", "aB", "ab"}},
        OrderCase{"PrefixFirst", {"ABC", "A", "AB", ""}, {"", "A", "AB", "ABC"}},
        OrderCase{"RepeatsVanish", {"b", "a", "b", "a", "b"}, {"a", "b"}},
        // Codes above 127 compare unsigned: after every letter, not before "1".
        OrderCase{"HighBytesLast", {"\xC3", "z", "1", "\x7F"}, {"1", "z", "\x7F", "\xC3"}},
        // Positional terms: "1" at a position sorts before any letter there.
        OrderCase{
            "PositionalTerms", {"aBcD", "a1C1", "11C1", "A1cd"}, {"11C1", "A1cd", "a1C1", "aBcD"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FindCase {
    const char* name;
    Strings items;  // already in code order
    uint8_t duplicates;
    std::string sought;
    bool found;
    int index;
};

void PrintTo(const FindCase& c, std::ostream* os) {
    *os << c.name;
}

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FlagAndIndex) {
    const auto& c = GetParam();
    TStringListAdv list(true, 1);  // mode 1 keeps the given repeats
    for (const auto& s : c.items) {
        list.Add(s);
    }
    ASSERT_EQ(Items(list), c.items);
    list.SetDuplicates(c.duplicates);
    int index = -99;
    EXPECT_EQ(list.Find(c.sought, index), c.found);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(list.IndexOf(c.sought), c.found ? c.index : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Bisection, FindTest,
    testing::Values(
        FindCase{"EmptyList", {}, 0, "A", false, 0},
        FindCase{"First", {"A", "B", "C"}, 0, "A", true, 0},
        FindCase{"Last", {"A", "B", "C"}, 0, "C", true, 2},
        FindCase{"BeforeAll", {"B", "C"}, 0, "A", false, 0},
        FindCase{"AfterAll", {"B", "C"}, 0, "D", false, 2},
        FindCase{"Between", {"A", "C", "E", "G"}, 0, "D", false, 2},
        FindCase{"CaseMatters", {"AB", "Ab", "aB"}, 0, "ab", false, 3},
        FindCase{"UpperNotLower", {"AB", "ab"}, 0, "AB", true, 0},
        FindCase{"LowerNotUpper", {"AB", "ab"}, 0, "ab", true, 1},
        // Mode 1 walks on to the first of equal items.
        FindCase{"FirstOfRepeats", {"A", "B", "B", "B", "B", "C"}, 1, "B", true, 1},
        FindCase{"FirstOfManyRepeats", {"A", "A", "A", "A", "A", "A", "A", "B"}, 1, "A", true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SortedSetAdd, ExistingStringGivesItsIndexAndKeepsItsValue) {
    TStringListAdv list(true);
    list.AddObject("B", 1);
    list.AddObject("A", 2);
    EXPECT_EQ(list.AddObject("B", 3), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(Values(list), (std::vector<intptr_t>{2, 1}));
}

TEST(SortedSetAdd, ReturnsInsertionIndex) {
    TStringListAdv list(true);
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("B"), 0);
    EXPECT_EQ(list.Add("c"), 2);
    EXPECT_EQ(list.Add("1"), 0);
    EXPECT_EQ(Items(list), (Strings{"1", "B", "b", "c"}));
}

TEST(SortedDuplicates, ModeOneInsertsSecondCopyInFrontOfFirst) {
    TStringListAdv list(true, 1);
    list.AddObject("A", 10);
    list.AddObject("B", 20);
    list.AddObject("C", 30);
    EXPECT_EQ(list.AddObject("B", 21), 1);
    EXPECT_EQ(list.AddObject("B", 22), 1);
    EXPECT_EQ(Items(list), (Strings{"A", "B", "B", "B", "C"}));
    EXPECT_EQ(Values(list), (std::vector<intptr_t>{10, 22, 21, 20, 30}));
}

TEST(SortedDuplicates, OtherNonZeroModeAlsoAccepts) {
    TStringListAdv list(true, 2);
    list.Add("A");
    list.Add("A");
    list.Add("A");
    EXPECT_EQ(Items(list), (Strings{"A", "A", "A"}));
}

TEST(PlainList, AppendsInOrderAndKeepsRepeats) {
    TStringListAdv list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("A"), 1);
    EXPECT_EQ(list.Add("b"), 2);
    list.Insert(1, "1");
    list.Insert(4, "z");
    EXPECT_EQ(Items(list), (Strings{"b", "1", "A", "b", "z"}));
}

TEST(PlainList, DeleteAndExchangeMoveValuesWithStrings) {
    TStringListAdv list;
    list.AddObject("a", 1);
    list.AddObject("b", 2);
    list.AddObject("c", 3);
    list.Exchange(0, 2);
    list.Delete(1);
    EXPECT_EQ(Items(list), (Strings{"c", "a"}));
    EXPECT_EQ(Values(list), (std::vector<intptr_t>{3, 1}));
    list.SetString(1, "x");
    list.SetObject(1, 9);
    EXPECT_EQ(list.Strings(1), "x");
    EXPECT_EQ(list.Objects(1), 9);
}

TEST(SortedFlag, SettingSortsAndClearingKeepsOrder) {
    TStringListAdv list;
    list.AddObject("b", 2);
    list.AddObject("1", 1);
    list.AddObject("B", 3);
    list.AddObject("b", 4);
    list.SetSorted(true);
    EXPECT_EQ(Items(list), (Strings{"1", "B", "b", "b"}));  // existing repeats stay
    list.SetSorted(false);
    list.Add("0");
    EXPECT_EQ(Items(list), (Strings{"1", "B", "b", "b", "0"}));
}

TEST(SortedFlag, ValuesTravelWithTheirStrings) {
    TStringListAdv list;
    const Strings input{"d", "A", "c", "1", "B"};
    for (size_t i = 0; i < input.size(); ++i) {
        list.AddObject(input[i], static_cast<intptr_t>(i));
    }
    list.SetSorted(true);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(input[static_cast<size_t>(list.Objects(i))], list.Strings(i));
    }
}

// Capacity after each add, starting from an empty list: +4 up to 8, +16 up to 64, then +1/4.
TEST(Growth, CapacityStepsFollowTheRule) {
    TStringListAdv list;
    std::vector<int> seen;
    for (int i = 0; i < 120; ++i) {
        list.Add("x");
        if (seen.empty() || seen.back() != list.Capacity()) {
            seen.push_back(list.Capacity());
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
}

TEST(Growth, ClearReleasesStorage) {
    TStringListAdv list;
    for (int i = 0; i < 10; ++i) {
        list.Add("x");
    }
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    list.Add("y");
    EXPECT_EQ(list.Capacity(), 4);
}

// Adding or inserting one of the list's own strings while it grows must copy it first.
TEST(Growth, AddingOwnStringAcrossGrowth) {
    const std::string longText(40, 'q');  // beyond the small-string buffer
    TStringListAdv plain;
    TStringListAdv repeats(true, 1);
    for (int i = 0; i < 4; ++i) {
        plain.Add(longText + std::to_string(i));
        repeats.Add(longText + std::to_string(i));
    }
    ASSERT_EQ(plain.Count(), plain.Capacity());
    plain.Add(plain.Strings(0));
    plain.Insert(0, plain.Strings(3));
    EXPECT_EQ(plain.Strings(5), longText + "0");
    EXPECT_EQ(plain.Strings(0), longText + "3");

    ASSERT_EQ(repeats.Count(), repeats.Capacity());
    repeats.Add(repeats.Strings(2));
    EXPECT_EQ(Items(repeats), (Strings{longText + "0", longText + "1", longText + "2",
                                       longText + "2", longText + "3"}));
}

struct SortCase {
    const char* name;
    int count;
    int alphabet;  // distinct strings to draw from; small values give many repeats
    int order;     // 0 random, 1 ascending, 2 descending
};

void PrintTo(const SortCase& c, std::ostream* os) {
    *os << c.name;
}

class QuickSortTest : public testing::TestWithParam<SortCase> {};

TEST_P(QuickSortTest, AscendingWithValuesAttached) {
    const auto& c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.count * 31 + c.alphabet));
    Strings input;
    for (int i = 0; i < c.count; ++i) {
        const auto r = static_cast<unsigned>(rng() % static_cast<unsigned>(c.alphabet));
        std::string s;
        for (unsigned v = r; s.size() < 4; v /= 3) {
            s += "1Aa"[v % 3];
        }
        input.push_back(s);
    }
    if (c.order == 1) {
        std::sort(input.begin(), input.end());
    } else if (c.order == 2) {
        std::sort(input.rbegin(), input.rend());
    }
    TStringListAdv list;
    for (size_t i = 0; i < input.size(); ++i) {
        list.AddObject(input[i], static_cast<intptr_t>(i));
    }
    list.Sort();
    Strings expected = input;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Items(list), expected);
    std::vector<intptr_t> values = Values(list);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(input[static_cast<size_t>(values[static_cast<size_t>(i)])], list.Strings(i));
    }
    std::sort(values.begin(), values.end());
    EXPECT_TRUE(std::adjacent_find(values.begin(), values.end()) == values.end())
        << "an item was duplicated or lost";
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, QuickSortTest,
    testing::Values(SortCase{"Two", 2, 81, 2}, SortCase{"Three", 3, 81, 0},
                    SortCase{"Random", 500, 81, 0}, SortCase{"ManyRepeats", 500, 3, 0},
                    SortCase{"AllEqual", 300, 1, 0}, SortCase{"Ascending", 2000, 81, 1},
                    SortCase{"Descending", 2000, 81, 2}, SortCase{"Large", 40000, 81, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CustomSort, UsesTheGivenComparisonUnlessMarkedSorted) {
    TStringListAdv list;
    for (const char* s : {"ccc", "a", "bb", "dddd"}) {
        list.Add(s);
    }
    const auto longestFirst = [](const TStringListAdv& l, int a, int b) {
        return static_cast<int>(l.Strings(b).size()) - static_cast<int>(l.Strings(a).size());
    };
    list.CustomSort(longestFirst);
    EXPECT_EQ(Items(list), (Strings{"dddd", "ccc", "bb", "a"}));
    TStringListAdv sorted = SortedSet({"a", "bb", "ccc"});
    sorted.CustomSort(longestFirst);
    EXPECT_EQ(Items(sorted), (Strings{"a", "bb", "ccc"}));
}

struct AssignCase {
    const char* name;
    bool targetSorted;
    Strings before;
    Strings source;  // plain list, values 1, 2, 3, ...
    Strings expected;
    std::vector<intptr_t> values;
};

void PrintTo(const AssignCase& c, std::ostream* os) {
    *os << c.name;
}

class AssignTest : public testing::TestWithParam<AssignCase> {};

TEST_P(AssignTest, ReplacesContentThroughAdd) {
    const auto& c = GetParam();
    TStringListAdv target(c.targetSorted);
    for (const auto& s : c.before) {
        target.AddObject(s, 99);
    }
    TStringListAdv source;
    for (size_t i = 0; i < c.source.size(); ++i) {
        source.AddObject(c.source[i], static_cast<intptr_t>(i + 1));
    }
    target.Assign(source);
    EXPECT_EQ(Items(target), c.expected);
    EXPECT_EQ(Values(target), c.values);
    EXPECT_EQ(target.Sorted(), c.targetSorted);
}

INSTANTIATE_TEST_SUITE_P(Targets, AssignTest,
                         testing::Values(AssignCase{"PlainKeepsOrderAndRepeats",
                                                    false,
                                                    {"old"},
                                                    {"b", "A", "b"},
                                                    {"b", "A", "b"},
                                                    {1, 2, 3}},
                                         AssignCase{"SortedSetResortsAndDropsRepeats",
                                                    true,
                                                    {"old"},
                                                    {"b", "A", "b", "1"},
                                                    {"1", "A", "b"},
                                                    {4, 2, 1}},
                                         AssignCase{
                                             "EmptySourceEmpties", true, {"x", "y"}, {}, {}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Assign, FromItselfKeepsContent) {
    TStringListAdv list = SortedSet({"B", "A"});
    list.Assign(list);
    EXPECT_EQ(Items(list), (Strings{"A", "B"}));
}

TEST(Text, EveryStringFollowedByCrLf) {
    TStringListAdv list;
    EXPECT_EQ(list.Text(), "");
    list.Add("AB");
    list.Add("");
    list.Add("c");
    EXPECT_EQ(list.Text(), "AB\r\n\r\nc\r\n");
}

TEST(ChangeCallbacks, BeforeAndAfterEachModificationOnly) {
    TStringListAdv list(true);
    std::string log;
    list.OnChanging = [&] { log += '<'; };
    list.OnChange = [&] { log += '>'; };
    list.Add("A");
    list.Add("A");  // already there: nothing changes
    list.SetObject(0, 5);
    list.Delete(0);
    EXPECT_EQ(log, "<><><>");
}

}  // namespace
