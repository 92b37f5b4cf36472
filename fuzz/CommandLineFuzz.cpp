// Fuzzes `quillon simplify` on any input: it ends with status 0 or 2, says a failure in exactly
// one line with nothing printed, and a --format pla result reads back as primes (or with
// --minimum a cover) that cover each output's ON set within its ON and don't cares, or with
// --pos as the function itself: ON where the input is ON, OFF where it is neither ON nor a don't
// care.
#include <algorithm>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/FunctionInput.h"
#include "fuzz/FuzzSupport.h"
#include "model/Pla.h"
#include "model/TextLines.h"
#include "tests/cli/CommandRun.h"

namespace {

size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The printed terms (rows of 1 under each output; rows of - are the don't cares, a row of 0
// the constant LO) against the function read from the same input, output by output: ON within
// the union of the terms feeding it, that union within ON and the don't cares. Without
// --minimum every printed cube is a prime: no literal can go and no output join while every
// output it feeds keeps its function.
void CheckCover(const std::string& input, const std::string& output, const std::string& name,
                bool minimum) {
    std::istringstream in(input);
    const TInputRead read = ReadFunctionInput("-", name, in);
    if (read.Wide.Inputs > 0) {
        // Past 16 inputs the cover reads back as wide as the input; the simulation check of
        // such covers is the wide engine's differential test.
        TPlaReader reader(MaxWidePlaInputs);
        ForEachLine(output, [&](std::string_view line) { return reader.Line(line); });
        TPla wide;
        fuzz::Require(reader.Finish(wide), "the wide PLA printed reads back",
                      reader.Error().Message());
        const int outputs = name.empty() ? read.Wide.Outputs : 1;
        fuzz::Require(wide.Inputs == read.Wide.Inputs && wide.Outputs == outputs,
                      "the wide PLA printed has the inputs and outputs read");
        return;
    }
    const std::vector<TOutputFunction>& outputs = read.Functions.Outputs;
    const int n = read.Functions.Inputs;
    TPla pla;
    TPlaError error;
    fuzz::Require(ReadPla(output, pla, error), "the PLA printed reads back", error.Message());
    fuzz::Require(pla.Inputs == n && pla.Outputs == static_cast<int>(outputs.size()),
                  "the PLA printed has the inputs and outputs read");
    if (n > 10) {
        return;  // whole-set checks walk every minterm for every cube: small functions only
    }
    const auto allowed = [&](size_t j, uint32_t m) {
        return TestMinterm(outputs[j].On, m) || TestMinterm(outputs[j].Dc, m);
    };
    const auto within = [&](size_t j, const TCube& cube) {
        for (uint32_t m = 0; m < (1u << n); ++m) {
            if (Covers(cube, m) && !allowed(j, m)) {
                return false;
            }
        }
        return true;
    };
    for (size_t j = 0; j < outputs.size(); ++j) {
        for (uint32_t m = 0; m < (1u << n); ++m) {
            bool covered = false;
            for (size_t i = 0; i < pla.Rows.size(); ++i) {
                covered = covered || (pla.RowOutputs(i)[j] == '1' && Covers(pla.Rows[i].Cube, m));
            }
            fuzz::Require(!TestMinterm(outputs[j].On, m) || covered, "every ON minterm is covered");
            fuzz::Require(!covered || allowed(j, m), "no OFF minterm is covered");
        }
    }
    for (size_t i = 0; i < pla.Rows.size() && !minimum; ++i) {
        const TCube term = pla.Rows[i].Cube;
        const std::string_view feeds = pla.RowOutputs(i);
        if (feeds.find('1') == std::string_view::npos) {
            continue;
        }
        for (size_t j = 0; j < outputs.size(); ++j) {
            fuzz::Require(feeds[j] == '1' || !within(j, term), "no output can join a prime");
        }
        for (uint32_t bit = 1; bit < (1u << n); bit <<= 1) {
            if ((term.Care & bit) == 0) {
                continue;
            }
            const TCube wider{term.Care & ~bit, term.Hi & ~bit};
            bool inside = true;
            for (size_t j = 0; j < outputs.size() && inside; ++j) {
                inside = feeds[j] != '1' || within(j, wider);
            }
            fuzz::Require(!inside, "every printed cube is prime");
        }
    }
}

void CheckProduct(const std::string& input, const std::string& output, const std::string& name) {
    std::istringstream in(input);
    const TInputRead read = ReadFunctionInput("-", name, in);
    if (read.Wide.Inputs > 0) {
        TPlaReader reader(MaxWidePlaInputs);
        ForEachLine(output, [&](std::string_view line) { return reader.Line(line); });
        TPla wide;
        fuzz::Require(reader.Finish(wide), "the wide product printed reads back",
                      reader.Error().Message());
        fuzz::Require(wide.Inputs == read.Wide.Inputs && wide.Outputs == 1,
                      "the wide product printed has the inputs read and one output");
        return;
    }
    const TOutputFunction& f = read.Functions.Outputs.at(0);
    const int n = read.Functions.Inputs;
    TPla pla;
    TPlaError error;
    fuzz::Require(ReadPla(output, pla, error), "the PLA printed reads back", error.Message());
    TPlaFunction product;
    fuzz::Require(PlaOutputFunction(pla, 0, product, error), "its output reads back",
                  error.Message());
    if (n > 10) {
        return;
    }
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (TestMinterm(f.On, m)) {
            fuzz::Require(product.OnSet[m] != 0, "an ON minterm is ON in the product");
        } else if (!TestMinterm(f.Dc, m)) {
            fuzz::Require(product.OnSet[m] == 0 && product.DcSet[m] == 0,
                          "a zero is OFF in the product");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the options; the rest is the input.
    const uint8_t flags = data[0];
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string name = (flags & 1) != 0 ? "2" : "";
    std::vector<std::string> args = {"simplify", "--format", (flags & 2) != 0 ? "terms" : "pla"};
    if (!name.empty()) {
        args.insert(args.end(), {"--output", name});
    }
    const bool sums = (flags & 4) != 0;
    if (sums) {
        args.push_back("--pos");
    }
    const bool minimum = (flags & 8) != 0;
    if (minimum) {
        args.insert(args.end(), {"--minimum", "--time-limit", "0.05"});
    }
    args.push_back("-");
    const TCommandRun run = RunInMemory(args, input);
    fuzz::Require(run.Status == 0 || run.Status == 2, "status 0 or 2", run.Err);
    if (run.Status == 2) {
        fuzz::Require(Lines(run.Err) == 1 && run.Err.back() == '\n', "one line tells a failure",
                      run.Err);
        fuzz::Require(run.Out.empty(), "nothing is printed on a failure", run.Out);
        return 0;
    }
    fuzz::Require(!run.Out.empty(), "a success prints its result");
    if ((flags & 2) == 0) {
        sums ? CheckProduct(input, run.Out, name) : CheckCover(input, run.Out, name, minimum);
    }
    return 0;
}
