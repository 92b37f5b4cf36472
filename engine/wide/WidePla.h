// A PLA of any width as the cube engine takes it.
#pragma once

#include <vector>

#include "engine/wide/WideMinimize.h"
#include "model/Pla.h"

// The function of the outputs given by number, from the input plane of a PLA past 16 inputs.
// Under types f and fd rows of 1 are ON, rows of - don't cares. A type with r gives the OFF set
// by rows of 0: what no row names is then a don't care, or ON when the type has no f.
TWideFunction WidePlaFunction(const TPla& pla, const std::vector<int>& outputs);

// False, with the error naming both lines, when an OFF row meets a row of 1 or - that the type
// counts at the same output.
bool WideOffRowsApart(const TPla& pla, TPlaError& error);

// The zeros of a function of one output (what is neither ON nor a don't care) as its ON set,
// with the same don't cares.
TWideFunction WideZeros(const TWideFunction& function);

// A cube's inputs as a PLA writes them: 0, 1 or - each.
std::string WideCubeText(const uint64_t* cube, int inputs);
