// Benchmarks of the Simplify command over generated functions and of redundant-term removal.
// QUILLON_BENCH_MAX_VARS caps the variable count (for example 10 for a quick run).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Functions.h"
#include "engine/RemoveRedundant.h"
#include "engine/Simplify.h"
#include "model/State.h"

namespace {

struct TNamedFunction {
    const char* Name;
    TFunctionRecipe Recipe;
};

const std::vector<TNamedFunction> Functions{
    {"random10", {TFunctionKind::Random, 0.1, 1}}, {"random50", {TFunctionKind::Random, 0.5, 1}},
    {"random90", {TFunctionKind::Random, 0.9, 1}}, {"parity", {TFunctionKind::Parity, 0, 1}},
    {"majority", {TFunctionKind::Majority, 0, 1}}, {"product", {TFunctionKind::ProductBit, 0, 1}},
    {"hi", {TFunctionKind::ConstantHi, 0, 1}},
};

void BM_Simplify(benchmark::State& state, TFunctionRecipe recipe) {
    const int n = static_cast<int>(state.range(0));
    SetVarCount(n);
    const std::vector<std::string> texts = FunctionTerms(n, MakeFunction(n, recipe));
    TSimplifyOutcome outcome;
    for (auto _ : state) {
        outcome = SimplifyTerms(texts, StateTables());
        benchmark::DoNotOptimize(outcome.Result.Count());
    }
    state.counters["on"] = static_cast<double>(texts.size());
    state.counters["terms"] = outcome.Result.Count();
    state.counters["searched"] = static_cast<double>(outcome.Search.Counter);
}

// Half of all minterms as don't cares, scattered at random or the whole upper half (A = 1, as
// unused input codes lie), and a random ON set of half the others. Run with and without the
// don't-care rows on the same ON set: the don't cares should cost at most twice the time.
void BM_SimplifyDontCare(benchmark::State& state, bool upperHalf, bool withDontCares) {
    const int n = static_cast<int>(state.range(0));
    SetVarCount(n);
    const uint32_t count = uint32_t{1} << n;
    std::mt19937 rng(3);
    std::vector<uint32_t> order(count);
    for (uint32_t m = 0; m < count; ++m) {
        order[m] = m;
    }
    std::shuffle(order.begin(), order.end(), rng);
    std::vector<bool> dontCare(count);
    for (uint32_t i = 0; i < count / 2; ++i) {
        dontCare[upperHalf ? count / 2 + i : order[i]] = true;
    }
    std::bernoulli_distribution coin(0.5);
    std::vector<std::string> texts;
    for (uint32_t m = 0; m < count; ++m) {
        if (!dontCare[m] && coin(rng)) {
            texts.push_back(MintermToLetters(m, n, 'A'));
        }
    }
    const auto on = static_cast<double>(texts.size());
    for (uint32_t m = 0; m < count && withDontCares; ++m) {
        if (dontCare[m]) {
            texts.push_back("-" + MintermToLetters(m, n, 'A'));
        }
    }
    TSimplifyOutcome outcome;
    for (auto _ : state) {
        outcome = SimplifyTerms(texts, StateTables());
        benchmark::DoNotOptimize(outcome.Result.Count());
    }
    state.counters["on"] = on;
    state.counters["dc"] = outcome.DontCareCount;
    state.counters["terms"] = outcome.Result.Count();
}

// Product of sums on a function's editor rows against Simplify on the rows of its complement:
// the same search on the same set, so they should take the same time but for reading the rows.
void BM_ProductOfSums(benchmark::State& state, TFunctionRecipe recipe, bool complement) {
    const int n = static_cast<int>(state.range(0));
    SetVarCount(n);
    std::vector<bool> function = MakeFunction(n, recipe);
    if (complement) {
        function.flip();
    }
    const std::vector<std::string> texts = FunctionTerms(n, function);
    const TUnitForm form = complement ? TUnitForm::SumOfProducts : TUnitForm::ProductOfSums;
    TSimplifyOutcome outcome;
    for (auto _ : state) {
        outcome = SimplifyTerms(texts, StateTables(), nullptr, nullptr, form);
        benchmark::DoNotOptimize(outcome.Result.Count());
    }
    state.counters["rows"] = static_cast<double>(texts.size());
    state.counters["terms"] = outcome.Result.Count();
}

// Terms over 16 variables, each position free, HI or LO with equal chances.
TStringListAdv ArbitraryTerms(int count) {
    std::mt19937 rng(5);
    TStringListAdv terms;
    while (terms.Count() < count) {
        std::string term;
        for (int k = 0; k < MaxVars; ++k) {
            const auto r = rng() % 3;
            if (r != 0) {
                term += static_cast<char>((r == 1 ? 'A' : 'a') + k);
            }
        }
        if (!term.empty()) {
            terms.Add(term);
        }
    }
    return terms;
}

void BM_RemoveRedundant(benchmark::State& state) {
    SetVarCount(MaxVars);
    const TStringListAdv source = ArbitraryTerms(static_cast<int>(state.range(0)));
    TStringListAdv destination(true);
    for (auto _ : state) {
        RemoveRedundant(source, destination, ProgramState.VarCount);
        benchmark::DoNotOptimize(destination.Count());
    }
    state.counters["kept"] = destination.Count();
}

int MaxVarsFromEnvironment() {
    const char* value = std::getenv("QUILLON_BENCH_MAX_VARS");
    const int n = value != nullptr ? std::atoi(value) : MaxVars;
    return n >= 8 && n <= MaxVars ? n : MaxVars;
}

}  // namespace

int main(int argc, char** argv) {
    const int maxVars = MaxVarsFromEnvironment();
    for (const auto& function : Functions) {
        benchmark::RegisterBenchmark((std::string("Simplify/") + function.Name).c_str(),
                                     BM_Simplify, function.Recipe)
            ->DenseRange(8, maxVars)
            ->Unit(benchmark::kMillisecond);
    }
    for (const bool upperHalf : {false, true}) {
        for (const bool with : {false, true}) {
            const std::string name = std::string("SimplifyDontCare/") +
                                     (upperHalf ? "upperhalf" : "scattered") +
                                     (with ? "/with" : "/without");
            benchmark::RegisterBenchmark(name.c_str(), BM_SimplifyDontCare, upperHalf, with)
                ->DenseRange(std::max(8, maxVars - 2), maxVars, 2)
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (const auto& function : Functions) {
        if (function.Recipe.Kind != TFunctionKind::Random) {
            continue;
        }
        for (const bool complement : {false, true}) {
            const std::string name = std::string("ProductOfSums/") + function.Name +
                                     (complement ? "/complement" : "/pos");
            benchmark::RegisterBenchmark(name.c_str(), BM_ProductOfSums, function.Recipe,
                                         complement)
                ->DenseRange(std::max(8, maxVars - 2), maxVars, 2)
                ->Unit(benchmark::kMillisecond);
        }
    }
    const int removeCount = maxVars == MaxVars ? 100000 : 10000;
    benchmark::RegisterBenchmark("RemoveRedundant", BM_RemoveRedundant)
        ->Arg(removeCount)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
