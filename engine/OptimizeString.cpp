// Term merging on bit-mask positional terms, then redundant-term removal.
#include "engine/OptimizeString.h"

#include <bit>
#include <vector>

#include "engine/RemoveRedundant.h"
#include "engine/TermBits.h"
#include "model/Letters.h"
#include "model/SensitiveStr.h"
#include "model/Terms.h"

namespace {

// The one position where two otherwise equal terms hold opposite letters, or 0.
uint32_t AdjacentBit(TCube x, TCube y) {
    const uint32_t differ = x.Hi ^ y.Hi;
    return x.Care == y.Care && std::popcount(differ) == 1 ? differ : 0;
}

enum class TReduce { None, Second, First };

// A reducible pair conflicts at exactly one variable, and only one of the two has letters
// the other lacks; that one loses its conflicting letter.
TReduce Reduction(TCube x, TCube y, uint32_t& conflict) {
    conflict = x.Care & y.Care & (x.Hi ^ y.Hi);
    if (std::popcount(conflict) != 1) {
        return TReduce::None;
    }
    const uint32_t onlyX = x.Care & ~y.Care;
    const uint32_t onlyY = y.Care & ~x.Care;
    if (onlyX == 0 && onlyY != 0) {
        return TReduce::Second;
    }
    if (onlyY == 0 && onlyX != 0) {
        return TReduce::First;
    }
    return TReduce::None;
}

void Drop(TCube& term, uint32_t bit) {
    term.Care &= ~bit;
    term.Hi &= ~bit;
}

}  // namespace

std::string MergeTerms(const std::string& text, int n) {
    const std::vector<std::string> pieces = SplitAtPlus(text);
    const size_t c = pieces.size();
    if (c < 2) {
        return text;
    }
    const char letter = UpCase(pieces[1][0]);
    std::vector<TCube> items;
    items.reserve(c);
    for (const auto& piece : pieces) {
        items.push_back(PositionalBits(piece, n));
    }

    // Every change drops a letter, so the passes end.
    bool changed = true;
    while (changed) {
        changed = false;
        if (c == 2) {
            TCube x = items[1];
            if (const uint32_t bit = AdjacentBit(x, items[0]); bit != 0) {
                Drop(x, bit);
                return CubeTerm(x, n);
            }
        }
        for (size_t i = 0; i + 1 < c; ++i) {
            TCube x = items[i];
            for (size_t j = i + 1; j < c; ++j) {
                TCube y = items[j];
                if (const uint32_t bit = AdjacentBit(x, y); bit != 0) {
                    Drop(y, bit);
                    items[j] = y;
                    changed = true;
                    if (y.Care == 0) {
                        return std::string{letter, '+', LowCase(letter)};
                    }
                }
                uint32_t conflict = 0;
                switch (Reduction(x, y, conflict)) {
                    case TReduce::Second:
                        Drop(y, conflict);
                        items[j] = y;
                        break;
                    case TReduce::First:
                        Drop(x, conflict);
                        items[i] = x;
                        changed = true;
                        break;
                    case TReduce::None:
                        break;
                }
            }
        }
    }

    std::string result;
    for (size_t i = 0; i < c; ++i) {
        if (i > 0) {
            result += '+';
        }
        result += CubeTerm(items[i], n);
    }
    return result;
}

std::optional<std::string> OptimizeString(const std::string& text, std::string& result, int n,
                                          TProgressSink* gauge) {
    if (text.size() < 3) {
        result = text;
        return std::nullopt;
    }
    TStringListAdv terms(true);
    for (const auto& piece : SplitAtPlus(text)) {
        terms.Add(piece);
    }
    const int c0 = terms.Count();
    if (c0 < 2) {
        return std::nullopt;
    }

    const std::string merged = MergeTerms(text, n);
    if (merged.empty() || merged[0] == 'X') {
        result = merged;
        return std::nullopt;
    }
    terms.Clear();
    for (const auto& piece : SplitAtPlus(merged)) {
        terms.Add(piece);
    }
    RemoveRedundant(terms, terms, n, gauge);

    result = JoinTrimmed(terms);
    return std::to_string(c0 - terms.Count()) + " Removed";
}
