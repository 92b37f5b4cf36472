// Reading the command line's input: a term list with don't-care lines, or one output of a PLA.
#include "cli/FunctionInput.h"

#include <charconv>

#include "model/Minterms.h"
#include "model/Pla.h"
#include "model/State.h"
#include "model/Terms.h"

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        lines.push_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') {
            ++start;
        }
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool ReadTermList(const std::vector<std::string_view>& lines, TFunctionInput& input,
                  std::string& error) {
    int n = 0;
    const std::string count = TrimBlanks(std::string(lines[0]));
    std::from_chars(count.data(), count.data() + count.size(), n);
    if (count.size() > 2 || n < 3 || n > MaxVars) {
        error = "line 1: the variable count must be 3 to 16";
        return false;
    }
    SetVarCount(n);
    input.Inputs = n;
    input.VarCount = n;
    input.On = MakeMintermBits(n);
    input.Dc = MakeMintermBits(n);
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string term = TrimBlanks(std::string(lines[i]));
        if (term.empty()) {
            continue;
        }
        const bool dontCare = term[0] == '-';
        if (dontCare) {
            term.erase(0, 1);
        }
        if (CheckTerm(term) != TermValid) {
            error = "line " + std::to_string(i + 1) + ": Boolean string " + term + " is invalid";
            return false;
        }
        ToPositional(term);
        TMintermBits& set = dontCare ? input.Dc : input.On;
        VisitMinterms(TermMasks(term), ProgramState.HighMinterm, [&](uint32_t m) {
            SetMinterm(set, m);
            return true;
        });
    }
    // A minterm both ON and don't care is ON, as in the editor.
    for (size_t w = 0; w < input.Dc.size(); ++w) {
        input.Dc[w] &= ~input.On[w];
    }
    return true;
}

std::string OutputList(const TPla& pla) {
    std::string list;
    for (int j = 0; j < pla.Outputs && j < 20; ++j) {
        list += (j > 0 ? ", " : "") + PlaOutputName(pla, j);
    }
    return pla.Outputs > 20 ? list + ", ..." : list;
}

bool ReadPlaInput(std::string_view text, const std::string& outputName, TFunctionInput& input,
                  std::string& error) {
    TPla pla;
    TPlaError fault;
    if (!ReadPla(text, pla, fault)) {
        error = fault.Message();
        return false;
    }
    const int output = outputName.empty() ? 0 : FindPlaOutput(pla, outputName);
    if (output < 0) {
        error = "no output " + outputName + "; the outputs are " + OutputList(pla);
        return false;
    }
    TPlaFunction function;
    if (!PlaOutputFunction(pla, output, function, fault)) {
        error = fault.Message();
        return false;
    }
    // Fewer than three inputs: the engine's extra variables are the lowest bits, and free.
    const int n = std::max(pla.Inputs, 3);
    const int shift = n - pla.Inputs;
    SetVarCount(n);
    input.Inputs = pla.Inputs;
    input.VarCount = n;
    input.On = MakeMintermBits(n);
    input.Dc = MakeMintermBits(n);
    for (uint32_t m = 0; m < function.OnSet.size(); ++m) {
        for (uint32_t low = 0; low < (1u << shift); ++low) {
            if (function.OnSet[m] != 0) {
                SetMinterm(input.On, (m << shift) | low);
            }
            if (function.DcSet[m] != 0) {
                SetMinterm(input.Dc, (m << shift) | low);
            }
        }
    }
    input.InputNames = pla.InputNames;
    input.OutputName = PlaOutputName(pla, output);
    return true;
}

}  // namespace

bool ReadFunctionInput(std::string_view text, const std::string& outputName, TFunctionInput& input,
                       std::string& error) {
    const std::vector<std::string_view> lines = SplitLines(text);
    if (!lines.empty() && IsNumber(TrimBlanks(std::string(lines[0])))) {
        if (!outputName.empty() && outputName != "F" && outputName != "1") {
            error = "no output " + outputName + "; a term list has the one output F";
            return false;
        }
        return ReadTermList(lines, input, error);
    }
    return ReadPlaInput(text, outputName, input, error);
}
