// The results window's removal and validity tests and its two searches, on the rows' cubes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "model/Letters.h"
#include "model/Terms.h"

// A results row as the tests see it: its term's care and HI masks, or none for a row without a
// term (the grid's title row, say). A term naming a letter beyond the n-th covers nothing.
// Rows are named by their index in the list.
using TRowCube = std::optional<TCube>;

struct TRemovalVerdict {
    bool Removable = true;
    bool ZeroMet = false;  // a dropped row met a minterm whose count had wrapped to 0
};

// Drops the listed rows one after another from the coverage counts of all rows (counting
// modulo 256, as the truth table does); a minterm that would lose its last cover fails the
// test at once. Minterms flagged in dontCare may end uncovered.
TRemovalVerdict RemovalTest(const std::vector<TRowCube>& rows, const std::vector<int>& dropped,
                            const TDontCareTable& dontCare, uint32_t highMinterm);

// The function the editor holds: exact coverage counts of its plain terms, minterms 0 to the
// highest, and a flag for every don't-care minterm that no plain term covers.
struct TEditorFunction {
    std::vector<uint32_t> Counts;
    std::vector<uint8_t> DontCare;

    bool Free(uint32_t m) const { return DontCare[m] != 0; }
};

TEditorFunction EditorFunction(const std::vector<TCube>& plain, const std::vector<TCube>& dontCares,
                               uint32_t highMinterm);

// True when the rows not dropped cover exactly the editor's minterms, its don't cares aside.
bool ValidityTest(const TEditorFunction& editor, const std::vector<TRowCube>& rows,
                  const std::vector<int>& dropped);

// Show Optimized's candidates: from the bottom row up, rows whose Min is above 1, at most ten.
std::vector<int> OptimizeCandidates(const std::vector<int>& mins);

// Tries the combinations of two or more candidates, smaller first and each size in
// lexicographic order, with the validity test; a failing one rules out the later ones that
// begin with it. The rows of the first largest passing combination; none when none passes.
// poll runs after every trial, so a window can repaint.
std::vector<int> BestCombination(const TEditorFunction& editor, const std::vector<TRowCube>& rows,
                                 const std::vector<int>& candidates,
                                 const std::function<void()>& poll = {});

struct TQuickSelection {
    std::vector<int> Rows;  // in the order they joined, bottom up
    bool ZeroMet = false;   // some removal test met a count that had wrapped to 0
};

// How Quick Optimize talks to the window while it runs; either may be left empty.
struct TQuickFeedback {
    std::function<void()> Poll;          // before each row
    std::function<void(int)> RowJoined;  // a row joined the selection
};

// Greedy from the bottom row up: a row joins when the rows chosen so far and it still pass the
// removal test together.
TQuickSelection QuickOptimize(const std::vector<TRowCube>& rows, const TDontCareTable& dontCare,
                              uint32_t highMinterm, const TQuickFeedback& feedback = {});
