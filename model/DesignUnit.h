// A function written for other tools as a whole unit: Verilog, VHDL, C, plain text and PLA.
#pragma once

#include <cstddef>
#include <string>
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
    int Inputs = 0;                        // 1..16, more with WideTerms
    std::vector<std::string> InputNames;   // missing or empty entries: A, B, C, ...
    std::vector<std::string> OutputNames;  // missing or empty: F, or F1, F2, ... for several
    TUnitForm Form = TUnitForm::SumOfProducts;
    std::vector<TCube> Terms;               // each distinct term once
    std::vector<std::vector<size_t>> Uses;  // per output, the indices in Terms it combines
    // Past 16 inputs the terms instead, an input a character (0, 1 or -); the code writers
    // take them, the PLA writer does not.
    std::vector<std::string> WideTerms;
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

// A sum of the product of sums as a line of terms: cube aBc gives "A+b+C"; "" for the cube
// without letters (the sum that is always 0).
std::string SumTerm(const TCube& cube, int n);

// Cubes that cover exactly the minterms that no cube given covers, over n variables.
std::vector<TCube> ComplementCubes(const std::vector<TCube>& cubes, int n);

// Disjoint cubes that cover exactly the set (2^n bits).
std::vector<TCube> CubesOfSet(const TMintermBits& set, int n);
