// Times the textbook reader on every form at 16 variables; the target is 50 ms a text.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "model/Textbook.h"

namespace {

// A sum of products written as a textbook would: primes, juxtaposition and " + ".
std::string Expression(int terms) {
    std::mt19937 rng(7);
    std::string text = "F(A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P) = ";
    for (int t = 0; t < terms; ++t) {
        text += t == 0 ? "" : " + ";
        for (int k = 0; k < 16; ++k) {
            if (rng() % 3 != 0) {
                text += static_cast<char>('A' + k);
                text += rng() % 2 == 0 ? "'" : "";
            }
        }
    }
    return text;
}

// Every other minterm of 16 variables listed, a quarter of the rest as don't cares.
std::string MintermList() {
    std::string text = "Σm(";
    std::string dontCares;
    for (int m = 0; m < 65536; ++m) {
        if (m % 2 == 0) {
            text += (m == 0 ? "" : ",") + std::to_string(m);
        } else if (m % 8 == 1) {
            dontCares += (dontCares.empty() ? "" : ",") + std::to_string(m);
        }
    }
    return text + ") + d(" + dontCares + ")";
}

std::string Column() {
    std::mt19937 rng(11);
    std::string text;
    for (int m = 0; m < 65536; ++m) {
        text += "01-x"[rng() % 4];
    }
    return text;
}

// Parentheses nested as deep as the reader takes them, around every letter in turn.
std::string Nested() {
    std::string text;
    for (int k = 0; k < 16; ++k) {
        text += std::string(99, '(') + static_cast<char>('A' + k) + "'" + std::string(99, ')');
        text += k == 15 ? "" : " ⊕ ";
    }
    return text;
}

void Read(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        TTextbookFunction function;
        TTextbookError error;
        if (!ReadTextbook(text, function, error)) {
            state.SkipWithError(error.Message().c_str());
            return;
        }
        benchmark::DoNotOptimize(function.On.data());
    }
    state.counters["chars"] = static_cast<double>(text.size());
}

void BM_Expression(benchmark::State& state) {
    Read(state, Expression(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Expression)->Arg(100)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

void BM_MintermList(benchmark::State& state) {
    Read(state, MintermList());
}
BENCHMARK(BM_MintermList)->Unit(benchmark::kMillisecond);

void BM_Column(benchmark::State& state) {
    Read(state, Column());
}
BENCHMARK(BM_Column)->Unit(benchmark::kMillisecond);

void BM_Nested(benchmark::State& state) {
    Read(state, Nested());
}
BENCHMARK(BM_Nested)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
