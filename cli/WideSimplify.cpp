#include "cli/WideSimplify.h"

#include <ostream>
#include <utility>

#include "cli/CommandError.h"
#include "cli/SharedListing.h"
#include "engine/wide/WideMinimize.h"
#include "engine/wide/WidePla.h"
#include "engine/wide/WidePrimes.h"
#include "engine/wide/WideUnit.h"
#include "model/DesignUnit.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"

namespace {

// One cube a line, each followed by its outputs when there are several; LO for no cube.
std::string TermLines(const TWideFunction& function, const TWideCubes& terms) {
    if (terms.Empty()) {
        return "LO\n";
    }
    const int in = InputWords(function.Inputs);
    std::string text;
    for (size_t t = 0; t < terms.Size(); ++t) {
        text += WideCubeText(terms[t], function.Inputs);
        if (function.Outputs > 1) {
            text += ' ';
            for (int j = 0; j < function.Outputs; ++j) {
                text += HasOutput(terms[t], in, j) ? '1' : '0';
            }
        }
        text += '\n';
    }
    return text;
}

// One sum a line, each literal the flip of its cube's (cube 10- is the sum 01-); HI for none.
std::string SumLines(const TWideFunction& function, const TWideCubes& terms) {
    if (terms.Empty()) {
        return "HI\n";
    }
    std::string text;
    for (size_t t = 0; t < terms.Size(); ++t) {
        std::string sum = WideCubeText(terms[t], function.Inputs);
        // A sum of no letter is 0, and then the product is LO, as at 16 inputs or fewer.
        if (sum.find_first_not_of('-') == std::string::npos) {
            return "LO\n";
        }
        for (char& c : sum) {
            c = c == '0' ? '1' : c == '1' ? '0' : c;
        }
        text += sum + '\n';
    }
    return text;
}

// Verilog, VHDL or C through the unit writers.
std::string UnitText(const TPla& pla, const std::vector<int>& outputs,
                     const TWideFunction& function, const TWideCubes& terms,
                     const TWideRequest& request, std::ostream& err) {
    TDesignUnit unit = WideTermsUnit(pla, outputs, function, terms, request.UnitName);
    unit.Form = request.Sums ? TUnitForm::ProductOfSums : TUnitForm::SumOfProducts;
    const TExportFormat format = request.Format == "verilog" ? TExportFormat::Verilog
                                 : request.Format == "vhdl"  ? TExportFormat::Vhdl
                                                             : TExportFormat::C;
    const std::string renamed = RenamedPortsText(format, unit);
    if (!renamed.empty()) {
        err << WarningLine(request.Source, "renamed in the export: " + renamed);
    }
    return WriteUnit(format, unit);
}

TWideCubes MinimumTerms(const TWideFunction& function, const TWideRequest& request,
                        std::ostream& err) {
    TWideOptions options;
    if (request.TimeLimitMs >= 0) {
        options.BudgetMs = request.TimeLimitMs;
    }
    TWideCover cover = MinimizeWide(function, options);
    if (!cover.Proven) {
        err << "quillon: the cover of " << cover.Terms.Size()
            << " terms is not proven minimum; no cover has fewer than " << cover.LowerBound << "\n";
    }
    return std::move(cover.Terms);
}

// Every prime, as far as they fit the time limit and the listing's memory.
TWideCubes ListedPrimes(const TWideFunction& function, const TWideRequest& request) {
    const int64_t budgetMs =
        request.TimeLimitMs >= 0 ? request.TimeLimitMs : TWideOptions{}.BudgetMs;
    TWidePrimes primes = FindWidePrimes(function, budgetMs, ListedPrimesBytes);
    if (!primes.Complete) {
        FailInput(request.Source,
                  "the prime implicants are too many to list in time; --minimum gives a cover");
    }
    SortWideCubes(primes.Primes);
    return std::move(primes.Primes);
}

}  // namespace

std::string SimplifyWide(const TPla& pla, const TWideRequest& request, std::ostream& err) {
    TPlaError error;
    if (!WideOffRowsApart(pla, error)) {
        FailInput(request.Source, error.Message());
    }
    std::vector<int> outputs;
    if (!request.Output.empty()) {
        const int output = FindPlaOutput(pla, request.Output);
        if (output < 0) {
            FailInput(request.Source,
                      "no output " + request.Output + "; the outputs are " + PlaOutputList(pla));
        }
        outputs.push_back(output);
    } else {
        for (int j = 0; j < pla.Outputs; ++j) {
            outputs.push_back(j);
        }
    }
    if (request.Sums && outputs.size() > 1) {
        FailUsage("--pos takes one output; name it with --output");
    }
    // A product of sums is the same search on the zeros.
    const TWideFunction read = WidePlaFunction(pla, outputs);
    const TWideFunction function = request.Sums ? WideZeros(read) : read;
    const TWideCubes terms =
        request.Minimum ? MinimumTerms(function, request, err) : ListedPrimes(function, request);
    if (request.Format == "terms") {
        return request.Sums ? SumLines(function, terms) : TermLines(function, terms);
    }
    if (request.Format == "pla") {
        return request.Sums ? WideSumsPla(pla, outputs[0], function, terms)
                            : WideTermsPla(pla, outputs, function, terms);
    }
    return UnitText(pla, outputs, function, terms, request, err);
}
