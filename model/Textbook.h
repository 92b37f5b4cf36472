// Functions as a textbook writes them: expressions, minterm and maxterm lists, truth-table
// columns. One reader for the dialogs and the command line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/Cube.h"

// The deepest nesting of parentheses read: textbooks stay far below it, and the reader's stack
// stays small however many a text opens.
constexpr int MaxTextbookDepth = 100;

struct TTextbookFunction {
    // 1 to 16: the variables F(...) names, else the highest letter used, the fewest that hold a
    // list's largest index, or a column's length as a power of two.
    int VarCount = 0;
    TMintermBits On;  // over VarCount variables, A the most significant bit
    TMintermBits Dc;  // don't cares; none of them is ON
};

// What went wrong and where.
struct TTextbookError {
    size_t Column = 0;  // from 1, in characters as the user sees them: Σ counts one
    std::string Text;
    std::string Message() const;  // "column 5: ..."
};

// Reads UTF-8 text: an optional "F =" or "F(A,B,C) =", then an expression (NOT as ', !, ~ or
// ¬; AND by juxtaposition or * & · ∧ .; XOR as ^ or ⊕; OR as + | ∨; 0, 1 and parentheses,
// binding in that order), a list (Σm(…), m(…), ΠM(…), M(…), each with an optional + d(…)) or a
// column of 0, 1, - and x, one character a row. On failure function is left as it was.
bool ReadTextbook(std::string_view text, TTextbookFunction& function, TTextbookError& error);

// A set's terms in this program's notation: disjoint cubes, lowest minterm first. The set of
// every minterm is written as A and a, since no term stands for it alone.
std::vector<std::string> SetTerms(const TMintermBits& set, int n);
