// Shared pieces of the fuzz targets: input decoding, the references, property checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "model/SensitiveStr.h"
#include "model/State.h"
#include "model/Terms.h"

// The references run uninstrumented: they are the oracle, and comparison tracing in them would
// cost most of the fuzzing time. The standard headers they use come first, outside the region.
#pragma clang attribute push([[clang::no_sanitize("coverage")]], apply_to = function)
#include "tests/support/Reference.h"
#pragma clang attribute pop

namespace fuzz {

// A broken property aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] inline void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property failed: %s [%s]\n", what, detail.c_str());
    std::abort();
}

// Inside loops, test first and call Fail, so the detail text is only built on failure.
inline void Require(bool holds, const char* what, const std::string& detail = "") {
    if (!holds) {
        Fail(what, detail);
    }
}

// The first byte picks n in [low, high]; the rest is the text.
struct TInput {
    int n = 3;
    std::string text;
    uint8_t flags = 0;
};

inline TInput Decode(const uint8_t* data, size_t size, int low, int high) {
    TInput input;
    if (size == 0) {
        input.n = low;
        return input;
    }
    input.n = low + data[0] % (high - low + 1);
    input.flags = static_cast<uint8_t>(data[0] / (high - low + 1));
    input.text.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    return input;
}

inline std::vector<std::string> SplitOn(const std::string& text, char separator) {
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == separator) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

// Terms of the text that CheckTerm accepts, trimmed; "+" separates them.
inline std::vector<std::string> ValidTerms(const std::string& text) {
    std::vector<std::string> terms;
    for (auto piece : SplitOn(text, '+')) {
        if (CheckTerm(piece) == TermValid) {
            terms.push_back(piece);
        }
    }
    return terms;
}

// Blanks and control characters: what trimming removes.
inline bool Blank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

inline std::string Trim(const std::string& s) {
    size_t first = 0;
    size_t last = s.size();
    while (first < last && Blank(s[first])) {
        ++first;
    }
    while (last > first && Blank(s[last - 1])) {
        --last;
    }
    return s.substr(first, last - first);
}

inline bool IsUpper(char c) {
    return c >= 'A' && c <= 'P';
}
inline bool IsLower(char c) {
    return c >= 'a' && c <= 'p';
}

// n characters, position k holding "1" or letter k in either case.
[[clang::no_sanitize("coverage")]] inline bool IsPositional(const std::string& term, int n) {
    if (static_cast<int>(term.size()) != n) {
        return false;
    }
    for (int k = 0; k < n; ++k) {
        const char c = term[static_cast<size_t>(k)];
        if (c != '1' && c != 'A' + k && c != 'a' + k) {
            return false;
        }
    }
    return true;
}

inline std::string Positional(std::string term) {
    ToPositional(term);
    return term;
}

inline std::string Join(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        text += i == 0 ? "" : "+";
        text += items[i];
    }
    return text;
}

// Builds valid compact terms from bytes: a byte below 32 ends a term, any other names the
// letter (byte % n) and its case. A letter whose opposite is already in the term is dropped,
// and so is a repeat unless repeats are wanted; so is a term that ends up empty.
struct TTermBytes {
    const uint8_t* Data;
    size_t Size;
};

inline std::vector<std::string> MakeTerms(TTermBytes bytes, int n, size_t maxTerms, bool repeats) {
    std::vector<std::string> terms;
    std::string term;
    auto close = [&] {
        if (!term.empty() && terms.size() < maxTerms) {
            terms.push_back(term);
        }
        term.clear();
    };
    for (size_t i = 0; i < bytes.Size; ++i) {
        const uint8_t b = bytes.Data[i];
        if (b < 32) {
            close();
            continue;
        }
        const int k = b % n;
        const bool upper = ((b / n) & 1) != 0;
        const char c = static_cast<char>((upper ? 'A' : 'a') + k);
        const char opposite = static_cast<char>((upper ? 'a' : 'A') + k);
        if (term.size() >= TermCapacity || term.find(opposite) != std::string::npos ||
            (!repeats && term.find(c) != std::string::npos)) {
            continue;
        }
        term += c;
    }
    close();
    return terms;
}

// The ON set of a sum whose pieces are letters of the first n variables; an empty piece adds
// nothing. A piece holding anything else breaks the property "only letters of the first n".
[[clang::no_sanitize("coverage")]] inline std::vector<bool> SumOnSet(const std::string& text,
                                                                     int n) {
    std::vector<std::string> terms;
    for (const auto& piece : SplitOn(text, '+')) {
        if (piece.empty()) {
            continue;
        }
        for (const char c : piece) {
            if (!((c >= 'A' && c < 'A' + n) || (c >= 'a' && c < 'a' + n))) {
                Fail("results hold only letters of the first n variables", text);
            }
        }
        terms.push_back(piece);
    }
    return OnSet(terms, n);
}

inline std::string Bits(const std::vector<bool>& on) {
    std::string text;
    for (const bool b : on) {
        text += b ? '1' : '0';
    }
    return text;
}

}  // namespace fuzz
