// Takes the README's pictures of the windows (docs/*.png); scripts/screenshots.sh runs it
// under a virtual display. Without QUILLON_SCREENSHOTS naming a folder it does nothing.
#include <QDir>

#include "KmapTestSupport.h"
#include "model/FunctionSet.h"
#include "tests/support/SharedFunctions.h"
#include "windows/FormBoolProjects.h"
#include "windows/Outputs.h"
#include "windows/TruthTable.h"

namespace {

class ReadmeScreenshots : public KmapTest {
  protected:
    void SetUp() override {
        folder = qEnvironmentVariable("QUILLON_SCREENSHOTS");
        if (folder.isEmpty()) {
            GTEST_SKIP() << "set QUILLON_SCREENSHOTS to a folder to take the pictures";
        }
        KmapTest::SetUp();
    }
    void TearDown() override {
        if (folder.isEmpty()) {
            return;
        }
        frmKmap->Timer1Timer();
        frmKmap->Clearallchecks1Click();
        frmBoolprojects->hide();
        frmKmap->hide();
        frmResult->rgSort->setItemIndex(2);
        for (QLineEdit* edit : {frmBooleanClac->edtXinput, frmBooleanClac->edtYinput,
                                frmBooleanClac->edtZinput, frmBooleanClac->edtB1input}) {
            edit->clear();
        }
        KmapTest::TearDown();
    }

    void Take(QWidget* window, const char* name) {
        window->raise();
        QApplication::processEvents();
        ASSERT_TRUE(window->grab().save(QDir(folder).filePath(name)));
    }

    // The editor's terms, the first `checked` of them checked, on the map and highlighted.
    static void ShowTerms(const QStringList& terms, int checked) {
        SetTerms(terms);
        for (int row = 1; row <= checked; ++row) {
            editor()->setCell(1, row, "x");
        }
        frmKmap->ShowdatainKMAPGrid1Click();
        frmKmap->mnuHiliteClick();
    }

    QString folder;
};

TEST_F(ReadmeScreenshots, Take) {
    frmBooleanClac->show();
    frmBooleanClac->resize(891, 634);
    frmBooleanClac->SpinEdit->setValue(6);
    frmBooleanClac->edtXinput->setText("AB+cD");
    frmBooleanClac->edtYinput->setText("aBc+Ef");
    frmBooleanClac->lblboolOrClick();
    frmBooleanClac->edtB1input->setText("AbC+aD");
    frmBooleanClac->edtZinput->setFocus();
    frmBooleanClac->edtZinputChange();
    Take(frmBooleanClac, "calculator.png");

    UseVariables(4);
    frmKmap->show();
    ShowTerms({"abC", "aBcD", "Ab", "ABCD"}, 2);
    SelectEditorCell(2, 1);
    Take(frmKmap, "kmap-4vars.png");
    frmKmap->Timer1Timer();
    frmKmap->ClearALLKMAP1Click();

    UseVariables(8);
    frmKmap->resize(640, 560);
    ShowTerms({"abCdEF", "AbcDef", "aBcDeFgH", "ACeG", "aBCdEfGh"}, 1);
    MoveOver(map(), map()->cellRect(5, 3).center());
    Take(frmKmap, "kmap-8vars.png");
    frmKmap->Timer1Timer();
    frmKmap->ClearALLKMAP1Click();

    UseVariables(6);
    SetTerms({"ABc", "aBCd", "bCEf", "AdEF", "abDe", "BCDEF", "acDf", "AbcE", "aBdF", "CdEf"});
    Trigger(frmKmap, "Simplify");
    frmKmap->hide();
    frmResult->rgSort->setItemIndex(0);
    frmResult->btnquickoptimizeClick();
    Take(frmResult, "results.png");
    frmResult->hide();

    frmBoolprojects->show();
    frmBoolprojects->btn4bitadderstringClick();
    frmKmap->hide();
    Take(frmBoolprojects, "projects.png");

    frmBoolprojects->hide();
    TPla pla;
    TPlaError error;
    ReadPla(SharedFunctions::SevenSegmentPla(), pla, error);
    frmOutputs->ReceiveFunctionSet(pla, SharedFunctions::SevenSegment());
    frmOutputs->btnSharedCoverClick();
    Take(frmOutputs, "outputs.png");
    frmOutputs->hide();
}

// The groups of a result on the map: the minimum cover of the editor's function, shown.
TEST_F(ReadmeScreenshots, TakeGroups) {
    UseVariables(4);
    frmKmap->show();
    SetTerms({"abd", "aBc", "ABCD", "AbC", "aBCd", "Abd"});
    Trigger(frmKmap, "Simplify");
    frmResult->btnMinimumCoverClick();
    frmResult->btnShowGroupsClick();
    Take(frmKmap, "kmap-groups-4vars.png");
    Take(frmResult, "results-groups.png");
    frmResult->hide();
    frmKmap->ClearALLKMAP1Click();

    UseVariables(8);
    frmKmap->resize(640, 560);
    SetTerms({"abCdEF", "AbcDef", "aBcDeFgH", "ACeG", "aBCdEfGh", "bdfh", "ABCD", "EfGh"});
    Trigger(frmKmap, "Simplify");
    frmResult->btnMinimumCoverClick();
    frmResult->btnShowGroupsClick();
    MoveOver(map(), map()->cellRect(5, 3).center());
    Take(frmKmap, "kmap-groups-8vars.png");
    frmResult->hide();
    frmKmap->ClearALLKMAP1Click();

    UseVariables(4);
    frmKmap->resize(500, 500);
    SetTerms({"abd", "aBc", "ABCD", "AbC", "aBCd", "Abd"});
    Trigger(frmKmap, "Product of sums");
    frmResult->btnMinimumCoverClick();
    frmResult->btnShowGroupsClick();
    Take(frmKmap, "kmap-product-of-sums.png");
    Take(frmResult, "results-product-of-sums.png");
    frmResult->hide();
    frmKmap->ClearALLKMAP1Click();
}

// The saved pictures of 10- and 12-variable maps with their groups: their axes labelled.
TEST_F(ReadmeScreenshots, TakeMapPictures) {
    frmKmap->show();
    for (const int n : {10, 12}) {
        UseVariables(n);
        SetTerms({"AbcDe", "abCDEfG", "ACEgh", "BdfIj", "abcdefghiJ"});
        Trigger(frmKmap, "Simplify");
        frmResult->btnShowGroupsClick();
        QFile file(QDir(folder).filePath(QString("map-picture-%1vars.png").arg(n)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(frmKmap->MapPicturePng());
    }
    frmResult->hide();
}

// The truth table of a small map with a don't care, and of 16 variables scrolled to the end.
TEST_F(ReadmeScreenshots, TakeTruthTable) {
    UseVariables(4);
    frmKmap->show();
    ShowTerms({"aBd", "ABC"}, 0);
    map()->setCell(3, 3, "-");
    frmKmap->mnuTruthTableClick();
    frmTruthTable->TruthGrid->setRow(7);
    Take(frmTruthTable, "truth-table.png");
    UseVariables(16);
    map()->setCell(255, 255, "x");
    frmTruthTable->TruthGrid->setRow(frmTruthTable->TruthGrid->rowCountValue() - 1);
    Take(frmTruthTable, "truth-table-16vars.png");
    frmTruthTable->hide();
}

}  // namespace
