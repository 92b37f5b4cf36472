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

// A product of sums of one output as a PLA of types fr or fdr, like the narrow writer's: rows of
// 1 for what neither a sum's zeros nor a don't care hold, rows of - for the don't cares left,
// and each sum's cube of zeros (a term of the zeros function) as a row of 0.
std::string WideSumsPla(const TPla& pla, int output, const TWideFunction& zeros,
                        const TWideCubes& terms);
