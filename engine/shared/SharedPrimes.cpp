// Shared primes by a depth-first walk over free-variable sets, one output set per cube.
#include "engine/shared/SharedPrimes.h"

#include <bit>

#include "engine/cover/CoverSearch.h"

namespace {

// For free set S the walk holds, for every cube with the variables of S left out, the outputs
// whose ON | DC hold the whole cube (G) and the outputs whose ON meets it (H). Tables are
// indexed by the values of the variables still fixed, squeezed together, so freeing one more
// variable halves them and the whole walk reads each of the 3^n cubes once. A cube is prime
// when each neighbour across a fixed variable lacks one of its outputs: merging with it would
// lose that output.
template <int W>  // words per output set; 0: as many as the function needs
class TSharedWalk {
  public:
    TSharedWalk(const TFunctionSet& set, TCoverClock* clock, size_t maxPrimes, TSharedPrimes& out,
                const TSharedPrimeVisit* visit)
        : FVars(set.Inputs),
          FWords(OutputWords(set.Outputs.size())),
          FClock(clock),
          FMaxPrimes(maxPrimes),
          FOut(out),
          FVisit(visit) {
        const size_t cubes = size_t{1} << FVars;
        FCare.resize(FVars + 1);
        FMeet.resize(FVars + 1);
        FCare[0] = OutputsByMinterm(set, true);
        FMeet[0] = OutputsByMinterm(set, false);
        for (size_t d = 1; d <= FVars; ++d) {
            FCare[d].assign((cubes >> d) * Words(), 0);
            FMeet[d].assign((cubes >> d) * Words(), 0);
        }
        FOut.Words = FWords;
    }

    void Run() { FOut.Complete = Visit(0, 0, 0) && FOut.Cubes.size() <= FMaxPrimes; }

  private:
    size_t Words() const {
        if constexpr (W > 0) {
            return W;
        } else {
            return FWords;
        }
    }

    // False when the clock or the limit stopped the walk.
    bool Visit(uint32_t free, size_t depth, size_t firstVar) {
        const uint64_t* care = FCare[depth].data();
        const uint64_t* meet = FMeet[depth].data();
        const size_t fixedVars = FVars - depth;
        const uint32_t size = uint32_t{1} << fixedVars;
        if ((FClock != nullptr && FClock->Tick(size * (fixedVars + 1))) ||
            FOut.Cubes.size() > FMaxPrimes) {
            return false;
        }
        for (uint32_t x = 0; x < size; ++x) {
            const uint64_t* g = care + x * Words();
            if (Useful(g, meet + x * Words()) && IsPrime(care, x, fixedVars)) {
                Emit(free, x, g);
            }
        }
        for (size_t v = firstVar; v < FVars; ++v) {
            if (FreeOneMore(free, depth, v) && !Visit(free | 1u << v, depth + 1, v + 1)) {
                return false;
            }
        }
        return true;
    }

    bool Useful(const uint64_t* g, const uint64_t* h) const {
        uint64_t any = 0;
        for (size_t w = 0; w < Words(); ++w) {
            any |= g[w] & h[w];
        }
        return any != 0;
    }

    bool IsPrime(const uint64_t* care, uint32_t x, size_t fixedVars) const {
        const uint64_t* g = care + x * Words();
        for (size_t q = 0; q < fixedVars; ++q) {
            const uint64_t* other = care + (x ^ (1u << q)) * Words();
            uint64_t lost = 0;
            for (size_t w = 0; w < Words(); ++w) {
                lost |= g[w] & ~other[w];
            }
            if (lost == 0) {
                return false;
            }
        }
        return true;
    }

    // Fills the tables of depth + 1 for variable v freed too; false when no cube there is useful.
    bool FreeOneMore(uint32_t free, size_t depth, size_t v) {
        const uint64_t* care = FCare[depth].data();
        const uint64_t* meet = FMeet[depth].data();
        uint64_t* care2 = FCare[depth + 1].data();
        uint64_t* meet2 = FMeet[depth + 1].data();
        const int q = std::popcount(~free & ((1u << v) - 1));  // v's place among the fixed
        const uint32_t low = (1u << q) - 1;
        const uint32_t half = uint32_t{1} << (FVars - depth - 1);
        uint64_t any = 0;
        for (uint32_t y = 0; y < half; ++y) {
            const uint32_t x0 = ((y & ~low) << 1) | (y & low);
            const uint32_t x1 = x0 | (1u << q);
            for (size_t w = 0; w < Words(); ++w) {
                const uint64_t g = care[x0 * Words() + w] & care[x1 * Words() + w];
                const uint64_t h = meet[x0 * Words() + w] | meet[x1 * Words() + w];
                care2[y * Words() + w] = g;
                meet2[y * Words() + w] = h;
                any |= g & h;
            }
        }
        return any != 0;
    }

    void Emit(uint32_t free, uint32_t x, const uint64_t* g) {
        uint32_t hi = 0;
        int k = 0;
        for (size_t v = 0; v < FVars; ++v) {
            if (((free >> v) & 1u) == 0) {
                hi |= ((x >> k++) & 1u) << v;
            }
        }
        const TCube cube{((1u << FVars) - 1) & ~free, hi};
        if (FVisit != nullptr) {
            (*FVisit)(cube, g);
            return;
        }
        FOut.Cubes.push_back(cube);
        FOut.Outputs.insert(FOut.Outputs.end(), g, g + Words());
    }

    size_t FVars;
    size_t FWords;
    TCoverClock* FClock;
    size_t FMaxPrimes;
    TSharedPrimes& FOut;
    const TSharedPrimeVisit* FVisit;                  // when set, primes go to it and are not kept
    std::vector<std::vector<uint64_t>> FCare, FMeet;  // one table per depth
};

void Walk(const TFunctionSet& set, TCoverClock* clock, size_t maxPrimes, TSharedPrimes& out,
          const TSharedPrimeVisit* visit) {
    switch (OutputWords(set.Outputs.size())) {
        case 1:
            TSharedWalk<1>(set, clock, maxPrimes, out, visit).Run();
            break;
        case 2:
            TSharedWalk<2>(set, clock, maxPrimes, out, visit).Run();
            break;
        default:
            TSharedWalk<0>(set, clock, maxPrimes, out, visit).Run();
            break;
    }
}

}  // namespace

std::vector<uint64_t> OutputsByMinterm(const TFunctionSet& set, bool withDc) {
    const size_t words = OutputWords(set.Outputs.size());
    std::vector<uint64_t> table(words << set.Inputs, 0);
    const size_t setWords = MakeMintermBits(set.Inputs).size();
    // A word of 64 minterms at a time over every output: what is written stays in the cache.
    for (size_t w = 0; w < setWords; ++w) {
        for (size_t i = 0; i < set.Outputs.size(); ++i) {
            const TOutputFunction& output = set.Outputs[i];
            const uint64_t bit = uint64_t{1} << (i & 63);
            uint64_t* at = &table[w * 64 * words + i / 64];
            for (uint64_t left = output.On[w] | (withDc ? output.Dc[w] : 0); left != 0;
                 left &= left - 1) {
                at[std::countr_zero(left) * words] |= bit;
            }
        }
    }
    return table;
}

TSharedPrimes FindSharedPrimes(const TFunctionSet& set, TCoverClock* clock, size_t maxPrimes) {
    TSharedPrimes out;
    Walk(set, clock, maxPrimes, out, nullptr);
    return out;
}

void VisitSharedPrimes(const TFunctionSet& set, const TSharedPrimeVisit& visit) {
    TSharedPrimes none;
    Walk(set, nullptr, SIZE_MAX, none, &visit);
}
