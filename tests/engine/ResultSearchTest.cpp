// The results tests and searches against a literal reference, and their don't-care rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "engine/ResultSearch.h"
#include "model/State.h"
#include "model/Terms.h"
#include "tests/support/Reference.h"

namespace {

// The tests and searches step by step as the program's description gives them, on terms and
// a byte table of its own: slow, quadratic and obviously faithful. Rows are 0-based here.
class TLiteralSearch {
  public:
    std::vector<std::string> Rows;
    std::vector<int> Mins;
    std::vector<std::string> Editor;
    bool ZeroMet = false;

    bool Removal(const std::vector<std::string>& list) {
        table.fill(0);
        for (const auto& t : Rows) {
            Plot(t);
        }
        for (const auto& t : list) {
            for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
                if (!Covers(t, m, ProgramState.VarCount)) {
                    continue;
                }
                if (table[m] == 0) {
                    ZeroMet = true;
                } else if (table[m] == 1) {
                    return false;
                }
                --table[m];
            }
        }
        return true;
    }

    bool Validity(const std::vector<int>& checkedRows) {
        table.fill(0);
        for (const auto& t : Editor) {
            Plot(t);
        }
        const auto snapshot = table;
        table.fill(0);
        for (int r = 0; r < static_cast<int>(Rows.size()); ++r) {
            if (std::find(checkedRows.begin(), checkedRows.end(), r) == checkedRows.end()) {
                Plot(Rows[static_cast<size_t>(r)]);
            }
        }
        for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
            if ((table[m] == 0) != (snapshot[m] == 0)) {
                return false;
            }
        }
        return true;
    }

    std::vector<int> Quick() {
        std::vector<std::string> w;
        std::vector<int> kept;
        for (int r = static_cast<int>(Rows.size()) - 1; r >= 0; --r) {
            w.push_back(Rows[static_cast<size_t>(r)]);
            if (Removal(w)) {
                kept.push_back(r);
            } else {
                w.pop_back();
            }
        }
        return kept;
    }

    std::vector<int> Candidates() const {
        std::vector<int> candidates;
        for (int r = static_cast<int>(Rows.size()) - 1; r >= 0 && candidates.size() < 10; --r) {
            if (Mins[static_cast<size_t>(r)] > 1) {
                candidates.push_back(r);
            }
        }
        return candidates;
    }

    // The combination search over three or more candidates.
    std::vector<int> Optimized() {
        const std::vector<int> candidates = Candidates();
        // Every subset of two or more, by size and then by text: lexicographic order.
        const int n = static_cast<int>(candidates.size());
        std::vector<std::string> list;
        for (int mask = 0; mask < (1 << n); ++mask) {
            std::string digits;
            for (int d = 0; d < n; ++d) {
                if (mask & (1 << d)) {
                    digits += static_cast<char>('1' + d);
                }
            }
            if (digits.size() >= 2) {
                list.push_back(digits);
            }
        }
        std::sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        std::vector<int> tags(list.size(), 0);
        auto rowsOf = [&](const std::string& digits) {
            std::vector<int> rows;
            for (const char c : digits) {
                rows.push_back(candidates[static_cast<size_t>(c - '1')]);
            }
            return rows;
        };
        for (size_t e = 0; e < list.size(); ++e) {
            if (tags[e] == -1) {
                continue;
            }
            if (Validity(rowsOf(list[e]))) {
                tags[e] = static_cast<int>(list[e].size());
                continue;
            }
            tags[e] = -1;
            for (size_t f = e + 1; f < list.size(); ++f) {
                if (list[f].rfind(list[e], 0) == 0) {
                    tags[f] = -1;
                }
            }
        }
        size_t best = 0;
        int bestTag = 0;
        for (size_t e = 0; e < list.size(); ++e) {
            if (tags[e] > bestTag) {
                best = e;
                bestTag = tags[e];
            }
        }
        return bestTag > 0 ? rowsOf(list[best]) : std::vector<int>{};
    }

  private:
    void Plot(const std::string& term) {
        for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
            table[m] =
                static_cast<uint8_t>(table[m] + (Covers(term, m, ProgramState.VarCount) ? 1 : 0));
        }
    }

    std::array<uint8_t, 65536> table{};
};

// Terms of 1 to n letters in random cases over the first n variables.
std::string RandomTerm(std::mt19937& random, int n) {
    std::string term;
    for (int k = 0; k < n; ++k) {
        if (random() % 2 == 0) {
            term += static_cast<char>((random() % 2 ? 'A' : 'a') + k);
        }
    }
    return term.empty() ? std::string(1, static_cast<char>('A' + random() % n)) : term;
}

std::vector<TRowCube> Cubes(const std::vector<std::string>& terms) {
    std::vector<TRowCube> cubes;
    for (const std::string& term : terms) {
        cubes.push_back(term.empty() ? TRowCube() : TRowCube(TermMasks(term)));
    }
    return cubes;
}

std::vector<TCube> Masks(const std::vector<std::string>& terms) {
    std::vector<TCube> masks;
    for (const std::string& term : terms) {
        masks.push_back(TermMasks(term));
    }
    return masks;
}

// Min of every term over all the terms, counted modulo 256 as ranking does.
std::vector<int> Mins(const std::vector<std::string>& terms) {
    std::vector<int> mins;
    for (const TRankedTerm& r : RankedTerms(terms, ProgramState.VarCount)) {
        mins.push_back(r.Min);
    }
    return mins;
}

TDontCareTable DontCares(const std::vector<uint32_t>& minterms) {
    TDontCareTable table{};
    for (const uint32_t m : minterms) {
        table[m] = 1;
    }
    return table;
}

// Three variables; AB and BC can each go alone but share ABC, which nothing else covers.
const std::vector<std::string> Overlapping = {"AB", "BC", "Ac", "aC"};

struct TRemovalCase {
    const char* Name;
    std::vector<std::string> Rows;  // "" for a row without a term
    std::vector<int> Dropped;
    std::vector<uint32_t> DontCares;
    bool Removable;
    bool ZeroMet;
};

void PrintTo(const TRemovalCase& c, std::ostream* out) {
    *out << c.Name;
}

class RemovalTestCases : public testing::TestWithParam<TRemovalCase> {};

TEST_P(RemovalTestCases, Verdict) {
    const TRemovalCase& c = GetParam();
    SetVarCount(3);
    const TRemovalVerdict verdict =
        RemovalTest(Cubes(c.Rows), c.Dropped, DontCares(c.DontCares), ProgramState.HighMinterm);
    EXPECT_EQ(verdict.Removable, c.Removable);
    EXPECT_EQ(verdict.ZeroMet, c.ZeroMet);
}

std::vector<std::string> WrappedRows() {
    std::vector<std::string> rows(256, "ABC");  // minterm 7's count wraps to 0
    rows.push_back("a");
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemovalTestCases,
    testing::Values(TRemovalCase{"SoleCover", Overlapping, {2}, {}, false, false},
                    // Ac alone covers Abc (4); as a don't care it may go uncovered.
                    TRemovalCase{"SoleCoverOfADontCare", Overlapping, {2}, {4}, true, false},
                    TRemovalCase{"RowWithoutTerm", {"", "A", "a"}, {0}, {}, true, false},
                    TRemovalCase{"WrappedCount", WrappedRows(), {0}, {}, true, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ValidityTest, DontCaresCountOnlyWhereNoPlainTermCovers) {
    SetVarCount(3);
    const uint32_t high = ProgramState.HighMinterm;
    // The rows cover abC, which the editor names only as a don't care.
    EXPECT_TRUE(ValidityTest(EditorFunction(Masks({"AB", "BC", "Ac"}), Masks({"aC"}), high),
                             Cubes(Overlapping), {}));
    // The plain aC covers abC too, so dropping aC's row leaves a plain minterm uncovered.
    EXPECT_FALSE(ValidityTest(EditorFunction(Masks(Overlapping), Masks({"abC"}), high),
                              Cubes(Overlapping), {3}));
}

TEST(EditorFunction, CountsWithoutWrapping) {
    SetVarCount(3);
    const TEditorFunction editor = EditorFunction(Masks(std::vector<std::string>(300, "AB")),
                                                  Masks({"A"}), ProgramState.HighMinterm);
    EXPECT_EQ(editor.Counts[7], 300u);
    EXPECT_FALSE(editor.Free(7));
    EXPECT_TRUE(editor.Free(4));  // Abc: only the don't-care term covers it
    EXPECT_EQ(editor.Counts.size(), 8u);
}

TEST(OptimizeCandidates, UpToTenRowsWithMinAboveOneFromTheBottomUp) {
    EXPECT_EQ(OptimizeCandidates({0, 2, 1, 3}), (std::vector<int>{3, 1}));
    EXPECT_EQ(OptimizeCandidates(std::vector<int>(13, 2)),
              (std::vector<int>{12, 11, 10, 9, 8, 7, 6, 5, 4, 3}));
}

// Random small results: the searches choose the same rows as the literal ones.
TEST(ResultSearchDifferential, QuickOptimizeChoosesAsTheLiteralSearch) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 250; ++trial) {
        const int n = 3 + trial % 3;
        SetVarCount(n);
        std::vector<std::string> terms;
        const int count = 2 + static_cast<int>(random() % 14);
        for (int i = 0; i < count; ++i) {
            terms.push_back(RandomTerm(random, n));
        }
        TLiteralSearch literal;
        literal.Rows = terms;
        const std::vector<int> expected = literal.Quick();
        std::vector<int> joined;
        TQuickFeedback feedback;
        feedback.RowJoined = [&joined](int r) { joined.push_back(r); };
        const TQuickSelection selection =
            QuickOptimize(Cubes(terms), TDontCareTable{}, ProgramState.HighMinterm, feedback);
        ASSERT_EQ(selection.Rows, expected) << "trial " << trial;
        ASSERT_EQ(joined, expected) << "trial " << trial;
        ASSERT_FALSE(selection.ZeroMet) << "trial " << trial;
    }
}

TEST(ResultSearchDifferential, QuickOptimizeAgreesWhenCountsWrap) {
    std::mt19937 random(11);
    SetVarCount(3);
    int wrapped = 0;
    for (int trial = 0; trial < 20; ++trial) {
        // One term about 256 times and a few others: counts near 256 wrap, some to exactly 0.
        std::vector<std::string> terms(250 + random() % 8, RandomTerm(random, 3));
        for (int i = 0; i < 8; ++i) {
            terms.push_back(RandomTerm(random, 3));
        }
        std::shuffle(terms.begin(), terms.end(), random);
        TLiteralSearch literal;
        literal.Rows = terms;
        const std::vector<int> expected = literal.Quick();
        const TQuickSelection selection =
            QuickOptimize(Cubes(terms), TDontCareTable{}, ProgramState.HighMinterm);
        ASSERT_EQ(selection.Rows, expected) << "trial " << trial;
        ASSERT_EQ(selection.ZeroMet, literal.ZeroMet) << "trial " << trial;
        wrapped += literal.ZeroMet ? 1 : 0;
    }
    EXPECT_GT(wrapped, 0);  // some trials met a count that wrapped to 0
}

TEST(ResultSearchDifferential, CombinationSearchChoosesAsTheLiteralSearch) {
    std::mt19937 random(3);
    int searched = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 3 + trial % 3;
        SetVarCount(n);
        std::vector<std::string> terms;
        const int count = 3 + static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            terms.push_back(RandomTerm(random, n));
        }
        std::vector<std::string> editor = terms;
        if (trial % 7 == 0) {
            editor.push_back(RandomTerm(random, n));  // sometimes the editor moved on
        }
        TLiteralSearch literal;
        literal.Rows = terms;
        literal.Mins = Mins(terms);
        literal.Editor = editor;
        const std::vector<int> candidates = OptimizeCandidates(literal.Mins);
        ASSERT_EQ(candidates, literal.Candidates()) << "trial " << trial;
        if (candidates.size() < 3) {
            continue;
        }
        const std::vector<int> expected = literal.Optimized();
        const TEditorFunction function =
            EditorFunction(Masks(editor), {}, ProgramState.HighMinterm);
        ASSERT_EQ(BestCombination(function, Cubes(terms), candidates), expected)
            << "trial " << trial;
        searched += expected.size() >= 2 ? 1 : 0;
    }
    EXPECT_GT(searched, 20);  // the combination search itself was exercised
}

}  // namespace
