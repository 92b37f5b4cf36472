// Names that Verilog, VHDL, C and C++ compilers accept, and PLA names without blanks.
#include <string_view>

#include "model/DesignUnit.h"
#include "model/Letters.h"
#include "model/ReservedWords.h"

namespace {

bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters, digits and single underscores; what C and VHDL both require of an identifier's body.
std::string WordCharacters(const std::string& name, bool singleUnderscores) {
    std::string legal;
    for (const char c : name) {
        const char kept = IsWordChar(c) ? c : '_';
        if (singleUnderscores && kept == '_' && !legal.empty() && legal.back() == '_') {
            continue;
        }
        legal += kept;
    }
    return legal;
}

std::string LegalVerilog(const std::string& name) {
    std::string legal = WordCharacters(name, false);
    if (legal.empty() || IsDigit(legal[0])) {
        legal.insert(0, "x");
    }
    return IsReservedWord(TReservedLanguage::Verilog, legal) ? legal + "_v" : legal;
}

// VHDL allows no underscore at either end nor two in a row.
std::string LegalVhdl(const std::string& name) {
    std::string legal = WordCharacters(name, true);
    if (!legal.empty() && legal.front() == '_') {
        legal.erase(0, 1);
    }
    if (!legal.empty() && legal.back() == '_') {
        legal.pop_back();
    }
    if (legal.empty() || IsDigit(legal[0])) {
        legal.insert(0, "x");
    }
    return IsReservedWord(TReservedLanguage::Vhdl, legal) ? legal + "_v" : legal;
}

// C and C++ reserve "__" anywhere and "_" before a capital; a name at file scope may not begin
// with "_" at all, nor be a function of the standard library.
std::string LegalC(const std::string& name, bool fileScope) {
    std::string legal = WordCharacters(name, true);
    if (legal.empty() || IsDigit(legal[0]) ||
        (legal[0] == '_' && (fileScope || (legal.size() > 1 && IsUpper(legal[1]))))) {
        legal.insert(0, "x");
    }
    const bool reserved = IsReservedWord(TReservedLanguage::C, legal) ||
                          (fileScope && IsReservedWord(TReservedLanguage::CLibrary, legal));
    return reserved ? legal + "_v" : legal;
}

// A PLA name is one word: blanks and control characters become "_".
std::string LegalPla(const std::string& name) {
    std::string legal = name;
    for (char& c : legal) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f') {
            c = '_';
        }
    }
    return legal;
}

std::string LegalName(TExportFormat format, const std::string& name, bool fileScope) {
    switch (format) {
        case TExportFormat::Verilog:
            return LegalVerilog(name);
        case TExportFormat::Vhdl:
            return LegalVhdl(name);
        case TExportFormat::C:
            return LegalC(name, fileScope);
        case TExportFormat::Pla:
            return LegalPla(name);
        case TExportFormat::Text:
            break;
    }
    return name;
}

std::string DefaultInputName(int k) {
    return std::string(1, static_cast<char>('A' + k));
}

std::string DefaultOutputName(size_t outputs, size_t j) {
    return outputs == 1 ? std::string(1, 'F') : "F" + std::to_string(j + 1);
}

template <typename Names>
std::string GivenOr(const Names& names, size_t i, std::string fallback) {
    return i < names.size() && !names[i].empty() ? names[i] : fallback;
}

}  // namespace

std::string TUnitNames::Fresh(const std::string& legal) {
    std::string name = legal;
    for (int suffix = 2;; ++suffix) {
        if (Taken.insert(Caseless ? LowerCase(name) : name).second) {
            return name;
        }
        // No "__" where a suffix follows a name that ends in "_".
        name = legal + (legal.empty() || legal.back() != '_' ? "_" : "") + std::to_string(suffix);
    }
}

TUnitNames UnitNames(TExportFormat format, const TDesignUnit& unit) {
    TUnitNames names;
    names.Format = format;
    names.Caseless = format == TExportFormat::Vhdl;
    const bool text = format == TExportFormat::Text;
    for (int k = 0; k < unit.Inputs; ++k) {
        const std::string given =
            GivenOr(unit.InputNames, static_cast<size_t>(k), DefaultInputName(k));
        // Text keeps every input as given, repeated or not.
        names.Inputs.push_back(text ? given : names.Fresh(LegalName(format, given, false)));
        if (text) {
            names.Taken.insert(given);
        }
    }
    const size_t outputs = unit.Uses.size();
    for (size_t j = 0; j < outputs; ++j) {
        const std::string given = GivenOr(unit.OutputNames, j, DefaultOutputName(outputs, j));
        names.Outputs.push_back(names.Fresh(LegalName(format, given, false)));
    }
    const std::string unitName = unit.Name.empty() ? DefaultUnitName : unit.Name;
    names.Unit = text ? unitName : names.Fresh(LegalName(format, unitName, true));
    return names;
}

std::string TUnitNames::Internal(const std::string& name) {
    return Fresh(LegalName(Format, name, false));
}
