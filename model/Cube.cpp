// Cubes over minterm sets: walking them a word at a time, and their compact terms.
#include "model/Cube.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace {

// Calls f(k, hi) for each letter of the cube, k from 1 for A, in letter order; only the cared
// bits are visited, so short terms of many variables cost little.
template <typename F>
void ForEachLetter(TCube cube, int n, F&& f) {
    const uint32_t all = n >= 32 ? ~0u : (1u << n) - 1;
    for (uint32_t care = cube.Care & all; care != 0;) {
        const int top = 31 - std::countl_zero(care);
        const uint32_t bit = 1u << top;
        care &= ~bit;
        f(n - top, (cube.Hi & bit) != 0);
    }
}

// The minterms 0..63 (fewer below six variables) of the cube's lowest six variables.
uint64_t LowWord(int n, TCube cube) {
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
// minterms in that word, until visit returns false. The higher variables pick the words.
template <typename Visit>
void ForCubeWords(int n, TCube cube, Visit visit) {
    if ((cube.Care >> n) != 0) {
        return;  // a variable beyond the n-th: no minterm of the set
    }
    const uint64_t word = LowWord(n, cube);
    if (n <= 6) {
        visit(0, word);
        return;
    }
    const uint32_t highAll = (1u << (n - 6)) - 1;
    const TCube high{(cube.Care >> 6) & highAll, (cube.Hi >> 6) & highAll};
    ForEachCubeMinterm(high, highAll, [&](uint32_t w) { return visit(w, word); });
}

}  // namespace

void AddCubeMinterms(TMintermBits& set, int n, TCube cube) {
    ForCubeWords(n, cube, [&](size_t w, uint64_t word) {
        set[w] |= word;
        return true;
    });
}

bool CubeMeets(const TMintermBits& set, int n, TCube cube) {
    bool meets = false;
    ForCubeWords(n, cube, [&](size_t w, uint64_t word) {
        meets = (set[w] & word) != 0;
        return !meets;
    });
    return meets;
}

std::string CubeTerm(TCube cube, int n) {
    // Letters are written into a buffer and copied once: the result lists run to millions.
    char letters[32];
    int length = 0;
    ForEachLetter(cube, n, [&](int k, bool hi) {
        letters[length++] = static_cast<char>((hi ? 'A' : 'a') + k - 1);
    });
    return std::string(letters, static_cast<size_t>(length));
}

TCodeKey CodeKey(TCube cube, int n) {
    TCodeKey key;
    uint64_t* word = &key.High;
    int shift = 54;
    ForEachLetter(cube, n, [&](int k, bool hi) {
        *word |= static_cast<uint64_t>((hi ? 0 : 16) + k) << shift;
        shift -= 6;
        if (shift < 0) {
            word = &key.Low;
            shift = 54;
        }
    });
    return key;
}

std::string KeyTerm(const TCodeKey& key) {
    char letters[20];
    size_t length = 0;
    for (const uint64_t word : {key.High, key.Low}) {
        for (int shift = 54; shift >= 0; shift -= 6) {
            const auto code = static_cast<int>((word >> shift) & 63);
            if (code == 0) {
                return std::string(letters, length);
            }
            letters[length++] = static_cast<char>(code <= 16 ? 'A' + code - 1 : 'a' + code - 17);
        }
    }
    return std::string(letters, length);
}

std::vector<size_t> CodeOrder(const std::vector<TCube>& cubes, int n) {
    std::vector<std::pair<TCodeKey, size_t>> keyed;
    keyed.reserve(cubes.size());
    for (size_t i = 0; i < cubes.size(); ++i) {
        keyed.emplace_back(CodeKey(cubes[i], n), i);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<size_t> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed) {
        order.push_back(entry.second);
    }
    return order;
}

void SortCodeOrder(std::vector<TCube>& cubes, int n) {
    // Sorted with their keys at hand: the result lists are long and the sort is on their path.
    std::vector<std::pair<TCodeKey, TCube>> keyed;
    keyed.reserve(cubes.size());
    for (const TCube cube : cubes) {
        keyed.emplace_back(CodeKey(cube, n), cube);
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i) {
        cubes[i] = keyed[i].second;
    }
}
