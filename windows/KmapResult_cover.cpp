// The results window's Minimum cover: check marks on every row outside a smallest cover.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>

#include "engine/MinimumCover.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "windows/KmapResult.h"
#include "windows/KmapResult_busy.h"
#include "windows/Windows.h"

namespace {

// Digits in groups of three split by commas: 8,120.
QString Thousands(int64_t value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
        digits.insert(at, ',');
    }
    return value < 0 ? "-" + digits : digits;
}

QString Counted(int64_t value, const QString& noun) {
    return Thousands(value) + " " + noun + (value == 1 ? "" : "s");
}

// Lets the windows paint and the Stop button be pressed now and then; the other commands
// refuse to start meanwhile (CommandLoopRunning).
class TEventPump {
  public:
    TEventPump() { FTimer.start(); }
    void Poll() {
        if (FTimer.elapsed() >= 30) {
            QCoreApplication::processEvents();
            FTimer.restart();
        }
    }

  private:
    QElapsedTimer FTimer;
};

// The search ends when its last block is solved or its budget runs out, whichever comes first;
// the gauge shows the nearer of the two. A single large block would otherwise hold it still.
class TCoverProgress : public TProgressSink {
  public:
    TCoverProgress(TGauge* gauge, int64_t budgetMs) : FGauge(gauge), FBudgetMs(budgetMs) {
        FGauge->setMax(Scale);
        FGauge->setPosition(0);
        FTimer.start();
    }
    void setMax(int max) override {
        FMax = max;
        Show();
    }
    void setPosition(int position) override {
        FPosition = position;
        Show();
    }
    void Show() {
        const int64_t blocks = FMax > 0 ? int64_t{FPosition} * Scale / FMax : 0;
        const int64_t time = FBudgetMs > 0 ? FTimer.elapsed() * Scale / FBudgetMs : Scale;
        FGauge->setPosition(static_cast<int>(std::min<int64_t>(Scale, std::max(blocks, time))));
    }

  private:
    static constexpr int Scale = 1000;
    TGauge* FGauge;
    int64_t FBudgetMs;
    QElapsedTimer FTimer;
    int FMax = 0;
    int FPosition = 0;
};

}  // namespace

QString MinimumCoverText(const TMinimumCover& cover) {
    const auto terms = static_cast<int64_t>(cover.Chosen.size());
    if (cover.Proven) {
        return "Minimum: " + Counted(terms, "term") + ", " + Counted(cover.Literals, "literal") +
               " (proven)";
    }
    return "Best: " + Counted(terms, "term") + "; at least " + Thousands(cover.LowerBound) +
           " needed";
}

void TfrmResult::btnMinimumCoverClick() {
    if (FCoverRunning) {
        FCoverStopRequested = true;
        return;
    }
    if (CommandLoopRunning()) {
        return;
    }
    RunMinimumCover();
}

void TfrmResult::RunMinimumCover() {
    // The window's state while the search runs, put back however it ends.
    struct TRunning {
        TfrmResult* W;
        explicit TRunning(TfrmResult* w) : W(w) {
            W->FCoverRunning = true;
            W->FCoverStopRequested = false;
            W->btnMinimumCover->setText("Stop");
            W->lblMinimumCover->clear();
            W->mnuMinimumCover->setEnabled(false);
            W->GaugeMinimumCover->show();
        }
        ~TRunning() {
            W->GaugeMinimumCover->hide();
            W->mnuMinimumCover->setEnabled(true);
            W->btnMinimumCover->setText("Minimum cover");
            W->FCoverRunning = false;
        }
        TRunning(const TRunning&) = delete;
        TRunning& operator=(const TRunning&) = delete;
    } running(this);
    TBusyCursor busy;
    TEventPump pump;
    TCoverProgress progress(GaugeMinimumCover, CoverBudgetMs);

    const int n = ProgramState.VarCount;
    const uint32_t high = ProgramState.HighMinterm;
    // The function is what the rows cover together, as the removal tests take it.
    std::vector<int> rows;
    std::vector<TCube> cubes;
    TMintermBits on = MakeMintermBits(n);
    for (int r = 1; r < RowCount(); ++r) {
        TCube cube;
        if (RowHasTerm(r) && TermCube(RowTerm(r), high, cube)) {
            rows.push_back(r);
            cubes.push_back(cube);
            SetCubeMinterms(on, cube);
        }
        if (r % 4096 == 0) {
            progress.Show();
            pump.Poll();
        }
    }
    TMintermBits dc = MakeMintermBits(n);
    for (uint32_t m = 0; m <= high; ++m) {
        if (ProgramState.DontCare[m] != 0) {
            SetMinterm(dc, m);
        }
    }
    for (size_t w = 0; w < on.size(); ++w) {
        on[w] &= ~dc[w];
    }

    TCoverOptions options;
    options.BudgetMs = CoverBudgetMs;
    options.Progress = &progress;
    options.KeepGoing = [this, &pump, &progress] {
        progress.Show();
        pump.Poll();
        return !FCoverStopRequested;
    };
    const TMinimumCover cover = FindMinimumCover(n, on, dc, cubes, options);

    std::vector<bool> inCover(static_cast<size_t>(RowCount()), false);
    for (const int i : cover.Chosen) {
        inCover[static_cast<size_t>(rows[static_cast<size_t>(i)])] = true;
    }
    Outputgrid->beginUpdate();
    for (int r = 1; r < RowCount(); ++r) {
        SetChecked(r, RowHasTerm(r) && !inCover[static_cast<size_t>(r)]);
    }
    Outputgrid->endUpdate();
    lblMinimumCover->setText(MinimumCoverText(cover));
}
