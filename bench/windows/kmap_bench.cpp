// Times the K-map window's heavy commands; with --shots DIR it also saves pictures of the window.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

#include "bench/windows/BenchPrompter.h"
#include "model/Pla.h"
#include "model/State.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/TruthTable.h"
#include "windows/Windows.h"
#include "windows/main.h"

namespace {

void Report(const char* what, qint64 ns) {
    std::printf("%-58s %9.1f ms\n", what, static_cast<double>(ns) / 1e6);
}

void UseVariables(int n) {
    frmBooleanClac->SpinEdit->setValue(n);
    QApplication::processEvents();
}

void FillEditorWithRandomMinterms(std::mt19937& random) {
    UseVariables(16);
    std::bernoulli_distribution coin(0.5);
    int row = 1;
    TStringGrid* grid = frmKmap->inputgrid;
    grid->beginUpdate();
    for (int r = 1; r < grid->rowCountValue(); ++r) {
        grid->setCell(2, r, QString());
    }
    for (uint32_t m = 0; m < 65536 && row < grid->rowCountValue(); ++m) {
        if (coin(random)) {
            QString term;
            for (int k = 15; k >= 0; --k) {
                term += QChar(((m >> k) & 1u) ? 'A' + 15 - k : 'a' + 15 - k);
            }
            grid->setCell(2, row++, term);
        }
    }
    grid->endUpdate();
    std::printf("editor rows with minterms: %d\n", row - 1);
}

void TimeSimplify(std::mt19937& random) {
    FillEditorWithRandomMinterms(random);
    QElapsedTimer timer;
    timer.start();
    frmKmap->mnuNewSimplifyClick();
    QApplication::processEvents();
    Report("Simplify 16 vars, editor to shown results", timer.nsecsElapsed());
    std::printf("  status: %s, result rows: %d\n", qPrintable(frmKmap->StatusBar->panelText(2)),
                frmResult->Outputgrid->rowCountValue() - 1);
}

void TimeTableToEditor() {
    UseVariables(16);
    ProgramState.TruthTable.fill(1);
    QElapsedTimer timer;
    timer.start();
    frmKmap->TableToEditor();
    Report("TableToEditor, 65536 ON minterms", timer.nsecsElapsed());
    std::printf("  %s\n", qPrintable(frmKmap->StatusBar->panelText(2)));
}

void TimeOpenFile(TBenchPrompter& prompter) {
    UseVariables(16);
    QTemporaryDir dir;
    prompter.fileName = dir.filePath("terms.txt");
    QFile file(prompter.fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    for (uint32_t m = 0; m < 65536; ++m) {
        QByteArray line;
        for (int k = 15; k >= 0; --k) {
            line += static_cast<char>(((m >> k) & 1u) ? 'A' + 15 - k : 'a' + 15 - k);
        }
        file.write(line + "\r\n");
    }
    file.close();
    QElapsedTimer timer;
    timer.start();
    frmKmap->Open1Click();
    Report("Open a text file of 65536 lines", timer.nsecsElapsed());
    std::printf("  %s\n", qPrintable(prompter.messages.value(prompter.messages.size() - 1)));
}

// One output of 16 inputs, each minterm a row of its own: ON, don't care or OFF at random.
void TimeLoadPlaOutput(std::mt19937& random) {
    TPla pla;
    pla.Inputs = 16;
    pla.Outputs = 1;
    pla.Type = "fd";
    std::uniform_int_distribution<int> pick(0, 3);
    for (uint32_t m = 0; m < 65536; ++m) {
        const int kind = pick(random);
        if (kind < 2) {
            pla.Rows.push_back({TCube{0xFFFF, m}, m + 1});
            pla.OutputPlane += kind == 0 ? '1' : '-';
        }
    }
    QElapsedTimer timer;
    timer.start();
    frmKmap->LoadPlaOutput(pla, 0);
    Report("Load a PLA output of 16 inputs onto the editor and map", timer.nsecsElapsed());
    std::printf("  %s\n", qPrintable(frmKmap->StatusBar->panelText(1)));
}

void TimeScrolling() {
    frmKmap->show();
    frmKmap->resize(500, 700);
    QApplication::processEvents();
    TStringGrid* grid = frmKmap->inputgrid;
    const int frames = 400;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < frames; ++i) {
        grid->setTopRow(1 + (i * 97) % (grid->rowCountValue() - 40));
        grid->viewport()->repaint();
    }
    const qint64 perFrame = timer.nsecsElapsed() / frames;
    Report("Editor scroll step with full repaint (per frame)", perFrame);
}

// The truth table of a random 16-variable map: opening the window, then Copy as CSV.
void TimeTruthTable(std::mt19937& random) {
    UseVariables(16);
    std::uniform_int_distribution<int> pick(0, 3);
    TStringGrid* map = frmKmap->KmapGrid;
    map->beginUpdate();
    for (int r = 0; r < map->rowCountValue(); ++r) {
        for (int c = 0; c < map->colCountValue(); ++c) {
            const int kind = pick(random);
            map->setCell(c, r, kind == 0 ? "x" : kind == 1 ? "-" : "");
        }
    }
    map->endUpdate();
    QElapsedTimer timer;
    timer.start();
    frmKmap->mnuTruthTableClick();
    frmTruthTable->TruthGrid->viewport()->repaint();
    QApplication::processEvents();
    Report("Truth table of 16 vars, open and paint", timer.nsecsElapsed());
    timer.restart();
    frmTruthTable->mnuCopyCsvClick();
    Report("Truth table of 16 vars, Copy as CSV", timer.nsecsElapsed());
    std::printf("  rows: %d, CSV characters: %lld\n", frmTruthTable->TruthGrid->rowCountValue() - 1,
                static_cast<long long>(QGuiApplication::clipboard()->text().size()));
    QApplication::processEvents();
    timer.restart();
    map->setCell(0, 0, "x");
    QApplication::processEvents();
    Report("Truth table of 16 vars, follow one map click", timer.nsecsElapsed());
    frmTruthTable->hide();
    timer.restart();
    map->setCell(0, 0, "");
    QApplication::processEvents();
    Report("The same map click with the truth table closed", timer.nsecsElapsed());
}

void Shoot(const QString& dir, int n, const QList<QPoint>& cells, const QString& term,
           const QString& name) {
    UseVariables(n);
    frmKmap->show();
    frmKmap->resize(n <= 4 ? 500 : 640, n <= 4 ? 500 : 560);
    for (const QPoint& cell : cells) {
        frmKmap->KmapGrid->setCell(cell.x(), cell.y(), "x");
    }
    frmKmap->inputgrid->setCell(2, 1, "AbC             ");
    frmKmap->inputgrid->setCell(2, 2, "aBcD            ");
    frmKmap->inputgrid->setCell(1, 2, "x");
    frmKmap->HiliteTerm(term);
    // The editor has the focus, its cursor in the first row's term.
    frmKmap->activateWindow();
    frmKmap->inputgrid->setFocus();
    frmKmap->inputgrid->setCurrentIndex(frmKmap->inputgrid->model()->index(1, 2));
    frmKmap->setCursorPos(4);
    QApplication::processEvents();
    frmKmap->grab().save(QDir(dir).filePath(name));
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    CreateApplicationWindows();
    frmBooleanClac->show();
    QApplication::processEvents();
    TBenchPrompter prompter;
    SetPrompter(&prompter);

    const QStringList args = QApplication::arguments();
    const qsizetype shots = args.indexOf("--shots");
    if (shots >= 0 && shots + 1 < args.size()) {
        const QString dir = args[shots + 1];
        Shoot(dir, 4, {{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {3, 3}}, "Bd", "kmap-4vars.png");
        Shoot(dir, 8, {{0, 0}, {1, 0}, {5, 5}, {5, 6}, {6, 5}, {6, 6}, {15, 15}, {9, 3}}, "BdEg",
              "kmap-8vars.png");
        return 0;
    }
    std::mt19937 random(12345);
    TimeSimplify(random);
    TimeTableToEditor();
    TimeOpenFile(prompter);
    TimeLoadPlaOutput(random);
    TimeScrolling();
    TimeTruthTable(random);
    return 0;
}
