// The calculator window: layout, input filter and paste, live validation, edit commands, drag.
#include <QClipboard>
#include <QDrag>
#include <QHelpEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QToolTip>

#include "CalculatorSupport.h"
#include "windows/FormBoolProjects.h"
#include "windows/KmapResult.h"
#include "windows/main.h"

namespace {

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions) {
        captions << (action->isSeparator() ? QString("-") : action->text());
    }
    return captions;
}

QStringList SubmenuCaptions(QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions()) {
        if (action->text() == title && action->menu() != nullptr) {
            return Captions(action->menu()->actions());
        }
    }
    return {};
}

}  // namespace

TEST_F(CalculatorTest, WindowFrameAndStatusBar) {
    EXPECT_EQ(Calc->windowTitle(), "Boolean calculator- AND-NAND-OR-NOR-XOR-NOT - Version 1.0");
    EXPECT_EQ(Calc->size(), QSize(891, 634));
    EXPECT_FALSE(Calc->PageControl1->tabBar()->isVisible());
    EXPECT_EQ(Calc->PageControl1->tabText(0), "Calc");
    EXPECT_EQ(Calc->StatusBar->panelWidth(0), 120);
    EXPECT_EQ(Calc->StatusBar->panelWidth(1), 200);
    EXPECT_EQ(Calc->StatusBar->panelWidth(2), 200);
    EXPECT_EQ(Calc->StatusBar->panelWidth(3), 50);
    EXPECT_EQ(Calc->Gauge->parentWidget()->objectName(), "Panel0");
    EXPECT_EQ(Calc->SpinEdit->minimum(), 3);
    EXPECT_EQ(Calc->SpinEdit->maximum(), 16);
    EXPECT_TRUE(Calc->rbAND->isChecked());
    EXPECT_FALSE(Calc->mnuConversion->isChecked());
    EXPECT_EQ(Calc->KmapGrid->parentWidget(), Calc->ScrollBox1->widget());
    EXPECT_EQ(Calc->ScrollBox1->widget()->size(), QSize(3000, 3000));
}

struct LabelRow {
    const char* name;
    const char* caption;
    int tag;
    const char* edit;
};

void PrintTo(const LabelRow& row, std::ostream* out) {
    *out << row.name;
}

class CalculatorLabels : public CalculatorTest, public testing::WithParamInterface<LabelRow> {};

TEST_P(CalculatorLabels, CaptionTagAndEdit) {
    const LabelRow& row = GetParam();
    auto* label = Calc->findChild<TCalcLabel*>(row.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), row.caption);
    EXPECT_EQ(label->tag(), row.tag);
    ASSERT_NE(Calc->EditOfTag(row.tag), nullptr);
    EXPECT_EQ(Calc->EditOfTag(row.tag)->objectName(), row.edit);
    EXPECT_TRUE(label->acceptDrops());
}

INSTANTIATE_TEST_SUITE_P(Tags, CalculatorLabels,
                         testing::Values(LabelRow{"lblX", "X", 100, "edtXinput"},
                                         LabelRow{"lblY", "Y", 200, "edtYinput"},
                                         LabelRow{"lblZ", "Z", 300, "edtZinput"},
                                         LabelRow{"lblB1", "B1", 400, "edtB1input"},
                                         LabelRow{"lblB2", "B2", 500, "edtB2input"},
                                         LabelRow{"lblOZ", "OZ", 600, "edtOptimized"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorTest, OperationLabelsColoursAndHints) {
    const QColor moneyGreen(0xC0, 0xDC, 0xC0);
    EXPECT_EQ(Calc->lblBooAnd->text(), " Z= X.Y");
    EXPECT_EQ(Calc->lblboolOr->text(), " Z= X +Y ");
    EXPECT_EQ(Calc->lblNot->text(), " Z=not(Z) ");
    EXPECT_EQ(Calc->lblboolxor->text(), " Z=X   Y ");
    EXPECT_EQ(Calc->lblBooAnd->toolTip(), "Boolean AND");
    EXPECT_EQ(Calc->lblboolOr->toolTip(), "Boolean OR");
    EXPECT_EQ(Calc->lblNot->toolTip(),
              "Boolean NOT/Complement\nX input will be disables. Y input inverted and shown in Z "
              "input");
    EXPECT_EQ(Calc->lblboolxor->toolTip(), "Boolean XOR");
    EXPECT_EQ(Calc->lblBooAnd->palette().color(QPalette::Window), moneyGreen);
    EXPECT_EQ(Calc->lblX->palette().color(QPalette::Window), QColor(Qt::yellow));
    EXPECT_EQ(Calc->lblOZ->palette().color(QPalette::Window), QColor(0x00, 0x80, 0x80));
    EXPECT_EQ(Calc->edtB1input->palette().color(QPalette::Base), QColor(0xF0, 0xFA, 0xFF));
    // Every gate picture is drawn, not left blank.
    for (TCalcLabel* image :
         {Calc->Image2, Calc->Image3, Calc->Image4, Calc->Image5, Calc->Image6}) {
        const QImage picture = image->pixmap().toImage();
        ASSERT_FALSE(picture.isNull()) << image->objectName().toStdString();
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                inked += qAlpha(picture.pixel(x, y)) > 0 && qGray(picture.pixel(x, y)) < 100;
            }
        }
        EXPECT_GT(inked, 20) << image->objectName().toStdString();
    }
}

TEST_F(CalculatorTest, MenusInOrder) {
    QMenuBar* bar = Calc->menuBar();
    EXPECT_EQ(Captions(bar->actions()), QStringList({"ShowKmap", "Boolean", "Check", "Help", "Auto",
                                                     "About", "Projects", "Exit"}));
    EXPECT_EQ(SubmenuCaptions(bar, "Boolean"),
              QStringList({"Invert X", "Invert Y", "Invert Z", "Copy Z edit to KMAP grid",
                           "Optimize-Simplify  X", "Optimize-Simplify  Y", "Optimize-Simplify  Z",
                           "Save KMAP image(JPG)", "Enter function…"}));
    EXPECT_EQ(SubmenuCaptions(bar, "Check"),
              QStringList({"X input syntax", "Y input syntax", "Z input syntax"}));
    EXPECT_EQ(SubmenuCaptions(bar, "Auto"), QStringList({"Calculation"}));
    EXPECT_EQ(Captions(Calc->PopupMenu1->actions()),
              QStringList({"Clear", "Invert", "-", "Get  from Clipboard", "Copy to Clipboard", "-",
                           "Copy from main input", "Copy from result grid", "-",
                           "Optimize-Simplify", "Copy Z input edit to main kmap"}));
    EXPECT_EQ(FindAction(Calc, "ShowKmap")->toolTip(), "KMAP form for extra optimization");
}

// Resting the mouse on a menu-bar entry shows its hint; entries without one show nothing.
TEST_F(CalculatorTest, MenuBarEntriesShowTheirHints) {
    QMenuBar* bar = Calc->menuBar();
    const std::pair<const char*, QString> entries[] = {
        {"ShowKmap", "KMAP form for extra optimization"},
        {"Auto", "Bool conversion while typing"},
        {"Help", QString()},
    };
    for (const auto& [caption, hint] : entries) {
        QAction* entry = nullptr;
        for (QAction* action : bar->actions()) {
            entry = action->text() == caption ? action : entry;
        }
        ASSERT_NE(entry, nullptr) << caption;
        const QPoint at = bar->actionGeometry(entry).center();
        QHelpEvent help(QEvent::ToolTip, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &help);
        if (hint.isEmpty()) {
            EXPECT_FALSE(QToolTip::isVisible() && QToolTip::text() == caption) << caption;
        } else {
            EXPECT_TRUE(QToolTip::isVisible()) << caption;
            EXPECT_EQ(QToolTip::text(), hint) << caption;
        }
    }
    QToolTip::hideText();
}

struct KeyRow {
    const char* name;
    QString start;
    Qt::Key key;  // Qt::Key_unknown: type `typed` as text instead
    Qt::KeyboardModifiers modifiers;
    QString expected;
    const char* typed = "";
};

void PrintTo(const KeyRow& row, std::ostream* out) {
    *out << row.name;
}

class CalculatorKeys : public CalculatorTest, public testing::WithParamInterface<KeyRow> {};

TEST_P(CalculatorKeys, FilterAtFourVariables) {
    const KeyRow& row = GetParam();
    SetVars(4);
    QGuiApplication::clipboard()->setText("Bd");
    for (QLineEdit* edit : Edits()) {
        edit->setText(row.start);
        edit->setCursorPosition(static_cast<int>(row.start.size()));
        if (row.key == Qt::Key_unknown) {
            QTest::keyClicks(edit, row.typed);
        } else {
            QTest::keyClick(edit, row.key, row.modifiers);
        }
        EXPECT_EQ(edit->text(), row.expected) << edit->objectName().toStdString();
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Bd");  // cut and copy leave it alone
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CalculatorKeys,
    testing::Values(KeyRow{"LetterBeyondCount", "A", Qt::Key_E, Qt::NoModifier, "A"},
                    KeyRow{"Digit", "A", Qt::Key_5, Qt::NoModifier, "A"},
                    KeyRow{"Blank", "A", Qt::Key_Space, Qt::NoModifier, "A"},
                    KeyRow{"AllowedCapital", "A", Qt::Key_unknown, {}, "AD", "D"},
                    KeyRow{"CapitalBeyondCount", "A", Qt::Key_unknown, {}, "A", "E"},
                    KeyRow{"OtherSigns", "A", Qt::Key_unknown, {}, "A", "-*. 1\t"},
                    KeyRow{"AllowedSmall", "A", Qt::Key_D, Qt::NoModifier, "Ad"},
                    KeyRow{"Plus", "A", Qt::Key_Plus, Qt::NoModifier, "A+"},
                    KeyRow{"Backspace", "AB", Qt::Key_Backspace, Qt::NoModifier, "A"},
                    KeyRow{"CutIsSwallowed", "AB", Qt::Key_X, Qt::ControlModifier, "AB"},
                    KeyRow{"PasteAppends", "A+", Qt::Key_V, Qt::ControlModifier, "A+Bd"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PasteRow {
    const char* name;
    QString clipboard;
    QString expected;
    bool refused;
};

void PrintTo(const PasteRow& row, std::ostream* out) {
    *out << row.name;
}

class CalculatorPaste : public CalculatorTest, public testing::WithParamInterface<PasteRow> {};

TEST_P(CalculatorPaste, OnlyFirstLineAndOnlyLegalCharacters) {
    const PasteRow& row = GetParam();
    QGuiApplication::clipboard()->setText(row.clipboard);
    QTest::keyClick(Calc->edtXinput, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Calc->edtXinput->text(), row.expected);
    EXPECT_EQ(
        prompter.messages.contains("Syntax error in bool string OR illegal character in string"),
        row.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Paste, CalculatorPaste,
    testing::Values(PasteRow{"FirstLineOfMany", "AB+cd\r\nEF\r\nGH\r\n", "AB+cd", false},
                    PasteRow{"LineFeedOnly", "AB+cd\nxyz", "AB+cd", false},
                    PasteRow{"Blank", "AB cd", "", true}, PasteRow{"Digit", "AB+c5", "", true},
                    PasteRow{"LetterBeyondCount", "AB+G", "", true},
                    PasteRow{"BadCharacterOnLaterLineOnly", "AB\r\nA 5", "AB", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorTest, TypingPlusSignsIsRepaired) {
    QTest::keyClick(Calc->edtXinput, Qt::Key_Plus);
    EXPECT_EQ(Calc->edtXinput->text(), "");
    QTest::keyClicks(Calc->edtXinput, "AB+");
    QTest::keyClick(Calc->edtXinput, Qt::Key_Plus);
    EXPECT_EQ(Calc->edtXinput->text(), "AB+");
    EXPECT_EQ(Panel(1), "2 Terms");
    Calc->edtYinput->setText("++A+++b++");
    EXPECT_EQ(Calc->edtYinput->text(), "A+b+");
    EXPECT_EQ(Panel(1), "3 Terms");
}

TEST_F(CalculatorTest, IllegalTextArrivingOtherwiseIsReportedAndNotCounted) {
    Calc->edtXinput->setFocus();  // entering X validates it: done before the panel is marked
    Calc->StatusBar->setPanelText(1, "before");
    Calc->edtXinput->setText("AB+G");
    EXPECT_EQ(prompter.messages, QStringList({"Too many variables"}));
    EXPECT_EQ(Calc->focusWidget(), Calc->StatusBar);  // so closing the message does not re-enter X
    EXPECT_EQ(Calc->edtXinput->text(), "AB+G");
    EXPECT_EQ(Panel(1), "before");
    // Buffers take any text without a word.
    Calc->edtB1input->setText("AB+G");
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(Panel(1), "2 Terms");
}

TEST_F(CalculatorTest, ZKeepsItsOptimizedFormInOz) {
    Calc->edtZinput->setText("AB+Ab+C");
    EXPECT_EQ(Calc->edtOptimized->text(), "A+C");
    Calc->edtZinput->setText("ABC");
    EXPECT_EQ(Calc->edtOptimized->text(), "ABC");
    // An invalid term leaves OZ as it was.
    Calc->edtZinput->setText("AB+Aa");
    EXPECT_EQ(Calc->edtOptimized->text(), "ABC");
}

TEST_F(CalculatorTest, AutomaticCalculationFollowsTheSelectedOperation) {
    Calc->edtXinput->setText("A");
    Calc->edtYinput->setText("aB");
    EXPECT_EQ(Calc->edtZinput->text(), "");  // off at start
    Trigger(Calc, "Calculation");
    ASSERT_TRUE(Calc->mnuConversion->isChecked());
    Calc->rbOR->setChecked(true);
    Calc->edtYinput->setText("aBc");
    EXPECT_EQ(Calc->edtZinput->text(), "A+Bc");
    EXPECT_TRUE(Calc->rbOR->isChecked());
    Calc->rbNOT->setChecked(true);
    Calc->edtYinput->setText("AB");
    EXPECT_EQ(Calc->edtZinput->text(), "a+b");
    EXPECT_EQ(Panel(1), "Terms= 2");
    Calc->edtYinput->setText("");
    EXPECT_EQ(Panel(2), "Missing text");
    Calc->edtYinput->setText("A+a");
    EXPECT_EQ(Calc->edtZinput->text(), "");  // always LO empties Z
    EXPECT_EQ(Panel(1), "Always LO");
    Trigger(Calc, "Calculation");
    EXPECT_FALSE(Calc->mnuConversion->isChecked());
}

TEST_F(CalculatorTest, DragFromYLabelToB1LabelAndToXEdit) {
    Calc->edtYinput->setText("AB+cD");
    QWidget* target = Calc->lblB1;
    QString seenByOthers;
    TfrmBooleanClac::DragRunner = [&](QDrag& drag) {
        // Stands in for the platform: enters and drops on the target, as a user's hand would.
        seenByOthers = Calc->dragSourceText();
        const QPoint at(2, 2);
        QDragEnterEvent enter(at, Qt::CopyAction, drag.mimeData(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) {
            return Qt::IgnoreAction;
        }
        QDropEvent drop(at, Qt::CopyAction, drag.mimeData(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        return drop.dropAction();
    };
    auto dragFromY = [&] {
        QTest::mousePress(Calc->lblY, Qt::LeftButton, {}, QPoint(3, 3));
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 3), Calc->lblY->mapToGlobal(QPointF(30, 3)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(Calc->lblY, &move);
        QTest::mouseRelease(Calc->lblY, Qt::LeftButton, {}, QPoint(30, 3));
    };
    dragFromY();
    EXPECT_EQ(Calc->edtB1input->text(), "AB+cD");
    EXPECT_EQ(seenByOthers, "AB+cD");
    EXPECT_EQ(Calc->dragSourceText(), "");  // only while the drag runs

    Calc->edtYinput->setText("aBc");
    target = Calc->edtXinput;
    dragFromY();
    EXPECT_EQ(Calc->edtXinput->text(), "aBc");
    TfrmBooleanClac::DragRunner = nullptr;
}

TEST_F(CalculatorTest, ForeignDropsAreRefused) {
    QMimeData text;
    text.setText("Hello World 5");
    for (QWidget* target :
         {static_cast<QWidget*>(Calc->edtXinput), static_cast<QWidget*>(Calc->lblX)}) {
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &text, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        EXPECT_FALSE(enter.isAccepted());
        QDropEvent drop(QPoint(2, 2), Qt::CopyAction, &text, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
    }
    EXPECT_EQ(Calc->edtXinput->text(), "");
}

TEST_F(CalculatorTest, ClipboardCommandsOnTheFocusedEdit) {
    Calc->edtXinput->setText("AB+cd");
    Calc->edtXinput->setFocus();
    ASSERT_EQ(Calc->FocusedEdit(), Calc->edtXinput);
    Trigger(Calc, "Copy to Clipboard");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "AB\r\ncd\r\n");
    EXPECT_EQ(Panel(1), "2 strs copied to clipboard");

    QGuiApplication::clipboard()->setText("AB\r\n cd \r\n\r\n");
    Calc->edtB1input->setFocus();
    Trigger(Calc, "Get  from Clipboard");
    EXPECT_EQ(Calc->edtB1input->text(), "AB+cd++");  // buffers are not repaired
    Calc->edtYinput->setFocus();
    Trigger(Calc, "Get  from Clipboard");
    EXPECT_EQ(Calc->edtYinput->text(), "AB+cd+");

    Trigger(Calc, "Clear");
    EXPECT_EQ(Calc->edtYinput->text(), "");
}

TEST_F(CalculatorTest, CommandsWithoutFocusedEditDoNothingHarmful) {
    Calc->edtXinput->setText("AB");
    Calc->SpinEdit->setFocus();
    ASSERT_EQ(Calc->FocusedEdit(), nullptr);
    QGuiApplication::clipboard()->setText("keep");
    for (const char* caption :
         {"Clear", "Copy to Clipboard", "Get  from Clipboard", "Copy from main input",
          "Copy from result grid", "Optimize-Simplify", "Copy Z input edit to main kmap"}) {
        Trigger(Calc, caption);
    }
    EXPECT_EQ(Calc->edtXinput->text(), "AB");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "keep");
    EXPECT_TRUE(prompter.messages.isEmpty());
    Trigger(Calc, "Invert");
    EXPECT_EQ(prompter.messages, QStringList({"No edit line is focused"}));
}

TEST_F(CalculatorTest, CopyFromEditorAndResultGrids) {
    for (TStringGrid* grid : {frmKmap->inputgrid, frmResult->Outputgrid}) {
        if (grid->colCountValue() < 3) {
            grid->setColCount(3);
        }
        if (grid->rowCountValue() < 6) {
            grid->setRowCount(6);
        }
        grid->clearColumn(2);
    }
    frmKmap->inputgrid->setCell(2, 1, "AB              ");
    frmKmap->inputgrid->setCell(2, 3, "  cD");
    frmKmap->inputgrid->setCell(2, 4, "ABCDEFGHIJKLMNOPQ");  // cut to 16 letters
    frmResult->Outputgrid->setCell(2, 2, "Ef");
    Calc->edtB2input->setFocus();
    Trigger(Calc, "Copy from main input");
    EXPECT_EQ(Calc->edtB2input->text(), "AB+cD+ABCDEFGHIJKLMNOP");
    Trigger(Calc, "Copy from result grid");
    EXPECT_EQ(Calc->edtB2input->text(), "Ef");
    frmKmap->inputgrid->clearColumn(2);
    frmResult->Outputgrid->clearColumn(2);
}

TEST_F(CalculatorTest, OptimizeSimplifyRewritesOrRefuses) {
    Calc->edtXinput->setText("AB+Ab+C");
    Trigger(Calc, "Optimize-Simplify  X");
    EXPECT_EQ(Calc->edtXinput->text(), "A+C");
    EXPECT_EQ(Panel(1), "2 Terms");  // the rewritten X counted itself after " Removed"
    Trigger(Calc, "Optimize-Simplify  Y");
    EXPECT_EQ(prompter.messages, QStringList({"Invalid boolean string"}));
    Calc->edtZinput->setText("AB+Aa");
    Trigger(Calc, "Optimize-Simplify  Z");
    EXPECT_EQ(Calc->edtZinput->text(), "AB+Aa");
    EXPECT_EQ(prompter.messages.size(), 2);
    Calc->edtB1input->setText("aC+ABC");
    Calc->edtB1input->setFocus();
    Trigger(Calc, "Optimize-Simplify");
    EXPECT_EQ(Calc->edtB1input->text(), "BC+aC");
}

TEST_F(CalculatorTest, CopyZToKmapGoesThroughTheClipboard) {
    Calc->edtZinput->setText("AB+cD+");
    QGuiApplication::clipboard()->setText("keep");
    Calc->edtXinput->setFocus();
    Trigger(Calc, "Copy Z input edit to main kmap");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "keep");
    frmKmap->hide();
    Calc->edtZinput->setFocus();
    Trigger(Calc, "Copy Z input edit to main kmap");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "AB\r\ncD\r\n");
    EXPECT_EQ(Panel(1), "2 strs copied");
    EXPECT_TRUE(frmKmap->isVisible());
    frmKmap->hide();
    Trigger(Calc, "Copy Z edit to KMAP grid");
    EXPECT_TRUE(frmKmap->isVisible());
    frmKmap->hide();
}

struct SyntaxRow {
    const char* name;
    QString x;
    QStringList messages;
};

void PrintTo(const SyntaxRow& row, std::ostream* out) {
    *out << row.name;
}

class CalculatorSyntax : public CalculatorTest, public testing::WithParamInterface<SyntaxRow> {};

TEST_P(CalculatorSyntax, XInputSyntax) {
    const SyntaxRow& row = GetParam();
    Calc->edtXinput->setText(row.x);
    Trigger(Calc, "X input syntax");
    Trigger(Calc, "Y input syntax");
    Trigger(Calc, "Z input syntax");
    EXPECT_EQ(prompter.messages, row.messages);
}

INSTANTIATE_TEST_SUITE_P(Check, CalculatorSyntax,
                         testing::Values(SyntaxRow{"Empty", "", {}},
                                         SyntaxRow{"Valid", "AB+cD+", {"Boolean syntax is ok"}},
                                         SyntaxRow{"Contradiction", "AB+Aa+cD", {"term no 2 Aa"}},
                                         SyntaxRow{
                                             "LastDroppedNamed", "Bb+AB+Cc", {"term no 3 Cc"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorTest, HelpAboutAndWindows) {
    Trigger(Calc, "Help");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(
        prompter.messages[0].startsWith("Please refer to the documentation file or go to\n"));
    EXPECT_TRUE(prompter.messages[0].endsWith(
        "/share/doc/quillon/README.md\nor to the manual page: man quillon"));
    Trigger(Calc, "About");
    EXPECT_EQ(prompter.messages.size(), 2);
    Trigger(Calc, "ShowKmap");
    EXPECT_TRUE(frmKmap->isVisible());
    frmKmap->hide();
    Trigger(Calc, "Projects");
    EXPECT_TRUE(frmBoolprojects->isVisible());
    frmBoolprojects->hide();
}

TEST_F(CalculatorTest, ExitClosesTheCalculator) {
    Trigger(Calc, "Exit");
    EXPECT_FALSE(Calc->isVisible());
    Calc->show();
    QApplication::processEvents();
    EXPECT_EQ(ProgramState.VarCount, 6);  // showing again applies the spin edit
}
