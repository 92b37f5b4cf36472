#include "engine/wide/WideBound.h"

#include <cstdint>

#include "engine/wide/WideMinimize.h"

namespace {

struct TWitness {
    std::vector<uint64_t> Point;
    int Output = 0;
};

bool MeetsAny(const TWideCubes& cubes, const uint64_t* point, int words) {
    for (size_t i = 0; i < cubes.Size(); ++i) {
        if (InputsMeet(cubes[i], point, words)) {
            return true;
        }
    }
    return false;
}

// A point of term t at an output only t covers there and that is no don't care; tried at a
// few random points, so it may find none.
bool FindWitness(const TWideCubes& cover, size_t t, const std::vector<TWideCubes>& dc, int outputs,
                 uint64_t& seed, TWitness& witness) {
    const int words = cover.InWords();
    const int n = cover.Inputs();
    std::vector<uint64_t> point(cover[t], cover[t] + words);
    for (int attempt = 0; attempt < 32; ++attempt) {
        for (int k = 0; k < n; ++k) {
            if (Field(cover[t], k) == 3) {
                seed ^= seed << 13;
                seed ^= seed >> 7;
                seed ^= seed << 17;
                SetField(point.data(), k, 1 + static_cast<int>(seed & 1));
            }
        }
        for (int j = 0; j < outputs; ++j) {
            if (!HasOutput(cover[t], words, j) ||
                MeetsAny(dc[static_cast<size_t>(j)], point.data(), words)) {
                continue;
            }
            bool alone = true;
            for (size_t i = 0; i < cover.Size() && alone; ++i) {
                alone = i == t || !HasOutput(cover[i], words, j) ||
                        !InputsMeet(cover[i], point.data(), words);
            }
            if (alone) {
                witness = {point, j};
                return true;
            }
        }
    }
    return false;
}

// Whether no implicant covers both points at their outputs: their smallest common cube meets
// the OFF set of one of the outputs.
bool Apart(const TWitness& a, const TWitness& b, const std::vector<TWideCubes>& off) {
    std::vector<uint64_t> both(a.Point.size());
    for (size_t w = 0; w < both.size(); ++w) {
        both[w] = a.Point[w] | b.Point[w];
    }
    const int words = static_cast<int>(both.size());
    return MeetsAny(off[static_cast<size_t>(a.Output)], both.data(), words) ||
           MeetsAny(off[static_cast<size_t>(b.Output)], both.data(), words);
}

}  // namespace

size_t WitnessBound(const TWideCubes& cover, const std::vector<TWideCubes>& off,
                    const std::vector<TWideCubes>& dc, int outputs) {
    uint64_t seed = 0x2545f4914f6cdd1dull;
    std::vector<TWitness> chosen;
    for (size_t t = 0; t < cover.Size(); ++t) {
        TWitness witness;
        if (!FindWitness(cover, t, dc, outputs, seed, witness)) {
            continue;
        }
        bool apart = true;
        for (size_t c = 0; c < chosen.size() && apart; ++c) {
            apart = Apart(witness, chosen[c], off);
        }
        if (apart) {
            chosen.push_back(std::move(witness));
        }
    }
    return chosen.empty() && !cover.Empty() ? 1 : chosen.size();
}
