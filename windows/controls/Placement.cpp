// Centring a window by its outer frame, outer sizes, and bringing a window to the front.
#include "windows/controls/Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {

QSize FrameExtra(const QWidget* window) {
    return window->frameGeometry().size() - window->size();
}

// Keeps the outer size a window was given while its frame is still unknown or changes.
class TOuterSize : public QObject {
  public:
    static constexpr const char* Name = "OuterSizeKeeper";

    explicit TOuterSize(QWidget* window) : QObject(window), FWindow(window) {
        setObjectName(Name);
        window->installEventFilter(this);
    }

    void apply(QSize outer) {
        FOuter = outer;
        FExtra = FrameExtra(FWindow);
        FClient = (outer - FExtra).expandedTo(QSize(1, 1));
        FWindow->resize(FClient);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched == FWindow && (type == QEvent::Show || type == QEvent::Move) &&
            FWindow->size() == FClient && FrameExtra(FWindow) != FExtra) {
            apply(FOuter);
        }
        return false;
    }

  private:
    QWidget* FWindow;
    QSize FOuter;
    QSize FExtra;
    QSize FClient;
};

}  // namespace

void CenterOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void SetOuterSize(QWidget* window, QSize outer) {
    auto* keeper = static_cast<TOuterSize*>(
        window->findChild<QObject*>(TOuterSize::Name, Qt::FindDirectChildrenOnly));
    if (keeper == nullptr) {
        keeper = new TOuterSize(window);
    }
    keeper->apply(outer);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

void BringToFront(QWidget* window) {
    window->show();
    if (window->isMinimized()) {
        window->showNormal();
    }
    window->raise();
    window->activateWindow();
}
