// The minimum cover's targets: cover size against the reference minimizer's, time against the
// limit, and proofs. Times run from the term list (the primes) to the cover.
//   mincover_targets            every row, a few minutes
//   QUILLON_BENCH_MAX_VARS=10   only the rows of at most that many variables (as ctest runs it)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Functions.h"
#include "engine/PrimeSearch.h"
#include "engine/cover/MinimumCover.h"

namespace {

struct TTarget {
    const char* Name;
    int Vars;
    TFunctionRecipe Recipe;
    int Reference;    // the reference minimizer's cover; 0: none
    double LimitSec;  // the search's budget and the time to beat
    bool MustProve;
};

TMintermBits OnBits(int n, const std::vector<bool>& on) {
    TMintermBits bits = MakeMintermBits(n);
    for (uint32_t m = 0; m < on.size(); ++m) {
        if (on[m]) {
            SetMinterm(bits, m);
        }
    }
    return bits;
}

// Every ON minterm covered, nothing else.
bool CoverIsExact(const std::vector<bool>& on, const std::vector<TCube>& primes,
                  const std::vector<int>& chosen) {
    std::vector<bool> covered(on.size());
    const auto all = static_cast<uint32_t>(on.size() - 1);
    for (const int p : chosen) {
        ForEachCubeMinterm(primes[static_cast<size_t>(p)], all,
                           [&](uint32_t m) { covered[m] = true; });
    }
    return covered == on;
}

}  // namespace

int main() {
    int maxVars = 16;
    if (const char* value = std::getenv("QUILLON_BENCH_MAX_VARS")) {
        maxVars = std::atoi(value);
    }
    std::vector<TTarget> targets = {
        {"random 16 0.5 1", 16, {TFunctionKind::Random, 0.5, 1}, 8180, 1.75, false},
        {"random 16 0.9 1", 16, {TFunctionKind::Random, 0.9, 1}, 3662, 2.55, false},
        {"product 16", 16, {TFunctionKind::ProductBit, 0.5, 1}, 4929, 0.5, false},
        {"majority 16", 16, {TFunctionKind::Majority, 0.5, 1}, 12870, 1.0, true},
        {"parity 16", 16, {TFunctionKind::Parity, 0.5, 1}, 0, 1.0, true},
    };
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        targets.push_back({nullptr, 10, {TFunctionKind::Random, 0.5, seed}, 0, 0.1, true});
    }
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        targets.push_back({nullptr, 12, {TFunctionKind::Random, 0.5, seed}, 0, 10.0, true});
    }

    std::printf("%-18s %8s %8s %8s %7s %9s %8s  %s\n", "function", "cover", "bound", "ref",
                "proven", "time s", "limit s", "verdict");
    int missed = 0;
    int wrong = 0;
    for (const TTarget& t : targets) {
        if (t.Vars > maxVars) {
            continue;
        }
        const std::string name = t.Name != nullptr ? t.Name
                                                   : "random " + std::to_string(t.Vars) + " 0.5 " +
                                                         std::to_string(t.Recipe.Seed);
        const std::vector<bool> function = MakeFunction(t.Vars, t.Recipe);
        const TMintermBits on = OnBits(t.Vars, function);
        const TMintermBits none = MakeMintermBits(t.Vars);
        const std::vector<TCube> primes = FindPrimeImplicants(t.Vars, on).Primes;
        TCoverOptions options;
        // The cover is always completed after the budget ends: leave it a margin.
        options.BudgetMs = static_cast<int64_t>(t.LimitSec * (t.MustProve ? 1000 : 800));
        const auto start = std::chrono::steady_clock::now();
        const TMinimumCover cover = FindMinimumCover(t.Vars, on, none, primes, options);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        const bool exact = CoverIsExact(function, primes, cover.Chosen);
        const int size = static_cast<int>(cover.Chosen.size());
        const bool ok = exact && elapsed.count() <= t.LimitSec &&
                        (t.Reference == 0 || size <= t.Reference) && (!t.MustProve || cover.Proven);
        missed += ok ? 0 : 1;
        wrong += exact ? 0 : 1;
        std::printf("%-18s %8d %8d %8s %7s %9.3f %8.2f  %s\n", name.c_str(), size, cover.LowerBound,
                    t.Reference != 0 ? std::to_string(t.Reference).c_str() : "-",
                    cover.Proven ? "yes" : "no", elapsed.count(), t.LimitSec,
                    !exact ? "WRONG COVER"
                    : ok   ? "ok"
                           : "missed");
        std::fflush(stdout);
    }
    std::printf("%d missed\n", missed);
    // A wrong cover is a fault; a missed target is a figure to report.
    return wrong == 0 ? 0 : 1;
}
