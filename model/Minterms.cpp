// Truth table writes and reads by term, term expansion, minterm names.
#include "model/Minterms.h"

#include <algorithm>

bool AnyDontCare(const TDontCareTable& dontCare, int n) {
    const auto end = dontCare.begin() + HighMintermOf(n) + 1;
    return std::any_of(dontCare.begin(), end, [](uint8_t flag) { return flag != 0; });
}

void AddTermToTable(const std::string& term, int n, TTruthTable& table) {
    ForEachCubeMinterm(TermMasks(term, n), HighMintermOf(n), [&](uint32_t m) {
        ++table[m];  // counts wrap at 256 by design
        return true;
    });
}

bool TermIsImplicant(const std::string& term, int n, const TTruthTable& table) {
    bool implicant = true;
    ForEachCubeMinterm(TermMasks(term, n), HighMintermOf(n), [&](uint32_t m) {
        implicant = table[m] != 0;
        return implicant;
    });
    return implicant;
}

void ExpandTerm(const std::string& term, int n, TStringListAdv& list) {
    std::string positional = term;
    ToPositional(positional, n);
    const TCube masks = TermMasks(positional, n);
    list.Clear();
    ForEachCubeMinterm(masks, HighMintermOf(n), [&](uint32_t m) {
        std::string s = positional;
        for (int k = 1; k <= n; ++k) {
            const uint32_t bit = 1u << (n - k);
            if ((masks.Care & bit) == 0) {
                s[static_cast<size_t>(k - 1)] =
                    static_cast<char>((m & bit) ? 'A' + k - 1 : 'a' + k - 1);
            }
        }
        list.Add(s);
        return true;
    });
}

std::string MintermToLetters(uint32_t number, int count, char firstLetter) {
    std::string s(static_cast<size_t>(count), ' ');
    for (int i = 1; i <= count; ++i) {
        const bool hi = (number >> (count - i)) & 1u;
        s[static_cast<size_t>(i - 1)] = static_cast<char>(firstLetter + i - 1 + (hi ? 0 : 32));
    }
    return s;
}

TMintermBits DontCareBits(const TDontCareTable& dontCare, int n) {
    TMintermBits bits = MakeMintermBits(n);
    for (uint32_t m = 0; m < (uint32_t{1} << n); ++m) {
        if (dontCare[m] != 0) {
            SetMinterm(bits, m);
        }
    }
    return bits;
}

bool TermCube(const std::string& term, int n, TCube& cube) {
    const TCube masks = TermMasks(term, n);
    if ((masks.Care & ~HighMintermOf(n)) != 0) {
        return false;
    }
    cube = masks;
    return true;
}
