// The prime implicant chart, its exact search by branch and bound, and Petrick's product.
#include "engine/cover/CoverChart.h"

#include <algorithm>
#include <bit>
#include <climits>

#include "engine/cover/CoverReduce.h"

namespace {

// Petrick's method is for cores a person could multiply out; above these it is not shown.
constexpr size_t PetrickMaxColumns = 24;
constexpr size_t PetrickMaxProducts = 1024;

int Live(const std::vector<char>& live, const std::vector<int>& list) {
    return static_cast<int>(std::count_if(list.begin(), list.end(),
                                          [&](int i) { return live[static_cast<size_t>(i)]; }));
}

}  // namespace

TChart BuildChart(int n, const TMintermBits& on, const TMintermBits& dc,
                  const std::vector<TCube>& primes) {
    const uint32_t all = (uint32_t{1} << n) - 1;
    TChart chart;
    std::vector<int> rowOf(size_t{all} + 1, -1);
    for (uint32_t m = 0; m <= all; ++m) {
        if (TestMinterm(on, m) && !TestMinterm(dc, m)) {
            rowOf[m] = chart.Rows();
            chart.RowMinterm.push_back(m);
        }
    }
    chart.RowCols.resize(chart.RowMinterm.size());
    for (size_t p = 0; p < primes.size(); ++p) {
        std::vector<int> rows;
        bool offSet = false;
        ForEachCubeMinterm(primes[p], all, [&](uint32_t m) {
            offSet = offSet || !(TestMinterm(on, m) || TestMinterm(dc, m));
            if (rowOf[m] >= 0) {
                rows.push_back(rowOf[m]);
            }
        });
        if (offSet || rows.empty()) {
            continue;
        }
        for (const int r : rows) {
            chart.RowCols[static_cast<size_t>(r)].push_back(chart.Cols());
        }
        chart.ColPrime.push_back(static_cast<int>(p));
        chart.Cost.push_back(std::popcount(primes[p].Care & all));
        chart.ColRows.push_back(std::move(rows));
    }
    chart.RowLive.assign(chart.RowMinterm.size(), 1);
    chart.ColLive.assign(chart.ColPrime.size(), 1);
    return chart;
}

std::vector<TChartPart> ChartParts(const TChart& chart) {
    std::vector<TChartPart> parts;
    std::vector<char> seen(chart.RowMinterm.size(), 0);
    std::vector<char> colSeen(chart.ColPrime.size(), 0);
    for (int start = 0; start < chart.Rows(); ++start) {
        if (!chart.RowLive[static_cast<size_t>(start)] || seen[static_cast<size_t>(start)]) {
            continue;
        }
        TChartPart part{std::vector<char>(chart.RowMinterm.size(), 0),
                        std::vector<char>(chart.ColPrime.size(), 0)};
        std::vector<int> stack{start};
        seen[static_cast<size_t>(start)] = 1;
        while (!stack.empty()) {
            const int r = stack.back();
            stack.pop_back();
            part.RowLive[static_cast<size_t>(r)] = 1;
            for (const int c : chart.RowCols[static_cast<size_t>(r)]) {
                if (!chart.ColLive[static_cast<size_t>(c)] || colSeen[static_cast<size_t>(c)]) {
                    continue;
                }
                colSeen[static_cast<size_t>(c)] = 1;
                part.ColLive[static_cast<size_t>(c)] = 1;
                for (const int k : chart.ColRows[static_cast<size_t>(c)]) {
                    if (chart.RowLive[static_cast<size_t>(k)] && !seen[static_cast<size_t>(k)]) {
                        seen[static_cast<size_t>(k)] = 1;
                        stack.push_back(k);
                    }
                }
            }
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

TCoreSearch::TCoreSearch(const TChart& chart, const TChartPart& part, int64_t maxBranches)
    : C(chart),
      FRowLive(part.RowLive),
      FColLive(part.ColLive),
      FMaxBranches(maxBranches),
      FCovered(chart.RowMinterm.size(), 0),
      FOut(chart.ColPrime.size(), 0),
      FMark(chart.ColPrime.size(), 0),
      FBest{INT_MAX, INT_MAX} {}

void TCoreSearch::Minimise(const std::vector<int>& seed) {
    if (!seed.empty()) {
        int cost = 0;
        for (const int c : seed) {
            cost += C.Cost[static_cast<size_t>(c)];
        }
        FBest = {static_cast<int>(seed.size()), cost};
        FBestChosen = seed;
    }
    Search(0, 0);
}

int TCoreSearch::BranchRow(int& open) {
    int best = -1;
    open = INT_MAX;
    for (int r = 0; r < C.Rows(); ++r) {
        if (!FRowLive[static_cast<size_t>(r)] || FCovered[static_cast<size_t>(r)] > 0) {
            continue;
        }
        int count = 0;
        for (const int c : C.RowCols[static_cast<size_t>(r)]) {
            count += FColLive[static_cast<size_t>(c)] && !FOut[static_cast<size_t>(c)] ? 1 : 0;
        }
        if (count < open) {
            open = count;
            best = r;
        }
    }
    return best;
}

std::pair<int, int> TCoreSearch::Bound() {
    // Rows with few open columns first: they block fewer others, so more of them fit.
    FOrder.clear();
    for (int r = 0; r < C.Rows(); ++r) {
        if (!FRowLive[static_cast<size_t>(r)] || FCovered[static_cast<size_t>(r)] > 0) {
            continue;
        }
        int open = 0;
        for (const int c : C.RowCols[static_cast<size_t>(r)]) {
            open += FColLive[static_cast<size_t>(c)] && !FOut[static_cast<size_t>(c)] ? 1 : 0;
        }
        FOrder.emplace_back(open, r);
    }
    std::sort(FOrder.begin(), FOrder.end());
    ++FStamp;
    int rows = 0;
    int cost = 0;
    for (const auto& [open, r] : FOrder) {
        bool shared = false;
        int cheapest = INT_MAX;
        for (const int c : C.RowCols[static_cast<size_t>(r)]) {
            if (FColLive[static_cast<size_t>(c)] && !FOut[static_cast<size_t>(c)]) {
                shared = shared || FMark[static_cast<size_t>(c)] == FStamp;
                cheapest = std::min(cheapest, C.Cost[static_cast<size_t>(c)]);
            }
        }
        if (shared || cheapest == INT_MAX) {
            continue;
        }
        for (const int c : C.RowCols[static_cast<size_t>(r)]) {
            FMark[static_cast<size_t>(c)] = FStamp;
        }
        ++rows;
        cost += cheapest;
    }
    return {rows, cost};
}

int TCoreSearch::IndependentBound() {
    return Bound().first;
}

void TCoreSearch::Take(int c, int step) {
    for (const int r : C.ColRows[static_cast<size_t>(c)]) {
        FCovered[static_cast<size_t>(r)] += step;
    }
}

void TCoreSearch::Leaf(int size, int cost) {
    if (std::pair{size, cost} < FBest) {
        FBest = {size, cost};
        FBestChosen = FChosen;
    }
}

void TCoreSearch::Search(int size, int cost) {
    if (FStopped || ++FBranches > FMaxBranches) {
        FStopped = true;
        return;
    }
    int open = 0;
    const int row = BranchRow(open);
    if (row < 0) {
        Leaf(size, cost);
        return;
    }
    if (open == 0) {
        return;
    }
    const auto [rows, least] = Bound();
    const std::pair<int, int> floor{size + rows, cost + least};
    if (floor >= FBest) {
        return;
    }
    std::vector<int> columns;
    for (const int c : C.RowCols[static_cast<size_t>(row)]) {
        if (FColLive[static_cast<size_t>(c)] && !FOut[static_cast<size_t>(c)]) {
            columns.push_back(c);
        }
    }
    // Wide, cheap columns first: a good cover early prunes the rest.
    std::stable_sort(columns.begin(), columns.end(), [&](int a, int b) {
        const int wa = Live(FRowLive, C.ColRows[static_cast<size_t>(a)]);
        const int wb = Live(FRowLive, C.ColRows[static_cast<size_t>(b)]);
        return wa != wb ? wa > wb : C.Cost[static_cast<size_t>(a)] < C.Cost[static_cast<size_t>(b)];
    });
    for (const int c : columns) {
        Take(c, 1);
        FChosen.push_back(c);
        Search(size + 1, cost + C.Cost[static_cast<size_t>(c)]);
        FChosen.pop_back();
        Take(c, -1);
        FOut[static_cast<size_t>(c)] = 1;
    }
    for (const int c : columns) {
        FOut[static_cast<size_t>(c)] = 0;
    }
}

namespace {

constexpr int64_t ShortCoverMs = 100;

}  // namespace

std::vector<int> PartCover(const TChart& chart, const TChartPart& part, int64_t budgetMs,
                           bool& proven, int& lowerBound, const std::atomic<bool>* cancel) {
    std::vector<int> rowOf(chart.RowMinterm.size(), -1);
    TCoverBlock block;
    for (int r = 0; r < chart.Rows(); ++r) {
        if (part.RowLive[static_cast<size_t>(r)]) {
            rowOf[static_cast<size_t>(r)] = block.Rows++;
        }
    }
    std::vector<int> colOf;
    block.ColStart.push_back(0);
    for (int c = 0; c < chart.Cols(); ++c) {
        if (!part.ColLive[static_cast<size_t>(c)]) {
            continue;
        }
        for (const int r : chart.ColRows[static_cast<size_t>(c)]) {
            if (rowOf[static_cast<size_t>(r)] >= 0) {
                block.ColRows.push_back(rowOf[static_cast<size_t>(r)]);
            }
        }
        block.ColStart.push_back(static_cast<int>(block.ColRows.size()));
        block.Cost.push_back(chart.Cost[static_cast<size_t>(c)]);
        colOf.push_back(c);
    }
    block.Cols = static_cast<int>(colOf.size());
    block.Transpose();
    TCoverOptions options;
    if (cancel != nullptr) {
        options.KeepGoing = [cancel] { return !cancel->load(std::memory_order_relaxed); };
    }
    // The search gives set shares of its budget to phases that cannot prove a minimum where
    // many covers tie, as on a symmetric function: a short run proves most charts at once.
    TMatrixCover cover;
    for (const int64_t ms : {std::min(budgetMs, ShortCoverMs), budgetMs}) {
        options.BudgetMs = ms;
        TCoverClock clock(options);
        cover = SolveCoverMatrix(block, clock, nullptr);
        if (cover.Proven || ms == budgetMs ||
            (cancel != nullptr && cancel->load(std::memory_order_relaxed))) {
            break;
        }
    }
    proven = cover.Proven;
    lowerBound = cover.LowerBound;
    std::vector<int> columns;
    for (const int c : cover.Chosen) {
        columns.push_back(colOf[static_cast<size_t>(c)]);
    }
    return columns;
}

bool PetrickProducts(const TChart& chart, const TChartPart& part,
                     std::vector<std::vector<int>>& products) {
    std::vector<int> columns;
    for (int c = 0; c < chart.Cols(); ++c) {
        if (part.ColLive[static_cast<size_t>(c)]) {
            columns.push_back(c);
        }
    }
    if (columns.size() > PetrickMaxColumns) {
        return false;
    }
    std::vector<int> bitOf(chart.ColPrime.size(), -1);
    for (size_t i = 0; i < columns.size(); ++i) {
        bitOf[static_cast<size_t>(columns[i])] = static_cast<int>(i);
    }
    std::vector<uint64_t> sums{0};
    for (int r = 0; r < chart.Rows(); ++r) {
        if (!part.RowLive[static_cast<size_t>(r)]) {
            continue;
        }
        uint64_t sum = 0;
        for (const int c : chart.RowCols[static_cast<size_t>(r)]) {
            if (part.ColLive[static_cast<size_t>(c)]) {
                sum |= uint64_t{1} << bitOf[static_cast<size_t>(c)];
            }
        }
        std::vector<uint64_t> next;
        for (const uint64_t p : sums) {
            if ((p & sum) != 0) {
                next.push_back(p);  // p already holds a column of this row: p(x + y) = p
                continue;
            }
            for (uint64_t rest = sum; rest != 0; rest &= rest - 1) {
                next.push_back(p | (rest & -rest));
            }
        }
        // Absorption: a product holding another adds nothing.
        std::sort(next.begin(), next.end(), [](uint64_t a, uint64_t b) {
            return std::popcount(a) != std::popcount(b) ? std::popcount(a) < std::popcount(b)
                                                        : a < b;
        });
        next.erase(std::unique(next.begin(), next.end()), next.end());
        sums.clear();
        for (const uint64_t p : next) {
            if (std::none_of(sums.begin(), sums.end(), [&](uint64_t q) { return (q & p) == q; })) {
                sums.push_back(p);
            }
        }
        if (sums.size() > PetrickMaxProducts) {
            return false;
        }
    }
    products.clear();
    for (const uint64_t p : sums) {
        std::vector<int> set;
        for (uint64_t rest = p; rest != 0; rest &= rest - 1) {
            set.push_back(columns[static_cast<size_t>(std::countr_zero(rest))]);
        }
        products.push_back(std::move(set));
    }
    return true;
}
