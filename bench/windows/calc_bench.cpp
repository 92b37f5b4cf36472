// Times the calculator's live validation and its heavy operations through the window.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "bench/windows/BenchPrompter.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"

namespace {

void UseVariables(int n) {
    frmBooleanClac->SpinEdit->setValue(n);
    QApplication::processEvents();
}

// A term of `letters` distinct variables out of n, each in a random case.
QString RandomTerm(std::mt19937& rng, int n, int letters) {
    std::vector<int> vars(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        vars[static_cast<size_t>(k)] = k;
    }
    std::shuffle(vars.begin(), vars.end(), rng);
    QString term;
    for (int i = 0; i < letters; ++i) {
        term += QChar((rng() % 2 == 0 ? 'A' : 'a') + vars[static_cast<size_t>(i)]);
    }
    return term;
}

QString RandomSum(std::mt19937& rng, int terms, int n, int minLetters, int maxLetters) {
    QStringList pieces;
    for (int t = 0; t < terms; ++t) {
        const int letters = minLetters + static_cast<int>(rng() % (maxLetters - minLetters + 1));
        pieces << RandomTerm(rng, n, letters);
    }
    return pieces.join('+');
}

double Ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

// Processor time of this process: the machine may be shared, wall time then says little.
qint64 CpuNs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct TTimes {
    qint64 Wall = 0;
    qint64 Cpu = 0;
    void KeepSlowest(const TTimes& other) {
        Wall = std::max(Wall, other.Wall);
        Cpu = std::max(Cpu, other.Cpu);
    }
};

// Types the text into X key by key, as a user would; reports the slowest and mean keystroke.
void TypeIntoX(const QString& text, bool autoCalculation) {
    frmBooleanClac->edtXinput->clear();
    frmBooleanClac->mnuConversion->setChecked(autoCalculation);
    TTimes slowest;
    TTimes total;
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c == '+' ? Qt::Key_Plus : Qt::Key_A, Qt::NoModifier,
                        QString(c));
        QElapsedTimer timer;
        const qint64 cpu = CpuNs();
        timer.start();
        QApplication::sendEvent(frmBooleanClac->edtXinput, &press);
        QApplication::processEvents();
        const TTimes key{timer.nsecsElapsed(), CpuNs() - cpu};
        slowest.KeepSlowest(key);
        total.Wall += key.Wall;
        total.Cpu += key.Cpu;
    }
    frmBooleanClac->mnuConversion->setChecked(false);
    const auto keys = static_cast<qint64>(text.size());
    std::printf(
        "typing %lld keys into X at %d variables%s:\n  slowest key %.2f ms wall %.2f ms "
        "cpu, mean %.2f ms wall %.2f ms cpu\n",
        static_cast<long long>(keys), frmBooleanClac->SpinEdit->value(),
        autoCalculation ? " (automatic AND with Y)" : "", Ms(slowest.Wall), Ms(slowest.Cpu),
        Ms(total.Wall / keys), Ms(total.Cpu / keys));
}

TTimes TimeCommand(void (TfrmBooleanClac::*command)()) {
    QElapsedTimer timer;
    const qint64 cpu = CpuNs();
    timer.start();
    (frmBooleanClac->*command)();
    QApplication::processEvents();
    return {timer.nsecsElapsed(), CpuNs() - cpu};
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    TBenchPrompter prompter;
    SetPrompter(&prompter);
    CreateApplicationWindows();
    frmBooleanClac->show();
    QApplication::processEvents();
    std::mt19937 rng(7);

    UseVariables(quick ? 8 : 16);
    const int n = frmBooleanClac->SpinEdit->value();
    TypeIntoX(RandomSum(rng, quick ? 3 : 20, n, 3, 8), false);
    frmBooleanClac->edtYinput->setText(RandomSum(rng, quick ? 3 : 20, n, 3, 8));
    TypeIntoX(RandomSum(rng, quick ? 3 : 20, n, 3, 8), true);

    UseVariables(6);
    const int runs = quick ? 1 : 20;
    TTimes slowest;
    for (int i = 0; i < runs; ++i) {
        frmBooleanClac->edtZinput->setText(RandomSum(rng, 16, 6, 1, 6));
        slowest.KeepSlowest(TimeCommand(&TfrmBooleanClac::lblNotClick));
    }
    std::printf(
        "NOT of 16 random terms at 6 variables, %d runs:\n  slowest %.1f ms wall %.1f ms "
        "cpu (last: %s)\n",
        runs, Ms(slowest.Wall), Ms(slowest.Cpu),
        frmBooleanClac->StatusBar->panelText(1).toStdString().c_str());

    UseVariables(quick ? 8 : 16);
    const int terms = quick ? 4 : 20;
    for (const auto& [low, high] : {std::pair{3, 5}, std::pair{6, 8}, std::pair{10, 12}}) {
        if (high > n) {
            continue;
        }
        slowest = {};
        for (int i = 0; i < runs; ++i) {
            frmBooleanClac->edtXinput->setText(RandomSum(rng, terms, n, low, high));
            frmBooleanClac->edtYinput->setText(RandomSum(rng, terms, n, low, high));
            slowest.KeepSlowest(TimeCommand(&TfrmBooleanClac::lblboolxorClick));
        }
        std::printf(
            "XOR of two %d-term sums of %d-%d letters at %d variables, %d runs:\n"
            "  slowest %.1f ms wall %.1f ms cpu (last: %s)\n",
            terms, low, high, n, runs, Ms(slowest.Wall), Ms(slowest.Cpu),
            frmBooleanClac->StatusBar->panelText(1).toStdString().c_str());
    }
    SetPrompter(nullptr);
    for (const QString& message : prompter.messages) {
        std::printf("unexpected message: %s\n", message.toStdString().c_str());
    }
    return prompter.messages.isEmpty() ? 0 : 1;
}
