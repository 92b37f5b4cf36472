// Positional terms as two bit masks, the form the merging and product loops work on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Terms.h"

struct TTermBits {
    uint32_t Care = 0;  // every variable the term names
    uint32_t Hi = 0;    // the variables it names in upper case

    bool operator==(const TTermBits&) const = default;
    auto operator<=>(const TTermBits&) const = default;
};

// Reads a term as ToPositional does: letters beyond the n-th are lost, a later letter of the
// same variable wins, anything else is ignored. Variable A is the most significant bit.
inline TTermBits PositionalBits(const std::string& term, int n) {
    TTermBits bits;
    for (const char c : term) {
        const int k = VariableNumber(c);
        if (k < 1 || k > n) {
            continue;
        }
        const uint32_t bit = 1u << (n - k);
        bits.Care |= bit;
        if (static_cast<unsigned char>(c) < 'a') {
            bits.Hi |= bit;
        } else {
            bits.Hi &= ~bit;
        }
    }
    return bits;
}

// The compact term of n variables: letters in variable order, empty for the all-"1" term.
inline std::string CompactOf(TTermBits bits, int n) {
    std::string compact;
    for (int k = 1; k <= n; ++k) {
        const uint32_t bit = 1u << (n - k);
        if ((bits.Care & bit) != 0) {
            compact += static_cast<char>(((bits.Hi & bit) != 0 ? 'A' : 'a') + k - 1);
        }
    }
    return compact;
}

// Pieces between "+" characters; empty pieces are not produced.
inline std::vector<std::string> SplitAtPlus(const std::string& text) {
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : text) {
        if (c != '+') {
            piece += c;
        } else if (!piece.empty()) {
            pieces.push_back(std::move(piece));
            piece.clear();
        }
    }
    if (!piece.empty()) {
        pieces.push_back(std::move(piece));
    }
    return pieces;
}
