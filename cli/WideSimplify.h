// `quillon simplify` for PLAs of more than 16 inputs: the cube engine's cover.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "model/Pla.h"

struct TWideRequest {
    bool Minimum = false;
    bool Sums = false;
    int64_t TimeLimitMs = -1;      // -1: the engine's own; it bounds a listing of primes too
    std::string Format = "terms";  // terms, pla, verilog, vhdl or c
    std::string Output;            // one output to simplify; empty for all
    std::string UnitName;          // for the unit formats; empty for the writers' default
    std::string Source;            // the file's name for messages
};

// The cover in the format asked for; warnings go to err. Fails with a TCommandError.
std::string SimplifyWide(const TPla& pla, const TWideRequest& request, std::ostream& err);
