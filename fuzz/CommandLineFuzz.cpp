// Fuzzes `quillon simplify` on any input: it ends with status 0 or 2, says a failure in exactly
// one line with nothing printed, and a --format pla result reads back as primes that cover the
// ON set within ON and the don't cares, or with --pos as the function itself: ON where the input
// is ON, OFF where it is neither ON nor a don't care.
#include <algorithm>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/FunctionInput.h"
#include "fuzz/FuzzSupport.h"
#include "model/Pla.h"

namespace {

struct TRun {
    int Status = 0;
    std::string Out;
    std::string Err;
};

TRun Simplify(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.Status = RunCommandLine(args, in, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool Covers(const TTermMasks& cube, uint32_t m) {
    return (m & cube.Care) == cube.Hi;
}

// The printed terms (rows of 1; rows of - are the don't cares, a row of 0 the constant LO)
// against the function read from the same input: ON within their union, their union within ON
// and the don't cares, and no literal of any term can go.
void CheckCover(const std::string& input, const std::string& output, const std::string& name) {
    std::istringstream in(input);
    const TInputRead read = ReadFunctionInput("-", name, in);
    const TOutputFunction& f = read.Functions.Outputs.at(0);
    const int n = read.Functions.Inputs;
    TPla pla;
    TPlaError error;
    fuzz::Require(ReadPla(output, pla, error), "the PLA printed reads back", error.Message());
    fuzz::Require(pla.Inputs == n && pla.Outputs == 1, "the PLA printed has the inputs read");
    if (n > 10) {
        return;  // whole-set checks walk every minterm for every cube: small functions only
    }
    const auto allowed = [&](uint32_t m) { return TestMinterm(f.On, m) || TestMinterm(f.Dc, m); };
    std::vector<TTermMasks> terms;
    for (size_t i = 0; i < pla.Rows.size(); ++i) {
        if (pla.RowOutputs(i) == "1") {
            terms.push_back(pla.Rows[i].Cube);
        }
    }
    for (uint32_t m = 0; m < (1u << n); ++m) {
        bool covered = false;
        for (const TTermMasks& term : terms) {
            covered = covered || Covers(term, m);
        }
        fuzz::Require(!TestMinterm(f.On, m) || covered, "every ON minterm is covered");
        fuzz::Require(!covered || allowed(m), "no OFF minterm is covered");
    }
    for (const TTermMasks& term : terms) {
        for (uint32_t bit = 1; bit < (1u << n); bit <<= 1) {
            if ((term.Care & bit) == 0) {
                continue;
            }
            const TTermMasks wider{term.Care & ~bit, term.Hi & ~bit};
            bool inside = true;
            for (uint32_t m = 0; m < (1u << n) && inside; ++m) {
                inside = !Covers(wider, m) || allowed(m);
            }
            fuzz::Require(!inside, "every printed cube is prime");
        }
    }
}

void CheckProduct(const std::string& input, const std::string& output, const std::string& name) {
    std::istringstream in(input);
    const TInputRead read = ReadFunctionInput("-", name, in);
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
    args.push_back("-");
    const TRun run = Simplify(args, input);
    fuzz::Require(run.Status == 0 || run.Status == 2, "status 0 or 2", run.Err);
    if (run.Status == 2) {
        fuzz::Require(Lines(run.Err) == 1 && run.Err.back() == '\n', "one line tells a failure",
                      run.Err);
        fuzz::Require(run.Out.empty(), "nothing is printed on a failure", run.Out);
        return 0;
    }
    fuzz::Require(!run.Out.empty(), "a success prints its result");
    if ((flags & 2) == 0) {
        sums ? CheckProduct(input, run.Out, name) : CheckCover(input, run.Out, name);
    }
    return 0;
}
