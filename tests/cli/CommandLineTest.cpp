// Tests of `quillon simplify`, `--help` and `--version`: output, error line and exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "tests/cli/CommandRun.h"
#include "tests/support/SharedFunctions.h"

namespace {

// A full adder with named pins: sum and carry out of a, b and the carry in.
const char* const Adder =
    ".i 3\n.o 2\n.ilb a b cin\n.ob sum cout\n"
    "001 10\n010 10\n100 10\n111 11\n011 01\n101 01\n110 01\n.e\n";

std::string Repeated(const std::string& text, int count) {
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += text;
    }
    return all;
}

struct TCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Input;
    std::string Out;
    std::string Err = "";  // warnings
};

class SimplifyOutput : public ::testing::TestWithParam<TCase> {};

TEST_P(SimplifyOutput, PrintsTheResultAndExitsZero) {
    const TCase& c = GetParam();
    const TCommandRun run = RunInMemory(c.Args, c.Input);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, c.Out);
    EXPECT_EQ(run.Err, c.Err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimplifyOutput,
    ::testing::Values(
        TCase{"TermsInCodeOrder", {"simplify", "-"}, "4\nAb\nAB\n\n aBCD \nabCD\n", "A\nCD\n"},
        TCase{"DontCareLinesWidenPrimes", {"simplify", "-"}, "3\nabc\n-abC\n-ABC\n", "ab\n"},
        TCase{"DontCareAlsoOnIsOn", {"simplify", "-"}, "3\nABC\n-ABC\n", "ABC\n"},
        TCase{"ConstantHi", {"simplify", "-"}, "3\nA\n-a\n", "HI\n"},
        TCase{"ConstantLo", {"simplify", "-"}, "5\n", "LO\n"},
        TCase{"PlaOutputsTogetherByDefault",
              {"simplify", "-"},
              Adder,
              "AB 01\nABC 11\nAC 01\nAbc 10\nBC 01\naBc 10\nabC 10\n"},
        TCase{"SharedCoverOfTheOutputs",
              {"simplify", "--minimum", "-"},
              Adder,
              "AB 01\nABC 10\nAC 01\nAbc 10\nBC 01\naBc 10\nabC 10\n"},
        TCase{"SharedCoverAsPla",
              {"simplify", "--minimum", "--format", "pla", "-"},
              ".i 2\n.o 2\n11 11\n10 01\n01 10\n",
              ".i 2\n.o 2\n.ilb A B\n.ob F1 F2\n.type f\n.p 2\n-1 10\n1- 01\n.e\n"},
        TCase{"SharedConstantsLoAndHi", {"simplify", "-"}, ".i 3\n.o 2\n--- 01\n", "HI 01\n"},
        TCase{"PlaOutputByNameAsVerilog",
              {"simplify", "--output", "cout", "--format=verilog", "-"},
              Adder,
              "module simplified (\n    input wire a,\n    input wire b,\n    input wire cin,\n"
              "    output wire cout\n);\n    assign cout = (a & b)\n        | (a & cin)\n"
              "        | (b & cin);\nendmodule\n"},
        TCase{"PlaOutputByNumberAsVhdl",
              {"simplify", "-", "--format", "vhdl", "--output=2"},
              Adder,
              "library ieee;\nuse ieee.std_logic_1164.all;\n\nentity simplified is\n"
              "    port (\n        a : in std_logic;\n        b : in std_logic;\n"
              "        cin : in std_logic;\n        cout : out std_logic\n    );\n"
              "end entity simplified;\n\narchitecture rtl of simplified is\nbegin\n"
              "    cout <= (a and b)\n        or (a and cin)\n        or (b and cin);\n"
              "end architecture rtl;\n"},
        TCase{"PlaAsC",
              {"simplify", "--format", "c", "--output", "cout", "-"},
              Adder,
              "#ifndef SIMPLIFIED_H\n#define SIMPLIFIED_H\n\n"
              "static inline int simplified(int a, int b, int cin)\n{\n"
              "    return (a && b)\n        || (a && cin)\n        || (b && cin);\n}\n\n"
              "#endif\n"},
        TCase{"PlaAsPla",
              {"simplify", "--format", "pla", "--output", "cout", "-"},
              Adder,
              ".i 3\n.o 1\n.ilb a b cin\n.ob cout\n.type f\n.p 3\n11- 1\n1-1 1\n-11 1\n.e\n"},
        TCase{"FewerThanThreeInputs",
              {"simplify", "--format", "pla", "-"},
              ".i 2\n.o 1\n.type fr\n01 1\n00 0\n11 0\n",
              ".i 2\n.o 1\n.ilb A B\n.ob F\n.type fd\n.p 2\n01 1\n10 -\n.e\n"},
        TCase{"ConstantLoAsPla",
              {"simplify", "--format", "pla", "-"},
              "3\n",
              ".i 3\n.o 1\n.ilb A B C\n.ob F\n.type f\n.p 1\n--- 0\n.e\n"},
        TCase{"UnnamedSixInputsAsPla",
              {"simplify", "--format", "pla", "-"},
              "6\nABCDEF\n",
              ".i 6\n.o 1\n.ilb A B C D E F\n.ob F_2\n.type f\n.p 1\n111111 1\n.e\n",
              "quillon: standard input: renamed in the export: F to F_2\n"},
        TCase{"CaseClashRenamedAndTold",
              {"simplify", "--format", "verilog", "-"},
              ".i 2\n.o 2\n.ilb A B\n.ob a b\n11 11\n",
              "module simplified (\n    input wire A,\n    input wire B,\n    output wire a_2,\n"
              "    output wire b_2\n);\n    wire t1 = A & B;\n    assign a_2 = t1;\n"
              "    assign b_2 = t1;\nendmodule\n",
              "quillon: standard input: renamed in the export: a to a_2, b to b_2\n"},
        TCase{"ControlCharactersOfNamesReplaced",
              {"simplify", "--format", "pla", "-"},
              ".i 1\n.o 1\n.ilb a\xc2\x9b\n.ob f\x85\n1 1\n",
              ".i 1\n.o 1\n.ilb a_\n.ob f_\n.type f\n.p 1\n1 1\n.e\n",
              "quillon: standard input: renamed in the export: a\\xc2\\x9b to a_, f\\x85 to f_\n"},
        TCase{"ByteOrderMarkSkipped",
              {"simplify", "-"},
              "\xEF\xBB\xBF"
              "3\nAB\n",
              "AB\n"},
        TCase{"ConstantAsVerilog",
              {"simplify", "--format", "verilog", "-"},
              "3\nA\na\n",
              "module simplified (\n    input wire A,\n    input wire B,\n    input wire C,\n"
              "    output wire F\n);\n    assign F = 1'b1;\nendmodule\n"},
        TCase{"TermListOutputF", {"simplify", "--output", "F", "-"}, "3\nAB\n", "AB\n"},
        TCase{"OutputNameInAnyCase", {"simplify", "--output", "COUT", "-"}, Adder, "AB\nAC\nBC\n"},
        // 1-- is ON and don't care at once: a don't care, so nothing is ON.
        TCase{"PlaDontCareWinsOverOn", {"simplify", "-"}, ".i 3\n.o 1\n1-- 1\n1-- -\n", "LO\n"},
        TCase{"TitleLineSkippedWithAWarning",
              {"simplify", "-"},
              std::string("full adder\n") + Adder,
              "AB 01\nABC 11\nAC 01\nAbc 10\nBC 01\naBc 10\nabC 10\n",
              "quillon: standard input: line 1: skipped \"full adder\" before .i as a title\n"},
        // Products of sums: the zeros' primes, each printed as its sum.
        TCase{"ProductOfSums",
              {"simplify", "--pos", "--output", "cout", "-"},
              Adder,
              "A+B\nA+C\nB+C\n"},
        TCase{"ProductOfSumsDontCaresFree",
              {"simplify", "--pos", "-"},
              "3\nabc\n-abC\n-ABC\n",
              "a\nb\nc\n"},
        TCase{"ProductOfSumsWithoutZerosIsHi", {"simplify", "--pos", "-"}, "3\nA\n-a\n", "HI\n"},
        TCase{"ProductOfSumsWithoutOnIsLo", {"simplify", "--pos", "-"}, "5\n", "LO\n"},
        TCase{"ProductOfSumsAsVerilog",
              {"simplify", "--pos", "--format", "verilog", "--output", "cout", "-"},
              Adder,
              "module simplified (\n    input wire a,\n    input wire b,\n    input wire cin,\n"
              "    output wire cout\n);\n    assign cout = (a | b)\n        & (a | cin)\n"
              "        & (b | cin);\nendmodule\n"},
        TCase{"ProductOfSumsAsPla",
              {"simplify", "--pos", "--format", "pla", "-"},
              "3\nabc\n-abC\n-ABC\n",
              ".i 3\n.o 1\n.ilb A B C\n.ob F\n.type fr\n.p 4\n000 1\n1-- 0\n-1- 0\n--1 0\n.e\n"},
        TCase{"FunctionInPlaceOfFile",
              {"simplify", "--function", "Σm(0,2,5,7) + d(1,3)"},
              "",
              "C\na\n"},
        TCase{"FunctionOfTwoVariablesAsPla",
              {"simplify", "--format", "pla", "--function=A'B"},
              "",
              ".i 2\n.o 1\n.ilb A B\n.ob F\n.type f\n.p 1\n01 1\n.e\n"},
        // Past 16 inputs the cube engine's cover, a row running over two lines.
        TCase{"WideCover",
              {"simplify", "--minimum", "-"},
              ".i 17\n.o 2\n11--------------- 10\n10-------\n-------- 10\n0---------------1 01\n",
              "0---------------1 01\n1---------------- 10\n"},
        TCase{"RepeatedTermsReadOnce",
              {"simplify", "-"},
              "16\n" + Repeated("A\n-a\n", 100000),
              "HI\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TBadCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Input;
    std::string Err;
};

class SimplifyRefuses : public ::testing::TestWithParam<TBadCase> {};

// Bad arguments and bad input: one line on standard error, nothing on standard output, 2.
TEST_P(SimplifyRefuses, WithOneLineAndStatusTwo) {
    const TBadCase& c = GetParam();
    const TCommandRun run = RunInMemory(c.Args, c.Input);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, c.Err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimplifyRefuses,
    ::testing::Values(
        TBadCase{"BadPlaLine",
                 {"simplify", "-"},
                 ".i 3\n.o 1\n1x0 1\n",
                 "quillon: standard input: line 3: input 2 is \"x\"; an input is 0, 1 or -\n"},
        TBadCase{"TooManyInputs",
                 {"simplify", "-"},
                 ".i 5000\n.o 1\n",
                 "quillon: standard input: line 1: .i 5000: at most 4096 inputs are supported\n"},
        TBadCase{"InvalidTerm",
                 {"simplify", "-"},
                 "4\nAB\nAbE\n",
                 "quillon: standard input: line 3: Boolean string AbE is invalid\n"},
        // Checked at the list's own count, whatever ran before, and named as written.
        TBadCase{"ContradictionAtTheListsCount",
                 {"simplify", "-"},
                 "8\nabcdeA\n",
                 "quillon: standard input: line 2: Boolean string abcdeA is invalid\n"},
        TBadCase{"BadVarCount",
                 {"simplify", "-"},
                 "17\nA\n",
                 "quillon: standard input: line 1: the variable count must be 3 to 16\n"},
        // The title line's warning is not told when the command fails after all.
        TBadCase{"ProductOfSumsOfSeveralOutputs",
                 {"simplify", "--pos", "-"},
                 std::string("full adder\n") + Adder,
                 "quillon: --pos takes one output; name it with --output (see quillon --help)\n"},
        TBadCase{"UnknownOutput",
                 {"simplify", "--output", "carry", "-"},
                 Adder,
                 "quillon: standard input: no output carry; the outputs are sum, cout\n"},
        TBadCase{"OutputOfTermList",
                 {"simplify", "--output", "G", "-"},
                 "3\nA\n",
                 "quillon: standard input: no output G; a term list has the one output F\n"},
        TBadCase{"EmptyInput",
                 {"simplify", "-"},
                 "",
                 "quillon: standard input: not a PLA file: it has no .i line\n"},
        TBadCase{"MissingFile",
                 {"simplify", "/nonexistent/f.pla"},
                 "",
                 "quillon: /nonexistent/f.pla: cannot open it: No such file or directory\n"},
        TBadCase{"Directory", {"simplify", "/"}, "", "quillon: /: not a regular file\n"},
        TBadCase{"NoFile",
                 {"simplify", "--minimum"},
                 "",
                 "quillon: simplify needs a FILE, or - for standard input (see quillon --help)\n"},
        TBadCase{"TwoFiles",
                 {"simplify", "a", "b"},
                 "",
                 "quillon: one input file only, not a and b (see quillon --help)\n"},
        TBadCase{"FunctionMalformed",
                 {"simplify", "--function", "¬A + (B"},
                 "",
                 "quillon: --function: column 6: this ( is never closed\n"},
        TBadCase{"FunctionAndFile",
                 {"simplify", "--function", "A", "-"},
                 "",
                 "quillon: --function takes the place of FILE: give one of them, not both (see "
                 "quillon --help)\n"},
        TBadCase{"OutputEmpty",
                 {"simplify", "--output", "", "-"},
                 "",
                 "quillon: --output needs the name or number of an output (see quillon --help)\n"},
        TBadCase{"OutputTwice",
                 {"simplify", "--output", "1", "-", "--output=2"},
                 "",
                 "quillon: --output is given twice (see quillon --help)\n"},
        TBadCase{"UnknownFormat",
                 {"simplify", "--format", "blif", "-"},
                 "",
                 "quillon: unknown format \"blif\"; use terms, pla, verilog, vhdl or c (see "
                 "quillon --help)\n"},
        TBadCase{"FormatWithoutValue",
                 {"simplify", "-", "--format"},
                 "",
                 "quillon: --format needs a value (see quillon --help)\n"},
        TBadCase{"UnknownOption",
                 {"simplify", "--fast", "-"},
                 "",
                 "quillon: unknown option --fast (see quillon --help)\n"},
        TBadCase{"TimeLimitWithoutMinimum",
                 {"simplify", "--time-limit", "5", "-"},
                 "",
                 "quillon: --time-limit goes with --minimum (see quillon --help)\n"},
        TBadCase{"TimeLimitNotSeconds",
                 {"simplify", "--minimum", "--time-limit=0", "-"},
                 "",
                 "quillon: --time-limit needs seconds from 0.001 to 86400, not \"0\" (see "
                 "quillon --help)\n"},
        TBadCase{"TimeLimitNotANumber",
                 {"simplify", "--minimum", "--time-limit", "5s", "-"},
                 "",
                 "quillon: --time-limit needs seconds from 0.001 to 86400, not \"5s\" (see "
                 "quillon --help)\n"},
        TBadCase{"UnknownCommand",
                 {"minimize"},
                 "",
                 "quillon: unknown command \"minimize\" (see quillon --help)\n"},
        TBadCase{"UnknownOptionFirst",
                 {"--bogus"},
                 "",
                 "quillon: unknown option --bogus (see quillon --help)\n"},
        // The editor cuts a long term to 16 letters; the command line refuses it whole.
        TBadCase{"TermLongerThanAnyIsRefused",
                 {"simplify", "-"},
                 "16\nABCDEFGHIJKLMNOPzzzz!!\n",
                 "quillon: standard input: line 2: Boolean string ABCDEFGHIJKLMNOPzzzz!! is "
                 "invalid\n"},
        TBadCase{"HugeTermShownInPart",
                 {"simplify", "-"},
                 "16\n-" + std::string(100000, 'a') + "\n",
                 "quillon: standard input: line 2: Boolean string " + std::string(40, 'a') +
                     "... (100000 characters) is invalid\n"},
        TBadCase{"ControlBytesOfTheInputEscaped",
                 {"simplify", "-"},
                 "4\nA\x1b[31mB\x9b\n",
                 "quillon: standard input: line 2: Boolean string A\\x1b[31mB\\x9b is invalid\n"},
        TBadCase{"LineBreakInFileNameEscaped",
                 {"simplify", "no\nsuch\r.pla"},
                 "",
                 "quillon: no\\nsuch\\r.pla: cannot open it: No such file or directory\n"},
        TBadCase{
            "LineBreakInArgumentEscaped",
            {"simplify", "--format", "pla\nquillon: ok", "-"},
            "",
            "quillon: unknown format \"pla\\nquillon: ok\"; use terms, pla, verilog, vhdl or c "
            "(see quillon --help)\n"},
        TBadCase{"OutputsBeyondTheBound",
                 {"simplify", "--output", "nosuch", "-"},
                 ".i 3\n.o 2147483647\n",
                 "quillon: standard input: line 2: .o 2147483647: at most 4096 outputs are "
                 "supported\n"},
        TBadCase{"OutputNameMatchingTwoWithoutCase",
                 {"simplify", "--output", "SUM", "-"},
                 ".i 1\n.o 2\n.ob sum Sum\n1 11\n",
                 "quillon: standard input: no output SUM; the outputs are sum, Sum\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CommandLine, HelpAndVersion) {
    const TCommandRun help = RunInMemory({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("quillon simplify [--minimum]"), std::string::npos);
    const TCommandRun simplifyHelp = RunInMemory({"simplify", "--help"});
    EXPECT_EQ(simplifyHelp.Status, 0);
    EXPECT_EQ(simplifyHelp.Out, help.Out);
    const TCommandRun version = RunInMemory({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "quillon " QUILLON_TEST_VERSION "\n");
}

// A warning that cannot be written, as to a full disk, is a failure all the same.
TEST(CommandLine, UnwritableWarningFails) {
    std::istringstream in("title\n.i 1\n.o 1\n1 1\n");
    std::ostringstream out;
    std::ostream err(nullptr);
    EXPECT_EQ(RunCommandLine({"simplify", "-"}, in, out, err), 2);
}

// Only its own words go to the command line; the toolkit's options and no argument start the
// windows.
TEST(CommandLine, DecidesBetweenCommandLineAndWindows) {
    const auto decides = [](std::vector<const char*> args) {
        args.insert(args.begin(), "quillon");
        return IsCommandLine(static_cast<int>(args.size()), args.data());
    };
    EXPECT_FALSE(decides({}));
    EXPECT_FALSE(decides({"-platform", "offscreen"}));
    EXPECT_TRUE(decides({"simplify", "f.pla"}));
    EXPECT_TRUE(decides({"--help"}));
    EXPECT_TRUE(decides({"--version"}));
    EXPECT_TRUE(decides({"minimize"}));
    EXPECT_TRUE(decides({"--bogus"}));
    EXPECT_TRUE(decides({"-platform", "offscreen", "--bogus"}));
    EXPECT_FALSE(decides({"--platform", "xcb", "-style=fusion", "-reverse"}));
    EXPECT_FALSE(decides({"-stylesheet", "s.qss", "-geometry", "400x300"}));
}

// The minimum cover of a function whose primes form a cycle: three of its six primes.
TEST(CommandLine, MinimumPicksAThreeTermCover) {
    const std::string input = "3\nabc\nabC\naBc\nAbC\nABc\nABC\n";
    const TCommandRun all = RunInMemory({"simplify", "-"}, input);
    EXPECT_EQ(all.Out, "AB\nAC\nBc\nab\nac\nbC\n");
    const TCommandRun minimum =
        RunInMemory({"simplify", "--minimum", "--time-limit", "0.5", "-"}, input);
    EXPECT_EQ(minimum.Status, 0);
    EXPECT_EQ(minimum.Err, "");
    const std::set<std::string> covers[] = {{"AC", "Bc", "ab"}, {"AB", "ac", "bC"}};
    std::set<std::string> lines;
    std::istringstream out(minimum.Out);
    for (std::string line; std::getline(out, line);) {
        lines.insert(line);
    }
    EXPECT_TRUE(lines == covers[0] || lines == covers[1]) << minimum.Out;
}

// Segments a to g of a BCD digit, 10 to 15 don't care: 9 shared terms where the outputs apart
// need 15. The PLA written reads back to the same function, output by output.
TEST(CommandLine, SharedCoverOfTheSevenSegmentDecoder) {
    const std::string pla = SharedFunctions::SevenSegmentPla();
    const TCommandRun terms = RunInMemory({"simplify", "--minimum", "-"}, pla);
    EXPECT_EQ(terms.Status, 0);
    EXPECT_EQ(terms.Err, "");
    EXPECT_EQ(std::count(terms.Out.begin(), terms.Out.end(), '\n'), 9) << terms.Out;
    const TCommandRun written = RunInMemory({"simplify", "--minimum", "--format", "pla", "-"}, pla);
    for (char s = 'a'; s <= 'g'; ++s) {
        const std::vector<std::string> args = {"simplify", "--output", std::string(1, s), "-"};
        EXPECT_EQ(RunInMemory(args, written.Out).Out, RunInMemory(args, pla).Out)
            << "segment " << s;
    }
}

TEST(CommandLine, ReadsAFile) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("quillon-cli-" + std::to_string(getpid()) + ".pla");
    { std::ofstream(path) << Adder; }
    const TCommandRun run = RunInMemory({"simplify", "--output", "cout", path.string()});
    std::filesystem::remove(path);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "AB\nAC\nBC\n");
}

// The module, entity or function takes the input file's name, made legal.
TEST(CommandLine, NamesTheUnitAfterTheFile) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quillon-cli-unit-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "full-adder.pla").string();
    { std::ofstream(path) << Adder; }
    const std::pair<const char*, const char*> cases[] = {
        {"verilog", "module full_adder (\n"},
        {"vhdl", "entity full_adder is\n"},
        {"c", "static inline struct full_adder_outputs full_adder(int a, int b, int cin)\n"}};
    for (const auto& [format, line] : cases) {
        const TCommandRun run = RunInMemory({"simplify", "--format", format, path});
        EXPECT_EQ(run.Status, 0) << format;
        EXPECT_NE(run.Out.find(line), std::string::npos) << run.Out;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
