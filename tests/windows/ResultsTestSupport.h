// Helpers of the results window tests: filling the grid and the editor, reading rows and marks.
#pragma once

#include <QTest>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "tests/support/Reference.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/main.h"

class ResultsTest : public WindowTest {
  protected:
    TfrmResult* W = frmResult;
    TStringGrid* G = frmResult->Outputgrid;

    void SetUp() override {
        WindowTest::SetUp();
        SetVars(4);
        SetEditor({});
        // The searches read the don't cares of the function simplified last.
        ProgramState.DontCare.fill(0);
        W->Edit1->blockSignals(true);
        W->Edit1->clear();
        W->Edit1->blockSignals(false);
    }

    // Leaves the program as it starts, for tests that run after these in the same process.
    void TearDown() override {
        W->hide();
        SetVars(6);
        WindowTest::TearDown();
    }

    static void SetVars(int n) { frmBooleanClac->SpinEdit->setValue(n); }

    // Hands the rows over as a simplification would, in the given order and sort choice.
    void Show(const std::vector<TRankedTerm>& rows, int sortItem = 2) {
        W->rgSort->setItemIndex(sortItem);
        TStringListAdv list;
        for (const auto& row : rows) {
            list.AddObject(row.Term, static_cast<intptr_t>(row.Max) * 65536 + row.Min);
        }
        ShowResults(list);
    }

    // Hands the terms over with their real Min and Max.
    void ShowTerms(const std::vector<std::string>& terms, int sortItem = 2) {
        Show(RankedTerms(terms, ProgramState.VarCount), sortItem);
    }

    static void SetEditor(const std::vector<std::string>& terms) {
        TStringGrid* editor = frmKmap->inputgrid;
        if (editor->colCountValue() < 3) {
            editor->setColCount(3);
        }
        if (editor->rowCountValue() < static_cast<int>(terms.size()) + 2) {
            editor->setRowCount(static_cast<int>(terms.size()) + 2);
        }
        editor->clearColumn(2);
        for (size_t i = 0; i < terms.size(); ++i) {
            editor->setCell(2, static_cast<int>(i) + 1, QString::fromStdString(terms[i]));
        }
    }

    std::vector<TRankedTerm> Rows() const {
        std::vector<TRankedTerm> rows;
        for (int r = 1; r < G->rowCountValue(); ++r) {
            rows.push_back(
                {G->cell(2, r).toStdString(), G->cell(3, r).toInt(), G->cell(4, r).toInt()});
        }
        return rows;
    }

    std::vector<std::string> Terms() const {
        std::vector<std::string> terms;
        for (const auto& row : Rows()) {
            terms.push_back(row.Term);
        }
        return terms;
    }

    std::vector<int> Checked() const {
        std::vector<int> rows;
        for (int r = 0; r < G->rowCountValue(); ++r) {
            if (G->cell(1, r) == "x") {
                rows.push_back(r);
            }
        }
        return rows;
    }

    void Check(const std::vector<int>& rows) {
        for (const int r : rows) {
            G->setCell(1, r, "x");
        }
    }

    // A real mouse press on a data cell, scrolled into view first.
    void ClickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        G->scrollTo(G->model()->index(row, col));
        const QRect rect = G->cellRect(col, row);
        ASSERT_TRUE(rect.isValid());
        QTest::mouseClick(G->viewport(), button, {}, rect.center());
    }
};
