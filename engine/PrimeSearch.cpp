// Prime implicants by a depth-first walk over free-variable sets, 64 cubes per machine word.
#include "engine/PrimeSearch.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

// Variables 0..5 index the bits inside a word, the others index words.
constexpr int WordVars = 6;

// Bits whose position has bit v clear.
constexpr std::array<uint64_t, WordVars> LowHalf{0x5555555555555555ull, 0x3333333333333333ull,
                                                 0x0F0F0F0F0F0F0F0Full, 0x00FF00FF00FF00FFull,
                                                 0x0000FFFF0000FFFFull, 0x00000000FFFFFFFFull};

// Moves the bit of every position x to position x ^ 2^v.
inline uint64_t FlipVar(uint64_t w, int v) {
    const int shift = 1 << v;
    return ((w & LowHalf[v]) << shift) | ((w >> shift) & LowHalf[v]);
}

// For a free set S, table g holds bit x when the cube through x with the variables of S left out
// is all ON. Inside a word the table stays symmetric in the free word-bit variables; across
// words the free variables are squeezed out, so a table shrinks as word variables are freed and
// the whole walk touches at most 3^(n-6) * 64 words.
// With Pruned, a second table h per depth keeps the cubes of g that also meet the Meet set. A
// cube meets it when one of its two halves does, and a free set whose h is empty has no such
// cube above it either, so the walk never enters the (often huge) regions lying wholly outside.
template <bool Pruned>
class TPrimeWalk {
  public:
    TPrimeWalk(int n, const TMintermBits& on, const TMintermBits* meet, TPrimeImplicants& out)
        : FVars(n), FBitVars(std::min(n, WordVars)), FWordVars(n - FBitVars), FOut(out) {
        const size_t words = size_t{1} << FWordVars;
        FLevels.assign(static_cast<size_t>(n) + 1, std::vector<uint64_t>(words));
        std::copy_n(on.begin(), words, FLevels[0].begin());
        if constexpr (Pruned) {
            FMeets.assign(static_cast<size_t>(n) + 1, std::vector<uint64_t>(words));
            for (size_t c = 0; c < words; ++c) {
                FMeets[0][c] = on[c] & (*meet)[c];
            }
        }
        const uint64_t used =
            FBitVars == WordVars ? ~uint64_t{0} : (uint64_t{1} << (1 << FBitVars)) - 1;
        for (uint32_t s = 0; s < 64; ++s) {
            uint64_t mask = 0;
            for (uint32_t x = 0; x < 64; ++x) {
                mask |= (x & s) == 0 ? uint64_t{1} << x : 0;
            }
            FFirstOfCube[s] = mask & used;
        }
    }

    void Run() {
        const auto& start = Pruned ? FMeets[0] : FLevels[0];
        if (std::any_of(start.begin(), start.end(), [](uint64_t w) { return w != 0; })) {
            Visit(0, 0, 0);
        }
    }

  private:
    void Visit(uint32_t free, size_t depth, int next) {
        const uint32_t freeWordVars = free >> WordVars;
        const int keptWordVars = FWordVars - std::popcount(freeWordVars);
        const size_t words = size_t{1} << keptWordVars;
        CollectPrimes(free, depth, words, keptWordVars);

        const auto& g = FLevels[depth];
        auto& child = FLevels[depth + 1];
        for (int v = next; v < FVars; ++v) {
            uint64_t any = 0;
            if (v < WordVars) {
                for (size_t c = 0; c < words; ++c) {
                    child[c] = g[c] & FlipVar(g[c], v);
                    if constexpr (Pruned) {
                        const uint64_t h = FMeets[depth][c];
                        FMeets[depth + 1][c] = child[c] & (h | FlipVar(h, v));
                        any |= FMeets[depth + 1][c];
                    } else {
                        any |= child[c];
                    }
                }
            } else {
                // Every freed word variable lies below v, so v's index bit is easy to place.
                const size_t half = size_t{1} << (v - WordVars - std::popcount(freeWordVars));
                size_t out = 0;
                for (size_t base = 0; base < words; base += 2 * half) {
                    for (size_t i = 0; i < half; ++i) {
                        child[out] = g[base + i] & g[base + half + i];
                        if constexpr (Pruned) {
                            const auto& h = FMeets[depth];
                            FMeets[depth + 1][out] =
                                child[out] & (h[base + i] | h[base + half + i]);
                            any |= FMeets[depth + 1][out];
                        } else {
                            any |= child[out];
                        }
                        ++out;
                    }
                }
            }
            if (any != 0) {
                Visit(free | (1u << v), depth + 1, v + 1);
            }
        }
    }

    // A cube is prime when no neighbour across a kept variable is an implicant of the same shape.
    void CollectPrimes(uint32_t free, size_t depth, size_t words, int keptWordVars) {
        const auto& g = FLevels[depth];
        std::array<int, 16> keptVar{};
        int kept = 0;
        for (int v = WordVars; v < FVars; ++v) {
            if (((free >> v) & 1u) == 0) {
                keptVar[static_cast<size_t>(kept++)] = v;
            }
        }
        const uint32_t freeBits = free & 63u;
        const uint64_t first = FFirstOfCube[freeBits];
        for (size_t c = 0; c < words; ++c) {
            const uint64_t w = Pruned ? FMeets[depth][c] : g[c];
            if (w == 0) {
                continue;
            }
            if (free != 0) {
                FOut.ImplicantCount += std::popcount(w & first);
            }
            uint64_t wider = 0;
            for (int v = 0; v < FBitVars; ++v) {
                if (((freeBits >> v) & 1u) == 0) {
                    wider |= FlipVar(g[c], v);
                }
            }
            for (int j = 0; j < keptWordVars; ++j) {
                wider |= g[c ^ (size_t{1} << j)];
            }
            uint64_t prime = w & ~wider & first;
            if (prime == 0) {
                continue;
            }
            const uint32_t care = ((1u << FVars) - 1) & ~free;
            uint32_t high = 0;
            for (int j = 0; j < keptWordVars; ++j) {
                if ((c >> j) & 1u) {
                    high |= 1u << keptVar[static_cast<size_t>(j)];
                }
            }
            while (prime != 0) {
                const auto bit = static_cast<uint32_t>(std::countr_zero(prime));
                prime &= prime - 1;
                FOut.Primes.push_back(TCube{care, high | bit});
            }
        }
    }

    int FVars;
    int FBitVars;
    int FWordVars;
    TPrimeImplicants& FOut;
    std::vector<std::vector<uint64_t>> FLevels;  // one table per depth of the walk
    std::vector<std::vector<uint64_t>> FMeets;   // Pruned only: g's cubes that meet the set
    std::array<uint64_t, 64> FFirstOfCube{};     // the lowest minterm of each cube in a word
};

}  // namespace

TPrimeImplicants FindPrimeImplicants(int n, const TMintermBits& on) {
    TPrimeImplicants out;
    TPrimeWalk<false>(n, on, nullptr, out).Run();
    return out;
}

TPrimeImplicants FindPrimeImplicantsMeeting(int n, const TMintermBits& care,
                                            const TMintermBits& meet) {
    TPrimeImplicants out;
    TPrimeWalk<true>(n, care, &meet, out).Run();
    return out;
}

TSearchCost CountSearch(int n, const TMintermBits& on, const TMintermBits* dontCare) {
    TSearchCost cost;
    const uint32_t count = uint32_t{1} << n;
    for (uint32_t m = 0; m < count; ++m) {
        if (!TestMinterm(on, m)) {
            continue;
        }
        uint32_t onNeighbours = 0;
        uint32_t careNeighbours = 0;
        for (int b = 0; b < n; ++b) {
            const uint32_t neighbour = m ^ (1u << b);
            const bool isOn = TestMinterm(on, neighbour);
            onNeighbours |= isOn ? 1u << b : 0;
            const bool free = dontCare != nullptr && TestMinterm(*dontCare, neighbour);
            careNeighbours |= isOn || free ? 1u << b : 0;
        }
        // Across a 0 bit the shared candidate was found from the higher neighbour already.
        const uint32_t known = onNeighbours & ~m;
        cost.Counter += n - std::popcount(known);
        const int found = std::popcount(careNeighbours & ~known);
        if (found >= 2) {
            cost.Counter += (int64_t{1} << found) - 1;
        }
        cost.LoneMinterms += found == 0 ? 1 : 0;
    }
    return cost;
}

TPrimeImplicants CoveringPrimes(int n, const TMintermBits& on, const TMintermBits& dc) {
    TMintermBits onOrDc = on;
    TMintermBits onOnly = on;
    for (size_t i = 0; i < on.size() && i < dc.size(); ++i) {
        onOrDc[i] |= dc[i];
        onOnly[i] &= ~dc[i];
    }
    return FindPrimeImplicantsMeeting(n, onOrDc, onOnly);
}
