// The results window's removal tests, check marks, the two searches, Remove and Undo last.
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include "model/Minterms.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/KmapResult.h"
#include "windows/KmapResult_busy.h"
#include "windows/Windows.h"
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

uint32_t TableSize() {
    return ProgramState.HighMinterm + 1;
}

template <typename Visit>
void ForEachMinterm(const std::string& term, Visit visit) {
    VisitMinterms(TermMasks(term), ProgramState.HighMinterm, [&](uint32_t m) {
        visit(m);
        return true;
    });
}

// The function the editor holds: exact coverage counts of its plain terms (no wrap at 256)
// and a flag for every don't-care minterm that no plain term covers.
struct TEditorFunction {
    std::vector<uint32_t> Counts;
    std::vector<uint8_t> DontCare;

    // True when the minterm's value does not matter.
    bool Free(uint32_t m) const { return DontCare[m] != 0; }
};

TEditorFunction EditorCoverage() {
    TEditorFunction function{std::vector<uint32_t>(TableSize(), 0),
                             std::vector<uint8_t>(TableSize(), 0)};
    std::vector<std::string> dontCares;
    const TStringGrid* editor = frmKmap->inputgrid;
    for (int r = 1; r < editor->rowCountValue(); ++r) {
        std::string text = TrimBlanks(editor->cell(2, r).toStdString());
        if (TakeDontCareMark(text)) {
            dontCares.push_back(CutTerm(TrimBlanks(text)));
            continue;
        }
        const std::string term = CutTerm(text);
        if (!term.empty()) {
            ForEachMinterm(term, [&](uint32_t m) { ++function.Counts[m]; });
        }
    }
    for (const std::string& term : dontCares) {
        if (!term.empty()) {
            ForEachMinterm(
                term, [&](uint32_t m) { function.DontCare[m] = function.Counts[m] == 0 ? 1 : 0; });
        }
    }
    return function;
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

// True for a minterm of the last simplified function whose value does not matter.
bool FreeMinterm(uint32_t m) {
    return ProgramState.DontCare[m] != 0;
}

struct TCombination {
    std::string Digits;  // candidate numbers as characters "1" to ":", increasing
    int Tag = 0;         // 0 untested, -1 fails or excluded, k > 0 passes with k candidates
};

// All k-element subsets of candidates 1..n for k = 2..n, each size in lexicographic order.
std::vector<TCombination> CombinationList(int n) {
    std::vector<TCombination> list;
    for (int k = 2; k <= n; ++k) {
        std::vector<int> pick(static_cast<size_t>(k));
        for (int i = 0; i < k; ++i) {
            pick[static_cast<size_t>(i)] = i + 1;
        }
        while (true) {
            TCombination entry;
            for (const int d : pick) {
                entry.Digits += static_cast<char>('0' + d);
            }
            list.push_back(entry);
            int i = k - 1;
            while (i >= 0 && pick[static_cast<size_t>(i)] == n - k + i + 1) {
                --i;
            }
            if (i < 0) {
                break;
            }
            ++pick[static_cast<size_t>(i)];
            for (int j = i + 1; j < k; ++j) {
                pick[static_cast<size_t>(j)] = pick[static_cast<size_t>(j - 1)] + 1;
            }
        }
    }
    return list;
}

}  // namespace

std::vector<std::string> TfrmResult::CheckedTerms() const {
    std::vector<std::string> terms;
    for (int r = 1; r < RowCount(); ++r) {
        if (RowChecked(r) && RowHasTerm(r)) {
            terms.push_back(RowTerm(r));
        }
    }
    return terms;
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
            const bool removable = RemovalTest(CheckedTerms());
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

// Drops the listed terms one after another from the coverage of all rows; a minterm that
// would lose its last cover fails the test. The table is left as it was found.
bool TfrmResult::RemovalTest(const std::vector<std::string>& terms) {
    auto& table = ProgramState.TruthTable;
    const auto saved = table;
    ClearTruthTable();
    for (int r = 1; r < RowCount(); ++r) {
        if (RowHasTerm(r)) {
            AddTermToTable(RowTerm(r));
        }
    }
    bool removable = true;
    bool zeroMet = false;
    for (const std::string& term : terms) {
        VisitMinterms(TermMasks(CutTerm(term)), ProgramState.HighMinterm, [&](uint32_t m) {
            if (FreeMinterm(m)) {
                return true;  // may end up uncovered
            }
            if (table[m] == 1) {
                removable = false;
                return false;
            }
            zeroMet = zeroMet || table[m] == 0;
            --table[m];
            return true;
        });
        if (!removable) {
            break;
        }
    }
    table = saved;
    // One report per test: a box per minterm would bury the user.
    if (zeroMet) {
        ShowMessage("ERRRorr");
    }
    return removable;
}

// True when the unchecked rows cover exactly the minterms of the editor's terms, leaving
// aside its don't cares.
bool TfrmResult::ValidityTest() {
    const TEditorFunction function = EditorCoverage();
    const std::vector<uint32_t>& editor = function.Counts;
    std::vector<uint8_t> result(TableSize(), 0);
    for (int r = 1; r < RowCount(); ++r) {
        if (!RowChecked(r) && RowHasTerm(r)) {
            ForEachMinterm(RowTerm(r), [&](uint32_t m) { result[m] = 1; });
        }
    }
    bool same = true;
    for (uint32_t m = 0; m < result.size() && same; ++m) {
        same = function.Free(m) || (editor[m] != 0) == (result[m] != 0);
    }
    StoreEditorCoverage(function);
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
    ShowMessage(RemovalTest(CheckedTerms()) ? "Removable" : "Non removable");
}

void TfrmResult::btnTestNewDataClick() {
    if (CommandLoopRunning()) {
        return;
    }
    ShowMessage(ValidityTest() ? "New boolean strings ok" : "Mismatch in new data");
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
    std::vector<int> candidates;
    for (int r = RowCount() - 1; r >= 1 && candidates.size() < 10; --r) {
        if (Outputgrid->cell(3, r).toInt() > 1) {
            candidates.push_back(r);
        }
    }
    if (candidates.empty()) {
        busy.Restore();
        ShowMessage("This list cant be optimized further");
        return;
    }
    // One candidate always goes on its own, and two that pass together would only tie.
    std::vector<int> chosen{candidates.front()};
    if (candidates.size() > 2) {
        chosen = OptimizeCandidates(candidates);
    }
    Outputgrid->beginUpdate();
    for (const int r : chosen) {
        SetChecked(r, true);
    }
    Outputgrid->endUpdate();
    busy.Restore();
    SpeedButton1Click();
}

// Tries the combinations of candidates in list order; a failing one excludes every later one
// that begins with it. Each trial asks whether the rows outside it still cover exactly the
// editor's minterms, computed from the counts of all rows minus those of the trial.
std::vector<int> TfrmResult::OptimizeCandidates(const std::vector<int>& candidates) {
    const uint32_t size = TableSize();
    const TEditorFunction function = EditorCoverage();
    const std::vector<uint32_t>& editor = function.Counts;
    std::vector<uint32_t> all(size, 0);
    for (int r = 1; r < RowCount(); ++r) {
        if (RowHasTerm(r)) {
            ForEachMinterm(RowTerm(r), [&](uint32_t m) { ++all[m]; });
        }
    }
    std::vector<uint32_t> differing;
    for (uint32_t m = 0; m < size; ++m) {
        if (!function.Free(m) && (editor[m] != 0) != (all[m] != 0)) {
            differing.push_back(m);
        }
    }
    std::vector<std::vector<uint32_t>> minterms(candidates.size());
    for (size_t d = 0; d < candidates.size(); ++d) {
        if (RowHasTerm(candidates[d])) {
            ForEachMinterm(RowTerm(candidates[d]), [&](uint32_t m) { minterms[d].push_back(m); });
        }
    }

    std::vector<uint32_t> dropped(size, 0);
    std::vector<uint32_t> touched;
    auto matches = [&](uint32_t m) {
        return function.Free(m) || (editor[m] != 0) == (all[m] - dropped[m] != 0);
    };
    auto passes = [&](const std::string& digits) {
        touched.clear();
        for (const char c : digits) {
            for (const uint32_t m : minterms[static_cast<size_t>(c - '1')]) {
                if (dropped[m]++ == 0) {
                    touched.push_back(m);
                }
            }
        }
        const bool ok = std::all_of(differing.begin(), differing.end(), matches) &&
                        std::all_of(touched.begin(), touched.end(), matches);
        for (const uint32_t m : touched) {
            dropped[m] = 0;
        }
        return ok;
    };

    std::vector<TCombination> list = CombinationList(static_cast<int>(candidates.size()));
    TKeepPainted painter;
    for (size_t e = 0; e < list.size(); ++e) {
        if (list[e].Tag == -1) {
            continue;
        }
        if (passes(list[e].Digits)) {
            list[e].Tag = static_cast<int>(list[e].Digits.size());
        } else {
            list[e].Tag = -1;
            for (size_t later = e + 1; later < list.size(); ++later) {
                if (list[later].Digits.starts_with(list[e].Digits)) {
                    list[later].Tag = -1;
                }
            }
        }
        painter.Poll();
    }
    StoreEditorCoverage(function);

    size_t best = 0;
    int bestTag = 0;
    for (size_t e = 0; e < list.size(); ++e) {
        if (list[e].Tag > bestTag) {
            best = e;
            bestTag = list[e].Tag;
        }
    }
    std::vector<int> rows;
    if (bestTag > 0) {
        for (const char c : list[best].Digits) {
            rows.push_back(candidates[static_cast<size_t>(c - '1')]);
        }
    }
    return rows;
}

void TfrmResult::btnquickoptimizeClick() {
    if (CommandLoopRunning()) {
        return;
    }
    btnclearchecksClick();
    TBusyCursor busy;
    SelectMinOrder();
    bool zeroMet = false;
    const std::vector<int> rows = QuickOptimizeRows(zeroMet);
    Outputgrid->beginUpdate();
    for (const int r : rows) {
        SetChecked(r, true);
    }
    Outputgrid->endUpdate();
    busy.Restore();
    if (zeroMet) {
        ShowMessage("ERRRorr");  // once, where the tests one by one would repeat it
    }
    Label3->setText(QString::number(rows.size()) + " selected");
    Label3->adjustSize();
    SpeedButton1Click();
}

// Greedy from the bottom row up: a row joins the set W when W with it still passes the
// removal test. Without re-plotting: the test of W + t replays W's drops exactly as the
// previous successful test did, so only t's own minterms decide. At t's visit of m the
// entry is (count - drops of W on m) mod 256; it fails at 1 and meets a zero at 0.
std::vector<int> TfrmResult::QuickOptimizeRows(bool& zeroMet) {
    const uint32_t size = TableSize();
    std::vector<uint8_t> counts(size, 0);
    for (int r = 1; r < RowCount(); ++r) {
        if (RowHasTerm(r)) {
            ForEachMinterm(RowTerm(r), [&](uint32_t m) { ++counts[m]; });
        }
    }
    std::vector<uint8_t> drops(size, 0);
    std::vector<int> rows;
    bool zeroInW = false;
    zeroMet = false;
    TKeepPainted painter;
    for (int r = RowCount() - 1; r >= 1; --r) {
        painter.Poll();
        if (!RowHasTerm(r)) {
            continue;
        }
        const TTermMasks masks = TermMasks(RowTerm(r));
        bool passes = true;
        bool zeroHere = false;
        VisitMinterms(masks, ProgramState.HighMinterm, [&](uint32_t m) {
            if (FreeMinterm(m)) {
                return true;
            }
            const auto entry = static_cast<uint8_t>(counts[m] - drops[m]);
            if (entry == 1) {
                passes = false;
                return false;
            }
            zeroHere = zeroHere || entry == 0;
            return true;
        });
        zeroMet = zeroMet || zeroInW || zeroHere;
        if (!passes) {
            continue;
        }
        VisitMinterms(masks, ProgramState.HighMinterm, [&](uint32_t m) {
            ++drops[m];
            return true;
        });
        zeroInW = zeroInW || zeroHere;
        rows.push_back(r);
        ShowTestedRow(r);
    }
    return rows;
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

void TfrmResult::HandOver(TStringListAdv& list) {
    RankList(list);
    ShowResults(list);
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
