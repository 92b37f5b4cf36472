// The K-map window's Karnaugh map: layout, labels, cells under the mouse, commands, highlights.
#include <QMenu>

#include "KmapTestSupport.h"

namespace {

struct LayoutCase {
    int vars;
    int rows;
    int cols;
    int cellWidth;
    int cellHeight;
};

class MapLayout : public KmapTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(MapLayout, ShapeCellSizeAndStripsFollowTheVariableCount) {
    const LayoutCase& c = GetParam();
    map()->setCell(0, 0, "x");
    UseVariables(c.vars);
    const int line = c.vars <= 8 ? 1 : 0;
    EXPECT_EQ(map()->rowCountValue(), c.rows);
    EXPECT_EQ(map()->colCountValue(), c.cols);
    EXPECT_EQ(map()->colWidth(c.cols - 1), c.cellWidth + line);
    EXPECT_EQ(map()->rowHeight(c.rows - 1), c.cellHeight + line);
    EXPECT_EQ(map()->width(), (c.cellWidth + 1) * c.cols + 10);
    EXPECT_EQ(map()->height(), (c.cellHeight + 1) * c.rows + 10);
    EXPECT_EQ(frmKmap->ImageCol->width(), map()->width());
    EXPECT_EQ(frmKmap->ImageRow->height(), map()->height());
    EXPECT_EQ(map()->cell(0, 0), "");
    EXPECT_EQ(editor()->col(), 1);
    // The whole map can be scrolled into view.
    EXPECT_GE(frmKmap->MapBox->widget()->width(), map()->geometry().right());
    EXPECT_GE(frmKmap->MapBox->widget()->height(), map()->geometry().bottom());
}

INSTANTIATE_TEST_SUITE_P(
    Counts, MapLayout,
    testing::Values(LayoutCase{3, 2, 4, 18, 18}, LayoutCase{4, 4, 4, 18, 18},
                    LayoutCase{6, 8, 8, 18, 18}, LayoutCase{8, 16, 16, 18, 18},
                    LayoutCase{9, 16, 32, 10, 20}, LayoutCase{10, 32, 32, 10, 9},
                    LayoutCase{11, 32, 64, 4, 9}, LayoutCase{12, 64, 64, 4, 4},
                    LayoutCase{13, 64, 128, 1, 4}, LayoutCase{14, 128, 128, 1, 1},
                    LayoutCase{15, 128, 256, 3, 3}, LayoutCase{16, 256, 256, 3, 3}),
    [](const testing::TestParamInfo<LayoutCase>& info) {
        return std::to_string(info.param.vars) + "Vars";
    });

TEST_F(KmapTest, FourVariableLabelsFollowGrayOrder) {
    EXPECT_EQ(frmKmap->rowVarCount(), 2);
    EXPECT_EQ(frmKmap->colVarCount(), 2);
    const QStringList rows = {frmKmap->rowLabel(0), frmKmap->rowLabel(1), frmKmap->rowLabel(2),
                              frmKmap->rowLabel(3)};
    const QStringList cols = {frmKmap->colLabel(0), frmKmap->colLabel(1), frmKmap->colLabel(2),
                              frmKmap->colLabel(3)};
    EXPECT_EQ(rows, (QStringList{"ab", "aB", "AB", "Ab"}));
    EXPECT_EQ(cols, (QStringList{"cd", "cD", "CD", "Cd"}));
}

TEST_F(KmapTest, StripsBarTheLowLettersOnly) {
    // Row strip: label i starts at y = 19 i + 2, its bars on that line. Column strip: the same
    // drawing turned a quarter, so label i's bars stand in pixel column 19 i + 2.
    const QImage rows = frmKmap->ImageRow->picture();
    const QImage cols = frmKmap->ImageCol->picture();
    auto blackInRow = [&](int y) {
        for (int x = 0; x < rows.width(); ++x) {
            if (QColor(rows.pixel(x, y)) == QColor(Qt::black)) {
                return true;
            }
        }
        return false;
    };
    auto blackInColumn = [&](int x) {
        for (int y = 0; y < cols.height(); ++y) {
            if (QColor(cols.pixel(x, y)) == QColor(Qt::black)) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(blackInRow(2));            // ab
    EXPECT_TRUE(blackInRow(19 + 2));       // aB
    EXPECT_FALSE(blackInRow(2 * 19 + 2));  // AB
    EXPECT_TRUE(blackInColumn(2));         // cd
    EXPECT_FALSE(blackInColumn(2 * 19 + 2));
    EXPECT_TRUE(blackInColumn(3 * 19 + 2));  // Cd
    // The column labels read upwards: their letters sit in the strip's lower part.
    EXPECT_EQ(QColor(cols.pixel(2, 2)), QColor(255, 255, 0));
}

TEST_F(KmapTest, LargeMapsHavePlainStrips) {
    UseVariables(9);
    for (const QImage& strip : {frmKmap->ImageRow->picture(), frmKmap->ImageCol->picture()}) {
        const QRgb fill = strip.pixel(0, 0);
        bool plain = true;
        for (int y = 0; y < strip.height(); ++y) {
            for (int x = 0; x < strip.width(); ++x) {
                plain = plain && strip.pixel(x, y) == fill;
            }
        }
        EXPECT_TRUE(plain);
    }
}

struct CellCase {
    const char* name;
    int vars;
    int row;
    int col;
    QString term;
};

class MapCellTerm : public KmapTest, public testing::WithParamInterface<CellCase> {};

TEST_P(MapCellTerm, PointerOverACellNamesItsMinterm) {
    const CellCase& c = GetParam();
    UseVariables(c.vars);
    QApplication::processEvents();
    MoveOver(map(), map()->cellRect(c.col, c.row).center());
    EXPECT_EQ(frmKmap->StatusBar->panelText(3), c.term);
    const QRect last = map()->cellRect(map()->colCountValue() - 1, c.row);
    MoveOver(map(), QPoint(last.right() + 3, last.center().y()));
    EXPECT_EQ(frmKmap->StatusBar->panelText(3), "");
}

INSTANTIATE_TEST_SUITE_P(Cells, MapCellTerm,
                         testing::Values(CellCase{"Row2Col3", 4, 2, 3, "ABCd"},
                                         CellCase{"TopLeft", 4, 0, 0, "abcd"},
                                         CellCase{"ThreeVars", 3, 1, 2, "ABC"},
                                         CellCase{"NineVars", 9, 0, 1, "abcdefghI"},
                                         CellCase{"SixteenVars", 16, 255, 2, "AbcdefghijklmnOP"}),
                         [](const testing::TestParamInfo<CellCase>& info) {
                             return info.param.name;
                         });

TEST_F(KmapTest, LeftClickTogglesACellRightClickDoesNot) {
    frmKmap->ClearAll2Click();
    ClickCell(map(), 1, 2);
    EXPECT_EQ(map()->cell(1, 2), "x");
    ClickCell(map(), 1, 2, Qt::RightButton);
    frmKmap->PopupMenuKmapGrid->hide();
    EXPECT_EQ(map()->cell(1, 2), "x");
    ClickCell(map(), 1, 2);
    EXPECT_EQ(map()->cell(1, 2), "");
}

TEST_F(KmapTest, SixteenVariableCellsCanBeClicked) {
    UseVariables(16);
    QApplication::processEvents();
    const QRect cell = map()->cellRect(200, 100);
    EXPECT_GE(cell.width(), 3);
    frmKmap->MapBox->ensureVisible(map()->x() + cell.center().x(), map()->y() + cell.center().y());
    ClickCell(map(), 200, 100);
    EXPECT_EQ(map()->cell(200, 100), "x");
    EXPECT_EQ(OnCells().size(), 1);
}

TEST_F(KmapTest, InvertAndClearRewriteEveryCell) {
    map()->setCell(0, 0, "x");
    map()->setCell(1, 0, " ");
    Trigger(frmKmap, "Invert KMP grid data");
    EXPECT_EQ(map()->cell(0, 0), " ");
    EXPECT_EQ(map()->cell(1, 0), "x");
    EXPECT_EQ(OnCells().size(), 15);
    Trigger(frmKmap, "Clear All");
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(map()->cell(c, r), " ");
        }
    }
}

struct RandomCase {
    int vars;
    int filledRows;
    int filledCols;
};

class MapRandom : public KmapTest, public testing::WithParamInterface<RandomCase> {};

TEST_P(MapRandom, FillsOnlyTheTopLeftBlock) {
    UseVariables(GetParam().vars);
    for (int r = 0; r < map()->rowCountValue(); ++r) {
        for (int c = 0; c < map()->colCountValue(); ++c) {
            map()->setCell(c, r, "q");
        }
    }
    Trigger(frmKmap, "Put Random Data");
    for (int r = 0; r < map()->rowCountValue(); ++r) {
        for (int c = 0; c < map()->colCountValue(); ++c) {
            const bool inside = r < GetParam().filledRows && c < GetParam().filledCols;
            const QString text = map()->cell(c, r);
            if (inside) {
                EXPECT_TRUE(text == "x" || text == " ") << r << "," << c;
            } else {
                EXPECT_EQ(text, "q") << r << "," << c;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, MapRandom,
                         testing::Values(RandomCase{3, 2, 4}, RandomCase{6, 8, 8},
                                         RandomCase{9, 8, 8}),
                         [](const testing::TestParamInfo<RandomCase>& info) {
                             return std::to_string(info.param.vars) + "Vars";
                         });

TEST_F(KmapTest, ImportWritesTheOnCellsRowByRow) {
    SetTerms({"AB", "cd", "D"});
    editor()->setCell(1, 2, "x");
    map()->setCell(3, 2, "x");
    map()->setCell(0, 0, "x");
    map()->setCell(1, 3, " ");
    Trigger(frmKmap, "Import from KMAP grid");
    EXPECT_EQ(EditorTerms(), (QStringList{"abcd", "ABCd"}));
    EXPECT_EQ(editor()->cell(1, 2), "");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "2 Terms were imported");
}

TEST_F(KmapTest, ImportOfAnEmptyMapClearsTheEditor) {
    SetTerms({"AB"});
    frmKmap->ClearAll2Click();
    Trigger(frmKmap, "Show data in Main Input Grid");
    EXPECT_TRUE(EditorTerms().isEmpty());
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "0 Terms were imported");
}

TEST_F(KmapTest, ImportOfAFullSixteenVariableMapGrowsTheEditor) {
    UseVariables(16);
    Trigger(frmKmap, "Invert KMP grid data");
    Trigger(frmKmap, "Show KMAP grid in  Editor");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "65536 Terms were imported");
    ASSERT_EQ(editor()->rowCountValue(), 65537);
    EXPECT_EQ(editor()->cell(2, 1), "abcdefghijklmnop");
    EXPECT_EQ(editor()->cell(2, 65536), "AbcdefghIjklmnop");
}

TEST_F(KmapTest, ShowDataPlotsTheEditorTermsAndFillsTheTable) {
    SetTerms({" Ca ", "", "ABCD", "ABCD"});
    map()->setCell(1, 1, "x");
    Trigger(frmKmap, "Show data in KMAP Grid");
    QStringList on = OnCells();
    on.sort();
    EXPECT_EQ(on, (QStringList{"ABCD", "aBCD", "aBCd", "abCD", "abCd"}));
    EXPECT_EQ(frmBooleanClac->StatusBar->panelText(3), "5 blocks");
    for (uint32_t m = 0; m < 16; ++m) {
        const int expected = (m == 2 || m == 3 || m == 6 || m == 7) ? 1 : (m == 15 ? 2 : 0);
        EXPECT_EQ(ProgramState.TruthTable[m], expected) << m;
    }
}

struct InvalidCase {
    const char* name;
    int vars;
    QString term;
    QString message;
};

class MapShowInvalid : public KmapTest, public testing::WithParamInterface<InvalidCase> {};

TEST_P(MapShowInvalid, StopsWithTheMapAndTableUnchanged) {
    UseVariables(GetParam().vars);
    SetTerms({"A", GetParam().term, "B"});
    map()->setCell(2, 1, "x");
    ProgramState.TruthTable[5] = 7;
    Trigger(frmKmap, "Show data in KMAP Grid");
    EXPECT_EQ(prompter.messages, QStringList{GetParam().message});
    EXPECT_EQ(OnCells().size(), 1);
    EXPECT_EQ(ProgramState.TruthTable[5], 7);
}

INSTANTIATE_TEST_SUITE_P(
    Terms, MapShowInvalid,
    testing::Values(InvalidCase{"LetterBeyondCount", 6, "AG", "Boolean string AG is invalid"},
                    InvalidCase{"BlankInside", 6, "Ab c", "Boolean string Ab c is invalid"},
                    InvalidCase{"BothCases", 4, " Aba ", "Boolean string  is invalid"},
                    InvalidCase{"TooLong", 3, "ABCD", "Boolean string ABCD is invalid"}),
    [](const testing::TestParamInfo<InvalidCase>& info) { return info.param.name; });

TEST_F(KmapTest, PlotCountsEveryCellOnceAndReportsOnTheCalculator) {
    PlotSumOfProducts(map(), "A+AB+A+\r\nab");
    EXPECT_EQ(OnCells().size(), 12);
    EXPECT_EQ(frmBooleanClac->StatusBar->panelText(3), "12 blocks");
    PlotSumOfProducts(map(), "");
    EXPECT_TRUE(OnCells().isEmpty());
    EXPECT_EQ(map()->cell(0, 0), "");
    EXPECT_EQ(frmBooleanClac->StatusBar->panelText(3), "0 blocks");
}

TEST_F(KmapTest, PlotSkipsTermsTheCheckRejects) {
    PlotSumOfProducts(map(), "AE+Bb+d");
    QStringList on = OnCells();
    on.sort();
    EXPECT_EQ(on, (QStringList{"ABCd", "ABcd", "AbCd", "Abcd", "aBCd", "aBcd", "abCd", "abcd"}));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

struct CalcLayoutCase {
    int vars;
    int rows;
    int cols;
    int cell;
};

class CalculatorMapLayout : public KmapTest, public testing::WithParamInterface<CalcLayoutCase> {};

TEST_P(CalculatorMapLayout, SizesTheCalculatorGridOnly) {
    const CalcLayoutCase& c = GetParam();
    UseVariables(c.vars);
    TStringGrid* grid = frmBooleanClac->KmapGrid;
    grid->setCell(0, 0, "x");
    const QSize kmapSize = map()->size();
    LayoutCalcMap(c.vars);
    EXPECT_EQ(grid->rowCountValue(), c.rows);
    EXPECT_EQ(grid->colCountValue(), c.cols);
    EXPECT_EQ(grid->colWidth(0), c.cell + 1);
    EXPECT_EQ(grid->rowHeight(0), c.cell + 1);
    EXPECT_EQ(grid->width(), (c.cell + 1) * c.cols + 20);
    EXPECT_EQ(grid->height(), (c.cell + 1) * c.rows + 20);
    EXPECT_EQ(grid->cell(0, 0), "");
    EXPECT_EQ(map()->size(), kmapSize);
}

INSTANTIATE_TEST_SUITE_P(Counts, CalculatorMapLayout,
                         testing::Values(CalcLayoutCase{6, 8, 8, 17}, CalcLayoutCase{7, 8, 16, 17},
                                         CalcLayoutCase{12, 64, 64, 17},
                                         CalcLayoutCase{13, 64, 128, 10}),
                         [](const testing::TestParamInfo<CalcLayoutCase>& info) {
                             return std::to_string(info.param.vars) + "Vars";
                         });

TEST_F(KmapTest, HiliteNeedsACheckedRow) {
    SetTerms({"AB"});
    Trigger(frmKmap, "HiLite");
    EXPECT_EQ(prompter.messages,
              QStringList{"You must check mark the terms you want to be hilighted"});
    EXPECT_FALSE(frmKmap->Timer1->isActive());
}

TEST_F(KmapTest, HiliteShowsTheCheckedTermsUntilTheTimerTicks) {
    SetTerms({"Bd", "ac", "abcd"});
    editor()->setCell(1, 1, "x");
    editor()->setCell(1, 3, "x");
    Trigger(frmKmap, "HiLite");
    QStringList lit;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (frmKmap->isHighlighted(c, r)) {
                lit << frmKmap->cellTerm(c, r);
            }
        }
    }
    lit.sort();
    EXPECT_EQ(lit, (QStringList{"ABCd", "ABcd", "aBCd", "aBcd", "abcd"}));
    EXPECT_TRUE(frmKmap->Timer1->isActive());
    EXPECT_EQ(frmKmap->Timer1->interval(), 1000);
    EXPECT_TRUE(prompter.messages.isEmpty());
    const QImage shot = map()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(map()->cellRect(0, 1).center())), QColor(255, 255, 0));
    frmKmap->Timer1Timer();
    EXPECT_FALSE(frmKmap->Timer1->isActive());
    EXPECT_FALSE(frmKmap->isHighlighted(0, 1));
}

TEST_F(KmapTest, HiliteOfBlankAndEmptyCheckedRows) {
    editor()->setCell(2, 1, QString(16, ' '));
    editor()->setCell(1, 1, "x");
    Trigger(frmKmap, "HiLite");
    EXPECT_TRUE(frmKmap->isHighlighted(0, 0));
    EXPECT_TRUE(frmKmap->isHighlighted(3, 3));
    frmKmap->Timer1Timer();
    editor()->setCell(2, 1, "");
    Trigger(frmKmap, "HiLite");
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_FALSE(frmKmap->isHighlighted(0, 0));
    EXPECT_FALSE(frmKmap->Timer1->isActive());
}

TEST_F(KmapTest, CellsDrawBlackWhenOn) {
    frmKmap->ClearAll2Click();
    map()->setCell(2, 1, "x");
    QApplication::processEvents();
    const QImage shot = map()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(map()->cellRect(2, 1).center())), QColor(Qt::black));
    EXPECT_EQ(QColor(shot.pixel(map()->cellRect(1, 1).center())), QColor(Qt::white));
}

}  // namespace
