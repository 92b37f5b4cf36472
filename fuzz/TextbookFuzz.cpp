// Fuzzes the textbook reader: any bytes read or fail at a column inside the text; a function
// read has no minterm beyond its count and none both ON and don't care, and its terms, written
// back as a textbook expression, read to the same ON set.
#include "fuzz/FuzzSupport.h"
#include "model/Textbook.h"

namespace {

// Code points in the text, as the reader counts columns.
size_t Characters(const std::string& text) {
    size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// "F(A,B,…) = aB + C" in textbook letters: a small letter becomes its capital with a prime.
std::string AsExpression(const std::vector<std::string>& terms, int n) {
    std::string text = "F(";
    for (int k = 0; k < n; ++k) {
        text += std::string(k == 0 ? "" : ",") + static_cast<char>('A' + k);
    }
    text += ") = ";
    for (size_t i = 0; i < terms.size(); ++i) {
        text += i == 0 ? "" : " + ";
        for (const char c : terms[i]) {
            text += c >= 'a' ? std::string(1, static_cast<char>(c - 32)) + "'" : std::string(1, c);
        }
    }
    return terms.empty() ? text + "0" : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TTextbookFunction function;
    TTextbookError error;
    if (!ReadTextbook(text, function, error)) {
        fuzz::Require(!error.Text.empty(), "a refusal says why");
        fuzz::Require(error.Column >= 1 && error.Column <= Characters(text) + 1,
                      "a refusal names a column of the text", error.Message());
        return 0;
    }
    const int n = function.VarCount;
    fuzz::Require(n >= 1 && n <= 16, "the count is 1 to 16");
    for (size_t w = 0; w < function.On.size(); ++w) {
        const uint64_t beyond = n < 6 ? ~((uint64_t{1} << (1u << n)) - 1) : 0;
        fuzz::Require(((function.On[w] | function.Dc[w]) & beyond) == 0, "no minterm beyond 2^n");
        fuzz::Require((function.On[w] & function.Dc[w]) == 0, "no minterm ON and don't care");
    }
    // Writing every term back costs with the terms: small counts only.
    if (n > 8) {
        return 0;
    }
    TTextbookFunction again;
    const std::string written = AsExpression(SetTerms(function.On, n), n);
    fuzz::Require(ReadTextbook(written, again, error), "the terms read back", error.Message());
    fuzz::Require(again.On == function.On, "the terms read back to the same ON set", written);
    return 0;
}
