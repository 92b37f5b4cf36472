// The PLA reader, and the sets one output of a PLA stands for.
#include "model/Pla.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "model/FunctionSet.h"
#include "model/Minterms.h"
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

// A count written in decimal digits; numbers too large for any count read as the largest.
bool ParseCount(std::string_view word, uint64_t& value) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    const auto [end, fault] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (fault == std::errc::result_out_of_range) {
        value = UINT64_MAX;
    }
    return true;
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
    if (inputs && value > MaxPlaInputs) {
        return Fail(FLine, ".i " + std::string(words[1]) + ": at most " +
                               std::to_string(MaxPlaInputs) + " inputs (A to P) are supported");
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
    const auto chars = static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsFieldBreak(c); }));
    if (chars != width) {
        return Fail(FLine, "the row has " + std::to_string(chars) + " characters, " +
                               std::to_string(FPla.Inputs) + " inputs and " +
                               std::to_string(FPla.Outputs) + " outputs make " +
                               std::to_string(width));
    }
    TPlaRow row;
    row.Line = FLine;
    const size_t planeSize = FPla.OutputPlane.size();
    size_t k = 0;
    for (const char c : text) {
        if (IsFieldBreak(c)) {
            continue;
        }
        if (k < inputs) {
            if (!ReadInputChar(c, 1u << (inputs - 1 - k), row.Cube)) {
                return Fail(FLine, "input " + std::to_string(k + 1) + " is " + Quoted({&c, 1}) +
                                       "; an input is 0, 1 or -");
            }
        } else if (const char value = ReadOutputChar(c); value != 0) {
            FPla.OutputPlane += value;
        } else {
            FPla.OutputPlane.resize(planeSize);
            return Fail(FLine, "output " + std::to_string(k - inputs + 1) + " is " +
                                   Quoted({&c, 1}) + "; an output is 0, 1, - or ~");
        }
        ++k;
    }
    FPla.Rows.push_back(row);
    return true;
}

namespace {

uint64_t CubeKey(const TCube& cube) {
    return (uint64_t{cube.Care} << 32) | cube.Hi;
}

// Adds the cube once; a file may repeat a large cube many times, and each is walked only once.
void AddCube(std::vector<TCube>& cubes, std::unordered_set<uint64_t>& seen, const TCube& cube) {
    if (seen.insert(CubeKey(cube)).second) {
        cubes.push_back(cube);
    }
}

// Disjoint cubes that cover every member of the set and nothing outside allowed: halves of the
// minterm range, split until a half holds no member or lies inside allowed. A range of minterms
// with the same leading bits is a cube over the rest.
struct TCoverCounts {
    std::vector<uint32_t> Members;  // prefix counts of the set
    std::vector<uint32_t> Allowed;  // prefix counts of allowed
};

void CoverSet(const TCoverCounts& counts, int n, uint32_t low, int depth,
              std::vector<TCube>& cubes) {
    const uint32_t size = 1u << (n - depth);
    if (counts.Members[low + size] == counts.Members[low]) {
        return;
    }
    if (counts.Allowed[low + size] - counts.Allowed[low] == size) {
        const uint32_t fixed = ((1u << n) - 1) & ~(size - 1);
        cubes.push_back({fixed, low});
        return;
    }
    CoverSet(counts, n, low, depth + 1, cubes);
    CoverSet(counts, n, low + size / 2, depth + 1, cubes);
}

std::vector<TCube> CoverOf(const std::vector<uint8_t>& set, const std::vector<uint8_t>& allowed,
                           int n) {
    TCoverCounts counts;
    counts.Members.assign(set.size() + 1, 0);
    counts.Allowed.assign(set.size() + 1, 0);
    for (size_t m = 0; m < set.size(); ++m) {
        counts.Members[m + 1] = counts.Members[m] + (set[m] != 0 ? 1 : 0);
        counts.Allowed[m + 1] = counts.Allowed[m] + (set[m] != 0 || allowed[m] != 0 ? 1 : 0);
    }
    std::vector<TCube> cubes;
    CoverSet(counts, n, 0, 0, cubes);
    return cubes;
}

bool SameWithoutCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowCase(x) == LowCase(y);
           });
}

// The output whose name is given, compared as asked; -1 for none or for more than one.
int FindNamedOutput(const TPla& pla, std::string_view wanted, bool anyCase) {
    int found = -1;
    for (size_t j = 0; j < pla.OutputNames.size(); ++j) {
        const std::string& name = pla.OutputNames[j];
        if (anyCase ? SameWithoutCase(name, wanted) : name == wanted) {
            if (found >= 0) {
                return -1;
            }
            found = static_cast<int>(j);
        }
    }
    return found;
}

// Output k from 1, written without leading zeros, as a number; 0 for anything else.
int OutputNumber(const TPla& pla, std::string_view text) {
    uint64_t number = 0;
    if (!ParseCount(text, number) || text[0] == '0' ||
        number > static_cast<uint64_t>(pla.Outputs)) {
        return 0;
    }
    return static_cast<int>(number);
}

// An unnamed output's name, F or Fk, read back without writing any name out.
int FindDefaultOutput(const TPla& pla, std::string_view wanted, bool anyCase) {
    if (wanted.empty() || (anyCase ? LowCase(wanted[0]) != 'f' : wanted[0] != 'F')) {
        return -1;
    }
    if (pla.Outputs == 1) {
        return wanted.size() == 1 ? 0 : -1;
    }
    return OutputNumber(pla, wanted.substr(1)) - 1;
}

}  // namespace

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

std::string PlaOutputName(const TPla& pla, int output) {
    if (output < static_cast<int>(pla.OutputNames.size())) {
        return pla.OutputNames[static_cast<size_t>(output)];
    }
    return pla.Outputs == 1 ? "F" : "F" + std::to_string(output + 1);
}

int FindPlaOutput(const TPla& pla, const std::string& answer) {
    const std::string wanted = TrimBlanks(answer);
    for (const bool anyCase : {false, true}) {
        const int found = pla.OutputNames.empty() ? FindDefaultOutput(pla, wanted, anyCase)
                                                  : FindNamedOutput(pla, wanted, anyCase);
        if (found >= 0) {
            return found;
        }
    }
    return OutputNumber(pla, wanted) - 1;
}

std::string PlaOutputList(const TPla& pla) {
    constexpr int Shown = 20;
    std::string list;
    for (int j = 0; j < pla.Outputs && j < Shown; ++j) {
        list += (j > 0 ? ", " : "") + PlaOutputName(pla, j);
    }
    return pla.Outputs > Shown ? list + ", ..." : list;
}

bool PlaOutputFunction(const TPla& pla, int output, TPlaFunction& function, TPlaError& error) {
    TFunctionSet set;
    if (!PlaFunctionSet(pla, {output}, set, error)) {
        return false;
    }
    const TOutputFunction& sets = set.Outputs[0];
    const bool hasOn = pla.Type.find('f') != std::string::npos;
    const bool hasDc = pla.Type.find('d') != std::string::npos;
    const bool hasOff = pla.Type.find('r') != std::string::npos;
    TPlaFunction out;
    out.Inputs = pla.Inputs;
    std::unordered_set<uint64_t> onSeen, dcSeen;
    for (size_t r = 0; r < pla.Rows.size(); ++r) {
        const char c = pla.RowOutputs(r)[static_cast<size_t>(output)];
        if (c == '1' && hasOn) {
            AddCube(out.On, onSeen, pla.Rows[r].Cube);
        } else if (c == '-' && hasDc) {
            AddCube(out.Dc, dcSeen, pla.Rows[r].Cube);
        }
    }
    const uint32_t size = 1u << pla.Inputs;
    out.OnSet.assign(size, 0);
    out.DcSet.assign(size, 0);
    for (uint32_t m = 0; m < size; ++m) {
        out.OnSet[m] = TestMinterm(sets.On, m) ? 1 : 0;
        out.DcSet[m] = TestMinterm(sets.Dc, m) ? 1 : 0;
        out.DcCount += out.DcSet[m];
    }
    // Where a don't-care row took part of an ON cube, or the type gives no ON set, the ON cubes
    // are cubes of what is left. Under an OFF set the don't cares are what is left too. More
    // cubes than minterms: the set's own cover is shorter, and it bounds what reaches the editor
    // by the number of minterms.
    const bool onCut = !hasOn || std::any_of(out.On.begin(), out.On.end(), [&](const auto& cube) {
        return CubeMeets(sets.Dc, pla.Inputs, cube);
    });
    if ((hasOff && hasOn) || out.Dc.size() > size) {
        out.Dc = CoverOf(out.DcSet, out.DcSet, pla.Inputs);
    }
    if (onCut || out.On.size() > size) {
        out.On = CoverOf(out.OnSet, out.OnSet, pla.Inputs);
    }
    function = std::move(out);
    return true;
}

std::vector<TCube> DontCaresApart(int n, const std::vector<TCube>& on,
                                  const std::vector<TCube>& dc) {
    TMintermBits onBits = MakeMintermBits(n);
    for (const TCube& cube : on) {
        AddCubeMinterms(onBits, n, cube);
    }
    if (std::none_of(dc.begin(), dc.end(),
                     [&](const TCube& cube) { return CubeMeets(onBits, n, cube); })) {
        return dc;
    }
    TMintermBits dcBits = MakeMintermBits(n);
    for (const TCube& cube : dc) {
        AddCubeMinterms(dcBits, n, cube);
    }
    std::vector<uint8_t> apart(size_t{1} << n, 0);
    for (uint32_t m = 0; m < apart.size(); ++m) {
        apart[m] = TestMinterm(dcBits, m) && !TestMinterm(onBits, m) ? 1 : 0;
    }
    return CoverOf(apart, apart, n);
}
