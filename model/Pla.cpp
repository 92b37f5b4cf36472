// The PLA reader, and the sets one output of a PLA stands for.
#include "model/Pla.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "model/Minterms.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

bool ParseCount(std::string_view word, int& value) {
    const auto [end, fault] = std::from_chars(word.data(), word.data() + word.size(), value);
    return fault == std::errc() && end == word.data() + word.size() && value >= 0;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text.substr(0, 40)) + (text.size() > 40 ? "...\"" : "\"");
}

// Reads the file line by line into a fresh TPla, so a failure leaves the caller's untouched.
class TPlaParser {
  public:
    explicit TPlaParser(TPlaError& error) : FError(error) {}

    bool Parse(std::string_view text, TPla& pla) {
        size_t start = 0;
        size_t line = 0;
        while (start < text.size() && !FEnded) {
            size_t end = start;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
                ++end;
            }
            ++line;
            if (!Line(text.substr(start, end - start), line)) {
                return false;
            }
            start = end;
            if (start < text.size() && text[start] == '\r') {
                ++start;
            }
            if (start < text.size() && text[start] == '\n') {
                ++start;
            }
        }
        if (FPla.Inputs == 0) {
            return Fail(0, "not a PLA file: it has no .i line");
        }
        if (FPla.Outputs == 0) {
            return Fail(0, "not a PLA file: it has no .o line");
        }
        pla = std::move(FPla);
        return true;
    }

  private:
    bool Fail(size_t line, std::string text) {
        FError.Line = line;
        FError.Text = std::move(text);
        return false;
    }

    bool Line(std::string_view text, size_t line) {
        text = text.substr(0, text.find('#'));
        const std::vector<std::string_view> words = Words(text);
        if (words.empty()) {
            return true;
        }
        if (words[0][0] == '.') {
            return Keyword(words, line);
        }
        return Row(words, line);
    }

    bool Keyword(const std::vector<std::string_view>& words, size_t line) {
        const std::string_view key = words[0];
        if (key == ".e" || key == ".end") {
            FEnded = true;
            return true;
        }
        if (key == ".i" || key == ".o") {
            return Count(words, line);
        }
        if (key == ".ilb" || key == ".ob") {
            return Names(words, line);
        }
        if (key == ".p") {
            int rows = 0;
            if (words.size() != 2 || !ParseCount(words[1], rows)) {
                return Fail(line, ".p needs one row count");
            }
            return true;
        }
        if (key == ".type") {
            if (words.size() != 2 ||
                (words[1] != "f" && words[1] != "fd" && words[1] != "fr" && words[1] != "fdr")) {
                return Fail(line, ".type must be f, fd, fr or fdr");
            }
            FPla.Type = std::string(words[1]);
            return true;
        }
        return Fail(line, "unknown keyword " + Quoted(key));
    }

    bool Count(const std::vector<std::string_view>& words, size_t line) {
        const bool inputs = words[0] == ".i";
        int& target = inputs ? FPla.Inputs : FPla.Outputs;
        int value = 0;
        if (words.size() != 2 || !ParseCount(words[1], value) || value == 0) {
            return Fail(line, std::string(words[0]) + " needs one count of at least 1");
        }
        if (target != 0) {
            return Fail(line, std::string(words[0]) + " is given twice");
        }
        if (inputs && value > MaxPlaInputs) {
            return Fail(line, ".i " + std::to_string(value) + ": at most " +
                                  std::to_string(MaxPlaInputs) + " inputs (A to P) are supported");
        }
        target = value;
        return true;
    }

    bool Names(const std::vector<std::string_view>& words, size_t line) {
        const bool inputs = words[0] == ".ilb";
        const int expected = inputs ? FPla.Inputs : FPla.Outputs;
        const char* count = inputs ? ".i" : ".o";
        if (expected == 0) {
            return Fail(line, std::string(words[0]) + " comes before " + count);
        }
        if (static_cast<int>(words.size()) - 1 != expected) {
            return Fail(line, std::string(words[0]) + " gives " + std::to_string(words.size() - 1) +
                                  " names for " + count + " " + std::to_string(expected));
        }
        std::vector<std::string>& names = inputs ? FPla.InputNames : FPla.OutputNames;
        names.assign(words.begin() + 1, words.end());
        return true;
    }

    bool Row(const std::vector<std::string_view>& words, size_t line) {
        if (FPla.Inputs == 0 || FPla.Outputs == 0) {
            return Fail(line, "a row comes before .i and .o");
        }
        std::string chars;
        for (const std::string_view word : words) {
            chars += word;
        }
        const size_t width = static_cast<size_t>(FPla.Inputs) + static_cast<size_t>(FPla.Outputs);
        if (chars.size() != width) {
            return Fail(line, "the row has " + std::to_string(chars.size()) + " characters, " +
                                  std::to_string(FPla.Inputs) + " inputs and " +
                                  std::to_string(FPla.Outputs) + " outputs make " +
                                  std::to_string(width));
        }
        TPlaRow row;
        row.Line = line;
        for (int k = 0; k < FPla.Inputs; ++k) {
            const char c = chars[static_cast<size_t>(k)];
            const uint32_t bit = 1u << (FPla.Inputs - 1 - k);
            if (c == '0' || c == '1') {
                row.Cube.Care |= bit;
                row.Cube.Hi |= c == '1' ? bit : 0;
            } else if (c != '-') {
                return Fail(line, "input " + std::to_string(k + 1) + " is " + Quoted({&c, 1}) +
                                      "; an input is 0, 1 or -");
            }
        }
        row.Outputs = chars.substr(static_cast<size_t>(FPla.Inputs));
        for (size_t j = 0; j < row.Outputs.size(); ++j) {
            const char c = row.Outputs[j];
            if (c != '0' && c != '1' && c != '-' && c != '~') {
                return Fail(line, "output " + std::to_string(j + 1) + " is " + Quoted({&c, 1}) +
                                      "; an output is 0, 1, - or ~");
            }
        }
        FPla.Rows.push_back(std::move(row));
        return true;
    }

    TPla FPla;
    TPlaError& FError;
    bool FEnded = false;
};

uint64_t CubeKey(const TTermMasks& cube) {
    return (uint64_t{cube.Care} << 32) | cube.Hi;
}

// Adds the cube once; a file may repeat a large cube many times, and each is walked only once.
void AddCube(std::vector<TTermMasks>& cubes, std::unordered_set<uint64_t>& seen,
             const TTermMasks& cube) {
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
              std::vector<TTermMasks>& cubes) {
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

std::vector<TTermMasks> CoverOf(const std::vector<uint8_t>& set,
                                const std::vector<uint8_t>& allowed, int n) {
    TCoverCounts counts;
    counts.Members.assign(set.size() + 1, 0);
    counts.Allowed.assign(set.size() + 1, 0);
    for (size_t m = 0; m < set.size(); ++m) {
        counts.Members[m + 1] = counts.Members[m] + (set[m] != 0 ? 1 : 0);
        counts.Allowed[m + 1] = counts.Allowed[m] + (set[m] != 0 || allowed[m] != 0 ? 1 : 0);
    }
    std::vector<TTermMasks> cubes;
    CoverSet(counts, n, 0, 0, cubes);
    return cubes;
}

// Marks every minterm of the cubes with the line of the row that named it first.
void MarkLines(const std::vector<TTermMasks>& cubes, const std::vector<size_t>& lines,
               uint32_t high, std::vector<uint32_t>& marks) {
    for (size_t i = 0; i < cubes.size(); ++i) {
        const auto line = static_cast<uint32_t>(lines[i]);
        VisitMinterms(cubes[i], high, [&](uint32_t m) {
            if (marks[m] == 0) {
                marks[m] = line;
            }
            return true;
        });
    }
}

}  // namespace

std::string TPlaError::Message() const {
    return Line == 0 ? Text : "line " + std::to_string(Line) + ": " + Text;
}

bool ReadPla(std::string_view text, TPla& pla, TPlaError& error) {
    return TPlaParser(error).Parse(text, pla);
}

std::string PlaOutputName(const TPla& pla, int output) {
    if (output < static_cast<int>(pla.OutputNames.size())) {
        return pla.OutputNames[static_cast<size_t>(output)];
    }
    return pla.Outputs == 1 ? "F" : "F" + std::to_string(output + 1);
}

int FindPlaOutput(const TPla& pla, const std::string& answer) {
    const std::string wanted = TrimBlanks(answer);
    for (int j = 0; j < pla.Outputs; ++j) {
        if (PlaOutputName(pla, j) == wanted) {
            return j;
        }
    }
    int number = 0;
    if (ParseCount(wanted, number) && number >= 1 && number <= pla.Outputs) {
        return number - 1;
    }
    return -1;
}

bool PlaOutputFunction(const TPla& pla, int output, TPlaFunction& function, TPlaError& error) {
    const bool hasDc = pla.Type.find('d') != std::string::npos;
    const bool hasOff = pla.Type.find('r') != std::string::npos;
    TPlaFunction out;
    out.Inputs = pla.Inputs;
    std::vector<TTermMasks> off;
    std::vector<size_t> onLines, dcLines, offLines;
    std::unordered_set<uint64_t> onSeen, dcSeen, offSeen;
    for (const TPlaRow& row : pla.Rows) {
        const char c = row.Outputs[static_cast<size_t>(output)];
        if (c == '1') {
            AddCube(out.On, onSeen, row.Cube);
            onLines.resize(out.On.size(), row.Line);
        } else if (c == '-' && hasDc) {
            AddCube(out.Dc, dcSeen, row.Cube);
            dcLines.resize(out.Dc.size(), row.Line);
        } else if (c == '0' && hasOff) {
            AddCube(off, offSeen, row.Cube);
            offLines.resize(off.size(), row.Line);
        }
    }
    const uint32_t size = 1u << pla.Inputs;
    const uint32_t high = size - 1;
    std::vector<uint32_t> onMarks(size, 0);
    std::vector<uint32_t> dcMarks(size, 0);
    MarkLines(out.On, onLines, high, onMarks);
    MarkLines(out.Dc, dcLines, high, dcMarks);
    if (hasOff) {
        std::vector<uint32_t> offMarks(size, 0);
        MarkLines(off, offLines, high, offMarks);
        for (uint32_t m = 0; m < size; ++m) {
            const uint32_t other = onMarks[m] != 0 ? onMarks[m] : dcMarks[m];
            if (offMarks[m] != 0 && other != 0) {
                error.Line = offMarks[m];
                error.Text = "this OFF row meets the row of line " + std::to_string(other) +
                             " in minterm " + std::to_string(m);
                return false;
            }
        }
        // Whatever is not OFF may take either value.
        for (uint32_t m = 0; m < size; ++m) {
            dcMarks[m] = offMarks[m] == 0 ? 1 : 0;
        }
    }
    out.OnSet.assign(size, 0);
    out.DcSet.assign(size, 0);
    for (uint32_t m = 0; m < size; ++m) {
        out.OnSet[m] = onMarks[m] != 0 ? 1 : 0;
        out.DcSet[m] = (dcMarks[m] != 0 && onMarks[m] == 0) ? 1 : 0;
        out.DcCount += out.DcSet[m];
    }
    // Under an OFF set the don't cares are what is left, given as cubes that may take in ON
    // minterms. More cubes than minterms: the set's own cover is shorter, and it bounds what
    // reaches the editor by the number of minterms.
    if (hasOff || out.Dc.size() > size) {
        out.Dc = CoverOf(out.DcSet, out.OnSet, pla.Inputs);
    }
    if (out.On.size() > size) {
        out.On = CoverOf(out.OnSet, out.OnSet, pla.Inputs);
    }
    function = std::move(out);
    return true;
}

std::string CubeTerm(const TTermMasks& cube, int n) {
    std::string term;
    for (int k = 1; k <= n; ++k) {
        const uint32_t bit = 1u << (n - k);
        if ((cube.Care & bit) != 0) {
            term += static_cast<char>(((cube.Hi & bit) != 0 ? 'A' : 'a') + k - 1);
        }
    }
    return term;
}
