// Expressions for hardware description languages, C and plain text, with names each accepts.
#include "model/Expressions.h"

#include <algorithm>
#include <bit>
#include <set>
#include <string_view>

namespace {

constexpr std::string_view VerilogWords =
    " always and assign automatic begin bit buf bufif0 bufif1 byte case casex casez cell "
    "cmos config deassign default defparam design disable edge else end endcase "
    "endconfig endfunction endgenerate endmodule endprimitive endspecify endtable "
    "endtask event for force forever fork function generate genvar highz0 highz1 if "
    "ifnone incdir include initial inout input instance int integer join large liblist "
    "library localparam logic macromodule medium module nand negedge nmos nor "
    "noshowcancelled not notif0 notif1 or output parameter pmos posedge primitive pull0 "
    "pull1 pulldown pullup pulsestyle_ondetect pulsestyle_onevent rcmos real realtime "
    "reg release repeat rnmos rpmos rtran rtranif0 rtranif1 scalared showcancelled "
    "signed small specify specparam strong0 strong1 supply0 supply1 table task time tran "
    "tranif0 tranif1 tri tri0 tri1 triand trior trireg unsigned use uwire vectored wait "
    "wand weak0 weak1 while wire wor xnor xor ";

// Compared in lower case: VHDL does not tell the cases apart.
constexpr std::string_view VhdlWords =
    " abs access after alias all and architecture array assert assume attribute begin "
    "block body buffer bus case component configuration constant context cover default "
    "disconnect downto else elsif end entity exit fairness file for force function "
    "generate generic group guarded if impure in inertial inout is label library linkage "
    "literal loop map mod nand new next nor not null of on open or others out package "
    "parameter port postponed procedure process property protected pure range record "
    "register reject release rem report restrict return rol ror select sequence severity "
    "shared signal sla sll sra srl strong subtype then to transport type unaffected "
    "units until use variable vmode vprop vunit wait when while with xnor xor ";

constexpr std::string_view CWords =
    " _Alignas _Alignof _Atomic _BitInt _Bool _Complex _Decimal128 _Decimal32 _Decimal64 "
    "_Generic _Imaginary _Noreturn _Static_assert _Thread_local alignas alignof auto "
    "bool break case char const constexpr continue default do double else enum extern "
    "false float for goto if inline int long nullptr register restrict return short "
    "signed sizeof static static_assert struct switch thread_local true typedef typeof "
    "typeof_unqual union unsigned void volatile while ";

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
    return text;
}

bool IsReserved(TExpressionKind kind, const std::string& name) {
    // Each list is its words with a blank before and after every one.
    const auto contains = [](std::string_view words, const std::string& word) {
        return words.find(" " + word + " ") != std::string_view::npos;
    };
    switch (kind) {
        case TExpressionKind::Verilog:
            return contains(VerilogWords, name);
        case TExpressionKind::Vhdl:
            return contains(VhdlWords, LowerCase(name));
        case TExpressionKind::C:
            return contains(CWords, name);
        case TExpressionKind::Text:
            break;
    }
    return false;
}

bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string LegalName(TExpressionKind kind, const std::string& name) {
    std::string legal;
    for (const char c : name) {
        const char kept = IsWordChar(c) ? c : '_';
        // VHDL allows neither two underscores in a row nor one at either end.
        if (kind == TExpressionKind::Vhdl && kept == '_' &&
            (legal.empty() || legal.back() == '_')) {
            continue;
        }
        legal += kept;
    }
    if (kind == TExpressionKind::Vhdl && !legal.empty() && legal.back() == '_') {
        legal.pop_back();
    }
    if (legal.empty() || (legal[0] >= '0' && legal[0] <= '9')) {
        legal.insert(0, "x");
    }
    if (IsReserved(kind, legal)) {
        legal += "_v";
    }
    return legal;
}

struct TSyntax {
    std::string Not;  // before the name, or after it for plain text
    std::string And;
    std::string Or;
    std::string One;
    std::string Zero;
};

TSyntax SyntaxOf(TExpressionKind kind, bool shortNames) {
    switch (kind) {
        case TExpressionKind::Verilog:
            return {"~", " & ", "\n    | ", "1'b1", "1'b0"};
        case TExpressionKind::Vhdl:
            return {"not ", " and ", "\n    or ", "'1'", "'0'"};
        case TExpressionKind::C:
            return {"!", " && ", "\n    || ", "1", "0"};
        case TExpressionKind::Text:
            break;
    }
    return {"'", shortNames ? "" : "*", " + ", "1", "0"};
}

// Appends one product; written in place, as a sum may hold tens of thousands of them.
void AppendProduct(std::string& out, const TTermMasks& cube, int n,
                   const std::vector<std::string>& names, const TSyntax& syntax, bool text,
                   bool alone) {
    const bool brackets = !alone && !text && std::popcount(cube.Care) > 1;
    if (brackets) {
        out += '(';
    }
    bool first = true;
    for (int k = 0; k < n; ++k) {
        const uint32_t bit = 1u << (n - 1 - k);
        if ((cube.Care & bit) == 0) {
            continue;
        }
        if (!first) {
            out += syntax.And;
        }
        first = false;
        const bool low = (cube.Hi & bit) == 0;
        if (low && !text) {
            out += syntax.Not;
        }
        out += names[static_cast<size_t>(k)];
        if (low && text) {
            out += syntax.Not;
        }
    }
    if (brackets) {
        out += ')';
    }
}

}  // namespace

std::vector<std::string> ExpressionNames(TExpressionKind kind, int n,
                                         const std::vector<std::string>& inputNames,
                                         const std::string& outputName) {
    std::vector<std::string> names;
    for (int k = 0; k < n; ++k) {
        const auto index = static_cast<size_t>(k);
        names.push_back(index < inputNames.size() && !inputNames[index].empty()
                            ? inputNames[index]
                            : std::string(1, static_cast<char>('A' + k)));
    }
    names.push_back(outputName.empty() ? "F" : outputName);
    if (kind == TExpressionKind::Text) {
        return names;
    }
    std::set<std::string> taken;
    for (std::string& name : names) {
        const std::string legal = LegalName(kind, name);
        name = legal;
        for (int suffix = 2;; ++suffix) {
            const std::string key = kind == TExpressionKind::Vhdl ? LowerCase(name) : name;
            if (taken.insert(key).second) {
                break;
            }
            name = legal + "_" + std::to_string(suffix);
        }
    }
    return names;
}

std::string WriteExpression(TExpressionKind kind, int n, const std::vector<TTermMasks>& cubes,
                            const std::vector<std::string>& inputNames,
                            const std::string& outputName) {
    const std::vector<std::string> names = ExpressionNames(kind, n, inputNames, outputName);
    const bool shortNames = std::all_of(names.begin(), names.end() - 1,
                                        [](const std::string& s) { return s.size() == 1; });
    const bool text = kind == TExpressionKind::Text;
    const TSyntax syntax = SyntaxOf(kind, shortNames);
    const bool constantHi = std::any_of(cubes.begin(), cubes.end(),
                                        [](const TTermMasks& cube) { return cube.Care == 0; });
    std::string sum;
    if (constantHi || cubes.empty()) {
        sum = constantHi ? syntax.One : syntax.Zero;
    } else {
        for (size_t i = 0; i < cubes.size(); ++i) {
            if (i > 0) {
                sum += syntax.Or;
            }
            AppendProduct(sum, cubes[i], n, names, syntax, text, cubes.size() == 1);
        }
    }
    switch (kind) {
        case TExpressionKind::Verilog:
            return "assign " + names.back() + " = " + sum + ";\n";
        case TExpressionKind::Vhdl:
            return names.back() + " <= " + sum + ";\n";
        case TExpressionKind::C:
        case TExpressionKind::Text:
            break;
    }
    return sum + "\n";
}
