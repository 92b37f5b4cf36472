// Products, complement, OR combination and XOR of sums of products, on bit-mask terms.
#include "engine/SumOfProducts.h"

#include <algorithm>
#include <vector>

#include "engine/RemoveRedundant.h"
#include "engine/TermBits.h"
#include "model/Terms.h"

namespace {

bool Contradict(TCube p, TCube q) {
    return (p.Care & q.Care & (p.Hi ^ q.Hi)) != 0;
}

std::vector<TCube> BitsOf(const TStringListAdv& list, int n) {
    std::vector<TCube> bits;
    bits.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        bits.push_back(PositionalBits(list.Strings(i), n));
    }
    return bits;
}

TStringListAdv SortedSetOfPieces(const std::string& text) {
    // Sorted and deduplicated first, then appended: what adding one by one would leave,
    // without a bisection per piece.
    std::vector<std::string> pieces = SplitAtPlus(text);
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
    TStringListAdv set(true);
    for (const auto& piece : pieces) {
        set.Insert(set.Count(), piece);
    }
    return set;
}

char SwapCase(char c) {
    if (c >= 'A' && c <= 'P') {
        return static_cast<char>(c + 32);
    }
    if (c >= 'a' && c <= 'p') {
        return static_cast<char>(c - 32);
    }
    return c;
}

// A + a·B is A + B: a one-letter entry strikes its opposite letter from every other entry.
// One pass; entries before a newly single-letter one are not revisited.
void ReduceBySingleLetters(std::vector<std::string>& entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string single = entries[i];
        size_t v = single.size();
        int letters = 0;
        for (size_t k = 0; k < single.size(); ++k) {
            if (single[k] != '1') {
                ++letters;
                v = k;
            }
        }
        if (letters != 1) {
            continue;
        }
        for (auto& u : entries) {
            if (u != single && u[v] != '1' && u[v] != single[v]) {
                u[v] = '1';
            }
        }
    }
}

// Bits of every piece between "+", as the pieces' sorted set would give them (a repeated
// piece only repeats a product, and products are deduplicated).
std::vector<TCube> PieceBits(const std::string& text, int n) {
    std::vector<TCube> bits;
    for (const auto& piece : SplitAtPlus(text)) {
        bits.push_back(PositionalBits(piece, n));
    }
    return bits;
}

// The list product on bit masks: every non-contradicting product, without repeats or absorbed
// terms, in work-list order. RemoveRedundant runs (and moves its gauge) only for two or more.
std::vector<TCube> ProductTerms(const std::vector<TCube>& first, const std::vector<TCube>& second,
                                TProgressSink* gauge) {
    // Collected and deduplicated in one go: adding to a sorted set one by one is quadratic.
    std::vector<TCube> products;
    for (const TCube a : first) {
        for (const TCube b : second) {
            // An all-"1" product has an empty compact term and is not added, like a
            // contradiction; only terms without a letter in range can produce it.
            if (!Contradict(a, b) && (a.Care | b.Care) != 0) {
                products.push_back({a.Care | b.Care, a.Hi | b.Hi});
            }
        }
    }
    SortPositional(products);
    if (products.size() > 1) {
        return RemoveRedundantSorted(products, gauge);
    }
    return products;
}

std::string JoinCompact(const std::vector<TCube>& terms, int n) {
    TStringListAdv list(true);
    AssignCompactTerms(terms, n, list);
    return JoinTrimmed(list);
}

}  // namespace

void ListProduct(const TStringListAdv& l1, const TStringListAdv& l2, TStringListAdv& l3, int n,
                 const TCalcFeedback& feedback) {
    const std::vector<TCube> product =
        ProductTerms(BitsOf(l1, n), BitsOf(l2, n), feedback.AbsorptionGauge);
    l3.Clear();
    AssignCompactTerms(product, n, l3);
    if (feedback.ProcessMessages) {
        feedback.ProcessMessages();
    }
}

std::string StringProduct(const std::string& p, const std::string& q, int n,
                          const TCalcFeedback& feedback) {
    const TStringListAdv left = SortedSetOfPieces(p);
    const TStringListAdv right = SortedSetOfPieces(q);
    TStringListAdv product(true);
    ListProduct(right, left, product, n, feedback);
    return JoinTrimmed(product);
}

std::string TermComplement(const std::string& term) {
    std::string result;
    for (const char c : term) {
        if (!result.empty()) {
            result += '+';
        }
        result += SwapCase(c);
    }
    return result;
}

std::string Complement(std::string& s, std::string& r, int n, const TCalcFeedback& feedback) {
    TStringListAdv terms;
    int errorIndex = 0;
    SplitTerms(s, terms, errorIndex, n);
    const int count = terms.Count();

    std::string result;
    if (count == 0) {
        result = ConstantHi;
    } else {
        result = TermComplement(terms.Strings(0));
    }
    if (count >= 2) {
        // The running product stays in bit masks between the string products it stands for;
        // each step still processes messages once, as StringProduct's list product does.
        std::vector<TCube> product = ProductTerms(PieceBits(TermComplement(terms.Strings(1)), n),
                                                  PieceBits(result, n), feedback.AbsorptionGauge);
        if (feedback.ProcessMessages) {
            feedback.ProcessMessages();
        }
        if (product.empty()) {
            return "Always LO";
        }
        if (count > 2 && feedback.Gauge != nullptr) {
            feedback.Gauge->setMax(count);
        }
        for (int k = 2; k < count; ++k) {
            product = ProductTerms(PieceBits(TermComplement(terms.Strings(k)), n), product,
                                   feedback.AbsorptionGauge);
            if (feedback.ProcessMessages) {
                feedback.ProcessMessages();
            }
            if (feedback.Gauge != nullptr) {
                feedback.Gauge->setPosition(k);
            }
        }
        if (count > 2 && feedback.Gauge != nullptr) {
            feedback.Gauge->setPosition(0);
        }
        result = JoinCompact(product, n);
    }
    r = result;
    return "Terms= " + std::to_string(CountTerms(r));
}

std::string OrCombination(std::string& a, std::string& b, std::optional<std::string>& message,
                          const TInputErrorTexts& texts, int n, const TCalcFeedback& feedback) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    TStringListAdv first;
    TStringListAdv second;
    int errorIndex = 0;
    const int codeA = SplitTerms(a, first, errorIndex, n);
    const int codeB = SplitTerms(b, second, errorIndex, n);
    if (codeA != 0) {
        message = texts.First + std::to_string(codeA);
    } else if (codeB != 0) {
        message = texts.Second + std::to_string(codeB);
    }

    TStringListAdv united(true);
    for (const TStringListAdv* list : {&first, &second}) {
        for (int i = 0; i < list->Count(); ++i) {
            std::string term = list->Strings(i);
            ToPositional(term, n);
            united.Add(term);
        }
    }
    // Neither side had a valid term: both are sums of contradictions, so the sum is LO.
    if (united.Count() == 0) {
        return ConstantLo;
    }

    std::vector<std::string> entries;
    for (int i = 0; i < united.Count(); ++i) {
        entries.push_back(united.Strings(i));
    }
    ReduceBySingleLetters(entries);
    TStringListAdv reduced;
    for (const auto& entry : entries) {
        reduced.Add(entry);
    }
    RemoveRedundant(reduced, reduced, n, feedback.AbsorptionGauge);

    std::string result = JoinTrimmed(reduced);
    if (result.empty()) {
        message = "HI";
        return ConstantHi;
    }
    return result;
}

std::string StringXor(std::string a, std::string b, int n, const TCalcFeedback& feedback) {
    std::string notA;
    std::string notB;
    Complement(a, notA, n, feedback);
    Complement(b, notB, n, feedback);
    const std::string p = StringProduct(a, notB, n, feedback);
    const std::string q = StringProduct(b, notA, n, feedback);
    return p + "+" + q;
}
