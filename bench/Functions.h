// Generated Boolean functions for the benchmarks and the term-file generator.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "model/Minterms.h"

enum class TFunctionKind { Random, Parity, Majority, ProductBit, ConstantHi };

struct TFunctionRecipe {
    TFunctionKind Kind = TFunctionKind::Random;
    double Density = 0.5;  // random functions only
    uint32_t Seed = 1;
};

// "random", "parity", "majority" (at least n/2 of n variables are 1), "product" (the middle bit
// of the product of the two halves of the minterm number: bit 7 of an 8 x 8-bit product at
// n = 16) and "hi".
inline std::optional<TFunctionKind> FunctionKindByName(const std::string& name) {
    if (name == "random")
        return TFunctionKind::Random;
    if (name == "parity")
        return TFunctionKind::Parity;
    if (name == "majority")
        return TFunctionKind::Majority;
    if (name == "product")
        return TFunctionKind::ProductBit;
    if (name == "hi")
        return TFunctionKind::ConstantHi;
    return std::nullopt;
}

// ON flag per minterm number.
inline std::vector<bool> MakeFunction(int n, const TFunctionRecipe& recipe) {
    const uint32_t count = uint32_t{1} << n;
    std::vector<bool> on(count);
    std::mt19937 rng(recipe.Seed);
    std::bernoulli_distribution coin(recipe.Density);
    const int low = n / 2;
    for (uint32_t m = 0; m < count; ++m) {
        const int ones = std::popcount(m);
        switch (recipe.Kind) {
            case TFunctionKind::Random:
                on[m] = coin(rng);
                break;
            case TFunctionKind::Parity:
                on[m] = (ones & 1) != 0;
                break;
            case TFunctionKind::Majority:
                on[m] = 2 * ones >= n;
                break;
            case TFunctionKind::ProductBit:
                on[m] = (((m >> low) * (m & ((1u << low) - 1))) >> (low - 1)) & 1u;
                break;
            case TFunctionKind::ConstantHi:
                on[m] = true;
                break;
        }
    }
    return on;
}

// One minterm string per ON minterm, as the editor would hold them.
inline std::vector<std::string> FunctionTerms(int n, const std::vector<bool>& on) {
    std::vector<std::string> terms;
    for (uint32_t m = 0; m < on.size(); ++m) {
        if (on[m]) {
            terms.push_back(MintermToLetters(m, n, 'A'));
        }
    }
    return terms;
}
