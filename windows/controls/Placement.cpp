// Centring a window by its outer frame, known only once it is shown.
#include "windows/controls/Placement.h"

#include <QGuiApplication>
#include <QScreen>

void CenterOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}
