// The groups over the K-map: outlines that wrap around the map's edges, or tints on large maps.
#include "windows/main_groups.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

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

bool CubesMeet(const TCube& a, const TCube& b) {
    return ((a.Hi ^ b.Hi) & ~a.Free & ~b.Free) == 0;
}

bool CubeHolds(const TCube& cube, uint32_t m) {
    return ((m ^ cube.Hi) & ~cube.Free) == 0;
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
    BuildOwners();
    setVisible(hasGroups());
    raise();
    update();
}

void TGroupsLayer::clearGroups() {
    if (FGroups.empty()) {
        return;
    }
    FGroups.clear();
    FRects.clear();
    FLevels.clear();
    FOwners.clear();
    FHovered = -1;
    FSelected = -1;
    hide();
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
    if (FGroups.empty()) {
        return;
    }
    QPainter painter(this);
    if (outlined()) {
        PaintOutlines(painter);
    } else {
        PaintTints(painter);
    }
}

bool TGroupsLayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FGrid->viewport() && event->type() == QEvent::Resize) {
        setGeometry(FGrid->viewport()->rect());
    }
    return QWidget::eventFilter(watched, event);
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

void TGroupsLayer::PaintOutlines(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(PixelRect(TMapRect{0, 0, FLayout.Rows(), FLayout.Cols()}));
    painter.setBrush(Qt::NoBrush);
    size_t bold = FGroups.size();
    for (size_t i = 0; i < FGroups.size(); ++i) {
        if (FGroups[i].Source == emphasis()) {
            bold = i;
            continue;
        }
        PaintOutline(painter, i, false);
    }
    if (bold < FGroups.size()) {
        PaintOutline(painter, bold, true);
    }
}

// Each block as a rounded box inside its cells; a side that continues across the map's edge
// runs past the edge, where the clip cuts it open.
void TGroupsLayer::PaintOutline(QPainter& painter, size_t group, bool bold) const {
    const int inset = InsetStep * (FLevels[group] + 1);
    const int beyond = inset + Radius + BoldWidth;
    const int width = bold ? BoldWidth : OutlineWidth;
    QPainterPath path;
    for (const TMapRect& rect : FRects[group]) {
        const QRect cells = PixelRect(rect);
        const QRectF box(
            QPointF(rect.OpenLeft ? cells.left() - beyond : cells.left() + inset,
                    rect.OpenTop ? cells.top() - beyond : cells.top() + inset),
            QPointF(rect.OpenRight ? cells.right() + 1 + beyond : cells.right() + 1 - inset,
                    rect.OpenBottom ? cells.bottom() + 1 + beyond : cells.bottom() + 1 - inset));
        path.addRoundedRect(box, Radius, Radius);
    }
    painter.strokePath(path, QPen(Casing, width + 2));
    painter.strokePath(path, QPen(FGroups[group].Colour, width));
}

void TGroupsLayer::PaintTints(QPainter& painter) const {
    QImage tints(FLayout.Cols(), FLayout.Rows(), QImage::Format_ARGB32);
    tints.fill(Qt::transparent);
    for (int r = 0; r < FLayout.Rows(); ++r) {
        auto* line = reinterpret_cast<QRgb*>(tints.scanLine(r));
        for (int c = 0; c < FLayout.Cols(); ++c) {
            const int owner = FOwners[static_cast<size_t>(r * FLayout.Cols() + c)];
            if (owner >= 0) {
                const QColor colour = FGroups[static_cast<size_t>(owner)].Colour;
                line[c] = qRgba(colour.red(), colour.green(), colour.blue(), TintAlpha);
            }
        }
    }
    for (size_t i = 0; i < FGroups.size(); ++i) {
        if (FGroups[i].Source != emphasis()) {
            continue;
        }
        const QColor colour = FGroups[i].Colour;
        const QRgb bold = qRgba(colour.red(), colour.green(), colour.blue(), BoldTintAlpha);
        for (const TMapRect& rect : FRects[i]) {
            for (int r = rect.Row; r < rect.Row + rect.Rows; ++r) {
                auto* line = reinterpret_cast<QRgb*>(tints.scanLine(r));
                std::fill(line + rect.Col, line + rect.Col + rect.Cols, bold);
            }
        }
    }
    // One pixel per cell, stretched onto the cells without smoothing.
    painter.drawImage(PixelRect(TMapRect{0, 0, FLayout.Rows(), FLayout.Cols()}), tints);
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

void TGroupsLayer::BuildOwners() {
    FOwners.assign(static_cast<size_t>(FLayout.Rows()) * static_cast<size_t>(FLayout.Cols()), -1);
    for (size_t i = 0; i < FRects.size(); ++i) {
        for (const TMapRect& rect : FRects[i]) {
            for (int r = rect.Row; r < rect.Row + rect.Rows; ++r) {
                const auto start = FOwners.begin() + r * FLayout.Cols() + rect.Col;
                std::fill(start, start + rect.Cols, static_cast<int>(i));
            }
        }
    }
}
