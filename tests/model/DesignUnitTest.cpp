// Tests of the exported units' text: exact forms, legal names, the file a unit is named after.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ExportUnits.h"
#include "model/DesignUnit.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"

namespace {

using Format = TExportFormat;

struct TFormCase {
    const char* Name;
    Format Form;
    TDesignUnit Unit;
    std::string Expected;
};

class UnitForm : public ::testing::TestWithParam<TFormCase> {};

TEST_P(UnitForm, WritesTheExpectedText) {
    EXPECT_EQ(WriteUnit(GetParam().Form, GetParam().Unit), GetParam().Expected);
}

// aBc' + AC over A B C: cube masks with A the most significant bit.
const std::vector<TCube> TwoCubes = {{0b111, 0b010}, {0b101, 0b101}};

TDesignUnit Single(std::vector<TCube> cubes, std::vector<std::string> names = {},
                   TUnitForm form = TUnitForm::SumOfProducts) {
    return SingleOutputUnit("unit", 3, std::move(cubes), std::move(names), "F", form);
}

// F1 = AB + C, F2 = AB: AB is written once.
TDesignUnit Shared() {
    TDesignUnit unit =
        export_units::Unit("pair", 3, {{0b110, 0b110}, {0b001, 0b001}}, {{0, 1}, {0}});
    unit.InputNames = {"a", "b", "c"};
    return unit;
}

const TDesignUnit Sums = Single(TwoCubes, {}, TUnitForm::ProductOfSums);

INSTANTIATE_TEST_SUITE_P(
    Forms, UnitForm,
    ::testing::Values(
        TFormCase{"Verilog", Format::Verilog, Single(TwoCubes),
                  "module unit (\n    input wire A,\n    input wire B,\n    input wire C,\n"
                  "    output wire F\n);\n    assign F = (~A & B & ~C)\n        | (A & C);\n"
                  "endmodule\n"},
        TFormCase{"Vhdl", Format::Vhdl, Single(TwoCubes),
                  "library ieee;\nuse ieee.std_logic_1164.all;\n\nentity unit is\n    port (\n"
                  "        A : in std_logic;\n        B : in std_logic;\n"
                  "        C : in std_logic;\n        F : out std_logic\n    );\n"
                  "end entity unit;\n\narchitecture rtl of unit is\nbegin\n"
                  "    F <= (not A and B and not C)\n        or (A and C);\n"
                  "end architecture rtl;\n"},
        TFormCase{
            "C", Format::C, Single(TwoCubes),
            "#ifndef UNIT_H\n#define UNIT_H\n\nstatic inline int unit(int A, int B, int C)\n{\n"
            "    return (!A && B && !C)\n        || (A && C);\n}\n\n#endif\n"},
        TFormCase{
            "CUnusedInputs", Format::C, Single({{0b100, 0b100}}),
            "#ifndef UNIT_H\n#define UNIT_H\n\nstatic inline int unit(int A, int B, int C)\n{\n"
            "    (void)B;\n    (void)C;\n    return A;\n}\n\n#endif\n"},
        TFormCase{"Text", Format::Text, Single(TwoCubes), "A'BC' + AC\n"},
        TFormCase{"TextLongNames", Format::Text, Single(TwoCubes, {"x1", "y"}),
                  "x1'*y*C' + x1*C\n"},
        TFormCase{"VerilogOneProduct", Format::Verilog, Single({{0b110, 0b010}}),
                  "module unit (\n    input wire A,\n    input wire B,\n    input wire C,\n"
                  "    output wire F\n);\n    assign F = ~A & B;\nendmodule\n"},
        TFormCase{"VhdlConstants", Format::Vhdl, export_units::Unit("k", 1, {{0, 0}}, {{}, {0}}),
                  "library ieee;\nuse ieee.std_logic_1164.all;\n\nentity k is\n    port (\n"
                  "        A : in std_logic;\n        F1 : out std_logic;\n"
                  "        F2 : out std_logic\n    );\nend entity k;\n\n"
                  "architecture rtl of k is\nbegin\n    F1 <= '0';\n    F2 <= '1';\n"
                  "end architecture rtl;\n"},
        TFormCase{"TextOne", Format::Text, Single({{0b100, 0b100}, {0, 0}}), "1\n"},
        TFormCase{"VerilogSharedWire", Format::Verilog, Shared(),
                  "module pair (\n    input wire a,\n    input wire b,\n    input wire c,\n"
                  "    output wire F1,\n    output wire F2\n);\n    wire t1 = a & b;\n"
                  "    assign F1 = t1\n        | c;\n    assign F2 = t1;\nendmodule\n"},
        TFormCase{"VhdlSharedSignal", Format::Vhdl, Shared(),
                  "library ieee;\nuse ieee.std_logic_1164.all;\n\nentity pair is\n    port (\n"
                  "        a : in std_logic;\n        b : in std_logic;\n"
                  "        c : in std_logic;\n        F1 : out std_logic;\n"
                  "        F2 : out std_logic\n    );\nend entity pair;\n\n"
                  "architecture rtl of pair is\n    signal t1 : std_logic;\nbegin\n"
                  "    t1 <= a and b;\n    F1 <= t1\n        or c;\n    F2 <= t1;\n"
                  "end architecture rtl;\n"},
        TFormCase{"CSharedLocalInAStruct", Format::C, Shared(),
                  "#ifndef PAIR_H\n#define PAIR_H\n\nstruct pair_outputs {\n    int F1;\n"
                  "    int F2;\n};\n\nstatic inline struct pair_outputs pair(int a, int b, int c)"
                  "\n{\n    struct pair_outputs out;\n    const int t1 = a && b;\n"
                  "    out.F1 = t1\n        || c;\n    out.F2 = t1;\n    return out;\n}\n\n"
                  "#endif\n"},
        TFormCase{"TextSeveralOutputs", Format::Text, Shared(), "F1 = ab + c\nF2 = ab\n"},
        TFormCase{"VerilogProductOfSums", Format::Verilog, Sums,
                  "module unit (\n    input wire A,\n    input wire B,\n    input wire C,\n"
                  "    output wire F\n);\n    assign F = (A | ~B | C)\n        & (~A | ~C);\n"
                  "endmodule\n"},
        TFormCase{"TextProductOfSums", Format::Text, Sums, "(A + B' + C)(A' + C')\n"},
        TFormCase{"TextProductOfSumsLongNames", Format::Text,
                  Single({{0b110, 0b000}, {0b001, 0b001}}, {"x1", "y"}, TUnitForm::ProductOfSums),
                  "(x1 + y)*C'\n"},
        TFormCase{
            "COneSumAlone", Format::C, Single({{0b011, 0b001}}, {}, TUnitForm::ProductOfSums),
            "#ifndef UNIT_H\n#define UNIT_H\n\nstatic inline int unit(int A, int B, int C)\n{\n"
            "    (void)A;\n    return B || !C;\n}\n\n#endif\n"},
        TFormCase{"TextSumAlwaysZero", Format::Text,
                  Single({{0b100, 0}, {0, 0}}, {}, TUnitForm::ProductOfSums), "0\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TNameCase {
    const char* Name;
    Format Form;
    std::vector<std::string> Inputs;
    std::string Output;
    std::string Unit;
    std::vector<std::string> Expected;  // inputs, output, unit
};

class UnitNamesCase : public ::testing::TestWithParam<TNameCase> {};

TEST_P(UnitNamesCase, MakesLegalDistinctIdentifiers) {
    const TNameCase& c = GetParam();
    const TUnitNames names = UnitNames(c.Form, SingleOutputUnit(c.Unit, 4, {}, c.Inputs, c.Output));
    std::vector<std::string> all = names.Inputs;
    all.insert(all.end(), names.Outputs.begin(), names.Outputs.end());
    all.push_back(names.Unit);
    EXPECT_EQ(all, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, UnitNamesCase,
    ::testing::Values(
        TNameCase{
            "LettersByDefault", Format::C, {}, "F", "", {"A", "B", "C", "D", "F", "simplified"}},
        TNameCase{"VerilogBitsAndKeywords",
                  Format::Verilog,
                  {"a[0]", "wire", "1st", "x.y"},
                  "out",
                  "my design",
                  {"a_0", "wire_v", "x1st", "x_y", "out_v", "my_design"}},
        TNameCase{"SystemVerilogKeywords",
                  Format::Verilog,
                  {"class", "new", "string", "bool"},
                  "type",
                  "enum",
                  {"class_v", "new_v", "string_v", "bool_v", "type_v", "enum_v"}},
        TNameCase{"VhdlUnderscoresAndCase",
                  Format::Vhdl,
                  {"a[0]", "_b__c_", "IN", "a_0"},
                  "Out",
                  "A_0",
                  {"a_0", "b_c", "IN_v", "a_0_2", "Out_v", "A_0_3"}},
        TNameCase{
            "VhdlRecentWordsAndLibraryNames",
            Format::Vhdl,
            {"restrict_guarantee", "Private", "view", "std_logic"},
            "ieee",
            "work",
            {"restrict_guarantee_v", "Private_v", "view_v", "std_logic_v", "ieee_v", "work_v"}},
        TNameCase{"CKeywordsAndRepeats",
                  Format::C,
                  {"int", "A", "A", "$"},
                  "F",
                  "main",
                  {"int_v", "A", "A_2", "x", "F", "main_v"}},
        TNameCase{"CxxWordsAndMacros",
                  Format::C,
                  {"bitand", "this", "EOF", "stderr"},
                  "errno",
                  "abs",
                  {"bitand_v", "this_v", "EOF_v", "stderr_v", "errno_v", "abs_v"}},
        TNameCase{"CUnderscores",
                  Format::C,
                  {"a__b", "__LINE__", "_X", "_x"},
                  "x_",
                  "_unit",
                  {"a_b", "LINE", "X", "x_2", "x_3", "unit"}},
        TNameCase{"CaseClashRenamedInVerilogAsInVhdl",
                  Format::Verilog,
                  {"A", "B", "C", "D"},
                  "a",
                  "b",
                  {"A", "B", "C", "D", "a_2", "b_2"}},
        TNameCase{"OutputClashesWithInput",
                  Format::Verilog,
                  {"F"},
                  "F",
                  "B",
                  {"F", "B", "C", "D", "F_2", "B_2"}},
        TNameCase{"PlaOutputClashesWithLetters",
                  Format::Pla,
                  {"a b", "", "", "F"},
                  "F",
                  "",
                  {"a_b", "B", "C", "F", "F_2", "simplified"}},
        TNameCase{"TextKeepsNames",
                  Format::Text,
                  {"a[0]", "int"},
                  "out",
                  "x.y",
                  {"a[0]", "int", "C", "D", "out", "x.y"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(UnitFile, NameAndFormatFromTheFileName) {
    const struct {
        const char* Path;
        const char* Unit;
        bool Known;
        Format Expected;
    } cases[] = {
        {"/home/me/adder.v", "adder", true, Format::Verilog},
        {"leak.SV", "leak", true, Format::Verilog},
        {"dir.d/a.b.vhdl", "a.b", true, Format::Vhdl},
        {"x.vhd", "x", true, Format::Vhdl},
        {"x.h", "x", true, Format::C},
        {"x.c", "x", true, Format::C},
        {"x.Pla", "x", true, Format::Pla},
        {"x.txt", "x", true, Format::Text},
        {"x.blif", "x", false, Format::Text},
        {"/tmp/.v", ".v", false, Format::Text},
        {"noextension", "noextension", false, Format::Text},
    };
    for (const auto& c : cases) {
        Format format = Format::Text;
        EXPECT_EQ(ExportFormatOfFile(c.Path, format), c.Known) << c.Path;
        EXPECT_EQ(format, c.Expected) << c.Path;
        EXPECT_EQ(UnitNameOfFile(c.Path), c.Unit) << c.Path;
    }
}

TEST(UnitSumTerm, FlipsEveryLetter) {
    EXPECT_EQ(SumTerm({0b111, 0b010}, 3), "A+b+C");
    EXPECT_EQ(SumTerm({0b1001, 0b0001}, 4), "A+d");
    EXPECT_EQ(SumTerm({0, 0}, 4), "");
}

// The cube sets the PLA writer builds its rows from cover exactly what they should.
TEST(UnitCubeSets, ComplementAndSetCoversAreExact) {
    std::mt19937 random(3);
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 1 + trial % 9;
        const std::vector<TCube> cubes = export_units::RandomCubes(random, n, trial % 7);
        const std::vector<TCube> complement = ComplementCubes(cubes, n);
        TMintermBits set = MakeMintermBits(n);
        for (uint32_t m = 0; m < (1u << n); ++m) {
            if (random() % 3 == 0) {
                SetMinterm(set, m);
            }
        }
        const std::vector<TCube> cover = CubesOfSet(set, n);
        for (uint32_t m = 0; m < (1u << n); ++m) {
            ASSERT_NE(AnyCovers(complement, m), AnyCovers(cubes, m))
                << "n " << n << " minterm " << m;
            ASSERT_EQ(AnyCovers(cover, m), TestMinterm(set, m)) << "n " << n << " minterm " << m;
        }
    }
    // The odd minterms of 16 variables are one cube, not 32768.
    TMintermBits odd = MakeMintermBits(16);
    for (uint32_t m = 1; m < 65536; m += 2) {
        SetMinterm(odd, m);
    }
    EXPECT_EQ(CubesOfSet(odd, 16).size(), 1u);
}

}  // namespace
