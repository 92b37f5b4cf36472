// Shared set-up of the K-map window tests: a shown window, a clean editor and map, input helpers.
#pragma once

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "model/State.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/main.h"

// Sets the program's variable count the way the user does, through the calculator.
inline void UseVariables(int n) {
    if (frmBooleanClac->SpinEdit->value() == n) {
        frmBooleanClac->SpinEditChange();
    } else {
        frmBooleanClac->SpinEdit->setValue(n);
    }
    ASSERT_EQ(ProgramState.VarCount, n);
}

inline QString Padded(const QString& term) {
    return term.leftJustified(16, ' ');
}

class KmapTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        frmKmap->show();
        QApplication::processEvents();
        UseVariables(4);
        editor()->setRowCount(40001);
        frmKmap->ClearALLKMAP1Click();
        frmKmap->setCursorPos(1);
        frmKmap->StatusBar->setPanelText(1, "");
        frmKmap->StatusBar->setPanelText(2, "");
        frmKmap->StatusBar->setPanelText(3, "");
        ProgramState.TruthTable.fill(0);
        editor()->setTopRow(1);
        SelectEditorCell(2, 1);
    }
    // Leaves the variable count the program starts with for tests that expect it.
    void TearDown() override {
        // Simplify shows the results window; other suites expect it hidden.
        frmResult->hide();
        UseVariables(6);
        WindowTest::TearDown();
    }

    static TStringGrid* editor() { return frmKmap->inputgrid; }
    static TStringGrid* map() { return frmKmap->KmapGrid; }

    static void SetTerms(const QStringList& terms) {
        for (int i = 0; i < terms.size(); ++i) {
            editor()->setCell(2, i + 1, terms[i]);
        }
    }
    // The trimmed terms of the first rows, up to the first empty one.
    static QStringList EditorTerms() {
        QStringList terms;
        for (int row = 1; row < editor()->rowCountValue(); ++row) {
            const QString term = editor()->cell(2, row).trimmed();
            if (term.isEmpty()) {
                break;
            }
            terms << term;
        }
        return terms;
    }
    static void SelectEditorCell(int col, int row) {
        editor()->setCurrentIndex(editor()->model()->index(row, col));
    }
    static void ClickCell(TStringGrid* grid, int col, int row,
                          Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid->viewport(), button, {}, grid->cellRect(col, row).center());
    }
    static void MoveOver(TStringGrid* grid, const QPoint& at) {
        QMouseEvent move(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
    }
    // The map's "on" cells as cell terms, row by row.
    static QStringList OnCells() {
        QStringList on;
        for (int r = 0; r < map()->rowCountValue(); ++r) {
            for (int c = 0; c < map()->colCountValue(); ++c) {
                if (map()->cell(c, r) == "x") {
                    on << frmKmap->cellTerm(c, r);
                }
            }
        }
        return on;
    }
};

// A K-map test that writes and reads files in a folder of its own.
class KmapFileTest : public KmapTest {
  protected:
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
};
