// The textbook reader's expressions: NOT, AND, XOR and OR over sixteen variables.
#include <algorithm>
#include <bit>

#include "model/Textbook.h"
#include "model/TextbookParts.h"

namespace {

constexpr int FullVars = TextbookFullVars;

std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool IsAsciiLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr std::u32string_view PrefixNots = U"!~¬";
constexpr std::u32string_view PostfixNots = U"'’′";
constexpr std::u32string_view AndSigns = U"*&·∧.";
constexpr std::u32string_view XorSigns = U"^⊕";
constexpr std::u32string_view OrSigns = U"+|∨";
class TExpressionReader : public TTextCursor {
  public:
    TExpressionReader(const std::u32string& text, size_t pos, int named)
        : TTextCursor(text, pos), FNamed(named) {}

    TMintermBits Read() {
        TMintermBits set = Bits(Or());
        if (Peek() != 0) {
            Stray();
        }
        return set;
    }
    int Highest() const { return FHighest; }

  private:
    // A character where no expression may go on.
    [[noreturn]] void Stray() const {
        const char32_t c = FText[FPos];
        Fail(FPos, c == ')'   ? "this ) closes no ("
                   : c == '=' ? "= comes once, after F or F(A,B,…)"
                              : "“" + Utf8(c) + "” is not part of the notation");
    }

    // A product of letters stays a cube until something else meets it: a sum of products costs
    // a word per 64 of its minterms, not a pass over all 65536 per letter.
    struct TValue {
        TMintermBits Set;  // empty while the value is the cube
        TCube Cube;        // Care 0: the constant 1
        bool Zero = false;
    };

    static TMintermBits Bits(TValue&& value) {
        if (!value.Set.empty()) {
            return std::move(value.Set);
        }
        TMintermBits set = MakeMintermBits(FullVars);
        if (!value.Zero) {
            AddCubeMinterms(set, FullVars, value.Cube);
        }
        return set;
    }

    TValue Or() {
        TValue value = Xor();
        if (!IsOneOf(Peek(), OrSigns)) {
            return value;
        }
        TMintermBits set = Bits(std::move(value));
        while (IsOneOf(Peek(), OrSigns)) {
            ++FPos;
            TValue right = Xor();
            if (right.Set.empty()) {
                if (!right.Zero) {
                    AddCubeMinterms(set, FullVars, right.Cube);
                }
                continue;
            }
            for (size_t w = 0; w < set.size(); ++w) {
                set[w] |= right.Set[w];
            }
        }
        return {std::move(set), {}, false};
    }

    TValue Xor() {
        TValue value = And();
        if (!IsOneOf(Peek(), XorSigns)) {
            return value;
        }
        TMintermBits set = Bits(std::move(value));
        while (IsOneOf(Peek(), XorSigns)) {
            ++FPos;
            const TMintermBits right = Bits(And());
            for (size_t w = 0; w < set.size(); ++w) {
                set[w] ^= right[w];
            }
        }
        return {std::move(set), {}, false};
    }

    // Juxtaposition is AND wherever an operand follows.
    TValue And() {
        TValue value = Unary();
        for (;;) {
            const char32_t c = Peek();
            if (IsOneOf(c, AndSigns)) {
                ++FPos;
            } else if (!(IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '(' ||
                         IsOneOf(c, PrefixNots))) {
                return value;
            }
            TValue right = Unary();
            if (value.Set.empty() && right.Set.empty()) {
                const TCube& a = value.Cube;
                const TCube& b = right.Cube;
                value.Zero = value.Zero || right.Zero || (a.Care & b.Care & (a.Hi ^ b.Hi)) != 0;
                value.Cube = {a.Care | b.Care, a.Hi | b.Hi};
                continue;
            }
            TMintermBits set = Bits(std::move(value));
            const TMintermBits other = Bits(std::move(right));
            for (size_t w = 0; w < set.size(); ++w) {
                set[w] &= other[w];
            }
            value = {std::move(set), {}, false};
        }
    }

    // Only the number of NOTs around an operand matters, so a long run costs no recursion.
    TValue Unary() {
        size_t nots = 0;
        for (; IsOneOf(Peek(), PrefixNots); ++FPos) {
            ++nots;
        }
        TValue value = Primary();
        for (; IsOneOf(Peek(), PostfixNots); ++FPos) {
            ++nots;
        }
        if (nots % 2 == 0) {
            return value;
        }
        // A constant or a single letter stays a cube under NOT.
        if (value.Set.empty() && (value.Zero || std::popcount(value.Cube.Care) <= 1)) {
            if (value.Zero || value.Cube.Care == 0) {
                return {{}, {}, !value.Zero};
            }
            value.Cube.Hi ^= value.Cube.Care;
            return value;
        }
        TMintermBits set = Bits(std::move(value));
        for (uint64_t& word : set) {
            word = ~word;
        }
        return {std::move(set), {}, false};
    }

    TValue Primary() {
        const size_t at = Skip();
        if (at == FText.size()) {
            Fail(at, "the text ends where a variable, 0, 1 or ( should follow");
        }
        const char32_t c = FText[at];
        ++FPos;
        const int k = VariableOf(c);
        if (k >= 0) {
            if (FNamed != 0 && k >= FNamed) {
                Fail(at, Utf8(c) + " is beyond the " + std::to_string(FNamed) +
                             " variables F(…) names");
            }
            FHighest = std::max(FHighest, k + 1);
            const uint32_t bit = 1u << (FullVars - 1 - k);
            return {{}, {bit, bit}};
        }
        if (IsAsciiLetter(c)) {
            Fail(at, Utf8(c) + " is no variable: the variables are A to P");
        }
        if (c == '0' || c == '1') {
            return {{}, {}, c == '0'};
        }
        if (c >= '2' && c <= '9') {
            Fail(at, "the constants are 0 and 1");
        }
        if (c != '(') {
            Fail(at, "expected a variable, 0, 1 or ( here");
        }
        if (++FDepth > MaxTextbookDepth) {
            Fail(at, "more than " + std::to_string(MaxTextbookDepth) + " parentheses open at once");
        }
        TValue value = Or();
        if (Peek() == 0) {
            Fail(at, "this ( is never closed");
        }
        if (FText[FPos] != ')') {
            Stray();
        }
        ++FPos;
        --FDepth;
        return value;
    }

    int FNamed;        // variables F(...) names; 0 without a head
    int FHighest = 0;  // highest variable used, from 1 for A
    int FDepth = 0;    // parentheses open
};

}  // namespace

TMintermBits ReadTextbookExpression(const std::u32string& text, size_t pos, int named,
                                    int& highest) {
    TExpressionReader reader(text, pos, named);
    TMintermBits set = reader.Read();
    highest = reader.Highest();
    return set;
}
