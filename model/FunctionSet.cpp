// Function sets from PLA files, and filling minterm sets by whole words.
#include "model/FunctionSet.h"

namespace {

TMintermBits BitsOf(const std::vector<uint8_t>& set, int n) {
    TMintermBits bits = MakeMintermBits(n);
    for (uint32_t m = 0; m < set.size(); ++m) {
        if (set[m] != 0) {
            SetMinterm(bits, m);
        }
    }
    return bits;
}

// The minterms 0..63 (fewer below six variables) of the cube's lowest six variables.
uint64_t LowWord(int n, const TTermMasks& cube) {
    const uint32_t lowCount = n < 6 ? 1u << n : 64;
    uint64_t word = 0;
    for (uint32_t v = 0; v < lowCount; ++v) {
        if ((v & cube.Care & 63u) == (cube.Hi & 63u)) {
            word |= uint64_t{1} << v;
        }
    }
    return word;
}

// Calls visit(w, bits) for every word of a minterm set that the cube touches, with the cube's
// minterms in that word, until visit returns false. The higher variables pick the words: those
// the cube allows are walked as VisitMinterms walks minterms.
template <typename Visit>
void ForCubeWords(int n, const TTermMasks& cube, Visit visit) {
    if ((cube.Care >> n) != 0) {
        return;  // a variable beyond the n-th: no minterm of the set
    }
    const uint64_t word = LowWord(n, cube);
    if (n <= 6) {
        visit(0, word);
        return;
    }
    const uint32_t highAll = (1u << (n - 6)) - 1;
    const uint32_t care = (cube.Care >> 6) & highAll;
    const uint32_t hi = (cube.Hi >> 6) & highAll;
    const uint32_t freeBits = highAll & ~care;
    uint32_t sub = 0;
    do {
        if (!visit(hi | sub, word)) {
            return;
        }
        sub = (sub - freeBits) & freeBits;
    } while (sub != 0);
}

}  // namespace

bool PlaFunctionSet(const TPla& pla, const std::vector<int>& outputs, TFunctionSet& set,
                    TPlaError& error) {
    std::vector<int> chosen = outputs;
    if (chosen.empty()) {
        for (int j = 0; j < pla.Outputs; ++j) {
            chosen.push_back(j);
        }
    }
    TFunctionSet out;
    out.Inputs = pla.Inputs;
    out.InputNames = pla.InputNames;
    for (const int j : chosen) {
        TPlaFunction function;
        if (!PlaOutputFunction(pla, j, function, error)) {
            return false;
        }
        out.Outputs.push_back({PlaOutputName(pla, j), BitsOf(function.OnSet, pla.Inputs),
                               BitsOf(function.DcSet, pla.Inputs)});
    }
    set = std::move(out);
    return true;
}

void AddCubeMinterms(TMintermBits& set, int n, const TTermMasks& cube) {
    ForCubeWords(n, cube, [&](size_t w, uint64_t word) {
        set[w] |= word;
        return true;
    });
}

bool CubeMeets(const TMintermBits& set, int n, const TTermMasks& cube) {
    bool meets = false;
    ForCubeWords(n, cube, [&](size_t w, uint64_t word) {
        meets = (set[w] & word) != 0;
        return !meets;
    });
    return meets;
}

TMintermBits WidenMinterms(const TMintermBits& set, int n, int extra) {
    TMintermBits wide = MakeMintermBits(n + extra);
    const uint32_t span = 1u << extra;
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (TestMinterm(set, m)) {
            for (uint32_t low = 0; low < span; ++low) {
                SetMinterm(wide, m * span + low);
            }
        }
    }
    return wide;
}
