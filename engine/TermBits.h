// Positional terms as cubes, the form the merging and product loops work on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Terms.h"

// Reads a term as ToPositional does: letters beyond the n-th are lost, a later letter of the
// same variable wins, anything else is ignored. Variable A is the most significant bit.
inline TCube PositionalBits(const std::string& term, int n) {
    TCube bits;
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
