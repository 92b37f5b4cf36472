// The numbers that steer the cover search, in one place, each with the reason for its value.
#pragma once

#include <cstddef>
#include <cstdint>

struct TCoverTuning {
    // The clock is read after this much work (about one matrix entry a step), and KeepGoing is
    // asked at most this often: cheap in inner loops, yet live enough for a window.
    int64_t TickWork = 65536;
    int64_t AskEveryMs = 20;

    // Reductions pay on sparse matrices but find little on dense ones: a share of the budget.
    double ReduceShare = 0.25;
    // Blocks with more entries get fewer root bound steps and a larger share of plain search:
    // there a bound step costs more.
    size_t LargeBlockEntries = 100000;
    // The local moves get this share of a block's time at most, so the bound gets its turn.
    double ImproveShare = 0.5;
    // Past this many entries a bound step costs seconds: with a gap of more than one column in
    // DenseGapPart, the local moves' cover is the answer.
    size_t DenseBlockEntries = 2000000;
    int DenseGapPart = 20;
    // The exact search's share of the time left; the weighting search finds shorter covers
    // faster than branching once the bound has had its cheap gains, on large blocks too, where
    // the exact search's own covers hardly improve on the local moves'.
    double ExactShare = 0.4;
    // The plain search for shorter covers gets this share of the exact search's time; raising the
    // bound one size at a time gets the rest.
    double PlainShareLarge = 0.5;
    double PlainShareSmall = 0.25;
    // Kept from the weighting search for local moves that lower the cost, which it ignores.
    double FinalImproveShare = 0.05;
    uint32_t WeightingSeed = 1;

    // Subgradient steps at the root, and steps without progress before the step halves: the slow
    // schedule gains a column or two on a small matrix.
    int RootSteps = 1000;
    int RootStale = 20;
    int RootStepsLarge = 300;
    int RootStaleLarge = 5;
    // The same below the root, where speed matters more than the last fraction.
    int NodeSteps = 50;
    int NodeStale = 5;
    // Bound, fixing and forced columns repeat at a node while they force columns, at most this
    // often.
    int NodeRounds = 4;
    // A cover is built from the multipliers every this many root steps, and nodes below it.
    int RootPrimalEvery = 10;
    int PrimalEveryNodes = 16;
    // Among columns of equal reduced cost, branching takes the cheaper first.
    double BranchCostWeight = 1e-3;

    // Local moves: the seed of their random order, and passes at most; after the first few, they
    // stop once a pass saves at most one column in ImproveStopPart.
    uint32_t ImproveSeed = 12345;
    int ImprovePasses = 50;
    int ImproveFirstPasses = 2;
    int ImproveStopPart = 1000;
};

inline constexpr TCoverTuning CoverTuning{};

// A share of a time, in whole milliseconds.
inline int64_t ShareOf(int64_t ms, double share) {
    return static_cast<int64_t>(static_cast<double>(ms) * share);
}
