// Window placement shared by the windows.
#pragma once

#include <QWidget>

// Moves a window so that its outer frame stands at the centre of the primary screen.
void CenterOnScreen(QWidget* window);
