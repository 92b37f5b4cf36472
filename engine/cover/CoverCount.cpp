// The minimum covers of a part of the chart, found and counted by one branch and bound.
#include "engine/cover/CoverCount.h"

#include <algorithm>
#include <climits>

#include "engine/cover/CoverCountSearch.h"

namespace minima {

namespace {

int64_t SumCapped(int64_t a, int64_t b) {
    return a > INT64_MAX - b ? INT64_MAX : a + b;
}

int64_t ProductCapped(int64_t a, int64_t b) {
    return b != 0 && a > INT64_MAX / b ? INT64_MAX : a * b;
}

}  // namespace

TEntry TMinimaSearch::Solve(TBits state, TValue limit, bool least) {
    Normalise(state);
    if (Empty(state)) {
        return TEntry{true, {0, 0}, 1};
    }
    // A column another holds at fewer literals is in no minimum: the state without it has the
    // same minima, and is the one remembered.
    state = WithoutDominated(state);
    const auto found = FMemo.find(state);
    if (found != FMemo.end() && (found->second.Exact || found->second.Value > limit)) {
        return found->second;
    }
    if (FStopped || ++FNodes > FMaxNodes ||
        (FCancel != nullptr && FCancel->load(std::memory_order_relaxed))) {
        FStopped = true;
        return TEntry{false, NoCover, 0};
    }
    TEntry entry = Compute(state, limit, least);
    if (!entry.Exact) {
        entry.Value = std::max(entry.Value, TValue{limit.first, limit.second + 1});
    }
    if (!FStopped) {
        FMemo[state] = entry;
    }
    return entry;
}

std::vector<std::vector<int>> TMinimaSearch::Covers(TBits state, TValue target, size_t keep) {
    Normalise(state);
    if (Empty(state) || FStopped) {
        return {{}};
    }
    // As Solve did: the state without its dominated columns, whose children it remembers.
    state = WithoutDominated(state);
    std::vector<std::vector<int>> out;
    const std::vector<TBits> parts = Parts(state);
    if (parts.size() > 1) {
        out = {{}};
        for (const TBits& part : parts) {
            const TEntry e = Solve(part, target, false);
            const std::vector<std::vector<int>> tails = Covers(part, e.Value, keep);
            std::vector<std::vector<int>> joined;
            for (const std::vector<int>& head : out) {
                for (const std::vector<int>& tail : tails) {
                    if (joined.size() == keep) {
                        break;
                    }
                    joined.push_back(head);
                    joined.back().insert(joined.back().end(), tail.begin(), tail.end());
                }
            }
            out = std::move(joined);
        }
        return out;
    }
    // As Compute did: the state without the columns no cover within target holds.
    // No cover has fewer columns than the minimum: the floors may count on it.
    if (const TValue floor = Floor(state, target, true); floor <= target) {
        if (TBits fewer = Tightened(state, floor, target, true); fewer != state) {
            return Covers(std::move(fewer), target, keep);
        }
    }
    for (const TBranch& branch : Choices(state)) {
        const TEntry e = Solve(branch.Child, Minus(target, branch.Step), true);
        if (!e.Exact || Plus(e.Value, branch.Step) != target) {
            continue;
        }
        for (const std::vector<int>& tail : Covers(branch.Child, e.Value, keep - out.size())) {
            out.push_back(tail);
            out.back().insert(out.back().end(), branch.Taken.begin(), branch.Taken.end());
        }
        if (out.size() >= keep) {
            break;
        }
    }
    return out;
}

void TMinimaSearch::Normalise(TBits& state) const {
    uint64_t* cols = state.data() + FRowWords;
    for (int k = 0; k < FCols; ++k) {
        if (Test(cols, k) && Overlap(ColRows(k), state.data(), FRowWords) == 0) {
            Clear(cols, k);
        }
    }
}

std::vector<TBits> TMinimaSearch::Parts(const TBits& state) const {
    const uint64_t* cols = state.data() + FRowWords;
    std::vector<TBits> parts;
    TBits left(state.begin(), state.begin() + FRowWords);
    for (int start = 0; start < FRows; ++start) {
        if (!Test(left.data(), start)) {
            continue;
        }
        TBits part(state.size(), 0);
        std::vector<int> stack{start};
        Clear(left.data(), start);
        while (!stack.empty()) {
            const int r = stack.back();
            stack.pop_back();
            Set(part.data(), r);
            for (int w = 0; w < FColWords; ++w) {
                uint64_t& taken = part[static_cast<size_t>(FRowWords + w)];
                for (uint64_t rest = RowCols(r)[w] & cols[w] & ~taken; rest != 0;
                     rest &= rest - 1) {
                    const int k = w * 64 + std::countr_zero(rest);
                    taken |= rest & -rest;
                    for (int v = 0; v < FRowWords; ++v) {
                        for (uint64_t more = ColRows(k)[v] & left[static_cast<size_t>(v)];
                             more != 0; more &= more - 1) {
                            const int row = v * 64 + std::countr_zero(more);
                            Clear(left.data(), row);
                            stack.push_back(row);
                        }
                    }
                }
            }
        }
        if (parts.empty() && std::equal(part.begin(), part.begin() + FRowWords, state.begin())) {
            return {state};  // one part: the state itself
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

bool TMinimaSearch::Dominated(const TBits& state, int c) const {
    const uint64_t* cols = state.data() + FRowWords;
    // Whatever holds c's rows holds the first of them.
    int first = -1;
    for (int w = 0; w < FRowWords && first < 0; ++w) {
        const uint64_t live = ColRows(c)[w] & state[static_cast<size_t>(w)];
        first = live != 0 ? w * 64 + std::countr_zero(live) : -1;
    }
    for (int w = 0; first >= 0 && w < FColWords; ++w) {
        for (uint64_t rest = RowCols(first)[w] & cols[w]; rest != 0; rest &= rest - 1) {
            const int k = w * 64 + std::countr_zero(rest);
            if (FCost[static_cast<size_t>(k)] >= FCost[static_cast<size_t>(c)]) {
                continue;
            }
            bool holds = true;
            for (int v = 0; v < FRowWords && holds; ++v) {
                holds = (ColRows(c)[v] & state[static_cast<size_t>(v)] & ~ColRows(k)[v]) == 0;
            }
            if (holds) {
                return true;
            }
        }
    }
    return false;
}

std::vector<TBranch> TMinimaSearch::Branches(const TBits& state) const {
    const uint64_t* cols = state.data() + FRowWords;
    int row = -1;
    int fewest = INT_MAX;
    int most = -1;
    TBits near(static_cast<size_t>(FRowWords));
    for (int r = 0; r < FRows; ++r) {
        const int open = Test(state.data(), r) ? Overlap(RowCols(r), cols, FColWords) : INT_MAX;
        if (open > fewest) {
            continue;
        }
        // Of those, the one whose columns reach most rows: each branch settles more.
        std::fill(near.begin(), near.end(), 0);
        for (int w = 0; w < FColWords; ++w) {
            for (uint64_t rest = RowCols(r)[w] & cols[w]; rest != 0; rest &= rest - 1) {
                const int k = w * 64 + std::countr_zero(rest);
                for (int v = 0; v < FRowWords; ++v) {
                    near[static_cast<size_t>(v)] |= ColRows(k)[v];
                }
            }
        }
        const int reach = Overlap(near.data(), state.data(), FRowWords);
        if (open < fewest || reach > most) {
            fewest = open;
            most = reach;
            row = r;
        }
    }
    TBits allowed = state;
    std::vector<std::pair<int, int>> order;  // wide, cheap columns first
    for (int k = 0; k < FCols; ++k) {
        if (!Test(RowCols(row), k) || !Test(cols, k)) {
            continue;
        }
        if (Dominated(state, k)) {
            Clear(allowed.data() + FRowWords, k);
            continue;
        }
        order.emplace_back(
            -Overlap(ColRows(k), state.data(), FRowWords) * 16 + FCost[static_cast<size_t>(k)], k);
    }
    std::sort(order.begin(), order.end());
    std::vector<TBranch> out;
    for (const auto& [key, k] : order) {
        out.push_back(Taking(allowed, {k}));
        Clear(allowed.data() + FRowWords, k);
    }
    return out;
}

TBranch TMinimaSearch::Taking(const TBits& state, std::vector<int> columns) const {
    TBranch branch{std::move(columns), {0, 0}, state};
    for (const int k : branch.Taken) {
        branch.Step = Plus(branch.Step, {1, FCost[static_cast<size_t>(k)]});
        Clear(branch.Child.data() + FRowWords, k);
        for (int w = 0; w < FRowWords; ++w) {
            branch.Child[static_cast<size_t>(w)] &= ~ColRows(k)[w];
        }
    }
    return branch;
}

std::vector<TBranch> TMinimaSearch::Choices(const TBits& state) const {
    if (std::vector<int> forced = Forced(state); !forced.empty()) {
        return {Taking(state, std::move(forced))};
    }
    return Branches(state);
}

TEntry TMinimaSearch::Compute(const TBits& state, TValue limit, bool least) {
    const std::vector<TBits> parts = Parts(state);
    if (parts.size() > 1) {
        std::vector<TValue> floors;
        TValue sum{0, 0};
        for (const TBits& part : parts) {
            // What the limit leaves a part may be more columns than it needs.
            floors.push_back(Floor(part, limit, false));
            sum = Plus(sum, floors.back());
        }
        if (sum > limit) {
            return TEntry{false, sum, 0};
        }
        TEntry whole{true, {0, 0}, 1};
        for (size_t i = 0; i < parts.size(); ++i) {
            const TEntry e = Solve(parts[i], Minus(limit, Minus(sum, floors[i])), false);
            sum = Plus(Minus(sum, floors[i]), e.Value);
            if (!e.Exact || sum > limit) {
                return TEntry{false, sum, 0};
            }
            whole.Count = ProductCapped(whole.Count, e.Count);
        }
        whole.Value = sum;
        return whole;
    }
    const TValue floor = Floor(state, limit, least);
    if (floor > limit) {
        return TEntry{false, floor, 0};
    }
    TBits here = state;
    if (TBits fewer = Tightened(state, floor, limit, least); fewer != state) {
        Normalise(fewer);
        fewer = WithoutDominated(fewer);
        if (Parts(fewer).size() > 1) {
            // Past limit, the columns dropped could have done better: only a floor is known.
            const TEntry e = Solve(std::move(fewer), limit, least);
            return e.Value <= limit ? e : TEntry{false, floor, 0};
        }
        // The floor's multipliers hold for the columns left: branch on them at once.
        here = std::move(fewer);
    }
    TEntry best{true, NoCover, 0};
    for (const TBranch& branch : Choices(here)) {
        const TValue beat =
            FSeeking && best.Value != NoCover ? Minus(best.Value, {0, 1}) : best.Value;
        const TEntry e = Solve(branch.Child, Minus(std::min(limit, beat), branch.Step), least);
        if (FStopped) {
            return TEntry{false, NoCover, 0};
        }
        if (!e.Exact) {
            continue;
        }
        const TValue value = Plus(e.Value, branch.Step);
        if (value < best.Value) {
            best = TEntry{true, value, e.Count};
        } else if (value == best.Value) {
            best.Count = SumCapped(best.Count, e.Count);
        }
    }
    if (best.Value > limit) {
        return TEntry{false, floor, 0};
    }
    return best;
}

TBits TMinimaSearch::WithoutDominated(const TBits& state) const {
    TBits fewer = state;
    for (int k = 0; k < FCols; ++k) {
        if (Test(state.data() + FRowWords, k) && Dominated(state, k)) {
            Clear(fewer.data() + FRowWords, k);
        }
    }
    return fewer;
}

}  // namespace minima

namespace {

// Reads back up to keep covers of value target, as chart columns ascending, into out.
void ReadCovers(minima::TMinimaSearch& search, const minima::TBits& whole, minima::TValue target,
                size_t keep, int64_t maxNodes, TPartMinima& out) {
    // Reading the covers back may solve states the search passed by: as many again.
    search.AllowMore(maxNodes);
    std::vector<std::vector<int>> covers = search.Covers(whole, target, keep);
    if (search.Stopped()) {
        out.Stopped = true;
        return;
    }
    for (std::vector<int>& cover : covers) {
        for (int& k : cover) {
            k = search.Column(k);
        }
        std::sort(cover.begin(), cover.end());
        out.Kept.push_back(std::move(cover));
    }
}

}  // namespace

TPartMinima PartMinima(const TChart& chart, const TChartPart& part, std::pair<int, int> limit,
                       bool fewest, size_t keep, int64_t maxNodes,
                       const std::atomic<bool>* cancel) {
    minima::TMinimaSearch search(chart, part, false, maxNodes, cancel);
    const minima::TBits whole = search.Whole();
    const minima::TEntry e = search.Solve(whole, limit, fewest);
    TPartMinima out;
    out.Nodes = search.Nodes();
    out.Stopped = search.Stopped() || !e.Exact;
    if (out.Stopped) {
        return out;
    }
    out.Best = e.Value;
    out.Count = e.Count;
    if (keep > 0) {
        ReadCovers(search, whole, e.Value, keep, maxNodes, out);
    }
    return out;
}

TPartMinima PartMinimum(const TChart& chart, const TChartPart& part, std::pair<int, int> limit,
                        bool fewest, int64_t maxNodes) {
    minima::TMinimaSearch search(chart, part, true, maxNodes, nullptr);
    const minima::TBits whole = search.Whole();
    const minima::TEntry e = search.Solve(whole, minima::Minus(limit, {0, 1}), fewest);
    TPartMinima out;
    out.Nodes = search.Nodes();
    out.Stopped = search.Stopped();
    out.Best = e.Exact ? e.Value : limit;
    if (!out.Stopped && e.Exact) {
        ReadCovers(search, whole, e.Value, 1, maxNodes, out);
    }
    return out;
}
