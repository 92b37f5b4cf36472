// The cover search's clock: the deadline, the slices and how often KeepGoing is asked.
#include "engine/cover/CoverClock.h"

#include <algorithm>

TCoverClock::TCoverClock(const TCoverOptions& options)
    : FOptions(options),
      FStart(TClock::now()),
      FDeadline(FStart + std::chrono::milliseconds(std::max<int64_t>(0, options.BudgetMs))),
      FSliceEnd(FDeadline),
      FLastAsked(FStart) {}

bool TCoverClock::Check() {
    if (FStopped) {
        return true;
    }
    const auto now = TClock::now();
    if (now >= FDeadline) {
        FStopped = true;
    } else if (FOptions.KeepGoing &&
               now - FLastAsked >= std::chrono::milliseconds(CoverTuning.AskEveryMs)) {
        FLastAsked = now;
        FStopped = !FOptions.KeepGoing();
    }
    FSliceOver = now >= FSliceEnd;
    return FStopped || FSliceOver;
}

int64_t TCoverClock::RemainingMs() const {
    const auto left = FDeadline - TClock::now();
    return std::max<int64_t>(0,
                             std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
}

int64_t TCoverClock::SliceLeftMs() const {
    const auto left = std::min(FSliceEnd, FDeadline) - TClock::now();
    return std::max<int64_t>(0,
                             std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
}

void TCoverClock::BeginSlice(int64_t ms) {
    FSliceEnd = TClock::now() + std::chrono::milliseconds(std::max<int64_t>(0, ms));
    FSliceOver = false;
}

int64_t TCoverClock::ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - FStart).count();
}
