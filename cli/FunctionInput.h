// What `quillon simplify` reads: a PLA file or a term list, line by line as it arrives.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/FunctionSet.h"

// One function as the engine takes it.
struct TFunctionInput {
    int Inputs = 0;                       // variables the file names (1..16)
    int VarCount = 3;                     // variables the engine works over: Inputs, at least 3
    TMintermBits On;                      // over VarCount variables
    TMintermBits Dc;                      // don't cares, none of them ON
    std::vector<std::string> InputNames;  // from the PLA's .ilb; empty otherwise
    std::string OutputName = "F";
};

// What the input was read as: the function set of the outputs asked for, and what the reader
// skipped, to be told as a warning ("" when nothing).
struct TInputRead {
    std::string Source;  // the file's name, or "standard input"
    TFunctionSet Functions;
    TPla Wide;  // a PLA of more than 16 inputs, for the cube engine; Functions is then empty
    std::string Warning;
};

// Reads the input a line at a time: a term list when its first line is a number (the variable
// count 3..16, then a term a line, "-term" for a don't care; a minterm both ON and don't care is
// ON, as in the editor), otherwise a PLA. outputName picks a PLA's output (its name, the one name
// equal to it without regard to case, or its number; empty for all of them). Bad input fails
// with a TCommandError naming the source and the line.
class TFunctionReader {
  public:
    TFunctionReader(std::string source, std::string outputName);
    ~TFunctionReader();
    TFunctionReader(const TFunctionReader&) = delete;
    TFunctionReader& operator=(const TFunctionReader&) = delete;

    void Line(std::string_view text);
    TInputRead Finish();

  private:
    class TTermList;
    std::string FSource;
    std::string FOutputName;
    size_t FLine = 0;
    std::unique_ptr<TTermList> FTerms;  // set when the first line is a number
    std::unique_ptr<TPlaReader> FPla;   // set otherwise
};

// Reads FILE, or the stream for "-", to its end through the reader, at most 64 MiB.
TInputRead ReadFunctionInput(const std::string& file, const std::string& outputName,
                             std::istream& in);

// Reads the text of --function, as a textbook writes the function (model/Textbook.h); a fault
// fails naming its column.
TInputRead ReadFunctionText(const std::string& text, const std::string& outputName);

// Output j of the set as the engine takes it, over at least 3 variables; sets the program-wide
// variable count.
TFunctionInput EngineFunction(const TFunctionSet& set, size_t output);
