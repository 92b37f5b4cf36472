// The hourglass a long command shows while it runs.
#pragma once

#include <QApplication>

// Restored early before a message, else when the command ends.
class TBusyCursor {
  public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { Restore(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
    void Restore() {
        if (FActive) {
            QApplication::restoreOverrideCursor();
            FActive = false;
        }
    }

  private:
    bool FActive = true;
};
