// The shared cover against its targets: terms no more than Espresso's multi-output cover,
// proofs where Espresso's exact mode finishes, times under a fraction of Espresso's.
//   shared_cover_targets [NAME [BUDGET_MS]]   (QUILLON_BENCH_MAX_VARS=N: only up to N inputs)
// With QUILLON_BENCH_PLA_DIR set, the PLA files of the benchmark set there are covered too
// (NAME may name one, as test3.pla), each against the best cover published for it.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "engine/shared/SharedCover.h"
#include "tests/support/Reference.h"
#include "tests/support/SharedFunctions.h"

namespace {

struct TTarget {
    const char* Name;
    int Espresso;      // terms of Espresso's multi-output cover
    int Proven;        // the proven minimum, 0 when unknown
    double LimitSec;   // the time target
    int64_t BudgetMs;  // the budget the search gets
};

const TTarget Targets[] = {
    {"bcd7seg", 9, 9, 1.0, 1000},          {"adder4", 75, 75, 1.0, 1000},
    {"mult4", 128, 121, 1.0, 1000},        {"popcount8", 255, 255, 1.0, 1000},
    {"square8", 187, 0, 10.0, 10000},      {"mult5", 487, 0, 10.0, 10000},
    {"mult6", 1951, 0, 0.27, 200},         {"adder8", 1499, 0, 1.25, 1000},
    {"popcount16", 65535, 0, 10.0, 10000},
};

// Files of the PLA benchmark set, to bring to the best cover published within 10 s; the search
// gets 8 s of it, as the passes after the search take their time too.
struct TPlaTarget {
    const char* File;
    int Best;  // terms of the best published cover
};

const TPlaTarget PlaTargets[] = {{"test2.pla", 995}, {"test3.pla", 491}};

// The shared cover within the budget, and the seconds it took.
TSharedCover TimedCover(const TFunctionSet& set, int64_t budgetMs, double& sec) {
    TCoverOptions options;
    options.BudgetMs = budgetMs;
    const auto start = std::chrono::steady_clock::now();
    TSharedCover cover = FindSharedCover(set, options);
    sec = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return cover;
}

// The file's cover within the budget, checked against its ON and OFF sets.
bool RunPla(const std::string& dir, const TPlaTarget& t, int64_t budgetMs) {
    std::ifstream in(dir + "/" + t.File, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TPla pla;
    TPlaError error;
    TFunctionSet set;
    if (!in || !ReadPla(text, pla, error) || !PlaFunctionSet(pla, {}, set, error)) {
        std::printf("%-11s cannot be read from %s\n", t.File, dir.c_str());
        return false;
    }
    double sec = 0;
    const TSharedCover cover = TimedCover(set, budgetMs, sec);
    const std::string fault = SharedCoverFault(set, cover);
    const int terms = static_cast<int>(cover.Terms.size());
    const bool met = fault.empty() && terms <= t.Best && sec <= 10.0;
    std::printf(
        "%-11s %2d/%-3d terms %6d  bound %6d  literals %7d  best   %6d  %6.3f s / 10.00 s  %s\n",
        t.File, set.Inputs, OutputCount(set), terms, cover.LowerBound, cover.Literals, t.Best, sec,
        !fault.empty() ? fault.c_str()
        : met          ? "met"
                       : "MISSED");
    return met;
}

long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

bool Run(const TTarget& t, int64_t budgetMs) {
    const TFunctionSet set = *SharedFunctions::ByName(t.Name);
    double sec = 0;
    const TSharedCover cover = TimedCover(set, budgetMs, sec);
    const int terms = static_cast<int>(cover.Terms.size());
    bool met = terms <= t.Espresso && sec <= t.LimitSec;
    if (t.Proven > 0) {
        met = met && cover.Proven && terms == t.Proven;
    }
    std::printf(
        "%-11s %2d/%-3d terms %6d  bound %6d%s  literals %7d  Espresso %6d  %6.3f s / %.2f s  %s\n",
        t.Name, set.Inputs, OutputCount(set), terms, cover.LowerBound,
        cover.Proven ? " proven" : "       ", cover.Literals, t.Espresso, sec, t.LimitSec,
        met ? "met" : "MISSED");
    return met;
}

// A PLA of 40 random rows over 16 inputs and 1,024 outputs, read and covered within a 1 s
// budget: the time, reading included, within 1.5 s, and the cover no worse than the rows.
bool RunManyOutputs() {
    std::mt19937 rng(2);
    std::string text = ".i 16\n.o 1024\n";
    for (int r = 0; r < 40; ++r) {
        for (int k = 0; k < 16; ++k) {
            text += rng() % 100 < 55 ? '-' : "01"[rng() % 2];
        }
        text += ' ';
        for (int i = 0; i < 1024; ++i) {
            text += "01"[rng() % 2];
        }
        text += '\n';
    }
    const auto start = std::chrono::steady_clock::now();
    TPla pla;
    TPlaError error;
    TFunctionSet set;
    ReadPla(text, pla, error);
    PlaFunctionSet(pla, {}, set, error);
    TCoverOptions options;
    options.BudgetMs = 1000;
    const TSharedCover cover = FindSharedCover(set, options);
    const double sec =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool met = sec <= 1.5 && cover.Terms.size() <= 40 && cover.LowerBound > 0;
    std::printf("rows16x1024 terms %d  bound %d  %.3f s / 1.50 s  %s\n",
                static_cast<int>(cover.Terms.size()), cover.LowerBound, sec,
                met ? "met" : "MISSED");
    return met;
}

}  // namespace

int main(int argc, char** argv) {
    const char* maxEnv = std::getenv("QUILLON_BENCH_MAX_VARS");
    const int maxVars = maxEnv != nullptr ? std::atoi(maxEnv) : 16;
    bool all = true;
    for (const TTarget& t : Targets) {
        if (argc > 1 && std::string(argv[1]) != t.Name) {
            continue;
        }
        if (SharedFunctions::ByName(t.Name)->Inputs > maxVars) {
            continue;
        }
        all = Run(t, argc > 2 ? std::atoll(argv[2]) : t.BudgetMs) && all;
    }
    // Memory at the widest sets: 16 inputs, 128 outputs, each ON with probability 1/2.
    if (maxVars >= 16 && (argc < 2 || std::string(argv[1]) == "random16x128")) {
        const TFunctionSet set = SharedFunctions::Random(16, 128, 0.5, 1);
        const auto start = std::chrono::steady_clock::now();
        const TSharedCover cover = FindSharedCover(set);
        const double sec =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("random16x128 terms %d  bound %d  %.3f s\n",
                    static_cast<int>(cover.Terms.size()), cover.LowerBound, sec);
    }
    if (maxVars >= 16 && (argc < 2 || std::string(argv[1]) == "rows16x1024")) {
        all = RunManyOutputs() && all;
    }
    if (const char* dir = std::getenv("QUILLON_BENCH_PLA_DIR")) {
        for (const TPlaTarget& t : PlaTargets) {
            if (argc < 2 || std::string(argv[1]) == t.File) {
                all = RunPla(dir, t, argc > 2 ? std::atoll(argv[2]) : 8000) && all;
            }
        }
    }
    std::printf("peak memory %ld MB (target: 2048 MB)\n", PeakMegabytes());
    return all ? 0 : 1;
}
