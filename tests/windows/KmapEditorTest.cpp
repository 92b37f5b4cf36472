// The K-map window's input editor as the user drives it: typing, editing keys, mouse, commands.
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include "KmapTestSupport.h"
#include "model/Minterms.h"
#include "windows/KmapResult.h"

namespace {

// Keys in a compact form: letters are typed; \b Backspace, \x7f Delete, < Left, > Right,
// \x18 Ctrl+X, \r Enter.
void PressKeys(QWidget* grid, const std::string& keys) {
    for (const char key : keys) {
        switch (key) {
            case '\b':
                QTest::keyClick(grid, Qt::Key_Backspace);
                break;
            case '\x7f':
                QTest::keyClick(grid, Qt::Key_Delete);
                break;
            case '<':
                QTest::keyClick(grid, Qt::Key_Left);
                break;
            case '>':
                QTest::keyClick(grid, Qt::Key_Right);
                break;
            case '\x18':
                QTest::keyClick(grid, Qt::Key_X, Qt::ControlModifier);
                break;
            case '\r':
                QTest::keyClick(grid, Qt::Key_Return);
                break;
            default:
                QTest::keyClick(grid, key);
                break;
        }
    }
}

struct TypingCase {
    const char* name;
    int vars;
    QString start;  // the row's term before the keys
    int cursor;
    int column;
    std::string keys;
    QString term;  // the row's term after the keys
    int cursorAfter;
    QStringList messages;
};

class EditorTyping : public KmapTest, public testing::WithParamInterface<TypingCase> {};

TEST_P(EditorTyping, KeysChangeTheTermAndCursorAsTheEditorRulesSay) {
    const TypingCase& c = GetParam();
    UseVariables(c.vars);
    editor()->setCell(2, 3, c.start);
    SelectEditorCell(c.column, 3);
    frmKmap->setCursorPos(c.cursor);
    PressKeys(editor(), c.keys);
    EXPECT_EQ(editor()->cell(2, 3), c.term);
    EXPECT_EQ(frmKmap->cursorPos(), c.cursorAfter);
    EXPECT_EQ(prompter.messages, c.messages);
    EXPECT_EQ(editor()->row(), 3);
}

const QString Fresh(16, ' ');

INSTANTIATE_TEST_SUITE_P(
    Rules, EditorTyping,
    testing::Values(
        TypingCase{"FreshRowTakesLetters", 4, Fresh, 1, 2, "AbC", Padded("AbC"), 4, {}},
        TypingCase{"RetypingChangesTheCase", 4, Padded("AbC"), 1, 2, "a", Padded("abC"), 2, {}},
        TypingCase{"ComplementIsRefused",
                   4,
                   Padded("AbC"),
                   1,
                   2,
                   "B",
                   Padded("AbC"),
                   1,
                   {"Complement var not allowed"}},
        TypingCase{"UsedLetterIsRefused",
                   4,
                   Padded("AbC"),
                   1,
                   2,
                   "C",
                   Padded("AbC"),
                   1,
                   {"C letter is already used"}},
        TypingCase{"UsedLetterInAShortLoadedTerm",
                   4,
                   "AB",
                   3,
                   2,
                   "Ac",
                   Padded("ABc"),
                   4,
                   {"A letter is already used"}},
        TypingCase{"SeventeenthLetterWrapsToTheFirst",
                   16,
                   Fresh,
                   1,
                   2,
                   "ABCDEFGHIJKLMNOPa",
                   "aBCDEFGHIJKLMNOP",
                   2,
                   {}},
        TypingCase{"LettersBeyondTheCountAreIgnored", 4, Fresh, 1, 2, "EeQ1 +", Fresh, 1, {}},
        TypingCase{"LettersOutsideTheTermColumnAreDropped", 4, Fresh, 1, 1, "AB", Fresh, 1, {}},
        TypingCase{"BackspaceAtFirstPositionDoesNothing",
                   4,
                   Padded("AbC"),
                   1,
                   2,
                   "\b",
                   Padded("AbC"),
                   1,
                   {}},
        TypingCase{
            "BackspaceDeletesLeftOfTheCursor", 4, Padded("AbC"), 3, 2, "\b", Padded("AC"), 2, {}},
        TypingCase{"DeleteOnABlankRowDoesNothing", 4, Fresh, 3, 2, "\x7f", Fresh, 3, {}},
        TypingCase{"DeleteRemovesTheLetterAtTheCursor",
                   4,
                   Padded("AbC"),
                   1,
                   2,
                   "\x7f",
                   Padded("bC"),
                   1,
                   {}},
        TypingCase{"LeftStopsAtTheFirstPosition", 4, Fresh, 3, 2, "<<<", Fresh, 1, {}},
        TypingCase{"RightWrapsAfterSixteen", 4, Fresh, 16, 2, ">", Fresh, 1, {}},
        TypingCase{"CtrlXEmptiesTheRow", 4, Padded("AbC"), 3, 2, "\x18", Fresh, 1, {}},
        TypingCase{"CtrlXWorksInAnyColumn", 4, "aB", 2, 0, "\x18", Fresh, 1, {}},
        TypingCase{
            "TypeAfterMovingTheCursor", 4, Padded("AbC"), 1, 2, ">>>d", Padded("AbCd"), 5, {}}),
    [](const testing::TestParamInfo<TypingCase>& info) { return info.param.name; });

TEST_F(KmapTest, EnterMovesToTheNextRowAndKeepsTheCursor) {
    SelectEditorCell(2, 4);
    frmKmap->setCursorPos(5);
    PressKeys(editor(), "\r");
    EXPECT_EQ(editor()->row(), 5);
    EXPECT_EQ(frmKmap->cursorPos(), 5);
    const int last = editor()->rowCountValue() - 1;
    SelectEditorCell(2, last);
    PressKeys(editor(), "\r");
    EXPECT_EQ(editor()->row(), last);
}

TEST_F(KmapTest, TermShowsAsCapitalsWithBarsOverLowLetters) {
    // The row's term is drawn by the window itself: find the overbar pixels over the b.
    editor()->setCell(2, 1, Padded("AbC"));
    SelectEditorCell(0, 2);
    frmKmap->resize(500, 500);
    QApplication::processEvents();
    const QImage shot = editor()->viewport()->grab().toImage();
    const QRect cell = editor()->cellRect(2, 1);
    const int w = frmKmap->letterWidth();
    const int y = cell.top() + 2;
    auto barAt = [&](int k) {
        const int x = cell.left() + 2 + (k - 1) * (w + 1) + w / 2;
        return QColor(shot.pixel(x, y)) == QColor(Qt::black);
    };
    EXPECT_FALSE(barAt(1));
    EXPECT_TRUE(barAt(2));
    EXPECT_FALSE(barAt(3));
}

TEST_F(KmapTest, PressOnTheCheckColumnTogglesTheMarkWithEitherButton) {
    frmKmap->setCursorPos(7);
    ClickCell(editor(), 1, 3);
    EXPECT_EQ(editor()->cell(1, 3), "x");
    EXPECT_EQ(editor()->col(), 2);
    EXPECT_EQ(frmKmap->cursorPos(), 1);  // the click resets the cursor
    ClickCell(editor(), 1, 3, Qt::RightButton);
    frmKmap->PopupMenuinputGrid->hide();
    EXPECT_EQ(editor()->cell(1, 3), "");
    ClickCell(editor(), 1, 3, Qt::RightButton);
    frmKmap->PopupMenuinputGrid->hide();
    EXPECT_EQ(editor()->cell(1, 3), "x");
}

TEST_F(KmapTest, PressOnRowNumberGoesToTheTermColumnAndResetsTheCursor) {
    frmKmap->setCursorPos(9);
    QTest::mousePress(editor()->viewport(), Qt::LeftButton, {}, editor()->cellRect(0, 4).center());
    EXPECT_EQ(editor()->col(), 2);
    EXPECT_EQ(editor()->row(), 4);
    EXPECT_EQ(frmKmap->cursorPos(), 1);
    QTest::mouseRelease(editor()->viewport(), Qt::LeftButton, {},
                        editor()->cellRect(0, 4).center());
    EXPECT_EQ(editor()->cell(1, 4), "");  // only the check column toggles
}

TEST_F(KmapTest, SetAllChecksMarksTheRowsWithTerms) {
    SetTerms({"AB", "", Padded("cd"), "A"});
    Trigger(frmKmap, "Set all checks");
    EXPECT_EQ(prompter.messages, QStringList{"3 lines were marked"});
    EXPECT_EQ(editor()->cell(1, 1), "x");
    EXPECT_EQ(editor()->cell(1, 2), "");
    EXPECT_EQ(editor()->cell(1, 3), "x");
    EXPECT_EQ(editor()->cell(1, 4), "x");
    EXPECT_EQ(editor()->cell(1, 5), "");
}

TEST_F(KmapTest, SetAllChecksOnAnEmptyEditorSaysSo) {
    editor()->setCell(2, 2, Fresh);
    Trigger(frmKmap, "Set all checks");
    EXPECT_EQ(prompter.messages, QStringList{"No input text exists in the editor"});
    EXPECT_EQ(editor()->cell(1, 2), "");
}

TEST_F(KmapTest, ClearAllChecksRemovesTheMarksAndKeepsTheTerms) {
    SetTerms({"AB", "cd"});
    editor()->setCell(1, 1, "x");
    editor()->setCell(1, 2, "x");
    Trigger(frmKmap, "Clear all checks");
    EXPECT_EQ(editor()->cell(1, 1), "");
    EXPECT_EQ(editor()->cell(1, 2), "");
    EXPECT_EQ(EditorTerms(), (QStringList{"AB", "cd"}));
}

TEST_F(KmapTest, ClearAllEmptiesMarksAndTerms) {
    SetTerms({"AB", "cd"});
    editor()->setCell(1, 2, "x");
    for (const char* caption : {"Clear ALL KMAP", "Clear ALL", "New"}) {
        SetTerms({"AB"});
        Trigger(frmKmap, caption);
        EXPECT_EQ(editor()->cell(2, 1), "") << caption;
        EXPECT_EQ(editor()->cell(1, 2), "") << caption;
    }
}

struct FindCase {
    const char* name;
    QStringList answers;  // empty: the box is cancelled
    QStringList messages;
};

class EditorFind : public KmapTest, public testing::WithParamInterface<FindCase> {};

TEST_P(EditorFind, ReportsEveryEqualRowOrWhyNot) {
    SetTerms({"AB", "aBc", "cd", "Cd", "x", "AB ", Padded("aBc")});
    SelectEditorCell(2, 4);
    for (const QString& answer : GetParam().answers) {
        prompter.inputAnswers.push_back(answer);
    }
    Trigger(frmKmap, "Find Boolean String");
    EXPECT_EQ(prompter.messages, GetParam().messages);
    EXPECT_EQ(editor()->row(), 4);
}

INSTANTIATE_TEST_SUITE_P(Texts, EditorFind,
                         testing::Values(FindCase{"TwoRows",
                                                  {" aBc "},
                                                  {"String Found 2th row", "String Found 7th row"}},
                                         FindCase{"CaseMatters", {"cD"}, {"String cD not found"}},
                                         FindCase{"Blank", {"   "}, {"Blank lines not allowed"}},
                                         FindCase{"Cancelled", {}, {"Blank lines not allowed"}}),
                         [](const testing::TestParamInfo<FindCase>& info) {
                             return info.param.name;
                         });

TEST_F(KmapTest, SpeedButtonsScrollToTheLastAndFirstRows) {
    SelectEditorCell(2, 3);
    frmKmap->SpeedButton1->click();
    QApplication::processEvents();
    // The last row is in full view and the rows above it fill the view.
    const int last = editor()->rowCountValue() - 1;
    const QRect lastRect = editor()->cellRect(2, last);
    EXPECT_GE(lastRect.top(), 0);
    EXPECT_LE(lastRect.bottom(), editor()->viewport()->height());
    EXPECT_LE(editor()->topRow(), last - editor()->visibleRowCount() + 1);
    EXPECT_EQ(editor()->row(), 3);
    frmKmap->SpeedButton2->click();
    EXPECT_EQ(editor()->topRow(), 1);
}

TEST_F(KmapTest, RandomDataWritesTheOnMintermsInCodeOrder) {
    SetTerms({"AB", "cd"});
    Trigger(frmKmap, "Random data");
    QStringList expected;
    for (uint32_t m = 16; m-- > 0;) {
        if (ProgramState.TruthTable[m] == 1) {
            expected << Padded(QString::fromStdString(MintermToLetters(m, 4, 'A')));
        } else {
            EXPECT_EQ(ProgramState.TruthTable[m], 0);
        }
    }
    QStringList rows;
    for (int row = 1; row <= 17; ++row) {
        if (!editor()->cell(2, row).isEmpty()) {
            rows << editor()->cell(2, row);
        }
    }
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(editor()->rowCountValue(), 40001);
}

TEST_F(KmapTest, RandomDataWithManyTermsResizesTheEditor) {
    UseVariables(15);
    Trigger(frmKmap, "Random data");
    int on = 0;
    for (uint32_t m = 0; m < 32768; ++m) {
        on += ProgramState.TruthTable[m];
    }
    ASSERT_GT(on, 10000);
    EXPECT_EQ(editor()->rowCountValue(), on + 5);
    EXPECT_EQ(editor()->cell(2, on).trimmed().size(), 15);
    EXPECT_EQ(editor()->cell(2, on + 1), "");
}

TEST_F(KmapTest, DroppedCalculatorTextBecomesSortedDistinctTerms) {
    SetTerms({"cd", "cd", "cd"});
    editor()->setCell(1, 3, "x");
    frmKmap->DropTerms("b+A+b");
    EXPECT_EQ(editor()->cell(2, 1), "A");
    EXPECT_EQ(editor()->cell(2, 2), "b");
    EXPECT_EQ(editor()->cell(2, 3), "");
    EXPECT_EQ(editor()->cell(1, 3), "x");  // check marks stay
    frmKmap->DropTerms("");
    EXPECT_EQ(editor()->cell(2, 1), "A");
}

TEST_F(KmapTest, EditorAcceptsEveryDrag) {
    SetTerms({"cd", "AB"});
    QMimeData mime;
    mime.setText("A+B");
    const QPoint at = editor()->cellRect(2, 2).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor()->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor()->viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    // No calculator label started this drag, so there is no input text to take.
    EXPECT_EQ(EditorTerms(), (QStringList{"cd", "AB"}));
}

TEST_F(KmapTest, CopyToCalculatorZJoinsTheTermsWithPlus) {
    SetTerms({" AB ", "", "cd"});
    Trigger(frmKmap, "Copy KMAP to calc Z input");
    EXPECT_EQ(frmBooleanClac->edtZinput->text(), "AB+cd+");
    frmKmap->ClearALLKMAP1Click();
    Trigger(frmKmap, "Copy KMAP to calc Z input");
    EXPECT_EQ(frmBooleanClac->edtZinput->text(), "");
}

TEST_F(KmapTest, MenuItemsWithoutHandlerChangeNothing) {
    SetTerms({"cd", "AB", "aB"});
    editor()->setCell(1, 2, "x");
    map()->setCell(1, 1, "x");
    for (const char* caption : {"Sort(case sen)", "Sort(case insen)", "Clear Checked Rows",
                                "Delete Checked Rows", "Insert Blank Row", "Delete Row", "&Help"}) {
        Trigger(frmKmap, caption);
    }
    EXPECT_EQ(EditorTerms(), (QStringList{"cd", "AB", "aB"}));
    EXPECT_EQ(editor()->cell(1, 2), "x");
    EXPECT_EQ(map()->cell(1, 1), "x");
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(KmapTest, ExitHidesTheWindowAndKeepsItsData) {
    SetTerms({"AB"});
    Trigger(frmKmap, "E&xit");
    EXPECT_FALSE(frmKmap->isVisible());
    EXPECT_TRUE(frmBooleanClac->isVisible());
    frmKmap->show();
    EXPECT_EQ(frmKmap->frameGeometry().size(), QSize(500, 500));
    EXPECT_EQ(editor()->cell(2, 1), "AB");
}

TEST_F(KmapTest, CommandsWaitWhileTheTableIsTurnedIntoRows) {
    // The conversion lets events through; an edit arriving then must not touch the editor.
    UseVariables(10);
    for (uint32_t m = 0; m < 1024; m += 2) {
        ProgramState.TruthTable[m] = 1;
    }
    bool sawBusy = false;
    QTimer::singleShot(0, frmKmap, [&] {
        sawBusy = frmKmap->isBusy();
        frmKmap->ClearALLKMAP1Click();
        frmKmap->mnuRandomdataClick();
        frmKmap->DropTerms("A+B");
        SelectEditorCell(2, 1);
        QTest::keyClick(editor(), 'J');
        frmKmap->TableToEditor();
    });
    frmKmap->TableToEditor();
    EXPECT_TRUE(sawBusy);
    EXPECT_FALSE(frmKmap->isBusy());
    EXPECT_EQ(frmKmap->StatusBar->panelText(2), "512 Bool strings imported");
    EXPECT_EQ(editor()->cell(2, 1), "ABCDEFGHIj");
    EXPECT_EQ(editor()->cell(2, 512), "abcdefghij");
    EXPECT_EQ(editor()->cell(2, 513), "");
    for (uint32_t m = 0; m < 1024; ++m) {
        EXPECT_EQ(ProgramState.TruthTable[m], m % 2 == 0 ? 1 : 0);
    }
}

}  // namespace
