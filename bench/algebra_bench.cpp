// Times string optimization and the calculator's complement and XOR on random sums.
#include <benchmark/benchmark.h>

#include <random>
#include <set>
#include <string>

#include "engine/CalcOperations.h"
#include "engine/OptimizeString.h"
#include "engine/SumOfProducts.h"
#include "model/State.h"
#include "model/Terms.h"

namespace {

// A term naming between minLetters and maxLetters of the n variables, random cases.
std::string RandomTerm(std::mt19937& rng, int n, int minLetters, int maxLetters) {
    std::vector<int> vars(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        vars[static_cast<size_t>(k)] = k;
    }
    std::shuffle(vars.begin(), vars.end(), rng);
    const int letters = minLetters + static_cast<int>(rng() % (maxLetters - minLetters + 1));
    std::string term;
    for (int i = 0; i < letters; ++i) {
        term += static_cast<char>((rng() % 2 == 0 ? 'A' : 'a') + vars[static_cast<size_t>(i)]);
    }
    return term;
}

void AppendTerm(std::string& text, const std::string& term) {
    if (!text.empty()) {
        text += '+';
    }
    text += term;
}

std::string RandomSum(std::mt19937& rng, int terms, int n, int minLetters, int maxLetters) {
    std::string text;
    for (int t = 0; t < terms; ++t) {
        AppendTerm(text, RandomTerm(rng, n, minLetters, maxLetters));
    }
    return text;
}

// Distinct minterms: the heaviest merging work, most pairs are one letter apart.
std::string RandomMinterms(std::mt19937& rng, int terms, int n) {
    std::set<std::string> seen;
    std::string text;
    while (static_cast<int>(seen.size()) < terms) {
        const std::string term = RandomTerm(rng, n, n, n);
        std::string key = term;
        ToPositional(key);
        if (seen.insert(key).second) {
            AppendTerm(text, term);
        }
    }
    return text;
}

void BM_OptimizeMinterms(benchmark::State& state) {
    SetVarCount(10);
    std::mt19937 rng(1);
    const std::string text = RandomMinterms(rng, static_cast<int>(state.range(0)), 10);
    std::string result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OptimizeString(text, result, ProgramState.VarCount));
    }
    state.counters["terms_out"] = static_cast<double>(CountTerms(result));
}
BENCHMARK(BM_OptimizeMinterms)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_OptimizeTerms16(benchmark::State& state) {
    SetVarCount(16);
    std::mt19937 rng(2);
    const std::string text = RandomSum(rng, static_cast<int>(state.range(0)), 16, 4, 10);
    std::string result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OptimizeString(text, result, ProgramState.VarCount));
    }
    state.counters["terms_out"] = static_cast<double>(CountTerms(result));
}
BENCHMARK(BM_OptimizeTerms16)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Complement6(benchmark::State& state) {
    SetVarCount(6);
    std::mt19937 rng(3);
    const std::string text = RandomSum(rng, static_cast<int>(state.range(0)), 6, 1, 6);
    std::string r;
    for (auto _ : state) {
        std::string s = text;
        benchmark::DoNotOptimize(Complement(s, r, ProgramState.VarCount));
    }
    state.counters["terms_out"] = static_cast<double>(CountTerms(r));
}
BENCHMARK(BM_Complement6)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_Xor16(benchmark::State& state) {
    SetVarCount(16);
    std::mt19937 rng(4);
    const int terms = static_cast<int>(state.range(0));
    const auto letters = static_cast<int>(state.range(1));
    const std::string x = RandomSum(rng, terms, 16, letters, letters + 2);
    const std::string y = RandomSum(rng, terms, 16, letters, letters + 2);
    TCalcResult result;
    for (auto _ : state) {
        result = CalcXor(x, y, ProgramState.VarCount);
    }
    state.counters["terms_out"] = static_cast<double>(CountTerms(result.Z.value_or("")));
}
BENCHMARK(BM_Xor16)
    ->ArgNames({"terms", "letters"})
    ->Args({20, 3})
    ->Args({20, 6})
    ->Args({20, 10})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
