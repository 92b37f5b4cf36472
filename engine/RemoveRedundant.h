// Redundant-term removal: drops absorbed terms and repeats, gives compact terms in code order.
#pragma once

#include <vector>

#include "engine/Sinks.h"
#include "engine/TermBits.h"
#include "model/SensitiveStr.h"

// Source and destination may be the same list. The gauge (may be null) gets the work list's
// count as maximum and the pairwise passes' positions, every tenth item.
void RemoveRedundant(const TStringListAdv& source, TStringListAdv& destination, int n,
                     TProgressSink* gauge = nullptr);

// The same on bit-mask terms, for callers that never held strings: the survivors in the work
// list's order (positional code order), the all-"1" term included. Moves the gauge alike.
std::vector<TCube> RemoveRedundantTerms(std::vector<TCube> terms, TProgressSink* gauge = nullptr);
// The same for terms already in work-list order without repeats (as SortPositional leaves them).
std::vector<TCube> RemoveRedundantSorted(const std::vector<TCube>& terms,
                                         TProgressSink* gauge = nullptr);

// Work-list order (the positional strings' code order) with repeats dropped.
void SortPositional(std::vector<TCube>& terms);

// Destination cleared and refilled with the terms' compact forms in code order; the all-"1"
// term, whose compact form is empty, is left out.
void AssignCompactTerms(const std::vector<TCube>& terms, int n, TStringListAdv& destination);

// Which terms another term covers, by a literal trie of the survivors; terms must be distinct.
// Exposed for the differential test against a pairwise check.
std::vector<bool> AbsorbedTerms(const std::vector<TCube>& terms);
