// The results window's removal tests, check clicks, searches, Remove and Undo last.
#include <QHeaderView>
#include <algorithm>
#include <array>
#include <random>

#include "ResultsTestSupport.h"

namespace {

bool Covers(const std::string& term, uint32_t m) {
    const TTermMasks masks = TermMasks(term);
    return (m & masks.Care) == masks.Hi;
}

// The searches step by step as the program's description gives them, on plain rows and a
// byte table of its own: slow, quadratic and obviously faithful.
class TLiteralSearch {
  public:
    std::vector<std::string> Rows;  // row r is Rows[r - 1]
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
                if (!Covers(t, m)) {
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
        for (size_t r = 1; r <= Rows.size(); ++r) {
            if (std::find(checkedRows.begin(), checkedRows.end(), r) == checkedRows.end()) {
                Plot(Rows[r - 1]);
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
        for (int r = static_cast<int>(Rows.size()); r >= 1; --r) {
            w.push_back(Rows[static_cast<size_t>(r - 1)]);
            if (Removal(w)) {
                kept.push_back(r);
            } else {
                w.pop_back();
            }
        }
        std::sort(kept.begin(), kept.end());
        return kept;
    }

    std::vector<int> Optimized() {
        std::vector<int> candidates;
        for (int r = static_cast<int>(Rows.size()); r >= 1 && candidates.size() < 10; --r) {
            if (Mins[static_cast<size_t>(r - 1)] > 1) {
                candidates.push_back(r);
            }
        }
        if (candidates.size() <= 2) {
            return candidates.empty() ? candidates : std::vector<int>{candidates[0]};
        }
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
        std::vector<int> rows = bestTag > 0 ? rowsOf(list[best]) : std::vector<int>{};
        std::sort(rows.begin(), rows.end());
        return rows;
    }

  private:
    void Plot(const std::string& term) {
        for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
            table[m] = static_cast<uint8_t>(table[m] + (Covers(term, m) ? 1 : 0));
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

}  // namespace

// Four rows: AB and BC can each go alone, but they share ABC, which nothing else covers.
class ResultsChecks : public ResultsTest {
  protected:
    void SetUp() override {
        ResultsTest::SetUp();
        SetVars(3);
        ShowTerms({"AB", "BC", "Ac", "aC"});
        SetEditor({"AB", "BC", "Ac", "aC"});
    }
};

TEST_F(ResultsChecks, EachCanGoAloneButNotTogether) {
    ClickCell(1, 1);
    EXPECT_EQ(W->Label3->text(), "1 can remove");
    EXPECT_EQ(G->col(), 2);
    ClickCell(1, 2);
    EXPECT_EQ(W->Label3->text(), "2 cant remove");
    EXPECT_EQ(Checked(), (std::vector<int>{1, 2}));
    ClickCell(1, 2, Qt::RightButton);  // any button; unchecking keeps the verdict
    EXPECT_EQ(Checked(), std::vector<int>{1});
    EXPECT_EQ(W->Label3->text(), "2 cant remove");
    ClickCell(1, 3);
    EXPECT_EQ(W->Label3->text(), "3 cant remove");
}

TEST_F(ResultsChecks, ClickOutsideTheCheckColumnMovesToTheTermColumn) {
    frmKmap->setCursorPos(5);
    ClickCell(0, 2);
    EXPECT_EQ(G->col(), 2);
    EXPECT_EQ(frmKmap->cursorPos(), 1);
    EXPECT_TRUE(Checked().empty());
    ClickCell(3, 2);
    EXPECT_EQ(G->col(), 3);
}

TEST_F(ResultsChecks, TitleRowCheckCellTogglesToo) {
    QHeaderView* header = G->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(1) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(G->cell(1, 0), "x");
    EXPECT_EQ(W->Label3->text(), "0 can remove");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(G->cell(1, 0), "");
}

TEST_F(ResultsChecks, RemovalTestLeavesTheTableAsFound) {
    for (uint32_t m = 0; m < 65536; ++m) {
        ProgramState.TruthTable[m] = static_cast<uint8_t>(m * 7);
    }
    const auto before = ProgramState.TruthTable;
    ClickCell(1, 1);
    ClickCell(1, 2);
    EXPECT_EQ(ProgramState.TruthTable, before);
}

struct TestRemoveCase {
    const char* Name;
    std::vector<int> Checks;
    QStringList Messages;
};

void PrintTo(const TestRemoveCase& c, std::ostream* out) {
    *out << c.Name;
}

class ResultsTestRemove : public ResultsChecks,
                          public testing::WithParamInterface<TestRemoveCase> {};

TEST_P(ResultsTestRemove, Verdict) {
    Check(GetParam().Checks);
    W->btnTestRemoving->click();
    EXPECT_EQ(prompter.messages, GetParam().Messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultsTestRemove,
    testing::Values(TestRemoveCase{"NothingChecked", {}, {}},
                    TestRemoveCase{"OneRedundant", {1}, {"Removable"}},
                    TestRemoveCase{"SharedLastCover", {1, 2}, {"Non removable"}},
                    TestRemoveCase{"SoleCover", {3}, {"Non removable"}},
                    TestRemoveCase{"Everything", {1, 2, 3, 4}, {"Cant remove all"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ResultsTest, RemovalTestReportsAZeroCountOnce) {
    SetVars(3);
    // 256 covers of one minterm wrap its count to 0.
    std::vector<TResultRow> rows(256, {"ABC", 1, 1});
    rows.push_back({"a", 1, 1});
    Show(rows);
    ClickCell(1, 1);
    EXPECT_EQ(prompter.messages, QStringList{"ERRRorr"});
    EXPECT_EQ(W->Label3->text(), "1 can remove");
}

TEST_F(ResultsChecks, ValidityTestComparesWithTheEditor) {
    W->btnTestNewData->click();
    SetEditor({"AB", "BC", "Ac", "aC", "abc"});
    W->btnTestNewData->click();
    SetEditor({"AB", "BC", "Ac", "aC"});
    Check({4});
    W->btnTestNewData->click();
    G->setCell(1, 4, "");
    Check({1});
    W->btnTestNewData->click();
    EXPECT_EQ(prompter.messages, QStringList({"New boolean strings ok", "Mismatch in new data",
                                              "Mismatch in new data", "New boolean strings ok"}));
}

TEST_F(ResultsChecks, ValidityTestLeavesTheEditorsCountsInTheTable) {
    SetEditor({"AB", " AB ", "c"});
    ProgramState.TruthTable.fill(9);
    W->btnTestNewData->click();
    EXPECT_EQ(ProgramState.TruthTable[7], 2);  // ABC
    EXPECT_EQ(ProgramState.TruthTable[6], 3);  // ABc
    EXPECT_EQ(ProgramState.TruthTable[1], 0);  // abC
    EXPECT_EQ(ProgramState.TruthTable[8], 0);  // beyond 3 variables
}

TEST_F(ResultsChecks, ClearChecksLeavesTheTitleRow) {
    Check({0, 1, 3});
    W->btnclearchecks->click();
    EXPECT_EQ(Checked(), std::vector<int>{0});
}

// Show Optimized on hand-made results; expected marks name the rows after the Min sort.
struct OptimizeCase {
    const char* Name;
    std::vector<std::string> Terms;
    std::vector<std::string> Editor;
    std::vector<std::string> Marked;
    QStringList Messages;
};

void PrintTo(const OptimizeCase& c, std::ostream* out) {
    *out << c.Name;
}

class ResultsShowOptimized : public ResultsTest,
                             public testing::WithParamInterface<OptimizeCase> {};

TEST_P(ResultsShowOptimized, MarksTheBestPassingSet) {
    const OptimizeCase& c = GetParam();
    SetVars(3);
    ShowTerms(c.Terms);
    SetEditor(c.Editor.empty() ? c.Terms : c.Editor);
    Check({1, 2});
    W->btnOptimize->click();
    EXPECT_EQ(W->rgSort->itemIndex(), 0);
    std::vector<std::string> marked;
    for (const int r : Checked()) {
        marked.push_back(G->cell(2, r).toStdString());
    }
    EXPECT_EQ(marked, c.Marked);
    EXPECT_EQ(prompter.messages, c.Messages);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultsShowOptimized,
    testing::Values(
        OptimizeCase{"AllMinOne", {"AB", "ab"}, {}, {}, {"This list cant be optimized further"}},
        OptimizeCase{"OneCandidate", {"A", "AB"}, {}, {"AB"}, {}},
        // Two candidates: the bottom one is marked without a test.
        OptimizeCase{"TwoCandidatesBottomOnly", {"A", "AB", "AC"}, {}, {"AC"}, {}},
        OptimizeCase{"OnlyTheFirstPairPasses", {"A", "Ab", "Ac", "BC"}, {}, {"Ab", "Ac"}, {}},
        OptimizeCase{"OnlyTheLastPairPasses", {"Bc", "ab", "AC", "BC", "C"}, {}, {"AC", "BC"}, {}},
        OptimizeCase{"FirstOfSeveralPairs", {"Ac", "C", "B", "a", "ac"}, {}, {"B", "ac"}, {}},
        OptimizeCase{"EditorChangedNothingPasses",
                     {"A", "Ab", "Ac", "BC"},
                     {"A", "Ab", "Ac", "BC", "abc"},
                     {},
                     {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ResultsTest, ShowOptimizedRefusesAGridWithoutTerms) {
    Show({});
    W->btnOptimize->click();
    EXPECT_EQ(prompter.messages, QStringList{"This result can not be further optimized"});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ResultsTest, ShowOptimizedLeavesTheEditorsCountsAfterASearch) {
    SetVars(3);
    ShowTerms({"A", "Ab", "Ac", "BC"});
    SetEditor({"A", "Ab", "Ac", "BC", "BC"});
    W->btnOptimize->click();
    EXPECT_EQ(ProgramState.TruthTable[3], 2);  // aBC twice in the editor
    EXPECT_EQ(ProgramState.TruthTable[7], 3);  // ABC: A and BC twice
}

TEST_F(ResultsChecks, QuickOptimizeGrowsFromTheBottomRow) {
    Check({1});
    W->btnquickoptimize->click();
    EXPECT_EQ(W->rgSort->itemIndex(), 0);
    // Min order: Ac, aC, AB, BC; BC goes first, then AB would take ABC's last cover.
    EXPECT_EQ(Terms(), (std::vector<std::string>{"Ac", "aC", "AB", "BC"}));
    EXPECT_EQ(Checked(), std::vector<int>{4});
    EXPECT_EQ(W->Label3->text(), "1 selected");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ResultsTest, QuickOptimizeWithNothingToDropSelectsNone) {
    SetVars(3);
    ShowTerms({"AB", "ab", "Ab"});
    W->btnquickoptimize->click();
    EXPECT_TRUE(Checked().empty());
    EXPECT_EQ(W->Label3->text(), "0 selected");
}

// Random small results: the window's searches mark the same rows as the literal ones.
class ResultsSearchDifferential : public ResultsTest {
  protected:
    TLiteralSearch GridAsLiteral(const std::vector<std::string>& editor) {
        TLiteralSearch literal;
        for (const auto& row : Rows()) {
            literal.Rows.push_back(row.Term);
            literal.Mins.push_back(row.Min);
        }
        literal.Editor = editor;
        return literal;
    }
};

TEST_F(ResultsSearchDifferential, QuickOptimizeMarksAsTheLiteralSearch) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 250; ++trial) {
        const int n = 3 + trial % 3;
        SetVars(n);
        std::vector<std::string> terms;
        const int count = 2 + static_cast<int>(random() % 14);
        for (int i = 0; i < count; ++i) {
            terms.push_back(RandomTerm(random, n));
        }
        ShowTerms(terms, 0);
        TLiteralSearch literal = GridAsLiteral(terms);
        const std::vector<int> expected = literal.Quick();
        prompter.messages.clear();
        W->btnquickoptimize->click();
        ASSERT_EQ(Checked(), expected) << "trial " << trial;
        ASSERT_EQ(W->Label3->text(), QString::number(expected.size()) + " selected");
        ASSERT_TRUE(prompter.messages.isEmpty());
    }
}

TEST_F(ResultsSearchDifferential, QuickOptimizeAgreesWhenCountsWrap) {
    std::mt19937 random(11);
    SetVars(3);
    int wrapped = 0;
    for (int trial = 0; trial < 20; ++trial) {
        // One term about 256 times and a few others: counts near 256 wrap, some to exactly 0.
        std::vector<std::string> terms(250 + random() % 8, RandomTerm(random, 3));
        for (int i = 0; i < 8; ++i) {
            terms.push_back(RandomTerm(random, 3));
        }
        std::shuffle(terms.begin(), terms.end(), random);
        ShowTerms(terms, 0);
        TLiteralSearch literal = GridAsLiteral(terms);
        const std::vector<int> expected = literal.Quick();
        prompter.messages.clear();
        W->btnquickoptimize->click();
        ASSERT_EQ(Checked(), expected) << "trial " << trial;
        ASSERT_EQ(prompter.messages.contains("ERRRorr"), literal.ZeroMet) << "trial " << trial;
        wrapped += literal.ZeroMet ? 1 : 0;
    }
    EXPECT_GT(wrapped, 0);  // some trials met a count that wrapped to 0
}

TEST_F(ResultsSearchDifferential, ShowOptimizedMarksAsTheLiteralSearch) {
    std::mt19937 random(3);
    int searched = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 3 + trial % 3;
        SetVars(n);
        std::vector<std::string> terms;
        const int count = 3 + static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            terms.push_back(RandomTerm(random, n));
        }
        std::vector<std::string> editor = terms;
        if (trial % 7 == 0) {
            editor.push_back(RandomTerm(random, n));  // sometimes the editor moved on
        }
        ShowTerms(terms, 0);
        SetEditor(editor);
        TLiteralSearch literal = GridAsLiteral(editor);
        const std::vector<int> expected = literal.Optimized();
        prompter.messages.clear();
        W->btnOptimize->click();
        ASSERT_EQ(Checked(), expected) << "trial " << trial;
        searched += expected.size() >= 2 ? 1 : 0;
    }
    EXPECT_GT(searched, 20);  // the combination search itself was exercised
}

// Remove and Undo last.
TEST_F(ResultsTest, RemoveNeedsTwoRowsAndSomeButNotAllChecked) {
    ShowTerms({"A"});
    Check({1});
    W->btnRemoveChecked->click();
    EXPECT_TRUE(prompter.messages.isEmpty());
    ShowTerms({"A", "B", "C"});
    W->btnRemoveChecked->click();
    Check({1, 2, 3});
    W->btnRemoveChecked->click();
    EXPECT_EQ(prompter.messages, QStringList({"Nothing selected", "Cant remove all"}));
    EXPECT_EQ(G->rowCountValue(), 4);
    EXPECT_FALSE(W->btnundolast->isEnabled());
}

TEST_F(ResultsTest, RemoveThenUndoBringsBackOnlyTheLastCheckedTerm) {
    ShowTerms({"A", "B", "C", "D"});
    Check({2, 3});
    W->btnRemoveChecked->click();
    EXPECT_EQ(Rows(), CountedRows({"A", "D"}));
    EXPECT_EQ(W->Label1->text(), "Tot=2");
    EXPECT_TRUE(W->btnundolast->isEnabled());
    EXPECT_EQ(W->lastRemovedTerm(), "C");
    W->btnundolast->click();
    // Alpha keeps the order handed over: the restored term is the last row.
    EXPECT_EQ(Rows(), CountedRows({"A", "D", "C"}));
    EXPECT_EQ(W->Label1->text(), "Tot=3");
    EXPECT_FALSE(W->btnundolast->isEnabled());
}

TEST_F(ResultsTest, RemoveAndUndoResortByAnotherChoice) {
    ShowTerms({"D", "AB", "C", "Ab"}, 3);
    EXPECT_EQ(Terms(), (std::vector<std::string>{"C", "D", "AB", "Ab"}));
    Check({1});
    W->btnRemoveChecked->click();
    EXPECT_EQ(Terms(), (std::vector<std::string>{"D", "AB", "Ab"}));
    W->btnundolast->click();
    EXPECT_EQ(Terms(), (std::vector<std::string>{"C", "D", "AB", "Ab"}));
}

TEST_F(ResultsTest, RankZeroAfterRemoveIsReportedOnce) {
    SetVars(3);
    // Without the last row, 256 copies of ABC wrap that minterm's count to 0.
    std::vector<TResultRow> rows(256, {"ABC", 1, 1});
    rows.push_back({"a", 1, 1});
    Show(rows);
    Check({257});
    W->btnRemoveChecked->click();
    EXPECT_EQ(prompter.messages, QStringList{"Error RANK ZERO"});
    EXPECT_EQ(W->Label1->text(), "Tot=256");
}
