// Painting, progress and outcome words for the windows' anytime searches.
#include "windows/controls/SearchRun.h"

#include <QCoreApplication>
#include <algorithm>

void TEventPump::Poll() {
    if (FTimer.elapsed() >= 30) {
        QCoreApplication::processEvents();
        FTimer.restart();
    }
}

TCoverProgress::TCoverProgress(TGauge* gauge, int64_t budgetMs)
    : FGauge(gauge), FBudgetMs(budgetMs) {
    FGauge->setMax(Scale);
    FGauge->setPosition(0);
    FTimer.start();
}

void TCoverProgress::setMax(int max) {
    FMax = max;
    Show();
}

void TCoverProgress::setPosition(int position) {
    FPosition = position;
    Show();
}

void TCoverProgress::Show() {
    const int64_t blocks = FMax > 0 ? int64_t{FPosition} * Scale / FMax : 0;
    const int64_t time = FBudgetMs > 0 ? FTimer.elapsed() * Scale / FBudgetMs : Scale;
    FGauge->setPosition(static_cast<int>(std::min<int64_t>(Scale, std::max(blocks, time))));
}

TCoverOptions WindowCoverOptions(TCoverProgress& progress, TEventPump& pump, int64_t budgetMs,
                                 const bool& stopRequested) {
    TCoverOptions options;
    options.BudgetMs = budgetMs;
    options.Progress = &progress;
    options.KeepGoing = [&progress, &pump, &stopRequested] {
        progress.Show();
        pump.Poll();
        return !stopRequested;
    };
    return options;
}

TSearchRunning::TSearchRunning(QPushButton* button, QLabel* outcome, QAction* item, TGauge* gauge,
                               bool& running, bool& stopRequested)
    : FButton(button), FItem(item), FGauge(gauge), FRunning(running), FCaption(button->text()) {
    FRunning = true;
    stopRequested = false;
    FButton->setText("Stop");
    outcome->clear();
    FItem->setEnabled(false);
    FGauge->show();
}

TSearchRunning::~TSearchRunning() {
    FGauge->hide();
    FItem->setEnabled(true);
    FButton->setText(FCaption);
    FRunning = false;
}

QString Thousands(int64_t value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
        digits.insert(at, ',');
    }
    return value < 0 ? "-" + digits : digits;
}

namespace {

QString Counted(int64_t value, const QString& noun) {
    return Thousands(value) + " " + noun + (value == 1 ? "" : "s");
}

}  // namespace

QString CoverOutcomeText(int64_t terms, int64_t literals, int64_t lowerBound, bool proven,
                         int64_t connections) {
    if (proven) {
        const QString wires = connections >= 0 ? ", " + Counted(connections, "connection") : "";
        return "Minimum: " + Counted(terms, "term") + ", " + Counted(literals, "literal") + wires +
               " (proven)";
    }
    return "Best: " + Counted(terms, "term") + "; at least " + Thousands(lowerBound) + " needed";
}
