// Benchmarks of the Simplify command over generated functions and of redundant-term removal.
// QUILLON_BENCH_MAX_VARS caps the variable count (for example 10 for a quick run).
#include <benchmark/benchmark.h>

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
        outcome = SimplifyTerms(texts);
        benchmark::DoNotOptimize(outcome.Result.Count());
    }
    state.counters["on"] = static_cast<double>(texts.size());
    state.counters["terms"] = outcome.Result.Count();
    state.counters["searched"] = static_cast<double>(outcome.Search.Counter);
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
        RemoveRedundant(source, destination);
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
