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

std::string WideTermsPla(const TPla& pla, const std::vector<int>& outputs,
                         const TWideFunction& function, const TWideCubes& terms) {
    const int in = InputWords(function.Inputs);
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
    const bool dc = !function.Dc.Empty();
    text += std::string("\n.type ") + (dc ? "fd" : "f") + "\n.p " +
            std::to_string(terms.Size() + function.Dc.Size()) + "\n";
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
