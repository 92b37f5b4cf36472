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
    return FStopped;
}

int64_t TCoverClock::ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - FStart).count();
}

void TCoverBlock::Transpose() {
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

int CostOf(const TCoverBlock& b, const std::vector<int>& chosen) {
    int cost = 0;
    for (const int c : chosen) {
        cost += b.Cost[c];
    }
    return cost;
}

// Exact branch and bound: branch on the uncovered row with fewest open columns, take each of
// them in turn and close it afterwards; prune by the disjoint-row bound.
class TExactSearch {
  public:
    TExactSearch(const TCoverBlock& b, TCoverClock& clock, std::vector<int> best)
        : B(b), Clock(clock), Best(std::move(best)), BestCost(CostOf(b, Best)) {
        Covered.assign(static_cast<size_t>(b.Rows), 0);
        Open.assign(static_cast<size_t>(b.Cols), 1);
        OpenInRow.resize(static_cast<size_t>(b.Rows));
        for (int r = 0; r < b.Rows; ++r) {
            OpenInRow[static_cast<size_t>(r)] = b.RowSize(r);
        }
        Uncovered = b.Rows;
        Stamp.assign(static_cast<size_t>(b.Cols), 0);
        Buckets.resize(static_cast<size_t>(b.Cols) + 2);
    }

    // True when the search ran to its end: Best is then a minimum.
    bool Run() { return Search(); }
    const std::vector<int>& BestCover() const { return Best; }

  private:
    bool Search() {
        if (Clock.Tick()) {
            return false;
        }
        if (Uncovered == 0) {
            const int cost = CostOf(B, Chosen);
            if (Chosen.size() < Best.size() || (Chosen.size() == Best.size() && cost < BestCost)) {
                Best = Chosen;
                BestCost = cost;
            }
            return true;
        }
        int row = -1;
        for (int r = 0; r < B.Rows; ++r) {
            if (Covered[static_cast<size_t>(r)] == 0 &&
                (row < 0 ||
                 OpenInRow[static_cast<size_t>(r)] < OpenInRow[static_cast<size_t>(row)])) {
                row = r;
            }
        }
        if (OpenInRow[static_cast<size_t>(row)] == 0) {
            return true;
        }
        if (static_cast<int>(Chosen.size()) + Bound() >= static_cast<int>(Best.size())) {
            return true;
        }
        std::vector<std::pair<int, int>> order;  // (-gain, column)
        for (int i = B.RowStart[row]; i < B.RowStart[row + 1]; ++i) {
            const int c = B.RowCols[i];
            if (Open[static_cast<size_t>(c)] != 0) {
                int gain = 0;
                for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                    gain += Covered[static_cast<size_t>(B.ColRows[j])] == 0 ? 1 : 0;
                }
                order.emplace_back(-gain * 64 + B.Cost[c], c);
            }
        }
        std::sort(order.begin(), order.end());
        std::vector<int> closed;
        bool finished = true;
        for (const auto& [key, c] : order) {
            if (static_cast<int>(Chosen.size()) + 1 >= static_cast<int>(Best.size())) {
                break;
            }
            Take(c, +1);
            finished = Search();
            Take(c, -1);
            if (!finished) {
                break;
            }
            Close(c, false);
            closed.push_back(c);
        }
        for (const int c : closed) {
            Close(c, true);
        }
        return finished;
    }

    void Take(int c, int step) {
        if (step > 0) {
            Chosen.push_back(c);
        } else {
            Chosen.pop_back();
        }
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            int& count = Covered[static_cast<size_t>(B.ColRows[j])];
            Uncovered -= (step > 0 && count == 0) ? 1 : 0;
            count += step;
            Uncovered += (step < 0 && count == 0) ? 1 : 0;
        }
    }

    void Close(int c, bool reopen) {
        Open[static_cast<size_t>(c)] = reopen ? 1 : 0;
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            OpenInRow[static_cast<size_t>(B.ColRows[j])] += reopen ? 1 : -1;
        }
    }

    // Uncovered rows taken fewest open columns first while none shares a column with one taken.
    int Bound() {
        ++StampNow;
        for (auto& bucket : Buckets) {
            bucket.clear();
        }
        for (int r = 0; r < B.Rows; ++r) {
            if (Covered[static_cast<size_t>(r)] == 0) {
                Buckets[static_cast<size_t>(OpenInRow[static_cast<size_t>(r)])].push_back(r);
            }
        }
        int count = 0;
        for (const auto& bucket : Buckets) {
            for (const int r : bucket) {
                bool free = true;
                for (int i = B.RowStart[r]; i < B.RowStart[r + 1] && free; ++i) {
                    const int c = B.RowCols[i];
                    free = Open[static_cast<size_t>(c)] == 0 ||
                           Stamp[static_cast<size_t>(c)] != StampNow;
                }
                if (!free) {
                    continue;
                }
                ++count;
                for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                    Stamp[static_cast<size_t>(B.RowCols[i])] = StampNow;
                }
            }
        }
        return count;
    }

    const TCoverBlock& B;
    TCoverClock& Clock;
    std::vector<int> Best;
    int BestCost;
    std::vector<int> Chosen;
    std::vector<int> Covered;
    std::vector<char> Open;
    std::vector<int> OpenInRow;
    int Uncovered = 0;
    std::vector<uint32_t> Stamp;
    uint32_t StampNow = 0;
    std::vector<std::vector<int>> Buckets;
};

}  // namespace

std::vector<int> GreedyCover(const TCoverBlock& b) {
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
        if (k != key(c)) {
            if (gain[static_cast<size_t>(c)] > 0) {
                queue.emplace(key(c), negC);
            }
            continue;
        }
        chosen.push_back(c);
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

int DisjointRowsBound(const TCoverBlock& b) {
    std::vector<int> order(static_cast<size_t>(b.Rows));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return b.RowSize(x) < b.RowSize(y); });
    std::vector<char> used(static_cast<size_t>(b.Cols), 0);
    int count = 0;
    for (const int r : order) {
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
    out.Chosen = GreedyCover(block);
    out.LowerBound = std::max(block.Rows > 0 ? 1 : 0, DisjointRowsBound(block));
    if (static_cast<int>(out.Chosen.size()) <= out.LowerBound) {
        out.Proven = true;
        return out;
    }
    if (clock.Check()) {
        return out;
    }
    TExactSearch exact(block, clock, out.Chosen);
    const bool finished = exact.Run();
    out.Chosen = exact.BestCover();
    if (finished) {
        out.LowerBound = static_cast<int>(out.Chosen.size());
        out.Proven = true;
    }
    return out;
}
