// Fuzzes the term plot of the maps: exactly the minterms of the valid terms are marked, once.
#include <set>

#include "fuzz/FuzzSupport.h"
#include "model/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 3, 10);
    const int n = input.n;
    SetVarCount(n);
    const TPlotOutcome plot = PlotTerms(input.text, ProgramState.VarCount);

    std::vector<std::string> pieces;
    for (const auto& part : fuzz::SplitOn(input.text, '+')) {
        std::string piece;
        for (const char c : part + '\r') {
            if (c == '\r' || c == '\n') {
                if (!piece.empty()) {
                    pieces.push_back(piece);
                }
                piece.clear();
            } else {
                piece += c;
            }
        }
    }
    fuzz::Require(plot.Pieces == pieces, "the pieces between +, CR and LF");
    // Letters beyond n fail the term check, so nothing stops the plot early.
    fuzz::Require(!plot.OutOfRange, "a checked term stays within the map");

    std::vector<std::string> terms;
    for (const auto& p : pieces) {
        std::string term = p.substr(0, TermCapacity);
        if (CheckTerm(term) == TermValid) {
            terms.push_back(term);
        }
    }
    const std::vector<bool> want = OnSet(terms, n);
    std::vector<bool> got(want.size(), false);
    for (const uint32_t m : plot.Marked) {
        fuzz::Require(m < got.size() && !got[m], "each minterm is marked once, within the map",
                      std::to_string(m));
        got[m] = true;
    }
    fuzz::Require(got == want, "exactly the minterms of the valid terms", input.text);
    return 0;
}
