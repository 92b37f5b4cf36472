// A term drawn in a grid cell as the results window shows it: capitals, a bar over a small letter.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

// The fixed-width font of term cells.
QFont TermCellFont();

// The term in capitals from the cell's top left; a small letter gets a bar of barColor over its
// capital. letterWidth is the width of one letter of the font (the K-map window measures it).
void DrawTermWithBars(QPainter& canvas, const QRect& rect, const QString& cellText,
                      const QColor& barColor, int letterWidth);
