// Times the PLA import (model alone and the K-map window's command) and `quillon simplify` on a
// random function. exchange_bench [--quick]: --quick runs 10 variables instead of 16.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sstream>

#include "bench/Functions.h"
#include "bench/windows/BenchPrompter.h"
#include "cli/CommandLine.h"
#include "model/Pla.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"
#include "windows/main.h"

namespace {

void Report(const std::string& what, qint64 ns) {
    std::printf("%-62s %9.1f ms\n", what.c_str(), static_cast<double>(ns) / 1e6);
}

// One row per minterm: output 1 for ON, 0 for OFF (read as OFF under fr, as nothing under fd).
std::string EveryMintermPla(int n, const std::vector<bool>& on, const char* type) {
    std::string text = ".i " + std::to_string(n) + "\n.o 1\n.type " + type + "\n.p " +
                       std::to_string(on.size()) + "\n";
    for (uint32_t m = 0; m < on.size(); ++m) {
        for (int k = n - 1; k >= 0; --k) {
            text += ((m >> k) & 1u) ? '1' : '0';
        }
        text += on[m] ? " 1\n" : " 0\n";
    }
    return text + ".e\n";
}

void TimeModelImport(const std::string& pla, const char* type) {
    QElapsedTimer timer;
    timer.start();
    TPla parsed;
    TPlaError error;
    TPlaFunction function;
    const bool ok = ReadPla(pla, parsed, error) && PlaOutputFunction(parsed, 0, function, error);
    Report("PLA read + output sets, " + std::to_string(parsed.Rows.size()) + " rows, .type " + type,
           timer.nsecsElapsed());
    std::printf("  %s: %zu ON cubes, %zu don't-care cubes, %zu don't cares\n",
                ok ? "ok" : error.Message().c_str(), function.On.size(), function.Dc.size(),
                function.DcCount);
}

void TimeWindowImport(TBenchPrompter& prompter, const std::string& pla, const char* type) {
    QTemporaryDir dir;
    prompter.fileName = dir.filePath("function.pla");
    QFile file(prompter.fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write(pla.data(), static_cast<qint64>(pla.size()));
    file.close();
    QElapsedTimer timer;
    timer.start();
    frmKmap->mnuImportPlaClick();
    QApplication::processEvents();
    Report(std::string("K-map window: Import PLA File, .type ") + type, timer.nsecsElapsed());
    std::printf("  %s\n", qPrintable(prompter.messages.value(prompter.messages.size() - 1)));
}

void TimeCommandLine(const std::string& input, const std::string& what,
                     const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {"simplify"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back("-");
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    QElapsedTimer timer;
    timer.start();
    const int status = RunCommandLine(args, in, out, err);
    Report("quillon simplify " + what, timer.nsecsElapsed());
    const std::string text = out.str();
    std::printf("  status %d, %zu output lines, %zu bytes\n", status,
                static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), text.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    const bool quick = QApplication::arguments().contains("--quick");
    const int n = quick ? 10 : 16;
    CreateApplicationWindows();
    frmBooleanClac->show();
    QApplication::processEvents();
    TBenchPrompter prompter;
    SetPrompter(&prompter);

    const std::vector<bool> on = MakeFunction(n, {TFunctionKind::Random, 0.5, 1});
    for (const char* type : {"fd", "fr"}) {
        const std::string pla = EveryMintermPla(n, on, type);
        TimeModelImport(pla, type);
        TimeWindowImport(prompter, pla, type);
    }

    std::string terms = std::to_string(n) + "\n";
    for (const std::string& term : FunctionTerms(n, on)) {
        terms += term + "\n";
    }
    const std::string size = std::to_string(n) + " vars, random 0.5";
    TimeCommandLine(terms, size + ", term list");
    TimeCommandLine(EveryMintermPla(n, on, "fd"), size + ", PLA --format pla", {"--format", "pla"});
    TimeCommandLine(EveryMintermPla(n, on, "fd"), size + ", PLA --format verilog",
                    {"--format", "verilog"});

    // Repeated large terms and a file of many outputs cost what reading them costs.
    const int lines = quick ? 100000 : 1000000;
    std::string repeated = std::to_string(n) + "\n";
    for (int i = 0; i < lines; ++i) {
        repeated += "A\n";
    }
    TimeCommandLine(repeated, std::to_string(lines) + " lines A, " + std::to_string(n) + " vars");
    std::string outputs = ".i " + std::to_string(n) + "\n.o 4096\n" + std::string(n, '-') + " " +
                          std::string(4096, '1') + "\n";
    TimeCommandLine(outputs, ".o 4096, --output F4096", {"--output", "F4096"});
    return 0;
}
