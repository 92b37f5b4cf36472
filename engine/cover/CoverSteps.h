// The reasoning of a minimum cover as plain data: the chart, its reductions, the cyclic core and
// how it was solved; and every minimum cover of small functions, counted.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/cover/MinimumCover.h"
#include "model/Cube.h"

// One reduction of the chart, in the order it was made. Items are indices into the primes for
// columns and minterm numbers for rows.
enum class TReductionKind {
    Essential,      // Item is essential: it alone covers the minterm By
    RowRemoved,     // the row of minterm Item goes: every prime covering minterm By covers it
    ColumnRemoved,  // prime Item goes: prime By covers its rows left, at no more literals
};

struct TReduction {
    TReductionKind Kind = TReductionKind::Essential;
    uint32_t Item = 0;
    uint32_t By = 0;
};

struct TCoverSteps {
    // The chart: rows are the ON minterms outside the don't cares, columns the primes given
    // that cover some row and no OFF minterm, with the rows each covers, ascending.
    std::vector<uint32_t> Rows;
    std::vector<int> Columns;
    std::vector<std::vector<uint32_t>> ColumnRows;  // entry i for Columns[i]
    std::vector<TReduction> Reductions;
    // The cyclic core: what is left when no reduction applies; empty when none is.
    std::vector<uint32_t> CoreRows;
    std::vector<int> CoreColumns;
    // How the core was solved, in parts no prime joins: Petrick's product multiplied out where
    // a part is small (its products after absorption), else a branch and bound (its branches,
    // and the rows sharing no prime that bound it from the start). Petrick: every part by it.
    int CoreParts = 0;
    bool Petrick = false;
    int64_t PetrickProducts = 0;
    int64_t Branches = 0;
    int CoreFloor = 0;           // the branch and bound parts' starting bound
    int CoreBound = 0;           // the terms the core needs
    bool LiteralsProven = true;  // false: the search for fewer literals ran out of branches
    std::vector<int> CoreChosen;
};

// How far the search for fewer literals goes at most: about a second on a hard 8-variable core.
constexpr int64_t LiteralSearchBranches = 200'000;
// Explain's own search up to 8 variables, where the count of minimum covers finishes the proof:
// a few tens of milliseconds.
constexpr int64_t ExplainSearchNodes = 300;
// Minimum cover's search for fewer literals up to 8 variables, which nothing finishes after it:
// at most a few hundred milliseconds.
constexpr int64_t CoverLiteralNodes = 1'500;

// The chart of on by the primes, solved exactly by essentials, row and column dominance and then
// Petrick's method or a branch and bound on the cyclic core: fewest terms, then fewest literals,
// as FindMinimumCover. steps, when given, hears each step; null costs nothing. The terms are
// settled by the minimum cover's own search; a search for fewer literals that passes maxBranches
// stops (Stopped) with the best cover found.
TMinimumCover ReduceChart(int n, const TMintermBits& on, const TMintermBits& dc,
                          const std::vector<TCube>& primes, TCoverSteps* steps = nullptr,
                          int64_t maxBranches = LiteralSearchBranches);

struct TMinimumCovers {
    int64_t Count = -1;                    // every minimum cover; -1 when not counted
    int Literals = 0;                      // of each minimum cover, when counted
    std::vector<std::vector<int>> Covers;  // the first ones found, primes ascending
    bool Complete = false;                 // the count ran to the end
};

// The widest function whose minimum covers are counted.
constexpr int MaxCountedVars = 8;
// How far a count goes: the hardest of 1,440 random 8-variable functions needs some 12,000
// states, while a symmetric function's thousands of equal minima are given up in seconds.
constexpr int64_t CountSearchNodes = 200'000;
// Next minimum counts on the window's thread, so it gives up sooner.
constexpr int64_t NextMinimumNodes = 30'000;

// Counts the covers of on by the primes that are minimum (fewest terms, then fewest literals),
// keeping the first keep of them. Dominance could drop equal alternatives, so the count runs on
// the chart after the essentials alone. Above MaxCountedVars variables nothing is counted, nor
// when cancel is set while counting.
TMinimumCovers CountMinimumCovers(int n, const TMintermBits& on, const TMintermBits& dc,
                                  const std::vector<TCube>& primes, size_t keep = 1000,
                                  int64_t maxBranches = CountSearchNodes,
                                  const std::atomic<bool>* cancel = nullptr);
