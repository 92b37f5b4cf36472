// Fuzzes CheckTerm: the code follows from the trimmed text, and accepted terms have sound forms.
#include <bit>

#include "fuzz/FuzzSupport.h"

namespace {

bool Allowed(char c, int n) {
    return (c >= 'A' && c < 'A' + n) || (c >= 'a' && c < 'a' + n);
}

// The code of a trimmed text of 1..n characters: whichever of a bad character or the start of a
// contradicting pair comes first; a bad character wins a tie, as it is checked first.
int ExpectedWalkCode(const std::string& s, int n) {
    size_t firstBad = s.size();
    size_t firstPair = s.size();
    for (size_t p = 0; p < s.size(); ++p) {
        if (firstBad == s.size() && !Allowed(s[p], n)) {
            firstBad = p;
        }
        for (size_t q = p + 1; q < s.size() && firstPair == s.size(); ++q) {
            const int d = static_cast<unsigned char>(s[p]) - static_cast<unsigned char>(s[q]);
            if (d == 32 || d == -32) {
                firstPair = p;
            }
        }
    }
    if (firstBad < s.size() && firstBad <= firstPair) {
        return TermBadChar;
    }
    return firstPair < s.size() ? TermContradiction : TermValid;
}

void CheckValidForms(const std::string& term, int n) {
    std::string positional = fuzz::Positional(term);
    fuzz::Require(fuzz::IsPositional(positional, n), "positional form has n places", positional);
    std::string distinct;
    for (int k = 0; k < n; ++k) {
        const char up = static_cast<char>('A' + k);
        const char low = static_cast<char>('a' + k);
        if (term.find(up) != std::string::npos) {
            distinct += up;
        } else if (term.find(low) != std::string::npos) {
            distinct += low;
        }
    }
    const std::string compact = ToCompact(positional);
    fuzz::Require(compact == distinct, "compact form is the distinct letters in order", compact);
    std::string again = compact;
    fuzz::Require(CheckTerm(again) == TermValid && again == compact, "compact form is valid");

    const TCube masks = TermMasks(term);
    const TCube fromPositional = TermMasks(positional);
    fuzz::Require(masks.Care == fromPositional.Care && masks.Hi == fromPositional.Hi,
                  "masks agree for both forms", term);
    fuzz::Require((masks.Hi & ~masks.Care) == 0, "HI mask within care mask", term);
    fuzz::Require((masks.Care & ~ProgramState.HighMinterm) == 0, "care mask within n bits", term);
    fuzz::Require(std::popcount(masks.Care) == static_cast<int>(distinct.size()),
                  "one care bit per named variable", term);

    std::string padded = term;
    PadTerm(padded);
    fuzz::Require(padded.size() == 16 && padded.compare(0, term.size(), term) == 0,
                  "padding keeps the term", padded);
    fuzz::Require(CheckTerm(padded) == TermValid && padded == term, "padded term checks back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 3, 16);
    const int n = input.n;
    SetVarCount(n);
    std::string term = input.text;
    const int code = CheckTerm(term);
    // The first 16 characters without blanks or control characters at either end.
    const std::string trimmed = fuzz::Trim(input.text.substr(0, TermCapacity));

    int expected = TermEmpty;
    if (static_cast<int>(trimmed.size()) > n) {
        expected = TermTooLong;
    } else if (!trimmed.empty()) {
        expected = ExpectedWalkCode(trimmed, n);
    }
    fuzz::Require(code == expected, "check code", std::to_string(code) + " " + trimmed);
    if (code == TermContradiction) {
        fuzz::Require(term.empty(), "a contradiction empties the term", term);
    } else {
        fuzz::Require(term == trimmed, "the term is trimmed in place", term);
    }

    // Checking the result again changes nothing; an emptied term now reads as empty.
    std::string again = term;
    const int second = CheckTerm(again);
    fuzz::Require(again == term, "second check keeps the text", again);
    fuzz::Require(second == (code == TermContradiction ? TermEmpty : code), "second check code");

    if (code == TermValid) {
        CheckValidForms(term, n);
    }
    return 0;
}
