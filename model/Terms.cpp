// Term check, splitting, counting, positional and compact forms, masks.
#include "model/Terms.h"

#include <cstdlib>

#include "model/Letters.h"

std::string CutTerm(const std::string& text) {
    return text.substr(0, TermCapacity);
}

static bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

size_t DontCareMarkEnd(std::string_view row) {
    size_t i = 0;
    while (i < row.size() && IsBlank(row[i])) {
        ++i;
    }
    return i < row.size() && row[i] == DontCareMark ? i + 1 : 0;
}

bool TakeDontCareMark(std::string& text) {
    const size_t end = DontCareMarkEnd(text);
    text.erase(0, end);
    return end != 0;
}

TMarkedTerm ReadMarkedTerm(std::string_view row) {
    const size_t end = DontCareMarkEnd(row);
    std::string_view term = row.substr(end);
    while (!term.empty() && IsBlank(term.front())) {
        term.remove_prefix(1);
    }
    while (!term.empty() && IsBlank(term.back())) {
        term.remove_suffix(1);
    }
    return {end != 0, std::string(term)};
}

std::string TrimBlanks(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string JoinTrimmed(const TStringListAdv& list) {
    std::string text;
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) {
            text += '+';
        }
        text += TrimBlanks(list.Strings(i));
    }
    return text;
}

int CheckTerm(std::string& term, int n) {
    term = CutTerm(TrimBlanks(CutTerm(term)));
    if (static_cast<int>(term.size()) > n) {
        return TermTooLong;
    }
    if (term.empty()) {
        return TermEmpty;
    }
    // Later characters are compared before they are themselves checked, so the walk
    // reports whichever fault it meets first.
    for (size_t p = 0; p < term.size(); ++p) {
        if (!IsAllowedLetter(term[p], n)) {
            return TermBadChar;
        }
        const int cp = static_cast<unsigned char>(term[p]);
        for (size_t q = p + 1; q < term.size(); ++q) {
            if (std::abs(cp - static_cast<unsigned char>(term[q])) == 32) {
                term.clear();
                return TermContradiction;
            }
        }
    }
    return TermValid;
}

int SplitTerms(std::string& text, TStringListAdv& list, int& errorIndex, int n) {
    if (text.empty()) {
        return -1;
    }
    if (text.back() == '+') {
        text.pop_back();
    }
    std::string piece;
    for (const char c : text) {
        if (c == '+' || c == '\r' || c == '\n') {
            if (!piece.empty()) {
                list.Add(piece);
            }
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) {
        list.Add(piece);
    }

    int code = 0;
    TStringListAdv kept;
    for (int i = 0; i < list.Count(); ++i) {
        std::string term = CutTerm(list.Strings(i));
        const int result = CheckTerm(term, n);
        if (!term.empty()) {
            kept.Add(term);
        } else {
            code = result;
            errorIndex = i;
        }
    }

    text.clear();
    for (int i = 0; i < kept.Count(); ++i) {
        if (i > 0) {
            text += '+';
        }
        text += kept.Strings(i);
    }
    list.Clear();
    for (int i = 0; i < kept.Count(); ++i) {
        list.Add(kept.Strings(i));
    }
    return code;
}

int CountTerms(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    int count = 1;
    for (const char c : text) {
        count += c == '+' ? 1 : 0;
    }
    return count;
}

int VariableNumber(char c) {
    const char up = UpCase(c);
    return (up >= 'A' && up <= 'P') ? up - 'A' + 1 : 0;
}

void ToPositional(std::string& term, int n) {
    std::string positional(static_cast<size_t>(n), '1');
    for (const char c : term) {
        const int k = VariableNumber(c);
        if (k >= 1 && k <= n) {
            positional[static_cast<size_t>(k - 1)] = c;
        }
    }
    term = positional;
}

std::string ToCompact(const std::string& term) {
    std::string compact;
    for (const char c : term) {
        if (c != '1') {
            compact += c;
        }
    }
    return compact;
}

void PadTerm(std::string& term) {
    term.resize(TermCapacity, ' ');
}

bool LetterMasks(std::string_view term, int n, TCube& masks) {
    if (term.empty() || term.size() > static_cast<size_t>(n)) {
        return false;
    }
    masks = TCube{};
    for (const char c : term) {
        const int k = VariableNumber(c);
        if (k < 1 || k > n) {
            return false;
        }
        const uint32_t bit = 1u << (n - k);
        const uint32_t hi = c < 'a' ? bit : 0;
        if ((masks.Care & bit) != 0 && (masks.Hi & bit) != hi) {
            return false;
        }
        masks.Care |= bit;
        masks.Hi |= hi;
    }
    return true;
}

TCube TermMasks(const std::string& term, int n) {
    TCube masks;
    for (const char c : term) {
        if (c == '1') {
            continue;
        }
        const int k = static_cast<unsigned char>(UpCase(c)) - 'A' + 1;
        const uint32_t bit = 1u << (static_cast<unsigned>(n - k) & 31u);
        masks.Care |= bit;
        if (static_cast<unsigned char>(c) < 'a') {
            masks.Hi |= bit;
        }
    }
    return masks;
}
