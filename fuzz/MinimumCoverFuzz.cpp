// Fuzzes the minimum cover: the bytes give a truth table with don't cares; the cover must cover
// every ON minterm and no OFF one, its bound must hold, and stopping must keep both true. With
// flag 16 the bytes give a bare covering matrix instead, checked against the reference search.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/cover/CoverReduce.h"
#include "engine/cover/MinimumCover.h"
#include "fuzz/FuzzSupport.h"

namespace {

struct TFunction {
    int n = 3;
    TMintermBits on, dc;
};

// Two bits a minterm, cycled over the bytes: 0 and 3 OFF, 1 ON, 2 don't care; flag bit 3 turns
// don't cares into OFF.
TFunction Read(const fuzz::TInput& input) {
    TFunction f{input.n, MakeMintermBits(input.n), MakeMintermBits(input.n)};
    const std::string& text = input.text;
    if (text.empty()) {
        return f;
    }
    for (uint32_t m = 0; m < (1u << f.n); ++m) {
        const size_t bit = 2 * static_cast<size_t>(m);
        const auto byte = static_cast<uint8_t>(text[(bit / 8) % text.size()]);
        const unsigned value = (byte >> (bit % 8)) & 3u;
        if (value == 1) {
            SetMinterm(f.on, m);
        } else if (value == 2 && (input.flags & 8) == 0) {
            SetMinterm(f.dc, m);
        }
    }
    return f;
}

[[clang::no_sanitize("coverage")]] void CheckCover(const TFunction& f,
                                                   const std::vector<TCube>& primes,
                                                   const TMinimumCover& cover) {
    const std::string fault = CoverFault(f.n, f.on, f.dc, primes, cover);
    fuzz::Require(fault.empty(), "a valid cover", fault);
}

// n + 5 columns over 2n + 10 rows, four bytes of row bits and a cost each: empty columns, rows
// no column covers and costs far apart all come up.
TCoverBlock ReadMatrix(const fuzz::TInput& input, std::vector<uint32_t>& rowsOf) {
    TCoverBlock m;
    m.Rows = 2 * input.n + 10;
    m.Cols = input.n + 5;
    const std::string& text = input.text;
    const auto byte = [&](size_t i) {
        return text.empty() ? 0u : static_cast<uint8_t>(text[i % text.size()]);
    };
    m.ColStart.push_back(0);
    for (int c = 0; c < m.Cols; ++c) {
        const size_t at = 5 * static_cast<size_t>(c);
        rowsOf.push_back((byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24) &
                         ((1u << m.Rows) - 1));
        for (int r = 0; r < m.Rows; ++r) {
            if ((rowsOf.back() >> r & 1u) != 0) {
                m.ColRows.push_back(r);
            }
        }
        m.ColStart.push_back(m.ColRows.Size());
        m.Cost.push_back(static_cast<int>(byte(at + 4) % 4 == 0 ? byte(at + 4) : byte(at + 4) % 4));
    }
    m.Transpose();
    return m;
}

[[clang::no_sanitize("coverage")]] void CheckMatrixCover(const std::vector<uint32_t>& rowsOf,
                                                         const TMatrixCover& cover) {
    fuzz::Require(
        std::is_sorted(cover.Chosen.begin(), cover.Chosen.end()) &&
            std::adjacent_find(cover.Chosen.begin(), cover.Chosen.end()) == cover.Chosen.end(),
        "chosen columns ascend");
    const std::vector<TRows> columns(rowsOf.begin(), rowsOf.end());
    TRows coverable;
    for (const TRows& rows : columns) {
        coverable |= rows;
    }
    fuzz::Require(CoversAll(columns, cover.Chosen), "every coverable row covered");
    const int minimum = SmallestCover(columns, coverable).first;
    const int size = static_cast<int>(cover.Chosen.size());
    fuzz::Require(cover.LowerBound <= minimum && minimum <= size, "bound below the minimum");
    fuzz::Require(cover.Proven == (cover.LowerBound == size), "proven means bound met");
}

// The matrix solved in full and stopped at once.
void FuzzMatrix(const fuzz::TInput& input) {
    std::vector<uint32_t> rowsOf;
    const TCoverBlock matrix = ReadMatrix(input, rowsOf);
    for (const int64_t budget : {int64_t{2000}, int64_t{0}}) {
        TCoverOptions options;
        options.BudgetMs = budget;
        TCoverClock clock(options);
        CheckMatrixCover(rowsOf, SolveCoverMatrix(matrix, clock, nullptr));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 3, 9);
    if ((input.flags & 16) != 0) {
        FuzzMatrix(input);
        return 0;
    }
    const TFunction f = Read(input);
    const std::vector<TCube> primes = CoveringPrimes(f.n, f.on, f.dc).Primes;
    TCoverOptions options;
    options.BudgetMs = 2000;
    const TMinimumCover full = FindMinimumCover(f.n, f.on, f.dc, primes, options);
    CheckCover(f, primes, full);

    // Stopped at once or after a few questions: still a cover, and a bound under the full one.
    int asked = 0;
    TCoverOptions early;
    early.BudgetMs = (input.flags & 1) != 0 ? 0 : 2000;
    early.KeepGoing = [&] { return ++asked < 2; };
    const TMinimumCover stopped = FindMinimumCover(f.n, f.on, f.dc, primes, early);
    CheckCover(f, primes, stopped);
    if (full.Proven) {
        fuzz::Require(stopped.LowerBound <= static_cast<int>(full.Chosen.size()),
                      "a stopped search's bound stays under the minimum");
        fuzz::Require(stopped.Chosen.size() >= full.Chosen.size(), "nothing beats the minimum");
    }
    if (stopped.Proven) {
        fuzz::Require(full.Chosen.size() <= stopped.Chosen.size(), "the full run is as short");
    }
    return 0;
}
