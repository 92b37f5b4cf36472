// Simplify from the K-map window: the editor's terms to the status text and the results grid.
#include "KmapTestSupport.h"
#include "engine/Simplify.h"
#include "windows/KmapResult.h"

#include <random>

namespace {

QStringList ResultRow(int row) {
    TStringGrid* grid = frmResult->Outputgrid;
    return {grid->cell(2, row), grid->cell(3, row), grid->cell(4, row)};
}

TEST_F(KmapTest, SimplifyShowsTheSearchCostAndTheResult) {
    SetTerms({"AB", "", " Ab ", "AB"});
    editor()->setCell(1, 1, "x");
    Trigger(frmKmap, "Simplify");
    EXPECT_TRUE(prompter.messages.isEmpty());
    const QString status = frmKmap->StatusBar->panelText(2);
    EXPECT_TRUE(status.startsWith("36 Strs procesed ")) << status.toStdString();
    EXPECT_TRUE(status.endsWith(" Sec")) << status.toStdString();
    for (uint32_t m = 0; m < 16; ++m) {
        EXPECT_EQ(ProgramState.TruthTable[m], m >= 8 ? 1 : 0) << m;  // coverage of A
    }
    EXPECT_TRUE(frmResult->isVisible());
    EXPECT_EQ(frmResult->Outputgrid->rowCountValue(), 2);
    EXPECT_EQ(ResultRow(1), (QStringList{"A", "1", "1"}));
}

TEST_F(KmapTest, SimplifyOfThreeVariablesFindsEachPrimeOnce) {
    UseVariables(3);
    SetTerms({"AB", "aB", "Ab"});
    Trigger(frmKmap, "Simplify");
    EXPECT_TRUE(frmKmap->StatusBar->panelText(2).startsWith("21 Strs procesed "));
    EXPECT_EQ(frmResult->Outputgrid->rowCountValue(), 3);
    EXPECT_EQ(ResultRow(1), (QStringList{"A", "1", "2"}));
    EXPECT_EQ(ResultRow(2), (QStringList{"B", "1", "2"}));
}

TEST_F(KmapTest, SimplifyOfTheMapImportsItFirst) {
    for (int c = 0; c < 4; ++c) {
        map()->setCell(c, 2, "x");  // AB
        map()->setCell(c, 3, "x");  // Ab
    }
    Trigger(frmKmap, "Simplify KMAP Grid");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "8 Terms were imported");
    EXPECT_EQ(EditorTerms().size(), 8);
    EXPECT_TRUE(frmKmap->StatusBar->panelText(2).startsWith("36 Strs procesed "));
    EXPECT_EQ(ResultRow(1), (QStringList{"A", "1", "1"}));
}

struct RefusalCase {
    const char* name;
    int vars;
    QStringList terms;
    QString message;
    bool searched;  // the status text is written when the search ran
};

class SimplifyRefusal : public KmapTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(SimplifyRefusal, ShowsWhyThereIsNoResult) {
    const RefusalCase& c = GetParam();
    UseVariables(c.vars);
    SetTerms(c.terms);
    ProgramState.TruthTable[1] = 9;
    frmKmap->mnuNewSimplifyClick();
    EXPECT_EQ(prompter.messages, QStringList{c.message});
    EXPECT_EQ(frmKmap->StatusBar->panelText(2).isEmpty(), !c.searched);
    if (!c.searched) {
        EXPECT_EQ(ProgramState.TruthTable[1], 9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Editors, SimplifyRefusal,
    testing::Values(
        RefusalCase{"Empty", 4, {"", "   "}, "Editor is empty", false},
        RefusalCase{"LetterBeyondCount", 6, {"AB", "AG"}, "Boolean string AG is invalid", false},
        RefusalCase{"Contradiction", 4, {"Aa"}, "Boolean string  is invalid", false},
        RefusalCase{"ConstantHi", 4, {"A", "a"}, "Simplification result is HI", true}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

// Ranking a dense 16-variable function raises "Error RANK ZERO" for many terms; the user
// sees it once, not once per term.
TEST_F(KmapTest, RankZeroIsShownOncePerSimplify) {
    UseVariables(16);
    std::mt19937 rng(3);
    for (uint32_t m = 0; m <= ProgramState.HighMinterm; ++m) {
        ProgramState.TruthTable[m] = rng() % 10 != 0 ? 1 : 0;
    }
    frmKmap->TableToEditor();
    std::vector<std::string> texts;
    for (int row = 1; row < editor()->rowCountValue(); ++row) {
        texts.push_back(editor()->cell(2, row).toStdString());
    }
    ASSERT_GT(SimplifyTerms(texts, StateTables()).RankZeroCount, 1);
    prompter.messages.clear();
    frmKmap->mnuNewSimplifyClick();
    EXPECT_EQ(prompter.messages.count("Error RANK ZERO"), 1);
    EXPECT_TRUE(frmResult->isVisible());
    frmResult->hide();
}

}  // namespace
