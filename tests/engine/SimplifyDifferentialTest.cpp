// Simplify against the step-by-step search and brute-force primes, on random and special functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/RemoveRedundant.h"
#include "engine/Simplify.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "model/Terms.h"
#include "tests/support/Reference.h"

namespace {

struct TRun {
    bool Hi = false;
    int64_t Counter = 0;
    std::vector<TRankedTerm> Terms;
    int RankZero = 0;
    std::vector<uint8_t> Table;
    int SearchListSize = 0;            // what the search holds before absorbed terms go
    std::vector<std::string> Found;    // the search's result list
    std::vector<uint8_t> SearchTable;  // the truth table right after the search
};

std::vector<uint8_t> TableSnapshot() {
    const auto& table = ProgramState.TruthTable;
    return {table.begin(), table.begin() + ProgramState.HighMinterm + 1};
}

// Coverage counts modulo 256 in the table, then each term's smallest and largest count; a term
// whose highest minterm's count wrapped to 0 is counted in rankZero.
std::vector<TRankedTerm> RankByHand(const std::vector<std::string>& terms, int& rankZero) {
    const int n = ProgramState.VarCount;
    const std::vector<int> counts = CoverageCounts(terms, n);
    ProgramState.TruthTable.fill(0);
    for (uint32_t m = 0; m < counts.size(); ++m) {
        ProgramState.TruthTable[m] = static_cast<uint8_t>(counts[m]);
    }
    for (const std::string& t : terms) {
        const TCube cube = CubeOf(t, n);
        rankZero += counts[cube.Hi | (((1u << n) - 1) & ~cube.Care)] % 256 == 0 ? 1 : 0;
    }
    return RankedTerms(terms, n);
}

// The search exactly as its steps read, with the sorted set, TermIsImplicant and RemoveRedundant.
int64_t SearchStepByStep(const TStringListAdv& minterms, TStringListAdv& result, int& listSize) {
    const auto n = static_cast<size_t>(ProgramState.VarCount);
    ClearTruthTable();
    result.Clear();
    for (int i = 0; i < minterms.Count(); ++i) {
        AddTermToTable(minterms.Strings(i));
    }
    int64_t counter = 0;
    for (int i = 0; i < minterms.Count(); ++i) {
        const std::string m = minterms.Strings(i);
        std::string t = m;
        std::vector<size_t> f;
        for (size_t p = 0; p < n; ++p) {
            t[p] = '1';
            if (result.IndexOf(t) < 0) {
                ++counter;
                if (TermIsImplicant(t)) {
                    f.push_back(p);
                    result.Add(t);
                }
            }
            t[p] = m[p];
        }
        if (f.empty()) {
            result.Add(m);
        } else if (f.size() >= 2) {
            for (uint32_t s = 1; s < (1u << f.size()); ++s) {
                for (size_t j = 0; j < f.size(); ++j) {
                    if ((s >> j) & 1u) {
                        t[f[j]] = '1';
                    }
                }
                ++counter;
                if (result.IndexOf(t) < 0 && TermIsImplicant(t)) {
                    result.Add(t);
                }
                t = m;
            }
        }
    }
    listSize = result.Count();
    RemoveRedundant(result, result, ProgramState.VarCount);
    return counter;
}

TStringListAdv MintermList(const std::vector<std::string>& rows) {
    TStringListAdv input(true);
    for (const auto& row : rows) {
        std::string term = CutTerm(TrimBlanks(row));
        if (!term.empty() && CheckTerm(term) == TermValid) {
            input.Add(term);
        }
    }
    TStringListAdv expansion;
    TStringListAdv minterms(true);
    for (int i = 0; i < input.Count(); ++i) {
        ExpandTerm(input.Strings(i), expansion);
        for (int j = 0; j < expansion.Count(); ++j) {
            minterms.Add(expansion.Strings(j));
        }
    }
    return minterms;
}

TRun StepByStep(const std::vector<std::string>& rows) {
    TRun run;
    TStringListAdv result(true);
    run.Counter = SearchStepByStep(MintermList(rows), result, run.SearchListSize);
    run.Found = Items(result);
    run.SearchTable = TableSnapshot();
    run.Hi = result.Text().empty();
    if (!run.Hi) {
        run.Terms = RankByHand(run.Found, run.RankZero);
    }
    run.Table = TableSnapshot();
    return run;
}

struct TGaugeMax : TProgressSink {
    int Max = -1;
    void setMax(int max) override { Max = max; }
    void setPosition(int) override {}
};

TRun Engine(const std::vector<std::string>& rows) {
    TGaugeMax gauge;
    const TSimplifyOutcome outcome = SimplifyTerms(rows, StateTables(), nullptr, &gauge);
    TRun run;
    run.Hi = outcome.Kind == TSimplifyKind::ConstantHi;
    run.Counter = outcome.Search.Counter;
    run.Terms = RankedItems(outcome.Result);
    run.RankZero = outcome.RankZeroCount;
    run.Table = TableSnapshot();
    run.SearchListSize = gauge.Max;
    return run;
}

TRun BruteForce(const std::vector<bool>& on) {
    TRun run;
    std::vector<std::string> primes;
    for (const TCube cube : BrutePrimes(ProgramState.VarCount, on)) {
        primes.push_back(CompactTerm(cube, ProgramState.VarCount));
        run.Hi = run.Hi || primes.back().empty();
    }
    if (!run.Hi) {
        std::sort(primes.begin(), primes.end());
        run.Terms = RankByHand(primes, run.RankZero);
    }
    return run;
}

std::string Letter(int k, bool high) {
    return std::string(1, static_cast<char>((high ? 'A' : 'a') + k));
}

// Editor rows holding the ON minterms in random order, some with their letters shuffled, padded
// with blanks or repeated, with empty rows between.
std::vector<std::string> RowsForFunction(const std::vector<bool>& on, std::mt19937& rng) {
    const int n = ProgramState.VarCount;
    std::vector<std::string> rows;
    for (uint32_t m = 0; m < on.size(); ++m) {
        if (!on[m]) {
            continue;
        }
        std::string row = MintermToLetters(m, n, 'A');
        switch (rng() % 8) {
            case 0:
                std::shuffle(row.begin(), row.end(), rng);
                break;
            case 1:
                row.insert(0, 2, ' ');
                row += '\t';
                break;
            case 2:
                rows.push_back(row);
                break;
            case 3:
                rows.push_back("");
                break;
            default:
                break;
        }
        rows.push_back(row);
    }
    std::shuffle(rows.begin(), rows.end(), rng);
    return rows;
}

std::vector<std::string> RandomTerms(std::mt19937& rng) {
    const int n = ProgramState.VarCount;
    const double freeShare = 0.2 + 0.5 * (rng() % 100) / 100.0;
    std::bernoulli_distribution leaveOut(freeShare);
    std::vector<std::string> terms;
    const int count = 1 + static_cast<int>(rng() % 10);
    for (int i = 0; i < count; ++i) {
        std::string term;
        for (int k = 0; k < n; ++k) {
            if (!leaveOut(rng)) {
                term += Letter(k, rng() % 2 == 0);
            }
        }
        if (term.empty()) {
            term = Letter(static_cast<int>(rng() % n), true);
        }
        std::shuffle(term.begin(), term.end(), rng);
        terms.push_back(term);
    }
    return terms;
}

// The list-based search on its own, as the results window's callers would run it.
TRun ListSearch(const std::vector<std::string>& rows) {
    TGaugeMax gauge;
    TStringListAdv result(true);
    const TSearchReport report = FindAcceptableStrings(MintermList(rows), ProgramState.VarCount,
                                                       ProgramState.TruthTable, result, &gauge);
    TRun run;
    run.Counter = report.Counter;
    run.Found = Items(result);
    run.SearchTable = TableSnapshot();
    run.SearchListSize = gauge.Max;
    return run;
}

void CompareOn(const std::vector<std::string>& rows) {
    std::vector<std::string> terms;
    for (const auto& row : rows) {
        if (!TrimBlanks(row).empty()) {
            terms.push_back(TrimBlanks(row));
        }
    }
    const TRun steps = StepByStep(rows);
    const TRun engine = Engine(rows);
    const TRun list = ListSearch(rows);
    const TRun brute = BruteForce(OnSet(terms, ProgramState.VarCount));
    EXPECT_EQ(engine.Hi, steps.Hi);
    EXPECT_EQ(engine.Counter, steps.Counter);
    EXPECT_EQ(engine.Terms, steps.Terms);
    EXPECT_EQ(engine.RankZero, steps.RankZero);
    EXPECT_EQ(engine.Table, steps.Table);
    EXPECT_EQ(engine.SearchListSize, steps.SearchListSize);
    EXPECT_EQ(list.Counter, steps.Counter);
    EXPECT_EQ(list.Found, steps.Found);
    EXPECT_EQ(list.SearchTable, steps.SearchTable);
    EXPECT_EQ(list.SearchListSize, steps.SearchListSize);
    EXPECT_EQ(brute.Hi, steps.Hi);
    EXPECT_EQ(brute.Terms, steps.Terms);
}

class RandomFunctions : public testing::TestWithParam<int> {};

TEST_P(RandomFunctions, AgreeWithStepsAndBruteForce) {
    const int n = GetParam();
    SetVarCount(n);
    std::mt19937 rng(1000u + static_cast<unsigned>(n));
    // Dense functions hold many implicants, and the step-by-step list grows quadratically.
    const int rounds = n <= 8 ? 150 : 60;
    const double densest = n <= 8 ? 0.97 : 0.9;
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::string> rows;
        if (round % 2 == 0) {
            std::bernoulli_distribution coin(0.03 + (densest - 0.03) * (rng() % 101) / 100.0);
            std::vector<bool> on(ProgramState.HighMinterm + 1);
            for (uint32_t m = 0; m < on.size(); ++m) {
                on[m] = coin(rng);
            }
            on[rng() % on.size()] = true;
            rows = RowsForFunction(on, rng);
        } else {
            rows = RandomTerms(rng);
        }
        SCOPED_TRACE("n " + std::to_string(n) + " round " + std::to_string(round));
        CompareOn(rows);
    }
}

INSTANTIATE_TEST_SUITE_P(Vars, RandomFunctions, testing::Range(3, 11), [](const auto& info) {
    std::string name(1, 'n');
    return name += std::to_string(info.param);
});

struct TSpecial {
    const char* Name;
    int Vars;
    std::function<bool(uint32_t m, int n)> On;
    bool StepByStepToo = true;  // the step-by-step search is too slow for the largest ones
};

class SpecialFunctions : public testing::TestWithParam<TSpecial> {};

TEST_P(SpecialFunctions, AgreeWithReferences) {
    const TSpecial& f = GetParam();
    SetVarCount(f.Vars);
    std::vector<bool> on(ProgramState.HighMinterm + 1);
    for (uint32_t m = 0; m < on.size(); ++m) {
        on[m] = f.On(m, f.Vars);
    }
    std::mt19937 rng(3);
    const std::vector<std::string> rows = RowsForFunction(on, rng);
    if (f.StepByStepToo) {
        CompareOn(rows);
        return;
    }
    const TRun engine = Engine(rows);
    const TRun brute = BruteForce(on);
    EXPECT_EQ(engine.Hi, brute.Hi);
    EXPECT_EQ(engine.Terms, brute.Terms);
    EXPECT_EQ(engine.RankZero, brute.RankZero);
}

int Ones(uint32_t m) {
    return std::popcount(m);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, SpecialFunctions,
    testing::Values(TSpecial{"Parity", 9, [](uint32_t m, int) { return Ones(m) % 2 == 1; }},
                    TSpecial{"Majority", 10, [](uint32_t m, int n) { return 2 * Ones(m) >= n; }},
                    TSpecial{"ProductBit", 8,
                             [](uint32_t m, int) { return (((m >> 4) * (m & 15u)) >> 3) & 1u; }},
                    TSpecial{"AllMinterms", 8, [](uint32_t, int) { return true; }},
                    TSpecial{"AllButLowest", 8, [](uint32_t m, int) { return m != 0; }},
                    TSpecial{"AllButOne", 7, [](uint32_t m, int) { return m != 85; }},
                    TSpecial{"HighestOnly", 10,
                             [](uint32_t m, int n) { return m == (1u << n) - 1; }},
                    TSpecial{"TwoApart", 10, [](uint32_t m, int) { return m == 0 || m == 3; }},
                    // 18,480 primes; up to 400 of them cover one minterm, so the counts wrap.
                    TSpecial{"OnesFromThreeToNine", 12,
                             [](uint32_t m, int) { return Ones(m) >= 3 && Ones(m) <= 9; }, false}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
