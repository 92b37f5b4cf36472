#include "engine/wide/WidePla.h"

// The function of the outputs asked for: rows of 1 are ON, rows of - don't cares.
TWideFunction WidePlaFunction(const TPla& pla, const std::vector<int>& outputs) {
    TWideFunction function;
    function.Inputs = pla.Inputs;
    function.Outputs = static_cast<int>(outputs.size());
    const int in = InputWords(pla.Inputs);
    const int stride = in + WideOutputWords(function.Outputs);
    function.On = TWideCubes(pla.Inputs, stride);
    function.Dc = TWideCubes(pla.Inputs, stride);
    std::vector<uint64_t> cube(static_cast<size_t>(stride));
    const auto n = static_cast<size_t>(pla.Inputs);
    for (size_t row = 0; row < pla.Rows.size(); ++row) {
        std::fill(cube.begin(), cube.end(), 0);
        std::fill(cube.begin(), cube.begin() + in, ~uint64_t{0});
        for (size_t k = 0; k < n; ++k) {
            const char c = pla.InputPlane[row * n + k];
            if (c != '-') {
                SetField(cube.data(), static_cast<int>(k), c == '0' ? 1 : 2);
            }
        }
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

std::string WideCubeText(const uint64_t* cube, int inputs) {
    std::string text;
    for (int k = 0; k < inputs; ++k) {
        text += "?01-"[Field(cube, k)];
    }
    return text;
}
