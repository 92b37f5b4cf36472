// The cube engine's terms as a unit and as a PLA, for the command line and the Outputs window.
#include "engine/wide/WideUnit.h"

#include <utility>

#include "engine/wide/WidePla.h"

TDesignUnit WideTermsUnit(const TPla& pla, const std::vector<int>& outputs,
                          const TWideFunction& function, const TWideCubes& terms,
                          std::string name) {
    TDesignUnit unit;
    unit.Name = std::move(name);
    unit.Inputs = pla.Inputs;
    unit.InputNames = pla.InputNames;
    for (int k = static_cast<int>(unit.InputNames.size()); k < pla.Inputs; ++k) {
        unit.InputNames.push_back("x" + std::to_string(k + 1));
    }
    for (const int j : outputs) {
        unit.OutputNames.push_back(PlaOutputName(pla, j));
    }
    unit.Uses.resize(outputs.size());
    const int in = InputWords(function.Inputs);
    for (size_t t = 0; t < terms.Size(); ++t) {
        unit.WideTerms.push_back(WideCubeText(terms[t], function.Inputs));
        for (int j = 0; j < function.Outputs; ++j) {
            if (HasOutput(terms[t], in, j)) {
                unit.Uses[static_cast<size_t>(j)].push_back(t);
            }
        }
    }
    return unit;
}

namespace {

// .i to .p; .ilb only when the file names its inputs.
std::string PlaHeader(const TPla& pla, const std::vector<int>& outputs, const char* type,
                      size_t rows) {
    std::string text =
        ".i " + std::to_string(pla.Inputs) + "\n.o " + std::to_string(outputs.size()) + "\n";
    if (!pla.InputNames.empty()) {
        text += ".ilb";
        for (const std::string& name : pla.InputNames) {
            text += " " + name;
        }
        text += "\n";
    }
    text += ".ob";
    for (const int j : outputs) {
        text += " " + PlaOutputName(pla, j);
    }
    return text + "\n.type " + type + "\n.p " + std::to_string(rows) + "\n";
}

// Rows of the input cubes, each followed by the one output's character.
void AddRows(std::string& text, const TWideCubes& cubes, char value) {
    for (size_t t = 0; t < cubes.Size(); ++t) {
        text += WideCubeText(cubes[t], cubes.Inputs()) + ' ' + value + '\n';
    }
}

}  // namespace

std::string WideTermsPla(const TPla& pla, const std::vector<int>& outputs,
                         const TWideFunction& function, const TWideCubes& terms) {
    const int in = InputWords(function.Inputs);
    std::string text = PlaHeader(pla, outputs, function.Dc.Empty() ? "f" : "fd",
                                 terms.Size() + function.Dc.Size());
    for (const TWideCubes* cubes : {&terms, &function.Dc}) {
        for (size_t t = 0; t < cubes->Size(); ++t) {
            text += WideCubeText((*cubes)[t], function.Inputs) + ' ';
            for (int j = 0; j < function.Outputs; ++j) {
                text += HasOutput((*cubes)[t], in, j) ? (cubes == &terms ? '1' : '-') : '0';
            }
            text += '\n';
        }
    }
    return text + ".e\n";
}

std::string WideSumsPla(const TPla& pla, int output, const TWideFunction& zeros,
                        const TWideCubes& terms) {
    const TWideCubes notZero = Complement(terms);
    TWideCubes dc(zeros.Inputs, InputWords(zeros.Inputs));
    std::vector<uint64_t> meet(static_cast<size_t>(dc.Stride()));
    for (size_t d = 0; d < zeros.Dc.Size(); ++d) {
        for (size_t z = 0; z < notZero.Size(); ++z) {
            if (InputsMeet(zeros.Dc[d], notZero[z], dc.Stride())) {
                for (int w = 0; w < dc.Stride(); ++w) {
                    meet[static_cast<size_t>(w)] = zeros.Dc[d][w] & notZero[z][w];
                }
                dc.Add(meet.data());
            }
        }
    }
    TWideCubes named = terms;
    for (size_t d = 0; d < zeros.Dc.Size(); ++d) {
        named.Add(zeros.Dc[d]);
    }
    const TWideCubes on = Complement(named);
    std::string text =
        PlaHeader(pla, {output}, dc.Empty() ? "fr" : "fdr", on.Size() + dc.Size() + terms.Size());
    AddRows(text, on, '1');
    AddRows(text, dc, '-');
    AddRows(text, terms, '0');
    return text + ".e\n";
}
