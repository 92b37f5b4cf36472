// A PLA of any width as the cube engine takes it.
#pragma once

#include <vector>

#include "engine/wide/WideMinimize.h"
#include "model/Pla.h"

// The function of the outputs given by number: rows of 1 are ON, rows of - don't cares (types
// f and fd; the input plane of a PLA past 16 inputs).
TWideFunction WidePlaFunction(const TPla& pla, const std::vector<int>& outputs);

// A cube's inputs as a PLA writes them: 0, 1 or - each.
std::string WideCubeText(const uint64_t* cube, int inputs);
