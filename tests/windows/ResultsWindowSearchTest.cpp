// The results window's removal tests, check clicks, searches, Remove and Undo last.
#include <QHeaderView>

#include "ResultsTestSupport.h"

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
    std::vector<TRankedTerm> rows(256, {"ABC", 1, 1});
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

TEST_F(ResultsTest, QuickOptimizeReportsAZeroCountOnce) {
    SetVars(3);
    // The Min sort merges the repeats into row 1 and row 2 takes "a"; the rows below keep what
    // they held, so 256 ABC rows wrap the count of minterm 7 to 0.
    std::vector<TRankedTerm> rows(257, {"ABC", 1, 1});
    rows.push_back({"a", 1, 1});
    Show(rows);
    W->btnquickoptimize->click();
    EXPECT_EQ(prompter.messages, QStringList{"ERRRorr"});
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
    EXPECT_EQ(Rows(), RankedTerms({"A", "D"}, ProgramState.VarCount));
    EXPECT_EQ(W->Label1->text(), "Tot=2");
    EXPECT_TRUE(W->btnundolast->isEnabled());
    EXPECT_EQ(W->lastRemovedTerm(), "C");
    W->btnundolast->click();
    // Alpha keeps the order handed over: the restored term is the last row.
    EXPECT_EQ(Rows(), RankedTerms({"A", "D", "C"}, ProgramState.VarCount));
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
    std::vector<TRankedTerm> rows(256, {"ABC", 1, 1});
    rows.push_back({"a", 1, 1});
    Show(rows);
    Check({257});
    W->btnRemoveChecked->click();
    EXPECT_EQ(prompter.messages, QStringList{"Error RANK ZERO"});
    EXPECT_EQ(W->Label1->text(), "Tot=256");
}
