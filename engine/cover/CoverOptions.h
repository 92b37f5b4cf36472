// How long a cover search may run, how it is stopped, and where it reports progress.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/Sinks.h"

struct TCoverOptions {
    int64_t BudgetMs = 10000;  // the search returns its best cover when this runs out
    // Called now and then (at least every 50 ms of search); false ends the search early, keeping
    // the best cover found. A window may process its events in here.
    std::function<bool()> KeepGoing;
    TProgressSink* Progress = nullptr;  // may be null
};
