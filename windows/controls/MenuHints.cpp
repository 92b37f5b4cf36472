// Hints on menu-bar entries.
#include "windows/controls/MenuHints.h"

#include <QAction>
#include <QHelpEvent>
#include <QToolTip>

namespace {

class TMenuBarHints : public QObject {
  public:
    explicit TMenuBarHints(QMenuBar* bar) : QObject(bar), FBar(bar) {
        bar->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != FBar || event->type() != QEvent::ToolTip) {
            return false;
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        QAction* action = FBar->actionAt(help->pos());
        // An action without a tool tip of its own reports its caption; that is no hint.
        const QString hint = action != nullptr ? action->toolTip() : QString();
        if (hint.isEmpty() || hint == QString(action->text()).remove('&')) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), hint, FBar, FBar->actionGeometry(action));
        }
        return true;
    }

  private:
    QMenuBar* FBar;
};

}  // namespace

void ShowMenuBarHints(QMenuBar* bar) {
    new TMenuBarHints(bar);
}
