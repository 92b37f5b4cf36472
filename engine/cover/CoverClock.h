// The clock a cover search runs by: its budget, its slices and the caller's KeepGoing.
#pragma once

#include <chrono>
#include <cstdint>

#include "engine/cover/CoverOptions.h"
#include "engine/cover/CoverTuning.h"

// Watches the budget and the caller's KeepGoing; Tick() is cheap enough for inner loops.
class TCoverClock {
  public:
    explicit TCoverClock(const TCoverOptions& options);

    // Work counts the elementary steps done since the last call, so the clock is read often
    // enough whatever a step costs.
    bool Tick(int64_t work = 1) {
        FWork += work;
        if (FWork < CoverTuning.TickWork) {
            return FStopped || FSliceOver;
        }
        FWork = 0;
        return Check();
    }
    // Reads the clock now, asking KeepGoing if it has not been asked for a while. True also when
    // the current slice has run out.
    bool Check();
    bool Stopped() const { return FStopped; }
    int64_t ElapsedMs() const;
    int64_t BudgetMs() const { return FOptions.BudgetMs; }
    int64_t RemainingMs() const;
    // Ends the work of the caller's current part after ms more, leaving the rest of the budget
    // to the parts after it.
    void BeginSlice(int64_t ms);
    int64_t SliceLeftMs() const;

  private:
    using TClock = std::chrono::steady_clock;
    const TCoverOptions& FOptions;
    TClock::time_point FStart;
    TClock::time_point FDeadline;
    TClock::time_point FSliceEnd;
    TClock::time_point FLastAsked;
    int64_t FWork = 0;
    bool FSliceOver = false;
    bool FStopped = false;
};
