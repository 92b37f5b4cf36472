// Terms of the cube engine written out: as a unit for the Verilog, VHDL and C writers, or a PLA.
#pragma once

#include <string>
#include <vector>

#include "engine/wide/WideMinimize.h"
#include "model/DesignUnit.h"
#include "model/Pla.h"

// The terms of the function of the PLA's outputs given, each feeding the outputs it holds;
// inputs without a name are x1 to xN.
TDesignUnit WideTermsUnit(const TPla& pla, const std::vector<int>& outputs,
                          const TWideFunction& function, const TWideCubes& terms, std::string name);

// A PLA of the terms as rows of 1 and the function's don't cares as rows of -.
std::string WideTermsPla(const TPla& pla, const std::vector<int>& outputs,
                         const TWideFunction& function, const TWideCubes& terms);
