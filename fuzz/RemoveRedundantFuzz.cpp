// Fuzzes RemoveRedundant: same minterms as its source, nothing absorbable left, only absorption.
#include <algorithm>
#include <set>

#include "engine/RemoveRedundant.h"
#include "fuzz/FuzzSupport.h"

namespace {

constexpr size_t MaxTerms = 200;  // keeps one input within milliseconds at n = 10

struct TRecorder : TProgressSink {
    std::vector<std::pair<bool, int>> calls;  // (is maximum, value)
    void setMax(int max) override { calls.emplace_back(true, max); }
    void setPosition(int position) override { calls.emplace_back(false, position); }
};

// Source terms: pieces between "+" that are positional terms of n places are taken as they
// are (the all-"1" term included); other pieces count when CheckTerm accepts them.
std::vector<std::string> SourceTerms(const std::string& text, int n) {
    std::vector<std::string> terms;
    for (auto piece : fuzz::SplitOn(text, '+')) {
        if (terms.size() == MaxTerms) {
            break;
        }
        if (fuzz::IsPositional(piece, n) || CheckTerm(piece) == TermValid) {
            terms.push_back(piece);
        }
    }
    return terms;
}

void CheckGauge(const TRecorder& gauge, int distinct) {
    const auto& calls = gauge.calls;
    fuzz::Require(calls.size() >= 2, "the gauge gets a maximum and a final position");
    fuzz::Require(calls.front() == std::make_pair(true, distinct), "gauge maximum",
                  std::to_string(calls.front().second));
    fuzz::Require(calls.back() == std::make_pair(false, distinct), "final gauge position");
    const size_t steps = distinct >= 2 ? static_cast<size_t>((distinct - 2) / 10 + 1) : 0;
    fuzz::Require(calls.size() - 2 <= 2 * steps, "at most two passes of gauge steps");
    for (size_t i = 1; i + 1 < calls.size(); ++i) {
        const int p = calls[i].second;
        fuzz::Require(!calls[i].first && p % 10 == 0 && p <= distinct - 2,
                      "gauge steps at every tenth outer item", std::to_string(p));
    }
}

// No survivor covers another; every source term lies under a survivor, unless the source held
// the constant HI, which leaves nothing.
[[clang::no_sanitize("coverage")]] void CheckSurvivors(const std::vector<std::string>& survivors,
                                                       const std::set<std::string>& source,
                                                       bool constantHi) {
    if (constantHi) {
        fuzz::Require(survivors.empty(), "the constant HI leaves nothing");
        return;
    }
    for (const auto& x : survivors) {
        for (const auto& y : survivors) {
            if (x != y && Absorbs(x, y)) {
                fuzz::Fail("no result absorbs another", x + " " + y);
            }
        }
    }
    for (const auto& p : source) {
        const bool covered = std::any_of(survivors.begin(), survivors.end(),
                                         [&](const std::string& x) { return Absorbs(x, p); });
        if (!covered) {
            fuzz::Fail("every source term lies under a result", p);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 3, 10);
    const int n = input.n;
    SetVarCount(n);
    const std::vector<std::string> terms = SourceTerms(input.text, n);

    TStringListAdv source((input.flags & 1) != 0);
    std::set<std::string> positional;
    bool constantHi = false;
    for (const auto& t : terms) {
        source.Add(t);
        const std::string p = fuzz::Positional(t);
        positional.insert(p);
        constantHi = constantHi || p == std::string(static_cast<size_t>(n), '1');
    }

    TRecorder gauge;
    TStringListAdv separate;
    RemoveRedundant(source, separate, ProgramState.VarCount, &gauge);
    CheckGauge(gauge, static_cast<int>(positional.size()));
    const std::vector<std::string> out = Items(separate);

    std::vector<std::string> outPositional;
    for (const auto& t : out) {
        std::string checked = t;
        fuzz::Require(CheckTerm(checked) == TermValid && checked == t, "results are valid terms",
                      t);
        outPositional.push_back(fuzz::Positional(t));
        fuzz::Require(ToCompact(outPositional.back()) == t, "results are compact", t);
        fuzz::Require(positional.count(outPositional.back()) == 1, "results come from the source",
                      t);
    }
    fuzz::Require(std::adjacent_find(out.begin(), out.end(), std::greater_equal<>()) == out.end(),
                  "results are distinct and in code order");
    CheckSurvivors(outPositional, positional, constantHi);
    if (!constantHi) {
        fuzz::Require(OnSet(out, n) == OnSet(terms, n), "the same minterms are ON");
    }

    // The list configurations of the caller do not change the result.
    if ((input.flags & 2) != 0) {
        RemoveRedundant(source, source, ProgramState.VarCount);
        fuzz::Require(Items(source) == out, "source as destination");
    } else {
        TStringListAdv sortedSet(true);
        sortedSet.Add("stale");
        RemoveRedundant(source, sortedSet, ProgramState.VarCount);
        fuzz::Require(Items(sortedSet) == out, "sorted destination");
    }
    TStringListAdv again;
    RemoveRedundant(separate, again, ProgramState.VarCount);
    fuzz::Require(Items(again) == out, "a second removal changes nothing");
    return 0;
}
