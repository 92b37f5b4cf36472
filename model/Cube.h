// Plain data over minterm numbers: a set of minterms as bits, and a cube.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

// A set of minterms, bit x of word x / 64 for minterm x; 2^n bits, at least one word.
using TMintermBits = std::vector<uint64_t>;

// The bits set in words: the members of a minterm set, or the outputs a cover feeds.
inline size_t BitCount(const std::vector<uint64_t>& words) {
    size_t count = 0;
    for (const uint64_t w : words) {
        count += static_cast<size_t>(std::popcount(w));
    }
    return count;
}

inline TMintermBits MakeMintermBits(int n) {
    const size_t words = n > 6 ? size_t{1} << (n - 6) : 1;
    return TMintermBits(words, 0);
}

inline bool TestMinterm(const TMintermBits& bits, uint32_t m) {
    return (bits[m >> 6] >> (m & 63u)) & 1u;
}

inline void SetMinterm(TMintermBits& bits, uint32_t m) {
    bits[m >> 6] |= uint64_t{1} << (m & 63u);
}

// A cube: the variables in Care are named, each HI where Hi has its bit; Hi has no other bit.
// Variable A is the most significant of n bits. Ordered by Care, then Hi.
struct TCube {
    uint32_t Care = 0;
    uint32_t Hi = 0;

    bool operator==(const TCube&) const = default;
    auto operator<=>(const TCube&) const = default;
};

// Calls f(m) for every minterm of the cube among those up to all (2^n - 1), the lowest first;
// an f that returns bool stops the walk with false. A cube naming a variable beyond all has
// no minterm there.
template <typename F>
void ForEachCubeMinterm(TCube cube, uint32_t all, F&& f) {
    if ((cube.Care & ~all) != 0) {
        return;
    }
    const uint32_t free = all & ~cube.Care;
    const uint32_t base = cube.Hi & cube.Care;
    uint32_t sub = 0;
    do {
        if constexpr (std::is_same_v<std::invoke_result_t<F&, uint32_t>, bool>) {
            if (!f(base | sub)) {
                return;
            }
        } else {
            f(base | sub);
        }
        sub = (sub - free) & free;
    } while (sub != 0);
}

// Adds every minterm of the cube over n variables to the set, a word of 64 minterms at a time.
void AddCubeMinterms(TMintermBits& set, int n, TCube cube);

// True when the set holds a minterm of the cube; tested a word at a time.
bool CubeMeets(const TMintermBits& set, int n, TCube cube);

// The compact term of a cube over n variables: letter k for bit n - k, upper case when HI.
std::string CubeTerm(TCube cube, int n);

// Code order: compact terms compared byte by byte, capitals before small letters, a prefix
// first. The key holds each letter as a 6-bit code from 1 up, ten to a word, the first highest.
struct TCodeKey {
    uint64_t High = 0;
    uint64_t Low = 0;

    auto operator<=>(const TCodeKey&) const = default;
};
TCodeKey CodeKey(TCube cube, int n);
// The compact term a key stands for: sorting keys and reading their terms spares the cubes.
std::string KeyTerm(const TCodeKey& key);

// The cubes' indices in code order; equal cubes keep their order.
std::vector<size_t> CodeOrder(const std::vector<TCube>& cubes, int n);

// Sorts the cubes in code order.
void SortCodeOrder(std::vector<TCube>& cubes, int n);

// The minterms of n variables that are neither ON nor don't care: a product of sums covers them.
inline TMintermBits Zeros(const TMintermBits& on, const TMintermBits& dontCare, int n) {
    TMintermBits zeros = MakeMintermBits(n);
    for (size_t w = 0; w < zeros.size(); ++w) {
        zeros[w] = ~(on[w] | dontCare[w]);
    }
    if (n < 6) {
        zeros[0] &= (uint64_t{1} << (1u << n)) - 1;
    }
    return zeros;
}
