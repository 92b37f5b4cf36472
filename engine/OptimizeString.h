// Symbolic shortening of a sum of products: merging, consensus reduction, absorption.
#pragma once

#include <optional>
#include <string>

#include "engine/Sinks.h"

// Both read terms of n variables.

// Merges adjacent terms (AB+Ab: A) and shortens terms by consensus with a neighbour
// (aC+ABC: aC+BC), repeating while a pass changes something. Terms come back in input order,
// repeats and absorbed terms included. A sum that merges into the constant HI comes back as
// the representative letter and its lower case ("A+a", letter taken from the second term).
std::string MergeTerms(const std::string& text, int n);

// Shortens the text into result. Texts under 3 characters come back unchanged; with fewer than
// two distinct terms result is left as it was. Returns the count panel's text
// ("<terms saved> Removed") when the last step ran, nothing otherwise. The gauge (may be null)
// moves with the removal of absorbed terms in that step.
std::optional<std::string> OptimizeString(const std::string& text, std::string& result, int n,
                                          TProgressSink* gauge = nullptr);
