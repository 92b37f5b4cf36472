// Shared cover: a covering matrix over (minterm, output) pairs solved by the single-output search.
#include "engine/shared/SharedCover.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

#include "engine/cover/CoverReduce.h"
#include "engine/cover/CoverSearch.h"
#include "engine/cover/MinimumCover.h"
#include "engine/shared/SharedPrimes.h"
#include "engine/shared/SharedRows.h"
#include "model/DesignUnit.h"

TSharedRows::TSharedRows(const TFunctionSet& set) : FWords(OutputWords(set.Outputs.size())) {
    const size_t minterms = size_t{1} << set.Inputs;
    FOn = OutputsByMinterm(set, false);
    FCare = OutputsByMinterm(set, true);
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

// For each of the six lowest variables, the positions in a word whose bit of that variable is 0.
constexpr uint64_t LowHalves[6] = {0x5555555555555555, 0x3333333333333333, 0x0F0F0F0F0F0F0F0F,
                                   0x00FF00FF00FF00FF, 0x0000FFFF0000FFFF, 0x00000000FFFFFFFF};

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
    std::vector<uint64_t> reached(primes.Words);
    for (size_t p = 0; p < primes.size(); ++p) {
        const TCube cube = primes.Cubes[p];
        // Stopped now, terms grown from minterms answer sooner than the matrix would.
        if (clock.Tick(int64_t{1} << (n - std::popcount(cube.Care))) && clock.Stopped()) {
            return false;
        }
        std::fill(reached.begin(), reached.end(), 0);
        ForEachCubeMinterm(cube, VarMask(n), [&](uint32_t x) {
            rows.ForEachRow(x, primes.OutputsOf(p), [&](int row, size_t output) {
                matrix.ColRows.push_back(row);
                reached[output / 64] |= uint64_t{1} << (output % 64);
            });
        });
        if (matrix.ColRows.size() > maxEntries) {
            return false;
        }
        matrix.ColStart.push_back(static_cast<int>(matrix.ColRows.size()));
        matrix.Cost.push_back(InputLiterals(cube, n) + static_cast<int>(BitCount(reached)));
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
    for (const size_t p : chosen.Chosen) {
        cover.Terms.push_back(primes.Cubes[p]);
        cover.Feeds.insert(cover.Feeds.end(), primes.OutputsOf(p),
                           primes.OutputsOf(p) + primes.Words);
    }
    cover.LowerBound = chosen.LowerBound;
    cover.Stopped = chosen.Stopped;
    return cover;
}

void CountLiterals(int n, TSharedCover& cover) {
    cover.Literals = static_cast<int>(BitCount(cover.Feeds));
    for (const TCube cube : cover.Terms) {
        cover.Literals += InputLiterals(cube, n);
    }
}

// Minterms ON in an output whose every neighbour is OFF there take a term each: any larger
// cube through one reaches an OFF neighbour. The most of them in one output is a lower bound.
// Neighbours are found a word at a time: across the six lowest variables by shifts inside a
// word, across the others by the word whose number differs in that bit.
int IsolatedBound(const TFunctionSet& set) {
    int best = 0;
    TMintermBits care, near;
    for (const TOutputFunction& output : set.Outputs) {
        care = output.On;
        near.assign(care.size(), 0);
        for (size_t w = 0; w < care.size(); ++w) {
            care[w] |= output.Dc[w];
        }
        for (int v = 0; v < set.Inputs; ++v) {
            for (size_t w = 0; w < care.size(); ++w) {
                if (v >= 6) {
                    near[w] |= care[w ^ (size_t{1} << (v - 6))];
                    continue;
                }
                const uint64_t low = LowHalves[v];  // positions whose bit v is 0
                const int shift = 1 << v;
                near[w] |= ((care[w] & low) << shift) | ((care[w] >> shift) & low);
            }
        }
        int isolated = 0;
        bool any = false;
        for (size_t w = 0; w < care.size(); ++w) {
            isolated += std::popcount(output.On[w] & ~near[w]);
            any = any || output.On[w] != 0;
        }
        best = std::max(best, std::max(isolated, any ? 1 : 0));
    }
    return best;
}

// The cover the set gives itself (a PLA's rows of 1), or else each output's ON set as disjoint
// cubes, a cube shared by outputs taken once; made irredundant as far as the clock allows.
TSharedCover GivenCover(const TFunctionSet& set, const TSharedRows& rows, TCoverClock& clock) {
    TSharedCover cover;
    cover.Words = rows.Words();
    cover.Terms = set.Rows;
    cover.Feeds = set.RowFeeds;
    if (set.Rows.empty()) {
        std::unordered_map<uint64_t, size_t> index;
        for (size_t i = 0; i < set.Outputs.size(); ++i) {
            for (const TCube& cube : CubesOfSet(set.Outputs[i].On, set.Inputs)) {
                const auto [at, added] =
                    index.emplace((uint64_t{cube.Care} << 32) | cube.Hi, cover.Terms.size());
                if (added) {
                    cover.Terms.push_back(cube);
                    cover.Feeds.resize(cover.Feeds.size() + rows.Words(), 0);
                }
                cover.Feeds[at->second * rows.Words() + i / 64] |= uint64_t{1} << (i % 64);
            }
        }
    }
    DropRedundantTerms(set.Inputs, rows, cover, clock);
    return cover;
}

TSharedCover SingleOutputCover(const TFunctionSet& set, const TCoverOptions& options) {
    const std::vector<TCube> primes =
        CoveringPrimes(set.Inputs, set.Outputs[0].On, set.Outputs[0].Dc).Primes;
    const TMinimumCover own =
        FindMinimumCover(set.Inputs, set.Outputs[0].On, set.Outputs[0].Dc, primes, options);
    TSharedCover cover;
    for (const size_t p : own.Chosen) {
        cover.Terms.push_back(primes[p]);
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
    bool found = false;
    TSharedPrimes primes = FindSharedPrimes(set, &clock, limits.MaxPrimes);
    TCoverBlock matrix;
    if (clock.Stopped()) {
        cover.LowerBound = IsolatedBound(set);
    } else if (!primes.Complete ||
               !SharedMatrix(set.Inputs, primes, rows, limits.MaxEntries, clock, matrix) ||
               clock.Stopped()) {
        primes = TSharedPrimes{};
        matrix = TCoverBlock{};
        found = ExpandCover(set, rows, clock, cover);
        cover.LowerBound = IsolatedBound(set);
    } else {
        cover = SolveShared(primes, matrix, options, clock);
        found = true;
        // On dense sets of many outputs a term a minterm can beat what the search found.
        TSharedCover grown;
        if (cover.Terms.size() > rows.OnMinterms() && ExpandCover(set, rows, clock, grown) &&
            grown.Terms.size() < cover.Terms.size()) {
            grown.LowerBound = cover.LowerBound;
            cover = std::move(grown);
        }
    }
    cover.Stopped = cover.Stopped || clock.Stopped();
    // The passes after the search get what it left of the budget and a quarter more, so a
    // stopped search still answers within the budget and a half.
    TCoverOptions finish = options;
    finish.BudgetMs = clock.RemainingMs() + options.BudgetMs / 4;
    TCoverClock finishClock(finish);
    if (!found || cover.Stopped) {
        TSharedCover given = GivenCover(set, rows, finishClock);
        if (!found || given.Terms.size() < cover.Terms.size()) {
            given.LowerBound = cover.LowerBound;
            given.Stopped = true;
            cover = std::move(given);
        }
    }
    TrimConnections(set.Inputs, rows, cover, finishClock);
    CountLiterals(set.Inputs, cover);
    cover.Proven = static_cast<int>(cover.Terms.size()) == cover.LowerBound;
    return cover;
}
