// The Simplify command: from editor texts through the implicant search to the ranked result.
#include "engine/Simplify.h"

#include <algorithm>
#include <chrono>

#include "engine/PrimeSearch.h"
#include "engine/RemoveRedundant.h"
#include "model/Letters.h"
#include "model/Minterms.h"
#include "model/Terms.h"

std::string FormatSeconds(int64_t ms) {
    std::string text = ms < 0 ? "-" : "";
    const int64_t magnitude = ms < 0 ? -ms : ms;
    text += std::to_string(magnitude / 1000);
    const int64_t fraction = magnitude % 1000;
    if (fraction == 0) {
        return text;
    }
    std::string digits = std::to_string(fraction);
    digits.insert(0, 3 - digits.size(), '0');
    digits.erase(digits.find_last_not_of('0') + 1);
    return text + "." + digits;
}

namespace {

int64_t TickMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The literal search keeps every implicant it finds until the removal of absorbed terms, so
// its gauge runs over all of them; we report that size without building the list.
void ReportGauge(int64_t workCount, TProgressSink* gauge) {
    if (gauge == nullptr) {
        return;
    }
    const int count = static_cast<int>(workCount);
    gauge->setMax(count);
    if (count >= 2) {
        gauge->setPosition(0);
    }
    gauge->setPosition(count);
}

// The search proper on the ON set the truth table now holds; start is the tick of its first step.
TSearchReport SearchOnSet(int n, const TMintermBits& on, const TMintermBits* dontCare,
                          TStringListAdv& result, int64_t start, TProgressSink* gauge) {
    const TSearchCost cost = CountSearch(n, on, dontCare);
    TPrimeImplicants primes =
        dontCare != nullptr ? CoveringPrimes(n, on, *dontCare) : FindPrimeImplicants(n, on);
    ReportGauge(primes.ImplicantCount + cost.LoneMinterms, gauge);
    // The cube with no letter is the constant HI, which the removal of absorbed terms drops.
    AssignCompactTerms(primes.Primes, n, result);

    TSearchReport report;
    report.Counter = cost.Counter;
    report.ElapsedMs = TickMs() - start;
    report.StatusText = std::to_string(report.Counter) + " Strs procesed " +
                        FormatSeconds(report.ElapsedMs) + " Sec";
    return report;
}

int32_t MaskRank(const TCube& masks, int n, const TTruthTable& table, TMessageSink* messages,
                 const TDontCareTable* dontCare) {
    int smallest = 1000;
    int largest = -1;
    int last = -1;
    ForEachCubeMinterm(masks, HighMintermOf(n), [&](uint32_t m) {
        if (dontCare != nullptr && (*dontCare)[m] != 0) {
            return true;
        }
        last = table[m];
        smallest = std::min(smallest, last);
        largest = std::max(largest, last);
        return true;
    });
    if (last < 0) {
        return 0;  // only don't cares: nothing to count
    }
    // Counts wrap at 256, so a covered minterm can read 0.
    if (last == 0 && messages != nullptr) {
        messages->showMessage(RankZeroMessage);
    }
    return largest * 65536 + smallest;
}

// The don't cares when there are any; an empty set ranks as no set at all.
const TDontCareTable* UsedDontCares(const TDontCareTable* dontCare, int n) {
    return dontCare != nullptr && AnyDontCare(*dontCare, n) ? dontCare : nullptr;
}

// The common row, an optional mark and then valid letters with no blank, read in one pass with
// no string copies; the masks are those the trimming, check and positional form would give.
// False sends the row down the full path (blanks, long text, bad letters, contradictions).
bool PlainRowMasks(const std::string& text, int n, bool& dontCare, TCube& masks) {
    const size_t first = DontCareMarkEnd(text);
    dontCare = first != 0;
    return LetterMasks(std::string_view(text).substr(first), n, masks);
}

class TCountingSink : public TMessageSink {
  public:
    explicit TCountingSink(TMessageSink* next) : FNext(next) {}
    void showMessage(const std::string& text) override {
        ++Count;
        if (FNext != nullptr) {
            FNext->showMessage(text);
        }
    }
    int Count = 0;

  private:
    TMessageSink* FNext;
};

}  // namespace

TSearchReport FindAcceptableStrings(const TStringListAdv& minterms, int n, TTruthTable& table,
                                    TStringListAdv& result, TProgressSink* gauge) {
    const int64_t start = TickMs();
    table.fill(0);
    result.Clear();
    for (int i = 0; i < minterms.Count(); ++i) {
        AddTermToTable(minterms.Strings(i), n, table);
    }
    TMintermBits on = MakeMintermBits(n);
    for (uint32_t m = 0; m <= HighMintermOf(n); ++m) {
        if (table[m] != 0) {
            SetMinterm(on, m);
        }
    }
    return SearchOnSet(n, on, nullptr, result, start, gauge);
}

int32_t TermRank(const std::string& term, int n, const TTruthTable& table, TMessageSink* messages,
                 const TDontCareTable* dontCare) {
    return MaskRank(TermMasks(term, n), n, table, messages, UsedDontCares(dontCare, n));
}

void RankTerms(TStringListAdv& list, int n, TTruthTable& table, TMessageSink* messages,
               const TDontCareTable* dontCare) {
    dontCare = UsedDontCares(dontCare, n);
    const uint32_t high = HighMintermOf(n);
    // Each term is parsed once for both walks; the walks are those of AddTermToTable and TermRank.
    std::vector<TCube> masks(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        masks[static_cast<size_t>(i)] = TermMasks(list.Strings(i), n);
    }
    table.fill(0);
    for (const TCube& m : masks) {
        ForEachCubeMinterm(m, high, [&](uint32_t x) {
            ++table[x];  // counts wrap at 256 by design
            return true;
        });
    }
    if (dontCare != nullptr) {
        for (uint32_t m = 0; m <= high; ++m) {
            table[m] = (*dontCare)[m] != 0 ? 0 : table[m];
        }
    }
    for (int i = 0; i < list.Count(); ++i) {
        list.SetObject(i, MaskRank(masks[static_cast<size_t>(i)], n, table, messages, dontCare));
    }
}

TSimplifyOutcome SimplifyTerms(const std::vector<std::string>& editorTexts,
                               const TFunctionTables& tables, TMessageSink* messages,
                               TProgressSink* gauge, TUnitForm form) {
    const int n = tables.VarCount;
    const uint32_t high = HighMintermOf(n);
    TSimplifyOutcome outcome;
    std::vector<TCube> terms;
    std::vector<TCube> dontCareTerms;
    for (const std::string& text : editorTexts) {
        bool plainDontCare = false;
        TCube plain;
        if (PlainRowMasks(text, n, plainDontCare, plain)) {
            (plainDontCare ? dontCareTerms : terms).push_back(plain);
            continue;
        }
        const TMarkedTerm row = ReadMarkedTerm(text);
        const bool dontCare = row.DontCare;
        std::string term = CutTerm(row.Term);
        if (term.empty()) {
            continue;
        }
        if (CheckTerm(term, n) != TermValid) {
            outcome.Kind = TSimplifyKind::Invalid;
            outcome.InvalidTerm = term;
            outcome.Message = "Boolean string " + (dontCare ? std::string(1, DontCareMark) : "") +
                              term + " is invalid";
            return outcome;
        }
        ToPositional(term, n);
        (dontCare ? dontCareTerms : terms).push_back(TermMasks(term, n));
    }
    if (terms.empty() && dontCareTerms.empty()) {
        outcome.Kind = TSimplifyKind::EditorEmpty;
        outcome.Message = "Editor is empty";
        return outcome;
    }

    // Only the union of the terms' minterms reaches the search, so repeats need no list of
    // their own and the minterm strings need not be written out: the search starts from the
    // set it would have read back from them.
    const int64_t start = TickMs();
    auto mintermsOf = [&](const std::vector<TCube>& list) {
        TMintermBits bits = MakeMintermBits(n);
        for (const TCube& masks : list) {
            ForEachCubeMinterm(masks, high, [&](uint32_t m) {
                SetMinterm(bits, m);
                return true;
            });
        }
        return bits;
    };
    TMintermBits on = mintermsOf(terms);
    TMintermBits dontCare = mintermsOf(dontCareTerms);
    const bool sums = form == TUnitForm::ProductOfSums;
    if (sums) {
        // ON wins over don't care before the zeros take the ON set's place.
        for (size_t w = 0; w < dontCare.size(); ++w) {
            dontCare[w] &= ~on[w];
        }
        on = Zeros(on, dontCare, n);
    }
    tables.Table.fill(0);
    tables.DontCare.fill(0);
    for (uint32_t m = 0; m <= high; ++m) {
        const bool isOn = TestMinterm(on, m);
        tables.Table[m] = isOn ? 1 : 0;
        const bool free = !isOn && TestMinterm(dontCare, m);
        tables.DontCare[m] = free ? 1 : 0;
        outcome.DontCareCount += free ? 1 : 0;
    }
    for (size_t w = 0; w < dontCare.size(); ++w) {
        dontCare[w] &= ~on[w];
    }
    const bool anyDontCare = outcome.DontCareCount > 0;
    outcome.Search =
        SearchOnSet(n, on, anyDontCare ? &dontCare : nullptr, outcome.Result, start, gauge);

    if (outcome.Result.Count() == 0) {
        // No prime covers an ON minterm: with none ON the function is never HI. The zeros' cover
        // says the opposite of the function.
        const bool anyOn = std::any_of(on.begin(), on.end(), [](uint64_t w) { return w != 0; });
        const bool hi = anyOn != sums;
        outcome.Kind = hi ? TSimplifyKind::ConstantHi : TSimplifyKind::ConstantLo;
        outcome.Message = hi ? "Simplification result is HI" : "Simplification result is LO";
        return outcome;
    }
    TCountingSink counting(messages);
    RankTerms(outcome.Result, n, tables.Table, &counting, anyDontCare ? &tables.DontCare : nullptr);
    outcome.RankZeroCount = counting.Count;
    outcome.Kind = TSimplifyKind::Ranked;
    return outcome;
}
