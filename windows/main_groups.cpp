// The groups over the K-map: outlines that wrap around the map's edges, or tints on large maps.
#include "windows/main_groups.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QToolTip>
#include <cmath>
#include <map>

#include "windows/controls/StringGrid.h"

namespace {

// Outline levels: overlapping groups take different insets so both stay visible.
constexpr int Levels = 3;
constexpr int Radius = 4;
constexpr int OutlineWidth = 2;
constexpr int BoldWidth = 4;
// A dark edge under each outline keeps light colours legible on white cells.
const QColor Casing(0, 0, 0, 110);
constexpr int TintAlpha = 166;
constexpr int BoldTintAlpha = 217;
constexpr int MaxNamed = 3;
// Stripes of a cell shared by several groups run across it diagonally, at most half a cell
// wide, so that each group gets a whole stripe in every cell.
constexpr qreal MaxStripe = 0.5;

bool CubesMeet(const TCube& a, const TCube& b) {
    return ((a.Hi ^ b.Hi) & a.Care & b.Care) == 0;
}

bool CubeHolds(const TCube& cube, uint32_t m) {
    return ((m ^ cube.Hi) & cube.Care) == 0;
}

// The part of the polygon where side * (x + y - limit) >= 0.
QPolygonF CutDiagonal(const QPolygonF& polygon, qreal side, qreal limit) {
    QPolygonF kept;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF p = polygon[i];
        const QPointF q = polygon[(i + 1) % polygon.size()];
        const qreal dp = side * (p.x() + p.y() - limit);
        const qreal dq = side * (q.x() + q.y() - limit);
        if (dp >= 0) {
            kept << p;
        }
        if ((dp >= 0) != (dq >= 0)) {
            kept << p + (q - p) * (dp / (dp - dq));
        }
    }
    return kept;
}

// A group's outline cut to the map's cells.
QPainterPath OutlineShape(const QPainterPath& path, int width, const QRectF& map, bool open) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    const QPainterPath shape = stroker.createStroke(path);
    if (!open) {
        return shape;
    }
    QPainterPath cells;
    cells.addRect(map);
    return shape.intersected(cells);
}

}  // namespace

const std::vector<QColor>& GroupPalette() {
    // Okabe and Ito's colours without black, then Tol's muted ones that stand out from them.
    static const std::vector<QColor> palette = {
        QColor(0xE6, 0x9F, 0x00), QColor(0x56, 0xB4, 0xE9), QColor(0x00, 0x9E, 0x73),
        QColor(0xF0, 0xE4, 0x42), QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00),
        QColor(0xCC, 0x79, 0xA7), QColor(0x44, 0xAA, 0x99), QColor(0xAA, 0x44, 0x99),
        QColor(0x99, 0x99, 0x33), QColor(0x88, 0xCC, 0xEE), QColor(0xCC, 0x66, 0x77)};
    return palette;
}

TGroupsLayer::TGroupsLayer(TStringGrid* grid) : QWidget(grid->viewport()), FGrid(grid) {
    setObjectName("GroupsLayer");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(grid->viewport()->rect());
    grid->viewport()->installEventFilter(this);
    QAbstractItemModel* model = grid->model();
    connect(model, &QAbstractItemModel::dataChanged, this, &TGroupsLayer::clearGroups);
    connect(model, &QAbstractItemModel::modelReset, this, &TGroupsLayer::clearGroups);
    hide();
}

void TGroupsLayer::setGroups(const TKmapLayout& layout, std::vector<TMapGroup> groups) {
    FLayout = layout;
    FGroups = std::move(groups);
    FHovered = -1;
    FSelected = -1;
    FRects.clear();
    for (const TMapGroup& group : FGroups) {
        FRects.push_back(CubeRects(FLayout, group.Cube));
    }
    AssignLevels();
    BuildTints();
    setVisible(hasGroups());
    raise();
    update();
    emit groupsChanged();
}

void TGroupsLayer::clearGroups() {
    if (FGroups.empty()) {
        return;
    }
    FGroups.clear();
    FRects.clear();
    FLevels.clear();
    FTints.clear();
    FHovered = -1;
    FSelected = -1;
    hide();
    emit groupsChanged();
}

void TGroupsLayer::setHovered(int source) {
    const int before = emphasis();
    FHovered = source;
    if (emphasis() != before) {
        update();
    }
}

void TGroupsLayer::setSelected(int source) {
    const int before = emphasis();
    FSelected = source;
    if (emphasis() != before) {
        update();
    }
}

std::vector<int> TGroupsLayer::groupsAt(TMapCell cell) const {
    std::vector<int> found;
    if (cell.Row < 0 || cell.Col < 0 || cell.Row >= FLayout.Rows() || cell.Col >= FLayout.Cols()) {
        return found;
    }
    const uint32_t m = CellMinterm(FLayout, cell);
    for (size_t i = 0; i < FGroups.size(); ++i) {
        if (CubeHolds(FGroups[i].Cube, m)) {
            found.push_back(static_cast<int>(i));
        }
    }
    return found;
}

QString TGroupsLayer::namesAt(TMapCell cell) const {
    const std::vector<int> found = groupsAt(cell);
    if (found.empty()) {
        return {};
    }
    QStringList names;
    for (size_t i = 0; i < found.size() && i < MaxNamed; ++i) {
        names << FGroups[static_cast<size_t>(found[i])].Name;
    }
    QString text = " in " + names.join(", ");
    if (found.size() > MaxNamed) {
        text += QString(" and %1 more").arg(found.size() - MaxNamed);
    }
    return text;
}

QColor TGroupsLayer::Tint(const QColor& group, const QColor& cell, bool bold) {
    const int a = bold ? BoldTintAlpha : TintAlpha;
    auto mix = [a](int g, int c) { return (g * a + c * (255 - a) + 127) / 255; };
    return QColor(mix(group.red(), cell.red()), mix(group.green(), cell.green()),
                  mix(group.blue(), cell.blue()));
}

void TGroupsLayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGroups(painter, emphasis());
}

void TGroupsLayer::paintGroups(QPainter& painter, int boldSource) const {
    if (FGroups.empty()) {
        return;
    }
    if (outlined()) {
        PaintOutlines(painter, boldSource);
    } else {
        PaintTints(painter, boldSource);
    }
}

bool TGroupsLayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FGrid->viewport() && event->type() == QEvent::Resize) {
        setGeometry(FGrid->viewport()->rect());
    }
    if (watched == FGrid->viewport() && event->type() == QEvent::ToolTip && hasGroups()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (ShowToolTip(help->pos(), help->globalPos())) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The status bar's panel for the cell lies beyond the window's edge at its first size; the
// tooltip names the groups where they can be read.
bool TGroupsLayer::ShowToolTip(const QPoint& at, const QPoint& global) const {
    int col = -1;
    int row = -1;
    if (!onCellText || !FGrid->mouseToCell(at, col, row) || groupsAt(TMapCell{row, col}).empty()) {
        return false;
    }
    QToolTip::showText(global, onCellText(col, row), FGrid->viewport());
    return true;
}

QRect TGroupsLayer::PixelRect(const TMapRect& rect) const {
    const int lastCol = rect.Col + rect.Cols - 1;
    const int lastRow = rect.Row + rect.Rows - 1;
    const int line = FGrid->gridLineWidth();
    const QPoint topLeft(FGrid->columnViewportPosition(rect.Col),
                         FGrid->rowViewportPosition(rect.Row));
    const QPoint end(FGrid->columnViewportPosition(lastCol) + FGrid->columnWidth(lastCol) - line,
                     FGrid->rowViewportPosition(lastRow) + FGrid->rowHeight(lastRow) - line);
    return QRect(topLeft, end - QPoint(1, 1));
}

void TGroupsLayer::PaintOutlines(QPainter& painter, int boldSource) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    size_t bold = FGroups.size();
    for (size_t i = 0; i < FGroups.size(); ++i) {
        if (boldSource >= 0 && FGroups[i].Source == boldSource) {
            bold = i;
            continue;
        }
        PaintOutline(painter, i, false);
    }
    if (bold < FGroups.size()) {
        PaintOutline(painter, bold, true);
    }
    painter.restore();
}

// Each block as a rounded box inside its cells; a side that continues across the map's edge
// runs past the edge, where the outline is cut off and so stays open.
void TGroupsLayer::PaintOutline(QPainter& painter, size_t group, bool bold) const {
    const int inset = InsetStep * (FLevels[group] + 1);
    const int beyond = inset + Radius + BoldWidth;
    const int width = bold ? BoldWidth : OutlineWidth;
    QPainterPath path;
    bool open = false;
    for (const TMapRect& rect : FRects[group]) {
        open = open || rect.OpenLeft || rect.OpenTop || rect.OpenRight || rect.OpenBottom;
        const QRect cells = PixelRect(rect);
        const QRectF box(
            QPointF(rect.OpenLeft ? cells.left() - beyond : cells.left() + inset,
                    rect.OpenTop ? cells.top() - beyond : cells.top() + inset),
            QPointF(rect.OpenRight ? cells.right() + 1 + beyond : cells.right() + 1 - inset,
                    rect.OpenBottom ? cells.bottom() + 1 + beyond : cells.bottom() + 1 - inset));
        path.addRoundedRect(box, Radius, Radius);
    }
    const QRectF map(PixelRect(TMapRect{0, 0, FLayout.Rows(), FLayout.Cols()}));
    painter.fillPath(OutlineShape(path, width + 2, map, open), Casing);
    painter.fillPath(OutlineShape(path, width, map, open), FGroups[group].Colour);
}

// The tints are drawn in cells, scaled to the cells' pixels: the cells of a large map have no
// grid lines between them.
void TGroupsLayer::PaintTints(QPainter& painter, int boldSource) const {
    const QRect map = PixelRect(TMapRect{0, 0, FLayout.Rows(), FLayout.Cols()});
    QRegion bold;
    for (size_t i = 0; i < FGroups.size(); ++i) {
        if (boldSource < 0 || FGroups[i].Source != boldSource) {
            continue;
        }
        for (const TMapRect& rect : FRects[i]) {
            bold += PixelRect(rect);
        }
    }
    painter.save();
    if (!bold.isEmpty()) {
        painter.setClipRegion(QRegion(map) - bold);
    }
    painter.translate(map.topLeft());
    painter.scale(FGrid->columnWidth(0), FGrid->rowHeight(0));
    for (size_t i = 0; i < FGroups.size(); ++i) {
        QColor colour = FGroups[i].Colour;
        colour.setAlpha(TintAlpha);
        painter.fillPath(FTints[i], colour);
    }
    painter.restore();
    for (size_t i = 0; i < FGroups.size() && !bold.isEmpty(); ++i) {
        if (FGroups[i].Source != boldSource) {
            continue;
        }
        QColor colour = FGroups[i].Colour;
        colour.setAlpha(BoldTintAlpha);
        for (const TMapRect& rect : FRects[i]) {
            painter.fillRect(PixelRect(rect), colour);
        }
    }
}

void TGroupsLayer::AssignLevels() {
    FLevels.assign(FGroups.size(), 0);
    if (!outlined()) {
        return;
    }
    for (size_t i = 0; i < FGroups.size(); ++i) {
        bool used[Levels] = {};
        for (size_t j = 0; j < i; ++j) {
            if (CubesMeet(FGroups[i].Cube, FGroups[j].Cube)) {
                used[FLevels[j]] = true;
            }
        }
        int level = 0;
        while (level < Levels && used[level]) {
            ++level;
        }
        FLevels[i] = level < Levels ? level : static_cast<int>(i % Levels);
    }
}

// Cells with the same groups are joined into rectangles, row runs first, then runs of equal
// rows, so that a picture of the map holds a few shapes per group rather than one per cell.
void TGroupsLayer::BuildTints() {
    FTints.assign(FGroups.size(), QPainterPath());
    if (outlined()) {
        return;
    }
    const int rows = FLayout.Rows();
    const int cols = FLayout.Cols();
    std::vector<std::vector<int>> cellGroups(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    for (size_t i = 0; i < FRects.size(); ++i) {
        for (const TMapRect& rect : FRects[i]) {
            for (int r = rect.Row; r < rect.Row + rect.Rows; ++r) {
                for (int c = rect.Col; c < rect.Col + rect.Cols; ++c) {
                    cellGroups[static_cast<size_t>(r * cols + c)].push_back(static_cast<int>(i));
                }
            }
        }
    }
    std::map<std::vector<int>, int> keys;
    std::vector<const std::vector<int>*> lists;
    std::vector<int> cellKeys;
    for (const std::vector<int>& groups : cellGroups) {
        const auto [at, added] = keys.emplace(groups, static_cast<int>(lists.size()));
        if (added) {
            lists.push_back(&at->first);
        }
        cellKeys.push_back(at->second);
    }
    struct Run {
        int Col, End, Key, Top;
    };
    auto close = [&](const Run& run, int bottom) {
        AddTint(QRectF(run.Col, run.Top, run.End - run.Col, bottom - run.Top), *lists[run.Key]);
    };
    std::vector<Run> above;
    for (int r = 0; r < rows; ++r) {
        std::vector<Run> runs;
        for (int c = 0; c < cols;) {
            const int key = cellKeys[static_cast<size_t>(r * cols + c)];
            const int start = c;
            while (c < cols && cellKeys[static_cast<size_t>(r * cols + c)] == key) {
                ++c;
            }
            runs.push_back(Run{start, c, key, r});
        }
        size_t k = 0;
        for (Run& run : runs) {
            while (k < above.size() && above[k].Col < run.Col) {
                close(above[k++], r);
            }
            if (k < above.size() && above[k].Col == run.Col) {
                if (above[k].End == run.End && above[k].Key == run.Key) {
                    run.Top = above[k].Top;
                } else {
                    close(above[k], r);
                }
                ++k;
            }
        }
        while (k < above.size()) {
            close(above[k++], r);
        }
        above = std::move(runs);
    }
    for (const Run& run : above) {
        close(run, rows);
    }
}

// A rectangle of cells with the same groups: the one group's tint, or a stripe of each in turn.
void TGroupsLayer::AddTint(const QRectF& cells, const std::vector<int>& groups) {
    if (groups.size() == 1) {
        FTints[static_cast<size_t>(groups[0])].addRect(cells);
        return;
    }
    if (groups.empty()) {
        return;
    }
    const auto count = static_cast<qreal>(groups.size());
    const qreal stripe = std::min(MaxStripe, 2 / (count + 1));
    const QPolygonF corners(
        {cells.topLeft(), cells.topRight(), cells.bottomRight(), cells.bottomLeft()});
    const qreal last = cells.right() + cells.bottom();
    for (auto j = static_cast<int64_t>(std::floor((cells.left() + cells.top()) / stripe));
         static_cast<qreal>(j) * stripe < last; ++j) {
        const qreal from = static_cast<qreal>(j) * stripe;
        const QPolygonF band = CutDiagonal(CutDiagonal(corners, 1, from), -1, from + stripe);
        if (band.size() >= 3) {
            QPainterPath& tint =
                FTints[static_cast<size_t>(groups[static_cast<size_t>(j) % groups.size()])];
            tint.addPolygon(band);
            tint.closeSubpath();
        }
    }
}
