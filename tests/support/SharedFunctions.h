// Functions of several outputs for the shared-cover benchmarks and tests: adders, multipliers,
// squares, population counts and the BCD to seven-segment decoder. Input A is the most
// significant bit; output 0 is the most significant bit of the result.
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

// Segments a to g of a BCD digit b3 b2 b1 b0 as a PLA; inputs 10 to 15 are don't cares.
inline std::string SevenSegmentPla() {
    static const char* const lit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                        "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    std::string pla = ".i 4\n.o 7\n.ilb b3 b2 b1 b0\n.ob a b c d e f g\n.type fd\n";
    for (uint32_t x = 0; x < 16; ++x) {
        for (int bit = 3; bit >= 0; --bit) {
            pla += (x >> bit & 1) != 0 ? '1' : '0';
        }
        pla += ' ';
        for (char s = 'a'; s <= 'g'; ++s) {
            pla += x >= 10 ? '-' : std::string(lit[x]).find(s) != std::string::npos ? '1' : '0';
        }
        pla += '\n';
    }
    return pla + ".e\n";
}

inline TFunctionSet SevenSegment() {
    TPla pla;
    TPlaError error;
    TFunctionSet set;
    ReadPla(SevenSegmentPla(), pla, error);
    PlaFunctionSet(pla, {}, set, error);
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
