// Berkeley PLA files: the reader, one output's function as cubes and minterm sets, the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Terms.h"

// The most inputs a PLA may have here: one per variable A to P.
constexpr int MaxPlaInputs = 16;

// One row: the input cube (masks over the file's inputs, the first input the most significant
// bit) and one character per output.
struct TPlaRow {
    TTermMasks Cube;
    std::string Outputs;
    size_t Line = 0;  // 1-based line of the file
};

struct TPla {
    int Inputs = 0;
    int Outputs = 0;
    std::vector<std::string> InputNames;   // from .ilb; empty when the file gives none
    std::vector<std::string> OutputNames;  // from .ob; empty when the file gives none
    std::string Type = "fd";               // what the output characters mean
    std::vector<TPlaRow> Rows;
};

// What went wrong and where; Line 0 when the fault is the file as a whole.
struct TPlaError {
    size_t Line = 0;
    std::string Text;
    std::string Message() const;  // "line 7: ..." or the text alone
};

// Reads a PLA text. On failure pla is left as it was and error says why.
bool ReadPla(std::string_view text, TPla& pla, TPlaError& error);

// Name of output i (0-based): from .ob, else F for a single output and F1, F2, ... otherwise.
std::string PlaOutputName(const TPla& pla, int output);

// The output an answer names: its name, or its number from 1; -1 when it names none.
int FindPlaOutput(const TPla& pla, const std::string& answer);

// One output as a function of the file's inputs. A minterm that is both ON and don't care is ON.
struct TPlaFunction {
    int Inputs = 0;
    std::vector<TTermMasks> On;  // the ON cubes in file order, each once
    std::vector<TTermMasks> Dc;  // cubes whose union holds every don't care
    std::vector<uint8_t> OnSet;  // 1 per ON minterm, 2^Inputs entries
    std::vector<uint8_t> DcSet;  // 1 per don't-care minterm that is not ON
    size_t DcCount = 0;          // entries set in DcSet
};

// The function of one output under the file's .type: "1" puts a cube in the ON set, "0" in the
// OFF set (types with r), "-" in the don't-care set (types with d), "~" nowhere. With an OFF
// set, what no row names is a don't care. An OFF row that meets an ON or don't-care row is an
// error naming both lines.
bool PlaOutputFunction(const TPla& pla, int output, TPlaFunction& function, TPlaError& error);

// The compact term of a cube over n variables: letter k for bit n - k, upper case when HI.
std::string CubeTerm(const TTermMasks& cube, int n);

// A single-output PLA over n inputs: .type f, or fd with don't-care rows after the ON rows
// (written by model/PlaWriter.cpp as a unit of one output). Names missing from inputNames are
// the letters A to P.
std::string WritePla(int n, const std::vector<std::string>& inputNames,
                     const std::string& outputName, const std::vector<TTermMasks>& on,
                     const std::vector<TTermMasks>& dc = {});
