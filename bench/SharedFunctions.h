// Functions of several outputs for the shared-cover benchmarks: adders, multipliers, squares,
// population counts and the BCD to seven-segment decoder. Input A is the most significant bit;
// output 0 is the most significant bit of the result.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "model/FunctionSet.h"

namespace SharedFunctions {

inline TFunctionSet Empty(int inputs, int outputs) {
    TFunctionSet set;
    set.Inputs = inputs;
    for (int i = 0; i < outputs; ++i) {
        AddOutput(set, "F" + std::to_string(i + 1));
    }
    return set;
}

// Output i holds bit (outputs - 1 - i) of value(x).
template <typename Value>
TFunctionSet Arithmetic(int inputs, int outputs, Value value) {
    TFunctionSet set = Empty(inputs, outputs);
    for (uint32_t x = 0; x < (uint32_t{1} << inputs); ++x) {
        const uint64_t v = value(x);
        for (int i = 0; i < outputs; ++i) {
            if ((v >> (outputs - 1 - i)) & 1u) {
                SetMinterm(set.Outputs[static_cast<size_t>(i)].On, x);
            }
        }
    }
    return set;
}

// x + y for K-bit x (the high inputs) and y, in K + 1 bits.
inline TFunctionSet Adder(int k) {
    return Arithmetic(2 * k, k + 1, [k](uint32_t x) { return (x >> k) + (x & ((1u << k) - 1)); });
}

// x * y in 2K bits.
inline TFunctionSet Multiplier(int k) {
    return Arithmetic(2 * k, 2 * k,
                      [k](uint32_t x) { return uint64_t{x >> k} * (x & ((1u << k) - 1)); });
}

// x * x for K-bit x, in 2K bits.
inline TFunctionSet Square(int k) {
    return Arithmetic(k, 2 * k, [](uint32_t x) { return uint64_t{x} * x; });
}

// The number of ones among N inputs, in ceil(log2(N + 1)) bits.
inline TFunctionSet PopCount(int n) {
    return Arithmetic(n, std::bit_width(static_cast<unsigned>(n)),
                      [](uint32_t x) { return static_cast<uint64_t>(std::popcount(x)); });
}

// Segments a to g of a BCD digit; inputs 10 to 15 are don't cares.
inline TFunctionSet SevenSegment() {
    static const char* const lit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                        "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    TFunctionSet set;
    set.Inputs = 4;
    for (char s = 'a'; s <= 'g'; ++s) {
        AddOutput(set, std::string(1, s));
    }
    for (uint32_t x = 0; x < 16; ++x) {
        for (int i = 0; i < 7; ++i) {
            const bool on =
                x < 10 && std::string(lit[x]).find(static_cast<char>('a' + i)) != std::string::npos;
            if (x >= 10) {
                SetMinterm(set.Outputs[static_cast<size_t>(i)].Dc, x);
            } else if (on) {
                SetMinterm(set.Outputs[static_cast<size_t>(i)].On, x);
            }
        }
    }
    return set;
}

// Each output ON with the given density, independently.
inline TFunctionSet Random(int inputs, int outputs, double density, uint32_t seed) {
    TFunctionSet set = Empty(inputs, outputs);
    std::mt19937 rng(seed);
    std::bernoulli_distribution coin(density);
    for (int i = 0; i < outputs; ++i) {
        for (uint32_t x = 0; x < (uint32_t{1} << inputs); ++x) {
            if (coin(rng)) {
                SetMinterm(set.Outputs[static_cast<size_t>(i)].On, x);
            }
        }
    }
    return set;
}

// "bcd7seg", "adderK", "multK", "squareK", "popcountN", "randomNxM" (density 0.5, seed 1).
inline std::optional<TFunctionSet> ByName(const std::string& name) {
    const auto number = [&](size_t from) { return std::stoi(name.substr(from)); };
    if (name == "bcd7seg")
        return SevenSegment();
    if (name.rfind("adder", 0) == 0)
        return Adder(number(5));
    if (name.rfind("mult", 0) == 0)
        return Multiplier(number(4));
    if (name.rfind("square", 0) == 0)
        return Square(number(6));
    if (name.rfind("popcount", 0) == 0)
        return PopCount(number(8));
    if (name.rfind("random", 0) == 0) {
        const size_t x = name.find('x');
        return Random(number(6), std::stoi(name.substr(x + 1)), 0.5, 1);
    }
    return std::nullopt;
}

}  // namespace SharedFunctions
