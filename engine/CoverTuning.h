// The numbers that steer the cover search, in one place, each with the reason for its value.
#pragma once

#include <cstddef>
#include <cstdint>

struct TCoverTuning {
    // The clock is read after this much work (a step being about a matrix entry touched), and
    // KeepGoing asked at most this often: cheap in inner loops, yet live for a window.
    int64_t TickWork = 65536;
    int64_t AskEveryMs = 20;

    // Reductions get this share of the whole budget: they pay for themselves on sparse matrices
    // but find little on dense ones.
    double ReduceShare = 0.25;
    // Blocks with more entries than this get the schedules that pay on large matrices: fewer root
    // bound steps, and the exact search's own covers rather than the weighting search.
    size_t LargeBlockEntries = 100000;
    // The local moves get this share of a block's time at most, so the bound gets its turn.
    double ImproveShare = 0.5;
    // On a block with more entries than this a bound step costs seconds; when the gap is also
    // over one column in DenseGapPart, the local moves' cover is the answer.
    size_t DenseBlockEntries = 2000000;
    int DenseGapPart = 20;
    // On a small block the exact search gets this share of what is left, the weighting search
    // the rest: where branching has not settled it by then, the weighting finds covers faster.
    double SmallExactShare = 0.4;
    // The share of the exact search's time that goes to the plain search for shorter covers
    // before the bound is raised one size at a time.
    double PlainShareLarge = 0.5;
    double PlainShareSmall = 0.25;
    // Kept back from the weighting search for a last pass of local moves: the weighting counts
    // columns only, the moves also lower the cost.
    double FinalImproveShare = 0.05;
    uint32_t WeightingSeed = 1;

    // Subgradient steps for the root's bound, and how many without progress halve the step. On a
    // small matrix the slow schedule gains one to two columns; on a large one the time goes to
    // the search's covers.
    int RootSteps = 1000;
    int RootStale = 20;
    int RootStepsLarge = 300;
    int RootStaleLarge = 5;
    // The same at every node below the root, where speed matters more than the last fraction.
    int NodeSteps = 50;
    int NodeStale = 5;
    // Bound, fixing and forced columns are repeated at a node while they force columns, up to
    // this many rounds.
    int NodeRounds = 4;
    // A cover is built from the multipliers every this many steps at the root, and every this
    // many nodes below it.
    int RootPrimalEvery = 10;
    int PrimalEveryNodes = 16;
    // Among columns of equal reduced cost, branching tries the cheaper first.
    double BranchCostWeight = 1e-3;

    // Local moves: the random order's seed, the passes at most, and the passes always made
    // before stopping once a pass saves at most one column in ImproveStopPart.
    uint32_t ImproveSeed = 12345;
    int ImprovePasses = 50;
    int ImproveFirstPasses = 2;
    int ImproveStopPart = 1000;
};

inline constexpr TCoverTuning CoverTuning{};

// share of ms, rounded down.
inline int64_t ShareOf(int64_t ms, double share) {
    return static_cast<int64_t>(static_cast<double>(ms) * share);
}
