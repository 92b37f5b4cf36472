// The calculator's commands over its input texts; the window applies the result.
#include "engine/CalcOperations.h"

#include <algorithm>

#include "model/SensitiveStr.h"
#include "model/Terms.h"

namespace {

std::string TermsText(const std::string& text) {
    return std::to_string(CountTerms(text)) + " terms";
}

// Splits both inputs with validation; only the first failing input is reported. When an
// input is empty nothing is split, the result is empty and the answer is false.
bool SplitInputs(std::string& x, std::string& y, int n, TStringListAdv& xs, TStringListAdv& ys,
                 const TInputErrorTexts& texts, TCalcResult& result) {
    if (x.empty() || y.empty()) {
        result.Z = "";
        return false;
    }
    int errorIndex = 0;
    const int codeX = SplitTerms(x, xs, errorIndex, n);
    const int codeY = SplitTerms(y, ys, errorIndex, n);
    if (codeX != 0) {
        result.MessagePanel = texts.First + std::to_string(codeX);
    } else if (codeY != 0) {
        result.MessagePanel = texts.Second + std::to_string(codeY);
    }
    return true;
}

}  // namespace

TCalcResult CalcOr(std::string x, std::string y, int n, const TCalcFeedback& feedback) {
    TCalcResult result;
    const bool combined = !x.empty() && !y.empty();
    result.Z = OrCombination(x, y, result.MessagePanel,
                             {"Error in X input code=", "Error in y input code="}, n, feedback);
    // The count shown is that of the cleaned Y, as the command always did.
    if (combined) {
        result.CountPanel = TermsText(y);
    }
    return result;
}

TCalcResult CalcAnd(std::string x, std::string y, int n, const TCalcFeedback& feedback) {
    TCalcResult result;
    TStringListAdv xs;
    TStringListAdv ys;
    if (!SplitInputs(x, y, n, xs, ys, {"Error in X input code=", "Error in Y input code="},
                     result)) {
        return result;
    }
    TStringListAdv product(true);
    ListProduct(xs, ys, product, n, feedback);
    const std::string z = JoinTrimmed(product);
    if (z.empty()) {
        result.Z = ConstantLo;
        result.MessagePanel = "Always LO";
    } else {
        result.Z = z;
        result.CountPanel = TermsText(y);
    }
    return result;
}

TCalcResult CalcXor(std::string x, std::string y, int n, const TCalcFeedback& feedback) {
    TCalcResult result;
    TStringListAdv xs;
    TStringListAdv ys;
    if (!SplitInputs(x, y, n, xs, ys, {"Error in X input ", "Error in Y input "}, result)) {
        return result;
    }

    std::string notX;
    std::string notY;
    std::string cleanX = x;
    std::string cleanY = y;
    Complement(cleanX, notX, n, feedback);
    Complement(cleanY, notY, n, feedback);
    std::string p = StringProduct(x, notY, n, feedback);
    std::string q = StringProduct(y, notX, n, feedback);

    std::string z;
    if (p.empty() && q.empty()) {
        result.MessagePanel = ConstantLo;
        z = ConstantLo;
    } else {
        z = OrCombination(p, q, result.MessagePanel, {"Error in X input ", "Error in Y input "}, n,
                          feedback);
        z.erase(std::remove(z.begin(), z.end(), ' '), z.end());
    }
    result.Z = z;
    result.CountPanel = TermsText(z);
    return result;
}

TCalcResult CalcNot(std::string z, int n, const TCalcFeedback& feedback) {
    TCalcResult result;
    if (z.empty()) {
        result.MessagePanel = "Missing text";
        result.Z = "";
        return result;
    }
    std::string complement;
    result.CountPanel = Complement(z, complement, n, feedback);
    result.Z = complement.empty() ? std::string(ConstantLo) : complement;
    return result;
}

TCalcResult CalcInvert(std::string text, int n, const TCalcFeedback& feedback) {
    TCalcResult result;
    if (!text.empty() && text.back() == '+') {
        text.pop_back();
    }
    if (text.empty()) {
        return result;
    }
    std::string complement;
    result.CountPanel = Complement(text, complement, n, feedback);
    result.Z = complement;
    return result;
}
