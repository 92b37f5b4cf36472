// Fuzzes the calculator's algebra: term and string products, complement, OR and XOR compute
// the function their inputs say, checked on the truth table of up to 6 variables.
#include "engine/SumOfProducts.h"
#include "fuzz/FuzzSupport.h"

namespace {

constexpr size_t MaxTerms = 10;  // keeps the complement's products within milliseconds

std::vector<bool> And(std::vector<bool> a, const std::vector<bool>& b) {
    for (size_t m = 0; m < a.size(); ++m) {
        a[m] = a[m] && b[m];
    }
    return a;
}

std::vector<bool> Or(std::vector<bool> a, const std::vector<bool>& b) {
    for (size_t m = 0; m < a.size(); ++m) {
        a[m] = a[m] || b[m];
    }
    return a;
}

std::vector<bool> Not(std::vector<bool> a) {
    a.flip();
    return a;
}

void CheckComplement(const std::string& s, int n) {
    const std::vector<bool> on = fuzz::SumOnSet(s, n);
    std::string cleaned = s;
    const std::string untouched = "\x01untouched";
    std::string r = untouched;
    const std::string status = Complement(cleaned, r, ProgramState.VarCount, {});
    if (status == "Always LO") {
        fuzz::Require(r == untouched, "an always-LO complement leaves R alone", s);
        fuzz::Require(on == std::vector<bool>(on.size(), true), "Always LO only for HI", s);
        return;
    }
    fuzz::Require(r != untouched, "the complement writes R", s);
    const std::vector<bool> off = fuzz::SumOnSet(r, n);
    fuzz::Require(And(on, off) == std::vector<bool>(on.size(), false),
                  "the complement is disjoint from its input", s + " -> " + r);
    fuzz::Require(Or(on, off) == std::vector<bool>(on.size(), true),
                  "the complement and its input cover everything", s + " -> " + r);
    fuzz::Require(status == "Terms= " + std::to_string(CountTerms(r)), "complement status", status);
}

void CheckOr(const std::string& x, const std::string& y, int n) {
    std::string a = x;
    std::string b = y;
    std::optional<std::string> message;
    const TInputErrorTexts texts{"first ", "second "};
    const std::string sum = OrCombination(a, b, message, texts, ProgramState.VarCount);
    if (x.empty() || y.empty()) {
        fuzz::Require(sum == (x.empty() ? y : x), "an empty side gives the other", sum);
        return;
    }
    const std::vector<bool> want = Or(fuzz::SumOnSet(x, n), fuzz::SumOnSet(y, n));
    fuzz::Require(fuzz::SumOnSet(sum, n) == want, "OR is the union", x + " | " + y + " -> " + sum);
    fuzz::Require(!message || *message == "HI", "valid inputs raise no error text",
                  message.value_or(""));
    fuzz::Require((message == std::optional<std::string>("HI")) == (sum == ConstantHi),
                  "HI is reported with the constant", sum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const int n = 3 + data[0] % 4;  // 3..6
    const int operation = (data[0] / 4) % 5;
    const bool repeats = (data[0] / 20) % 2 == 1;
    SetVarCount(n);
    const size_t split = 2 + data[1] % (size - 1);
    const fuzz::TTermBytes first{data + 2, std::min(split, size) - 2};
    const fuzz::TTermBytes second{data + std::min(split, size), size - std::min(split, size)};
    const std::vector<std::string> x = fuzz::MakeTerms(first, n, MaxTerms, repeats);
    const std::vector<std::string> y = fuzz::MakeTerms(second, n, MaxTerms, repeats);
    const std::string xs = fuzz::Join(x);
    const std::string ys = fuzz::Join(y);

    switch (operation) {
        case 0:
            break;
        case 1: {
            const std::string product = StringProduct(xs, ys, ProgramState.VarCount);
            fuzz::Require(
                fuzz::SumOnSet(product, n) == And(fuzz::SumOnSet(xs, n), fuzz::SumOnSet(ys, n)),
                "StringProduct is the AND", xs + " * " + ys + " -> " + product);
            break;
        }
        case 2:
            CheckComplement(xs, n);
            break;
        case 3:
            CheckOr(xs, ys, n);
            break;
        default: {
            const std::string exclusive = StringXor(xs, ys, ProgramState.VarCount);
            const std::vector<bool> a = fuzz::SumOnSet(xs, n);
            const std::vector<bool> b = fuzz::SumOnSet(ys, n);
            fuzz::Require(fuzz::SumOnSet(exclusive, n) == Or(And(a, Not(b)), And(b, Not(a))),
                          "StringXor is the exclusive or", xs + " ^ " + ys + " -> " + exclusive);
            break;
        }
    }
    return 0;
}
