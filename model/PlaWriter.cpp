// The PLA writer: a unit of any number of outputs, as a sum of products or a product of sums.
#include <map>

#include "model/DesignUnit.h"
#include "model/FunctionSet.h"
#include "model/Minterms.h"
#include "model/Pla.h"
#include "model/PlaWriter.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"

namespace {

// Rows in the order first added; a cube added again for another output joins its row.
class TPlaRows {
  public:
    TPlaRows(int inputs, size_t outputs, char rest)
        : FInputs(inputs), FOutputs(outputs), FRest(rest) {}

    void Add(const TCube& cube, size_t output, char value) {
        const uint64_t key = (uint64_t{cube.Care} << 32) | cube.Hi;
        const auto [at, added] = FIndex.emplace(key, FRows.size());
        if (added) {
            FRows.emplace_back(cube, std::string(FOutputs, FRest));
        }
        FRows[at->second].second[output] = value;
    }

    bool Empty() const { return FRows.empty(); }
    size_t Size() const { return FRows.size(); }

    void Write(std::string& text) const {
        const int n = FInputs;
        for (const auto& [cube, outputs] : FRows) {
            for (int k = 0; k < n; ++k) {
                const uint32_t bit = 1u << (n - 1 - k);
                text += (cube.Care & bit) == 0 ? '-' : ((cube.Hi & bit) != 0 ? '1' : '0');
            }
            text += ' ' + outputs + '\n';
        }
    }

  private:
    int FInputs;
    size_t FOutputs;
    char FRest;
    std::map<uint64_t, size_t> FIndex;
    std::vector<std::pair<TCube, std::string>> FRows;
};

std::string Header(const TDesignUnit& unit, const std::string& type, size_t rows) {
    const TUnitNames names = UnitNames(TExportFormat::Pla, unit);
    std::string text = ".i " + std::to_string(unit.Inputs) + "\n.o " +
                       std::to_string(names.Outputs.size()) + "\n.ilb";
    for (const std::string& name : names.Inputs) {
        text += ' ' + name;
    }
    text += "\n.ob";
    for (const std::string& name : names.Outputs) {
        text += ' ' + name;
    }
    return text + "\n.type " + type + "\n.p " + std::to_string(rows) + "\n";
}

const std::vector<TCube>& DontCaresOf(const TDesignUnit& unit, size_t output) {
    static const std::vector<TCube> none;
    return output < unit.DontCares.size() ? unit.DontCares[output] : none;
}

// Terms as rows of 1, then the don't cares as rows of "-"; "0" elsewhere, so that .type f or
// fd means what it says.
std::string WriteSumOfProducts(const TDesignUnit& unit) {
    const size_t outputs = unit.Uses.size();
    TPlaRows on(unit.Inputs, outputs, '0');
    TPlaRows dc(unit.Inputs, outputs, '0');
    for (size_t j = 0; j < outputs; ++j) {
        for (const size_t i : unit.Uses[j]) {
            on.Add(unit.Terms[i], j, '1');
        }
        for (const TCube& cube : DontCaresOf(unit, j)) {
            dc.Add(cube, j, '-');
        }
    }
    // The constant 0 still needs a row: a PLA without any is refused or misread.
    if (on.Empty() && dc.Empty()) {
        on.Add({}, 0, '0');
    }
    std::string text = Header(unit, dc.Empty() ? "f" : "fd", on.Size() + dc.Size());
    on.Write(text);
    dc.Write(text);
    return text + ".e\n";
}

TMintermBits SetOf(const std::vector<TCube>& cubes, int n) {
    TMintermBits set = MakeMintermBits(n);
    for (const TCube& cube : cubes) {
        AddCubeMinterms(set, n, cube);
    }
    return set;
}

// The ON set (what neither a sum nor a don't care covers) as rows of 1, the don't cares that no
// sum covers as rows of "-", and the sums' cubes of zeros as rows of 0; "~" elsewhere. The three
// sets are disjoint, so .type fr or fdr reads the same whatever a reader makes of an overlap.
std::string WriteProductOfSums(const TDesignUnit& unit) {
    const size_t outputs = unit.Uses.size();
    const int n = unit.Inputs;
    TPlaRows on(n, outputs, '~');
    TPlaRows dc(n, outputs, '~');
    TPlaRows off(n, outputs, '~');
    for (size_t j = 0; j < outputs; ++j) {
        std::vector<TCube> zeros;
        for (const size_t i : unit.Uses[j]) {
            zeros.push_back(unit.Terms[i]);
            off.Add(unit.Terms[i], j, '0');
        }
        const TMintermBits zeroSet = SetOf(zeros, n);
        const TMintermBits dcSet = SetOf(DontCaresOf(unit, j), n);
        TMintermBits free = dcSet;
        for (size_t w = 0; w < free.size(); ++w) {
            free[w] &= ~zeroSet[w];
        }
        for (const TCube& cube : CubesOfSet(free, n)) {
            dc.Add(cube, j, '-');
        }
        for (const TCube& cube : CubesOfSet(Zeros(zeroSet, dcSet, n), n)) {
            on.Add(cube, j, '1');
        }
    }
    std::string text = Header(unit, dc.Empty() ? "fr" : "fdr", on.Size() + dc.Size() + off.Size());
    on.Write(text);
    dc.Write(text);
    off.Write(text);
    return text + ".e\n";
}

}  // namespace

std::string WriteUnitPla(const TDesignUnit& unit) {
    return unit.Form == TUnitForm::SumOfProducts ? WriteSumOfProducts(unit)
                                                 : WriteProductOfSums(unit);
}

std::string WritePla(int n, const std::vector<std::string>& inputNames,
                     const std::string& outputName, const std::vector<TCube>& on,
                     const std::vector<TCube>& dc) {
    return WriteUnitPla(
        SingleOutputUnit("", n, on, inputNames, outputName, TUnitForm::SumOfProducts, dc));
}
