// `quillon simplify`, `quillon --help` and `quillon --version`: arguments, input, output.
#include "cli/CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <sstream>
#include <stdexcept>

#include "cli/CommandError.h"
#include "cli/FunctionInput.h"
#include "cli/SharedListing.h"
#include "cli/WideSimplify.h"
#include "engine/cover/MinimumCover.h"
#include "engine/shared/SharedCover.h"
#include "model/DesignUnit.h"
#include "model/Pla.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"

#ifndef QUILLON_VERSION
#define QUILLON_VERSION "unknown"
#endif

namespace {

const char* const Usage =
    "usage: quillon                  start the windows\n"
    "       quillon simplify [--minimum] [--time-limit SECONDS] [--pos]\n"
    "                        [--format terms|pla|verilog|vhdl|c] [--output NAME]\n"
    "                        FILE|-|--function TEXT\n"
    "       quillon --help | --version\n"
    "\n"
    "simplify reads FILE (- for standard input): a PLA file, or a term list (the number of\n"
    "variables, 3 to 16, on the first line, then one term a line; a line -term is a don't\n"
    "care). It prints the prime implicants of the function, or with --minimum a minimum cover\n"
    "by them, in code order. A PLA of several outputs without --output is simplified as a\n"
    "whole: its shared primes (each with the outputs it may feed), or with --minimum a cover\n"
    "with the fewest distinct terms, each term feeding the outputs that need it:\n"
    "  --time-limit SECONDS  how long --minimum may search for a proof (default 10)\n"
    "  --pos             a product of sums of one output: the same search on the zeros\n"
    "                    (what is neither ON nor a don't care), each term written as its sum\n"
    "  --format terms    one term a line (the default), or with --pos one sum a line as\n"
    "                    A+b+C; HI or LO for a constant; with several outputs, each term\n"
    "                    followed by its outputs: AbC 101\n"
    "  --format pla      a PLA of the outputs, with the don't cares\n"
    "  --format verilog  a Verilog module\n"
    "  --format vhdl     a VHDL entity and architecture\n"
    "  --format c        a C function (static inline, in an include guard)\n"
    "  The module, entity or function is named after FILE; it has every output.\n"
    "  --output NAME     the one PLA output to simplify: its name (any case, when only one\n"
    "                    output matches), or its number\n"
    "  --function TEXT   the function as a textbook writes it, in place of FILE: A'B + C,\n"
    "                    F(A,B,C) = A ^ B, Σm(1,3,5) + d(7), ΠM(0,3), or a truth-table\n"
    "                    column such as 01101001\n"
    "Exit status: 0 when done; warnings (lines skipped before .i, a cover not proven\n"
    "minimum, ports an export renamed) may then be on standard error. 2 when anything\n"
    "failed (bad arguments, bad input, too little memory, output or a warning that could\n"
    "not be written): one line on standard error says what.\n";

enum class TFormat { Terms, Pla, Verilog, Vhdl, C };

struct TOptions {
    bool Minimum = false;
    bool Sums = false;
    int64_t TimeLimitMs = -1;  // -1: the engine's own
    TFormat Format = TFormat::Terms;
    std::string Output;
    std::string File;
    std::string Function;  // the text of --function, which takes the place of the file
    bool HaveFunction = false;
};

bool ParseFormat(const std::string& word, TFormat& format) {
    const std::pair<const char*, TFormat> names[] = {{"terms", TFormat::Terms},
                                                     {"pla", TFormat::Pla},
                                                     {"verilog", TFormat::Verilog},
                                                     {"vhdl", TFormat::Vhdl},
                                                     {"c", TFormat::C}};
    for (const auto& [name, value] : names) {
        if (word == name) {
            format = value;
            return true;
        }
    }
    return false;
}

// Seconds, whole or not, as milliseconds: at least one, at most a day.
int64_t ParseSeconds(const std::string& value) {
    char* end = nullptr;
    const double seconds = std::strtod(value.c_str(), &end);
    if (value.empty() || end != value.c_str() + value.size() || !(seconds >= 0.001) ||
        seconds > 86400) {
        FailUsage("--time-limit needs seconds from 0.001 to 86400, not \"" + value + "\"");
    }
    return static_cast<int64_t>(seconds * 1000 + 0.5);
}

// Options may come in any order before or after the file; "--format=pla" is "--format pla".
TOptions ParseSimplify(const std::vector<std::string>& args) {
    TOptions options;
    bool haveFile = false;
    std::vector<std::string> given;
    for (size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        const size_t equals = arg.find('=');
        const bool takesValue = arg.rfind("--format", 0) == 0 || arg.rfind("--output", 0) == 0 ||
                                arg.rfind("--time-limit", 0) == 0 ||
                                arg.rfind("--function", 0) == 0;
        if (takesValue && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
        } else if (takesValue && (arg == "--format" || arg == "--output" || arg == "--time-limit" ||
                                  arg == "--function")) {
            if (i + 1 >= args.size()) {
                FailUsage(arg + " needs a value");
            }
            value = args[++i];
        }
        // A second value would silently replace the first.
        if (arg == "--format" || arg == "--output" || arg == "--time-limit" ||
            arg == "--function") {
            if (std::find(given.begin(), given.end(), arg) != given.end()) {
                FailUsage(arg + " is given twice");
            }
            given.push_back(arg);
        }
        if (arg == "--minimum") {
            options.Minimum = true;
        } else if (arg == "--pos") {
            options.Sums = true;
        } else if (arg == "--format") {
            if (!ParseFormat(value, options.Format)) {
                FailUsage("unknown format \"" + value + "\"; use terms, pla, verilog, vhdl or c");
            }
        } else if (arg == "--output") {
            // An empty name would mean every output, the opposite of what was asked.
            if (value.find_first_not_of(" \t\r\n\f\v") == std::string::npos) {
                FailUsage("--output needs the name or number of an output");
            }
            options.Output = value;
        } else if (arg == "--time-limit") {
            options.TimeLimitMs = ParseSeconds(value);
        } else if (arg == "--function") {
            options.Function = value;
            options.HaveFunction = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            FailUsage("unknown option " + arg);
        } else if (haveFile) {
            FailUsage("one input file only, not " + options.File + " and " + arg);
        } else {
            options.File = arg;
            haveFile = true;
        }
    }
    if (haveFile && options.HaveFunction) {
        FailUsage("--function takes the place of FILE: give one of them, not both");
    }
    if (!haveFile && !options.HaveFunction) {
        FailUsage("simplify needs a FILE, or - for standard input");
    }
    if (options.TimeLimitMs >= 0 && !options.Minimum) {
        FailUsage("--time-limit goes with --minimum");
    }
    return options;
}

TCoverOptions SearchOptions(const TOptions& options) {
    TCoverOptions search;
    if (options.TimeLimitMs >= 0) {
        search.BudgetMs = options.TimeLimitMs;
    }
    return search;
}

void WarnUnproven(std::ostream& err, size_t terms, int64_t lowerBound) {
    err << "quillon: the cover of " << terms
        << " terms is not proven minimum; no cover has fewer than " << lowerBound << "\n";
}

// The unit is named after the file; standard input leaves the writers' default.
std::string UnitName(const TOptions& options) {
    return options.File == "-" || options.HaveFunction ? "" : UnitNameOfFile(options.File);
}

std::vector<TCube> Simplify(const TFunctionInput& input, const TOptions& options,
                            std::ostream& err) {
    const int n = input.VarCount;
    const TMintermBits on = options.Sums ? Zeros(input.On, input.Dc, input.VarCount) : input.On;
    std::vector<TCube> primes = CoveringPrimes(n, on, input.Dc).Primes;
    if (options.Minimum) {
        const TMinimumCover cover =
            FindMinimumCover(n, on, input.Dc, primes, SearchOptions(options));
        if (!cover.Proven) {
            WarnUnproven(err, cover.Chosen.size(), cover.LowerBound);
        }
        std::vector<TCube> chosen;
        for (const int i : cover.Chosen) {
            chosen.push_back(primes[static_cast<size_t>(i)]);
        }
        primes = std::move(chosen);
    }
    // Back to the file's inputs: variables the engine added are the lowest bits, never named.
    const int shift = n - input.Inputs;
    std::vector<TCube> cubes;
    cubes.reserve(primes.size());
    for (const TCube& cube : primes) {
        cubes.push_back({cube.Care >> shift, cube.Hi >> shift});
    }
    SortCodeOrder(cubes, input.Inputs);
    return cubes;
}

// The don't cares over the file's inputs: the engine's extra variables are the lowest bits.
std::vector<TCube> DontCareCubes(const TFunctionInput& input) {
    const int shift = input.VarCount - input.Inputs;
    TMintermBits dc = MakeMintermBits(input.Inputs);
    for (uint32_t m = 0; m < (1u << input.Inputs); ++m) {
        if (TestMinterm(input.Dc, m << shift)) {
            SetMinterm(dc, m);
        }
    }
    return CubesOfSet(dc, input.Inputs);
}

TExportFormat ExportFormat(TFormat format) {
    return format == TFormat::Pla       ? TExportFormat::Pla
           : format == TFormat::Verilog ? TExportFormat::Verilog
           : format == TFormat::Vhdl    ? TExportFormat::Vhdl
                                        : TExportFormat::C;
}

// The unit in the format, and a warning naming the ports written under other names, since a
// harness written against the input's names would not find them.
std::string Export(TFormat format, const TDesignUnit& unit, const std::string& source,
                   std::ostream& err) {
    const TExportFormat exportFormat = ExportFormat(format);
    const std::string renamed = RenamedPortsText(exportFormat, unit);
    if (!renamed.empty()) {
        err << WarningLine(source, "renamed in the export: " + renamed);
    }
    return WriteUnit(exportFormat, unit);
}

// One term a line; under a product of sums one sum a line. No term is the constant the form
// starts from (LO for a sum, HI for a product), the term without letters the other one.
std::string TermLines(const std::vector<TCube>& cubes, int n, bool sums) {
    if (cubes.empty()) {
        return sums ? "HI\n" : "LO\n";
    }
    std::string text;
    for (const TCube& cube : cubes) {
        const std::string term = sums ? SumTerm(cube, n) : CubeTerm(cube, n);
        text += (term.empty() ? (sums ? "LO" : "HI") : term) + "\n";
    }
    return text;
}

std::string Format(const TOptions& options, const TFunctionInput& input,
                   const std::vector<TCube>& cubes, const std::string& source, std::ostream& err) {
    const int n = input.Inputs;
    if (options.Format == TFormat::Terms) {
        return TermLines(cubes, n, options.Sums);
    }
    const TDesignUnit unit = SingleOutputUnit(
        UnitName(options), n, cubes, input.InputNames, input.OutputName,
        options.Sums ? TUnitForm::ProductOfSums : TUnitForm::SumOfProducts, DontCareCubes(input));
    return Export(options.Format, unit, source, err);
}

// A term a line with its output part, a character per output as in a PLA row: "aBc 101";
// "HI" for the term without letters, "LO" when there is no term.
std::string SharedTerms(const TDesignUnit& unit) {
    if (unit.Terms.empty()) {
        return "LO\n";
    }
    std::vector<std::string> feeds(unit.Terms.size(), std::string(unit.Uses.size(), '0'));
    for (size_t i = 0; i < unit.Uses.size(); ++i) {
        for (const size_t t : unit.Uses[i]) {
            feeds[t][i] = '1';
        }
    }
    std::string text;
    for (size_t t = 0; t < unit.Terms.size(); ++t) {
        const std::string term = CubeTerm(unit.Terms[t], unit.Inputs);
        text += (term.empty() ? "HI" : term) + " " + feeds[t] + "\n";
    }
    return text;
}

void WriteOutput(std::ostream& out, const std::string& text);

// Several outputs minimized together: their shared primes, or with --minimum a cover by them
// with the fewest distinct terms. The list of primes goes straight to direct, a piece at a time:
// it can run to millions of lines.
std::string SimplifyShared(const TFunctionSet& set, const TOptions& options,
                           const std::string& source, std::ostream& err, std::ostream& direct) {
    if (options.Sums) {
        FailUsage("--pos takes one output; name it with --output");
    }
    const std::string name = UnitName(options);
    TDesignUnit unit;
    if (options.Minimum) {
        const TSharedCover cover = FindSharedCover(set, SearchOptions(options));
        if (!cover.Proven) {
            WarnUnproven(err, cover.Terms.size(), cover.LowerBound);
        }
        unit = SharedCoverUnit(set, cover, name);
    } else {
        const TSharedPrimes primes = FindListedPrimes(set);
        if (options.Format == TFormat::Terms) {
            WriteSharedPrimes(set, primes,
                              [&](const std::string& piece) { WriteOutput(direct, piece); });
            return "";
        }
        CheckUnitSize(primes);
        unit = SharedPrimesUnit(set, primes, name);
    }
    return options.Format == TFormat::Terms ? SharedTerms(unit)
                                            : Export(options.Format, unit, source, err);
}

int RunSimplify(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, std::ostream& direct) {
    const TOptions options = ParseSimplify(args);
    const TInputRead read = options.HaveFunction
                                ? ReadFunctionText(options.Function, options.Output)
                                : ReadFunctionInput(options.File, options.Output, in);
    if (!read.Warning.empty()) {
        err << WarningLine(read.Source, read.Warning);
    }
    if (read.Wide.Inputs > 0) {
        const char* const formats[] = {"terms", "pla", "verilog", "vhdl", "c"};
        const TWideRequest request{options.Minimum,     options.Sums,
                                   options.TimeLimitMs, formats[static_cast<int>(options.Format)],
                                   options.Output,      UnitName(options),
                                   read.Source};
        out << SimplifyWide(read.Wide, request, err);
        return 0;
    }
    if (read.Functions.Outputs.size() > 1) {
        out << SimplifyShared(read.Functions, options, read.Source, err, direct);
        return 0;
    }
    const TFunctionInput input = EngineFunction(read.Functions, 0);
    out << Format(options, input, Simplify(input, options, err), read.Source, err);
    return 0;
}

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, std::ostream& direct) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        out << Usage;
        return 0;
    }
    if (args[0] == "--version") {
        out << "quillon " << QUILLON_VERSION << "\n";
        return 0;
    }
    const auto help = [](const std::string& arg) { return arg == "--help" || arg == "-h"; };
    if (args[0] == "simplify" && std::any_of(args.begin() + 1, args.end(), help)) {
        out << Usage;
        return 0;
    }
    if (args[0] == "simplify") {
        return RunSimplify(args, in, out, err, direct);
    }
    if (!args[0].empty() && args[0][0] == '-') {
        FailUsage("unknown option " + args[0]);
    }
    FailUsage("unknown command \"" + args[0] + "\"");
}

// The output is written in one go and flushed, so the system's reason for a full disk, a closed
// output or a reader that went away is still at hand when the stream reports the failure.
void WriteOutput(std::ostream& out, const std::string& text) {
    errno = 0;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
        const int code = errno;
        throw TCommandError{std::string("cannot write standard output") +
                            (code != 0 ? std::string(": ") + std::strerror(code) : "")};
    }
}

// The toolkit's own options go to the windows; those with a value take the next argument or
// "=value".
struct TToolkitOption {
    const char* Name;
    bool TakesValue;
};

const TToolkitOption ToolkitOptions[] = {{"platform", true},        {"platformpluginpath", true},
                                         {"platformtheme", true},   {"plugin", true},
                                         {"qwindowgeometry", true}, {"qwindowicon", true},
                                         {"qwindowtitle", true},    {"session", true},
                                         {"display", true},         {"geometry", true},
                                         {"style", true},           {"stylesheet", true},
                                         {"qmljsdebugger", false},  {"reverse", false},
                                         {"widgetcount", false},    {"nograb", false},
                                         {"dograb", false}};

// The toolkit option an argument is ("-style", "--style" or "-style=fusion"), or null.
const TToolkitOption* ToolkitOption(std::string_view arg, bool& hasValue) {
    const size_t dashes = arg.rfind("--", 0) == 0 ? 2 : arg.rfind('-', 0) == 0 ? 1 : 0;
    if (dashes == 0) {
        return nullptr;
    }
    const std::string_view body = arg.substr(dashes);
    const std::string_view name = body.substr(0, body.find('='));
    hasValue = name.size() < body.size();
    for (const TToolkitOption& option : ToolkitOptions) {
        if (name == option.Name) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

bool IsCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        bool hasValue = false;
        const TToolkitOption* option = ToolkitOption(argv[i], hasValue);
        if (option == nullptr) {
            return true;
        }
        if (option->TakesValue && !hasValue) {
            ++i;
        }
    }
    return false;
}

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    try {
        // Warnings are told once the output is out, so a failure is always the one line.
        std::ostringstream buffer;
        std::ostringstream warnings;
        const int status = RunCommand(args, in, buffer, warnings, out);
        WriteOutput(out, buffer.str());
        // A warning that could not be told is a failure, though nothing can say so.
        err << warnings.str();
        err.flush();
        return err ? status : 2;
    } catch (const TCommandError& error) {
        err << ErrorLine(error);
    } catch (const std::bad_alloc&) {
        err << "quillon: out of memory\n";
    } catch (const std::length_error&) {
        err << "quillon: out of memory\n";
    }
    err.flush();
    return 2;
}
