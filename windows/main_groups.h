// TGroupsLayer: the terms of a result drawn over the K-map, each cube a group in a colour of its
// own.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "model/KmapLayout.h"

class TStringGrid;

struct TMapGroup {
    TCube Cube;
    QColor Colour;
    QString Name;     // how the status bar names it
    int Source = -1;  // the results row it stands for
};

// At least 12 colours, the colour-blind safe ones first, each legible on black and on white.
const std::vector<QColor>& GroupPalette();

// A see-through widget over the map grid's cells. Up to 8 variables each group is a rounded
// outline around its blocks, open where it wraps around the map's edge; from 9 on its cells are
// tinted, a cell of several groups in diagonal stripes of each. It clears itself when any cell
// of the map changes, and names the groups of the cell under the mouse in its tooltip.
class TGroupsLayer : public QWidget {
    Q_OBJECT
  public:
    explicit TGroupsLayer(TStringGrid* grid);

    void setGroups(const TKmapLayout& layout, std::vector<TMapGroup> groups);
    void clearGroups();
    bool hasGroups() const { return !FGroups.empty(); }
    const std::vector<TMapGroup>& groups() const { return FGroups; }

    // The group of the results row under the mouse, or else of the row selected, is drawn on
    // top and bolder; -1 for none.
    void setHovered(int source);
    void setSelected(int source);
    int emphasis() const { return FHovered >= 0 ? FHovered : FSelected; }

    // The groups that hold the cell, in their order.
    std::vector<int> groupsAt(TMapCell cell) const;
    // " in bd, AC" for the status bar; empty outside every group.
    QString namesAt(TMapCell cell) const;
    // What the tooltip says of a cell while groups are shown: the status bar's cell text.
    std::function<QString(int col, int row)> onCellText;

  signals:
    // Groups were set or cleared; the results window's legend follows.
    void groupsChanged();

  public:
    // The groups in the grid's viewport coordinates, clipped to the map by their shapes alone
    // (an SVG keeps no clip); the group of the results row `boldSource` on top and bolder.
    void paintGroups(QPainter& painter, int boldSource) const;

    // True when groups are outlines; tints from 9 variables on.
    bool outlined() const { return FLayout.VarCount() <= 8; }
    // Blend of a group's tint over a cell's own colour.
    static QColor Tint(const QColor& group, const QColor& cell, bool bold);
    // How far inside its cells a group's outline runs at each level.
    static constexpr int InsetStep = 2;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QRect PixelRect(const TMapRect& rect) const;
    void PaintOutlines(QPainter& painter, int boldSource) const;
    void PaintOutline(QPainter& painter, size_t group, bool bold) const;
    void PaintTints(QPainter& painter, int boldSource) const;
    bool ShowToolTip(const QPoint& at, const QPoint& global) const;
    void AssignLevels();
    void BuildTints();
    void AddTint(const QRectF& cells, const std::vector<int>& groups);

    TStringGrid* FGrid;
    TKmapLayout FLayout;
    std::vector<TMapGroup> FGroups;
    std::vector<std::vector<TMapRect>> FRects;  // each group's blocks
    std::vector<int> FLevels;                   // each group's outline inset level
    std::vector<QPainterPath> FTints;           // each group's tinted area, in cells
    int FHovered = -1;
    int FSelected = -1;
};
