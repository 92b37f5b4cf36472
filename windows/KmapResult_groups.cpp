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

}  // namespace

void TfrmResult::ConnectGroups() {
    // A changed row, mark or order is a changed result: its groups leave the map.
    auto clear = [] {
        if (TGroupsLayer* groups = MapGroups()) {
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
