// Fuzzes the shared cover of several outputs: the bytes give each output's ON and don't-care
// minterms; every output must keep its function and the cover its contract (distinct terms, no
// idle connection, a true bound), with the search run whole, stopped early, or forced past its
// limits into growing terms one at a time.
#include <string>
#include <vector>

#include "engine/shared/SharedCover.h"
#include "fuzz/FuzzSupport.h"

namespace {

// Two bits per minterm and output, cycled over the bytes: 1 ON, 2 don't care, else OFF. The
// flags pick 1 to 8 outputs.
TFunctionSet Read(const fuzz::TInput& input) {
    TFunctionSet set;
    set.Inputs = input.n;
    const int outputs = 1 + (input.flags & 7);
    const std::string& text = input.text;
    for (int i = 0; i < outputs; ++i) {
        AddOutput(set, "F" + std::to_string(i));
        if (text.empty()) {
            continue;
        }
        for (uint32_t m = 0; m < (1u << set.Inputs); ++m) {
            const size_t bit = 2 * (static_cast<size_t>(i) << set.Inputs | m);
            const auto byte = static_cast<uint8_t>(text[(bit / 8) % text.size()]);
            const unsigned value = (byte >> (bit % 8)) & 3u;
            if (value == 1) {
                SetMinterm(set.Outputs.back().On, m);
            } else if (value == 2) {
                SetMinterm(set.Outputs.back().Dc, m);
            }
        }
    }
    return set;
}

[[clang::no_sanitize("coverage")]] void CheckCover(const TFunctionSet& set,
                                                   const TSharedCover& cover) {
    const std::string fault = SharedCoverFault(set, cover);
    fuzz::Require(fault.empty(), "every output keeps its function", fault);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 1, 8);
    const TFunctionSet set = Read(input);
    TCoverOptions options;
    options.BudgetMs = 2000;
    const TSharedCover full = FindSharedCover(set, options);
    CheckCover(set, full);

    int asked = 0;
    TCoverOptions early;
    early.BudgetMs = (input.flags & 8) != 0 ? 0 : 2000;
    early.KeepGoing = [&] { return ++asked < 2; };
    const TSharedCover stopped = FindSharedCover(set, early);
    CheckCover(set, stopped);
    if (full.Proven) {
        fuzz::Require(stopped.LowerBound <= static_cast<int>(full.Terms.size()),
                      "a stopped search's bound stays under the minimum");
        fuzz::Require(stopped.Terms.size() >= full.Terms.size(), "nothing beats the minimum");
    }
    const TSharedCover grown = FindSharedCover(set, options, TSharedLimits{0, 0});
    CheckCover(set, grown);
    if (full.Proven) {
        fuzz::Require(grown.LowerBound <= static_cast<int>(full.Terms.size()),
                      "the grown cover's bound stays under the minimum");
    }
    return 0;
}
