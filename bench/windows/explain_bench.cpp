// Times Explain and the count of minimum covers on 8-variable functions in a real window, against
// their targets (100 ms to show the steps, 1 s to count); --quick runs two functions; --grab DIR
// saves each Explain window, its result shown, once its count is in.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <random>

#include "engine/PrimeSearch.h"
#include "engine/cover/CoverSteps.h"
#include "model/State.h"
#include "windows/Explain.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/main.h"

namespace {

struct TCase {
    double On, Dc;
    uint32_t Seed;
};

double Ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CreateApplicationWindows();
    const bool quick = QApplication::arguments().contains("--quick");
    const int n = 8;
    frmBooleanClac->SpinEdit->setValue(n);
    std::vector<TCase> cases = {{0.3, 0.0, 1}, {0.5, 0.0, 2}, {0.4, 0.15, 3},
                                {0.6, 0.1, 4}, {0.7, 0.0, 5}, {0.2, 0.1, 6}};
    if (quick) {
        cases.resize(2);
    }
    double worstExplain = 0;
    double worstCount = 0;
    std::printf("%-14s %7s %10s %12s %12s %14s\n", "function", "primes", "Explain", "shown",
                "count", "minima");
    for (const TCase& c : cases) {
        std::mt19937 random(c.Seed);
        std::uniform_real_distribution<double> u(0, 1);
        TMintermBits on = MakeMintermBits(n);
        TMintermBits dc = MakeMintermBits(n);
        ProgramState.DontCare.fill(0);
        for (uint32_t m = 0; m < (1u << n); ++m) {
            const double x = u(random);
            if (x < c.On) {
                SetMinterm(on, m);
            } else if (x < c.On + c.Dc) {
                SetMinterm(dc, m);
                ProgramState.DontCare[m] = 1;
            }
        }
        const std::vector<TCube> primes = CoveringPrimes(n, on, dc).Primes;
        TStringListAdv list;
        for (const TCube& cube : primes) {
            list.AddObject(CubeTerm(cube, n), 0);
        }
        ShowResults(list);
        frmResult->show();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        frmResult->btnExplainClick();
        auto* view = frmResult->findChild<TfrmExplain*>("frmExplain");
        view->repaint();
        const double explain = Ms(timer);
        const qsizetype grab = QApplication::arguments().indexOf("--grab");
        const auto save = [&](const char* when) {
            if (grab > 0) {
                view->grab().save(QString("%1/explain-%2-%3.png")
                                      .arg(QApplication::arguments().value(grab + 1))
                                      .arg(c.Seed)
                                      .arg(when));
            }
        };
        // The window counts on its own; its count is in when its last line is.
        view->lstSteps->setCurrentRow(view->lstSteps->count() - 1);
        save("shown");
        while (view->memoStep->toPlainText().contains("counting")) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        const double shown = Ms(timer);
        save("counted");
        timer.restart();
        const TMinimumCovers minima = CountMinimumCovers(n, on, dc, primes);
        const double count = Ms(timer);
        worstExplain = std::max(worstExplain, explain);
        worstCount = std::max(worstCount, count);
        char name[32];
        std::snprintf(name, sizeof name, "on %.1f dc %.2f", c.On, c.Dc);
        std::printf("%-14s %7zu %7.1f ms %9.1f ms %9.1f ms %14lld\n", name, primes.size(), explain,
                    shown, count, static_cast<long long>(minima.Count));
        view->close();
    }
    std::printf("worst: Explain %.1f ms (target 100), count %.1f ms (target 1000)\n", worstExplain,
                worstCount);
    if (worstExplain > 100 || worstCount > 1000) {
        std::fprintf(stderr, "explain_bench: a target was missed\n");
        return 1;
    }
    return 0;
}
