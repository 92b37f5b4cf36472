// The command line's failures and warnings, written as single escaped lines.
#include "cli/CommandError.h"

#include <cstdint>

namespace {

// Bytes 0x80 and up that start a well-formed UTF-8 character of U+00A0 or above; 0 otherwise.
size_t Utf8Length(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size()) {
        return 0;
    }
    uint32_t code = lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates, C1 controls and code points beyond Unicode are escaped.
    const uint32_t least[] = {0, 0, 0xA0, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return 0;
    }
    return length;
}

void AppendHex(std::string& out, unsigned char byte) {
    const char* const digits = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 15];
}

}  // namespace

void FailUsage(std::string text) {
    throw TCommandError{std::move(text), true};
}

void FailInput(const std::string& source, std::string text) {
    throw TCommandError{source + ": " + text, false};
}

std::string ErrorLine(const TCommandError& error) {
    return "quillon: " + Escaped(error.Text) + (error.Usage ? " (see quillon --help)" : "") + "\n";
}

std::string WarningLine(const std::string& source, const std::string& text) {
    return "quillon: " + Escaped(source + ": " + text) + "\n";
}

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += text[i++];
        } else if (const size_t length = byte >= 0x80 ? Utf8Length(text, i) : 0; length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            const char* named = byte == '\n'   ? "\\n"
                                : byte == '\r' ? "\\r"
                                : byte == '\t' ? "\\t"
                                               : nullptr;
            if (named != nullptr) {
                out += named;
            } else {
                AppendHex(out, byte);
            }
            ++i;
        }
    }
    return out;
}
