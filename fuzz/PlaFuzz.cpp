// Fuzzes the PLA reader: any bytes read or fail with a line inside the file; every output of a
// file that reads has disjoint ON and don't-care sets that its cubes cover exactly, and the
// single-output PLA written from them reads back to the same sets.
#include "fuzz/FuzzSupport.h"
#include "model/Pla.h"
#include "model/PlaWriter.h"

namespace {

size_t LineCount(const std::string& text) {
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines + 1;
}

std::vector<uint8_t> Union(const std::vector<TCube>& cubes, uint32_t size) {
    std::vector<uint8_t> set(size, 0);
    for (uint32_t m = 0; m < size; ++m) {
        set[m] = AnyCovers(cubes, m) ? 1 : 0;
    }
    return set;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TPla pla;
    TPlaError error;
    if (!ReadPla(text, pla, error)) {
        fuzz::Require(!error.Text.empty(), "a refusal says why");
        fuzz::Require(error.Line <= LineCount(text), "a refusal names a line of the file",
                      error.Message());
        return 0;
    }
    fuzz::Require(pla.Inputs >= 1 && pla.Inputs <= MaxPlaInputs, "inputs in range");
    // Whole-set checks walk every minterm for every cube: small files only.
    if (pla.Inputs > 10 || pla.Rows.size() > 64) {
        return 0;
    }
    const uint32_t minterms = 1u << pla.Inputs;
    for (int j = 0; j < pla.Outputs && j < 4; ++j) {
        TPlaFunction f;
        if (!PlaOutputFunction(pla, j, f, error)) {
            fuzz::Require(error.Line >= 1 && error.Line <= LineCount(text),
                          "a conflict names a line of the file", error.Message());
            continue;
        }
        const std::vector<uint8_t> on = Union(f.On, minterms);
        const std::vector<uint8_t> dc = Union(f.Dc, minterms);
        for (uint32_t m = 0; m < minterms; ++m) {
            fuzz::Require(on[m] == f.OnSet[m], "the ON cubes cover the ON set");
            fuzz::Require(f.DcSet[m] == dc[m], "the don't-care cubes cover the don't cares");
            fuzz::Require(on[m] == 0 || dc[m] == 0, "no minterm is both ON and don't care");
        }
        TPla again;
        fuzz::Require(ReadPla(WritePla(pla.Inputs, pla.InputNames, "F", f.On, f.Dc), again, error),
                      "a written PLA reads", error.Message());
        TPlaFunction g;
        fuzz::Require(PlaOutputFunction(again, 0, g, error), "a written PLA has no conflict");
        fuzz::Require(g.OnSet == f.OnSet && g.DcSet == f.DcSet, "a written PLA keeps its sets");
    }
    return 0;
}
