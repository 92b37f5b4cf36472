// Names that Verilog, VHDL, C and C++ compilers accept, and PLA names without blanks.
#include <string_view>

#include "model/DesignUnit.h"
#include "model/Letters.h"
#include "model/ReservedWords.h"
#include "model/TextLines.h"
#include "model/UnitNames.h"

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

// Far below what every tool takes (GHDL 1023 characters), with room for a suffix.
constexpr size_t MaxNameLength = 1000;

std::string LegalVerilog(const std::string& name) {
    std::string legal = WordCharacters(name, false);
    if (legal.empty() || IsDigit(legal[0])) {
        legal.insert(0, "x");
    }
    return IsReservedWord(TReservedLanguage::Verilog, legal) ? legal + "_v" : legal;
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

// A port or unit name legal in Verilog, VHDL, C and C++ at once, so that every export of a unit
// names it alike: VHDL's letters, digits and single underscores, none at either end, and no
// reserved word of any of them.
std::string LegalEverywhere(const std::string& name, bool fileScope) {
    std::string legal = WordCharacters(name, true);
    if (!legal.empty() && legal.front() == '_') {
        legal.erase(0, 1);
    }
    if (legal.size() > MaxNameLength) {
        legal.resize(MaxNameLength);
    }
    if (!legal.empty() && legal.back() == '_') {
        legal.pop_back();
    }
    if (legal.empty() || IsDigit(legal[0])) {
        legal.insert(0, "x");
    }
    const bool reserved = IsReservedWord(TReservedLanguage::Verilog, legal) ||
                          IsReservedWord(TReservedLanguage::Vhdl, legal) ||
                          IsReservedWord(TReservedLanguage::C, legal) ||
                          (fileScope && IsReservedWord(TReservedLanguage::CLibrary, legal));
    return reserved ? legal + "_v" : legal;
}

// The length of the well-formed UTF-8 character at i, 0 when there is none.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// A PLA name is one word: blanks and control characters become "_", C1's too (U+0080 to
// U+009F, or such a byte on its own), which a terminal would act on; other bytes are kept.
std::string LegalPla(const std::string& name) {
    std::string legal;
    legal.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const size_t length = Utf8Length(name, i);
        if (length > 0) {
            const bool c1 = byte == 0xC2 && static_cast<unsigned char>(name[i + 1]) < 0xA0;
            legal += c1 ? std::string("_") : name.substr(i, length);
            i += length;
            continue;
        }
        legal += byte <= ' ' || (byte >= 0x7F && byte <= 0x9F) ? '_' : name[i];
        ++i;
    }
    return legal;
}

// Internal names (a shared term, a local) need only be legal in the language written.
std::string LegalName(TExportFormat format, const std::string& name, bool fileScope) {
    switch (format) {
        case TExportFormat::Verilog:
            return LegalVerilog(name);
        case TExportFormat::Vhdl:
            return LegalEverywhere(name, false);
        case TExportFormat::C:
            return LegalC(name, fileScope);
        case TExportFormat::Pla:
            return LegalPla(name);
        case TExportFormat::Text:
            break;
    }
    return name;
}

bool IsCode(TExportFormat format) {
    return format == TExportFormat::Verilog || format == TExportFormat::Vhdl ||
           format == TExportFormat::C;
}

// The name a port or the unit gets.
std::string LegalPort(TExportFormat format, const std::string& name, bool fileScope) {
    return IsCode(format) ? LegalEverywhere(name, fileScope) : LegalName(format, name, fileScope);
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
    // VHDL ignores case, so every language does: a name renamed in one is renamed in all.
    names.Caseless = IsCode(format);
    const bool text = format == TExportFormat::Text;
    for (int k = 0; k < unit.Inputs; ++k) {
        const std::string given =
            GivenOr(unit.InputNames, static_cast<size_t>(k), DefaultInputName(k));
        // Text keeps every input as given, repeated or not.
        names.Inputs.push_back(text ? given : names.Fresh(LegalPort(format, given, false)));
        if (text) {
            names.Taken.insert(given);
        }
    }
    const size_t outputs = unit.Uses.size();
    for (size_t j = 0; j < outputs; ++j) {
        const std::string given = GivenOr(unit.OutputNames, j, DefaultOutputName(outputs, j));
        names.Outputs.push_back(names.Fresh(LegalPort(format, given, false)));
    }
    const std::string unitName = unit.Name.empty() ? DefaultUnitName : unit.Name;
    names.Unit = text ? unitName : names.Fresh(LegalPort(format, unitName, true));
    return names;
}

std::string TUnitNames::Internal(const std::string& name) {
    return Fresh(LegalName(Format, name, false));
}

std::vector<std::pair<std::string, std::string>> RenamedPorts(TExportFormat format,
                                                              const TDesignUnit& unit) {
    const TUnitNames names = UnitNames(format, unit);
    std::vector<std::pair<std::string, std::string>> renamed;
    for (size_t k = 0; k < names.Inputs.size(); ++k) {
        const std::string given =
            GivenOr(unit.InputNames, k, DefaultInputName(static_cast<int>(k)));
        if (names.Inputs[k] != given) {
            renamed.emplace_back(given, names.Inputs[k]);
        }
    }
    // A C function of one output returns it without a name.
    const bool unnamed = format == TExportFormat::C && names.Outputs.size() == 1;
    for (size_t j = 0; j < names.Outputs.size() && !unnamed; ++j) {
        const std::string given =
            GivenOr(unit.OutputNames, j, DefaultOutputName(names.Outputs.size(), j));
        if (names.Outputs[j] != given) {
            renamed.emplace_back(given, names.Outputs[j]);
        }
    }
    return renamed;
}

std::string RenamedPortsText(TExportFormat format, const TDesignUnit& unit) {
    const auto renamed = RenamedPorts(format, unit);
    constexpr size_t Shown = 8;
    std::string list;
    for (size_t i = 0; i < renamed.size() && i < Shown; ++i) {
        list +=
            (i > 0 ? ", " : "") + Excerpt(renamed[i].first) + " to " + Excerpt(renamed[i].second);
    }
    if (renamed.size() > Shown) {
        list += " and " + std::to_string(renamed.size() - Shown) + " more";
    }
    return list;
}
