// Covering one block: greedy, irredundant, disjoint-row bound, branch and bound, local moves.
#include "engine/CoverSearch.h"

#include <algorithm>
#include <numeric>
#include <queue>
#include <random>

TCoverClock::TCoverClock(const TCoverOptions& options)
    : FOptions(options),
      FStart(TClock::now()),
      FDeadline(FStart + std::chrono::milliseconds(std::max<int64_t>(0, options.BudgetMs))),
      FSliceEnd(FDeadline),
      FLastAsked(FStart) {}

bool TCoverClock::Check() {
    if (FStopped) {
        return true;
    }
    const auto now = TClock::now();
    if (now >= FDeadline) {
        FStopped = true;
    } else if (FOptions.KeepGoing && now - FLastAsked >= std::chrono::milliseconds(20)) {
        FLastAsked = now;
        FStopped = !FOptions.KeepGoing();
    }
    FSliceOver = now >= FSliceEnd;
    return FStopped || FSliceOver;
}

int64_t TCoverClock::RemainingMs() const {
    const auto left = FDeadline - TClock::now();
    return std::max<int64_t>(0,
                             std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
}

int64_t TCoverClock::SliceLeftMs() const {
    const auto left = std::min(FSliceEnd, FDeadline) - TClock::now();
    return std::max<int64_t>(0,
                             std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
}

void TCoverClock::BeginSlice(int64_t ms) {
    FSliceEnd = TClock::now() + std::chrono::milliseconds(std::max<int64_t>(0, ms));
    FSliceOver = false;
}

int64_t TCoverClock::ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - FStart).count();
}

void TCoverBlock::Transpose(TCoverClock* clock) {
    RowStart.assign(static_cast<size_t>(Rows) + 1, 0);
    for (const int r : ColRows) {
        ++RowStart[static_cast<size_t>(r) + 1];
    }
    std::partial_sum(RowStart.begin(), RowStart.end(), RowStart.begin());
    RowCols.assign(ColRows.size(), 0);
    std::vector<int> fill(RowStart.begin(), RowStart.end() - 1);
    for (int c = 0; c < Cols; ++c) {
        for (int i = ColStart[c]; i < ColStart[c + 1]; ++i) {
            RowCols[static_cast<size_t>(fill[static_cast<size_t>(ColRows[i])]++)] = c;
        }
        if (clock != nullptr) {
            clock->Tick(ColSize(c) * 4);
        }
    }
}

namespace {

// Drops chosen columns whose rows are all covered twice, the most literals first.
void MakeIrredundant(const TCoverBlock& b, std::vector<int>& chosen, std::vector<int>& covered) {
    std::sort(chosen.begin(), chosen.end(), [&](int x, int y) {
        return b.Cost[x] != b.Cost[y] ? b.Cost[x] > b.Cost[y] : b.ColSize(x) < b.ColSize(y);
    });
    std::vector<int> kept;
    kept.reserve(chosen.size());
    for (const int c : chosen) {
        bool needed = false;
        for (int i = b.ColStart[c]; i < b.ColStart[c + 1] && !needed; ++i) {
            needed = covered[static_cast<size_t>(b.ColRows[i])] < 2;
        }
        if (needed) {
            kept.push_back(c);
        } else {
            for (int i = b.ColStart[c]; i < b.ColStart[c + 1]; ++i) {
                --covered[static_cast<size_t>(b.ColRows[i])];
            }
        }
    }
    chosen = std::move(kept);
}

}  // namespace

std::vector<int> GreedyCover(const TCoverBlock& b, TCoverClock* clock) {
    std::vector<int> gain(static_cast<size_t>(b.Cols));
    // Largest gain first, then fewest literals, then lowest column.
    using TEntry = std::pair<int64_t, int>;
    std::priority_queue<TEntry> queue;
    const auto key = [&](int c) { return int64_t{gain[static_cast<size_t>(c)]} * 64 - b.Cost[c]; };
    for (int c = 0; c < b.Cols; ++c) {
        gain[static_cast<size_t>(c)] = b.ColSize(c);
        queue.emplace(key(c), -c);
    }
    std::vector<int> covered(static_cast<size_t>(b.Rows), 0);
    std::vector<int> chosen;
    int uncovered = b.Rows;
    while (uncovered > 0 && !queue.empty()) {
        const auto [k, negC] = queue.top();
        queue.pop();
        const int c = -negC;
        if (clock != nullptr) {
            clock->Tick(20);
        }
        if (k != key(c)) {
            if (gain[static_cast<size_t>(c)] > 0) {
                queue.emplace(key(c), negC);
            }
            continue;
        }
        chosen.push_back(c);
        if (clock != nullptr) {
            clock->Tick(b.ColSize(c) * 32);  // the cover is finished whatever the clock says
        }
        for (int i = b.ColStart[c]; i < b.ColStart[c + 1]; ++i) {
            const int r = b.ColRows[i];
            if (covered[static_cast<size_t>(r)]++ == 0) {
                --uncovered;
                for (int j = b.RowStart[r]; j < b.RowStart[r + 1]; ++j) {
                    --gain[static_cast<size_t>(b.RowCols[j])];
                }
            }
        }
    }
    MakeIrredundant(b, chosen, covered);
    return chosen;
}

int DisjointRowsBound(const TCoverBlock& b, TCoverClock* clock) {
    std::vector<int> order(static_cast<size_t>(b.Rows));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return b.RowSize(x) < b.RowSize(y); });
    std::vector<char> used(static_cast<size_t>(b.Cols), 0);
    int count = 0;
    for (const int r : order) {
        if (clock != nullptr) {
            clock->Tick(b.RowSize(r));
        }
        bool free = true;
        for (int i = b.RowStart[r]; i < b.RowStart[r + 1] && free; ++i) {
            free = used[static_cast<size_t>(b.RowCols[i])] == 0;
        }
        if (free) {
            ++count;
            for (int i = b.RowStart[r]; i < b.RowStart[r + 1]; ++i) {
                used[static_cast<size_t>(b.RowCols[i])] = 1;
            }
        }
    }
    return count;
}

TBlockCover SolveBlock(const TCoverBlock& block, TCoverClock& clock) {
    TBlockCover out;
    out.Chosen = GreedyCover(block, &clock);
    out.LowerBound = std::max(block.Rows > 0 ? 1 : 0, DisjointRowsBound(block, &clock));
    if (static_cast<int>(out.Chosen.size()) <= out.LowerBound) {
        out.Proven = true;
        return out;
    }
    if (clock.Check()) {
        return out;
    }
    // Local moves get half of the block's time at most, so the bound search gets its share.
    const int64_t slice = clock.SliceLeftMs();
    clock.BeginSlice(slice / 2);
    ImproveCover(block, out.Chosen, clock);
    clock.BeginSlice(clock.SliceLeftMs() + slice - slice / 2);
    if (clock.Check()) {
        return out;
    }
    // On a matrix this dense a bound step costs seconds and the gap is far too wide for
    // branching: the local moves' cover is the answer.
    const int gap = static_cast<int>(out.Chosen.size()) - out.LowerBound;
    if (block.ColRows.size() > 2000000 && gap * 20 > static_cast<int>(out.Chosen.size())) {
        return out;
    }
    // The exact search settles most blocks within its share. Where it cannot, the bound has had
    // its cheap gains and, on a small block, the weighting search finds shorter covers faster
    // than branching. On a large block the search's own covers, from its bound every few nodes,
    // beat the weighting search, whose steps cost more on a long cover.
    const bool large = block.ColRows.size() > LargeBlockEntries;
    const int64_t rest = clock.SliceLeftMs();
    if (!large) {
        clock.BeginSlice(rest * 2 / 5);
    }
    int rootBound = 0;
    const bool finished = ExactCover(block, clock, out.Chosen, rootBound, large ? 0.5 : 0.25);
    out.LowerBound = std::max(out.LowerBound, rootBound);
    if (finished) {
        out.LowerBound = static_cast<int>(out.Chosen.size());
        out.Proven = true;
        return out;
    }
    if (large) {
        return out;
    }
    clock.BeginSlice(clock.SliceLeftMs() + rest - rest * 2 / 5);
    const int64_t left = clock.SliceLeftMs();
    clock.BeginSlice(left - left / 20);
    WeightedCoverSearch(block, out.Chosen, out.LowerBound, clock, 1);
    clock.BeginSlice(clock.SliceLeftMs() + left / 20);
    ImproveCover(block, out.Chosen, clock);  // literals: the weighting search counts terms only
    out.Proven = static_cast<int>(out.Chosen.size()) <= out.LowerBound;
    return out;
}
