// What the shared cover's parts have in common: rows of (minterm, output) pairs, cube helpers.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/shared/SharedCover.h"
#include "engine/shared/SharedPrimes.h"

class TCoverClock;

inline uint32_t VarMask(int n) {
    return n >= 32 ? ~0u : (1u << n) - 1;
}

inline int InputLiterals(TCube cube, int n) {
    return std::popcount(cube.Care & VarMask(n));
}

// The rows of the matrix: one per minterm and output it is ON in, minterm by minterm.
class TSharedRows {
  public:
    explicit TSharedRows(const TFunctionSet& set);

    size_t Words() const { return FWords; }
    int Count() const { return FFirst.back(); }
    size_t OnMinterms() const { return FOnMinterms; }  // minterms ON in some output
    // The outputs whose ON set, or ON | DC, holds minterm x.
    const uint64_t* OnAt(uint32_t x) const { return FOn.data() + x * FWords; }
    const uint64_t* CareAt(uint32_t x) const { return FCare.data() + x * FWords; }

    // Calls f(row, output) (an int and a size_t) for each output of outputs that minterm x is ON
    // in.
    template <typename F>
    void ForEachRow(uint32_t x, const uint64_t* outputs, F&& f) const {
        const uint64_t* on = OnAt(x);
        int row = FFirst[x];
        for (size_t w = 0; w < FWords; ++w) {
            // Walking the minterm's own outputs numbers its rows without counting bits.
            for (uint64_t left = on[w]; left != 0; left &= left - 1, ++row) {
                const uint64_t bit = left & (~left + 1);
                if ((outputs[w] & bit) != 0) {
                    f(row, w * 64 + std::countr_zero(bit));
                }
            }
        }
    }

  private:
    size_t FWords;
    std::vector<uint64_t> FOn, FCare;  // FWords per minterm
    std::vector<int> FFirst;           // the first row of each minterm
    size_t FOnMinterms = 0;
};

// A cover found term by term, each grown from an uncovered minterm as far as it pays; for sets
// too large for the covering matrix. False, with the cover unfinished, when the clock stopped.
bool ExpandCover(const TFunctionSet& set, const TSharedRows& rows, TCoverClock& clock,
                 TSharedCover& cover);

// Drops the terms no row needs, those with the most letters first. A stopped clock ends it
// early, the cover still whole.
void DropRedundantTerms(int n, const TSharedRows& rows, TSharedCover& cover, TCoverClock& clock);

// Each output keeps only the connections its ON minterms need: a term's connection goes when
// every row it brings is brought by another term as well. Terms left with no connection go. A
// stopped clock ends it early, the cover still whole.
void TrimConnections(int n, const TSharedRows& rows, TSharedCover& cover, TCoverClock& clock);
