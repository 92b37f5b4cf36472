// Covering one block: greedy, irredundant, disjoint-row bound, then the searches in their turns.
#include "engine/cover/CoverSearch.h"

#include <algorithm>
#include <numeric>
#include <queue>

#include "engine/cover/CoverParts.h"

void TCoverBlock::Transpose(TCoverClock* clock) {
    RowStart.Assign(Rows + 1, 0);
    for (const int r : ColRows) {
        ++RowStart[r + 1];
    }
    std::partial_sum(RowStart.begin(), RowStart.end(), RowStart.begin());
    RowCols.Assign(ColRows.Size(), 0);
    TIntVector<int> fill(RowStart.begin(), RowStart.end() - 1);
    for (int c = 0; c < Cols; ++c) {
        for (int i = ColStart[c]; i < ColStart[c + 1]; ++i) {
            RowCols[fill[ColRows[i]]++] = c;
        }
        if (clock != nullptr) {
            clock->Tick(ColSize(c) * 4);
        }
    }
}

std::vector<int> GreedyCover(const TCoverBlock& b, TCoverClock* clock) {
    // Largest gain first, then least cost, then lowest column: costs stay below the scale.
    int64_t scale = 1;
    for (const int cost : b.Cost) {
        scale = std::max<int64_t>(scale, int64_t{cost} + 1);
    }
    TIntVector<int> gain(b.Cols, 0);
    const auto key = [&](int c) { return gain[c] * scale - b.Cost[c]; };
    std::priority_queue<std::pair<int64_t, int>> queue;
    for (int c = 0; c < b.Cols; ++c) {
        gain[c] = b.ColSize(c);
        queue.emplace(key(c), -c);
    }
    TCoverage coverage(b);
    std::vector<int> chosen;
    while (coverage.Uncovered() > 0 && !queue.empty()) {
        const auto [k, negC] = queue.top();
        queue.pop();
        const int c = -negC;
        if (clock != nullptr) {
            clock->Tick(20);
        }
        if (k != key(c)) {
            if (gain[c] > 0) {
                queue.emplace(key(c), negC);
            }
            continue;
        }
        chosen.push_back(c);
        if (clock != nullptr) {
            clock->Tick(b.ColSize(c) * 32);  // the cover is finished whatever the clock says
        }
        coverage.Add(c, [&](int r, int before) {
            if (before == 0) {
                for (int j = b.RowStart[r]; j < b.RowStart[r + 1]; ++j) {
                    --gain[b.RowCols[j]];
                }
            }
        });
    }
    // The costliest go first, the narrower first among equals.
    std::sort(chosen.begin(), chosen.end(), [&](int x, int y) {
        return b.Cost[x] != b.Cost[y] ? b.Cost[x] > b.Cost[y] : b.ColSize(x) < b.ColSize(y);
    });
    MakeIrredundant(chosen, 0, coverage);
    return chosen;
}

int DisjointRowsBound(const TCoverBlock& b, TCoverClock* clock) {
    TIntVector<int> order(b.Rows, 0);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return b.RowSize(x) < b.RowSize(y); });
    TIntVector<char> used(b.Cols, 0);
    int count = 0;
    for (const int r : order) {
        if (clock != nullptr) {
            clock->Tick(b.RowSize(r));
        }
        bool free = true;
        for (int i = b.RowStart[r]; i < b.RowStart[r + 1] && free; ++i) {
            free = used[b.RowCols[i]] == 0;
        }
        if (free) {
            ++count;
            for (int i = b.RowStart[r]; i < b.RowStart[r + 1]; ++i) {
                used[b.RowCols[i]] = 1;
            }
        }
    }
    return count;
}

namespace {

int Size(const TBlockCover& cover) {
    return static_cast<int>(cover.Chosen.size());
}

// The exact search from the cover so far; true when it proved its cover a minimum.
bool ExactStep(const TCoverBlock& block, TCoverClock& clock, TBlockCover& out, double plainShare) {
    int rootBound = 0;
    const bool finished = ExactCover(block, clock, out.Chosen, rootBound, plainShare);
    out.LowerBound = finished ? Size(out) : std::max(out.LowerBound, rootBound);
    out.Proven = finished;
    return finished;
}

// The weighting search for fewer columns, then local moves for less cost, which the weighting
// does not look at.
void WeightingStep(const TCoverBlock& block, TCoverClock& clock, TBlockCover& out) {
    const int64_t left = clock.SliceLeftMs();
    const int64_t last = ShareOf(left, CoverTuning.FinalImproveShare);
    clock.BeginSlice(left - last);
    WeightedCoverSearch(block, out.Chosen, out.LowerBound, clock, CoverTuning.WeightingSeed);
    clock.BeginSlice(clock.SliceLeftMs() + last);
    ImproveCover(block, out.Chosen, clock);
    out.Proven = Size(out) <= out.LowerBound;
}

}  // namespace

TBlockCover SolveBlock(const TCoverBlock& block, TCoverClock& clock) {
    const TCoverTuning& tuning = CoverTuning;
    TBlockCover out;
    out.Chosen = GreedyCover(block, &clock);
    out.LowerBound = std::max(block.Rows > 0 ? 1 : 0, DisjointRowsBound(block, &clock));
    if (Size(out) <= out.LowerBound) {
        out.Proven = true;
        return out;
    }
    if (clock.Check()) {
        return out;
    }
    const int64_t slice = clock.SliceLeftMs();
    clock.BeginSlice(ShareOf(slice, tuning.ImproveShare));
    ImproveCover(block, out.Chosen, clock);
    clock.BeginSlice(clock.SliceLeftMs() + slice - ShareOf(slice, tuning.ImproveShare));
    if (clock.Check()) {
        return out;
    }
    const int gap = Size(out) - out.LowerBound;
    if (block.ColRows.size() > tuning.DenseBlockEntries && gap * tuning.DenseGapPart > Size(out)) {
        return out;
    }
    // The exact search settles most blocks within its share. Where it cannot, the bound has had
    // its cheap gains; the weighting search then follows, large block or small.
    const bool large = block.ColRows.size() > tuning.LargeBlockEntries;
    const int64_t rest = clock.SliceLeftMs();
    clock.BeginSlice(ShareOf(rest, tuning.ExactShare));
    if (ExactStep(block, clock, out, large ? tuning.PlainShareLarge : tuning.PlainShareSmall)) {
        return out;
    }
    clock.BeginSlice(clock.SliceLeftMs() + rest - ShareOf(rest, tuning.ExactShare));
    WeightingStep(block, clock, out);
    return out;
}
