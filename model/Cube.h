// Plain data over minterm numbers: a set of minterms as bits, and a cube.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A set of minterms, bit x of word x / 64 for minterm x; 2^n bits, at least one word.
using TMintermBits = std::vector<uint64_t>;

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

// A cube: the variables in Free are left out, the others take their bit from Hi.
struct TCube {
    uint32_t Free = 0;
    uint32_t Hi = 0;
};

// Calls f(m) for every minterm of the cube, the lowest first.
template <typename F>
void ForEachCubeMinterm(TCube cube, F&& f) {
    const uint32_t base = cube.Hi & ~cube.Free;
    uint32_t sub = 0;
    do {
        f(base | sub);
        sub = (sub - cube.Free) & cube.Free;
    } while (sub != 0);
}

// Sets every minterm of the cube.
inline void SetCubeMinterms(TMintermBits& bits, const TCube& cube) {
    ForEachCubeMinterm(cube, [&](uint32_t m) { SetMinterm(bits, m); });
}

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
