// Every minimum cover of a part of the chart, counted exactly: a branch and bound that splits
// what is left into parts no column joins and remembers each set of rows and columns it solved.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/cover/CoverChart.h"

struct TPartMinima {
    std::pair<int, int> Best{0, 0};      // fewest columns, then least cost
    int64_t Count = 0;                   // covers of exactly Best; INT64_MAX when past it
    std::vector<std::vector<int>> Kept;  // the first keep of them, chart columns ascending
    int64_t Nodes = 0;
    bool Stopped = false;  // ran past maxNodes: nothing above is known
};

// The minimum covers of the part's live rows by its live columns. limit is the value of a cover
// known to exist (no minimum is above it); the search looks at nothing worse. fewest: limit's
// columns are known to be the fewest any cover has, which lets the floors weigh literals alone.
// cancel, when given and set, stops it as maxNodes does.
TPartMinima PartMinima(const TChart& chart, const TChartPart& part, std::pair<int, int> limit,
                       bool fewest, size_t keep, int64_t maxNodes,
                       const std::atomic<bool>* cancel = nullptr);

// A cover of the part cheaper than limit (the value of a cover known to exist), by the same
// search counting nothing: Kept holds it, or nothing when no cover is cheaper (Best is then
// limit). Where many covers tie, this ends long before a count would.
TPartMinima PartMinimum(const TChart& chart, const TChartPart& part, std::pair<int, int> limit,
                        bool fewest, int64_t maxNodes);
