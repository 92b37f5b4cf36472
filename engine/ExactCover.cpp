// Exact covering by branch and bound with a Lagrangian bound and reduced-cost fixing.
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/CoverSearch.h"

namespace {

constexpr double Eps = 1e-6;

// Branches on the uncovered row with fewest open columns: takes each in turn, closing it after.
// At each node the Lagrangian bound (multipliers per row, improved by subgradient steps from the
// parent's) prunes, closes columns whose reduced cost would reach the best cover, and takes
// columns without which the bound would.
class TExactSearch {
  public:
    TExactSearch(const TCoverBlock& b, TCoverClock& clock, std::vector<int> best)
        : B(b), Clock(clock), Best(std::move(best)) {
        const auto rows = static_cast<size_t>(b.Rows);
        const auto cols = static_cast<size_t>(b.Cols);
        Covered.assign(rows, 0);
        Open.assign(cols, 1);
        OpenInRow.resize(rows);
        for (int r = 0; r < b.Rows; ++r) {
            OpenInRow[static_cast<size_t>(r)] = b.RowSize(r);
        }
        Uncovered = b.Rows;
        U.assign(rows, 0.0);
        for (int r = 0; r < b.Rows; ++r) {
            clock.Tick(b.RowSize(r));
            int widest = 1;
            for (int i = b.RowStart[r]; i < b.RowStart[r + 1]; ++i) {
                widest = std::max(widest, b.ColSize(b.RowCols[i]));
            }
            U[static_cast<size_t>(r)] = 1.0 / widest;
        }
        Reduced.assign(cols, 0.0);
        Gradient.assign(rows, 0.0);
        Hits.assign(rows, 0);
    }

    // True when the search ran to its end: the best cover is then a minimum.
    // The plain search first, for shorter covers, with its share of the time. Then a deepening
    // question: is there a cover of bound columns? Each search that ends with no such cover raises
    // the bound by one; the tight target lets reduced-cost fixing close far more columns than the
    // best cover's size would, so the bound climbs even where the gap is too wide to close.
    bool Run(int& rootBound, double plainShare) {
        Limit = std::numeric_limits<int>::max();
        // On a small matrix the root's bound is worth a slower step schedule: it gains one to
        // two columns. On a large one the time goes to the search's covers.
        const bool large = B.ColRows.size() > LargeBlockEntries;
        int bound =
            static_cast<int>(std::ceil(Lagrangian(large ? 300 : 1000, large ? 5 : 20) - Eps));
        rootBound = bound;
        const std::vector<double> rootU = U;
        const int64_t slice = Clock.SliceLeftMs();
        const int64_t start = Clock.ElapsedMs();
        if (plainShare > 0) {
            Clock.BeginSlice(static_cast<int64_t>(static_cast<double>(slice) * plainShare));
            if (Search()) {
                rootBound = static_cast<int>(Best.size());
                return true;
            }
            Clock.BeginSlice(slice - (Clock.ElapsedMs() - start));
            U = rootU;
        }
        while (bound < static_cast<int>(Best.size())) {
            Limit = bound + 1;
            if (!Search()) {
                return false;
            }
            if (static_cast<int>(Best.size()) <= bound) {
                break;  // a cover of the bound's size: a minimum
            }
            rootBound = ++bound;
        }
        rootBound = static_cast<int>(Best.size());
        return true;
    }
    const std::vector<int>& BestCover() const { return Best; }

  private:
    int Target() const { return std::min(static_cast<int>(Best.size()), Limit); }
    int Depth() const { return static_cast<int>(Chosen.size()); }

    bool Search() {
        if (Clock.Tick(B.Rows + B.Cols)) {
            return false;
        }
        std::vector<int> closed;
        std::vector<int> taken;
        const bool finished = Node(closed, taken);
        for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
            Take(*it, -1);
        }
        for (const int c : closed) {
            Close(c, true);
        }
        return finished;
    }

    bool Node(std::vector<int>& closed, std::vector<int>& taken) {
        for (int round = 0; round < 4; ++round) {
            if (Uncovered == 0) {
                Record();
                return true;
            }
            const double bound = Lagrangian(50, 5);
            const int whole = static_cast<int>(std::ceil(bound - Eps));
            if (Depth() + whole >= Target()) {
                return true;
            }
            // Reduced-cost fixing against the best cover so far, all from this bound: columns
            // taken here do not count again.
            const int depth = Depth();
            bool forced = false;
            for (int c = 0; c < B.Cols; ++c) {
                if (Open[static_cast<size_t>(c)] == 0) {
                    continue;
                }
                const double rc = Reduced[static_cast<size_t>(c)];
                if (rc > 0 && depth + std::ceil(bound + rc - Eps) >= Target()) {
                    Close(c, false);
                    closed.push_back(c);
                } else if (rc < 0 && depth + std::ceil(bound - rc - Eps) >= Target() &&
                           Gain(c) > 0) {
                    Take(c, +1);
                    taken.push_back(c);
                    forced = true;
                }
            }
            Dominate(closed);
            // A row left with one open column takes it; with none the node is dead.
            for (int r = 0; r < B.Rows; ++r) {
                if (Covered[static_cast<size_t>(r)] != 0) {
                    continue;
                }
                const int open = OpenInRow[static_cast<size_t>(r)];
                if (open == 0) {
                    return true;
                }
                if (open == 1) {
                    const int c = OnlyOpen(r);
                    Take(c, +1);
                    taken.push_back(c);
                    forced = true;
                }
            }
            if (Depth() >= Target()) {
                return true;
            }
            if (!forced) {
                break;
            }
        }
        if (Uncovered == 0) {
            Record();
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
        std::vector<std::pair<double, int>> order;
        for (int i = B.RowStart[row]; i < B.RowStart[row + 1]; ++i) {
            const int c = B.RowCols[i];
            if (Open[static_cast<size_t>(c)] != 0) {
                order.emplace_back(Reduced[static_cast<size_t>(c)] + 1e-3 * B.Cost[c], c);
            }
        }
        std::sort(order.begin(), order.end());
        std::vector<int> branched;
        bool finished = true;
        for (const auto& [key, c] : order) {
            if (Depth() + 1 >= Target()) {
                break;
            }
            Take(c, +1);
            finished = Search();
            Take(c, -1);
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
        if (Depth() < static_cast<int>(Best.size())) {
            Best = Chosen;
        }
    }

    // Closes each open column whose uncovered rows another open column also covers at no more
    // literals: a cover using it swaps it for the other. Only columns sharing its scarcest row
    // are tried. Rows it leaves with one open column are taken just after.
    void Dominate(std::vector<int>& closed) {
        if (Mark.size() != static_cast<size_t>(B.Rows)) {
            Mark.assign(static_cast<size_t>(B.Rows), 0);
        }
        for (int c = 0; c < B.Cols; ++c) {
            if (Open[static_cast<size_t>(c)] == 0) {
                continue;
            }
            int pivot = -1;
            int count = 0;
            ++Stamp;
            for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                const auto r = static_cast<size_t>(B.ColRows[j]);
                if (Covered[r] == 0) {
                    Mark[r] = Stamp;
                    ++count;
                    if (pivot < 0 || OpenInRow[r] < OpenInRow[static_cast<size_t>(pivot)]) {
                        pivot = B.ColRows[j];
                    }
                }
            }
            if (count == 0) {
                continue;  // never branched on
            }
            for (int i = B.RowStart[pivot]; i < B.RowStart[pivot + 1]; ++i) {
                const int k = B.RowCols[i];
                if (k == c || Open[static_cast<size_t>(k)] == 0 || B.Cost[k] > B.Cost[c] ||
                    B.ColSize(k) < count) {
                    continue;
                }
                Clock.Tick(B.ColSize(k));
                int shared = 0;
                int fresh = 0;
                for (int j = B.ColStart[k]; j < B.ColStart[k + 1]; ++j) {
                    const auto r = static_cast<size_t>(B.ColRows[j]);
                    shared += Mark[r] == Stamp ? 1 : 0;
                    fresh += Covered[r] == 0 ? 1 : 0;
                }
                if (shared == count && (fresh > count || B.Cost[k] < B.Cost[c] || k < c)) {
                    Close(c, false);
                    closed.push_back(c);
                    break;
                }
            }
        }
    }

    int Gain(int c) const {
        int gain = 0;
        for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
            gain += Covered[static_cast<size_t>(B.ColRows[j])] == 0 ? 1 : 0;
        }
        return gain;
    }

    int OnlyOpen(int r) const {
        for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
            if (Open[static_cast<size_t>(B.RowCols[i])] != 0) {
                return B.RowCols[i];
            }
        }
        return -1;
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

    // L(u) = sum of u over uncovered rows + sum over open columns of min(0, 1 - u of its
    // uncovered rows): a lower bound on the columns still needed. Leaves the reduced costs of
    // the best multipliers found in Reduced.
    double Evaluate() {
        double value = 0;
        for (int r = 0; r < B.Rows; ++r) {
            Hits[static_cast<size_t>(r)] = 0;
            if (Covered[static_cast<size_t>(r)] == 0) {
                value += U[static_cast<size_t>(r)];
            }
        }
        for (int c = 0; c < B.Cols; ++c) {
            Clock.Tick(B.ColSize(c));
            if (Open[static_cast<size_t>(c)] == 0) {
                continue;
            }
            double sum = 0;
            for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                const int r = B.ColRows[j];
                sum += Covered[static_cast<size_t>(r)] == 0 ? U[static_cast<size_t>(r)] : 0.0;
            }
            const double rc = 1.0 - sum;
            Trial[static_cast<size_t>(c)] = rc;
            if (rc < 0) {
                value += rc;
                for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                    ++Hits[static_cast<size_t>(B.ColRows[j])];
                }
            }
        }
        return value;
    }

    // Subgradient steps from the current multipliers; the step halves after staleLimit steps
    // without a better bound.
    double Lagrangian(int iterations, int staleLimit) {
        Trial.resize(static_cast<size_t>(B.Cols));
        double best = Evaluate();
        std::vector<double> bestU = U;
        Reduced = Trial;
        double step = 1.0;
        int stale = 0;
        for (int it = 0; it < iterations; ++it) {
            double norm = 0;
            for (int r = 0; r < B.Rows; ++r) {
                double g = 0;
                if (Covered[static_cast<size_t>(r)] == 0) {
                    g = 1.0 - Hits[static_cast<size_t>(r)];
                    if (U[static_cast<size_t>(r)] <= 0 && g < 0) {
                        g = 0;
                    }
                }
                Gradient[static_cast<size_t>(r)] = g;
                norm += g * g;
            }
            if (norm < Eps) {
                break;
            }
            const double gap = std::max(0.1, (Target() - Depth()) - best);
            const double t = step * gap / norm;
            for (int r = 0; r < B.Rows; ++r) {
                U[static_cast<size_t>(r)] =
                    std::max(0.0, U[static_cast<size_t>(r)] + t * Gradient[static_cast<size_t>(r)]);
            }
            const double value = Evaluate();
            if (Depth() == 0 && it % 10 == 0) {
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
        if (Depth() == 0 || ++NodesSincePrimal >= 16) {
            NodesSincePrimal = 0;
            Primal(Reduced);
        }
        return best;
    }

    // A cover from reduced costs: the columns below zero, then for each row still uncovered
    // (fewest open columns first) its open column of least reduced cost, then redundant columns
    // dropped, highest reduced cost first. Replaces the best cover when shorter.
    void Primal(const std::vector<double>& rc) {
        Clock.Tick(static_cast<int64_t>(B.ColRows.size()));
        std::vector<int> cover = Chosen;
        std::vector<int>& count = Scratch;
        count = Covered;
        const auto take = [&](int c) {
            cover.push_back(c);
            for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                ++count[static_cast<size_t>(B.ColRows[j])];
            }
        };
        for (int c = 0; c < B.Cols; ++c) {
            if (Open[static_cast<size_t>(c)] != 0 && rc[static_cast<size_t>(c)] < 0) {
                take(c);
            }
        }
        RowOrder.clear();
        for (int r = 0; r < B.Rows; ++r) {
            if (count[static_cast<size_t>(r)] == 0) {
                RowOrder.push_back(r);
            }
        }
        std::sort(RowOrder.begin(), RowOrder.end(), [&](int x, int y) {
            return OpenInRow[static_cast<size_t>(x)] < OpenInRow[static_cast<size_t>(y)];
        });
        for (const int r : RowOrder) {
            if (count[static_cast<size_t>(r)] != 0) {
                continue;
            }
            int pick = -1;
            for (int i = B.RowStart[r]; i < B.RowStart[r + 1]; ++i) {
                const int c = B.RowCols[i];
                if (Open[static_cast<size_t>(c)] != 0 &&
                    (pick < 0 || rc[static_cast<size_t>(c)] < rc[static_cast<size_t>(pick)])) {
                    pick = c;
                }
            }
            if (pick < 0) {
                return;
            }
            take(pick);
        }
        const size_t fixed = Chosen.size();
        std::sort(
            cover.begin() + static_cast<std::ptrdiff_t>(fixed), cover.end(),
            [&](int x, int y) { return rc[static_cast<size_t>(x)] > rc[static_cast<size_t>(y)]; });
        std::vector<int> kept(cover.begin(), cover.begin() + static_cast<std::ptrdiff_t>(fixed));
        for (size_t k = fixed; k < cover.size(); ++k) {
            const int c = cover[k];
            bool needed = false;
            for (int j = B.ColStart[c]; j < B.ColStart[c + 1] && !needed; ++j) {
                needed = count[static_cast<size_t>(B.ColRows[j])] < 2;
            }
            if (needed) {
                kept.push_back(c);
            } else {
                for (int j = B.ColStart[c]; j < B.ColStart[c + 1]; ++j) {
                    --count[static_cast<size_t>(B.ColRows[j])];
                }
            }
        }
        if (kept.size() < Best.size()) {
            Best = std::move(kept);
        }
    }

    const TCoverBlock& B;
    TCoverClock& Clock;
    std::vector<int> Best;
    std::vector<int> Chosen;
    std::vector<int> Covered;
    std::vector<char> Open;
    std::vector<int> OpenInRow;
    int Uncovered = 0;
    std::vector<double> U, Reduced, Trial, Gradient;
    std::vector<int> Hits;
    std::vector<int> Scratch, RowOrder;
    std::vector<int> Mark;
    int Stamp = 0;
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
