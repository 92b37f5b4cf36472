// Reading the command line's input: a term list with don't-care lines, or outputs of a PLA.
#include "cli/FunctionInput.h"

#include <algorithm>
#include <charconv>

#include "cli/CommandError.h"
#include "model/FileChunks.h"
#include "model/Letters.h"
#include "model/Terms.h"
#include "model/TextLines.h"
#include "model/Textbook.h"

namespace {

// The most input read: a PLA of every minterm of 16 inputs and many outputs stays well below.
constexpr size_t MaxInputBytes = size_t{64} << 20;

// The line without blanks around it, when what is left is a number; empty otherwise.
std::string_view CountLine(std::string_view line) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!line.empty() && blank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && blank(line.back())) {
        line.remove_suffix(1);
    }
    return line.find_first_not_of("0123456789") == std::string_view::npos ? line
                                                                          : std::string_view();
}

// Cube numbers in base 3, one digit a variable (free, 0 or 1): every cube of n variables has its
// own, so a set of 3^n bits tells whether a cube was met before.
uint32_t CubeNumber(const TCube& cube, int n) {
    uint32_t number = 0;
    for (int k = n - 1; k >= 0; --k) {
        const uint32_t bit = 1u << k;
        number = number * 3 + ((cube.Care & bit) == 0 ? 0 : (cube.Hi & bit) != 0 ? 2 : 1);
    }
    return number;
}

// A term list and a function have the one output F, also by number.
bool NamesTheOneOutput(const std::string& name) {
    return name.empty() || name == "F" || name == "f" || name == "1";
}

}  // namespace

// A term list after its count line. Each distinct term is added once, a word of minterms at a
// time, so a million repeats of a large term cost no more than reading them.
class TFunctionReader::TTermList {
  public:
    TTermList(int n, const std::string& source)
        : FVars(n), FSource(source), FOn(MakeMintermBits(n)), FDc(MakeMintermBits(n)) {
        size_t cubes = 1;
        for (int k = 0; k < n; ++k) {
            cubes *= 3;
        }
        FSeen.assign(2 * (cubes / 64 + 1), 0);
    }

    void Line(std::string_view text, size_t line) {
        const TMarkedTerm row = ReadMarkedTerm(text);
        if (!row.DontCare && row.Term.empty()) {
            return;
        }
        TCube masks;
        if (!LetterMasks(row.Term, FVars, masks)) {
            Refuse(row.Term, line);
        }
        const size_t seen = size_t{CubeNumber(masks, FVars)} * 2 + (row.DontCare ? 1 : 0);
        uint64_t& word = FSeen[seen / 64];
        const uint64_t bit = uint64_t{1} << (seen % 64);
        if ((word & bit) == 0) {
            word |= bit;
            AddCubeMinterms(row.DontCare ? FDc : FOn, FVars, masks);
        }
    }

    TFunctionSet Finish() {
        // A minterm both ON and don't care is ON, as in the editor.
        for (size_t w = 0; w < FDc.size(); ++w) {
            FDc[w] &= ~FOn[w];
        }
        TFunctionSet set;
        set.Inputs = FVars;
        set.Outputs.push_back({"F", std::move(FOn), std::move(FDc)});
        return set;
    }

  private:
    // The term as written, even where the editor's check would have emptied it (Aa); a term
    // longer than any is refused whole, never cut.
    [[noreturn]] void Refuse(const std::string& term, size_t line) const {
        const std::string where = "line " + std::to_string(line) + ": ";
        if (term.empty()) {
            FailInput(FSource, where + "a don't care needs a term after its -");
        }
        FailInput(FSource, where + "Boolean string " + Excerpt(term) + " is invalid");
    }

    int FVars;
    std::string FSource;
    TMintermBits FOn;
    TMintermBits FDc;
    std::vector<uint64_t> FSeen;  // 2 bits a cube: met as ON, met as don't care
};

TFunctionReader::TFunctionReader(std::string source, std::string outputName)
    : FSource(std::move(source)), FOutputName(TrimBlanks(outputName)) {}

TFunctionReader::~TFunctionReader() = default;

void TFunctionReader::Line(std::string_view text) {
    ++FLine;
    if (FLine == 1) {
        SkipByteOrderMark(text);
    }
    if (FTerms) {
        FTerms->Line(text, FLine);
        return;
    }
    if (!FPla) {
        const std::string_view count = CountLine(text);
        if (!count.empty()) {
            int n = 0;
            std::from_chars(count.data(), count.data() + count.size(), n);
            if (count.size() > 2 || n < 3 || n > MaxVars) {
                FailInput(FSource, "line 1: the variable count must be 3 to 16");
            }
            if (!NamesTheOneOutput(FOutputName)) {
                FailInput(FSource,
                          "no output " + FOutputName + "; a term list has the one output F");
            }
            FTerms = std::make_unique<TTermList>(n, FSource);
            return;
        }
        FPla = std::make_unique<TPlaReader>(MaxWidePlaInputs);
    }
    if (!FPla->Line(text)) {
        FailInput(FSource, FPla->Error().Message());
    }
}

TInputRead TFunctionReader::Finish() {
    TInputRead read;
    if (FTerms) {
        read.Functions = FTerms->Finish();
        return read;
    }
    if (!FPla) {
        FPla = std::make_unique<TPlaReader>();  // an empty input: the reader names what is missing
    }
    TPla pla;
    if (!FPla->Finish(pla)) {
        FailInput(FSource, FPla->Error().Message());
    }
    if (pla.Inputs > MaxPlaInputs) {
        read.Warning = pla.Warning;
        read.Wide = std::move(pla);
        return read;
    }
    // Without a name every output is read, to be minimized together.
    std::vector<int> outputs;
    if (!FOutputName.empty()) {
        const int output = FindPlaOutput(pla, FOutputName);
        if (output < 0) {
            FailInput(FSource,
                      "no output " + FOutputName + "; the outputs are " + PlaOutputList(pla));
        }
        outputs.push_back(output);
    }
    TPlaError error;
    if (!PlaFunctionSet(pla, outputs, read.Functions, error)) {
        FailInput(FSource, error.Message());
    }
    read.Warning = pla.Warning;
    return read;
}

TInputRead ReadFunctionInput(const std::string& file, const std::string& outputName,
                             std::istream& in) {
    const std::string source = file == "-" ? "standard input" : file;
    TFunctionReader reader(source, outputName);
    TLineSplitter lines;
    const auto toReader = [&](std::string_view line) {
        reader.Line(line);
        return true;
    };
    const TChunkSink sink = [&](std::string_view chunk) { return lines.Feed(chunk, toReader); };
    TReadError error;
    const bool read = file == "-" ? ReadChunks(in, MaxInputBytes, sink, error)
                                  : ReadRegularFile(file, MaxInputBytes, sink, error);
    if (!read) {
        const char* doing = error.Fault == TReadFault::Open   ? "cannot open it: "
                            : error.Fault == TReadFault::Read ? "cannot read it: "
                                                              : "";
        FailInput(source, doing + error.Reason);
    }
    lines.Finish(toReader);
    TInputRead result = reader.Finish();
    result.Source = source;
    return result;
}

TInputRead ReadFunctionText(const std::string& text, const std::string& outputName) {
    TInputRead read;
    read.Source = "--function";
    TTextbookFunction function;
    TTextbookError error;
    if (!ReadTextbook(text, function, error)) {
        FailInput(read.Source, error.Message());
    }
    const std::string name = TrimBlanks(outputName);
    if (!NamesTheOneOutput(name)) {
        FailInput(read.Source, "no output " + name + "; a function has the one output F");
    }
    read.Functions.Inputs = function.VarCount;
    read.Functions.Outputs.push_back({"F", std::move(function.On), std::move(function.Dc)});
    return read;
}

TFunctionInput EngineFunction(const TFunctionSet& set, size_t output) {
    const TOutputFunction& function = set.Outputs[output];
    // Fewer than three inputs: the engine's extra variables are the lowest bits, and free.
    const int n = std::max(set.Inputs, 3);
    const int extra = n - set.Inputs;
    TFunctionInput input;
    input.Inputs = set.Inputs;
    input.VarCount = n;
    input.On = extra > 0 ? WidenMinterms(function.On, set.Inputs, extra) : function.On;
    input.Dc = extra > 0 ? WidenMinterms(function.Dc, set.Inputs, extra) : function.Dc;
    input.InputNames = set.InputNames;
    input.OutputName = function.Name;
    return input;
}
