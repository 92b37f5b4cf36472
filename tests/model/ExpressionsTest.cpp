// Tests of the Verilog, VHDL, C and text exports: exact forms, legal names, and the value of
// every export on every minterm (the C export compiled by the system's compiler).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "model/Expressions.h"

namespace {

using Kind = TExpressionKind;

struct TFormCase {
    const char* Name;
    Kind Form;
    std::vector<TTermMasks> Cubes;
    std::vector<std::string> Names;
    std::string Expected;
};

class ExpressionForm : public ::testing::TestWithParam<TFormCase> {};

TEST_P(ExpressionForm, WritesTheExpectedText) {
    const TFormCase& c = GetParam();
    EXPECT_EQ(WriteExpression(c.Form, 3, c.Cubes, c.Names, "F"), c.Expected);
}

// aBc' + AC over A B C: cube masks with A the most significant bit.
const std::vector<TTermMasks> TwoCubes = {{0b111, 0b010}, {0b101, 0b101}};
const std::vector<TTermMasks> OneCube = {{0b110, 0b010}};
const std::vector<TTermMasks> Hi = {{0b100, 0b100}, {0, 0}};

INSTANTIATE_TEST_SUITE_P(
    Forms, ExpressionForm,
    ::testing::Values(
        TFormCase{
            "Verilog", Kind::Verilog, TwoCubes, {}, "assign F = (~A & B & ~C)\n    | (A & C);\n"},
        TFormCase{
            "Vhdl", Kind::Vhdl, TwoCubes, {}, "F <= (not A and B and not C)\n    or (A and C);\n"},
        TFormCase{"C", Kind::C, TwoCubes, {}, "(!A && B && !C)\n    || (A && C)\n"},
        TFormCase{"Text", Kind::Text, TwoCubes, {}, "A'BC' + AC\n"},
        TFormCase{"TextLongNames", Kind::Text, TwoCubes, {"x1", "y"}, "x1'*y*C' + x1*C\n"},
        TFormCase{"VerilogOneProduct", Kind::Verilog, OneCube, {}, "assign F = ~A & B;\n"},
        TFormCase{"VerilogZero", Kind::Verilog, {}, {}, "assign F = 1'b0;\n"},
        TFormCase{"VerilogOne", Kind::Verilog, Hi, {}, "assign F = 1'b1;\n"},
        TFormCase{"VhdlZero", Kind::Vhdl, {}, {}, "F <= '0';\n"},
        TFormCase{"VhdlOne", Kind::Vhdl, Hi, {}, "F <= '1';\n"},
        TFormCase{"CZero", Kind::C, {}, {}, "0\n"},
        TFormCase{"TextOne", Kind::Text, Hi, {}, "1\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TNameCase {
    const char* Name;
    Kind Form;
    std::vector<std::string> Inputs;
    std::string Output;
    std::vector<std::string> Expected;
};

class ExpressionNamesCase : public ::testing::TestWithParam<TNameCase> {};

TEST_P(ExpressionNamesCase, MakesLegalDistinctIdentifiers) {
    const TNameCase& c = GetParam();
    EXPECT_EQ(ExpressionNames(c.Form, 4, c.Inputs, c.Output), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExpressionNamesCase,
    ::testing::Values(
        TNameCase{"LettersByDefault", Kind::C, {}, "F", {"A", "B", "C", "D", "F"}},
        TNameCase{"VerilogBitsAndKeywords",
                  Kind::Verilog,
                  {"a[0]", "wire", "1st", "x.y"},
                  "out",
                  {"a_0_", "wire_v", "x1st", "x_y", "out"}},
        TNameCase{"VhdlUnderscoresAndCase",
                  Kind::Vhdl,
                  {"a[0]", "_b__c_", "IN", "a_0"},
                  "Out",
                  {"a_0", "b_c", "IN_v", "a_0_2", "Out_v"}},
        TNameCase{"CKeywordsAndRepeats",
                  Kind::C,
                  {"int", "A", "A", "$"},
                  "F",
                  {"int_v", "A", "A_2", "_", "F"}},
        TNameCase{"OutputClashesWithInput", Kind::Verilog, {"F"}, "F", {"F", "B", "C", "D", "F_2"}},
        TNameCase{"TextKeepsNames",
                  Kind::Text,
                  {"a[0]", "int"},
                  "out",
                  {"a[0]", "int", "C", "D", "out"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Evaluates what the Verilog and VHDL exports assign: names, NOT, AND, OR, brackets, constants.
class TEvaluator {
  public:
    TEvaluator(const std::string& text, const std::map<std::string, bool>& values)
        : FValues(values) {
        for (size_t i = 0; i < text.size();) {
            const char c = text[i];
            if (c == ' ' || c == '\n' || c == ';') {
                ++i;
            } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '\'') {
                size_t end = i;
                while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) ||
                                             text[end] == '_' || text[end] == '\'')) {
                    ++end;
                }
                FTokens.push_back(text.substr(i, end - i));
                i = end;
            } else {
                const size_t width = text.compare(i, 2, "<=") == 0 ? 2 : 1;
                FTokens.push_back(text.substr(i, width));
                i += width;
            }
        }
    }

    // The value of "assign F = e" or "F <= e".
    bool Assigned() {
        if (FTokens[0] == "assign") {
            ++FAt;
        }
        FAt += 2;
        const bool value = Or();
        EXPECT_EQ(FAt, FTokens.size());
        return value;
    }

  private:
    bool Is(const char* a, const char* b) {
        if (FAt < FTokens.size() && (FTokens[FAt] == a || FTokens[FAt] == b)) {
            ++FAt;
            return true;
        }
        return false;
    }
    bool Or() {
        bool value = And();
        while (Is("|", "or")) {
            value = And() || value;
        }
        return value;
    }
    bool And() {
        bool value = Unary();
        while (Is("&", "and")) {
            value = Unary() && value;
        }
        return value;
    }
    bool Unary() {
        if (Is("~", "not")) {
            return !Unary();
        }
        if (Is("(", "(")) {
            const bool value = Or();
            EXPECT_TRUE(Is(")", ")"));
            return value;
        }
        const std::string token = FTokens.at(FAt++);
        if (token == "1'b1" || token == "'1'") {
            return true;
        }
        if (token == "1'b0" || token == "'0'") {
            return false;
        }
        EXPECT_TRUE(FValues.count(token) == 1) << token;
        return FValues.at(token);
    }

    std::vector<std::string> FTokens;
    size_t FAt = 0;
    const std::map<std::string, bool>& FValues;
};

std::vector<TTermMasks> RandomCubes(std::mt19937& random, int n, int count) {
    std::vector<TTermMasks> cubes;
    const uint32_t all = (1u << n) - 1;
    for (int i = 0; i < count; ++i) {
        const uint32_t care = random() & all;
        cubes.push_back({care, static_cast<uint32_t>(random()) & care});
    }
    return cubes;
}

bool Reference(const std::vector<TTermMasks>& cubes, uint32_t m) {
    for (const TTermMasks& cube : cubes) {
        if ((m & cube.Care) == cube.Hi) {
            return true;
        }
    }
    return false;
}

// Random sums, with odd names, evaluated on every minterm against the cubes they came from.
TEST(ExpressionValue, VerilogAndVhdlOnEveryMinterm) {
    std::mt19937 random(5);
    const std::vector<std::string> inputs = {"a[0]", "in", "OUT", "x y", "", "wire"};
    for (int trial = 0; trial < 30; ++trial) {
        const int n = 1 + trial % 6;
        const std::vector<TTermMasks> cubes = RandomCubes(random, n, trial % 7);
        for (const Kind form : {Kind::Verilog, Kind::Vhdl}) {
            const std::string text = WriteExpression(form, n, cubes, inputs, "f");
            const std::vector<std::string> names = ExpressionNames(form, n, inputs, "f");
            for (uint32_t m = 0; m < (1u << n); ++m) {
                std::map<std::string, bool> values;
                for (int k = 0; k < n; ++k) {
                    values[names[static_cast<size_t>(k)]] = ((m >> (n - 1 - k)) & 1u) != 0;
                }
                ASSERT_EQ(TEvaluator(text, values).Assigned(), Reference(cubes, m))
                    << text << " at minterm " << m;
            }
        }
    }
}

// The C exports compiled into one program that prints each function's table.
TEST(ExpressionValue, CompiledCOnEveryMinterm) {
    std::mt19937 random(8);
    const std::vector<std::string> inputs = {"int", "a.b", "A", "_x", "9"};
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quillon-c-export-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string program = "#include <stdio.h>\n";
    std::string calls;
    std::string expected;
    for (int trial = 0; trial < 20; ++trial) {
        const int n = 1 + trial % 5;
        const std::vector<TTermMasks> cubes = RandomCubes(random, n, trial % 6);
        const std::vector<std::string> names = ExpressionNames(Kind::C, n, inputs, "F");
        const std::string fn = "f" + std::to_string(trial);
        program += "static int " + fn + "(unsigned m) {\n";
        for (int k = 0; k < n; ++k) {
            program += "    int " + names[static_cast<size_t>(k)] + " = (m >> " +
                       std::to_string(n - 1 - k) + ") & 1u;\n";
        }
        program += "    return " + WriteExpression(Kind::C, n, cubes, inputs, "F") + ";\n}\n";
        calls += "    for (unsigned m = 0; m < " + std::to_string(1u << n) +
                 "; ++m) putchar('0' + " + fn + "(m));\n    putchar('\\n');\n";
        for (uint32_t m = 0; m < (1u << n); ++m) {
            expected += Reference(cubes, m) ? '1' : '0';
        }
        expected += '\n';
    }
    program += "int main(void) {\n" + calls + "    return 0;\n}\n";
    std::ofstream((dir / "export.c").string()) << program;
    const std::string command = std::string(QUILLON_TEST_COMPILER) + " -x c -std=c11 " +
                                (dir / "export.c").string() + " -o " + (dir / "export").string();
    ASSERT_EQ(std::system(command.c_str()), 0) << program;
    std::string output;
    if (FILE* pipe = popen((dir / "export").string().c_str(), "r")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, got);
        }
        pclose(pipe);
    }
    EXPECT_EQ(output, expected);
    std::filesystem::remove_all(dir);
}

}  // namespace
