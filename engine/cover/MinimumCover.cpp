// Minimum cover of a function: its covering matrix, solved, and the columns read back as primes.
#include "engine/cover/MinimumCover.h"

#include <bit>

#include "engine/PrimeSearch.h"
#include "engine/cover/CoverReduce.h"
#include "engine/cover/CoverSteps.h"

namespace {

// The covering matrix of the function: rows are the ON minterms outside the don't cares,
// columns the primes that reach no OFF minterm and some ON one, at their literal counts.
TCoverBlock CoverMatrix(int n, const TMintermBits& on, const TMintermBits& dc,
                        const std::vector<TCube>& primes, TIntVector<int>& primeOf,
                        TCoverClock& clock) {
    const uint32_t size = uint32_t{1} << n;
    std::vector<int> rowOf(size, -1);
    TCoverBlock m;
    for (uint32_t minterm = 0; minterm < size; ++minterm) {
        if (TestMinterm(on, minterm) && !TestMinterm(dc, minterm)) {
            rowOf[minterm] = m.Rows++;
        }
    }
    size_t entries = 0;
    for (const TCube cube : primes) {
        entries += size_t{1} << (n - std::popcount(cube.Care & (size - 1)));
    }
    m.ColRows.reserve(entries);
    m.ColStart.reserve(primes.size() + 1);
    m.ColStart.push_back(0);
    for (size_t p = 0; p < primes.size(); ++p) {
        // The matrix is needed whatever the clock says; ticking lets the caller stay live.
        clock.Tick(int64_t{1} << (n - std::popcount(primes[p].Care & (size - 1))));
        const size_t start = m.ColRows.size();
        bool offSet = false;
        ForEachCubeMinterm(primes[p], size - 1, [&](uint32_t minterm) {
            if (!(TestMinterm(on, minterm) || TestMinterm(dc, minterm))) {
                offSet = true;
            } else if (rowOf[minterm] >= 0) {
                m.ColRows.push_back(rowOf[minterm]);
            }
        });
        if (offSet || m.ColRows.size() == start) {
            m.ColRows.resize(start);
            continue;
        }
        m.ColStart.push_back(static_cast<int>(m.ColRows.size()));
        m.Cost.push_back(std::popcount(primes[p].Care & (size - 1)));
        primeOf.push_back(static_cast<int>(p));
    }
    m.Cols = static_cast<int>(primeOf.size());
    m.Transpose(&clock);
    return m;
}

}  // namespace

TMinimumCover FindMinimumCover(int n, const TMintermBits& on, const TMintermBits& dc,
                               const std::vector<TCube>& primes, const TCoverOptions& options) {
    TCoverClock clock(options);
    TIntVector<int> primeOf;
    const TMatrixCover cover =
        SolveCoverMatrix(CoverMatrix(n, on, dc, primes, primeOf, clock), clock, options.Progress);
    TMinimumCover out;
    for (const int c : cover.Chosen) {
        // Columns keep the primes' order, so the primes come out ascending too.
        const int p = primeOf[c];
        out.Chosen.push_back(p);
        out.Literals += std::popcount(primes[static_cast<size_t>(p)].Care & ((1u << n) - 1));
    }
    out.LowerBound = cover.LowerBound;
    out.Proven = cover.Proven;
    out.Stopped = cover.Stopped;
    // The matrix search weighs literals only on ties; up to 8 variables the chart's short search
    // finds the fewest at that many terms.
    if (n <= MaxCountedVars && out.Proven && !out.Stopped) {
        const TMinimumCover least = ReduceChart(n, on, dc, primes, nullptr, CoverLiteralNodes);
        if (!least.Stopped && least.Chosen.size() == out.Chosen.size() &&
            least.Literals < out.Literals) {
            out.Chosen = least.Chosen;
            out.Literals = least.Literals;
        }
    }
    return out;
}
