// Shared cover: a covering matrix over (minterm, output) pairs solved by the single-output search.
#include "engine/shared/SharedCover.h"

#include <algorithm>
#include <bit>

#include "engine/cover/CoverReduce.h"
#include "engine/cover/CoverSearch.h"
#include "engine/cover/MinimumCover.h"
#include "engine/shared/SharedPrimes.h"
#include "engine/shared/SharedRows.h"

TSharedRows::TSharedRows(const TFunctionSet& set)
    : FWords(static_cast<size_t>(OutputWords(OutputCount(set)))) {
    const size_t minterms = size_t{1} << set.Inputs;
    FOn.assign(minterms * FWords, 0);
    FCare.assign(minterms * FWords, 0);
    for (int i = 0; i < OutputCount(set); ++i) {
        const TMintermBits& on = set.Outputs[static_cast<size_t>(i)].On;
        const TMintermBits& dc = set.Outputs[static_cast<size_t>(i)].Dc;
        const uint64_t bit = uint64_t{1} << (i & 63);
        for (uint32_t x = 0; x < minterms; ++x) {
            const size_t at = x * FWords + static_cast<size_t>(i >> 6);
            FOn[at] |= TestMinterm(on, x) ? bit : 0;
            FCare[at] |= TestMinterm(on, x) || TestMinterm(dc, x) ? bit : 0;
        }
    }
    FFirst.resize(minterms + 1, 0);
    for (size_t x = 0; x < minterms; ++x) {
        int count = 0;
        for (size_t w = 0; w < FWords; ++w) {
            count += std::popcount(FOn[x * FWords + w]);
        }
        FFirst[x + 1] = FFirst[x] + count;
        FOnMinterms += count > 0 ? 1 : 0;
    }
}

namespace {

// Column p holds the rows of prime p's cube over the outputs it may feed; its cost is its
// letters plus the outputs it reaches an ON minterm of. False, with the matrix left half built,
// when it would hold more than maxEntries entries or the clock stopped.
bool SharedMatrix(int n, const TSharedPrimes& primes, const TSharedRows& rows, size_t maxEntries,
                  TCoverClock& clock, TCoverBlock& matrix) {
    matrix.Rows = rows.Count();
    matrix.Cols = static_cast<int>(primes.size());
    matrix.ColStart.reserve(primes.size() + 1);
    matrix.ColStart.push_back(0);
    matrix.Cost.reserve(primes.size());
    std::vector<uint64_t> reached(static_cast<size_t>(primes.Words));
    for (size_t p = 0; p < primes.size(); ++p) {
        const TCube cube = primes.Cubes[p];
        // Stopped now, terms grown from minterms answer sooner than the matrix would.
        if (clock.Tick(int64_t{1} << std::popcount(cube.Free & VarMask(n))) && clock.Stopped()) {
            return false;
        }
        std::fill(reached.begin(), reached.end(), 0);
        ForEachCubeMinterm(cube, [&](uint32_t x) {
            rows.ForEachRow(x, primes.OutputsOf(p), [&](int row, int output) {
                matrix.ColRows.push_back(row);
                reached[static_cast<size_t>(output >> 6)] |= uint64_t{1} << (output & 63);
            });
        });
        if (matrix.ColRows.size() > maxEntries) {
            return false;
        }
        matrix.ColStart.push_back(static_cast<int>(matrix.ColRows.size()));
        int outputs = 0;
        for (const uint64_t w : reached) {
            outputs += std::popcount(w);
        }
        matrix.Cost.push_back(InputLiterals(cube, n) + outputs);
    }
    matrix.Transpose(&clock);
    return true;
}

// The primes chosen by the covering search over the matrix, with all the outputs they may feed.
TSharedCover SolveShared(const TSharedPrimes& primes, const TCoverBlock& matrix,
                         const TCoverOptions& options, TCoverClock& clock) {
    const TMatrixCover chosen = SolveCoverMatrix(matrix, clock, options.Progress);
    TSharedCover cover;
    cover.Words = primes.Words;
    for (const int p : chosen.Chosen) {
        cover.Terms.push_back(primes.Cubes[static_cast<size_t>(p)]);
        cover.Feeds.insert(cover.Feeds.end(), primes.OutputsOf(static_cast<size_t>(p)),
                           primes.OutputsOf(static_cast<size_t>(p)) + primes.Words);
    }
    cover.LowerBound = chosen.LowerBound;
    cover.Stopped = chosen.Stopped;
    return cover;
}

void CountLiterals(int n, TSharedCover& cover) {
    cover.Literals = 0;
    for (const TCube cube : cover.Terms) {
        cover.Literals += InputLiterals(cube, n);
    }
    for (const uint64_t w : cover.Feeds) {
        cover.Literals += std::popcount(w);
    }
}

// Stopped before the primes were all known: every ON minterm is a term of its own.
TSharedCover MintermCover(const TFunctionSet& set, const TSharedRows& rows) {
    TSharedCover cover;
    cover.Words = OutputWords(OutputCount(set));
    const uint32_t minterms = uint32_t{1} << set.Inputs;
    for (uint32_t x = 0; x < minterms; ++x) {
        const uint64_t* on = rows.OnAt(x);
        if (std::any_of(on, on + cover.Words, [](uint64_t w) { return w != 0; })) {
            cover.Terms.push_back(TCube{0, x});
            cover.Feeds.insert(cover.Feeds.end(), on, on + cover.Words);
        }
    }
    cover.Stopped = true;
    return cover;
}

// Minterms ON in an output whose every neighbour is OFF there take a term each: any larger
// cube through one reaches an OFF neighbour. The most of them in one output is a lower bound.
int IsolatedBound(const TFunctionSet& set) {
    int best = 0;
    for (int i = 0; i < OutputCount(set); ++i) {
        int isolated = 0;
        bool any = false;
        for (uint32_t x = 0; x < (uint32_t{1} << set.Inputs); ++x) {
            if (!TestMinterm(set.Outputs[static_cast<size_t>(i)].On, x)) {
                continue;
            }
            any = true;
            bool alone = true;
            for (int v = 0; v < set.Inputs && alone; ++v) {
                const uint32_t y = x ^ (1u << v);
                alone = !TestMinterm(set.Outputs[static_cast<size_t>(i)].On, y) &&
                        !TestMinterm(set.Outputs[static_cast<size_t>(i)].Dc, y);
            }
            isolated += alone ? 1 : 0;
        }
        best = std::max(best, std::max(isolated, any ? 1 : 0));
    }
    return best;
}

TSharedCover SingleOutputCover(const TFunctionSet& set, const TCoverOptions& options) {
    const std::vector<TCube> primes =
        CoveringPrimes(set.Inputs, set.Outputs[0].On, set.Outputs[0].Dc);
    const TMinimumCover own =
        FindMinimumCover(set.Inputs, set.Outputs[0].On, set.Outputs[0].Dc, primes, options);
    TSharedCover cover;
    for (const int p : own.Chosen) {
        cover.Terms.push_back(primes[static_cast<size_t>(p)]);
        cover.Feeds.push_back(1);
    }
    cover.LowerBound = own.LowerBound;
    cover.Stopped = own.Stopped;
    return cover;
}

}  // namespace

TSharedCover FindSharedCover(const TFunctionSet& set, const TCoverOptions& options,
                             const TSharedLimits& limits) {
    if (OutputCount(set) == 1 && set.Inputs >= 3) {
        TSharedCover cover = SingleOutputCover(set, options);
        CountLiterals(set.Inputs, cover);
        cover.Proven = static_cast<int>(cover.Terms.size()) == cover.LowerBound;
        return cover;
    }
    TCoverClock clock(options);
    const TSharedRows rows(set);
    TSharedCover cover;
    TSharedPrimes primes = FindSharedPrimes(set, &clock, limits.MaxPrimes);
    TCoverBlock matrix;
    if (clock.Stopped()) {
        cover = MintermCover(set, rows);
    } else if (!primes.Complete ||
               !SharedMatrix(set.Inputs, primes, rows, limits.MaxEntries, clock, matrix) ||
               clock.Stopped()) {
        primes = TSharedPrimes{};
        matrix = TCoverBlock{};
        cover = ExpandCover(set, rows, clock);
        cover.LowerBound = IsolatedBound(set);
        cover.Stopped = clock.Stopped();
    } else {
        cover = SolveShared(primes, matrix, options, clock);
        // On dense sets of many outputs a term a minterm can beat what the search found.
        if (cover.Terms.size() > rows.OnMinterms()) {
            TSharedCover grown = ExpandCover(set, rows, clock);
            grown.LowerBound = cover.LowerBound;
            grown.Stopped = cover.Stopped;
            cover = grown.Terms.size() < cover.Terms.size() ? std::move(grown) : std::move(cover);
        }
    }
    TrimConnections(set.Inputs, rows, cover);
    CountLiterals(set.Inputs, cover);
    cover.Proven = static_cast<int>(cover.Terms.size()) == cover.LowerBound;
    return cover;
}
