// The literal-trie absorption against the pairwise passes it replaced, on large random lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/RemoveRedundant.h"
#include "model/State.h"
#include "model/Terms.h"
#include "tests/support/Reference.h"

namespace {

struct TRecorder : TProgressSink {
    std::vector<std::string> calls;
    void setMax(int max) override { calls.push_back("max " + std::to_string(max)); }
    void setPosition(int p) override { calls.push_back("pos " + std::to_string(p)); }
};

// The sorted work list, repeated passes comparing each survivor with every later one, and the
// gauge moved at every tenth surviving outer item.
std::vector<std::string> PairwisePasses(const TStringListAdv& source, TProgressSink& gauge) {
    TStringListAdv work(true);
    for (int i = 0; i < source.Count(); ++i) {
        std::string term = source.Strings(i);
        ToPositional(term);
        work.Add(term);
    }
    const int count = work.Count();
    std::vector<bool> removed(static_cast<size_t>(count));
    gauge.setMax(count);
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i <= count - 2; ++i) {
            if (removed[static_cast<size_t>(i)]) {
                continue;
            }
            if (i % 10 == 0) {
                gauge.setPosition(i);
            }
            for (int j = count - 1; j > i; --j) {
                if (!removed[static_cast<size_t>(j)] && Absorbs(work.Strings(i), work.Strings(j))) {
                    removed[static_cast<size_t>(j)] = true;
                    changed = true;
                }
            }
        }
    }
    gauge.setPosition(count);
    TStringListAdv result(true);
    for (int i = 0; i < count; ++i) {
        const std::string compact = ToCompact(work.Strings(i));
        if (!removed[static_cast<size_t>(i)] && !compact.empty()) {
            result.Add(compact);
        }
    }
    return Items(result);
}

std::string RandomTerm(std::mt19937& rng, int n, int letters) {
    std::string term;
    for (int k = 0; k < n && static_cast<int>(term.size()) < letters; ++k) {
        if (static_cast<int>(rng() % static_cast<unsigned>(n)) < letters) {
            term += static_cast<char>((rng() % 2 == 0 ? 'A' : 'a') + k);
        }
    }
    return term;
}

// Shapes of source lists: plain random sums, and the products a complement step makes (a
// term list times single letters), where most items are absorbed by a few short ones.
enum class TShape { Random, LetterProducts, WithConstantHi };

struct TCase {
    const char* Name;
    TShape Shape;
    int Vars;
    int Terms;
    int MinLetters;
    int MaxLetters;
};

class AbsorptionDifferential : public testing::TestWithParam<TCase> {};

TStringListAdv MakeSource(std::mt19937& rng, const TCase& c) {
    TStringListAdv source;
    const auto span = static_cast<unsigned>(c.MaxLetters - c.MinLetters + 1);
    for (int t = 0; t < c.Terms; ++t) {
        std::string term = RandomTerm(rng, c.Vars, c.MinLetters + static_cast<int>(rng() % span));
        if (c.Shape == TShape::LetterProducts) {
            // The same base term with one extra letter, sometimes one it already names.
            const int base = t / 4;
            std::mt19937 same(static_cast<unsigned>(base) * 7919u + 1u);
            term = RandomTerm(same, c.Vars, c.MinLetters + static_cast<int>(same() % span));
            term += static_cast<char>((rng() % 2 == 0 ? 'A' : 'a') + rng() % c.Vars);
        }
        if (!term.empty()) {
            source.Add(term);
        }
    }
    if (c.Shape == TShape::WithConstantHi) {
        source.Add(std::string(static_cast<size_t>(c.Vars), '1'));
    }
    return source;
}

TEST_P(AbsorptionDifferential, SameTermsAndGaugeAsPairwisePasses) {
    const TCase& c = GetParam();
    SetVarCount(c.Vars);
    std::mt19937 rng(static_cast<unsigned>(c.Terms * 31 + c.Vars));
    for (int round = 0; round < 3; ++round) {
        const TStringListAdv source = MakeSource(rng, c);
        TRecorder expectedGauge;
        const std::vector<std::string> expected = PairwisePasses(source, expectedGauge);

        TRecorder gauge;
        TStringListAdv destination;
        RemoveRedundant(source, destination, ProgramState.VarCount, &gauge);

        EXPECT_EQ(Items(destination), expected) << "round " << round;
        EXPECT_EQ(gauge.calls, expectedGauge.calls) << "round " << round;
    }
    SetVarCount(4);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AbsorptionDifferential,
    testing::Values(TCase{"SmallDense", TShape::Random, 4, 30, 1, 4},
                    TCase{"MidSixVars", TShape::Random, 6, 300, 1, 6},
                    TCase{"LargeShortTerms", TShape::Random, 16, 3000, 1, 5},
                    TCase{"LargeLongTerms", TShape::Random, 16, 2000, 8, 16},
                    TCase{"LargeMixed", TShape::Random, 12, 3000, 1, 12},
                    TCase{"ProductsSixteen", TShape::LetterProducts, 16, 3000, 3, 7},
                    TCase{"ProductsTen", TShape::LetterProducts, 10, 2000, 2, 5},
                    TCase{"ConstantHiAmongMany", TShape::WithConstantHi, 16, 1000, 2, 8}),
    [](const auto& info) { return std::string(info.param.Name); });

// The bit-level check on its own, so a fault shows without the gauge and string layers.
TEST(AbsorbedTerms, MatchesPairwiseCoverOnDistinctTerms) {
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        std::vector<TCube> terms;
        const int vars = 3 + static_cast<int>(rng() % 14);
        const uint32_t all = (1u << vars) - 1;
        const int count = 1 + static_cast<int>(rng() % 1500);
        for (int i = 0; i < count; ++i) {
            // Sparse care masks on some rounds, so short coverers are common.
            uint32_t care = static_cast<uint32_t>(rng()) & all;
            if (round % 2 == 0) {
                care &= static_cast<uint32_t>(rng());
            }
            const TCube term{care, static_cast<uint32_t>(rng()) & care};
            if (std::find(terms.begin(), terms.end(), term) == terms.end()) {
                terms.push_back(term);
            }
        }
        const std::vector<bool> absorbed = AbsorbedTerms(terms);
        ASSERT_EQ(absorbed.size(), terms.size());
        for (size_t y = 0; y < terms.size(); ++y) {
            bool covered = false;
            for (size_t x = 0; x < terms.size() && !covered; ++x) {
                covered = x != y && (terms[x].Care & ~terms[y].Care) == 0 &&
                          (terms[y].Hi & terms[x].Care) == terms[x].Hi;
            }
            ASSERT_EQ(absorbed[y], covered) << "round " << round << " term " << y;
        }
    }
}

}  // namespace
