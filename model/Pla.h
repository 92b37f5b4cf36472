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
// The most inputs a PLA read for the cube engine may have.
constexpr int MaxWidePlaInputs = 4096;
// The most outputs: far more than a design minimized together has, and few enough that the sets
// of every output of 16 inputs fit in memory at once.
constexpr int MaxPlaOutputs = 4096;

// One row: the input cube (masks over the file's inputs, the first input the most significant
// bit) and the line it came from. Its output characters are in the PLA's output plane.
struct TPlaRow {
    TCube Cube;
    size_t Line = 0;  // 1-based line of the file
};

struct TPla {
    int Inputs = 0;
    int Outputs = 0;
    std::vector<std::string> InputNames;   // from .ilb; empty when the file gives none
    std::vector<std::string> OutputNames;  // from .ob; empty when the file gives none
    std::string Type = "fd";               // what the output characters mean
    std::vector<TPlaRow> Rows;
    // The output characters of every row, Outputs of them a row, each 0, 1, - or ~ (the file's
    // 4, 2 and 3 are read as 1, - and 0). One string, not one a row, keeps a long file small.
    std::string OutputPlane;
    // Past MaxPlaInputs, the input characters of every row, Inputs of them a row, each 0, 1 or
    // -; the rows' cubes are then empty.
    std::string InputPlane;
    // Text the reader skipped (lines before .i, taken as a title), said in one line; empty when
    // nothing was skipped. Whoever shows the result should show it too.
    std::string Warning;

    // The output characters of row i.
    std::string_view RowOutputs(size_t row) const {
        const auto width = static_cast<size_t>(Outputs);
        return std::string_view(OutputPlane).substr(row * width, width);
    }
};

// What went wrong and where; Line 0 when the fault is the file as a whole.
struct TPlaError {
    size_t Line = 0;
    std::string Text;
    std::string Message() const;  // "line 7: ..." or the text alone
};

// Reads a PLA a line at a time, as the file arrives; ReadPla does the same over a whole text.
// Rows may separate their fields by blanks or "|"; lines before .i are skipped as a title.
class TPlaReader {
  public:
    // maxInputs above MaxPlaInputs fills the input plane instead of the rows' cubes.
    explicit TPlaReader(int maxInputs = MaxPlaInputs) : FMaxInputs(maxInputs) {}
    // Takes the next line, without its line end. False once the file is refused; Error() then
    // says why and later lines are ignored. Lines after .e are ignored.
    bool Line(std::string_view text);
    // Ends the file: the PLA read, or false with the error when it was refused or is incomplete.
    bool Finish(TPla& pla);
    const TPlaError& Error() const { return FError; }

  private:
    bool Fail(size_t line, std::string text);
    // A keyword line's first words and how many words it has.
    bool Keyword(const std::vector<std::string_view>& words, size_t count);
    bool Count(const std::vector<std::string_view>& words, size_t count);
    bool Names(const std::vector<std::string_view>& words, size_t count);
    bool Row(std::string_view text);
    void SkipTitle(std::string_view text);

    int FMaxInputs;
    TPla FPla;
    TPlaError FError;
    size_t FLine = 0;
    size_t FTitleLine = 0;   // first line skipped before .i
    std::string FTitle;      // its text, shortened
    size_t FTitleLines = 0;  // lines skipped before .i
    bool FEnded = false;
    bool FFailed = false;
    std::string FPending;  // a wide row's first lines
    size_t FPendingChars = 0;
};

// Reads a PLA text. On failure pla is left as it was and error says why.
bool ReadPla(std::string_view text, TPla& pla, TPlaError& error);

// Name of output i (0-based): from .ob, else F for a single output and F1, F2, ... otherwise.
std::string PlaOutputName(const TPla& pla, int output);

// The output an answer names: its name, else the one name equal to it without regard to case,
// else its number from 1; -1 when it names none. Names are compared, never generated, so a
// file of many outputs costs no more than its .ob line.
int FindPlaOutput(const TPla& pla, const std::string& answer);

// The first outputs' names for a message: "sum, cout", or "F1, F2, ..., F20, ..." for many.
std::string PlaOutputList(const TPla& pla);

// One output as a function of the file's inputs. Under a type with d, a minterm that is both ON
// and don't care is a don't care, as the format defines.
struct TPlaFunction {
    int Inputs = 0;
    // The ON cubes in file order, each once; when don't cares took part of them, cubes of what
    // is left instead.
    std::vector<TCube> On;
    std::vector<TCube> Dc;       // cubes whose union is the don't-care set
    std::vector<uint8_t> OnSet;  // 1 per ON minterm, 2^Inputs entries
    std::vector<uint8_t> DcSet;  // 1 per don't-care minterm; none is ON
    size_t DcCount = 0;          // entries set in DcSet
};

// The function of one output under the file's .type: "1" puts a cube in the ON set (types with
// f), "0" in the OFF set (types with r), "-" in the don't-care set (types with d), "~" nowhere.
// With an OFF set, what no row names is a don't care, or ON when the type has no f (r, dr). An
// OFF row that meets an ON or don't-care row is an error naming both lines.
bool PlaOutputFunction(const TPla& pla, int output, TPlaFunction& function, TPlaError& error);

// The don't-care cubes without the ON cubes' minterms: a PLA's don't cares win over its ON rows,
// an editor's do not. The same cubes when none meets an ON cube, else a cover of what is left.
std::vector<TCube> DontCaresApart(int n, const std::vector<TCube>& on,
                                  const std::vector<TCube>& dc);
