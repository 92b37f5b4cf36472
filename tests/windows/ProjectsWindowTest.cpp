// The projects window's generators, checked against the arithmetic they stand for.
#include <QApplication>
#include <QClipboard>
#include <functional>

#include "TestSupport.h"
#include "model/State.h"
#include "tests/support/Reference.h"
#include "windows/FormBoolProjects.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/main.h"

namespace {

// Operand bit k of the adder is the letter pair A/B, C/D, E/F, G/H.
int AdderSum(uint32_t m) {
    int a = 0;
    int b = 0;
    for (int k = 0; k < 4; ++k) {
        a |= static_cast<int>((m >> (7 - 2 * k)) & 1u) << k;
        b |= static_cast<int>((m >> (6 - 2 * k)) & 1u) << k;
    }
    return a + b;
}

int CarryOut(uint32_t m, int k) {
    const int mask = (1 << (k + 1)) - 1;
    int a = 0;
    int b = 0;
    for (int j = 0; j <= k; ++j) {
        a |= static_cast<int>((m >> (7 - 2 * j)) & 1u) << j;
        b |= static_cast<int>((m >> (6 - 2 * j)) & 1u) << j;
    }
    return ((a & mask) + (b & mask)) >> (k + 1);
}

void ExpectFunction(const QString& sum, const std::function<bool(uint32_t)>& truth,
                    const char* what) {
    for (uint32_t m = 0; m < 256; ++m) {
        ASSERT_EQ(EvalSum(sum.toStdString(), m, 8), truth(m))
            << what << " " << sum.toStdString() << " at " << m;
    }
}

QStringList MemoLines() {
    return frmBoolprojects->Memo1->toPlainText().split('\n');
}

QStringList ResultTerms() {
    QStringList terms;
    for (int r = 1; r < frmResult->Outputgrid->rowCountValue(); ++r) {
        terms << frmResult->Outputgrid->cell(2, r).trimmed();
    }
    return terms;
}

// The generators switch to 8 variables and show windows; later tests expect the start state.
class ProjectsWindow : public WindowTest {
  protected:
    void TearDown() override {
        frmKmap->hide();
        frmResult->hide();
        frmBoolprojects->hide();
        frmBooleanClac->SpinEdit->setValue(6);
        WindowTest::TearDown();
    }
};

TEST_F(ProjectsWindow, AdderEquationsAreTheRippleCarryAdder) {
    frmBoolprojects->btn4bitadderstringClick();
    EXPECT_EQ(ProgramState.VarCount, 8);
    const QStringList lines = MemoLines();
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "4 bit adder outputs(8) equations ");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Ab+aB");
    EXPECT_EQ(lines[3], "AB");
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(lines[4 + 3 * k], "----------------------");
        ExpectFunction(
            lines[2 + 3 * k], [k](uint32_t m) { return ((AdderSum(m) >> k) & 1) != 0; }, "sum");
        ExpectFunction(
            lines[3 + 3 * k], [k](uint32_t m) { return CarryOut(m, k) != 0; }, "carry");
    }
}

TEST_F(ProjectsWindow, AdderBinBitsAccumulateInTheMemo) {
    frmBoolprojects->Memo1->clear();
    for (int bit = 0; bit <= 4; ++bit) {
        frmBoolprojects->rgbits->setItemIndex(bit);
        frmBoolprojects->btn4bitadderBINClick();
        if (bit == 0) {
            EXPECT_EQ(ResultTerms(), (QStringList{"Ab", "aB"}));
        }
    }
    const QStringList lines = MemoLines();
    ASSERT_EQ(lines.size(), 5);
    for (int bit = 0; bit <= 4; ++bit) {
        ExpectFunction(
            lines[bit], [bit](uint32_t m) { return ((AdderSum(m) >> bit) & 1) != 0; }, "bit");
    }
    EXPECT_EQ(QApplication::clipboard()->text(), lines[4]);
}

TEST_F(ProjectsWindow, AdderBinBitWithoutMintermsIsConstantLo) {
    frmBoolprojects->Memo1->clear();
    frmBoolprojects->rgbits->setItemIndex(0);
    frmBoolprojects->btn4bitadderBINClick();
    frmBoolprojects->rgbits->setItemIndex(6);
    frmBoolprojects->btn4bitadderBINClick();
    EXPECT_EQ(MemoLines(), (QStringList{"Ab+aB", "Aa"}));
    EXPECT_TRUE(prompter.messages.contains("Editor is empty"));
    frmBoolprojects->rgbits->setItemIndex(0);
}

TEST_F(ProjectsWindow, ModThreePlacesEightySixMinterms) {
    frmBoolprojects->btnMODClick();
    int rows = 0;
    for (int r = 1; r < frmKmap->inputgrid->rowCountValue(); ++r) {
        const QString term = frmKmap->inputgrid->cell(2, r).trimmed();
        if (term.isEmpty()) {
            continue;
        }
        ++rows;
        uint32_t n = 0;
        for (const QChar c : term) {
            n = (n << 1) | (c.isUpper() ? 1u : 0u);
        }
        EXPECT_EQ(n % 3, 0u) << term.toStdString();
    }
    EXPECT_EQ(rows, 86);
}

TEST_F(ProjectsWindow, MultiplierBitZeroIsDH) {
    frmBoolprojects->rgbits->setItemIndex(0);
    frmBoolprojects->btn4bitmultiplyClick();
    EXPECT_EQ(ResultTerms(), QStringList{"DH"});
    EXPECT_EQ(QApplication::clipboard()->text(), "DH");
}

TEST_F(ProjectsWindow, ShowingItShowsTheKmapWindow) {
    frmKmap->hide();
    frmBoolprojects->show();
    EXPECT_TRUE(frmKmap->isVisible());
    frmBoolprojects->hide();
}

}  // namespace
