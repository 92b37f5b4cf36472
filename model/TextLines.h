// Term texts as lines: the text file reader, the clipboard's line split and the map's term plot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Most lines a text term file may hold.
constexpr size_t MaxTextLines = 65536;

// Reads a term file fed in chunks of any size. A line ends at CR LF, a lone CR or a lone LF;
// a last line without an ending counts. Lines are trimmed of characters of code 32 or less,
// and a line longer than a term can ever be is kept only to one character past the limit, so
// any file, however long its lines, costs little memory and still fails the format check. A
// don't-care line may be one longer, for its mark.
class TTermLineReader {
  public:
    // False once more than MaxTextLines lines have been seen; the reader then takes no more.
    bool Feed(const char* data, size_t size);
    // Ends the last line; false when that line is one too many.
    bool Finish();

    const std::vector<std::string>& Lines() const { return FLines; }
    bool TooMany() const { return FTooMany; }

  private:
    void AddChar(char byte);
    bool EndLine();

    std::vector<std::string> FLines;
    std::string FLine;
    size_t FInnerBlanks = 0;
    bool FStarted = false;
    bool FLeadingBlanks = false;
    bool FAfterCR = false;
    bool FTooMany = false;
};

// A read line that a term file may hold: 1 to 16 letters A to P in either case.
bool IsTermLine(const std::string& line);

// A term line, or a don't-care term line: the mark "-" and then a term line.
bool IsTermFileLine(const std::string& line);

// Where a line of a text lies.
struct TLineSpan {
    size_t Start = 0;
    size_t Length = 0;
};

// Splits like the file reader, without trimming. Keeps the spans of the first maxKept lines
// and returns the number of all lines.
template <typename Char>
size_t SplitLineSpans(const Char* text, size_t size, size_t maxKept,
                      std::vector<TLineSpan>& spans) {
    spans.clear();
    size_t count = 0;
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        const Char c = text[i];
        if (c != Char('\r') && c != Char('\n')) {
            continue;
        }
        if (count++ < maxKept) {
            spans.push_back({start, i - start});
        }
        if (c == Char('\r') && i + 1 < size && text[i + 1] == Char('\n')) {
            ++i;
        }
        start = i + 1;
    }
    if (start < size && count++ < maxKept) {
        spans.push_back({start, size - start});
    }
    return count;
}

// What a sum of products marks on a map of the first 2^n minterms.
struct TPlotOutcome {
    std::vector<std::string> Pieces;  // the non-empty pieces between "+", CR and LF, in order
    std::vector<uint32_t> Marked;     // minterms marked, each once, in the order first marked
    bool OutOfRange = false;  // a term used a letter beyond n and a later piece stopped the plot
};

// Marks the minterms of every valid term (cut to 16 characters); a term using a letter beyond
// n is skipped, and the plot stops with OutOfRange at the next piece after it.
TPlotOutcome PlotTerms(const std::string& text, uint32_t highMinterm);
