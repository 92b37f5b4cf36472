// The palette's named colours the windows are drawn in; each window names its own roles.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

inline const QColor Yellow(255, 255, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Aqua(0, 255, 255);
inline const QColor Blue(0, 0, 255);
inline const QColor Red(255, 0, 0);
inline const QColor Teal(0, 128, 128);
inline const QColor Silver(192, 192, 192);
inline const QColor MoneyGreen(192, 220, 192);

// One role of the widget's palette set to the colour.
inline void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}
