// Building a unit, naming it after its file, and the cube sets the PLA writer needs.
#include "model/DesignUnit.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "model/Letters.h"
#include "model/Minterms.h"

namespace {

uint64_t Key(const TCube& cube) {
    return (uint64_t{cube.Care} << 32) | cube.Hi;
}

bool ByKey(const TCube& a, const TCube& b) {
    return Key(a) < Key(b);
}

// Members of the set among the size minterms from low (size a power of two).
uint32_t CountRange(const TMintermBits& set, uint32_t low, uint32_t size) {
    if (size >= 64) {
        uint32_t count = 0;
        for (uint32_t w = low / 64; w < (low + size) / 64; ++w) {
            count += static_cast<uint32_t>(std::popcount(set[w]));
        }
        return count;
    }
    const uint64_t mask = ((uint64_t{1} << size) - 1) << (low % 64);
    return static_cast<uint32_t>(std::popcount(set[low / 64] & mask));
}

// The cover of the size minterms from low, over the variables below size. The two halves are
// covered apart; a cube both halves have loses the splitting variable, the others take it.
std::vector<TCube> CoverRange(const TMintermBits& set, uint32_t low, uint32_t size) {
    const uint32_t count = CountRange(set, low, size);
    if (count == 0) {
        return {};
    }
    if (count == size) {
        return {TCube{}};
    }
    const uint32_t bit = size / 2;
    std::vector<TCube> zero = CoverRange(set, low, bit);
    std::vector<TCube> one = CoverRange(set, low + bit, bit);
    std::sort(zero.begin(), zero.end(), ByKey);
    std::sort(one.begin(), one.end(), ByKey);
    std::vector<TCube> cubes;
    size_t i = 0;
    size_t j = 0;
    while (i < zero.size() || j < one.size()) {
        if (j == one.size() || (i < zero.size() && ByKey(zero[i], one[j]))) {
            cubes.push_back({zero[i].Care | bit, zero[i].Hi});
            ++i;
        } else if (i == zero.size() || ByKey(one[j], zero[i])) {
            cubes.push_back({one[j].Care | bit, one[j].Hi | bit});
            ++j;
        } else {
            cubes.push_back(zero[i]);
            ++i;
            ++j;
        }
    }
    return cubes;
}

}  // namespace

const char* const DefaultUnitName = "simplified";

TDesignUnit SingleOutputUnit(std::string name, int inputs, std::vector<TCube> terms,
                             std::vector<std::string> inputNames, std::string outputName,
                             TUnitForm form, std::vector<TCube> dontCares) {
    TDesignUnit unit;
    unit.Name = std::move(name);
    unit.Inputs = inputs;
    unit.InputNames = std::move(inputNames);
    unit.OutputNames = {std::move(outputName)};
    unit.Form = form;
    unit.Uses.emplace_back();
    for (size_t i = 0; i < terms.size(); ++i) {
        unit.Uses[0].push_back(i);
    }
    unit.Terms = std::move(terms);
    unit.DontCares = {std::move(dontCares)};
    return unit;
}

std::string UnitNameOfFile(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return name;
}

bool ExportFormatOfFile(const std::string& path, TExportFormat& format) {
    const std::string base = path.substr(path.find_last_of('/') + 1);
    const size_t dot = base.find_last_of('.');
    if (dot == std::string::npos || dot == 0) {
        return false;
    }
    const std::string extension = LowerCase(base.substr(dot + 1));
    const std::pair<const char*, TExportFormat> known[] = {
        {"v", TExportFormat::Verilog}, {"sv", TExportFormat::Verilog}, {"vhd", TExportFormat::Vhdl},
        {"vhdl", TExportFormat::Vhdl}, {"c", TExportFormat::C},        {"h", TExportFormat::C},
        {"pla", TExportFormat::Pla},   {"txt", TExportFormat::Text}};
    for (const auto& [name, value] : known) {
        if (extension == name) {
            format = value;
            return true;
        }
    }
    return false;
}

std::string SumTerm(const TCube& cube, int n) {
    std::string sum;
    for (int k = 0; k < n; ++k) {
        const uint32_t bit = 1u << (n - 1 - k);
        if ((cube.Care & bit) == 0) {
            continue;
        }
        if (!sum.empty()) {
            sum += '+';
        }
        // A zero where the letter is HI: the sum holds it complemented.
        sum += static_cast<char>(((cube.Hi & bit) != 0 ? 'a' : 'A') + k);
    }
    return sum;
}

std::vector<TCube> CubesOfSet(const TMintermBits& set, int n) {
    std::vector<TCube> cubes = CoverRange(set, 0, 1u << n);
    // In the order of their first minterms, larger cubes first.
    std::sort(cubes.begin(), cubes.end(), [](const TCube& a, const TCube& b) {
        return a.Hi != b.Hi ? a.Hi < b.Hi : a.Care < b.Care;
    });
    return cubes;
}

std::vector<TCube> ComplementCubes(const std::vector<TCube>& cubes, int n) {
    const uint32_t all = (1u << n) - 1;
    TMintermBits rest = MakeMintermBits(n);
    for (uint32_t m = 0; m <= all; ++m) {
        SetMinterm(rest, m);
    }
    for (const TCube& cube : cubes) {
        ForEachCubeMinterm(cube, all, [&](uint32_t m) {
            rest[m >> 6] &= ~(uint64_t{1} << (m & 63u));
            return true;
        });
    }
    return CubesOfSet(rest, n);
}
