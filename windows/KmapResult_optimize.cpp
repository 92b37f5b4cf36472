// The results window's removal tests, check marks, the two searches, Remove and Undo last.
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include "model/Minterms.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/BusyCursor.h"
#include "windows/controls/Prompter.h"
#include "windows/main.h"

namespace {

// A long search lets the windows repaint now and then; user input waits until it ends.
class TKeepPainted {
  public:
    TKeepPainted() { FTimer.start(); }
    void Poll() {
        if (FTimer.elapsed() >= 100) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            FTimer.restart();
        }
    }

  private:
    QElapsedTimer FTimer;
};

// The editor's function as the validity test takes it: its plain and don't-care rows.
TEditorFunction ReadEditorFunction() {
    std::vector<TCube> plain;
    std::vector<TCube> dontCares;
    for (const QString& text : frmKmap->editorRows()) {
        const TMarkedTerm row = ReadMarkedTerm(text.toStdString());
        const std::string term = CutTerm(row.Term);
        if (!term.empty()) {
            (row.DontCare ? dontCares : plain).push_back(TermMasks(term));
        }
    }
    return EditorFunction(plain, dontCares, ProgramState.HighMinterm);
}

// What the rows must cover: the editor's ON set, or for the sums of a product its zeros; the
// don't cares stay free either way.
TEditorFunction RowsTarget(const TEditorFunction& editor, TUnitForm form) {
    if (form == TUnitForm::SumOfProducts) {
        return editor;
    }
    TEditorFunction zeros = editor;
    for (uint32_t& count : zeros.Counts) {
        count = count == 0 ? 1 : 0;
    }
    return zeros;
}

// What a validity test leaves behind: the table holds the editor's coverage counts, and the
// don't-care set its don't cares.
void StoreEditorCoverage(const TEditorFunction& function) {
    ClearTruthTable();
    ProgramState.DontCare.fill(0);
    for (size_t m = 0; m < function.Counts.size(); ++m) {
        ProgramState.TruthTable[m] = static_cast<uint8_t>(function.Counts[m]);
        ProgramState.DontCare[m] = function.DontCare[m];
    }
}

}  // namespace

std::vector<TRowCube> TfrmResult::RowCubes() const {
    std::vector<TRowCube> cubes(static_cast<size_t>(RowCount()));
    for (int r = 1; r < RowCount(); ++r) {
        const std::string term = RowTerm(r);
        if (!TrimBlanks(term).empty()) {
            cubes[static_cast<size_t>(r)] = TermMasks(term);
        }
    }
    return cubes;
}

std::vector<int> TfrmResult::CheckedRows() const {
    std::vector<int> rows;
    for (int r = 1; r < RowCount(); ++r) {
        if (RowChecked(r)) {
            rows.push_back(r);
        }
    }
    return rows;
}

void TfrmResult::HandleCheckClick(int col, int row) {
    if (CommandLoopRunning()) {
        return;
    }
    if (col == 1) {
        if (RowChecked(row)) {
            SetChecked(row, false);
        } else {
            SetChecked(row, true);
            const bool removable = CheckedRowsRemovable();
            Label3->setText(QString::number(row) + (removable ? " can remove" : " cant remove"));
            Label3->adjustSize();
        }
        Outputgrid->setCol(2);
        return;
    }
    if (col < 2) {
        Outputgrid->setCol(2);
    }
    frmKmap->setCursorPos(1);
}

bool TfrmResult::CheckedRowsRemovable() {
    const TRemovalVerdict verdict =
        RemovalTest(RowCubes(), CheckedRows(), ProgramState.DontCare, ProgramState.HighMinterm);
    // One report per test: a box per minterm would bury the user.
    if (verdict.ZeroMet) {
        ShowMessage("ERRRorr");
    }
    return verdict.Removable;
}

bool TfrmResult::UncheckedRowsValid() {
    const TEditorFunction editor = ReadEditorFunction();
    const bool same = ValidityTest(RowsTarget(editor, FForm), RowCubes(), CheckedRows());
    StoreEditorCoverage(editor);
    return same;
}

void TfrmResult::btnTestRemovingClick() {
    if (CommandLoopRunning()) {
        return;
    }
    int checked = 0;
    for (int r = 1; r < RowCount(); ++r) {
        checked += RowChecked(r) ? 1 : 0;
    }
    if (RowCount() == checked + 1) {
        ShowMessage("Cant remove all");
        return;
    }
    if (checked == 0) {
        return;
    }
    ShowMessage(CheckedRowsRemovable() ? "Removable" : "Non removable");
}

void TfrmResult::btnTestNewDataClick() {
    if (CommandLoopRunning()) {
        return;
    }
    ShowMessage(UncheckedRowsValid() ? "New boolean strings ok" : "Mismatch in new data");
}

void TfrmResult::btnclearchecksClick() {
    Outputgrid->beginUpdate();
    for (int r = 1; r < RowCount(); ++r) {
        SetChecked(r, false);
    }
    Outputgrid->endUpdate();
}

void TfrmResult::btnOptimizeClick() {
    if (CommandLoopRunning()) {
        return;
    }
    if (!AnyTermRow()) {
        ShowMessage("This result can not be further optimized");
        return;
    }
    TBusyCursor busy;
    SelectMinOrder();
    Outputgrid->clearColumn(1);
    std::vector<int> mins(static_cast<size_t>(RowCount()), 0);
    for (int r = 1; r < RowCount(); ++r) {
        mins[static_cast<size_t>(r)] = Outputgrid->cell(3, r).toInt();
    }
    const std::vector<int> candidates = OptimizeCandidates(mins);
    if (candidates.empty()) {
        busy.Restore();
        ShowMessage("This list cant be optimized further");
        return;
    }
    // One candidate always goes on its own, and two that pass together would only tie.
    std::vector<int> chosen{candidates.front()};
    if (candidates.size() > 2) {
        const TEditorFunction editor = ReadEditorFunction();
        TKeepPainted painter;
        chosen = BestCombination(RowsTarget(editor, FForm), RowCubes(), candidates,
                                 [&painter] { painter.Poll(); });
        StoreEditorCoverage(editor);
    }
    Outputgrid->beginUpdate();
    for (const int r : chosen) {
        SetChecked(r, true);
    }
    Outputgrid->endUpdate();
    busy.Restore();
    SpeedButton1Click();
}

void TfrmResult::btnquickoptimizeClick() {
    if (CommandLoopRunning()) {
        return;
    }
    btnclearchecksClick();
    TBusyCursor busy;
    SelectMinOrder();
    TKeepPainted painter;
    TQuickFeedback feedback;
    feedback.Poll = [&painter] { painter.Poll(); };
    feedback.RowJoined = [this](int r) { ShowTestedRow(r); };
    const TQuickSelection selection =
        QuickOptimize(RowCubes(), ProgramState.DontCare, ProgramState.HighMinterm, feedback);
    Outputgrid->beginUpdate();
    for (const int r : selection.Rows) {
        SetChecked(r, true);
    }
    Outputgrid->endUpdate();
    busy.Restore();
    if (selection.ZeroMet) {
        ShowMessage("ERRRorr");  // once, where the tests one by one would repeat it
    }
    Label3->setText(QString::number(selection.Rows.size()) + " selected");
    Label3->adjustSize();
    SpeedButton1Click();
}

void TfrmResult::ShowTestedRow(int row) {
    Label3->setText("Test term " + QString::number(row) + "   ");
    // Progress at a human pace; painting every accepted row would cost more than the search.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - FLastLabelPaint >= 50) {
        Label3->adjustSize();
        Label3->repaint();
        FLastLabelPaint = now;
    }
}

// The rows come back in the form they had: sums stay sums.
void TfrmResult::HandOver(TStringListAdv& list) {
    RankList(list);
    ShowResults(list, FForm);
}

void TfrmResult::btnRemoveCheckedClick() {
    if (CommandLoopRunning()) {
        return;
    }
    if (RowCount() <= 2) {
        return;
    }
    int checked = 0;
    int lastChecked = 0;
    for (int r = 1; r < RowCount(); ++r) {
        if (RowChecked(r)) {
            ++checked;
            lastChecked = r;
        }
    }
    if (checked == 0) {
        ShowMessage("Nothing selected");
        return;
    }
    if (checked == RowCount() - 1) {
        ShowMessage("Cant remove all");
        return;
    }
    FLastRemoved = RowTerm(lastChecked);
    TStringListAdv list;
    for (int r = 1; r < RowCount(); ++r) {
        if (!RowChecked(r) && RowHasTerm(r)) {
            list.Add(RowTerm(r));
        }
    }
    HandOver(list);
    btnundolast->setEnabled(true);
}

void TfrmResult::btnundolastClick() {
    if (CommandLoopRunning()) {
        return;
    }
    // Nothing was removed yet: there is nothing to bring back.
    if (TrimBlanks(FLastRemoved).empty()) {
        return;
    }
    TStringListAdv list;
    for (int r = 1; r < RowCount(); ++r) {
        if (RowHasTerm(r)) {
            list.Add(RowTerm(r));
        }
    }
    list.Add(FLastRemoved);
    HandOver(list);
    btnundolast->setEnabled(false);
}
