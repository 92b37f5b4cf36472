// Absorption, repeats, order and the gauge values of RemoveRedundant.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/RemoveRedundant.h"
#include "model/State.h"
#include "model/Terms.h"
#include "tests/support/Reference.h"

namespace {

TStringListAdv Plain(std::initializer_list<const char*> terms) {
    TStringListAdv list;
    for (const char* t : terms) {
        list.Add(t);
    }
    return list;
}

struct Recorder : TProgressSink {
    std::vector<std::string> calls;
    void setMax(int max) override { calls.push_back("max " + std::to_string(max)); }
    void setPosition(int p) override { calls.push_back("pos " + std::to_string(p)); }
};

struct Case {
    const char* name;
    int n;
    std::vector<const char*> source;
    std::vector<std::string> expected;
};

class RemoveRedundantTest : public testing::TestWithParam<Case> {};

TEST_P(RemoveRedundantTest, Result) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    TStringListAdv source;
    for (const char* t : c.source) {
        source.Add(t);
    }
    TStringListAdv destination(true);
    RemoveRedundant(source, destination, ProgramState.VarCount);
    EXPECT_EQ(Items(destination), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Absorption, RemoveRedundantTest,
    testing::Values(Case{"Absorbs", 4, {"AB", "A", "Ab"}, {"A"}},
                    Case{"CodeOrder", 4, {"aBCd", "aC", "BCD"}, {"BCD", "aC"}},
                    Case{"Repeats", 4, {"AB", "AB", "ab"}, {"AB", "ab"}},
                    Case{"NoMerging", 4, {"A", "a"}, {"A", "a"}},
                    Case{"ConstantHi", 4, {"AB", "1111", "c"}, {}}, Case{"Empty", 4, {}, {}},
                    Case{"PositionalInput", 4, {"A1C1", "A1CD", "ab11"}, {"AC", "ab"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RemoveRedundant, SameListAsSourceAndDestination) {
    SetVarCount(4);
    TStringListAdv list = Plain({"AB", "A", "Ab", "c"});
    RemoveRedundant(list, list, ProgramState.VarCount);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"A", "c"}));
}

TEST(RemoveRedundant, GaugeSeesSurvivorsInBothPasses) {
    SetVarCount(4);
    Recorder gauge;
    TStringListAdv source =
        Plain({"A", "AB", "ABC", "ABCD", "Abcd", "b", "bc", "bcd", "abcd", "aBcd", "abCd", "aBCD"});
    TStringListAdv destination(true);
    RemoveRedundant(source, destination, ProgramState.VarCount, &gauge);
    // Work order: 1b11 1bc1 1bcd A111 AB11 ABC1 ABCD Abcd aBCD aBcd abCd abcd. Item 0 is
    // alive and item 10 (abCd) is absorbed by 1b11, so each pass reports position 0 only.
    const std::vector<std::string> expected{"max 12", "pos 0", "pos 0", "pos 12"};
    EXPECT_EQ(gauge.calls, expected);
}

// Quadratic absorption written out, as a reference for random sums.
std::vector<std::string> Reference(const std::vector<std::string>& terms) {
    std::vector<std::string> work;
    for (auto t : terms) {
        ToPositional(t);
        work.push_back(t);
    }
    std::sort(work.begin(), work.end());
    work.erase(std::unique(work.begin(), work.end()), work.end());
    std::vector<std::string> out;
    for (const auto& y : work) {
        const bool absorbed = std::any_of(work.begin(), work.end(), [&](const std::string& x) {
            return x != y && Absorbs(x, y);
        });
        const auto compact = ToCompact(y);
        if (!absorbed && !compact.empty()) {
            out.push_back(compact);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(RemoveRedundant, AgreesWithPairwiseReference) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const int n = 3 + static_cast<int>(rng() % 6);
        SetVarCount(n);
        std::vector<std::string> terms;
        TStringListAdv source;
        const int count = static_cast<int>(rng() % 40);
        for (int i = 0; i < count; ++i) {
            std::string t;
            for (int k = 0; k < n; ++k) {
                const auto r = rng() % 3;
                if (r == 1) {
                    t += static_cast<char>('A' + k);
                } else if (r == 2) {
                    t += static_cast<char>('a' + k);
                }
            }
            if (t.empty()) {
                continue;
            }
            terms.push_back(t);
            source.Add(t);
        }
        TStringListAdv destination;
        RemoveRedundant(source, destination, ProgramState.VarCount);
        EXPECT_EQ(Items(destination), Reference(terms)) << "round " << round;
    }
}

}  // namespace
