// Fuzzes the minterm walks of checked terms: expansion, coverage counts, implicant tests.
#include <algorithm>

#include "fuzz/FuzzSupport.h"
#include "model/Minterms.h"

namespace {

constexpr int MaxExpandedFree = 10;  // larger expansions take too long per input

int DistinctLetters(const std::string& term) {
    return static_cast<int>(ToCompact(fuzz::Positional(term)).size());
}

// The minterm number a minterm string names, read letter by letter.
uint32_t NumberOf(const std::string& minterm) {
    uint32_t m = 0;
    for (const char c : minterm) {
        m = (m << 1) | (fuzz::IsUpper(c) ? 1u : 0u);
    }
    return m;
}

[[clang::no_sanitize("coverage")]] void CheckExpansion(const std::string& term, int n) {
    const int freeCount = n - DistinctLetters(term);
    if (freeCount > MaxExpandedFree) {
        return;
    }
    TStringListAdv plain;
    plain.Add("stale");
    ExpandTerm(term, plain);
    const std::vector<std::string> items = Items(plain);
    fuzz::Require(items.size() == size_t{1} << freeCount, "2^free minterm strings", term);
    uint32_t previous = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string& s = items[i];
        fuzz::Require(fuzz::IsPositional(s, n) && s.find('1') == std::string::npos,
                      "a minterm string names every variable", s);
        const uint32_t m = NumberOf(s);
        fuzz::Require(i == 0 || m > previous, "expansion in increasing minterm order", s);
        fuzz::Require(Covers(term, m, n), "expanded minterms lie under the term", s);
        fuzz::Require(MintermToLetters(m, n, 'A') == s, "MintermToLetters names the minterm", s);
        previous = m;
    }
    if (freeCount > 6) {
        return;  // a sorted set inserts in the middle: keep its check small
    }
    TStringListAdv sorted(true);
    ExpandTerm(term, sorted);
    std::vector<std::string> ordered = items;
    std::sort(ordered.begin(), ordered.end());
    fuzz::Require(Items(sorted) == ordered, "a sorted set gets the same strings in code order");
}

[[clang::no_sanitize("coverage")]] void CheckSingleTerm(const std::string& term, int n) {
    const uint32_t size = ProgramState.HighMinterm + 1;
    ClearTruthTable();
    AddTermToTable(term);
    uint32_t on = 0;
    uint32_t first = size;
    const auto& table = ProgramState.TruthTable;
    fuzz::Require(std::all_of(table.begin() + size, table.end(), [](uint8_t e) { return e == 0; }),
                  "entries past 2^n stay untouched", term);
    for (uint32_t m = 0; m < size; ++m) {
        const uint8_t entry = table[m];
        const bool expected = Covers(term, m, n);
        if (entry != (expected ? 1 : 0)) {
            fuzz::Fail("one add counts each covered minterm once", term + " " + std::to_string(m));
        }
        if (expected) {
            on += 1;
            first = std::min(first, m);
        }
    }
    fuzz::Require(on == size >> DistinctLetters(term), "2^free covered minterms", term);
    fuzz::Require(TermIsImplicant(term), "a term is an implicant of itself", term);
    std::string positional = fuzz::Positional(term);
    fuzz::Require(TermIsImplicant(positional), "so is its positional form", positional);
    ProgramState.TruthTable[first] = 0;
    fuzz::Require(!TermIsImplicant(term), "one OFF minterm under the term fails it", term);
    CheckExpansion(term, n);
}

// Coverage counts of the whole sum, mixing compact and positional forms.
[[clang::no_sanitize("coverage")]] void CheckSum(const std::vector<std::string>& terms, int n,
                                                 bool mixForms) {
    ClearTruthTable();
    for (size_t i = 0; i < terms.size(); ++i) {
        AddTermToTable(mixForms && i % 2 == 1 ? fuzz::Positional(terms[i]) : terms[i]);
    }
    const uint32_t tableSize = ProgramState.HighMinterm + 1;
    for (uint32_t m = 0; m < tableSize; ++m) {
        unsigned count = 0;
        for (const auto& t : terms) {
            count += Covers(t, m, n) ? 1 : 0;
        }
        if (ProgramState.TruthTable[m] != count % 256) {
            fuzz::Fail("coverage count of the sum", std::to_string(m));
        }
    }
    for (const auto& t : terms) {
        fuzz::Require(TermIsImplicant(t), "each term of the sum is an implicant of it", t);
    }
    // A minterm no term covers is no implicant, named by its minterm string.
    for (uint32_t m = 0; m < tableSize; ++m) {
        if (ProgramState.TruthTable[m] == 0) {
            fuzz::Require(!TermIsImplicant(MintermToLetters(m, n, 'A')), "an OFF minterm fails");
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::TInput input = fuzz::Decode(data, size, 3, 16);
    const int n = input.n;
    SetVarCount(n);
    std::vector<std::string> terms = fuzz::ValidTerms(input.text);
    // Each term walks all 2^n minterms against the reference: fewer terms for large n.
    const size_t maxTerms = n <= 10 ? 8 : (n <= 13 ? 2 : 1);
    if (terms.size() > maxTerms) {
        terms.resize(maxTerms);
    }
    for (const auto& t : terms) {
        CheckSingleTerm(t, n);
    }

    if (n > 12) {
        return 0;
    }
    CheckSum(terms, n, (input.flags & 1) != 0);
    return 0;
}
