// The results window's groups on the K-map: the rows not checked, drawn over the rows' function.
#include <QEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>

#include "model/Minterms.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/Placement.h"
#include "windows/controls/TermCell.h"
#include "windows/main.h"
#include "windows/main_groups.h"

namespace {

TGroupsLayer* MapGroups() {
    return frmKmap != nullptr ? frmKmap->mapGroups() : nullptr;
}

// Tells the map's groups which results row is under the mouse.
class THoverWatch : public QObject {
  public:
    explicit THoverWatch(TStringGrid* grid) : QObject(grid), FGrid(grid) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        TGroupsLayer* groups = MapGroups();
        if (groups == nullptr || !groups->hasGroups()) {
            return false;
        }
        if (event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            groups->setHovered(FGrid->rowAt(at.y()));
        } else if (event->type() == QEvent::Leave) {
            groups->setHovered(-1);
        }
        return false;
    }

  private:
    TStringGrid* FGrid;
};

// A row's sum as the text export writes it: A+b+C gives (A + B' + C).
QString SumText(const QString& exported) {
    if (exported.isEmpty()) {
        return {};
    }
    QStringList letters;
    for (const QString& letter : exported.split('+')) {
        letters << (letter == letter.toLower() ? letter.toUpper() + "'" : letter);
    }
    return "(" + letters.join(" + ") + ")";
}

}  // namespace

void TfrmResult::ConnectGroups() {
    // A changed row, mark or order is a changed result: its groups leave the map.
    auto clear = [this] {
        if (TGroupsLayer* groups = MapGroups(); groups != nullptr && !FLegendUpdating) {
            groups->clearGroups();
        }
    };
    connect(Outputgrid->model(), &QAbstractItemModel::dataChanged, this, clear);
    connect(Outputgrid->model(), &QAbstractItemModel::modelReset, this, clear);
    auto select = [](const QModelIndex& index) {
        if (TGroupsLayer* groups = MapGroups(); groups != nullptr && groups->hasGroups()) {
            groups->setSelected(index.row());
        }
    };
    connect(Outputgrid->selectionModel(), &QItemSelectionModel::currentChanged, this, select);
    // A click on the row that is already current changes nothing above, yet picks that row.
    connect(Outputgrid, &QAbstractItemView::pressed, this, select);
    Outputgrid->viewport()->installEventFilter(new THoverWatch(Outputgrid));
    // Queued: groups leave while the grid reports a change, which is no time to reshape it.
    if (TGroupsLayer* groups = MapGroups()) {
        connect(groups, &TGroupsLayer::groupsChanged, this, &TfrmResult::ShowLegend,
                Qt::QueuedConnection);
    }
}

QColor TfrmResult::LegendColour(int row) const {
    const TGroupsLayer* groups = MapGroups();
    const bool shown = groups != nullptr && groups->hasGroups();
    return shown && row >= 0 && row < static_cast<int>(FLegend.size()) ? FLegend[row] : QColor();
}

void TfrmResult::ShowLegend() {
    const TGroupsLayer* groups = MapGroups();
    FLegend.assign(static_cast<size_t>(RowCount()), QColor());
    if (groups != nullptr) {
        for (const TMapGroup& group : groups->groups()) {
            if (group.Source > 0 && group.Source < RowCount()) {
                FLegend[static_cast<size_t>(group.Source)] = group.Colour;
            }
        }
    }
    const bool sums = FForm == TUnitForm::ProductOfSums && groups != nullptr && groups->hasGroups();
    FLegendUpdating = true;
    if (Outputgrid->colCountValue() != (sums ? 6 : 5)) {
        // A new column resets the grid; its current cell and scroll stay where they were.
        const int row = Outputgrid->row();
        const int col = Outputgrid->col();
        const int top = Outputgrid->topRow();
        Outputgrid->setColCount(sums ? 6 : 5);
        Outputgrid->setTopRow(top);
        Outputgrid->setRow(row);
        Outputgrid->setCol(col);
    }
    if (sums) {
        Outputgrid->beginUpdate();
        for (int r = 1; r < RowCount(); ++r) {
            Outputgrid->setCell(5, r, SumText(ExportedRow(r)));
        }
        Outputgrid->endUpdate();
    }
    FLegendUpdating = false;
    // The terms' column narrows to the terms so that the sums show beside them; the sums'
    // column scrolls into view where they are longer still.
    if (sums && FWideTermCol == 0) {
        FWideTermCol = Outputgrid->colWidth(2);
    }
    if (sums) {
        const QFontMetrics metrics(TermCellFont());
        const int letters = metrics.horizontalAdvance(QString(ProgramState.VarCount, 'W'));
        Outputgrid->setColWidth(2, std::min(FWideTermCol, letters + 3));
        int widest = metrics.horizontalAdvance("Sum");
        for (int r = 1; r < RowCount(); ++r) {
            widest = std::max(widest, metrics.horizontalAdvance(Outputgrid->cell(5, r)));
        }
        Outputgrid->setColWidth(5, widest + 6);
    } else if (FWideTermCol > 0) {
        Outputgrid->setColWidth(2, FWideTermCol);
        FWideTermCol = 0;
    }
    Outputgrid->setHorizontalScrollBarPolicy(sums ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    Outputgrid->viewport()->update();
}

void TfrmResult::btnShowGroupsClick() {
    if (CommandLoopRunning()) {
        return;
    }
    const int n = ProgramState.VarCount;
    const uint32_t high = ProgramState.HighMinterm;
    const std::vector<QColor>& palette = GroupPalette();
    TMintermBits covered = MakeMintermBits(n);
    std::vector<TMapGroup> groups;
    for (int r = 1; r < RowCount(); ++r) {
        TCube cube;
        if (!RowHasTerm(r) || !TermCube(RowTerm(r), n, cube)) {
            continue;
        }
        AddCubeMinterms(covered, n, cube);
        if (RowChecked(r)) {
            continue;
        }
        // A row of a product of sums is named by its sum: aBc is (A+b+C).
        const QString name =
            FForm == TUnitForm::ProductOfSums ? "(" + ExportedRow(r) + ")" : ExportedRow(r);
        groups.push_back(TMapGroup{cube, palette[groups.size() % palette.size()], name, r});
    }
    // The function, as the removal tests take it: what the rows cover, or for sums what they
    // leave; the don't cares stay free either way.
    TMintermBits dontCare = DontCareBits(ProgramState.DontCare, n);
    TMintermBits on = MakeMintermBits(n);
    for (uint32_t m = 0; m <= high; ++m) {
        if (!TestMinterm(dontCare, m) &&
            TestMinterm(covered, m) == (FForm == TUnitForm::SumOfProducts)) {
            SetMinterm(on, m);
        }
    }
    frmKmap->ShowGroups(on, dontCare, std::move(groups));
    BringToFront(frmKmap);
}
