// The Simplify command without its window: implicant search, ranking, editor texts to outcome.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Sinks.h"
#include "model/DesignUnit.h"
#include "model/Letters.h"
#include "model/SensitiveStr.h"

inline const char* const RankZeroMessage = "Error RANK ZERO";

// What the search leaves for panel 2 of the K-map window's status bar.
struct TSearchReport {
    int64_t Counter = 0;  // candidate terms examined
    int64_t ElapsedMs = 0;
    std::string StatusText;  // counter, " Strs procesed ", seconds, " Sec"
};

// Seconds from milliseconds in the shortest decimal form: 16 -> 0.016, 2500 -> 2.5, 0 -> 0.
std::string FormatSeconds(int64_t ms);

// Fills result with the prime implicants of the function of n variables whose distinct minterm
// strings the minterms list holds (a sorted set, highest minterm first): compact terms in code
// order, the constant HI left out. The table ends holding the ON minterms. The gauge (may be
// null) moves as the removal of absorbed terms would move it over every implicant found.
TSearchReport FindAcceptableStrings(const TStringListAdv& minterms, int n, TTruthTable& table,
                                    TStringListAdv& result, TProgressSink* gauge = nullptr);

// Rank of one term from the coverage counts in the table: Max * 65536 + Min of its minterms'
// counts. Don't-care minterms do not count.
int32_t TermRank(const std::string& term, int n, const TTruthTable& table,
                 TMessageSink* messages = nullptr, const TDontCareTable* dontCare = nullptr);

// Refills the table with the list's coverage counts and ranks every term. With don't cares the
// table keeps counts on the other minterms only, so it holds the ON part.
void RankTerms(TStringListAdv& list, int n, TTruthTable& table, TMessageSink* messages = nullptr,
               const TDontCareTable* dontCare = nullptr);

inline int RankMin(intptr_t rank) {
    return static_cast<int>(rank & 0xFFFF);
}
inline int RankMax(intptr_t rank) {
    return static_cast<int>(rank >> 16);
}

enum class TSimplifyKind {
    Invalid,      // a row failed the term check
    EditorEmpty,  // no non-empty row
    ConstantHi,   // the function is always HI
    ConstantLo,   // only don't-care rows: the function is never HI
    Ranked        // the prime implicants, ranked
};

struct TSimplifyOutcome {
    TSimplifyKind Kind = TSimplifyKind::EditorEmpty;
    std::string Message;          // the message box text; empty for a ranked result
    std::string InvalidTerm;      // the failing term as the check left it
    TStringListAdv Result{true};  // compact terms in code order, each with its rank
    TSearchReport Search;         // set when the search ran (constant HI or ranked)
    int RankZeroCount = 0;        // how often ranking raised "Error RANK ZERO"
    int DontCareCount = 0;        // don't-care minterms that are not also ON
};

// Runs the Simplify command on the editor's term column, row by row; a row marked "-AbC" is
// a don't-care term. ON wins over don't care. When the search runs, the table ends as ranking
// leaves it and the don't-care table holds the don't cares; both stay untouched when it stops
// before the search. The gauge moves as in FindAcceptableStrings. ProductOfSums runs
// the same search on the zeros, the minterms neither ON nor don't care, with the don't cares
// free: the result's terms are the zeros' cubes, the table holds their ranking, and a constant
// is told as the function's.
TSimplifyOutcome SimplifyTerms(const std::vector<std::string>& editorTexts,
                               const TFunctionTables& tables, TMessageSink* messages = nullptr,
                               TProgressSink* gauge = nullptr,
                               TUnitForm form = TUnitForm::SumOfProducts);
