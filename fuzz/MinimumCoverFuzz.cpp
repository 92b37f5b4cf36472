// Fuzzes the minimum cover: the bytes give a truth table with don't cares; the cover must cover
// every ON minterm and no OFF one, its bound must hold, and stopping must keep both true.
#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "engine/MinimumCover.h"
#include "fuzz/FuzzSupport.h"

namespace {

struct TFunction {
    int n = 3;
    TMintermBits on, dc;
};

// Two bits a minterm, cycled over the bytes: 0 and 3 OFF, 1 ON, 2 don't care; flag bit 3 turns
// don't cares into OFF.
TFunction Read(const fuzz::TInput& input) {
    TFunction f{input.n, MakeMintermBits(input.n), MakeMintermBits(input.n)};
    const std::string& text = input.text;
    if (text.empty()) {
        return f;
    }
    for (uint32_t m = 0; m < (1u << f.n); ++m) {
        const size_t bit = 2 * static_cast<size_t>(m);
        const auto byte = static_cast<uint8_t>(text[(bit / 8) % text.size()]);
        const unsigned value = (byte >> (bit % 8)) & 3u;
        if (value == 1) {
            SetMinterm(f.on, m);
        } else if (value == 2 && (input.flags & 8) == 0) {
            SetMinterm(f.dc, m);
        }
    }
    return f;
}

[[clang::no_sanitize("coverage")]] void CheckCover(const TFunction& f,
                                                   const std::vector<TCube>& primes,
                                                   const TMinimumCover& cover) {
    fuzz::Require(
        std::is_sorted(cover.Chosen.begin(), cover.Chosen.end()) &&
            std::adjacent_find(cover.Chosen.begin(), cover.Chosen.end()) == cover.Chosen.end(),
        "chosen indices ascend");
    TMintermBits covered = MakeMintermBits(f.n);
    int literals = 0;
    for (const int p : cover.Chosen) {
        fuzz::Require(p >= 0 && p < static_cast<int>(primes.size()), "chosen index in range");
        const TCube cube = primes[static_cast<size_t>(p)];
        literals += f.n - std::popcount(cube.Free);
        for (uint32_t m = 0; m < (1u << f.n); ++m) {
            if ((m & ~cube.Free) == (cube.Hi & ~cube.Free)) {
                fuzz::Require(TestMinterm(f.on, m) || TestMinterm(f.dc, m), "no OFF minterm",
                              std::to_string(m));
                SetMinterm(covered, m);
            }
        }
    }
    for (uint32_t m = 0; m < (1u << f.n); ++m) {
        if (TestMinterm(f.on, m) && !TestMinterm(f.dc, m)) {
            fuzz::Require(TestMinterm(covered, m), "every ON minterm covered", std::to_string(m));
        }
    }
    const int size = static_cast<int>(cover.Chosen.size());
    fuzz::Require(cover.Literals == literals, "literals add up");
    fuzz::Require(cover.LowerBound <= size, "bound below the cover");
    fuzz::Require(cover.Proven == (cover.LowerBound == size), "proven means bound met");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 3, 9);
    const TFunction f = Read(input);
    const std::vector<TCube> primes = CoveringPrimes(f.n, f.on, f.dc);
    TCoverOptions options;
    options.BudgetMs = 2000;
    const TMinimumCover full = FindMinimumCover(f.n, f.on, f.dc, primes, options);
    CheckCover(f, primes, full);

    // Stopped at once or after a few questions: still a cover, and a bound under the full one.
    int asked = 0;
    TCoverOptions early;
    early.BudgetMs = (input.flags & 1) != 0 ? 0 : 2000;
    early.KeepGoing = [&] { return ++asked < 2; };
    const TMinimumCover stopped = FindMinimumCover(f.n, f.on, f.dc, primes, early);
    CheckCover(f, primes, stopped);
    if (full.Proven) {
        fuzz::Require(stopped.LowerBound <= static_cast<int>(full.Chosen.size()),
                      "a stopped search's bound stays under the minimum");
        fuzz::Require(stopped.Chosen.size() >= full.Chosen.size(), "nothing beats the minimum");
    }
    if (stopped.Proven) {
        fuzz::Require(full.Chosen.size() <= stopped.Chosen.size(), "the full run is as short");
    }
    return 0;
}
