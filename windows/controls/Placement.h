// Window placement and sizes shared by the windows.
#pragma once

#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QWidget>

// A push button with its object name, caption and place.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect place);

// Moves a window so that its outer frame stands at the centre of the primary screen.
void CenterOnScreen(QWidget* window);

// Gives a window an outer size, frame included. The frame is known only once the window is
// shown (a window manager may add it later still), so the size is set again when it appears,
// unless the user has resized the window in between.
void SetOuterSize(QWidget* window, QSize outer);

// Shows a window in front of the others and gives it the focus, restoring it if minimized.
void BringToFront(QWidget* window);
