// A lower bound on the terms of any cover, from points no one term can cover together.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/wide/WideCubes.h"

// Finds in each term of an irredundant cover a point of an output only it covers, and keeps
// a set of them no two of which fit in one implicant: any cover needs a term for each.
size_t WitnessBound(const TWideCubes& cover, const std::vector<TWideCubes>& off,
                    const std::vector<TWideCubes>& dc, int outputs);
