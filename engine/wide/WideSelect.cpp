#include "engine/wide/WideSelect.h"

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

TCoverBlock Block(const TWideCubes& pool, const std::vector<TPoint>& points, int in) {
    TCoverBlock block;
    block.Rows = static_cast<int>(points.size());
    block.Cols = static_cast<int>(pool.Size());
    block.ColStart.push_back(0);
    for (size_t c = 0; c < pool.Size(); ++c) {
        for (size_t r = 0; r < points.size(); ++r) {
            if (HasOutput(pool[c], in, points[r].Output) &&
                InputsContain(pool[c], points[r].Bits.data(), in)) {
                block.ColRows.push_back(static_cast<int>(r));
            }
        }
        block.ColStart.push_back(static_cast<int>(block.ColRows.size()));
        int letters = 0;
        for (int w = 0; w < in; ++w) {
            letters += __builtin_popcountll(~(pool[c][w] & (pool[c][w] >> 1)) & FieldLo);
        }
        block.Cost.push_back(letters);
    }
    block.Transpose();
    return block;
}

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
                    TWideCubes& chosen) {
    const int in = InputWords(function.Inputs);
    std::vector<TPoint> points;
    chosen = TWideCubes(pool.Inputs(), pool.Stride());
    AddMissed(chosen, function, dc, points, clock);
    int64_t slice = RoundMs;
    for (int round = 0; round < MaxRounds; ++round) {
        clock.Check();
        if (clock.Stopped()) {
            return false;
        }
        const TCoverBlock block = Block(pool, points, in);
        for (int r = 0; r < block.Rows; ++r) {
            if (block.RowSize(r) == 0) {
                return false;
            }
        }
        clock.BeginSlice(slice);
        const TBlockCover solved = SolveBlock(block, clock);
        if (solved.Chosen.size() >= limit) {
            // A short slice may just have missed a smaller cover the points allow: once more
            // with more time before giving up.
            if (slice > RoundMs || solved.LowerBound >= static_cast<int>(limit)) {
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
    }
    return false;
}
