// Every reserved word of every list, as a unit, input and output name, compiled by iverilog,
// GHDL, gcc and g++: the names the exports make of them are legal.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "ExportTools.h"
#include "model/ReservedWords.h"

namespace {

using export_tools::RunCommand;
using export_tools::TScratch;
using export_tools::TTools;

// Words known to break a compiler when written unchanged, whatever the lists hold; the words of
// all lists; other cases; names that are not words at all.
std::vector<std::string> Words() {
    std::set<std::string> words = {"class",    "new",         "type",     "string",
                                   "const",    "enum",        "bool",     "restrict_guarantee",
                                   "private",  "view",        "not",      "and",
                                   "or",       "xor",         "bitand",   "this",
                                   "delete",   "template",    "operator", "EOF",
                                   "NULL",     "errno",       "stdin",    "stdout",
                                   "stderr",   "main",        "abs",      "exit",
                                   "std",      "std_logic",   "ieee",     "__LINE__",
                                   "__func__", "__cplusplus", "a__b",     "_X",
                                   "_x",       "x_",          "9lives",   "x y",
                                   "",         "$",           "a[0]",     "Signal",
                                   "ENTITY",   "Std_Logic",   "IEEE",     "Eof",
                                   "F"};
    for (int i = 0; i < 4; ++i) {
        for (const std::string_view word : ReservedWords(static_cast<TReservedLanguage>(i))) {
            words.emplace(word);
        }
    }
    return {words.begin(), words.end()};
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// Unit k is named after word k, with the next four words as inputs and the one after as its
// output; every third unit has a second output, the word after, sharing a term. Units whose name
// the language would repeat (VHDL and C guards ignore case) are left out: their words are ports
// elsewhere.
std::string UnitsIn(TExportFormat format) {
    const std::vector<std::string> words = Words();
    std::set<std::string> seen;
    std::string text;
    for (size_t k = 0; k < words.size(); ++k) {
        TDesignUnit unit;
        unit.Name = words[k];
        unit.Inputs = 4;
        for (size_t i = 0; i < 4; ++i) {
            unit.InputNames.push_back(words[(k + 1 + i) % words.size()]);
        }
        unit.OutputNames = {words[(k + 5) % words.size()], words[(k + 6) % words.size()]};
        unit.Terms = {{0b1111, 0b1010}, {0b0011, 0b0001}};
        unit.Uses = {{0, 1}};
        if (k % 3 == 0) {
            unit.Uses.push_back({0});
        }
        if (!seen.insert(Upper(UnitNames(format, unit).Unit)).second) {
            continue;
        }
        text += WriteUnit(format, unit) + "\n";
    }
    return text;
}

// The standard headers whose macros an export must not meet.
const char* const CHeaders =
    "#include <assert.h>\n#include <ctype.h>\n#include <errno.h>\n#include <fenv.h>\n"
    "#include <float.h>\n#include <iso646.h>\n#include <limits.h>\n#include <locale.h>\n"
    "#include <math.h>\n#include <setjmp.h>\n#include <signal.h>\n#include <stdarg.h>\n"
    "#include <stdbool.h>\n#include <stddef.h>\n#include <stdint.h>\n#include <stdio.h>\n"
    "#include <stdlib.h>\n#include <string.h>\n#include <time.h>\n#include <wchar.h>\n";

struct TCompileCase {
    const char* Name;
    TExportFormat Format;
    const char* File;
    std::string (*Command)(const TTools& tools, const std::string& file);
};

const TCompileCase CompileCases[] = {
    {"Iverilog", TExportFormat::Verilog, "words.v",
     [](const TTools& t, const std::string& f) {
         return t.Iverilog + " -g2012 -o " + f + ".out " + f;
     }},
    {"Ghdl2008", TExportFormat::Vhdl, "words.vhd",
     [](const TTools& t, const std::string& f) { return t.Ghdl + " -s --std=08 " + f; }},
    {"Ghdl1993", TExportFormat::Vhdl, "words.vhd",
     [](const TTools& t, const std::string& f) { return t.Ghdl + " -s --std=93 " + f; }},
    {"GccC99", TExportFormat::C, "words.c",
     [](const TTools& t, const std::string& f) {
         return t.Gcc + " -std=c99 -Wall -Wextra -pedantic -Werror -fsyntax-only " + f;
     }},
    {"Gxx", TExportFormat::C, "words.c",
     [](const TTools& t, const std::string& f) {
         return t.Gxx + " -x c++ -Wall -Wextra -pedantic -Werror -fsyntax-only " + f;
     }},
};

class ReservedWordsCompile : public ::testing::TestWithParam<TCompileCase> {};

TEST_P(ReservedWordsCompile, EveryWordBecomesALegalName) {
    const TTools tools;
    QUILLON_REQUIRE_TOOL(tools.Iverilog, "iverilog");
    QUILLON_REQUIRE_TOOL(tools.Ghdl, "ghdl");
    QUILLON_REQUIRE_TOOL(tools.Gcc, "gcc");
    QUILLON_REQUIRE_TOOL(tools.Gxx, "g++");
    const TCompileCase& c = GetParam();
    const TScratch scratch(std::string("words-") + c.Name);
    const std::string units = UnitsIn(c.Format);
    const std::string file =
        scratch.Write(c.File, (c.Format == TExportFormat::C ? CHeaders : "") + units);
    const export_tools::TRun run = RunCommand(c.Command(tools, file));
    EXPECT_EQ(run.Status, 0) << run.Output.substr(0, 3000);
    EXPECT_EQ(run.Output, "");
}

INSTANTIATE_TEST_SUITE_P(Tools, ReservedWordsCompile, ::testing::ValuesIn(CompileCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
