// The textbook reader's pieces shared by its files: the characters read, the fault thrown,
// and the expression reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/Cube.h"

// Expressions are evaluated over all sixteen variables and narrowed at the end, as the count
// is known only once every letter is read.
constexpr int TextbookFullVars = 16;

// Where the text goes wrong: the index of the character, from 0, and why.
struct TTextbookFault {
    size_t At;
    std::string Text;
};

inline bool IsTextbookBlank(char32_t c) {
    return c <= 32 || c == 0xA0;
}

inline bool IsOneOf(char32_t c, std::u32string_view set) {
    return set.find(c) != std::u32string_view::npos;
}

// Variable number from 0 (A), or -1 for a character that is no letter A to P.
inline int VariableOf(char32_t c) {
    const char32_t up = (c >= 'a' && c <= 'z') ? c - 32 : c;
    return up >= 'A' && up <= 'P' ? static_cast<int>(up - 'A') : -1;
}

// The characters from a place on, blanks skipped; a fault is thrown as TTextbookFault.
class TTextCursor {
  public:
    TTextCursor(const std::u32string& text, size_t pos) : FText(text), FPos(pos) {}

  protected:
    [[noreturn]] static void Fail(size_t at, std::string text) {
        throw TTextbookFault{at, std::move(text)};
    }
    // Skips blanks; the position of the next character, or the end.
    size_t Skip() {
        while (FPos < FText.size() && IsTextbookBlank(FText[FPos])) {
            ++FPos;
        }
        return FPos;
    }
    // The next character after blanks, or 0 at the end.
    char32_t Peek() { return Skip() < FText.size() ? FText[FPos] : 0; }

    const std::u32string& FText;
    size_t FPos;
};

// The expression from pos to the end of the text, over sixteen variables, A the most
// significant bit; named is the count F(...) gave (0: none), highest gets the highest variable
// used, from 1 for A.
TMintermBits ReadTextbookExpression(const std::u32string& text, size_t pos, int named,
                                    int& highest);
