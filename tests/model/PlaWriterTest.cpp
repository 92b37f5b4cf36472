// Tests of the PLA writer over units: exact files, and every unit read back to its function.
#include <gtest/gtest.h>

#include "ExportUnits.h"
#include "model/DesignUnit.h"
#include "model/Pla.h"
#include "model/PlaWriter.h"

namespace {

using export_units::Unit;

struct TPlaCase {
    const char* Name;
    TDesignUnit Source;
    std::string Expected;
};

class PlaUnitForm : public ::testing::TestWithParam<TPlaCase> {};

TEST_P(PlaUnitForm, WritesTheExpectedFile) {
    EXPECT_EQ(WriteUnitPla(GetParam().Source), GetParam().Expected);
}

TDesignUnit WithDontCares(TDesignUnit unit, std::vector<std::vector<TCube>> dontCares) {
    unit.DontCares = std::move(dontCares);
    return unit;
}

// F1 = AB + C, F2 = AB over A B C.
const TDesignUnit Pair = Unit("pair", 3, {{0b110, 0b110}, {0b001, 0b001}}, {{0, 1}, {0}});

INSTANTIATE_TEST_SUITE_P(
    Files, PlaUnitForm,
    ::testing::Values(
        TPlaCase{"SharedTermsOneRowEach", Pair,
                 ".i 3\n.o 2\n.ilb A B C\n.ob F1 F2\n.type f\n.p 2\n11- 11\n--1 10\n.e\n"},
        TPlaCase{"DontCaresPerOutput",
                 WithDontCares(Pair, {{{0b111, 0b000}}, {{0b111, 0b000}, {0b011, 0b001}}}),
                 ".i 3\n.o 2\n.ilb A B C\n.ob F1 F2\n.type fd\n.p 4\n11- 11\n--1 10\n"
                 "000 --\n-01 0-\n.e\n"},
        TPlaCase{"ConstantLoOfSeveralOutputs", Unit("lo", 2, {}, {{}, {}}),
                 ".i 2\n.o 2\n.ilb A B\n.ob F1 F2\n.type f\n.p 1\n-- 00\n.e\n"},
        TPlaCase{"ConstantHi", SingleOutputUnit("", 3, {{0, 0}}, {}, "F"),
                 ".i 3\n.o 1\n.ilb A B C\n.ob F\n.type f\n.p 1\n--- 1\n.e\n"},
        // (A + B')(A' + C'): the ON set, then the zeros.
        TPlaCase{"ProductOfSums",
                 SingleOutputUnit("", 3, {{0b110, 0b010}, {0b101, 0b101}}, {}, "F",
                                  TUnitForm::ProductOfSums),
                 ".i 3\n.o 1\n.ilb A B C\n.ob F\n.type fr\n.p 4\n00- 1\n1-0 1\n01- 0\n1-1 0\n"
                 ".e\n"},
        TPlaCase{"ProductOfSumsDontCareOutsideTheZeros",
                 SingleOutputUnit("", 2, {{0b10, 0b10}}, {}, "F", TUnitForm::ProductOfSums,
                                  {{0b11, 0b11}, {0b11, 0b00}}),
                 ".i 2\n.o 1\n.ilb A B\n.ob F\n.type fdr\n.p 3\n01 1\n00 -\n1- 0\n.e\n"},
        TPlaCase{"ProductOfSumsLo",
                 SingleOutputUnit("", 2, {{0, 0}}, {}, "F", TUnitForm::ProductOfSums),
                 ".i 2\n.o 1\n.ilb A B\n.ob F\n.type fr\n.p 1\n-- 0\n.e\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Every sample unit, with don't cares added, read back by the PLA reader: the same value on
// every input where it matters, and every don't care still free.
TEST(PlaUnitRoundTrip, EveryOutputReadsBackAsWritten) {
    std::mt19937 random(7);
    for (TDesignUnit unit : export_units::SampleUnits()) {
        const int n = unit.Inputs;
        unit.DontCares.clear();
        for (size_t j = 0; j < unit.Uses.size(); ++j) {
            unit.DontCares.push_back(j % 2 == 0 ? export_units::RandomCubes(random, n, 2)
                                                : std::vector<TCube>{});
        }
        const std::string text = WriteUnitPla(unit);
        TPla pla;
        TPlaError error;
        ASSERT_TRUE(ReadPla(text, pla, error)) << error.Message() << "\n" << text;
        ASSERT_EQ(pla.Outputs, static_cast<int>(unit.Uses.size()));
        for (size_t j = 0; j < unit.Uses.size(); ++j) {
            TPlaFunction f;
            ASSERT_TRUE(PlaOutputFunction(pla, static_cast<int>(j), f, error)) << error.Message();
            for (uint32_t m = 0; m < (1u << n); ++m) {
                const bool free = AnyCovers(unit.DontCares[j], m);
                const bool value = export_units::Value(unit, j, m);
                if (!free) {
                    ASSERT_EQ(f.OnSet[m], value ? 1 : 0) << unit.Name << " " << j << " " << m;
                    ASSERT_EQ(f.DcSet[m], 0) << unit.Name << " " << j << " " << m;
                } else if (unit.Form == TUnitForm::SumOfProducts) {
                    ASSERT_EQ(f.OnSet[m] + f.DcSet[m], 1) << unit.Name << " " << j << " " << m;
                } else {
                    // The zeros of a product of sums stay zeros; its other don't cares stay free.
                    ASSERT_EQ(f.OnSet[m], 0) << unit.Name << " " << j << " " << m;
                    ASSERT_EQ(f.DcSet[m], value ? 1 : 0) << unit.Name << " " << j << " " << m;
                }
            }
        }
    }
}

}  // namespace
