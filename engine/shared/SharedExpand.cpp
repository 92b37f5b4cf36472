// Shared covers grown one term at a time for sets too large for the covering matrix, and the
// passes that drop what a cover does not need.
#include <algorithm>
#include <bit>
#include <numeric>

#include "engine/cover/CoverSearch.h"
#include "engine/shared/SharedRows.h"

namespace {

// Grows terms from uncovered minterms: a term starts as its minterm with every output the minterm
// may feed, and frees the variable that keeps the most uncovered pairs while it still covers all
// of its minterm's; equal counts prefer the larger cube. So no minterm needs two terms.
class TExpander {
  public:
    TExpander(int n, const TSharedRows& rows)
        : FVars(n), FAll(VarMask(n)), FRows(rows), FWords(rows.Words()), FCovered(FWords << n, 0) {}

    // False when the clock stopped it before every ON pair was covered.
    bool Run(TCoverClock& clock, TSharedCover& cover) {
        cover.Words = FWords;
        std::vector<uint64_t> wanted(FWords);
        for (uint32_t x = 0; x < (uint32_t{1} << FVars); ++x) {
            if (clock.Stopped()) {
                return false;
            }
            if (Wanted(x, wanted)) {
                std::vector<uint64_t> outputs(FRows.CareAt(x), FRows.CareAt(x) + FWords);
                const TCube cube = Grow(TCube{FAll, x}, wanted, outputs, clock);
                Cover(cube, outputs);
                cover.Terms.push_back(cube);
                cover.Feeds.insert(cover.Feeds.end(), outputs.begin(), outputs.end());
            }
        }
        return true;
    }

  private:
    // The outputs minterm x is ON in that no term covers yet; false when there are none.
    bool Wanted(uint32_t x, std::vector<uint64_t>& wanted) const {
        uint64_t any = 0;
        for (size_t w = 0; w < FWords; ++w) {
            wanted[w] = FRows.OnAt(x)[w] & ~FCovered[x * FWords + w];
            any |= wanted[w];
        }
        return any != 0;
    }

    TCube Grow(TCube cube, const std::vector<uint64_t>& wanted, std::vector<uint64_t>& outputs,
               TCoverClock& clock) {
        int gain = Uncovered(cube, outputs);
        std::vector<uint64_t> trial(FWords), best(FWords);
        while (true) {
            int bestVar = -1;
            int bestGain = gain;
            for (int v = 0; v < FVars; ++v) {
                const uint32_t bit = 1u << v;
                if ((cube.Care & bit) == 0) {
                    continue;
                }
                const TCube other{cube.Care, cube.Hi ^ bit};
                clock.Tick(int64_t{2} << (FVars - std::popcount(cube.Care)));
                trial = outputs;
                ForEachCubeMinterm(other, FAll, [&](uint32_t y) {
                    for (size_t w = 0; w < FWords; ++w) {
                        trial[w] &= FRows.CareAt(y)[w];
                    }
                });
                bool keepsOwn = true;
                for (size_t w = 0; w < FWords; ++w) {
                    keepsOwn = keepsOwn && (wanted[w] & ~trial[w]) == 0;
                }
                if (!keepsOwn) {
                    continue;
                }
                const TCube grown{cube.Care & ~bit, cube.Hi & ~bit};
                const int g = Uncovered(grown, trial);
                if (g >= bestGain) {
                    bestGain = g;
                    bestVar = v;
                    best = trial;
                }
            }
            if (bestVar < 0) {
                return cube;
            }
            cube = TCube{cube.Care & ~(1u << bestVar), cube.Hi & ~(1u << bestVar)};
            outputs = best;
            gain = bestGain;
        }
    }

    // The ON pairs of the cube over the outputs that no term covers yet.
    int Uncovered(TCube cube, const std::vector<uint64_t>& outputs) const {
        int count = 0;
        ForEachCubeMinterm(cube, FAll, [&](uint32_t y) {
            for (size_t w = 0; w < FWords; ++w) {
                count += std::popcount(outputs[w] & FRows.OnAt(y)[w] & ~FCovered[y * FWords + w]);
            }
        });
        return count;
    }

    void Cover(TCube cube, const std::vector<uint64_t>& outputs) {
        ForEachCubeMinterm(cube, FAll, [&](uint32_t y) {
            for (size_t w = 0; w < FWords; ++w) {
                FCovered[y * FWords + w] |= outputs[w] & FRows.OnAt(y)[w];
            }
        });
    }

    int FVars;
    uint32_t FAll;
    const TSharedRows& FRows;
    size_t FWords;
    std::vector<uint64_t> FCovered;  // FWords per minterm: the ON outputs a term covers
};

}  // namespace

bool ExpandCover(const TFunctionSet& set, const TSharedRows& rows, TCoverClock& clock,
                 TSharedCover& cover) {
    cover = TSharedCover{};
    if (!TExpander(set.Inputs, rows).Run(clock, cover)) {
        return false;
    }
    DropRedundantTerms(set.Inputs, rows, cover, clock);
    return true;
}

namespace {

// How many of a cover's connections bring each row.
class TRowCounts {
  public:
    TRowCounts(int n, const TSharedRows& rows, const TSharedCover& cover)
        : FAll(VarMask(n)), FRows(rows), FCount(static_cast<size_t>(rows.Count()), 0) {
        for (size_t t = 0; t < cover.Terms.size(); ++t) {
            Add(cover.Terms[t], &cover.Feeds[t * rows.Words()], 1);
        }
    }

    void Add(TCube cube, const uint64_t* outputs, int step) {
        ForEachCubeMinterm(cube, FAll, [&](uint32_t x) {
            FRows.ForEachRow(x, outputs,
                             [&](int row, size_t) { FCount[static_cast<size_t>(row)] += step; });
        });
    }

    // The outputs of those given to which the cube brings a row no other term brings.
    void Needed(TCube cube, const uint64_t* outputs, std::vector<uint64_t>& needed) const {
        std::fill(needed.begin(), needed.end(), 0);
        ForEachCubeMinterm(cube, FAll, [&](uint32_t x) {
            FRows.ForEachRow(x, outputs, [&](int row, size_t output) {
                if (FCount[static_cast<size_t>(row)] < 2) {
                    needed[output / 64] |= uint64_t{1} << (output % 64);
                }
            });
        });
    }

  private:
    uint32_t FAll;
    const TSharedRows& FRows;
    std::vector<int> FCount;
};

// The terms with the most letters first: they bring the fewest minterms and are the likeliest
// to be spared.
std::vector<size_t> SpareOrder(int n, const TSharedCover& cover) {
    std::vector<size_t> order(cover.Terms.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return InputLiterals(cover.Terms[a], n) > InputLiterals(cover.Terms[b], n);
    });
    return order;
}

void DropUnconnected(TSharedCover& cover, size_t words) {
    size_t kept = 0;
    for (size_t t = 0; t < cover.Terms.size(); ++t) {
        const uint64_t* feeds = &cover.Feeds[t * words];
        if (std::any_of(feeds, feeds + words, [](uint64_t w) { return w != 0; })) {
            cover.Terms[kept] = cover.Terms[t];
            std::copy_n(feeds, words, &cover.Feeds[kept * words]);
            ++kept;
        }
    }
    cover.Terms.resize(kept);
    cover.Feeds.resize(kept * words);
}

}  // namespace

// Work a pass does on one term, for the clock: its minterms times the words of a row set.
int64_t TermWork(int n, TCube cube, size_t words) {
    return (int64_t{1} << (n - std::popcount(cube.Care))) * static_cast<int64_t>(words + 1);
}

void DropRedundantTerms(int n, const TSharedRows& rows, TSharedCover& cover, TCoverClock& clock) {
    const size_t words = rows.Words();
    TRowCounts counts(n, rows, cover);
    std::vector<uint64_t> needed(words);
    for (const size_t t : SpareOrder(n, cover)) {
        if (clock.Tick(TermWork(n, cover.Terms[t], words)) && clock.Stopped()) {
            break;
        }
        uint64_t* feeds = &cover.Feeds[t * words];
        counts.Needed(cover.Terms[t], feeds, needed);
        if (std::all_of(needed.begin(), needed.end(), [](uint64_t w) { return w == 0; })) {
            counts.Add(cover.Terms[t], feeds, -1);
            std::fill_n(feeds, words, 0);
        }
    }
    DropUnconnected(cover, words);
}

void TrimConnections(int n, const TSharedRows& rows, TSharedCover& cover, TCoverClock& clock) {
    const size_t words = rows.Words();
    TRowCounts counts(n, rows, cover);
    std::vector<uint64_t> needed(words), spare(words);
    // A connection's rows are of its own output, so dropping one never changes whether another
    // connection of the same term is needed: one walk of the cube decides them all.
    for (const size_t t : SpareOrder(n, cover)) {
        if (clock.Tick(TermWork(n, cover.Terms[t], words)) && clock.Stopped()) {
            break;
        }
        uint64_t* feeds = &cover.Feeds[t * words];
        counts.Needed(cover.Terms[t], feeds, needed);
        for (size_t w = 0; w < words; ++w) {
            spare[w] = feeds[w] & ~needed[w];
            feeds[w] &= needed[w];
        }
        counts.Add(cover.Terms[t], spare.data(), -1);
    }
    DropUnconnected(cover, words);
}
