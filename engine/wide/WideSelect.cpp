#include "engine/wide/WideSelect.h"

#include <algorithm>

#include "engine/cover/CoverSearch.h"

namespace {

// Each round's share of the clock: the points a round adds are few, so rounds are many.
constexpr int64_t RoundMs = 10;
constexpr int64_t RetryMs = 40;
constexpr int MaxRounds = 400;
constexpr size_t PointsPerRow = 8;

struct TPoint {
    std::vector<uint64_t> Bits;
    int Output = 0;
};

// Adds a point of every ON row the chosen cubes miss, per output; false when they miss none.
bool AddMissed(const TWideCubes& chosen, const TWideFunction& f, const std::vector<TWideCubes>& dc,
               std::vector<TPoint>& points, TCoverClock& clock) {
    const int in = InputWords(f.Inputs);
    bool missed = false;
    for (int j = 0; j < f.Outputs; ++j) {
        TWideCubes rest(f.Inputs, in);
        for (size_t i = 0; i < chosen.Size(); ++i) {
            if (HasOutput(chosen[i], in, j)) {
                rest.Add(chosen[i]);
            }
        }
        for (size_t d = 0; d < dc[static_cast<size_t>(j)].Size(); ++d) {
            rest.Add(dc[static_cast<size_t>(j)][d]);
        }
        for (size_t r = 0; r < f.On.Size(); ++r) {
            if (!HasOutput(f.On[r], in, j)) {
                continue;
            }
            // The whole complement of what is missed may be vast; a few pieces are enough.
            const TWideCubes left = Uncovered(
                Cofactor(rest, f.On[r]), PointsPerRow,
                [&clock](int64_t work) { return clock.Tick(work * 64) && clock.Stopped(); });
            if (clock.Stopped()) {
                return true;
            }
            if (left.Empty()) {
                continue;
            }
            missed = true;
            // A point of each piece missed, up to a few, so that fewer rounds are needed.
            for (size_t m = 0; m < left.Size(); ++m) {
                TPoint point{std::vector<uint64_t>(left[m], left[m] + in), j};
                for (int w = 0; w < in; ++w) {
                    point.Bits[static_cast<size_t>(w)] &= f.On[r][w];
                }
                // Free fields go to 0; a point that is no cube (it cannot be) is left out.
                for (int k = 0; k < f.Inputs; ++k) {
                    if (Field(point.Bits.data(), k) == 3) {
                        SetField(point.Bits.data(), k, 1);
                    }
                }
                if (InputsMeet(point.Bits.data(), point.Bits.data(), in)) {
                    points.push_back(std::move(point));
                }
            }
        }
    }
    return missed;
}

// The covering block over the points so far; each call tests the pool only against the points
// added since the last, as the rounds add a few points to many.
class TPoolBlock {
  public:
    TPoolBlock(const TWideCubes& pool, int in) : FPool(pool), FIn(in), FRows(pool.Size()) {
        for (size_t c = 0; c < pool.Size(); ++c) {
            int letters = 0;
            for (int w = 0; w < in; ++w) {
                letters += __builtin_popcountll(~(pool[c][w] & (pool[c][w] >> 1)) & FieldLo);
            }
            FCost.push_back(letters);
        }
    }

    TCoverBlock Build(const std::vector<TPoint>& points) {
        for (size_t c = 0; c < FPool.Size(); ++c) {
            for (size_t r = FDone; r < points.size(); ++r) {
                if (HasOutput(FPool[c], FIn, points[r].Output) &&
                    InputsContain(FPool[c], points[r].Bits.data(), FIn)) {
                    FRows[c].push_back(static_cast<int>(r));
                }
            }
        }
        FDone = points.size();
        TCoverBlock block;
        block.Rows = static_cast<int>(points.size());
        block.Cols = static_cast<int>(FPool.Size());
        block.ColStart.push_back(0);
        for (size_t c = 0; c < FPool.Size(); ++c) {
            for (const int r : FRows[c]) {
                block.ColRows.push_back(r);
            }
            block.ColStart.push_back(static_cast<int>(block.ColRows.size()));
            block.Cost.push_back(FCost[c]);
        }
        block.Transpose();
        return block;
    }

  private:
    const TWideCubes& FPool;
    int FIn;
    size_t FDone = 0;
    std::vector<std::vector<int>> FRows;  // the points each cube covers
    std::vector<int> FCost;
};

}  // namespace

bool TWidePool::Gather(const TWideCubes& cubes) {
    if (Cubes.Stride() == 0) {
        Cubes = TWideCubes(cubes.Inputs(), cubes.Stride());
    }
    bool grew = false;
    for (size_t i = 0; i < cubes.Size(); ++i) {
        if (FSeen.emplace(cubes[i], cubes[i] + cubes.Stride()).second) {
            Cubes.Add(cubes[i]);
            grew = true;
        }
    }
    return grew;
}

bool SelectFromPool(const TWideCubes& pool, const TWideFunction& function,
                    const std::vector<TWideCubes>& dc, size_t limit, TCoverClock& clock,
                    TWideCubes& chosen, TPoolProof* proof) {
    const int in = InputWords(function.Inputs);
    std::vector<TPoint> points;
    chosen = TWideCubes(pool.Inputs(), pool.Stride());
    AddMissed(chosen, function, dc, points, clock);
    TPoolBlock columns(pool, in);
    int64_t slice = RoundMs;
    for (int round = 0; round < MaxRounds; ++round) {
        clock.Check();
        if (clock.Stopped()) {
            return false;
        }
        const TCoverBlock block = columns.Build(points);
        for (int r = 0; r < block.Rows; ++r) {
            if (block.RowSize(r) == 0) {
                return false;
            }
        }
        clock.BeginSlice(proof != nullptr ? clock.RemainingMs() : slice);
        const TBlockCover solved = SolveBlock(block, clock);
        if (proof != nullptr) {
            proof->Bound = std::max(proof->Bound, static_cast<size_t>(solved.LowerBound));
            proof->Proven = solved.Proven;
        }
        if (solved.Chosen.size() >= limit) {
            // A short slice may just have missed a smaller cover the points allow: once more
            // with more time before giving up.
            if (proof != nullptr || slice > RoundMs ||
                solved.LowerBound >= static_cast<int>(limit)) {
                return false;
            }
            slice = RetryMs;
            continue;
        }
        slice = RoundMs;
        chosen = TWideCubes(pool.Inputs(), pool.Stride());
        for (const int c : solved.Chosen) {
            chosen.Add(pool[static_cast<size_t>(c)]);
        }
        if (!AddMissed(chosen, function, dc, points, clock)) {
            return !clock.Stopped();
        }
        if (proof != nullptr) {
            proof->Proven = false;
        }
    }
    return false;
}
