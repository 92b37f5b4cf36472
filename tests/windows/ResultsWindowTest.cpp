// The results window: its controls, the hand-off, exports, find box, painting and sorting.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "ResultsTestSupport.h"

namespace {

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

QStringList MenuCaptions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        captions << (action->isSeparator() ? QString("-") : action->text());
    }
    return captions;
}

}  // namespace

TEST(ResultsWindowStart, ControlsAsDesigned) {
    TfrmResult fresh;
    fresh.show();
    EXPECT_EQ(fresh.windowTitle(), "QUILLON Simplification Results");
    EXPECT_EQ(fresh.centralWidget()->size(), QSize(377, 601));
    EXPECT_EQ(fresh.palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_FALSE(fresh.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(fresh.btnundolast->isEnabled());
    EXPECT_EQ(fresh.rgSort->itemIndex(), 2);
    EXPECT_EQ(fresh.Label1->text(), "Tot=");
    EXPECT_EQ(fresh.Label3->text(), "Label3");
    EXPECT_EQ(fresh.Outputgrid->rowCountValue(), 256);
    EXPECT_EQ(fresh.Outputgrid->fixedRows(), 1);
    EXPECT_EQ(fresh.Outputgrid->defaultRowHeight(), 19);
    EXPECT_EQ(fresh.Outputgrid->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(fresh.Edit1->maxLength(), 16);
    EXPECT_EQ(fresh.SpeedButton1->toolTip(), "Goto last row");
    EXPECT_EQ(fresh.SpeedButton2->toolTip(), "Goto 1st row");
    EXPECT_EQ(fresh.Outputgrid->toolTip(),
              "Right click on this grid in-order to\r\nsee the menu and the options for it.\r\n"
              "This is a READ ONLY editor !");
    const int widths[] = {20, 17, 140, 24, 29};
    ASSERT_EQ(fresh.Outputgrid->colCountValue(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(fresh.Outputgrid->colWidth(c), widths[c]) << c;
    }
    QStringList sortItems;
    for (int i = 0; i < fresh.rgSort->count(); ++i) {
        sortItems << fresh.rgSort->button(i)->text();
    }
    EXPECT_EQ(sortItems, QStringList({"Min", "Max", "Alpha", "Length"}));
}

struct ControlCase {
    const char* Name;
    QString Caption;
    QRect Geometry;
};

void PrintTo(const ControlCase& c, std::ostream* out) {
    *out << c.Name;
}

class ResultsControls : public testing::TestWithParam<ControlCase> {};

TEST_P(ResultsControls, NameCaptionAndPlace) {
    const ControlCase& c = GetParam();
    auto* control = frmResult->findChild<QWidget*>(c.Name);
    ASSERT_NE(control, nullptr);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        EXPECT_EQ(button->text(), c.Caption);
    }
    EXPECT_EQ(control->geometry(), c.Geometry);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ResultsControls,
    testing::Values(ControlCase{"btnclearchecks", "Clear CHK", {280, 48, 70, 22}},
                    ControlCase{"btnTestRemoving", "Test Remove", {280, 76, 81, 25}},
                    ControlCase{"btnRemoveChecked", "Remove", {280, 105, 65, 25}},
                    ControlCase{"Button1", "HiLite", {280, 133, 65, 21}},
                    ControlCase{"btnTestNewData", "Validity Test", {280, 157, 78, 24}},
                    ControlCase{"btnundolast", "Undo last", {280, 184, 65, 21}},
                    ControlCase{"btnOptimize", "Show Optimized", {280, 211, 89, 25}},
                    ControlCase{"btnquickoptimize", "Quick Optimize", {280, 240, 89, 25}},
                    ControlCase{"btnMinimumCover", "Minimum cover", {280, 478, 89, 25}},
                    ControlCase{"btnShowGroups", "Show groups", {280, 574, 89, 25}},
                    ControlCase{"rgSort", "", {276, 292, 77, 105}},
                    ControlCase{"SpeedButton1", "L", {5, 3, 23, 19}},
                    ControlCase{"SpeedButton2", "F", {228, 3, 23, 19}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ResultsMenus, ActionAndPopupListTheSameCommandsInOrder) {
    const QStringList expected = {"Save  ALL to Clipboard",
                                  "Save Sel to Clipboard",
                                  "Save as Text File",
                                  "Save as BIN Image File",
                                  "Copy to Main KMAP",
                                  "Translate",
                                  "-",
                                  "Save to clip AS long Line",
                                  "Copy to Z input of calculator",
                                  "-",
                                  "Export as…",
                                  "-",
                                  "Minimum cover",
                                  "Show groups",
                                  "Explain",
                                  "Next minimum"};
    auto* popup = frmResult->findChild<QMenu*>("PopupMenuResults");
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(MenuCaptions(popup), expected);
    QMenu* action = nullptr;
    for (QAction* top : frmResult->menuBar()->actions()) {
        if (top->text() == "Action") {
            action = top->menu();
        }
    }
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(MenuCaptions(action), expected);
    EXPECT_FALSE(FindAction(frmResult, "Translate")->isEnabled());
}

TEST_F(ResultsTest, HandOffFillsTheGridAndShowsTheWindow) {
    W->btnundolast->setEnabled(true);
    G->setCell(1, 0, "x");
    G->setCell(2, 0, "junk");
    Show({{"b", 2, 3}, {"AB", 1, 2}, {"Cd", 70000 % 65536, 255}});
    EXPECT_TRUE(W->isVisible());
    EXPECT_EQ(G->rowCountValue(), 4);
    EXPECT_EQ(W->Label1->text(), "Tot=3");
    EXPECT_FALSE(W->btnundolast->isEnabled());
    EXPECT_EQ(G->cell(1, 0), "");
    EXPECT_EQ(G->cell(2, 0), "");
    EXPECT_EQ(G->row(), 1);
    // Alpha keeps the order handed over.
    EXPECT_EQ(Rows(), (std::vector<TRankedTerm>{{"b", 2, 3}, {"AB", 1, 2}, {"Cd", 4464, 255}}));
}

TEST_F(ResultsTest, HandOffEmptiesCheckMarksAndRestoresAMinimizedWindow) {
    ShowTerms({"AB", "aB", "Cd"});
    Check({1, 2});
    W->showMinimized();
    ShowTerms({"AB", "aB"});
    EXPECT_TRUE(Checked().empty());
    EXPECT_FALSE(W->isMinimized());
}

TEST_F(ResultsTest, HandOffResortsByAChoiceOtherThanAlpha) {
    Show({{"b", 2, 3}, {"AB", 1, 2}}, 0);
    EXPECT_EQ(Terms(), (std::vector<std::string>{"AB", "b"}));
}

TEST_F(ResultsTest, ClipboardExports) {
    Show({{"AB", 1, 1}, {"cD", 1, 1}, {"abcd", 1, 1}});
    Trigger(W, "Save  ALL to Clipboard");
    EXPECT_EQ(Clipboard(), "AB\r\ncD\r\nabcd\r\n");
    Trigger(W, "Save to clip AS long Line");
    EXPECT_EQ(Clipboard(), "AB+cD+abcd");
    QGuiApplication::clipboard()->setText("old");
    Trigger(W, "Save Sel to Clipboard");
    EXPECT_EQ(Clipboard(), "");
    Check({1, 3});
    Trigger(W, "Save Sel to Clipboard");
    EXPECT_EQ(Clipboard(), "AB\r\nabcd\r\n");
}

TEST_F(ResultsTest, ExportsTrimAndCutTermsAndSkipEmptyRows) {
    Show({{" AB ", 1, 1}, {"  ", 1, 1}, {"ABCDEFGHIJKLMNOPQ", 1, 1}});
    Trigger(W, "Save  ALL to Clipboard");
    EXPECT_EQ(Clipboard(), "AB\r\nABCDEFGHIJKLMNOP\r\n");
    Trigger(W, "Save to clip AS long Line");
    EXPECT_EQ(Clipboard(), "AB+ABCDEFGHIJKLMNOP");
}

TEST_F(ResultsTest, CopyToZInputSetsTheCalculatorsZ) {
    Show({{"AB", 1, 1}, {"cD", 1, 1}});
    Trigger(W, "Copy to Z input of calculator");
    EXPECT_EQ(frmBooleanClac->edtZinput->text(), "AB+cD");
}

TEST_F(ResultsTest, SaveAsTextFileWritesOneTermPerLine) {
    QTemporaryDir dir;
    const QString name = dir.filePath("terms.txt");
    Show({{"AB", 1, 1}, {"cD", 1, 1}});
    prompter.fileAnswers.push_back({true, name, 2});
    Trigger(W, "Save as Text File");
    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(prompter.fileRequests[0].Title, "Save Boolean Terms");
    EXPECT_EQ(prompter.fileRequests[0].Filter, "Ascii Text Files|*.TXT|Binary Image Files|*.BIN");
    EXPECT_EQ(prompter.fileRequests[0].DefaultExt, "TXT");
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("AB\r\ncD\r\n"));
    EXPECT_EQ(prompter.messages, QStringList{"2 Lines was saved"});
}

TEST_F(ResultsTest, SaveAsTextFileOfAnEmptyGridCreatesAnEmptyFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath("none.txt");
    Show({});
    prompter.fileAnswers.push_back({true, name, 1});
    Trigger(W, "Save as Text File");
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(QFile(name).size(), 0);
    EXPECT_EQ(prompter.messages, QStringList{"0 Lines was saved"});
}

TEST_F(ResultsTest, SaveAsTextFileCancelledOrFailingShowsNoCount) {
    Show({{"AB", 1, 1}});
    Trigger(W, "Save as Text File");
    EXPECT_TRUE(prompter.messages.isEmpty());
    QTemporaryDir dir;
    prompter.fileAnswers.push_back({true, dir.path(), 1});  // a folder cannot be written
    Trigger(W, "Save as Text File");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_FALSE(prompter.messages[0].endsWith(" Lines was saved"));
}

TEST_F(ResultsTest, CopyToMainKmapWritesTermsWithoutGaps) {
    SetEditor({"x1", "x2", "x3", "x4"});
    Show({{"AB", 1, 1}, {"", 1, 1}, {"cD", 1, 1}});
    Trigger(W, "Copy to Main KMAP");
    EXPECT_EQ(frmKmap->inputgrid->cell(2, 1), "AB");
    EXPECT_EQ(frmKmap->inputgrid->cell(2, 2), "cD");
}

TEST_F(ResultsTest, CopyToMainKmapLengthensAShortEditor) {
    frmKmap->inputgrid->setRowCount(2);
    Show({{"AB", 1, 1}, {"cD", 1, 1}, {"Ab", 1, 1}});
    Trigger(W, "Copy to Main KMAP");
    ASSERT_GE(frmKmap->inputgrid->rowCountValue(), 4);
    EXPECT_EQ(frmKmap->inputgrid->cell(2, 3), "Ab");
}

TEST_F(ResultsTest, FindBoxChecksEqualRowsAndKeepsMarks) {
    Show({{"AB", 1, 1}, {"cD", 1, 1}, {"Abc", 1, 1}});
    QTest::keyClicks(W->Edit1, "cD");
    EXPECT_EQ(Checked(), std::vector<int>{2});
    EXPECT_EQ(W->Edit1->palette().color(QPalette::Base), QColor(0, 128, 0));
    W->Edit1->setText("cDx");
    EXPECT_EQ(Checked(), std::vector<int>{2});
    EXPECT_EQ(W->Edit1->palette().color(QPalette::Base), QColor(255, 255, 0));
    W->Edit1->setText("cd");  // case counts
    EXPECT_EQ(Checked(), std::vector<int>{2});
    W->Edit1->setText("");
    EXPECT_EQ(Checked(), std::vector<int>{2});
}

TEST_F(ResultsTest, FindBoxColoursOnEnterAndLeave) {
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(W->Edit1, &in);
    EXPECT_EQ(W->Edit1->palette().color(QPalette::Base), QColor(255, 255, 0));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(W->Edit1, &out);
    EXPECT_EQ(W->Edit1->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(ResultsTest, GotoLastAndFirstRow) {
    std::vector<TRankedTerm> rows;
    for (int i = 0; i < 100; ++i) {
        rows.push_back({"AB", 1, 1});
    }
    Show(rows);
    QApplication::processEvents();
    W->SpeedButton1->click();
    EXPECT_EQ(G->topRow(), G->rowCountValue() - G->visibleRowCount());
    EXPECT_GT(G->topRow(), 1);
    W->SpeedButton2->click();
    EXPECT_EQ(G->topRow(), 1);
}

// Painting: a cell drawn into an image, read back pixel by pixel.
class ResultsPaint : public ResultsTest {
  protected:
    QImage Paint(int col, int row, TGridDrawState state) {
        QImage image(200, 19, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter canvas(&image);
        W->OutputgridDrawCell(canvas, col, row, QRect(0, 0, 160, 19), state);
        return image;
    }
    // The bar row of letter i (1-based) holds the colour along its whole width.
    static bool BarOver(const QImage& image, int i, QColor colour) {
        const int w = frmKmap->letterWidth();
        const int x = 1 + i + (i - 1) * w;
        for (int px = x; px <= x + w - 1; ++px) {
            if (image.pixelColor(px, 2) != colour) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(ResultsPaint, SmallLettersGetBarsOverTheirCapitals) {
    Show({{"aBc", 1, 1}});
    const QImage image = Paint(2, 1, {});
    EXPECT_TRUE(BarOver(image, 1, Qt::black));
    EXPECT_FALSE(BarOver(image, 2, Qt::black));
    EXPECT_TRUE(BarOver(image, 3, Qt::black));
    EXPECT_FALSE(BarOver(image, 4, Qt::black));
    EXPECT_EQ(image.pixelColor(150, 17), QColor(0, 255, 0));
}

TEST_F(ResultsPaint, FocusedTermCellIsBlueWithYellowBars) {
    Show({{"Ab", 1, 1}});
    G->setCurrentIndex(G->model()->index(1, 2));
    TGridDrawState focused;
    focused.Focused = true;
    const QImage image = Paint(2, 1, focused);
    EXPECT_TRUE(BarOver(image, 2, QColor(255, 255, 0)));
    EXPECT_FALSE(BarOver(image, 1, QColor(255, 255, 0)));
    EXPECT_EQ(image.pixelColor(150, 17), QColor(0, 0, 255));
}

TEST_F(ResultsPaint, CheckCellShowsTheBoxOnlyWhenChecked) {
    Show({{"A", 1, 1}, {"B", 1, 1}});
    Check({1});
    auto nonWhite = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < 19; ++y) {
            for (int x = 0; x < 17; ++x) {
                count += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
            }
        }
        return count;
    };
    const QImage checked = Paint(1, 1, {});
    const QImage unchecked = Paint(1, 2, {});
    EXPECT_GT(nonWhite(checked), 10);
    EXPECT_EQ(nonWhite(unchecked.copy(0, 0, 17, 19)), 0);
}

// Sorting: rows in, rows out.
struct SortCase {
    const char* Name;
    int Item;
    std::vector<TRankedTerm> Before;
    std::vector<TRankedTerm> After;
};

void PrintTo(const SortCase& c, std::ostream* out) {
    *out << c.Name;
}

class ResultsSort : public ResultsTest, public testing::WithParamInterface<SortCase> {};

TEST_P(ResultsSort, RowsComeInKeyOrder) {
    const SortCase& c = GetParam();
    Show(c.Before, c.Item == 2 ? 3 : 2);
    W->rgSort->button(c.Item)->click();
    EXPECT_EQ(Rows(), c.After);
    EXPECT_EQ(G->topRow(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ResultsSort,
    testing::Values(
        SortCase{"MinThenTerm",
                 0,
                 {{"b", 2, 5}, {"A", 10, 11}, {"AB", 2, 6}, {"A", 2, 7}},
                 {{"A", 2, 7}, {"AB", 2, 6}, {"b", 2, 5}, {"A", 10, 11}}},
        SortCase{"MaxThenTerm",
                 1,
                 {{"b", 1, 20}, {"C", 3, 3}, {"a", 2, 3}},
                 {{"C", 3, 3}, {"a", 2, 3}, {"b", 1, 20}}},
        SortCase{"SixteenLettersSurviveMin",
                 0,
                 {{"ABCDEFGHIJKLMNOP", 3, 4}, {"a", 1, 1}},
                 {{"a", 1, 1}, {"ABCDEFGHIJKLMNOP", 3, 4}}},
        SortCase{"SixteenLettersSurviveMax",
                 1,
                 {{"abcdefghijklmnop", 3, 9}, {"a", 1, 1}},
                 {{"a", 1, 1}, {"abcdefghijklmnop", 3, 9}}},
        SortCase{"LengthShortFirst",
                 3,
                 {{"abc", 1, 2}, {"D", 3, 4}, {"Ab", 5, 6}},
                 {{"D", 3, 4}, {"Ab", 5, 6}, {"abc", 1, 2}}},
        SortCase{"LengthCapitalFirst", 3, {{"b", 1, 1}, {"B", 2, 2}}, {{"B", 2, 2}, {"b", 1, 1}}},
        // Identical keys become one entry with the later row's number; the row after keeps
        // what it held.
        SortCase{"MinMergesIdenticalKeys",
                 0,
                 {{"AB", 2, 5}, {"c", 1, 1}, {"AB", 2, 9}},
                 {{"c", 1, 1}, {"AB", 2, 9}, {"AB", 2, 9}}},
        SortCase{"MaxMergesIdenticalKeys",
                 1,
                 {{"AB", 5, 2}, {"c", 1, 1}, {"AB", 9, 2}},
                 {{"c", 1, 1}, {"AB", 9, 2}, {"AB", 9, 2}}},
        SortCase{"LengthMergesIdenticalKeys",
                 3,
                 {{"AB", 1, 2}, {"c", 1, 1}, {"AB", 3, 4}},
                 {{"c", 1, 1}, {"AB", 3, 4}, {"AB", 3, 4}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ResultsTest, AlphaOrdersByCodeAndRecountsMinAndMax) {
    Show({{"ab", 9, 9}, {"aB", 9, 9}, {"Ab", 9, 9}, {"AB", 9, 9}, {"A", 9, 9}}, 3);
    W->rgSort->button(2)->click();
    EXPECT_EQ(Terms(), (std::vector<std::string>{"A", "AB", "Ab", "aB", "ab"}));
    EXPECT_EQ(Rows(), RankedTerms({"A", "AB", "Ab", "aB", "ab"}, ProgramState.VarCount));
}

TEST_F(ResultsTest, AlphaMergesRepeatedTermsAndCountsThemOnce) {
    Show({{"AB", 1, 1}, {"a", 1, 1}, {"AB", 1, 1}}, 3);
    W->rgSort->button(2)->click();
    const std::vector<TRankedTerm> rows = Rows();
    const std::vector<TRankedTerm> counted = RankedTerms({"AB", "a"}, ProgramState.VarCount);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], counted[0]);
    EXPECT_EQ(rows[1], counted[1]);
    EXPECT_EQ(rows[2].Term, "AB");  // beyond the merged list: unchanged
}

TEST_F(ResultsTest, SelectingTheSelectedItemDoesNotResort) {
    Show({{"b", 2, 2}, {"a", 1, 1}}, 0);
    G->setCell(2, 1, "z");  // a row out of order that only a sort would move
    G->setCell(3, 1, "5");
    W->rgSort->button(0)->click();
    EXPECT_EQ(Terms(), (std::vector<std::string>{"z", "b"}));
}

TEST_F(ResultsTest, SortingLeavesCheckMarksOnTheirRowNumbers) {
    Show({{"b", 2, 2}, {"a", 1, 1}});
    Check({1});
    W->rgSort->button(0)->click();
    EXPECT_EQ(Terms(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Checked(), std::vector<int>{1});
}

TEST_F(ResultsTest, MinCountOfZeroIsWrittenBackAsANumber) {
    Show({{"b", 1, 1}, {"a", 0, 1}}, 0);
    EXPECT_EQ(G->cell(2, 1), "a");
    EXPECT_EQ(G->cell(3, 1), "0");
}
