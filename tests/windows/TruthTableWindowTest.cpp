// The truth table window: its rows against the map, clicks on F reaching the map, CSV, 16 inputs.
#include <QClipboard>

#include "KmapTestSupport.h"
#include "windows/TruthTable.h"

namespace {

class TruthTableTest : public KmapTest {
  protected:
    void TearDown() override {
        frmTruthTable->hide();
        KmapTest::TearDown();
    }
    static TStringGrid* table() { return frmTruthTable->TruthGrid; }
    static QStringList Row(int row) {
        QStringList cells;
        for (int c = 0; c < table()->colCountValue(); ++c) {
            cells << table()->cell(c, row);
        }
        return cells;
    }
};

TEST_F(TruthTableTest, RowsFollowTheMapAndClicksOnFCycleTheMapCell) {
    UseVariables(3);
    map()->setCell(0, 0, "x");  // abc, minterm 0
    map()->setCell(2, 1, "-");  // ABC, minterm 7
    Trigger(frmKmap, "Truth table");
    ASSERT_TRUE(frmTruthTable->isVisible());
    EXPECT_EQ(frmTruthTable->windowTitle(), "Truth table");
    ASSERT_EQ(table()->rowCountValue(), 9);
    EXPECT_EQ(Row(0), (QStringList{"A", "B", "C", "F"}));
    EXPECT_EQ(Row(1), (QStringList{"0", "0", "0", "1"}));
    EXPECT_EQ(Row(7), (QStringList{"1", "1", "0", "0"}));
    EXPECT_EQ(Row(8), (QStringList{"1", "1", "1", "-"}));
    // aBc (minterm 2) is row 0, column 3 of the map: 0 → 1 → - → 0 there and here.
    for (const auto& [cell, f] : {std::pair{"x", "1"}, {"-", "-"}, {"", "0"}}) {
        ClickCell(table(), 3, 3);
        EXPECT_EQ(map()->cell(3, 0), cell);
        EXPECT_EQ(table()->cell(3, 3), f);
    }
    ClickCell(table(), 2, 3);  // an input is no switch
    EXPECT_EQ(map()->cell(3, 0), "");
}

TEST_F(TruthTableTest, CopyAsCsvPutsHeaderAndRowsOnTheClipboard) {
    UseVariables(3);
    map()->setCell(1, 1, "x");  // AbC, minterm 5
    map()->setCell(3, 0, "-");  // aBc, minterm 2
    frmKmap->mnuTruthTableClick();
    Trigger(frmTruthTable, "Copy as CSV");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "A,B,C,F\r\n0,0,0,0\r\n0,0,1,0\r\n0,1,0,-\r\n0,1,1,0\r\n"
              "1,0,0,0\r\n1,0,1,1\r\n1,1,0,0\r\n1,1,1,0\r\n");
}

TEST_F(TruthTableTest, SixteenVariablesChosenWhileOpenGiveEveryRow) {
    frmKmap->mnuTruthTableClick();
    UseVariables(16);
    ASSERT_EQ(table()->rowCountValue(), 65537);
    EXPECT_EQ(Row(65536).join(""), "11111111111111110");
    EXPECT_EQ(Row(0).last(), "F");
}

}  // namespace
