// A two-level minimizer for cubes of any width: expand, irredundant and reduce in turn, for
// one output or many, with don't cares.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/wide/WideCubes.h"

class TProgressSink;

// A function of several outputs: cubes of InWords input words then output words, one bit an
// output. On may meet Dc; a minterm in both is a don't care.
struct TWideFunction {
    int Inputs = 0;
    int Outputs = 0;
    TWideCubes On;
    TWideCubes Dc;
};

inline int WideOutputWords(int outputs) {
    return (outputs + 63) / 64;
}
inline bool HasOutput(const uint64_t* cube, int inWords, int output) {
    return ((cube[inWords + output / 64] >> (output % 64)) & 1) != 0;
}

struct TWideOptions {
    int64_t BudgetMs = 10000;
    std::function<bool()> KeepGoing;    // false ends the search with the cover so far
    TProgressSink* Progress = nullptr;  // may be null
    // Told the terms of each better cover as the search finds it; may be empty.
    std::function<void(size_t)> Found;
};

struct TWideCover {
    TWideCubes Terms;       // each a cube with the outputs it feeds
    size_t LowerBound = 0;  // no cover has fewer terms
    bool Proven = false;    // the cover has LowerBound terms
};

// An irredundant cover of On within On and Dc, at most as many terms as On has rows.
TWideCover MinimizeWide(const TWideFunction& function, const TWideOptions& options);
