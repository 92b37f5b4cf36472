// Minterm numbering and the truth table operations.
#pragma once

#include <cstdint>
#include <string>

#include "model/Cube.h"
#include "model/Letters.h"
#include "model/SensitiveStr.h"
#include "model/Terms.h"

// Counts the term's minterms of n variables once more in the table.
void AddTermToTable(const std::string& term, int n, TTruthTable& table);
// True when the table is not 0 on any of the term's minterms.
bool TermIsImplicant(const std::string& term, int n, const TTruthTable& table);
// The term's minterm strings of n letters, into the list (cleared first).
void ExpandTerm(const std::string& term, int n, TStringListAdv& list);
std::string MintermToLetters(uint32_t number, int count, char firstLetter);
// The term's cube over n variables; false, with no cube, for a term that names a letter beyond
// them and so covers nothing.
bool TermCube(const std::string& term, int n, TCube& cube);
// The minterms of n variables marked in a don't-care table.
TMintermBits DontCareBits(const TDontCareTable& dontCare, int n);
