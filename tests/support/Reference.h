// The references the tests and fuzz targets compare the program with: tiny, obviously right,
// walking every minterm of the truth table. No test framework here, so fuzz targets use it too.
#pragma once

#include <algorithm>
#include <bit>
#include <bitset>
#include <climits>
#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/Simplify.h"
#include "engine/cover/MinimumCover.h"
#include "engine/shared/SharedCover.h"
#include "model/Cube.h"
#include "model/FunctionSet.h"
#include "model/SensitiveStr.h"
#include "model/Terms.h"

// A term of letters over n variables (A the most significant bit) as care and HI masks; "1", a
// free place of a positional term, names nothing. No masks when the term covers no minterm: a
// letter against another of its variable, or any other character (a letter past the n-th too).
inline std::optional<TCube> MasksOf(const std::string& term, int n) {
    TCube masks;
    for (const char c : term) {
        if (c == '1') {
            continue;
        }
        const bool upper = c >= 'A' && c <= 'Z';
        const int k = upper ? c - 'A' : c - 'a';
        const uint32_t bit = k >= 0 && k < n ? 1u << (n - 1 - k) : 0;
        if (bit == 0 || ((masks.Care & bit) != 0 && ((masks.Hi & bit) != 0) != upper)) {
            return std::nullopt;
        }
        masks.Care |= bit;
        masks.Hi |= upper ? bit : 0;
    }
    return masks;
}

inline bool Covers(const TCube& cube, uint32_t m) {
    return (m & cube.Care) == cube.Hi;
}

inline bool Covers(const std::string& term, uint32_t m, int n) {
    const std::optional<TCube> masks = MasksOf(term, n);
    return masks && Covers(*masks, m);
}

inline bool AnyCovers(const std::vector<TCube>& cubes, uint32_t m) {
    return std::any_of(cubes.begin(), cubes.end(), [m](const TCube& c) { return Covers(c, m); });
}

// The cube of a term that covers minterms.
inline TCube CubeOf(const std::string& term, int n) {
    return MasksOf(term, n).value();
}

// A sum of letter terms joined by "+": an empty piece adds nothing, and "1" has no place in
// one, so a stray one fails the comparison.
inline bool EvalSum(const std::string& sop, uint32_t m, int n) {
    size_t start = 0;
    while (start <= sop.size()) {
        const size_t end = std::min(sop.find('+', start), sop.size());
        const std::string term = sop.substr(start, end - start);
        if (!term.empty() && term.find('1') == std::string::npos && Covers(term, m, n)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// The minterms some term covers.
inline std::vector<bool> OnSet(const std::vector<std::string>& terms, int n) {
    std::vector<bool> on(size_t{1} << n);
    for (const std::string& t : terms) {
        const std::optional<TCube> masks = MasksOf(t, n);
        for (uint32_t m = 0; m < on.size() && masks; ++m) {
            on[m] = on[m] || Covers(*masks, m);
        }
    }
    return on;
}

inline std::vector<bool> MintermTable(const TMintermBits& bits, int n) {
    std::vector<bool> table(size_t{1} << n);
    for (uint32_t m = 0; m < table.size(); ++m) {
        table[m] = TestMinterm(bits, m);
    }
    return table;
}

// The letters of a cube's fixed variables in order, upper case for 1.
inline std::string CompactTerm(TCube cube, int n) {
    std::string term;
    for (int k = 0; k < n; ++k) {
        const uint32_t bit = 1u << (n - 1 - k);
        if ((cube.Care & bit) != 0) {
            term += static_cast<char>(((cube.Hi & bit) != 0 ? 'A' : 'a') + k);
        }
    }
    return term;
}

// Positional term x absorbs positional term y when every place of x is "1" or y's character.
inline bool Absorbs(const std::string& x, const std::string& y) {
    if (x.size() != y.size()) {
        return false;
    }
    for (size_t p = 0; p < x.size(); ++p) {
        if (x[p] != '1' && x[p] != y[p]) {
            return false;
        }
    }
    return true;
}

// Whether each cube lies inside the set, indexed Free << n | Hi: a minterm when the set holds
// it, a wider cube when both halves on its lowest free variable do.
inline std::vector<bool> CubesInside(int n, const std::vector<bool>& set) {
    const uint32_t size = 1u << n;
    std::vector<bool> inside(size_t{size} * size);
    for (uint32_t free = 0; free < size; ++free) {
        const uint32_t low = free & (~free + 1);
        const size_t half = size_t{free ^ low} << n;
        for (uint32_t hi = 0; hi < size; ++hi) {
            if ((hi & free) == 0) {
                inside[size_t{free} << n | hi] =
                    free == 0 ? set[hi] : inside[half | hi] && inside[half | hi | low];
            }
        }
    }
    return inside;
}

// The primes of on | dc that hold a minterm of on: cubes inside on | dc that no longer are with
// any one letter dropped. By Free, then by Hi.
inline std::vector<TCube> BrutePrimes(int n, const std::vector<bool>& on,
                                      const std::vector<bool>& dc = {}) {
    const uint32_t size = 1u << n;
    std::vector<bool> care = on;
    for (uint32_t m = 0; m < size && !dc.empty(); ++m) {
        care[m] = on[m] || dc[m];
    }
    const std::vector<bool> inside = CubesInside(n, care);
    std::vector<TCube> primes;
    for (uint32_t free = 0; free < size; ++free) {
        for (uint32_t hi = 0; hi < size; ++hi) {
            bool prime = (hi & free) == 0 && inside[size_t{free} << n | hi];
            for (uint32_t bit = 1; bit < size && prime; bit <<= 1) {
                prime = (free & bit) != 0 || !inside[size_t{free | bit} << n | (hi & ~bit)];
            }
            bool meets = false;
            for (uint32_t m = 0; m < size && prime && !meets; ++m) {
                meets = on[m] && Covers(TCube{(size - 1) & ~free, hi}, m);
            }
            if (meets) {
                primes.push_back({(size - 1) & ~free, hi});
            }
        }
    }
    return primes;
}

// Rows of a covering matrix: minterms of up to 8 variables, or (output, minterm) pairs.
using TRows = std::bitset<256>;

// The fewest columns covering every row of must, then the least cost among such covers (costs
// all 0 when none are given); {INT_MAX, INT_MAX} when no cover exists. One size after another,
// whether that many cover: the row left uncovered that has fewest columns needs one of them, so
// trying each in turn meets every cover of the size; a branch ends when even the widest columns
// would cover too few rows, or when it costs as much as the best cover of the size already.
class TSmallestCover {
  public:
    TSmallestCover(const std::vector<TRows>& columns, const TRows& must, std::vector<int> costs)
        : Columns(columns), Must(must), Costs(std::move(costs)), ColumnsOfRow(must.size()) {
        Costs.resize(columns.size(), 0);
        for (size_t c = 0; c < columns.size(); ++c) {
            Widest = std::max(Widest, (columns[c] & must).count());
            for (size_t r = 0; r < must.size(); ++r) {
                if (columns[c][r]) {
                    ColumnsOfRow[r].push_back(c);
                }
            }
        }
        for (size_t r = 0; r < must.size(); ++r) {
            if (must[r]) {
                Order.push_back(r);
            }
        }
        std::stable_sort(Order.begin(), Order.end(), [&](size_t x, size_t y) {
            return ColumnsOfRow[x].size() < ColumnsOfRow[y].size();
        });
        for (Size = 0; Size <= columns.size() && Best.first == INT_MAX; ++Size) {
            Within(TRows{}, Size, 0);
        }
    }

    std::pair<int, int> Best{INT_MAX, INT_MAX};

  private:
    void Within(const TRows& covered, size_t k, int cost) {
        const TRows left = Must & ~covered;
        if (left.none()) {
            Best = std::min(Best, {static_cast<int>(Size), cost});
            return;
        }
        if (k * Widest < left.count() || cost >= Best.second) {
            return;
        }
        const size_t row =
            *std::find_if(Order.begin(), Order.end(), [&](size_t r) { return left[r]; });
        for (const size_t c : ColumnsOfRow[row]) {
            Within(covered | Columns[c], k - 1, cost + Costs[c]);
        }
    }

    const std::vector<TRows>& Columns;
    const TRows& Must;
    std::vector<int> Costs;
    std::vector<std::vector<size_t>> ColumnsOfRow;
    std::vector<size_t> Order;  // the rows of must, fewest columns first
    size_t Widest = 0;          // the most rows of must one column covers
    size_t Size = 0;            // of the covers tried now
};

inline std::pair<int, int> SmallestCover(const std::vector<TRows>& columns, const TRows& must,
                                         std::vector<int> costs = {}) {
    return TSmallestCover(columns, must, std::move(costs)).Best;
}

// The fewest cubes covering the minterms of must, then the fewest letters among such covers.
inline std::pair<int, int> SmallestCover(int n, const std::vector<TCube>& cubes,
                                         const std::vector<bool>& must) {
    TRows rows;
    for (uint32_t m = 0; m < must.size(); ++m) {
        rows[m] = must[m];
    }
    std::vector<TRows> columns;
    std::vector<int> letters;
    for (const TCube cube : cubes) {
        columns.emplace_back();
        for (uint32_t m = 0; m < must.size(); ++m) {
            columns.back()[m] = Covers(cube, m);
        }
        letters.push_back(std::popcount(cube.Care & ((1u << n) - 1)));
    }
    return SmallestCover(columns, rows, letters);
}

// Whether the chosen columns, all in range, cover every row some column covers.
inline bool CoversAll(const std::vector<TRows>& columns, const std::vector<int>& chosen) {
    TRows all;
    TRows covered;
    for (const TRows& column : columns) {
        all |= column;
    }
    for (const int c : chosen) {
        if (c < 0 || c >= static_cast<int>(columns.size())) {
            return false;
        }
        covered |= columns[static_cast<size_t>(c)];
    }
    return covered == all;
}

// What breaks a cover's contract, or "" when nothing does: primes chosen by ascending index cover
// every ON minterm that is no don't care and no OFF minterm; the literals add up and the bound is
// true.
inline std::string CoverFault(int n, const TMintermBits& on, const TMintermBits& dc,
                              const std::vector<TCube>& primes, const TMinimumCover& cover) {
    const std::vector<int>& chosen = cover.Chosen;
    if (!std::is_sorted(chosen.begin(), chosen.end()) ||
        std::adjacent_find(chosen.begin(), chosen.end()) != chosen.end()) {
        return "chosen indices do not ascend";
    }
    TMintermBits covered = MakeMintermBits(n);
    int literals = 0;
    for (const int p : chosen) {
        if (p < 0 || p >= static_cast<int>(primes.size())) {
            return "chosen index " + std::to_string(p) + " out of range";
        }
        const TCube cube = primes[static_cast<size_t>(p)];
        literals += std::popcount(cube.Care);
        for (uint32_t m = 0; m < (1u << n); ++m) {
            if (!Covers(cube, m)) {
                continue;
            }
            if (!TestMinterm(on, m) && !TestMinterm(dc, m)) {
                return "OFF minterm " + std::to_string(m) + " covered";
            }
            SetMinterm(covered, m);
        }
    }
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (TestMinterm(on, m) && !TestMinterm(dc, m) && !TestMinterm(covered, m)) {
            return "ON minterm " + std::to_string(m) + " left uncovered";
        }
    }
    const int size = static_cast<int>(chosen.size());
    if (cover.Literals != literals) {
        return "literals do not add up";
    }
    if (cover.LowerBound > size) {
        return "bound above the cover";
    }
    return cover.Proven == (cover.LowerBound == size) ? "" : "proven unlike the bound";
}

// The same for a shared cover: distinct terms; each ON minterm of output i in a term feeding i, no
// term feeding i reaching an OFF minterm of i, no connection that could go; the literals (letters
// and connections) add up and the bound is true.
inline std::string SharedCoverFault(const TFunctionSet& set, const TSharedCover& cover) {
    const uint32_t minterms = 1u << set.Inputs;
    int literals = 0;
    std::vector<std::vector<int>> count(set.Outputs.size(), std::vector<int>(minterms, 0));
    std::set<std::pair<uint32_t, uint32_t>> distinct;
    for (size_t t = 0; t < cover.Terms.size(); ++t) {
        const TCube cube = cover.Terms[t];
        const uint32_t free = ~cube.Care & (minterms - 1);
        if (!distinct.insert({free, cube.Hi & ~free & (minterms - 1)}).second) {
            return "term " + std::to_string(t) + " repeats another";
        }
        literals += set.Inputs - std::popcount(free);
        for (int i = 0; i < OutputCount(set); ++i) {
            if (!cover.FeedsOutput(t, i)) {
                continue;
            }
            ++literals;
            const TOutputFunction& f = set.Outputs[static_cast<size_t>(i)];
            for (uint32_t x = 0; x < minterms; ++x) {
                if (!Covers(cube, x)) {
                    continue;
                }
                if (!TestMinterm(f.On, x) && !TestMinterm(f.Dc, x)) {
                    return "term " + std::to_string(t) + " feeds output " + std::to_string(i) +
                           " at OFF minterm " + std::to_string(x);
                }
                ++count[static_cast<size_t>(i)][x];
            }
        }
    }
    for (int i = 0; i < OutputCount(set); ++i) {
        const TOutputFunction& f = set.Outputs[static_cast<size_t>(i)];
        const std::vector<int>& counts = count[static_cast<size_t>(i)];
        for (uint32_t x = 0; x < minterms; ++x) {
            if (TestMinterm(f.On, x) && counts[x] == 0) {
                return "output " + std::to_string(i) + " minterm " + std::to_string(x) +
                       " left uncovered";
            }
        }
        for (size_t t = 0; t < cover.Terms.size(); ++t) {
            bool needed = !cover.FeedsOutput(t, i);
            for (uint32_t x = 0; x < minterms && !needed; ++x) {
                needed = Covers(cover.Terms[t], x) && TestMinterm(f.On, x) && counts[x] == 1;
            }
            if (!needed) {
                return "term " + std::to_string(t) + " feeds output " + std::to_string(i) +
                       " for nothing";
            }
        }
    }
    const int size = static_cast<int>(cover.Terms.size());
    if (cover.Literals != literals) {
        return "literals do not add up";
    }
    if (cover.LowerBound > size) {
        return "bound above the cover";
    }
    return cover.Proven == (cover.LowerBound == size) ? "" : "proven unlike the bound";
}

struct TRankedTerm {
    std::string Term;
    int Min = 0;
    int Max = 0;
    bool operator==(const TRankedTerm&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TRankedTerm& r) {
    return out << r.Term << "(" << r.Min << "," << r.Max << ")";
}

// How many of the terms cover each minterm.
inline std::vector<int> CoverageCounts(const std::vector<std::string>& terms, int n) {
    std::vector<int> counts(size_t{1} << n, 0);
    for (const std::string& t : terms) {
        const std::optional<TCube> masks = MasksOf(t, n);
        for (uint32_t m = 0; m < counts.size() && masks; ++m) {
            counts[m] += Covers(*masks, m) ? 1 : 0;
        }
    }
    return counts;
}

// Each term with the smallest and largest count, modulo 256 as the table keeps them, over its
// minterms that are ON (all of them when on is empty).
inline std::vector<TRankedTerm> RankedTerms(const std::vector<std::string>& terms, int n,
                                            const std::vector<bool>& on = {}) {
    const std::vector<int> counts = CoverageCounts(terms, n);
    std::vector<TRankedTerm> ranked;
    for (const std::string& t : terms) {
        const std::optional<TCube> masks = MasksOf(t, n);
        TRankedTerm r{t, 1000, -1};
        for (uint32_t m = 0; m < counts.size() && masks; ++m) {
            if (Covers(*masks, m) && (on.empty() || on[m])) {
                r.Min = std::min(r.Min, counts[m] % 256);
                r.Max = std::max(r.Max, counts[m] % 256);
            }
        }
        ranked.push_back(r);
    }
    return ranked;
}

inline std::vector<std::string> Items(const TStringListAdv& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(list.Strings(i));
    }
    return items;
}

// A ranked result list of the program: each term with the ranks kept beside it.
inline std::vector<TRankedTerm> RankedItems(const TStringListAdv& list) {
    std::vector<TRankedTerm> ranked;
    for (int i = 0; i < list.Count(); ++i) {
        ranked.push_back({list.Strings(i), RankMin(list.Objects(i)), RankMax(list.Objects(i))});
    }
    return ranked;
}
