// The Verilog module, the VHDL entity, the C function and the text form of a unit.
#include <algorithm>
#include <bit>

#include "model/DesignUnit.h"
#include "model/Letters.h"
#include "model/PlaWriter.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"

namespace {

// How a language writes NOT, AND, OR and the constants: between the literals of a term, and
// between the terms of an output (each term of a long expression on a line of its own).
struct TSyntax {
    std::string NotBefore;  // "~A"
    std::string NotAfter;   // "A'"
    std::string And;
    std::string Or;
    std::string TermAnd;
    std::string TermOr;
    std::string One;
    std::string Zero;
    bool BracketProducts = true;
};

TSyntax CodeSyntax(std::string notBefore, const std::string& andOp, const std::string& orOp,
                   std::string one, std::string zero) {
    const std::string indent = "\n        ";
    return {std::move(notBefore), "",
            " " + andOp + " ",    " " + orOp + " ",
            indent + andOp + " ", indent + orOp + " ",
            std::move(one),       std::move(zero)};
}

TSyntax SyntaxOf(TExportFormat format, bool shortNames) {
    switch (format) {
        case TExportFormat::Verilog:
            return CodeSyntax("~", "&", "|", "1'b1", "1'b0");
        case TExportFormat::Vhdl:
            return CodeSyntax("not ", "and", "or", "'1'", "'0'");
        case TExportFormat::C:
            return CodeSyntax("!", "&&", "||", "1", "0");
        case TExportFormat::Text:
        case TExportFormat::Pla:
            break;
    }
    // Names of one letter stand side by side; longer ones are joined by "*".
    const std::string andOp = shortNames ? "" : "*";
    return {"", "'", andOp, " + ", andOp, " + ", "1", "0", false};
}

size_t TermCount(const TDesignUnit& unit) {
    return unit.WideTerms.empty() ? unit.Terms.size() : unit.WideTerms.size();
}

// Input k (0-based) in term i: 0 or 1, or -1 where the term does not read it.
int TermLiteral(const TDesignUnit& unit, size_t i, int k) {
    if (!unit.WideTerms.empty()) {
        const char c = unit.WideTerms[i][static_cast<size_t>(k)];
        return c == '-' ? -1 : c - '0';
    }
    const uint32_t bit = 1u << (unit.Inputs - 1 - k);
    return (unit.Terms[i].Care & bit) == 0 ? -1 : (unit.Terms[i].Hi & bit) != 0 ? 1 : 0;
}

int TermLetters(const TDesignUnit& unit, size_t i) {
    if (!unit.WideTerms.empty()) {
        const std::string& term = unit.WideTerms[i];
        return static_cast<int>(term.size()) -
               static_cast<int>(std::count(term.begin(), term.end(), '-'));
    }
    return std::popcount(unit.Terms[i].Care);
}

// Writes the outputs of a unit as expressions over its inputs, and notes the inputs written.
class TExpressions {
  public:
    TExpressions(const TDesignUnit& unit, const TUnitNames& names, TExportFormat format)
        : FUnit(unit),
          FNames(names),
          FSum(unit.Form == TUnitForm::SumOfProducts),
          FSyntax(
              SyntaxOf(format, std::all_of(names.Inputs.begin(), names.Inputs.end(),
                                           [](const std::string& s) { return s.size() == 1; }))) {}

    // A term used by several outputs can be written once under a name; "" where it is not.
    void NameTerm(size_t term, const std::string& name) {
        FTermNames.resize(TermCount(FUnit));
        FTermNames[term] = name;
    }

    // A term alone: a product (AND of literals) or a sum (OR of literals).
    std::string Term(size_t term) {
        std::string text;
        AppendLiterals(text, term, false);
        return text;
    }

    // The OR of the output's products, or the AND of its sums; a constant when it has no term
    // or a term without letters.
    std::string Output(size_t output) {
        const std::vector<size_t>& uses = FUnit.Uses[output];
        const auto constant = [&](size_t i) { return TermLetters(FUnit, i) == 0; };
        if (std::any_of(uses.begin(), uses.end(), constant)) {
            return FSum ? FSyntax.One : FSyntax.Zero;
        }
        if (uses.empty()) {
            return FSum ? FSyntax.Zero : FSyntax.One;
        }
        const std::string& join = FSum ? FSyntax.TermOr : FSyntax.TermAnd;
        std::string text;
        for (const size_t i : uses) {
            if (!text.empty()) {
                text += join;
            }
            if (i < FTermNames.size() && !FTermNames[i].empty()) {
                text += FTermNames[i];
            } else {
                AppendLiterals(text, i, uses.size() > 1);
            }
        }
        return text;
    }

    // True when input k (0-based) occurs in a term written so far.
    bool Written(int k) const {
        return static_cast<size_t>(k) < FWritten.size() && FWritten[static_cast<size_t>(k)];
    }

  private:
    // Written in place: an output may have a hundred thousand terms.
    void AppendLiterals(std::string& text, size_t term, bool inList) {
        const int n = FUnit.Inputs;
        FWritten.resize(static_cast<size_t>(n), false);
        const bool brackets =
            inList && TermLetters(FUnit, term) > 1 && (FSyntax.BracketProducts || !FSum);
        if (brackets) {
            text += '(';
        }
        bool first = true;
        for (int k = 0; k < n; ++k) {
            const int literal = TermLiteral(FUnit, term, k);
            if (literal < 0) {
                continue;
            }
            FWritten[static_cast<size_t>(k)] = true;
            if (!first) {
                text += FSum ? FSyntax.And : FSyntax.Or;
            }
            first = false;
            // A sum holds the letters of its cube of zeros complemented.
            const bool negated = (literal == 0) == FSum;
            text += negated ? FSyntax.NotBefore : "";
            text += FNames.Inputs[static_cast<size_t>(k)];
            text += negated ? FSyntax.NotAfter : "";
        }
        if (brackets) {
            text += ')';
        }
    }

    const TDesignUnit& FUnit;
    const TUnitNames& FNames;
    bool FSum;
    TSyntax FSyntax;
    std::vector<std::string> FTermNames;
    std::vector<bool> FWritten;  // per input
};

// Terms of more than one letter that more than one output writes, in term order. An output
// with a term without letters is a constant and writes none.
std::vector<size_t> SharedTerms(const TDesignUnit& unit) {
    std::vector<int> users(TermCount(unit), 0);
    for (const std::vector<size_t>& uses : unit.Uses) {
        if (std::any_of(uses.begin(), uses.end(),
                        [&](size_t i) { return TermLetters(unit, i) == 0; })) {
            continue;
        }
        for (const size_t i : uses) {
            ++users[i];
        }
    }
    std::vector<size_t> shared;
    for (size_t i = 0; i < users.size(); ++i) {
        if (users[i] > 1 && TermLetters(unit, i) > 1) {
            shared.push_back(i);
        }
    }
    return shared;
}

// Names the shared terms t1, t2, ... and returns them with their terms' text.
std::vector<std::pair<std::string, std::string>> NameSharedTerms(const TDesignUnit& unit,
                                                                 TUnitNames& names,
                                                                 TExpressions& expressions) {
    std::vector<std::pair<std::string, std::string>> shared;
    for (const size_t i : SharedTerms(unit)) {
        const std::string name = names.Internal("t" + std::to_string(shared.size() + 1));
        shared.emplace_back(name, expressions.Term(i));
        expressions.NameTerm(i, name);
    }
    return shared;
}

std::string WriteVerilog(const TDesignUnit& unit) {
    TUnitNames names = UnitNames(TExportFormat::Verilog, unit);
    TExpressions expressions(unit, names, TExportFormat::Verilog);
    std::string text = "module " + names.Unit + " (\n";
    std::vector<std::string> ports;
    for (const std::string& name : names.Inputs) {
        ports.push_back("    input wire " + name);
    }
    for (const std::string& name : names.Outputs) {
        ports.push_back("    output wire " + name);
    }
    for (size_t i = 0; i < ports.size(); ++i) {
        text += ports[i] + (i + 1 < ports.size() ? ",\n" : "\n");
    }
    text += ");\n";
    for (const auto& [name, term] : NameSharedTerms(unit, names, expressions)) {
        text += "    wire " + name + " = " + term + ";\n";
    }
    for (size_t j = 0; j < names.Outputs.size(); ++j) {
        text += "    assign " + names.Outputs[j] + " = " + expressions.Output(j) + ";\n";
    }
    return text + "endmodule\n";
}

std::string WriteVhdl(const TDesignUnit& unit) {
    TUnitNames names = UnitNames(TExportFormat::Vhdl, unit);
    TExpressions expressions(unit, names, TExportFormat::Vhdl);
    const std::string architecture = names.Fresh("rtl");
    std::string text =
        "library ieee;\nuse ieee.std_logic_1164.all;\n\nentity " + names.Unit + " is\n    port (\n";
    std::vector<std::string> ports;
    for (const std::string& name : names.Inputs) {
        ports.push_back("        " + name + " : in std_logic");
    }
    for (const std::string& name : names.Outputs) {
        ports.push_back("        " + name + " : out std_logic");
    }
    for (size_t i = 0; i < ports.size(); ++i) {
        text += ports[i] + (i + 1 < ports.size() ? ";\n" : "\n");
    }
    text += "    );\nend entity " + names.Unit + ";\n\narchitecture " + architecture + " of " +
            names.Unit + " is\n";
    const auto shared = NameSharedTerms(unit, names, expressions);
    for (const auto& [name, term] : shared) {
        text += "    signal " + name + " : std_logic;\n";
    }
    text += "begin\n";
    for (const auto& [name, term] : shared) {
        text += "    " + name + " <= " + term + ";\n";
    }
    for (size_t j = 0; j < names.Outputs.size(); ++j) {
        text += "    " + names.Outputs[j] + " <= " + expressions.Output(j) + ";\n";
    }
    return text + "end architecture " + architecture + ";\n";
}

// The function's body: shared locals, the outputs, and a (void) for each input not written.
std::string CBody(const TDesignUnit& unit, TUnitNames& names, const std::string& outputs) {
    TExpressions expressions(unit, names, TExportFormat::C);
    const bool single = names.Outputs.size() == 1;
    const std::string result = single ? "" : names.Internal("out");
    std::string body = single ? "" : "    struct " + outputs + " " + result + ";\n";
    for (const auto& [name, term] : NameSharedTerms(unit, names, expressions)) {
        body += "    const int " + name + " = " + term + ";\n";
    }
    std::string assignments;
    for (size_t j = 0; j < names.Outputs.size(); ++j) {
        const std::string value = expressions.Output(j);
        assignments += single ? "    return " + value + ";\n"
                              : "    " + result + "." + names.Outputs[j] + " = " + value + ";\n";
    }
    for (int k = 0; k < unit.Inputs; ++k) {
        if (!expressions.Written(k)) {
            body += "    (void)" + names.Inputs[static_cast<size_t>(k)] + ";\n";
        }
    }
    return body + assignments + (single ? "" : "    return " + result + ";\n");
}

std::string WriteC(const TDesignUnit& unit) {
    TUnitNames names = UnitNames(TExportFormat::C, unit);
    const std::string guard = names.Fresh(UpperCase(names.Unit) + "_H");
    const bool single = names.Outputs.size() == 1;
    const std::string outputs = single ? "" : names.Fresh(names.Unit + "_outputs");
    std::string text = "#ifndef " + guard + "\n#define " + guard + "\n\n";
    if (!single) {
        text += "struct " + outputs + " {\n";
        for (const std::string& name : names.Outputs) {
            text += "    int " + name + ";\n";
        }
        text += "};\n\n";
    }
    std::string parameters;
    for (const std::string& name : names.Inputs) {
        parameters += (parameters.empty() ? "int " : ", int ") + name;
    }
    text += "static inline " + (single ? std::string("int") : "struct " + outputs) + " " +
            names.Unit + "(" + (parameters.empty() ? "void" : parameters) + ")\n{\n";
    return text + CBody(unit, names, outputs) + "}\n\n#endif\n";
}

std::string WriteText(const TDesignUnit& unit) {
    const TUnitNames names = UnitNames(TExportFormat::Text, unit);
    TExpressions expressions(unit, names, TExportFormat::Text);
    if (names.Outputs.size() == 1) {
        return expressions.Output(0) + "\n";
    }
    std::string text;
    for (size_t j = 0; j < names.Outputs.size(); ++j) {
        text += names.Outputs[j] + " = " + expressions.Output(j) + "\n";
    }
    return text;
}

}  // namespace

std::string WriteUnit(TExportFormat format, const TDesignUnit& unit) {
    switch (format) {
        case TExportFormat::Verilog:
            return WriteVerilog(unit);
        case TExportFormat::Vhdl:
            return WriteVhdl(unit);
        case TExportFormat::C:
            return WriteC(unit);
        case TExportFormat::Text:
            return WriteText(unit);
        case TExportFormat::Pla:
            break;
    }
    return WriteUnitPla(unit);
}
