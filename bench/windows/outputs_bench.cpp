// The Outputs window's Minimum shared cover on a function set of the benchmarks: the whole
// search, then again with Stop pressed early; the longest wait without painting and how soon
// Stop is answered.   outputs_bench [NAME [STOP_AFTER_MS]]   (default adder8, 300)
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/windows/BenchPrompter.h"
#include "tests/support/SharedFunctions.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Outputs.h"
#include "windows/Windows.h"

namespace {

// A PLA of the set's truth table, as the projects window hands its adder over.
TPla TruthTable(const TFunctionSet& set) {
    TPla pla;
    pla.Inputs = set.Inputs;
    pla.Outputs = static_cast<int>(set.Outputs.size());
    pla.Type = "f";
    const uint32_t all = (1u << set.Inputs) - 1;
    for (uint32_t m = 0; m <= all; ++m) {
        pla.Rows.push_back({TCube{all, m}, m + 1});
        for (const TOutputFunction& output : set.Outputs) {
            pla.OutputPlane += TestMinterm(output.On, m) ? '1' : '0';
        }
    }
    return pla;
}

// Runs the command; stopAfterMs > 0 presses Stop then. Prints the time, the longest stretch
// without painting, and how long Stop took to be answered.
void Run(const char* what, qint64 stopAfterMs) {
    qint64 longest = 0;
    QElapsedTimer beat;
    beat.start();
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longest = std::max(longest, beat.restart()); });
    ticker.start();
    QElapsedTimer stopped;
    if (stopAfterMs > 0) {
        QTimer::singleShot(static_cast<int>(stopAfterMs), [&] {
            if (frmOutputs->coverRunning()) {
                stopped.start();
                frmOutputs->btnSharedCoverClick();
            }
        });
    }
    QElapsedTimer total;
    total.start();
    frmOutputs->btnSharedCoverClick();
    const double seconds = static_cast<double>(total.nsecsElapsed()) / 1e9;
    longest = std::max(longest, beat.elapsed());
    std::printf("  %-22s %7.3f s  %s\n", what, seconds,
                frmOutputs->lblSharedCover->text().toStdString().c_str());
    std::printf("  %-22s longest unpainted %lld ms", "", static_cast<long long>(longest));
    if (stopped.isValid()) {
        std::printf(", Stop answered in %lld ms", static_cast<long long>(stopped.elapsed()));
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    CreateApplicationWindows();
    TBenchPrompter prompter;
    SetPrompter(&prompter);
    const std::string name = argc >= 2 ? argv[1] : "adder8";
    const qint64 stopAfter = argc >= 3 ? std::atoll(argv[2]) : 300;
    const auto set = SharedFunctions::ByName(name);
    if (!set) {
        std::fprintf(stderr, "outputs_bench: unknown function %s\n", name.c_str());
        return 2;
    }
    frmOutputs->ReceiveFunctionSet(TruthTable(*set), *set);
    QApplication::processEvents();
    std::printf("Outputs window, %s: %d inputs, %zu outputs\n", name.c_str(), set->Inputs,
                set->Outputs.size());
    Run("Minimum shared cover", 0);
    Run("stopped", stopAfter);
    SetPrompter(nullptr);
    return 0;
}
