// Function sets from PLA files, and filling minterm sets by whole words.
#include "model/FunctionSet.h"

#include <algorithm>
#include <bit>

namespace {

// Which row characters count under the PLA's type: 1 for ON (types with f), - for don't care
// (with d), 0 for OFF (with r); 0 to 2, or -1 for a character that means nothing.
struct TRowKinds {
    explicit TRowKinds(const TPla& pla)
        : HasOn(pla.Type.find('f') != std::string::npos),
          HasDc(pla.Type.find('d') != std::string::npos),
          HasOff(pla.Type.find('r') != std::string::npos) {}

    int Of(char c) const {
        return c == '1' && HasOn ? 0 : c == '-' && HasDc ? 1 : c == '0' && HasOff ? 2 : -1;
    }

    bool HasOn, HasDc, HasOff;
};

template <typename F>
void ForEachBit(const uint64_t* words, size_t count, F&& f) {
    for (size_t w = 0; w < count; ++w) {
        for (uint64_t left = words[w]; left != 0; left &= left - 1) {
            f(w * 64 + static_cast<size_t>(std::countr_zero(left)));
        }
    }
}

// Adds each distinct cube of the rows, once, to the sets of the outputs its rows name: the rows
// of 1 to On, of - to Dc, of 0 to off. The cubes of the rows of 1 become the set's own cover.
void AddRows(const TPla& pla, const std::vector<int>& chosen, const TRowKinds& kinds,
             TFunctionSet& out, std::vector<TMintermBits>& off) {
    std::vector<std::pair<uint64_t, size_t>> order;
    order.reserve(pla.Rows.size());
    for (size_t r = 0; r < pla.Rows.size(); ++r) {
        const TCube& cube = pla.Rows[r].Cube;
        order.emplace_back((uint64_t{cube.Care} << 32) | cube.Hi, r);
    }
    std::sort(order.begin(), order.end());
    const size_t words = OutputWords(chosen.size());
    std::vector<uint64_t> named(3 * words);
    for (size_t i = 0; i < order.size();) {
        const TCube cube = pla.Rows[order[i].second].Cube;
        std::fill(named.begin(), named.end(), 0);
        for (; i < order.size() && pla.Rows[order[i].second].Cube == cube; ++i) {
            const std::string_view chars = pla.RowOutputs(order[i].second);
            for (size_t k = 0; k < chosen.size(); ++k) {
                const int kind = kinds.Of(chars[static_cast<size_t>(chosen[k])]);
                if (kind >= 0) {
                    named[static_cast<size_t>(kind) * words + k / 64] |= uint64_t{1} << (k % 64);
                }
            }
        }
        ForEachBit(&named[0], words,
                   [&](size_t k) { AddCubeMinterms(out.Outputs[k].On, pla.Inputs, cube); });
        ForEachBit(&named[words], words,
                   [&](size_t k) { AddCubeMinterms(out.Outputs[k].Dc, pla.Inputs, cube); });
        ForEachBit(&named[2 * words], words,
                   [&](size_t k) { AddCubeMinterms(off[k], pla.Inputs, cube); });
        if (std::any_of(named.begin(), named.begin() + static_cast<ptrdiff_t>(words),
                        [](uint64_t w) { return w != 0; })) {
            out.Rows.push_back(cube);
            out.RowFeeds.insert(out.RowFeeds.end(), named.begin(),
                                named.begin() + static_cast<ptrdiff_t>(words));
        }
    }
}

bool Covers(const TCube& cube, uint32_t m) {
    return (m & cube.Care) == cube.Hi;
}

// The first row of the given kind at the output that covers minterm m; null when none does.
const TPlaRow* FirstRow(const TPla& pla, int output, int kind, const TRowKinds& kinds, uint32_t m) {
    for (size_t r = 0; r < pla.Rows.size(); ++r) {
        if (kinds.Of(pla.RowOutputs(r)[static_cast<size_t>(output)]) == kind &&
            Covers(pla.Rows[r].Cube, m)) {
            return &pla.Rows[r];
        }
    }
    return nullptr;
}

// Turns the output's sets of rows (On of 1, Dc of -) into its function: a don't-care row takes
// its minterms out of the ON set; with an OFF set, whatever is not OFF may take either value, or
// is ON when the type gives no ON set. An OFF row that meets an ON or don't-care row is an error
// naming the first rows that meet at the lowest such minterm.
bool FinishOutput(const TPla& pla, int output, const TRowKinds& kinds, const TMintermBits& off,
                  TOutputFunction& f, TPlaError& error) {
    const uint64_t valid = pla.Inputs >= 6 ? ~uint64_t{0} : (uint64_t{1} << (1u << pla.Inputs)) - 1;
    for (size_t w = 0; w < f.On.size(); ++w) {
        const uint64_t met = kinds.HasOff ? off[w] & (f.On[w] | f.Dc[w]) : 0;
        if (met != 0) {
            const auto m =
                static_cast<uint32_t>(w * 64 + static_cast<size_t>(std::countr_zero(met)));
            const TPlaRow* other = FirstRow(pla, output, 0, kinds, m);
            other = other != nullptr ? other : FirstRow(pla, output, 1, kinds, m);
            error.Line = FirstRow(pla, output, 2, kinds, m)->Line;
            error.Text = "this OFF row meets the row of line " + std::to_string(other->Line) +
                         " in minterm " + std::to_string(m);
            return false;
        }
        uint64_t on = f.On[w] & ~f.Dc[w];
        uint64_t dc = f.Dc[w];
        if (kinds.HasOff && kinds.HasOn) {
            dc = ~off[w];
        } else if (kinds.HasOff) {
            on = ~off[w] & ~f.Dc[w];
        }
        f.On[w] = on & valid;
        f.Dc[w] = dc & ~on & valid;
    }
    return true;
}

}  // namespace

bool PlaFunctionSet(const TPla& pla, const std::vector<int>& outputs, TFunctionSet& set,
                    TPlaError& error) {
    std::vector<int> chosen = outputs;
    if (chosen.empty()) {
        for (int j = 0; j < pla.Outputs; ++j) {
            chosen.push_back(j);
        }
    }
    TRowKinds kinds(pla);
    TFunctionSet out;
    out.Inputs = pla.Inputs;
    out.InputNames = pla.InputNames;
    for (const int j : chosen) {
        AddOutput(out, PlaOutputName(pla, j));
    }
    std::vector<TMintermBits> off(chosen.size(),
                                  kinds.HasOff ? MakeMintermBits(pla.Inputs) : TMintermBits());
    AddRows(pla, chosen, kinds, out, off);
    for (size_t k = 0; k < chosen.size(); ++k) {
        if (!FinishOutput(pla, chosen[k], kinds, off[k], out.Outputs[k], error)) {
            return false;
        }
    }
    set = std::move(out);
    return true;
}

TMintermBits WidenMinterms(const TMintermBits& set, int n, int extra) {
    TMintermBits wide = MakeMintermBits(n + extra);
    const uint32_t span = 1u << extra;
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (TestMinterm(set, m)) {
            for (uint32_t low = 0; low < span; ++low) {
                SetMinterm(wide, m * span + low);
            }
        }
    }
    return wide;
}
