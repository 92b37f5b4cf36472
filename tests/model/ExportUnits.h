// Units to export in the tests, and the value each output of a unit should have.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "model/DesignUnit.h"
#include "tests/support/Reference.h"

namespace export_units {

// A sum of products is 1 where a term covers m; a product of sums is 0 where one does.
inline bool Value(const TDesignUnit& unit, size_t output, uint32_t m) {
    const bool sum = unit.Form == TUnitForm::SumOfProducts;
    for (const size_t i : unit.Uses[output]) {
        if (Covers(unit.Terms[i], m)) {
            return sum;
        }
    }
    return !sum;
}

// One line per minterm, one character per output.
inline std::string Table(const TDesignUnit& unit) {
    std::string table;
    for (uint32_t m = 0; m < (1u << unit.Inputs); ++m) {
        for (size_t j = 0; j < unit.Uses.size(); ++j) {
            table += Value(unit, j, m) ? '1' : '0';
        }
        table += '\n';
    }
    return table;
}

inline std::vector<TCube> RandomCubes(std::mt19937& random, int n, int count) {
    std::vector<TCube> cubes;
    const uint32_t all = (1u << n) - 1;
    for (int i = 0; i < count; ++i) {
        // Mostly large cubes, so that 16 inputs still give a function of a few terms.
        const uint32_t care = random() & random() & all;
        cubes.push_back({care, static_cast<uint32_t>(random()) & care});
    }
    return cubes;
}

// Outputs that each take a random part of the terms, so that some terms are shared.
inline TDesignUnit RandomUnit(std::mt19937& random, std::string name, int n, size_t outputs,
                              int terms, TUnitForm form) {
    TDesignUnit unit;
    unit.Name = std::move(name);
    unit.Inputs = n;
    unit.Form = form;
    unit.Terms = RandomCubes(random, n, terms);
    unit.Uses.resize(outputs);
    for (size_t i = 0; i < unit.Terms.size(); ++i) {
        for (size_t j = 0; j < outputs; ++j) {
            if (random() % 2 == 0) {
                unit.Uses[j].push_back(i);
            }
        }
    }
    return unit;
}

inline TDesignUnit Unit(std::string name, int n, std::vector<TCube> terms,
                        std::vector<std::vector<size_t>> uses,
                        TUnitForm form = TUnitForm::SumOfProducts) {
    TDesignUnit unit;
    unit.Name = std::move(name);
    unit.Inputs = n;
    unit.Terms = std::move(terms);
    unit.Uses = std::move(uses);
    unit.Form = form;
    return unit;
}

// Every kind of unit the exports meet: one and several outputs, shared terms, products of sums,
// constants, unused inputs, odd names, one input and sixteen.
inline std::vector<TDesignUnit> SampleUnits() {
    using F = TUnitForm;
    std::vector<TDesignUnit> units;
    // aBc' + AC, the cover of a function with don't cares (only the PLA writes them).
    TDesignUnit cover = SingleOutputUnit("cover", 3, {{0b111, 0b010}, {0b101, 0b101}}, {}, "F",
                                         F::SumOfProducts, {{0b111, 0b000}});
    units.push_back(cover);
    // F1 = AB + A'C, F2 = AB + BC', F3 = A'C + D: AB and A'C are shared.
    TDesignUnit shared =
        Unit("shared", 4, {{0b1100, 0b1100}, {0b1010, 0b0010}, {0b0110, 0b0100}, {0b0001, 0b0001}},
             {{0, 1}, {0, 2}, {1, 3}});
    shared.OutputNames = {"f1", "f2", "f3"};
    units.push_back(shared);
    units.push_back(
        Unit("sums", 4, {{0b1110, 0b0100}, {0b1001, 0b1000}}, {{0, 1}}, F::ProductOfSums));
    units.push_back(Unit("shared_sums", 4, {{0b1100, 0b1100}, {0b0011, 0b0001}, {0b1000, 0b0000}},
                         {{0, 1}, {0, 2}}, F::ProductOfSums));
    // Outputs lo, hi of each form, and a term outside every output.
    units.push_back(Unit("constants", 2, {{0, 0}, {0b11, 0b01}}, {{}, {0}, {1, 0}}));
    units.push_back(
        Unit("pos_constants", 2, {{0, 0}, {0b11, 0b01}}, {{}, {0}, {1, 0}}, F::ProductOfSums));
    units.push_back(SingleOutputUnit("lo", 3, {}, {}, "F"));
    units.push_back(SingleOutputUnit("hi", 3, {{0, 0}}, {}, "F"));
    units.push_back(SingleOutputUnit("not_a", 1, {{1, 0}}, {}, "F"));
    // Names that break a compiler when written unchanged, an output that repeats an input.
    units.push_back(SingleOutputUnit("class", 12, {{0xfff, 0xa5a}, {0x801, 0x001}, {0x0f0, 0x0f0}},
                                     {"class", "new", "signal", "EOF", "a__b", "_X", "9x", "not",
                                      "and", "std_logic", "int", "x y"},
                                     "new"));
    // Names longer than a tool takes, alike in their first thousand characters.
    units.push_back(SingleOutputUnit(std::string(5000, 'u'), 2, {{0b11, 0b10}},
                                     {std::string(4999, 'a') + "b", std::string(4999, 'a') + "c"},
                                     std::string(5000, 'o')));
    std::mt19937 random(18);
    units.push_back(RandomUnit(random, "wide", 16, 2, 9, F::SumOfProducts));
    units.push_back(RandomUnit(random, "wide_sums", 16, 2, 9, F::ProductOfSums));
    for (int trial = 0; trial < 12; ++trial) {
        const F form = trial % 2 == 0 ? F::SumOfProducts : F::ProductOfSums;
        units.push_back(RandomUnit(random, "random" + std::to_string(trial), 1 + trial % 7,
                                   1 + static_cast<size_t>(trial % 3), trial % 6, form));
    }
    return units;
}

}  // namespace export_units
