// Exact covering by branch and bound with a Lagrangian bound and reduced-cost fixing.
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/cover/CoverParts.h"

namespace {

constexpr double Eps = 1e-6;

// The whole columns a bound stands for.
int Whole(double bound) {
    return static_cast<int>(std::ceil(bound - Eps));
}

// What a node's columns and closings are undone from.
struct TUndo {
    std::vector<int> Closed;
    int Taken = 0;  // the columns last pushed on the chosen ones
};

// Branches on the uncovered row with fewest open columns: takes each in turn, closing it after.
// At each node the Lagrangian bound (multipliers per row, improved by subgradient steps from the
// parent's) prunes, closes columns whose reduced cost would reach the best cover, and takes
// columns without which the bound would.
class TExactSearch {
  public:
    TExactSearch(const TCoverBlock& b, TCoverClock& clock, std::vector<int> best)
        : B(b),
          Clock(clock),
          Best(std::move(best)),
          Coverage(b),
          RowsOf(b.ColStart, b.ColRows, b.Rows),
          Open(b.Cols, 1),
          OpenInRow(b.Rows, 0),
          U(b.Rows, 0.0),
          Reduced(b.Cols, 0.0),
          Trial(b.Cols, 0.0),
          Gradient(b.Rows, 0.0),
          Hits(b.Rows, 0),
          Scratch(b) {
        for (int r = 0; r < b.Rows; ++r) {
            OpenInRow[r] = b.RowSize(r);
            clock.Tick(b.RowSize(r));
            int widest = 1;
            for (int i = b.RowStart[r]; i < b.RowStart[r + 1]; ++i) {
                widest = std::max(widest, b.ColSize(b.RowCols[i]));
            }
            U[r] = 1.0 / widest;
        }
    }

    // True when the search ran to its end: the best cover is then a minimum.
    // The plain search first, for shorter covers, with its share of the time. Then a deepening
    // question: is there a cover of bound columns? Each search that ends with no such cover raises
    // the bound by one; the tight target lets reduced-cost fixing close far more columns than the
    // best cover's size would, so the bound climbs even where the gap is too wide to close.
    bool Run(int& rootBound, double plainShare) {
        const TCoverTuning& tuning = CoverTuning;
        Limit = std::numeric_limits<int>::max();
        const bool large = B.ColRows.size() > tuning.LargeBlockEntries;
        int bound = Whole(Lagrangian(large ? tuning.RootStepsLarge : tuning.RootSteps,
                                     large ? tuning.RootStaleLarge : tuning.RootStale));
        rootBound = bound;
        const TIntVector<double> rootU = U;
        const int64_t slice = Clock.SliceLeftMs();
        const int64_t start = Clock.ElapsedMs();
        if (plainShare > 0) {
            Clock.BeginSlice(ShareOf(slice, plainShare));
            if (Search()) {
                rootBound = BestSize();
                return true;
            }
            Clock.BeginSlice(slice - (Clock.ElapsedMs() - start));
            U = rootU;
        }
        while (bound < BestSize()) {
            Limit = bound + 1;
            if (!Search()) {
                return false;
            }
            if (BestSize() <= bound) {
                break;  // a cover of the bound's size: a minimum
            }
            rootBound = ++bound;
        }
        rootBound = BestSize();
        return true;
    }
    const std::vector<int>& BestCover() const { return Best; }

  private:
    // What one round of tightening at a node ends in.
    enum class TRound { Settled, Forced, Quiet };

    int BestSize() const { return static_cast<int>(Best.size()); }
    int Target() const { return std::min(BestSize(), Limit); }
    int Depth() const { return static_cast<int>(Chosen.size()); }

    bool Search() {
        if (Clock.Tick(B.Rows + B.Cols)) {
            return false;
        }
        TUndo undo;
        const bool finished = Node(undo);
        for (int k = 0; k < undo.Taken; ++k) {
            Untake();
        }
        for (const int c : undo.Closed) {
            Close(c, true);
        }
        return finished;
    }

    // Tightens while that forces columns, then branches. True when the subtree was searched to
    // its end.
    bool Node(TUndo& undo) {
        for (int round = 0; round < CoverTuning.NodeRounds; ++round) {
            const TRound result = Tighten(undo);
            if (result == TRound::Settled) {
                return true;
            }
            if (result == TRound::Quiet) {
                break;
            }
        }
        if (Coverage.Uncovered() == 0) {
            Record();
            return true;
        }
        return Branch(BranchRow());
    }

    // Bound, reduced-cost fixing, dominance and forced columns once. Settled when the node is
    // covered, pruned or left with a row no open column covers.
    TRound Tighten(TUndo& undo) {
        if (Coverage.Uncovered() == 0) {
            Record();
            return TRound::Settled;
        }
        const double bound = Lagrangian(CoverTuning.NodeSteps, CoverTuning.NodeStale);
        if (Depth() + Whole(bound) >= Target()) {
            return TRound::Settled;
        }
        bool forced = FixByReducedCost(bound, undo);
        CloseDominated(undo);
        // A row left with one open column takes it; with none the node is dead.
        for (int r = 0; r < B.Rows; ++r) {
            if (Coverage.Count(r) != 0) {
                continue;
            }
            if (OpenInRow[r] == 0) {
                return TRound::Settled;
            }
            if (OpenInRow[r] == 1) {
                Take(OnlyOpen(r), undo);
                forced = true;
            }
        }
        if (Depth() >= Target()) {
            return TRound::Settled;
        }
        return forced ? TRound::Forced : TRound::Quiet;
    }

    // Reduced-cost fixing against the best cover so far, all from this bound: columns taken here
    // do not count again. True when a column was taken.
    bool FixByReducedCost(double bound, TUndo& undo) {
        const int depth = Depth();
        bool forced = false;
        for (int c = 0; c < B.Cols; ++c) {
            if (Open[c] == 0) {
                continue;
            }
            const double rc = Reduced[c];
            if (rc > 0 && depth + std::ceil(bound + rc - Eps) >= Target()) {
                Close(c, false);
                undo.Closed.push_back(c);
            } else if (rc < 0 && depth + std::ceil(bound - rc - Eps) >= Target() &&
                       Coverage.Gain(c) > 0) {
                Take(c, undo);
                forced = true;
            }
        }
        return forced;
    }

    // Closes each open column another open column dominates on the uncovered rows. Rows it leaves
    // with one open column are taken just after.
    void CloseDominated(TUndo& undo) {
        const auto uncovered = [&](int r) { return Coverage.Count(r) == 0; };
        const auto openIn = [&](int r) { return OpenInRow[r]; };
        for (int c = 0; c < B.Cols; ++c) {
            if (Open[c] == 0) {
                continue;
            }
            int pivot = -1;
            const int count = RowsOf.Mark(c, uncovered, openIn, pivot);
            if (count == 0) {
                continue;  // never branched on
            }
            for (int i = B.RowStart[pivot]; i < B.RowStart[pivot + 1]; ++i) {
                const int k = B.RowCols[i];
                if (k == c || Open[k] == 0 || B.Cost[k] > B.Cost[c] || B.ColSize(k) < count) {
                    continue;
                }
                Clock.Tick(B.ColSize(k));
                if (ColumnDominates(B, k, c, count, RowsOf.LiveAround(k, uncovered))) {
                    Close(c, false);
                    undo.Closed.push_back(c);
                    break;
                }
            }
        }
    }

    // The uncovered row with fewest open columns.
    int BranchRow() const {
        int row = -1;
        for (int r = 0; r < B.Rows; ++r) {
            if (Coverage.Count(r) == 0 && (row < 0 || OpenInRow[r] < OpenInRow[row])) {
                row = r;
            }
        }
        return row;
    }

    // Each open column of the row in turn, least reduced cost first, closed once searched.
    bool Branch(int row) {
        std::vector<std::pair<double, int>> order;
        for (int i = B.RowStart[row]; i < B.RowStart[row + 1]; ++i) {
            const int c = B.RowCols[i];
            if (Open[c] != 0) {
                order.emplace_back(Reduced[c] + CoverTuning.BranchCostWeight * B.Cost[c], c);
            }
        }
        std::sort(order.begin(), order.end());
        std::vector<int> branched;
        bool finished = true;
        for (const auto& [key, c] : order) {
            if (Depth() + 1 >= Target()) {
                break;
            }
            Chosen.push_back(c);
            Coverage.Add(c);
            finished = Search();
            Untake();
            if (!finished) {
                break;
            }
            Close(c, false);
            branched.push_back(c);
        }
        for (const int c : branched) {
            Close(c, true);
        }
        return finished;
    }

    void Record() {
        if (Depth() < BestSize()) {
            Best = Chosen;
        }
    }

    int OnlyOpen(int r) const {
        for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
            if (Open[B.RowCols[i]] != 0) {
                return B.RowCols[i];
            }
        }
        return -1;
    }

    void Take(int c, TUndo& undo) {
        Chosen.push_back(c);
        Coverage.Add(c);
        ++undo.Taken;
    }

    void Untake() {
        Coverage.Remove(Chosen.back());
        Chosen.pop_back();
    }

    void Close(int c, bool reopen) {
        Open[c] = reopen ? 1 : 0;
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            OpenInRow[B.ColRows[j]] += reopen ? 1 : -1;
        }
    }

    // L(u) = sum of u over uncovered rows + sum over open columns of min(0, 1 - u of its
    // uncovered rows): a lower bound on the columns still needed. Leaves each open column's
    // reduced cost in Trial and counts in Hits the columns below zero over each row.
    double Evaluate() {
        double value = 0;
        for (int r = 0; r < B.Rows; ++r) {
            Hits[r] = 0;
            if (Coverage.Count(r) == 0) {
                value += U[r];
            }
        }
        for (int c = 0; c < B.Cols; ++c) {
            Clock.Tick(B.ColSize(c));
            if (Open[c] == 0) {
                continue;
            }
            double sum = 0;
            for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                const int r = B.ColRows[j];
                sum += Coverage.Count(r) == 0 ? U[r] : 0.0;
            }
            const double rc = 1.0 - sum;
            Trial[c] = rc;
            if (rc < 0) {
                value += rc;
                for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                    ++Hits[B.ColRows[j]];
                }
            }
        }
        return value;
    }

    // Subgradient steps from the current multipliers; the step halves after staleLimit steps
    // without a better bound. Leaves the reduced costs of the best multipliers in Reduced.
    double Lagrangian(int iterations, int staleLimit) {
        double best = Evaluate();
        TIntVector<double> bestU = U;
        Reduced = Trial;
        double step = 1.0;
        int stale = 0;
        for (int it = 0; it < iterations; ++it) {
            double norm = 0;
            for (int r = 0; r < B.Rows; ++r) {
                double g = 0;
                if (Coverage.Count(r) == 0) {
                    g = 1.0 - Hits[r];
                    if (U[r] <= 0 && g < 0) {
                        g = 0;
                    }
                }
                Gradient[r] = g;
                norm += g * g;
            }
            if (norm < Eps) {
                break;
            }
            const double gap = std::max(0.1, (Target() - Depth()) - best);
            const double t = step * gap / norm;
            for (int r = 0; r < B.Rows; ++r) {
                U[r] = std::max(0.0, U[r] + t * Gradient[r]);
            }
            const double value = Evaluate();
            if (Depth() == 0 && it % CoverTuning.RootPrimalEvery == 0) {
                Primal(Trial);
            }
            if (Clock.Tick(B.Rows + B.Cols)) {
                break;  // any multipliers give a bound; the best so far stands
            }
            if (value > best + Eps) {
                best = value;
                bestU = U;
                Reduced = Trial;
                stale = 0;
            } else if (++stale >= staleLimit) {
                step /= 2;
                stale = 0;
            }
            if (Depth() + std::ceil(best - Eps) >= Target()) {
                break;
            }
        }
        U = std::move(bestU);
        if (Depth() == 0 || ++NodesSincePrimal >= CoverTuning.PrimalEveryNodes) {
            NodesSincePrimal = 0;
            Primal(Reduced);
        }
        return best;
    }

    // A cover from reduced costs: the columns below zero, then for each row still uncovered
    // (fewest open columns first) its open column of least reduced cost, then redundant columns
    // dropped, highest reduced cost first. Replaces the best cover when shorter.
    void Primal(const TIntVector<double>& rc) {
        Clock.Tick(static_cast<int64_t>(B.ColRows.size()));
        std::vector<int> cover = Chosen;
        Scratch = Coverage;
        const auto take = [&](int c) {
            cover.push_back(c);
            Scratch.Add(c);
        };
        for (int c = 0; c < B.Cols; ++c) {
            if (Open[c] != 0 && rc[c] < 0) {
                take(c);
            }
        }
        RowOrder.clear();
        for (int r = 0; r < B.Rows; ++r) {
            if (Scratch.Count(r) == 0) {
                RowOrder.push_back(r);
            }
        }
        std::sort(RowOrder.begin(), RowOrder.end(),
                  [&](int x, int y) { return OpenInRow[x] < OpenInRow[y]; });
        for (const int r : RowOrder) {
            if (Scratch.Count(r) != 0) {
                continue;
            }
            int pick = -1;
            for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                const int c = B.RowCols[i];
                if (Open[c] != 0 && (pick < 0 || rc[c] < rc[pick])) {
                    pick = c;
                }
            }
            if (pick < 0) {
                return;
            }
            take(pick);
        }
        const auto fixed = static_cast<std::ptrdiff_t>(Chosen.size());
        std::sort(cover.begin() + fixed, cover.end(), [&](int x, int y) { return rc[x] > rc[y]; });
        MakeIrredundant(cover, Chosen.size(), Scratch);
        if (cover.size() < Best.size()) {
            Best = std::move(cover);
        }
    }

    const TCoverBlock& B;
    TCoverClock& Clock;
    std::vector<int> Best;
    std::vector<int> Chosen;
    TCoverage Coverage;
    TNesting RowsOf;  // the uncovered rows of one column within another's
    TIntVector<char> Open;
    TIntVector<int> OpenInRow;
    TIntVector<double> U, Reduced, Trial, Gradient;
    TIntVector<int> Hits;
    TCoverage Scratch;  // Primal's coverage
    std::vector<int> RowOrder;
    int NodesSincePrimal = 0;
    int Limit = 1;  // the covers sought have fewer columns than this
};

}  // namespace

bool ExactCover(const TCoverBlock& block, TCoverClock& clock, std::vector<int>& best,
                int& rootBound, double plainShare) {
    TExactSearch search(block, clock, best);
    const bool finished = search.Run(rootBound, plainShare);
    best = search.BestCover();
    return finished;
}
