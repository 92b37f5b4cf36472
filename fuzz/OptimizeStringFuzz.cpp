// Fuzzes MergeTerms and OptimizeString: the shortened sum is the same function as its input.
#include "engine/OptimizeString.h"
#include "fuzz/FuzzSupport.h"

namespace {

constexpr size_t MaxTerms = 24;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const int n = 3 + data[0] % 6;  // 3..8: small enough for a truth table per input
    const bool repeats = (data[0] / 6) % 2 == 1;
    const bool raw = (data[0] / 12) % 2 == 1;
    SetVarCount(n);
    const fuzz::TTermBytes rest{data + 1, size - 1};

    if (raw) {
        // Any text at all: nothing may crash or hang, whatever it holds.
        const std::string text(reinterpret_cast<const char*>(rest.Data), rest.Size);
        (void)MergeTerms(text, ProgramState.VarCount);
        std::string result;
        (void)OptimizeString(text, result, ProgramState.VarCount);
        return 0;
    }

    const std::string text = fuzz::Join(fuzz::MakeTerms(rest, n, MaxTerms, repeats));
    const std::vector<bool> want = fuzz::SumOnSet(text, n);

    // Two terms that merge into the constant HI come back empty, and the callers keep their
    // input then; any other sum keeps its function.
    const bool twoTermHi =
        fuzz::SplitOn(text, '+').size() == 2 && want == std::vector<bool>(want.size(), true);
    const std::string merged = MergeTerms(text, ProgramState.VarCount);
    if (!(twoTermHi && merged.empty())) {
        fuzz::Require(fuzz::SumOnSet(merged, n) == want, "MergeTerms keeps the function",
                      text + " -> " + merged);
    }

    const std::string untouched = "\x01untouched";
    std::string result = untouched;
    const auto status = OptimizeString(text, result, ProgramState.VarCount);
    if (result != untouched && !(twoTermHi && result.empty())) {
        fuzz::Require(fuzz::SumOnSet(result, n) == want, "OptimizeString keeps the function",
                      text + " -> " + result);
        fuzz::Require(CountTerms(result) <= CountTerms(text) || text.size() < 3,
                      "OptimizeString does not lengthen the sum", text + " -> " + result);
    }
    if (status) {
        fuzz::Require(result != untouched, "a status only with a result", text);
    }
    return 0;
}
