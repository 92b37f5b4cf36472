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

namespace {

struct TRanked {
    std::string Term;
    int Min = 0;
    int Max = 0;
    bool operator==(const TRanked&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TRanked& r) {
    return out << r.Term << " " << r.Min << " " << r.Max;
}

struct TRun {
    bool Hi = false;
    int64_t Counter = 0;
    std::vector<TRanked> Terms;
    int RankZero = 0;
    std::vector<uint8_t> Table;
    int SearchListSize = 0;            // what the search holds before absorbed terms go
    std::vector<std::string> Found;    // the search's result list
    std::vector<uint8_t> SearchTable;  // the truth table right after the search
};

std::vector<std::string> Strings(const TStringListAdv& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) {
        out.push_back(list.Strings(i));
    }
    return out;
}

std::vector<uint8_t> TableSnapshot() {
    const auto& table = ProgramState.TruthTable;
    return {table.begin(), table.begin() + ProgramState.HighMinterm + 1};
}

// Minterm numbers a term covers, written out with no help from the model.
std::vector<uint32_t> Covered(const std::string& compact) {
    const int n = ProgramState.VarCount;
    uint32_t care = 0;
    uint32_t hi = 0;
    for (const char c : compact) {
        const uint32_t bit = 1u << (n - 1 - (UpCase(c) - 'A'));
        care |= bit;
        hi |= c < 'a' ? bit : 0;
    }
    std::vector<uint32_t> out;
    for (uint32_t x = 0; x <= ProgramState.HighMinterm; ++x) {
        if ((x & care) == hi) {
            out.push_back(x);
        }
    }
    return out;
}

// Coverage counts modulo 256 in the table, then each term's smallest and largest count.
std::vector<TRanked> RankByHand(const std::vector<std::string>& terms, int& rankZero) {
    auto& table = ProgramState.TruthTable;
    table.fill(0);
    for (const auto& t : terms) {
        for (const uint32_t x : Covered(t)) {
            ++table[x];
        }
    }
    std::vector<TRanked> ranked;
    for (const auto& t : terms) {
        const auto cover = Covered(t);
        TRanked r{t, 1000, -1};
        for (const uint32_t x : cover) {
            r.Min = std::min<int>(r.Min, table[x]);
            r.Max = std::max<int>(r.Max, table[x]);
        }
        rankZero += table[cover.back()] == 0 ? 1 : 0;
        ranked.push_back(r);
    }
    return ranked;
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
    RemoveRedundant(result, result);
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
    run.Found = Strings(result);
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
    const TSimplifyOutcome outcome = SimplifyTerms(rows, nullptr, &gauge);
    TRun run;
    run.Hi = outcome.Kind == TSimplifyKind::ConstantHi;
    run.Counter = outcome.Search.Counter;
    for (int i = 0; i < outcome.Result.Count(); ++i) {
        const intptr_t rank = outcome.Result.Objects(i);
        run.Terms.push_back({outcome.Result.Strings(i), RankMin(rank), RankMax(rank)});
    }
    run.RankZero = outcome.RankZeroCount;
    run.Table = TableSnapshot();
    run.SearchListSize = gauge.Max;
    return run;
}

// Every cube (care, hi) is tested from the minterms up; a prime is an implicant that no cube
// with one letter fewer contains.
TRun BruteForce(const std::vector<bool>& on) {
    const int n = ProgramState.VarCount;
    const uint32_t size = 1u << n;
    const uint32_t full = size - 1;
    std::vector<uint8_t> implicant(size_t{size} * size);
    auto at = [&](uint32_t care, uint32_t hi) -> uint8_t& {
        return implicant[size_t{care} * size + hi];
    };
    for (uint32_t care = size; care-- > 0;) {
        const uint32_t b = care == full ? 0 : 1u << std::countr_zero(~care);
        for (uint32_t hi = 0; hi < size; ++hi) {
            if ((hi & ~care) == 0) {
                at(care, hi) = care == full ? on[hi] : at(care | b, hi) && at(care | b, hi | b);
            }
        }
    }
    std::vector<std::string> primes;
    bool hi = false;
    for (uint32_t care = 0; care < size; ++care) {
        for (uint32_t h = 0; h < size; ++h) {
            if ((h & ~care) != 0 || !at(care, h)) {
                continue;
            }
            bool prime = true;
            for (int v = 0; v < n && prime; ++v) {
                const uint32_t b = 1u << v;
                prime = (care & b) == 0 || !at(care & ~b, h & ~b);
            }
            if (!prime) {
                continue;
            }
            std::string term;
            for (int k = 1; k <= n; ++k) {
                const uint32_t b = 1u << (n - k);
                if (care & b) {
                    term += static_cast<char>(((h & b) ? 'A' : 'a') + k - 1);
                }
            }
            hi = hi || term.empty();
            primes.push_back(term);
        }
    }
    TRun run;
    run.Hi = hi;
    if (!hi) {
        std::sort(primes.begin(), primes.end());
        run.Terms = RankByHand(primes, run.RankZero);
    }
    return run;
}

std::string Letter(int k, bool high) {
    return std::string(1, static_cast<char>((high ? 'A' : 'a') + k));
}

std::vector<bool> OnSetOf(const std::vector<std::string>& terms) {
    std::vector<bool> on(ProgramState.HighMinterm + 1);
    for (const auto& t : terms) {
        for (const uint32_t x : Covered(t)) {
            on[x] = true;
        }
    }
    return on;
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
    const TSearchReport report = FindAcceptableStrings(MintermList(rows), result, &gauge);
    TRun run;
    run.Counter = report.Counter;
    run.Found = Strings(result);
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
    const TRun brute = BruteForce(OnSetOf(terms));
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
