// A function written for other tools as a whole unit: Verilog, VHDL, C, plain text and PLA.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/Cube.h"
#include "model/Terms.h"

// SumOfProducts: each output is the OR of its terms. ProductOfSums: each term is a cube of the
// zeros, and each output is the AND of the sums its terms stand for (cube aBc is the sum
// A + b + C: every letter flipped).
enum class TUnitForm { SumOfProducts, ProductOfSums };

enum class TExportFormat { Verilog, Vhdl, C, Text, Pla };

// One unit with any number of outputs that share terms. Cubes are over Inputs variables, the
// first input the most significant bit.
struct TDesignUnit {
    std::string Name;                      // the module, entity or function; made legal
    int Inputs = 0;                        // 1..16
    std::vector<std::string> InputNames;   // missing or empty entries: A, B, C, ...
    std::vector<std::string> OutputNames;  // missing or empty: F, or F1, F2, ... for several
    TUnitForm Form = TUnitForm::SumOfProducts;
    std::vector<TCube> Terms;               // each distinct term once
    std::vector<std::vector<size_t>> Uses;  // per output, the indices in Terms it combines
    // Per output, the inputs where its value does not matter; only the PLA writes them.
    std::vector<std::vector<TCube>> DontCares;
};

// The name a unit gets when it has none, such as output written for standard input.
extern const char* const DefaultUnitName;

// A unit of one output over every term given, in their order.
TDesignUnit SingleOutputUnit(std::string name, int inputs, std::vector<TCube> terms,
                             std::vector<std::string> inputNames, std::string outputName,
                             TUnitForm form = TUnitForm::SumOfProducts,
                             std::vector<TCube> dontCares = {});

// The unit name a file gives: its name without folders and without its last extension.
std::string UnitNameOfFile(const std::string& path);

// The format a file name's extension names (.v .sv .vhd .vhdl .c .h .pla .txt, any case);
// false when it names none.
bool ExportFormatOfFile(const std::string& path, TExportFormat& format);

// The names a writer uses. Verilog, VHDL and C: the same names in all three, identifiers legal
// in each of them (at most 1000 characters), none a reserved word or a standard macro of any,
// all distinct without regard to case, the unit's name distinct from the ports. Text keeps the
// names given; PLA only replaces blanks and control characters. In every format an output takes
// a suffix ("_2") rather than repeat an input's name.
struct TUnitNames {
    std::string Unit;
    std::vector<std::string> Inputs;
    std::vector<std::string> Outputs;

    // A further name (a signal, a local) made legal and distinct from every name so far.
    std::string Internal(const std::string& name);

    TExportFormat Format = TExportFormat::Text;
    bool Caseless = false;        // Verilog, VHDL, C: names that differ in case only are the same
    std::set<std::string> Taken;  // in lower case when Caseless

    std::string Fresh(const std::string& legal);  // legal, or legal_2, legal_3, ...
};
TUnitNames UnitNames(TExportFormat format, const TDesignUnit& unit);

// The ports the format writes under another name than the one given (or the default letter):
// pairs of the name before and after, inputs first.
std::vector<std::pair<std::string, std::string>> RenamedPorts(TExportFormat format,
                                                              const TDesignUnit& unit);
// The same as one line for a message ("a to a_2, b to b_2 and 3 more"), empty when none is
// renamed; long names are cut, since a message names them only to be found.
std::string RenamedPortsText(TExportFormat format, const TDesignUnit& unit);

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

// A multi-output PLA. SumOfProducts: .type f, one row per term with a 1 for every output that
// uses it, then under .type fd one row per don't-care cube with a "-" for its outputs. A
// function with no row at all gets the row "--...- 00..0" so that every reader finds one.
// ProductOfSums: .type fr (fdr with don't cares) with the ON set as rows of 1, the don't cares
// outside the zeros as rows of "-", and one row of 0 per sum, so that readers that take only
// the rows of 1 read the same function.
std::string WriteUnitPla(const TDesignUnit& unit);

// A sum of the product of sums as a line of terms: cube aBc gives "A+b+C"; "" for the cube
// without letters (the sum that is always 0).
std::string SumTerm(const TCube& cube, int n);

// Cubes that cover exactly the minterms that no cube given covers, over n variables.
std::vector<TCube> ComplementCubes(const std::vector<TCube>& cubes, int n);

// Disjoint cubes that cover exactly the set (2^n bits).
std::vector<TCube> CubesOfSet(const TMintermBits& set, int n);
