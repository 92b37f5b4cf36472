// Don't cares in the K-map window and the results window: typing, map cells, files, Simplify.
#include <QClipboard>

#include "KmapTestSupport.h"

namespace {

class DontCareTest : public KmapFileTest {
  protected:
    void SetUp() override {
        KmapFileTest::SetUp();
        ProgramState.DontCare.fill(0);
        frmKmap->ClearAll2Click();
    }
    void TearDown() override {
        ProgramState.DontCare.fill(0);
        KmapFileTest::TearDown();
    }
    static void CtrlClickCell(int col, int row) {
        QTest::mouseClick(map()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          map()->cellRect(col, row).center());
    }
    static QStringList Rows() {
        QStringList rows;
        for (int row = 1; row < editor()->rowCountValue(); ++row) {
            const QString text = editor()->cell(2, row).trimmed();
            if (text.isEmpty()) {
                break;
            }
            rows << text;
        }
        return rows;
    }
    static QStringList ResultTerms() {
        QStringList terms;
        for (int r = 1; r < frmResult->Outputgrid->rowCountValue(); ++r) {
            terms << frmResult->Outputgrid->cell(2, r);
        }
        return terms;
    }
    // Segment e of a BCD decoder: digits 0, 2, 6, 8 light it, 10..15 never occur.
    static void SetSegmentE() {
        SetTerms(
            {"abcd", "abCd", "aBCd", "Abcd", "-AbCd", "-AbCD", "-ABcd", "-ABcD", "-ABCd", "-ABCD"});
    }
    QByteArray SaveText() {
        const QString path = dir.filePath("terms.txt");
        prompter.fileAnswers.push_back({true, path, 1});
        Trigger(frmKmap, "&Save as Text File");
        return ReadFile(path);
    }
    void OpenText(const QByteArray& bytes) {
        prompter.fileAnswers.push_back({true, WriteFile("open.txt", bytes), 1});
        Trigger(frmKmap, "&Open Boolean Text File");
    }
};

TEST_F(DontCareTest, MarkKeyTogglesTheRowAndKeepsItsLetters) {
    SelectEditorCell(2, 1);
    QTest::keyClicks(editor(), "Ab");
    QTest::keyClick(editor(), '-');
    EXPECT_EQ(editor()->cell(2, 1), "-" + Padded("Ab"));
    QTest::keyClicks(editor(), "C");
    EXPECT_EQ(editor()->cell(2, 1), "-" + Padded("AbC"));
    EXPECT_EQ(frmKmap->cursorPos(), 4);
    QTest::keyClick(editor(), Qt::Key_Backspace);
    EXPECT_EQ(editor()->cell(2, 1), "-" + Padded("Ab"));
    QTest::keyClick(editor(), '-');
    EXPECT_EQ(editor()->cell(2, 1), Padded("Ab"));
}

TEST_F(DontCareTest, DontCareRowsDrawGrey) {
    SetTerms({"-Ab", "Ab"});
    SelectEditorCell(0, 3);
    QApplication::processEvents();
    const QImage shot = editor()->viewport()->grab().toImage();
    const QPoint corner(editor()->cellRect(2, 1).right() - 1, editor()->cellRect(2, 1).top() + 1);
    EXPECT_EQ(QColor(shot.pixel(corner)), QColor(192, 192, 192));
    EXPECT_EQ(QColor(shot.pixel(corner + QPoint(0, editor()->rowHeight(1)))), QColor(0, 255, 255));
}

TEST_F(DontCareTest, CtrlClickTogglesDontCareAndPlainClickStillTogglesOn) {
    CtrlClickCell(3, 2);
    EXPECT_EQ(map()->cell(3, 2), "-");
    MoveOver(map(), map()->cellRect(3, 2).center());
    EXPECT_EQ(frmKmap->StatusBar->panelText(3), "ABCd (don't care)");
    MoveOver(map(), map()->cellRect(2, 2).center());
    EXPECT_EQ(frmKmap->StatusBar->panelText(3), "ABCD");
    CtrlClickCell(3, 2);
    EXPECT_EQ(map()->cell(3, 2), "");
    CtrlClickCell(3, 2);
    ClickCell(map(), 3, 2);
    EXPECT_EQ(map()->cell(3, 2), "x");
    CtrlClickCell(3, 2);
    EXPECT_EQ(map()->cell(3, 2), "-");
}

struct DrawCase {
    int vars;
    QColor centre;  // the dash, or plain mid grey where a cell has no room for one
};

class DontCareDrawing : public DontCareTest, public testing::WithParamInterface<DrawCase> {};

TEST_P(DontCareDrawing, CellsStandApartFromOnAndOff) {
    UseVariables(GetParam().vars);
    const int col = map()->colCountValue() / 2 + 1;
    const int row = map()->rowCountValue() / 2 + 1;
    map()->setCell(col, row, "-");
    map()->setCell(col - 1, row, "x");
    QApplication::processEvents();
    const QImage shot = map()->viewport()->grab().toImage();
    const QRect cell = map()->cellRect(col, row);
    EXPECT_EQ(QColor(shot.pixel(cell.center())), GetParam().centre);
    EXPECT_EQ(QColor(shot.pixel(map()->cellRect(col - 1, row).center())), QColor(Qt::black));
    EXPECT_EQ(QColor(shot.pixel(map()->cellRect(col + 1, row).center())), QColor(Qt::white));
    if (GetParam().centre != QColor(128, 128, 128)) {
        EXPECT_EQ(QColor(shot.pixel(cell.topLeft() + QPoint(1, 1))), QColor(176, 176, 176));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DontCareDrawing,
                         testing::Values(DrawCase{4, QColor(64, 64, 64)},
                                         DrawCase{9, QColor(64, 64, 64)},
                                         DrawCase{12, QColor(128, 128, 128)},
                                         DrawCase{16, QColor(128, 128, 128)}),
                         [](const auto& info) { return std::to_string(info.param.vars) + "Vars"; });

TEST_F(DontCareTest, InvertKeepsDontCaresClearAndLayoutEmptyThem) {
    map()->setCell(0, 0, "-");
    map()->setCell(1, 0, "x");
    Trigger(frmKmap, "Invert KMP grid data");
    EXPECT_EQ(map()->cell(0, 0), "-");
    EXPECT_EQ(map()->cell(1, 0), " ");
    EXPECT_EQ(map()->cell(2, 0), "x");
    Trigger(frmKmap, "Clear All");
    EXPECT_EQ(map()->cell(0, 0), " ");
    map()->setCell(0, 0, "-");
    UseVariables(5);
    EXPECT_EQ(map()->cell(0, 0), "");
}

TEST_F(DontCareTest, MapToEditorToMapKeepsDontCares) {
    map()->setCell(3, 2, "x");
    map()->setCell(0, 0, "-");
    map()->setCell(1, 1, "-");
    Trigger(frmKmap, "Show data in Main Input Grid");
    EXPECT_EQ(Rows(), (QStringList{"ABCd", "-abcd", "-aBcD"}));
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "1 Terms were imported, 2 don't cares");
    frmKmap->ClearAll2Click();
    SetTerms({"ABCd", "-abcd", "-aBcD", "-ABCd"});  // ON wins over don't care
    Trigger(frmKmap, "Show data in KMAP Grid");
    EXPECT_EQ(map()->cell(3, 2), "x");
    EXPECT_EQ(map()->cell(0, 0), "-");
    EXPECT_EQ(map()->cell(1, 1), "-");
    EXPECT_EQ(frmBooleanClac->StatusBar->panelText(3), "1 blocks");
    EXPECT_EQ(ProgramState.DontCare[0], 1);
    EXPECT_EQ(ProgramState.DontCare[5], 1);
    EXPECT_EQ(ProgramState.DontCare[14], 0);
    EXPECT_EQ(ProgramState.TruthTable[14], 1);
    EXPECT_EQ(ProgramState.TruthTable[0], 0);
    SetTerms({"-AG"});
    Trigger(frmKmap, "Show data in KMAP Grid");
    EXPECT_EQ(prompter.messages, QStringList{"Boolean string -AG is invalid"});
}

TEST_F(DontCareTest, FilesAndClipboardCarryTheMark) {
    UseVariables(16);
    SetTerms({"Ab", "-ABCDEFGHIJKLMNOP", "-", "-cD"});
    EXPECT_EQ(SaveText(), "Ab\r\n-ABCDEFGHIJKLMNOP\r\n-cD\r\n");
    EXPECT_EQ(prompter.messages.last(), "3 Lines was saved");
    frmKmap->ClearALLKMAP1Click();
    OpenText("Ab\r\n -ABCDEFGHIJKLMNOP \r\n-cD\r\n");
    EXPECT_EQ(prompter.messages.last(), "3 Boolean strings were read");
    EXPECT_EQ(Rows(), (QStringList{"Ab", "-ABCDEFGHIJKLMNOP", "-cD"}));
    Trigger(frmKmap, "Save All  to Clipboard");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Ab\r\n-ABCDEFGHIJKLMNOP\r\n-cD\r\n");
    frmKmap->ClearALLKMAP1Click();
    Trigger(frmKmap, "Get Clipbrd");
    EXPECT_EQ(Rows(), (QStringList{"Ab", "-ABCDEFGHIJKLMNOP", "-cD"}));
    prompter.inputAnswers.push_back("-cD");
    Trigger(frmKmap, "Find Boolean String");
    EXPECT_EQ(prompter.messages.last(), "String Found 3th row");
    // Too long even with its mark, and a mark alone, are no terms.
    OpenText("Ab\r\n-ABCDEFGHIJKLMNOPA\r\n");
    EXPECT_EQ(prompter.messages.last(), "Format error in string line no 2");
    OpenText("-\r\n");
    EXPECT_EQ(prompter.messages.last(), "Format error in string line no 1");
}

TEST_F(DontCareTest, SimplifyUsesDontCaresAndTheResultsTestsLetThemGo) {
    SetSegmentE();
    Trigger(frmKmap, "Simplify");
    EXPECT_TRUE(prompter.messages.isEmpty());
    QStringList terms = ResultTerms();
    terms.sort();
    EXPECT_EQ(terms, (QStringList{"Ad", "Cd", "bd"}));
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "6 don't cares used");
    // Ad covers the ON minterm 8, which bd covers too, and otherwise only don't cares: it can go.
    frmResult->btnquickoptimize->click();
    EXPECT_EQ(frmResult->Label3->text(), "1 selected");
    const int ad = static_cast<int>(ResultTerms().indexOf("Ad")) + 1;
    EXPECT_EQ(frmResult->Outputgrid->cell(1, ad), "x");
    EXPECT_EQ(frmResult->Outputgrid->cell(3, ad), "2");
    frmResult->btnTestNewData->click();
    EXPECT_EQ(prompter.messages, QStringList{"New boolean strings ok"});
    frmResult->btnTestRemoving->click();
    EXPECT_EQ(prompter.messages.last(), "Removable");
    // Without don't cares the panel takes back its note.
    SetTerms({"abcd", "", "", "", "", "", "", "", "", ""});
    Trigger(frmKmap, "Simplify");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "");
}

TEST_F(DontCareTest, ExportsAndTheCalculatorSeeOnlyOn) {
    SetSegmentE();
    Trigger(frmKmap, "Simplify");
    const QString path = dir.filePath("e.bin");
    prompter.fileAnswers.push_back({true, path, 2});
    frmKmap->SaveasBin1Click();
    EXPECT_EQ(ReadFile(path), QByteArray("\x45\x01", 2));  // minterms 0, 2, 6, 8
    Trigger(frmKmap, "Copy KMAP to calc Z input");
    EXPECT_EQ(frmBooleanClac->edtZinput->text(), "abcd+abCd+aBCd+Abcd+");
    // The inversion swaps ON and OFF; the don't cares follow as they were.
    Trigger(frmKmap, "Invert BIN data");
    EXPECT_EQ(Rows(), (QStringList{"AbcD", "aBCD", "aBcD", "aBcd", "abCD", "abcD", "-ABCD", "-ABCd",
                                   "-ABcD", "-ABcd", "-AbCD", "-AbCd"}));
}

struct ConstantCase {
    const char* name;
    QStringList rows;
    QString message;
};

class DontCareConstant : public DontCareTest, public testing::WithParamInterface<ConstantCase> {};

TEST_P(DontCareConstant, HiOnlyWithSomethingOn) {
    SetTerms(GetParam().rows);
    Trigger(frmKmap, "Simplify");
    EXPECT_EQ(prompter.messages, QStringList{GetParam().message});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DontCareConstant,
    testing::Values(ConstantCase{"OnAndDontCareFill", {"A", "-a"}, "Simplification result is HI"},
                    ConstantCase{"OnlyDontCares", {"-A", "-a"}, "Simplification result is LO"},
                    ConstantCase{"MarkAlone", {"-", " - "}, "Editor is empty"},
                    ConstantCase{"BadDontCare", {"A", "-Abx"}, "Boolean string -Abx is invalid"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
