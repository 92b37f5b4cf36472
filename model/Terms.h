// Term notation: the check with its codes, splitting and counting sums, term forms and masks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Cube.h"
#include "model/SensitiveStr.h"

// CheckTerm codes.
constexpr int TermValid = 0;
constexpr int TermTooLong = 1;
constexpr int TermContradiction = 3;
constexpr int TermEmpty = 4;
constexpr int TermBadChar = -1;

// A don't-care term is written with this mark before it: "-AbC".
constexpr char DontCareMark = '-';

// Where a row's text after its don't-care mark starts ("  -AbC" gives 3: blanks may come before
// the mark), or 0 when the row has no mark. The one reading of the mark.
size_t DontCareMarkEnd(std::string_view row);

// Removes a leading don't-care mark; true when there was one.
bool TakeDontCareMark(std::string& text);

// A row of the editor or a line of a term list, read for its term.
struct TMarkedTerm {
    bool DontCare = false;
    std::string Term;  // after the mark, if any, without the blanks around it; not cut
};
TMarkedTerm ReadMarkedTerm(std::string_view row);

// Keeps the first 16 characters, as every term cell and term variable does.
std::string CutTerm(const std::string& text);

// Removes characters of code 32 or less from both ends.
std::string TrimBlanks(const std::string& text);

// The list's items, each trimmed, joined by "+": the sum of products it holds.
std::string JoinTrimmed(const TStringListAdv& list);

// Trims the term in place (at most 16 characters) and returns its code for n variables.
int CheckTerm(std::string& term, int n);

// Splits a sum of products into the list, drops emptied terms and rewrites the text; the terms
// are checked for n variables.
int SplitTerms(std::string& text, TStringListAdv& list, int& errorIndex, int n);

// 0 for an empty text, otherwise 1 plus the number of "+".
int CountTerms(const std::string& text);

// Rewrites a term as n characters, "1" for a free variable.
void ToPositional(std::string& term, int n);

// Every character that is not "1", in order.
std::string ToCompact(const std::string& term);

// Pads with blanks to exactly 16 characters.
void PadTerm(std::string& term);

// Care and HI masks, variable A the most significant of n bits; positional or compact terms.
TCube TermMasks(const std::string& term, int n);

// The masks of a term of at most n letters, each of the first n in either case, with no blank
// and no variable in both cases; false for anything else, which the full check then names.
bool LetterMasks(std::string_view term, int n, TCube& masks);

// Variable number of a letter A..P in either case (A = 1), or 0.
int VariableNumber(char c);
