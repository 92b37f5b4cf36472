// The sets one output of a PLA stands for, and finding an output by its name.
#include "model/Pla.h"

#include <algorithm>
#include <unordered_set>

#include "model/FunctionSet.h"
#include "model/Minterms.h"
#include "model/TextLines.h"

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
