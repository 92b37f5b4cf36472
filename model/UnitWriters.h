// Writing a unit as Verilog, VHDL, C, text or PLA.
#pragma once

#include <string>

#include "model/DesignUnit.h"

// The unit in the format:
//   Verilog  a module with an input wire per input and an output wire per output; a term used
//            by several outputs is a wire of its own
//   VHDL     library ieee, an entity with std_logic ports, and architecture rtl; a shared term
//            is a signal
//   C        a static inline function with an int parameter per input, in an include guard.
//            One output: it returns the output (0 or 1). Several: it returns a struct
//            <name>_outputs with an int member per output; a shared term is a local constant.
//            It compiles as C99 and as C++.
//   Text     the sum with ' for NOT (AB' + C), or the product of sums ((A + B')(A' + C)); one
//            line "name = ..." per output when there are several
//   Pla      see WriteUnitPla
std::string WriteUnit(TExportFormat format, const TDesignUnit& unit);
