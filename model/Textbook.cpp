// The textbook reader: the F(...) = head, then an expression, a minterm or maxterm list, or a
// truth-table column.
#include "model/Textbook.h"

#include <algorithm>
#include <bit>

#include "model/DesignUnit.h"
#include "model/Letters.h"
#include "model/TextbookParts.h"

namespace {

constexpr int FullVars = TextbookFullVars;
constexpr uint32_t MaxRows = uint32_t{1} << FullVars;

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
            throw TTextbookFault{chars.size(), "the text is not UTF-8"};
        }
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                throw TTextbookFault{chars.size(), "the text is not UTF-8"};
            }
            code = (code << 6) | (next & 0x3F);
        }
        chars += code;
        i += static_cast<size_t>(extra) + 1;
    }
    return chars;
}

constexpr std::u32string_view ColumnChars = U"01-xX";

class TReader : public TTextCursor {
  public:
    explicit TReader(const std::u32string& text) : TTextCursor(text, 0) {}

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
            if (!IsTextbookBlank(FText[i])) {
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
            if (IsTextbookBlank(FText[i])) {
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

    TTextbookFunction Expression() {
        int highest = 0;
        const TMintermBits full = ReadTextbookExpression(FText, FPos, FNamed, highest);
        TTextbookFunction function;
        function.VarCount = FNamed != 0 ? FNamed : std::max(1, highest);
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

    int FNamed = 0;  // variables F(...) names; 0 without a head
    bool FMaxterms = false;
};

}  // namespace

std::string TTextbookError::Message() const {
    return "column " + std::to_string(Column) + ": " + Text;
}

bool ReadTextbook(std::string_view text, TTextbookFunction& function, TTextbookError& error) {
    try {
        const std::u32string chars = Decode(text);
        TReader reader(chars);
        function = reader.Read();
        return true;
    } catch (const TTextbookFault& fault) {
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
