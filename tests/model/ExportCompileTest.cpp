// Each export compiled by a real compiler of its language and run on every input: iverilog,
// GHDL (VHDL-2008 and VHDL-93), gcc as C99 and g++, all warnings as errors for C.
#include <gtest/gtest.h>

#include <regex>

#include "ExportTools.h"
#include "ExportUnits.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"

namespace {

using export_tools::RunCommand;
using export_tools::TScratch;
using export_tools::TTools;
using export_units::SampleUnits;
using export_units::Table;

const std::vector<TDesignUnit>& Units() {
    static const std::vector<TDesignUnit> units = SampleUnits();
    return units;
}

// What every harness prints: "=k" before the table of unit k.
std::string ExpectedOutput() {
    std::string text;
    for (size_t k = 0; k < Units().size(); ++k) {
        text += "=" + std::to_string(k) + "\n" + Table(Units()[k]);
    }
    return text;
}

std::string Index(size_t k, size_t i) {
    return std::to_string(k) + "_" + std::to_string(i);
}

// One top module drives the units one after the other.
std::string VerilogHarness() {
    std::string text = "module quillon_top;\n    integer i;\n";
    std::string runs;
    for (size_t k = 0; k < Units().size(); ++k) {
        const TDesignUnit& unit = Units()[k];
        const TUnitNames names = UnitNames(TExportFormat::Verilog, unit);
        const int n = unit.Inputs;
        text += "    reg [" + std::to_string(n - 1) + ":0] x" + std::to_string(k) + ";\n";
        std::string ports;
        std::string write = "$write(\"";
        std::string values;
        for (int b = n - 1; b >= 0; --b) {
            ports += "x" + std::to_string(k) + "[" + std::to_string(b) + "], ";
        }
        for (size_t j = 0; j < names.Outputs.size(); ++j) {
            text += "    wire o" + Index(k, j) + ";\n";
            ports += "o" + Index(k, j) + (j + 1 < names.Outputs.size() ? ", " : "");
            write += "%b";
            values += ", o" + Index(k, j);
        }
        text += "    " + names.Unit + " u" + std::to_string(k) + "(" + ports + ");\n";
        runs += "        $write(\"=" + std::to_string(k) + "\\n\");\n        for (i = 0; i < " +
                std::to_string(1u << n) + "; i = i + 1) begin\n            x" + std::to_string(k) +
                " = i;\n            #1;\n            " + write + "\\n\"" + values +
                ");\n        end\n";
    }
    return text + "    initial begin\n" + runs + "    end\nendmodule\n";
}

std::string VhdlHarness() {
    std::string signals;
    std::string instances;
    std::string runs;
    for (size_t k = 0; k < Units().size(); ++k) {
        const TDesignUnit& unit = Units()[k];
        const TUnitNames names = UnitNames(TExportFormat::Vhdl, unit);
        const int n = unit.Inputs;
        std::string ports;
        std::string drive;
        std::string write;
        for (int i = 0; i < n; ++i) {
            signals += "    signal x" + Index(k, static_cast<size_t>(i)) + " : std_logic;\n";
            ports += "x" + Index(k, static_cast<size_t>(i)) + ", ";
            drive += "            if (i / " + std::to_string(1u << (n - 1 - i)) +
                     ") mod 2 = 1 then x" + Index(k, static_cast<size_t>(i)) + " <= '1'; else x" +
                     Index(k, static_cast<size_t>(i)) + " <= '0'; end if;\n";
        }
        for (size_t j = 0; j < names.Outputs.size(); ++j) {
            signals += "    signal o" + Index(k, j) + " : std_logic;\n";
            ports += "o" + Index(k, j) + (j + 1 < names.Outputs.size() ? ", " : "");
            write += "            write(l, bit_char(o" + Index(k, j) + "));\n";
        }
        instances += "    u" + std::to_string(k) + ": entity work." + names.Unit + " port map (" +
                     ports + ");\n";
        runs += "        write(l, string'(\"=" + std::to_string(k) +
                "\"));\n        writeline(output, l);\n        for i in 0 to " +
                std::to_string((1u << n) - 1) + " loop\n" + drive + "            wait for 1 ns;\n" +
                write + "            writeline(output, l);\n        end loop;\n";
    }
    return "library ieee;\nuse ieee.std_logic_1164.all;\nuse std.textio.all;\n\n"
           "entity quillon_top is\nend entity quillon_top;\n\n"
           "architecture sim of quillon_top is\n" +
           signals +
           "    function bit_char(s : std_logic) return character is\n    begin\n"
           "        case s is\n            when '0' => return '0';\n"
           "            when '1' => return '1';\n            when others => return 'X';\n"
           "        end case;\n    end function;\nbegin\n" +
           instances + "    process\n        variable l : line;\n    begin\n" + runs +
           "        wait;\n    end process;\nend architecture sim;\n";
}

// The struct a C unit of several outputs returns, as the export declares it.
std::string StructOf(const std::string& text) {
    std::smatch match;
    EXPECT_TRUE(std::regex_search(text, match, std::regex("struct (\\w+) \\{")));
    return match.size() > 1 ? match[1].str() : "";
}

// Includes every unit twice (the include guard) after the standard headers a program has.
std::string CHarness(const TScratch& scratch) {
    std::string text = "#include <errno.h>\n#include <stdio.h>\n#include <stdlib.h>\n";
    std::string runs;
    for (size_t k = 0; k < Units().size(); ++k) {
        const TDesignUnit& unit = Units()[k];
        const TUnitNames names = UnitNames(TExportFormat::C, unit);
        const std::string exported = WriteUnit(TExportFormat::C, unit);
        const std::string header = scratch.Write("unit" + std::to_string(k) + ".h", exported);
        text += "#include \"" + header + "\"\n#include \"" + header + "\"\n";
        const int n = unit.Inputs;
        std::string call = names.Unit + "(";
        for (int i = 0; i < n; ++i) {
            call += std::string(i > 0 ? ", " : "") + "(int)((m >> " + std::to_string(n - 1 - i) +
                    ") & 1u)";
        }
        call += ")";
        runs += "    printf(\"=" + std::to_string(k) + "\\n\");\n    for (m = 0; m < " +
                std::to_string(1u << n) + "u; ++m) {\n";
        if (names.Outputs.size() == 1) {
            runs += "        putchar('0' + " + call + ");\n";
        } else {
            runs += "        struct " + StructOf(exported) + " r = " + call + ";\n";
            for (const std::string& output : names.Outputs) {
                runs += "        putchar('0' + r." + output + ");\n";
            }
        }
        runs += "        putchar('\\n');\n    }\n";
    }
    return text + "\nint main(void)\n{\n    unsigned m;\n" + runs + "    return 0;\n}\n";
}

struct TToolCase {
    const char* Name;
    TExportFormat Format;
    // Compiles the units and the harness in the folder; returns the command that runs them.
    std::string (*Build)(const TScratch& scratch, const TTools& tools, std::string& log);
};

std::string WriteUnits(const TScratch& scratch, TExportFormat format, const std::string& file) {
    std::string text;
    for (const TDesignUnit& unit : Units()) {
        text += WriteUnit(format, unit) + "\n";
    }
    return scratch.Write(file, text);
}

std::string BuildIverilog(const TScratch& scratch, const TTools& tools, std::string& log) {
    const std::string units = WriteUnits(scratch, TExportFormat::Verilog, "units.v");
    const std::string top = scratch.Write("top.v", VerilogHarness());
    const export_tools::TRun run = RunCommand(tools.Iverilog + " -g2012 -Wall -o " +
                                              scratch.Path("sim") + " " + units + " " + top);
    log = run.Output;
    return run.Status == 0 ? tools.Vvp + " -n " + scratch.Path("sim") : "";
}

std::string BuildGhdl(const TScratch& scratch, const TTools& tools, const std::string& standard,
                      std::string& log) {
    const std::string units = WriteUnits(scratch, TExportFormat::Vhdl, "units.vhd");
    const std::string top = scratch.Write("top.vhd", VhdlHarness());
    const std::string options = " --std=" + standard + " --workdir=" + scratch.Dir.string();
    const export_tools::TRun run =
        RunCommand(tools.Ghdl + " -a" + options + " " + units + " " + top + " && " + tools.Ghdl +
                   " -e" + options + " quillon_top");
    log = run.Output;
    return run.Status == 0 ? "cd " + scratch.Dir.string() + " && " + tools.Ghdl + " -r" + options +
                                 " quillon_top"
                           : "";
}

std::string BuildC(const TScratch& scratch, const std::string& compiler, std::string& log) {
    const std::string program = scratch.Write("main.c", CHarness(scratch));
    const export_tools::TRun run = RunCommand(compiler + " -Wall -Wextra -pedantic -Werror " +
                                              program + " -o " + scratch.Path("main"));
    log = run.Output;
    return run.Status == 0 ? scratch.Path("main") : "";
}

const TToolCase ToolCases[] = {
    {"Iverilog", TExportFormat::Verilog, BuildIverilog},
    {"Ghdl2008", TExportFormat::Vhdl,
     [](const TScratch& s, const TTools& t, std::string& log) {
         return BuildGhdl(s, t, "08", log);
     }},
    {"Ghdl1993", TExportFormat::Vhdl,
     [](const TScratch& s, const TTools& t, std::string& log) {
         return BuildGhdl(s, t, "93", log);
     }},
    {"GccC99", TExportFormat::C,
     [](const TScratch& s, const TTools& t, std::string& log) {
         return BuildC(s, t.Gcc + " -std=c99", log);
     }},
    {"Gxx", TExportFormat::C,
     [](const TScratch& s, const TTools& t, std::string& log) {
         return BuildC(s, t.Gxx + " -x c++", log);
     }},
};

class ExportCompiled : public ::testing::TestWithParam<TToolCase> {};

TEST_P(ExportCompiled, ComputesEveryOutputOnEveryInput) {
    const TTools tools;
    QUILLON_REQUIRE_TOOL(tools.Iverilog, "iverilog");
    QUILLON_REQUIRE_TOOL(tools.Vvp, "vvp");
    QUILLON_REQUIRE_TOOL(tools.Ghdl, "ghdl");
    QUILLON_REQUIRE_TOOL(tools.Gcc, "gcc");
    QUILLON_REQUIRE_TOOL(tools.Gxx, "g++");
    const TScratch scratch(std::string("export-") + GetParam().Name);
    std::string log;
    const std::string command = GetParam().Build(scratch, tools, log);
    ASSERT_FALSE(command.empty()) << log;
    EXPECT_EQ(log, "");  // not even a warning
    const export_tools::TRun run = RunCommand(command);
    ASSERT_EQ(run.Status, 0) << run.Output.substr(0, 2000);
    // Unit by unit, so that a fault names its unit.
    const std::string expected = ExpectedOutput();
    for (size_t k = 0; k < Units().size(); ++k) {
        const std::string mark = "=" + std::to_string(k) + "\n";
        const std::string next = "=" + std::to_string(k + 1) + "\n";
        const auto part = [&](const std::string& text) {
            const size_t from = text.find(mark);
            return from == std::string::npos ? std::string()
                                             : text.substr(from, text.find(next) - from);
        };
        ASSERT_EQ(part(run.Output), part(expected)) << Units()[k].Name << ":\n"
                                                    << WriteUnit(GetParam().Format, Units()[k]);
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, ExportCompiled, ::testing::ValuesIn(ToolCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
