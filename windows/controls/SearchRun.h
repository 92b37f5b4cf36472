// What a window needs while an anytime search runs: painting now and then, a gauge that moves
// with blocks or time, and the words for its outcome.
#pragma once

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <cstdint>

#include "engine/Sinks.h"
#include "engine/cover/CoverOptions.h"
#include "windows/controls/StatusBar.h"

// Lets the windows paint and a Stop button be pressed now and then; the other commands refuse
// to start meanwhile (the windows' command loop guard).
class TEventPump {
  public:
    TEventPump() { FTimer.start(); }
    void Poll();

  private:
    QElapsedTimer FTimer;
};

// The search ends when its last block is solved or its budget runs out, whichever comes first;
// the gauge shows the nearer of the two. A single large block would otherwise hold it still.
class TCoverProgress : public TProgressSink {
  public:
    TCoverProgress(TGauge* gauge, int64_t budgetMs);
    void setMax(int max) override;
    void setPosition(int position) override;
    void Show();

  private:
    static constexpr int Scale = 1000;
    TGauge* FGauge;
    int64_t FBudgetMs;
    QElapsedTimer FTimer;
    int FMax = 0;
    int FPosition = 0;
};

// A window's search options: its budget, its gauge, and a poll that paints and stops the search
// once Stop is pressed.
TCoverOptions WindowCoverOptions(TCoverProgress& progress, TEventPump& pump, int64_t budgetMs,
                                 const bool& stopRequested);

// A window's state while its search runs, put back however it ends: the button reads "Stop",
// the outcome label is cleared, the menu item is disabled and the gauge shown.
class TSearchRunning {
  public:
    TSearchRunning(QPushButton* button, QLabel* outcome, QAction* item, TGauge* gauge,
                   bool& running, bool& stopRequested);
    ~TSearchRunning();
    TSearchRunning(const TSearchRunning&) = delete;
    TSearchRunning& operator=(const TSearchRunning&) = delete;

  private:
    QPushButton* FButton;
    QAction* FItem;
    TGauge* FGauge;
    bool& FRunning;
    QString FCaption;
};

// Digits in groups of three split by commas: 8,120.
QString Thousands(int64_t value);

// "Minimum: 7 terms, 19 literals (proven)" or "Best: 8,120 terms; at least 7,904 needed". A
// cover of several outputs also counts its output connections, apart from the literals:
// "Minimum: 9 terms, 18 literals, 28 connections (proven)".
QString CoverOutcomeText(int64_t terms, int64_t literals, int64_t lowerBound, bool proven,
                         int64_t connections = -1);
