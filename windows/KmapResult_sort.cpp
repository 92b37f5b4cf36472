// The results window's four orders: Min, Max, Alpha and Length, each defined by a text key.
#include <QSignalBlocker>
#include <algorithm>

#include "engine/Simplify.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/Prompter.h"

namespace {

// One row as a key and its number; equal keys keep the number of the last row.
struct TSortEntry {
    std::string Key;
    uint32_t Number = 0;
};

// Orders the keys byte-wise and merges equal keys, the later number winning.
void SortAndMerge(std::vector<TSortEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const TSortEntry& a, const TSortEntry& b) {
        return TStringListAdv::CompareStrings(a.Key, b.Key) < 0;
    });
    std::vector<TSortEntry> merged;
    merged.reserve(entries.size());
    for (TSortEntry& entry : entries) {
        if (!merged.empty() && merged.back().Key == entry.Key) {
            merged.back().Number = entry.Number;
        } else {
            merged.push_back(std::move(entry));
        }
    }
    entries.swap(merged);
}

std::string PadLeft(const std::string& text, size_t width, char fill) {
    return text.size() < width ? std::string(width - text.size(), fill) + text : text;
}

std::string StripLeading(const std::string& text, char c) {
    const size_t first = text.find_first_not_of(c);
    return first == std::string::npos ? std::string() : text.substr(first);
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

uint32_t CellNumber(const TStringGrid* grid, int col, int row) {
    return static_cast<uint32_t>(grid->cell(col, row).toInt());
}

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
            SortByCount(3, 4);
            break;
        case 1:
            SortByCount(4, 3);
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

// Key: the count padded to three digits, a blank, the term filled with "1" to 22 characters.
void TfrmResult::SortByCount(int keyCol, int otherCol) {
    std::vector<TSortEntry> entries;
    entries.reserve(static_cast<size_t>(RowCount()));
    for (int r = 1; r < RowCount(); ++r) {
        if (!RowHasTerm(r)) {
            continue;
        }
        std::string key = PadLeft(Outputgrid->cell(keyCol, r).toStdString(), 3, '0') + " " +
                          Outputgrid->cell(2, r).toStdString();
        if (key.size() < 22) {
            key.append(22 - key.size(), '1');
        }
        entries.push_back({std::move(key), CellNumber(Outputgrid, otherCol, r)});
    }
    SortAndMerge(entries);
    Outputgrid->beginUpdate();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& key = entries[i].Key;
        std::string term = key.size() > 4 ? key.substr(4, TermCapacity) : std::string();
        term.erase(std::remove(term.begin(), term.end(), '1'), term.end());
        QString count = QString::fromStdString(TrimBlanks(StripLeading(key.substr(0, 4), '0')));
        if (count.isEmpty()) {
            count = "0";  // a count of 0 stays a number
        }
        const int row = static_cast<int>(i) + 1;
        Outputgrid->setCell(2, row, QString::fromStdString(term));
        Outputgrid->setCell(keyCol, row, count);
        Outputgrid->setCell(otherCol, row, QString::number(entries[i].Number));
    }
    Outputgrid->endUpdate();
}

void TfrmResult::SortAlpha() {
    std::vector<TSortEntry> entries;
    entries.reserve(static_cast<size_t>(RowCount()));
    for (int r = 1; r < RowCount(); ++r) {
        if (RowHasTerm(r)) {
            entries.push_back({Outputgrid->cell(2, r).toStdString(), 0});
        }
    }
    if (entries.empty()) {
        return;
    }
    SortAndMerge(entries);
    TStringListAdv list;
    list.SetCapacity(static_cast<int>(entries.size()));
    for (const TSortEntry& entry : entries) {
        list.Add(entry.Key);
    }
    RankList(list);
    Outputgrid->beginUpdate();
    for (int i = 0; i < list.Count(); ++i) {
        const auto rank = static_cast<uint32_t>(list.Objects(i));
        Outputgrid->setCell(2, i + 1, QString::fromStdString(list.Strings(i)));
        Outputgrid->setCell(3, i + 1, QString::number(rank & 0xFFFFu));
        Outputgrid->setCell(4, i + 1, QString::number(rank >> 16));
    }
    Outputgrid->endUpdate();
}

// Key: the trimmed term padded on the left with "0" to 16 characters, so shorter comes first.
void TfrmResult::SortLength() {
    std::vector<TSortEntry> entries;
    entries.reserve(static_cast<size_t>(RowCount()));
    for (int r = 1; r < RowCount(); ++r) {
        if (!RowHasTerm(r)) {
            continue;
        }
        std::string key =
            PadLeft(TrimBlanks(Outputgrid->cell(2, r).toStdString()), TermCapacity, '0');
        const uint32_t number =
            CellNumber(Outputgrid, 4, r) * 65536u + CellNumber(Outputgrid, 3, r);
        entries.push_back({std::move(key), number});
    }
    SortAndMerge(entries);
    Outputgrid->beginUpdate();
    for (size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const uint32_t number = entries[i].Number;
        Outputgrid->setCell(2, row,
                            QString::fromStdString(TrimBlanks(StripLeading(entries[i].Key, '0'))));
        Outputgrid->setCell(3, row, QString::number(number & 0xFFFFu));
        Outputgrid->setCell(4, row, QString::number(number >> 16));
    }
    Outputgrid->endUpdate();
}

// Min and Max of every term over the list itself; the table keeps the list's coverage.
void TfrmResult::RankList(TStringListAdv& list) {
    TFirstMessage messages;
    RankTerms(list, &messages, &ProgramState.DontCare);
    if (!messages.Text.empty()) {
        ShowMessage(QString::fromStdString(messages.Text));
    }
}
