// The results window's four orders: Min, Max, Alpha and Length, on the rows' terms and counts.
#include <QSignalBlocker>
#include <algorithm>

#include "engine/Simplify.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/Prompter.h"

namespace {

// Sorts the rows and merges those the order holds equal: the later row stays.
template <typename Less>
void SortAndMerge(std::vector<TSortRow>& rows, Less less) {
    std::stable_sort(rows.begin(), rows.end(), less);
    const auto kept =
        std::unique(rows.rbegin(), rows.rend(),
                    [&](const TSortRow& a, const TSortRow& b) { return !less(b, a); });
    rows.erase(rows.begin(), kept.base());
}

bool TermBefore(const std::string& a, const std::string& b) {
    return TStringListAdv::CompareStrings(a, b) < 0;
}

// Keeps the first message of a ranking: one box per command, however many terms raise it.
class TFirstMessage : public TMessageSink {
  public:
    void showMessage(const std::string& text) override {
        if (Text.empty()) {
            Text = text;
        }
    }
    std::string Text;
};

}  // namespace

void TfrmResult::rgSortClick() {
    // Sorting by term ranks the terms again, which rewrites the truth table. A refused sort
    // puts the selection back on the order the rows are in.
    if (CommandLoopRunning()) {
        const QSignalBlocker quiet(rgSort);
        rgSort->setItemIndex(FSortInForce);
        return;
    }
    FSortInForce = rgSort->itemIndex();
    switch (FSortInForce) {
        case 0:
            SortByCount(false);
            break;
        case 1:
            SortByCount(true);
            break;
        case 2:
            SortAlpha();
            break;
        case 3:
            SortLength();
            break;
        default:
            break;
    }
    Outputgrid->setTopRow(1);
}

void TfrmResult::SelectMinOrder() {
    // Selecting runs rgSortClick only when the choice changes.
    rgSort->setItemIndex(0);
}

// Ascending count, then term; a term before any longer term that begins with it.
void TfrmResult::SortByCount(bool byMax) {
    std::vector<TSortRow> rows = SortRows();
    SortAndMerge(rows, [byMax](const TSortRow& a, const TSortRow& b) {
        const int countA = byMax ? a.Max : a.Min;
        const int countB = byMax ? b.Max : b.Min;
        return countA != countB ? countA < countB : TermBefore(a.Term, b.Term);
    });
    WriteSortRows(rows);
}

void TfrmResult::SortAlpha() {
    std::vector<TSortRow> rows = SortRows(false);  // ranking gives the counts
    if (rows.empty()) {
        return;
    }
    SortAndMerge(rows,
                 [](const TSortRow& a, const TSortRow& b) { return TermBefore(a.Term, b.Term); });
    TStringListAdv list;
    list.SetCapacity(static_cast<int>(rows.size()));
    for (const TSortRow& row : rows) {
        list.Add(row.Term);
    }
    RankList(list);
    for (int i = 0; i < list.Count(); ++i) {
        const intptr_t rank = list.Objects(i);
        rows[static_cast<size_t>(i)].Min = RankMin(rank);
        rows[static_cast<size_t>(i)].Max = RankMax(rank);
    }
    WriteSortRows(rows);
}

// Shorter terms first, then byte-wise.
void TfrmResult::SortLength() {
    std::vector<TSortRow> rows = SortRows();
    SortAndMerge(rows, [](const TSortRow& a, const TSortRow& b) {
        return a.Term.size() != b.Term.size() ? a.Term.size() < b.Term.size()
                                              : TermBefore(a.Term, b.Term);
    });
    WriteSortRows(rows);
}

std::vector<TSortRow> TfrmResult::SortRows(bool withCounts) const {
    std::vector<TSortRow> rows;
    rows.reserve(static_cast<size_t>(RowCount()));
    for (int r = 1; r < RowCount(); ++r) {
        std::string term = TrimBlanks(RowTerm(r));
        if (term.empty()) {
            continue;
        }
        rows.push_back({std::move(term), withCounts ? Outputgrid->cell(3, r).toInt() : 0,
                        withCounts ? Outputgrid->cell(4, r).toInt() : 0});
    }
    return rows;
}

// Rows from 1 on; merged rows leave the rows below the last written as they were.
void TfrmResult::WriteSortRows(const std::vector<TSortRow>& rows) {
    Outputgrid->beginUpdate();
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        Outputgrid->setCell(2, row, QString::fromStdString(rows[i].Term));
        Outputgrid->setCell(3, row, QString::number(rows[i].Min));
        Outputgrid->setCell(4, row, QString::number(rows[i].Max));
    }
    Outputgrid->endUpdate();
}

// Min and Max of every term over the list itself; the table keeps the list's coverage.
void TfrmResult::RankList(TStringListAdv& list) {
    TFirstMessage messages;
    RankTerms(list, ProgramState.VarCount, ProgramState.TruthTable, &messages,
              &ProgramState.DontCare);
    if (!messages.Text.empty()) {
        ShowMessage(QString::fromStdString(messages.Text));
    }
}
