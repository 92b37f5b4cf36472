// The count of minimum covers over many random 8-variable functions, made as explain_bench makes
// them (ON and don't-care shares, a seed): the spread of its times and the slowest functions.
//   count_sweep [seeds]   densities 0.3-0.8, don't-care shares 0-0.15, 20 seeds each by default
//   count_sweep ON DC SEED   that one function, to profile
// Exits 1 when one count passes its 1 s target or stops short of the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "engine/PrimeSearch.h"
#include "engine/cover/CoverSteps.h"

namespace {

struct TRun {
    double On, Dc;
    uint32_t Seed;
    double Ms;
    int64_t Count;
};

}  // namespace

int main(int argc, char* argv[]) {
    const int n = 8;
    const uint32_t seeds = argc == 2 ? static_cast<uint32_t>(std::atoi(argv[1])) : 20;
    std::vector<double> ons = {0.3, 0.4, 0.5, 0.6, 0.7, 0.8};
    std::vector<double> dcs = {0.0, 0.05, 0.1, 0.15};
    uint32_t first = 1;
    uint32_t last = seeds;
    if (argc == 4) {
        ons = {std::atof(argv[1])};
        dcs = {std::atof(argv[2])};
        first = last = static_cast<uint32_t>(std::atoi(argv[3]));
    }
    std::vector<TRun> runs;
    for (const double on : ons) {
        for (const double dc : dcs) {
            for (uint32_t seed = first; seed <= last; ++seed) {
                // The same draw as explain_bench: one number per minterm, ON below on.
                std::mt19937 random(seed);
                std::uniform_real_distribution<double> u(0, 1);
                TMintermBits onBits = MakeMintermBits(n);
                TMintermBits dcBits = MakeMintermBits(n);
                for (uint32_t m = 0; m < (1u << n); ++m) {
                    const double x = u(random);
                    if (x < on) {
                        SetMinterm(onBits, m);
                    } else if (x < on + dc) {
                        SetMinterm(dcBits, m);
                    }
                }
                const std::vector<TCube> primes = CoveringPrimes(n, onBits, dcBits).Primes;
                const auto start = std::chrono::steady_clock::now();
                const TMinimumCovers minima = CountMinimumCovers(n, onBits, dcBits, primes);
                const std::chrono::duration<double, std::milli> took =
                    std::chrono::steady_clock::now() - start;
                runs.push_back({on, dc, seed, took.count(), minima.Count});
            }
        }
    }
    std::vector<TRun> sorted = runs;
    std::sort(sorted.begin(), sorted.end(),
              [](const TRun& a, const TRun& b) { return a.Ms > b.Ms; });
    const auto at = [&](double share) {
        return sorted[static_cast<size_t>(share * static_cast<double>(sorted.size() - 1))].Ms;
    };
    std::printf("%zu functions: worst %.1f ms, 95th percentile %.1f ms, median %.1f ms\n",
                sorted.size(), sorted.front().Ms, at(0.05), at(0.5));
    std::printf("%-22s %10s %14s\n", "slowest", "count", "minima");
    for (size_t i = 0; i < std::min<size_t>(10, sorted.size()); ++i) {
        const TRun& r = sorted[i];
        std::printf("on %.1f dc %.2f seed %-3u %7.1f ms %14lld\n", r.On, r.Dc, r.Seed, r.Ms,
                    static_cast<long long>(r.Count));
    }
    const bool missed = std::any_of(runs.begin(), runs.end(),
                                    [](const TRun& r) { return r.Ms > 1000 || r.Count < 0; });
    if (missed) {
        std::fprintf(stderr, "count_sweep: a count passed 1 s or stopped short\n");
        return 1;
    }
    return 0;
}
