#include "engine/wide/WidePla.h"

#include <algorithm>

namespace {

// Row i's inputs as cube fields, the rest of the cube cleared.
void RowCube(const TPla& pla, size_t row, uint64_t* cube, int stride) {
    const int in = InputWords(pla.Inputs);
    std::fill(cube, cube + stride, 0);
    std::fill(cube, cube + in, ~uint64_t{0});
    const auto n = static_cast<size_t>(pla.Inputs);
    for (size_t k = 0; k < n; ++k) {
        const char c = pla.InputPlane[row * n + k];
        if (c != '-') {
            SetField(cube, static_cast<int>(k), c == '0' ? 1 : 2);
        }
    }
}

bool TypeHas(const TPla& pla, char c) {
    return pla.Type.find(c) != std::string::npos;
}

// Whether the output character counts under the type: 1 with f, - with d, 0 with r.
bool Counts(const TPla& pla, char c) {
    return (c == '1' && TypeHas(pla, 'f')) || (c == '-' && TypeHas(pla, 'd')) ||
           (c == '0' && TypeHas(pla, 'r'));
}

// The input parts of the rows whose character at the output is c, when the type counts it.
TWideCubes RowsOf(const TPla& pla, int output, char c) {
    const int in = InputWords(pla.Inputs);
    TWideCubes parts(pla.Inputs, in);
    if (!Counts(pla, c)) {
        return parts;
    }
    std::vector<uint64_t> cube(static_cast<size_t>(in));
    for (size_t row = 0; row < pla.Rows.size(); ++row) {
        if (pla.RowOutputs(row)[static_cast<size_t>(output)] == c) {
            RowCube(pla, row, cube.data(), in);
            parts.Add(cube.data());
        }
    }
    return parts;
}

// Adds the input cubes to the function's cubes, each feeding output j alone.
void AddFeeding(TWideCubes& to, const TWideCubes& parts, size_t j) {
    std::vector<uint64_t> cube(static_cast<size_t>(to.Stride()), 0);
    const auto in = static_cast<size_t>(parts.Stride());
    for (size_t i = 0; i < parts.Size(); ++i) {
        std::copy(parts[i], parts[i] + in, cube.begin());
        cube[in + j / 64] = uint64_t{1} << (j % 64);
        to.Add(cube.data());
    }
}

void AddAll(TWideCubes& to, const TWideCubes& from) {
    for (size_t i = 0; i < from.Size(); ++i) {
        to.Add(from[i]);
    }
}

// An OFF set given: output by output, what no row names is a don't care, or ON when the type
// gives no ON set.
void AddOffSetOutputs(const TPla& pla, const std::vector<int>& outputs, TWideFunction& function) {
    for (size_t j = 0; j < outputs.size(); ++j) {
        const TWideCubes on = RowsOf(pla, outputs[j], '1');
        const TWideCubes dc = RowsOf(pla, outputs[j], '-');
        TWideCubes named = RowsOf(pla, outputs[j], '0');
        AddAll(named, dc);
        if (TypeHas(pla, 'f')) {
            AddAll(named, on);
            AddFeeding(function.On, on, j);
            AddFeeding(function.Dc, Complement(named), j);
        } else {
            AddFeeding(function.On, Complement(named), j);
        }
        AddFeeding(function.Dc, dc, j);
    }
}

}  // namespace

TWideFunction WidePlaFunction(const TPla& pla, const std::vector<int>& outputs) {
    TWideFunction function;
    function.Inputs = pla.Inputs;
    function.Outputs = static_cast<int>(outputs.size());
    const int in = InputWords(pla.Inputs);
    const int stride = in + WideOutputWords(function.Outputs);
    function.On = TWideCubes(pla.Inputs, stride);
    function.Dc = TWideCubes(pla.Inputs, stride);
    if (TypeHas(pla, 'r')) {
        AddOffSetOutputs(pla, outputs, function);
        return function;
    }
    std::vector<uint64_t> cube(static_cast<size_t>(stride));
    for (size_t row = 0; row < pla.Rows.size(); ++row) {
        RowCube(pla, row, cube.data(), stride);
        const std::string_view values = pla.RowOutputs(row);
        for (const char wanted : {'1', '-'}) {
            std::vector<uint64_t> placed = cube;
            bool any = false;
            for (size_t j = 0; j < outputs.size(); ++j) {
                if (values[static_cast<size_t>(outputs[j])] == wanted) {
                    placed[static_cast<size_t>(in) + j / 64] |= uint64_t{1} << (j % 64);
                    any = true;
                }
            }
            if (any) {
                (wanted == '1' ? function.On : function.Dc).Add(placed.data());
            }
        }
    }
    return function;
}

bool WideOffRowsApart(const TPla& pla, TPlaError& error) {
    if (!TypeHas(pla, 'r')) {
        return true;
    }
    const int in = InputWords(pla.Inputs);
    std::vector<uint64_t> cubes(pla.Rows.size() * static_cast<size_t>(in));
    for (size_t row = 0; row < pla.Rows.size(); ++row) {
        RowCube(pla, row, &cubes[row * static_cast<size_t>(in)], in);
    }
    const auto outputs = static_cast<size_t>(pla.Outputs);
    for (size_t off = 0; off < pla.Rows.size(); ++off) {
        const std::string_view offValues = pla.RowOutputs(off);
        for (size_t row = 0; row < pla.Rows.size(); ++row) {
            const std::string_view values = pla.RowOutputs(row);
            bool clash = false;
            for (size_t j = 0; j < outputs && !clash; ++j) {
                clash = offValues[j] == '0' && values[j] != '0' && Counts(pla, values[j]);
            }
            if (clash && InputsMeet(&cubes[off * static_cast<size_t>(in)],
                                    &cubes[row * static_cast<size_t>(in)], in)) {
                error.Line = pla.Rows[off].Line;
                error.Text =
                    "this OFF row meets the row of line " + std::to_string(pla.Rows[row].Line);
                return false;
            }
        }
    }
    return true;
}

TWideFunction WideZeros(const TWideFunction& function) {
    TWideFunction zeros = function;
    TWideCubes named = function.On;
    AddAll(named, function.Dc);
    zeros.On = TWideCubes(function.Inputs, function.On.Stride());
    AddFeeding(zeros.On, Complement(named), 0);
    return zeros;
}

std::string WideCubeText(const uint64_t* cube, int inputs) {
    std::string text;
    for (int k = 0; k < inputs; ++k) {
        text += "?01-"[Field(cube, k)];
    }
    return text;
}
