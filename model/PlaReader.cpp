// The PLA reader: a file a line at a time, as it arrives.
#include "model/Pla.h"

#include "model/TextLines.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

// The first maxKept blank-separated words of a keyword line, and how many it has: a line of
// millions of names costs no more memory than its text.
std::vector<std::string_view> Words(std::string_view text, size_t maxKept, size_t& count) {
    std::vector<std::string_view> words;
    count = 0;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) {
            ++i;
        }
        if (i > start && count++ < maxKept) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

bool IsFieldBreak(char c) {
    return IsBlank(c) || c == '|';
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text.substr(0, 40)) + (text.size() > 40 ? "...\"" : "\"");
}

// An input character as the cube's masks take it: 0 and 1 fix the input, - and 2 leave it free.
bool ReadInputChar(char c, uint32_t bit, TCube& cube) {
    if (c == '0' || c == '1') {
        cube.Care |= bit;
        cube.Hi |= c == '1' ? bit : 0;
        return true;
    }
    return c == '-' || c == '2';
}

// An output character in the plane's spelling, or 0 for one the format does not know. The
// files with 4, 2 and 3 come from Espresso's world, where 3 is read as 0: an OFF entry under
// types with r, nothing under the others.
char ReadOutputChar(char c) {
    switch (c) {
        case '0':
        case '1':
        case '-':
        case '~':
            return c;
        case '4':
            return '1';
        case '2':
            return '-';
        case '3':
            return '0';
        default:
            return 0;
    }
}

}  // namespace

bool TPlaReader::Fail(size_t line, std::string text) {
    FFailed = true;
    FError.Line = line;
    FError.Text = std::move(text);
    return false;
}

bool TPlaReader::Line(std::string_view text) {
    if (FFailed) {
        return false;
    }
    ++FLine;
    if (FEnded) {
        return true;
    }
    if (FLine == 1) {
        SkipByteOrderMark(text);
    }
    text = text.substr(0, text.find('#'));
    const size_t first = text.find_first_not_of(" \t\f\v");
    if (first == std::string_view::npos) {
        return true;
    }
    if (text[first] == '.') {
        // The longest keyword line that can be right: .ob with every output named.
        size_t count = 0;
        const std::vector<std::string_view> words = Words(text, MaxPlaOutputs + 1, count);
        return Keyword(words, count);
    }
    if (FPla.Inputs == 0) {
        SkipTitle(text.substr(first));
        return true;
    }
    return Row(text);
}

bool TPlaReader::Finish(TPla& pla) {
    if (FFailed) {
        return false;
    }
    if (FPla.Inputs == 0) {
        return Fail(0, "not a PLA file: it has no .i line");
    }
    if (FPla.Outputs == 0) {
        return Fail(0, "not a PLA file: it has no .o line");
    }
    if (FPendingChars > 0) {
        return Fail(FLine, "the last row has " + std::to_string(FPendingChars) + " characters of " +
                               std::to_string(FPla.Inputs + FPla.Outputs));
    }
    if (FTitleLines > 0) {
        FPla.Warning = "line " + std::to_string(FTitleLine) + ": skipped " + FTitle +
                       (FTitleLines > 1 ? " and " + std::to_string(FTitleLines - 1) + " more lines"
                                        : std::string()) +
                       " before .i as a title";
    }
    pla = std::move(FPla);
    return true;
}

void TPlaReader::SkipTitle(std::string_view text) {
    if (FTitleLines++ == 0) {
        FTitleLine = FLine;
        FTitle = Quoted(text);
    }
}

bool TPlaReader::Keyword(const std::vector<std::string_view>& words, size_t count) {
    const std::string_view key = words[0];
    if (key == ".e" || key == ".end") {
        FEnded = true;
        return true;
    }
    if (key == ".i" || key == ".o") {
        return Count(words, count);
    }
    if (key == ".ilb" || key == ".ob") {
        return Names(words, count);
    }
    if (key == ".p") {
        uint64_t rows = 0;
        if (count != 2 || !ParseCount(words[1], rows)) {
            return Fail(FLine, ".p needs one row count");
        }
        return true;
    }
    if (key == ".type") {
        const std::string_view types[] = {"f", "r", "fd", "fr", "dr", "fdr"};
        if (count != 2 ||
            std::find(std::begin(types), std::end(types), words[1]) == std::end(types)) {
            return Fail(FLine, ".type must be f, r, fd, fr, dr or fdr");
        }
        FPla.Type = std::string(words[1]);
        return true;
    }
    // Which polarity a minimizer should work on, and which inputs a decoder pairs: neither
    // changes the function the rows define.
    if (key == ".phase") {
        const bool sound = count == 2 && words[1].size() == static_cast<size_t>(FPla.Outputs) &&
                           words[1].find_first_not_of("01") == std::string_view::npos;
        return sound || Fail(FLine, ".phase needs one 0 or 1 for each of the .o outputs");
    }
    if (key == ".pair") {
        return true;
    }
    if (key == ".mv" || key == ".label" || key == ".symbolic" || key == ".symbolic-output" ||
        key == ".kiss") {
        return Fail(FLine, Quoted(key) + ": multiple-valued and symbolic files are not supported");
    }
    return Fail(FLine, "unknown keyword " + Quoted(key));
}

bool TPlaReader::Count(const std::vector<std::string_view>& words, size_t count) {
    const bool inputs = words[0] == ".i";
    int& target = inputs ? FPla.Inputs : FPla.Outputs;
    uint64_t value = 0;
    if (count != 2 || !ParseCount(words[1], value) || value == 0) {
        return Fail(FLine, std::string(words[0]) + " needs one count of at least 1");
    }
    if (target != 0) {
        return Fail(FLine, std::string(words[0]) + " is given twice");
    }
    if (inputs && value > static_cast<uint64_t>(FMaxInputs)) {
        return Fail(FLine, ".i " + std::string(words[1]) + ": at most " +
                               std::to_string(FMaxInputs) +
                               (FMaxInputs == MaxPlaInputs ? " inputs (A to P) are supported"
                                                           : " inputs are supported"));
    }
    if (!inputs && value > MaxPlaOutputs) {
        return Fail(FLine, ".o " + std::string(words[1]) + ": at most " +
                               std::to_string(MaxPlaOutputs) + " outputs are supported");
    }
    target = static_cast<int>(value);
    return true;
}

bool TPlaReader::Names(const std::vector<std::string_view>& words, size_t count) {
    const bool inputs = words[0] == ".ilb";
    const auto expected = static_cast<size_t>(inputs ? FPla.Inputs : FPla.Outputs);
    const char* counted = inputs ? ".i" : ".o";
    if (expected == 0) {
        return Fail(FLine, std::string(words[0]) + " comes before " + counted);
    }
    if (count - 1 != expected) {
        return Fail(FLine, std::string(words[0]) + " gives " + std::to_string(count - 1) +
                               " names for " + counted + " " + std::to_string(expected));
    }
    std::vector<std::string>& names = inputs ? FPla.InputNames : FPla.OutputNames;
    names.assign(words.begin() + 1, words.end());
    return true;
}

bool TPlaReader::Row(std::string_view text) {
    if (FPla.Outputs == 0) {
        return Fail(FLine, "a row comes before .i and .o");
    }
    const auto inputs = static_cast<size_t>(FPla.Inputs);
    const size_t width = inputs + static_cast<size_t>(FPla.Outputs);
    auto chars = static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsFieldBreak(c); }));
    // Wide files may run a row over several lines, as the tools that write them do.
    std::string joined;
    if (FPla.Inputs > MaxPlaInputs) {
        chars += FPendingChars;
        if (chars < width) {
            FPending += ' ';
            FPending += text;
            FPendingChars = chars;
            return true;
        }
        joined = std::move(FPending) + ' ' + std::string(text);
        text = joined;
        FPending.clear();
        FPendingChars = 0;
    }
    if (chars != width) {
        return Fail(FLine, "the row has " + std::to_string(chars) + " characters, " +
                               std::to_string(FPla.Inputs) + " inputs and " +
                               std::to_string(FPla.Outputs) + " outputs make " +
                               std::to_string(width));
    }
    TPlaRow row;
    row.Line = FLine;
    const size_t planeSize = FPla.OutputPlane.size();
    const size_t inputPlaneSize = FPla.InputPlane.size();
    const bool wide = FPla.Inputs > MaxPlaInputs;
    size_t k = 0;
    for (const char c : text) {
        if (IsFieldBreak(c)) {
            continue;
        }
        if (k < inputs) {
            const bool valid = wide ? ReadInputChar(c, 0, row.Cube)
                                    : ReadInputChar(c, 1u << (inputs - 1 - k), row.Cube);
            if (wide && valid) {
                FPla.InputPlane += c == '2' ? '-' : c;
            }
            if (!valid) {
                FPla.OutputPlane.resize(planeSize);
                FPla.InputPlane.resize(inputPlaneSize);
                return Fail(FLine, "input " + std::to_string(k + 1) + " is " + Quoted({&c, 1}) +
                                       "; an input is 0, 1 or -");
            }
        } else if (const char value = ReadOutputChar(c); value != 0) {
            FPla.OutputPlane += value;
        } else {
            FPla.OutputPlane.resize(planeSize);
            FPla.InputPlane.resize(inputPlaneSize);
            return Fail(FLine, "output " + std::to_string(k - inputs + 1) + " is " +
                                   Quoted({&c, 1}) + "; an output is 0, 1, - or ~");
        }
        ++k;
    }
    FPla.Rows.push_back(row);
    return true;
}

bool ReadPla(std::string_view text, TPla& pla, TPlaError& error) {
    TPlaReader reader;
    ForEachLine(text, [&](std::string_view line) { return reader.Line(line); });
    if (!reader.Finish(pla)) {
        error = reader.Error();
        return false;
    }
    return true;
}

std::string TPlaError::Message() const {
    return Line == 0 ? Text : "line " + std::to_string(Line) + ": " + Text;
}
