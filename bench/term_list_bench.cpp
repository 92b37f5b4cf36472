// Times the term list under the loads the engine puts on it: minterm expansion into a
// sorted set (strings arrive in descending code order) and into a plain list, and sorting.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "model/Minterms.h"
#include "model/State.h"

namespace {

double Millis(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

}  // namespace

// Optional argument: the largest variable count (default 16; CI may pass a small one).
int main(int argc, char* argv[]) {
    const int maxVars = argc > 1 ? std::atoi(argv[1]) : 16;
    for (int n = 8; n <= maxVars; n += 2) {
        SetVarCount(n);
        for (const bool sorted : {false, true}) {
            TStringListAdv list(sorted);
            const auto start = std::chrono::steady_clock::now();
            ExpandTerm(std::string(static_cast<size_t>(n), '1'), list);
            std::printf("expand n=%-2d into %-10s %6d strings %9.2f ms\n", n,
                        sorted ? "sorted set" : "plain list", list.Count(), Millis(start));
        }
        TStringListAdv shuffled;
        std::mt19937 rng(1);
        for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
            shuffled.Add(MintermToLetters(rng() & ProgramState.HighMinterm, n, 'A'));
        }
        const auto start = std::chrono::steady_clock::now();
        shuffled.SetSorted(true);
        std::printf("sort   n=%-2d %-15s %6d strings %9.2f ms\n", n, "random", shuffled.Count(),
                    Millis(start));
    }
    return 0;
}
