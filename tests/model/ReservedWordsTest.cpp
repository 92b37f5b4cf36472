// Every reserved word of every list, as a unit, input and output name, compiled by iverilog,
// GHDL, gcc and g++: the names the exports make of them are legal.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

#include "ExportTools.h"
#include "model/ReservedWords.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"

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
    // Macros and types of the standard headers, as names of every kind.
    words.insert({"I", "isnan", "va_arg", "offsetof", "FLT_MANT_DIG", "INT_LEAST8_MAX", "size_t"});
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

// "#include <h>" for each header h of the list.
std::string Includes(const std::string& headers) {
    std::istringstream names(headers);
    std::string text;
    for (std::string name; names >> name;) {
        text += "#include <" + name + ">\n";
    }
    return text;
}

// Every standard header, whose macros and declarations an export must not meet; C++ has its own
// before the C ones, as a program that includes both would.
const std::string CHeaders = Includes(
    "assert.h complex.h ctype.h errno.h fenv.h float.h inttypes.h iso646.h limits.h locale.h "
    "math.h setjmp.h signal.h stdalign.h stdarg.h stdatomic.h stdbool.h stddef.h stdint.h "
    "stdio.h stdlib.h stdnoreturn.h string.h tgmath.h threads.h time.h uchar.h wchar.h wctype.h");
const std::string CxxHeaders = Includes(
    "algorithm any array atomic bitset cfenv charconv chrono cinttypes cmath codecvt complex "
    "condition_variable csetjmp csignal cstdarg cstddef cstdio cstdlib cstring ctime cuchar "
    "cwchar cwctype deque exception execution filesystem forward_list fstream functional future "
    "iomanip iostream iterator limits list locale map memory memory_resource mutex new numeric "
    "optional queue random ratio regex scoped_allocator set shared_mutex sstream stack stdexcept "
    "streambuf string string_view system_error thread tuple type_traits typeindex typeinfo "
    "unordered_map unordered_set utility valarray variant vector");

struct TCompileCase {
    const char* Name;
    TExportFormat Format;
    const char* File;
    std::string Headers;
    std::string (*Command)(const TTools& tools, const std::string& file);
};

const TCompileCase CompileCases[] = {
    {"Iverilog", TExportFormat::Verilog, "words.v", "",
     [](const TTools& t, const std::string& f) {
         return t.Iverilog + " -g2012 -o " + f + ".out " + f;
     }},
    {"Ghdl2008", TExportFormat::Vhdl, "words.vhd", "",
     [](const TTools& t, const std::string& f) { return t.Ghdl + " -s --std=08 " + f; }},
    {"Ghdl1993", TExportFormat::Vhdl, "words.vhd", "",
     [](const TTools& t, const std::string& f) { return t.Ghdl + " -s --std=93 " + f; }},
    {"GccC99", TExportFormat::C, "words.c", CHeaders,
     [](const TTools& t, const std::string& f) {
         return t.Gcc + " -std=c99 -Wall -Wextra -pedantic -Werror -fsyntax-only " + f;
     }},
    {"Gxx", TExportFormat::C, "words.c", CxxHeaders + CHeaders,
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
    const std::string file = scratch.Write(c.File, c.Headers + units);
    const export_tools::TRun run = RunCommand(c.Command(tools, file));
    EXPECT_EQ(run.Status, 0) << run.Output.substr(0, 3000);
    EXPECT_EQ(run.Output, "");
}

INSTANTIATE_TEST_SUITE_P(Tools, ReservedWordsCompile, ::testing::ValuesIn(CompileCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
