// Minterm numbering, the truth table operations and the walk over a term's minterms.
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

// Calls visit(m) for every minterm the masks cover, in increasing order; stops when visit
// returns false. A mask beyond the n-th variable covers nothing.
template <typename Visit>
void VisitMinterms(const TTermMasks& masks, uint32_t highMinterm, Visit visit) {
    if ((masks.Care & ~highMinterm) != 0) {
        return;
    }
    const uint32_t freeBits = highMinterm & ~masks.Care;
    uint32_t sub = 0;
    do {
        if (!visit(masks.Hi | sub)) {
            return;
        }
        sub = (sub - freeBits) & freeBits;
    } while (sub != 0);
}
