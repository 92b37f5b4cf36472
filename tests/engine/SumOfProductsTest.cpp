// Products, complements, the OR combination and the string XOR, with their reports.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/SumOfProducts.h"
#include "model/State.h"

namespace {

struct Recorder : TProgressSink {
    std::vector<std::string> calls;
    void setMax(int max) override { calls.push_back("max " + std::to_string(max)); }
    void setPosition(int p) override { calls.push_back("pos " + std::to_string(p)); }
};

struct StringCase {
    const char* name;
    std::string p;
    std::string q;
    std::string product;
};

class StringProductTest : public testing::TestWithParam<StringCase> {};

TEST_P(StringProductTest, Product) {
    SetVarCount(6);
    EXPECT_EQ(StringProduct(GetParam().p, GetParam().q, ProgramState.VarCount), GetParam().product);
}

INSTANTIATE_TEST_SUITE_P(Sums, StringProductTest,
                         testing::Values(StringCase{"Distributes", "A+B", "c+D", "AD+Ac+BD+Bc"},
                                         StringCase{"DropsContradictions", "A+B", "a", "aB"},
                                         StringCase{"AllContradict", "A", "a", ""},
                                         StringCase{"AbsorbsAndDropsRepeats", "A+AB+A", "C+C",
                                                    "AC"},
                                         StringCase{"SkipsEmptyPieces", "+A++", "B+", "AB"},
                                         StringCase{"EmptySide", "", "A", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ListProduct, ClearsTargetAndProcessesMessagesOnce) {
    SetVarCount(6);
    TStringListAdv first;
    first.Add("A");
    first.Add("b");
    TStringListAdv second;
    second.Add("a");
    TStringListAdv target(true);
    target.Add("CDE");
    int calls = 0;
    ListProduct(first, second, target, ProgramState.VarCount, {nullptr, [&] { ++calls; }});
    ASSERT_EQ(target.Count(), 1);
    EXPECT_EQ(target.Strings(0), "ab");
    EXPECT_EQ(calls, 1);

    ListProduct(second, first, target, ProgramState.VarCount, {nullptr, [&] { ++calls; }});
    EXPECT_EQ(target.Count(), 1);
    EXPECT_EQ(calls, 2);
}

TEST(ListProduct, TargetMayBeAnInput) {
    SetVarCount(6);
    TStringListAdv list(true);
    list.Add("A");
    list.Add("b");
    ListProduct(list, list, list, ProgramState.VarCount);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), "A");
    EXPECT_EQ(list.Strings(1), "b");
}

TEST(TermComplement, SwapsCaseAndJoins) {
    EXPECT_EQ(TermComplement("AbC"), "a+B+c");
    EXPECT_EQ(TermComplement("p"), "P");
    EXPECT_EQ(TermComplement(""), "");
}

struct ComplementCase {
    const char* name;
    std::string s;
    std::string cleaned;
    std::string r;  // "keep": r left as it was
    std::string status;
};

class ComplementTest : public testing::TestWithParam<ComplementCase> {};

TEST_P(ComplementTest, ResultStatusAndCleaning) {
    const auto& c = GetParam();
    SetVarCount(6);
    std::string s = c.s;
    std::string r = "keep";
    EXPECT_EQ(Complement(s, r, ProgramState.VarCount), c.status);
    EXPECT_EQ(r, c.r);
    EXPECT_EQ(s, c.cleaned);
}

INSTANTIATE_TEST_SUITE_P(
    DeMorgan, ComplementTest,
    testing::Values(ComplementCase{"TwoTerms", "AB+aB", "AB+aB", "b", "Terms= 1"},
                    ComplementCase{"AlwaysLoKeepsResult", "A+a", "A+a", "keep", "Always LO"},
                    ComplementCase{"EmptyIsHi", "", "", "A+a", "Terms= 2"},
                    ComplementCase{"CleansInPlace", "AB+Cc+", "AB", "a+b", "Terms= 2"},
                    ComplementCase{"OnlyContradictions", "Aa+Bb", "", "A+a", "Terms= 2"},
                    ComplementCase{"ThreeTerms", "A+B+C", "A+B+C", "abc", "Terms= 1"},
                    // Only the first product is checked; a later empty one gives an empty r.
                    ComplementCase{"LaterEmpty", "A+B+a", "A+B+a", "", "Terms= 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Complement, GaugeFollowsInputTerms) {
    SetVarCount(6);
    Recorder gauge;
    int products = 0;
    std::string s = "A+B+C+D";
    std::string r;
    Complement(s, r, ProgramState.VarCount, {&gauge, [&] { ++products; }});
    EXPECT_EQ(r, "abcd");
    EXPECT_EQ(gauge.calls, (std::vector<std::string>{"max 4", "pos 2", "pos 3", "pos 0"}));
    EXPECT_EQ(products, 3);
}

TEST(Complement, TwoTermsLeaveTheGaugeAlone) {
    SetVarCount(6);
    Recorder gauge;
    std::string s = "A+B";
    std::string r;
    Complement(s, r, ProgramState.VarCount, {&gauge, {}});
    EXPECT_EQ(r, "ab");
    EXPECT_TRUE(gauge.calls.empty());
}

struct OrCase {
    const char* name;
    std::string a;
    std::string b;
    std::string result;
    std::optional<std::string> message;
};

class OrCombinationTest : public testing::TestWithParam<OrCase> {};

TEST_P(OrCombinationTest, ResultAndMessage) {
    const auto& c = GetParam();
    SetVarCount(6);
    std::string a = c.a;
    std::string b = c.b;
    std::optional<std::string> message;
    EXPECT_EQ(OrCombination(a, b, message, {"first ", "second "}, ProgramState.VarCount), c.result);
    EXPECT_EQ(message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Sums, OrCombinationTest,
    testing::Values(OrCase{"EmptySecondPassesFirst", "Aa+", "", "Aa+", std::nullopt},
                    OrCase{"LaterSingleLetter", "aBC+B", "bD", "B+D", std::nullopt},
                    OrCase{"FirstErrorWins", "A+Bb", "Cc", "A", "first 3"},
                    OrCase{"SecondError", "A", "C+Cc", "A+C", "second 3"},
                    OrCase{"ErrorThenConstant", "A+Bb", "a", "A+a", "HI"},
                    OrCase{"NothingValidIsLo", "Aa", "Bb", "Aa", "first 3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OrCombination, CleansBothInputs) {
    SetVarCount(6);
    std::string a = "AB+Cc+";
    std::string b = "D+";
    std::optional<std::string> message;
    OrCombination(a, b, message, {"x ", "y "}, ProgramState.VarCount);
    EXPECT_EQ(a, "AB");
    EXPECT_EQ(b, "D");
}

TEST(StringXor, JoinsBothProductsAsTheyCome) {
    SetVarCount(8);
    EXPECT_EQ(StringXor("A", "B", ProgramState.VarCount), "Ab+aB");
    EXPECT_EQ(StringXor("AB", "A", ProgramState.VarCount), "+Ab");
    EXPECT_EQ(StringXor("A", "AB", ProgramState.VarCount), "Ab+");
    EXPECT_EQ(StringXor("A", "A", ProgramState.VarCount), "+");
    // A trailing "+" and a contradicting term are cleaned before multiplying.
    EXPECT_EQ(StringXor("A+Cc+", "B", ProgramState.VarCount), "Ab+aB");
}

}  // namespace
