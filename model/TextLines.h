// Texts as lines: the rule of line ends, the line splitters, the term file reader, the term plot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The one rule of line ends: CR LF, a lone CR or a lone LF ends a line. Fed the characters of a
// text in order, it says of each whether it belongs to a line, ends one, or is the LF of a CR LF.
class TLineEnds {
  public:
    enum TKind { Text, End, Skip };

    template <typename Char>
    TKind Step(Char c) {
        const bool afterCR = FAfterCR;
        FAfterCR = c == Char('\r');
        if (c == Char('\n')) {
            return afterCR ? Skip : End;
        }
        return FAfterCR ? End : Text;
    }

  private:
    bool FAfterCR = false;
};

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

    TLineEnds FEnds;
    std::vector<std::string> FLines;
    std::string FLine;
    size_t FInnerBlanks = 0;
    bool FStarted = false;
    bool FLeadingBlanks = false;
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
// and returns the number of all lines. A last line without an ending counts.
template <typename Char>
size_t SplitLineSpans(const Char* text, size_t size, size_t maxKept,
                      std::vector<TLineSpan>& spans) {
    spans.clear();
    TLineEnds ends;
    size_t count = 0;
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        const TLineEnds::TKind kind = ends.Step(text[i]);
        if (kind == TLineEnds::End && count++ < maxKept) {
            spans.push_back({start, i - start});
        }
        if (kind != TLineEnds::Text) {
            start = i + 1;
        }
    }
    if (start < size && count++ < maxKept) {
        spans.push_back({start, size - start});
    }
    return count;
}

// Splits a text that arrives in chunks of any size into lines, untrimmed, and hands each to a
// callback as it completes; the callback returns false to stop. Only a line that spans chunks
// is copied, so a whole text fed at once costs no memory per line.
class TLineSplitter {
  public:
    template <typename OnLine>
    bool Feed(std::string_view chunk, OnLine&& onLine) {
        size_t start = 0;
        for (size_t i = 0; i < chunk.size(); ++i) {
            const TLineEnds::TKind kind = FEnds.Step(chunk[i]);
            if (kind == TLineEnds::Text) {
                continue;
            }
            const size_t begin = start;
            start = i + 1;
            if (kind == TLineEnds::Skip) {
                continue;
            }
            if (!Emit(chunk.substr(begin, i - begin), onLine)) {
                return false;
            }
        }
        FPending.append(chunk.substr(start));
        return true;
    }

    // Ends a last line that has no line end.
    template <typename OnLine>
    bool Finish(OnLine&& onLine) {
        return FPending.empty() || Emit({}, onLine);
    }

  private:
    template <typename OnLine>
    bool Emit(std::string_view tail, OnLine& onLine) {
        if (FPending.empty()) {
            return onLine(tail);
        }
        FPending.append(tail);
        const bool more = onLine(std::string_view(FPending));
        FPending.clear();
        return more;
    }

    TLineEnds FEnds;
    std::string FPending;
};

// Every line of a whole text, as TLineSplitter gives them.
template <typename OnLine>
bool ForEachLine(std::string_view text, OnLine&& onLine) {
    TLineSplitter splitter;
    return splitter.Feed(text, onLine) && splitter.Finish(onLine);
}

// What a sum of products marks on a map of the first 2^n minterms.
struct TPlotOutcome {
    std::vector<std::string> Pieces;  // the non-empty pieces between "+", CR and LF, in order
    std::vector<uint32_t> Marked;     // minterms marked, each once, in the order first marked
    bool OutOfRange = false;  // a term used a letter beyond n and a later piece stopped the plot
};

// Marks the minterms of every valid term (cut to 16 characters); a term using a letter beyond
// the n-th is skipped, and the plot stops with OutOfRange at the next piece after it.
TPlotOutcome PlotTerms(const std::string& text, int n);

// A piece of a text for a message: at most 40 characters, then "..." and the full length.
std::string Excerpt(std::string_view text);

// Removes the UTF-8 byte-order mark that editors on some systems put before a file's first line.
void SkipByteOrderMark(std::string_view& firstLine);

// A count written in decimal digits; numbers too large for any count read as the largest.
bool ParseCount(std::string_view word, uint64_t& value);
