// The PLA writer: a unit of any number of outputs, or a single output.
#pragma once

#include <string>
#include <vector>

#include "model/Cube.h"
#include "model/DesignUnit.h"

// A multi-output PLA. SumOfProducts: .type f, one row per term with a 1 for every output that
// uses it, then under .type fd one row per don't-care cube with a "-" for its outputs. A
// function with no row at all gets the row "--...- 00..0" so that every reader finds one.
// ProductOfSums: .type fr (fdr with don't cares) with the ON set as rows of 1, the don't cares
// outside the zeros as rows of "-", and one row of 0 per sum, so that readers that take only
// the rows of 1 read the same function.
std::string WriteUnitPla(const TDesignUnit& unit);

// A single-output PLA over n inputs: .type f, or fd with don't-care rows after the ON rows
// (a unit of one output). Names missing from inputNames are
// the letters A to P.
std::string WritePla(int n, const std::vector<std::string>& inputNames,
                     const std::string& outputName, const std::vector<TCube>& on,
                     const std::vector<TCube>& dc = {});
