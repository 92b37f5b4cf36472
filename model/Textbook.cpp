// The textbook reader: the F(...) = head, then an expression, a minterm or maxterm list, or a
// truth-table column.
#include "model/Textbook.h"

#include <algorithm>
#include <bit>

#include "model/DesignUnit.h"
#include "model/Letters.h"

namespace {

// Expressions are evaluated over all sixteen variables and narrowed at the end, as the count
// is known only once every letter is read.
constexpr int FullVars = 16;
constexpr uint32_t MaxRows = uint32_t{1} << FullVars;

struct TFault {
    size_t At;  // index of the character, from 0
    std::string Text;
};

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

// The characters as the user counts them, one code point each.
std::u32string Decode(std::string_view text) {
    std::u32string chars;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80             ? 0
                          : (lead & 0xE0) == 0xC0 ? 1
                          : (lead & 0xF0) == 0xE0 ? 2
                          : (lead & 0xF8) == 0xF0 ? 3
                                                  : -1;
        if (extra < 0 || text.size() - i <= static_cast<size_t>(extra)) {
            throw TFault{chars.size(), "the text is not UTF-8"};
        }
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                throw TFault{chars.size(), "the text is not UTF-8"};
            }
            code = (code << 6) | (next & 0x3F);
        }
        chars += code;
        i += static_cast<size_t>(extra) + 1;
    }
    return chars;
}

bool IsBlank(char32_t c) {
    return c <= 32 || c == 0xA0;
}

bool IsOneOf(char32_t c, std::u32string_view set) {
    return set.find(c) != std::u32string_view::npos;
}

bool IsAsciiLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Variable number from 0 (A), or -1 for a character that is no letter A to P.
int VariableOf(char32_t c) {
    const char32_t up = (c >= 'a' && c <= 'z') ? c - 32 : c;
    return up >= 'A' && up <= 'P' ? static_cast<int>(up - 'A') : -1;
}

constexpr std::u32string_view PrefixNots = U"!~¬";
constexpr std::u32string_view PostfixNots = U"'’′";
constexpr std::u32string_view AndSigns = U"*&·∧.";
constexpr std::u32string_view XorSigns = U"^⊕";
constexpr std::u32string_view OrSigns = U"+|∨";
constexpr std::u32string_view ColumnChars = U"01-xX";

class TReader {
  public:
    explicit TReader(std::u32string text) : FText(std::move(text)) {}

    TTextbookFunction Read() {
        const size_t equals = FText.find(U'=');
        if (equals != std::u32string::npos) {
            ReadHead(equals);
            FPos = equals + 1;
        }
        const size_t start = Skip();
        if (start == FText.size()) {
            Fail(start,
                 "no function: type an expression, a list such as Σm(1,3) or a column "
                 "such as 0110");
        }
        if (IsColumn(start)) {
            return Column(start);
        }
        if (IsList(start)) {
            return List();
        }
        return Expression();
    }

  private:
    [[noreturn]] static void Fail(size_t at, std::string text) {
        throw TFault{at, std::move(text)};
    }

    // Skips blanks; the position of the next character, or the end.
    size_t Skip() {
        while (FPos < FText.size() && IsBlank(FText[FPos])) {
            ++FPos;
        }
        return FPos;
    }
    char32_t Peek() { return Skip() < FText.size() ? FText[FPos] : 0; }

    // "F =" or "F(A, B, C) =": the function's name and, in order from A, its variables.
    void ReadHead(size_t equals) {
        const std::string headOnly = "only F or F(A,B,…) may stand before =";
        if (Peek() != 'F' && Peek() != 'f') {
            Fail(FPos, headOnly);
        }
        ++FPos;
        if (Peek() == '(') {
            ++FPos;
            for (;;) {
                if (VariableOf(Peek()) != FNamed) {
                    Fail(FPos, FNamed == FullVars
                                   ? "F(…) names at most 16 variables, A to P"
                                   : "F(…) names the variables in order, A, B, C, …: expected " +
                                         std::string(1, static_cast<char>('A' + FNamed)));
                }
                ++FNamed;
                ++FPos;
                if (Peek() == ')') {
                    break;
                }
                if (Peek() != ',') {
                    Fail(FPos, "expected , or ) in F(…)");
                }
                ++FPos;
            }
            ++FPos;
        }
        if (Skip() != equals) {
            Fail(FPos, headOnly);
        }
    }

    bool IsColumn(size_t start) const {
        size_t rows = 0;
        for (size_t i = start; i < FText.size(); ++i) {
            if (!IsBlank(FText[i])) {
                if (!IsOneOf(FText[i], ColumnChars)) {
                    return false;
                }
                ++rows;
            }
        }
        return rows >= 2;
    }

    // One character a row, A the most significant bit of the row's number.
    TTextbookFunction Column(size_t start) {
        TTextbookFunction function;
        TMintermBits on = MakeMintermBits(FullVars);
        TMintermBits dc = MakeMintermBits(FullVars);
        uint32_t rows = 0;
        size_t last = start;
        for (size_t i = start; i < FText.size(); ++i) {
            if (IsBlank(FText[i])) {
                continue;
            }
            if (rows == MaxRows) {
                Fail(i, "a column has at most 65536 rows, for 16 variables");
            }
            if (FText[i] == '1') {
                SetMinterm(on, rows);
            } else if (FText[i] != '0') {
                SetMinterm(dc, rows);
            }
            ++rows;
            last = i;
        }
        if (!std::has_single_bit(rows)) {
            Fail(last, "a column of " + std::to_string(rows) +
                           " rows; a truth table has 2, 4, 8, … or 65536");
        }
        const int n = std::countr_zero(rows);
        if (FNamed != 0 && FNamed != n) {
            Fail(last, "F(…) names " + std::to_string(FNamed) + " variables: its column has " +
                           std::to_string(1u << FNamed) + " rows, not " + std::to_string(rows));
        }
        function.VarCount = n;
        on.resize(MakeMintermBits(n).size());
        dc.resize(on.size());
        function.On = std::move(on);
        function.Dc = std::move(dc);
        return function;
    }

    // Σm(, ∑(, m(, ΠM(, M( and the like. A bare m or M is a list only when a number or ) follows
    // its parenthesis: M(A+B) is the product of M and A+B.
    bool IsList(size_t start) {
        const char32_t first = FText[start];
        FPos = start + 1;
        if (first == U'Σ' || first == U'∑' || first == U'Π' || first == U'∏') {
            FMaxterms = first == U'Π' || first == U'∏';
            if (Peek() == (FMaxterms ? 'M' : 'm')) {
                ++FPos;
            }
            return true;
        }
        if (first == 'm' || first == 'M') {
            FMaxterms = first == 'M';
            if (Peek() == '(') {
                ++FPos;
                const char32_t next = Peek();
                FPos = start + 1;
                if ((next >= '0' && next <= '9') || next == ')') {
                    return true;
                }
            }
        }
        FPos = start;
        return false;
    }

    struct TIndex {
        uint32_t Value;
        size_t At;
    };

    // "(1, 3, 5)" as indices below 2^16, or below 2^n when F(...) names n variables.
    std::vector<TIndex> Indices() {
        if (Peek() != '(') {
            Fail(FPos, "expected ( to open the list");
        }
        const size_t open = FPos++;
        std::vector<TIndex> indices;
        if (Peek() == ')') {
            ++FPos;
            return indices;
        }
        for (;;) {
            const size_t at = Skip();
            if (at == FText.size() || FText[at] < '0' || FText[at] > '9') {
                Fail(at, "expected an index, a whole number from 0");
            }
            const uint32_t limit = FNamed != 0 ? 1u << FNamed : MaxRows;
            uint32_t value = 0;
            for (; FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9'; ++FPos) {
                value = std::min<uint32_t>(value * 10 + (FText[FPos] - '0'), MaxRows);
            }
            if (value >= limit) {
                Fail(at, FNamed != 0
                             ? "index beyond the " + std::to_string(FNamed) +
                                   " variables F(…) names: at most " + std::to_string(limit - 1)
                             : std::string("index beyond 16 variables: at most 65535"));
            }
            indices.push_back({value, at});
            if (Peek() == ')') {
                ++FPos;
                return indices;
            }
            if (FPos == FText.size()) {
                Fail(open, "this ( is never closed");
            }
            if (FText[FPos] != ',') {
                Fail(FPos, "expected , or ) in the list");
            }
            ++FPos;
        }
    }

    TTextbookFunction List() {
        const std::vector<TIndex> listed = Indices();
        std::vector<TIndex> dontCares;
        if (Peek() == '+') {
            ++FPos;
            if (Peek() != 'd' && Peek() != 'D') {
                Fail(FPos, "expected d(…), the don't cares, after +");
            }
            ++FPos;
            dontCares = Indices();
        }
        if (Skip() != FText.size()) {
            Fail(FPos, dontCares.empty() ? "after the list only + d(…) may follow"
                                         : "nothing may follow the don't cares");
        }
        uint32_t largest = 0;
        for (const TIndex& index : listed) {
            largest = std::max(largest, index.Value);
        }
        for (const TIndex& index : dontCares) {
            largest = std::max(largest, index.Value);
        }
        TTextbookFunction function;
        function.VarCount =
            FNamed != 0 ? FNamed : std::max(1, static_cast<int>(std::bit_width(largest)));
        TMintermBits set = MakeMintermBits(function.VarCount);
        function.Dc = MakeMintermBits(function.VarCount);
        for (const TIndex& index : listed) {
            SetMinterm(set, index.Value);
        }
        for (const TIndex& index : dontCares) {
            if (TestMinterm(set, index.Value)) {
                Fail(index.At, "index " + std::to_string(index.Value) +
                                   " is in the list and among the don't cares");
            }
            SetMinterm(function.Dc, index.Value);
        }
        if (FMaxterms) {
            // The ON set is what is neither a maxterm nor a don't care.
            function.On = Zeros(set, function.Dc, function.VarCount);
        } else {
            function.On = std::move(set);
        }
        return function;
    }

    // A character where no expression may go on.
    [[noreturn]] void Stray() const {
        const char32_t c = FText[FPos];
        Fail(FPos, c == ')'   ? "this ) closes no ("
                   : c == '=' ? "= comes once, after F or F(A,B,…)"
                              : "“" + Utf8(c) + "” is not part of the notation");
    }

    TTextbookFunction Expression() {
        const TMintermBits full = Bits(Or());
        if (Peek() != 0) {
            Stray();
        }
        TTextbookFunction function;
        function.VarCount = FNamed != 0 ? FNamed : std::max(1, FHighest);
        function.On = MakeMintermBits(function.VarCount);
        function.Dc = MakeMintermBits(function.VarCount);
        // Variables beyond the count are not named, so the function does not depend on them.
        const int shift = FullVars - function.VarCount;
        for (uint32_t m = 0; m < (1u << function.VarCount); ++m) {
            if (TestMinterm(full, m << shift)) {
                SetMinterm(function.On, m);
            }
        }
        return function;
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

    std::u32string FText;
    size_t FPos = 0;
    int FNamed = 0;    // variables F(...) names; 0 without a head
    int FHighest = 0;  // highest variable an expression uses, from 1 for A
    int FDepth = 0;    // parentheses open
    bool FMaxterms = false;
};

}  // namespace

std::string TTextbookError::Message() const {
    return "column " + std::to_string(Column) + ": " + Text;
}

bool ReadTextbook(std::string_view text, TTextbookFunction& function, TTextbookError& error) {
    try {
        TReader reader(Decode(text));
        function = reader.Read();
        return true;
    } catch (const TFault& fault) {
        error = {fault.At + 1, fault.Text};
        return false;
    }
}

std::vector<std::string> SetTerms(const TMintermBits& set, int n) {
    std::vector<std::string> terms;
    for (const TCube& cube : CubesOfSet(set, n)) {
        if (cube.Care == 0) {
            return {"A", "a"};
        }
        terms.push_back(CubeTerm(cube, n));
    }
    return terms;
}
