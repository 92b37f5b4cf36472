// Times the results window's heavy commands on a large 16-variable result; can also save a picture.
// results_window_bench [rows] | --cover [density [seed]] | --screenshot FILE
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "bench/Functions.h"
#include "bench/windows/BenchPrompter.h"
#include "engine/PrimeSearch.h"
#include "engine/Simplify.h"
#include "engine/TermBits.h"
#include "model/State.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/main.h"
#include "windows/main_groups.h"

namespace {

// Distinct random terms of 10 to 12 letters: they overlap enough for many to be redundant.
TStringListAdv RandomResult(int rows, int vars, unsigned seed) {
    std::mt19937 random(seed);
    TStringListAdv set(true);
    while (set.Count() < rows) {
        const int letters = 10 + static_cast<int>(random() % 3);
        std::string term;
        std::vector<int> order(static_cast<size_t>(vars));
        for (int k = 0; k < vars; ++k) {
            order[static_cast<size_t>(k)] = k;
        }
        std::shuffle(order.begin(), order.end(), random);
        std::sort(order.begin(), order.begin() + letters);
        for (int i = 0; i < letters; ++i) {
            const int k = order[static_cast<size_t>(i)];
            term += static_cast<char>((random() & 1) ? 'A' + k : 'a' + k);
        }
        set.Add(term);
    }
    TStringListAdv list;
    for (int i = 0; i < set.Count(); ++i) {
        list.Add(set.Strings(i));
    }
    RankTerms(list, ProgramState.VarCount, ProgramState.TruthTable);
    return list;
}

void FillEditor(const TStringListAdv& list) {
    TStringGrid* editor = frmKmap->inputgrid;
    if (editor->colCountValue() < 3) {
        editor->setColCount(3);
    }
    if (editor->rowCountValue() < list.Count() + 1) {
        editor->setRowCount(list.Count() + 1);
    }
    editor->clearColumn(2);
    editor->beginUpdate();
    for (int i = 0; i < list.Count(); ++i) {
        editor->setCell(2, i + 1, QString::fromStdString(list.Strings(i)));
    }
    editor->endUpdate();
}

template <typename Command>
double Time(Command command) {
    QElapsedTimer timer;
    timer.start();
    command();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

int CountChecks() {
    int checks = 0;
    for (int r = 1; r < frmResult->Outputgrid->rowCountValue(); ++r) {
        checks += frmResult->Outputgrid->cell(1, r) == "x" ? 1 : 0;
    }
    return checks;
}

// The prime implicants of a generated function, ranked, as Simplify hands them over.
TStringListAdv PrimesOf(int n, const TFunctionRecipe& recipe) {
    const std::vector<bool> function = MakeFunction(n, recipe);
    TMintermBits on = MakeMintermBits(n);
    for (uint32_t m = 0; m < function.size(); ++m) {
        if (function[m]) {
            SetMinterm(on, m);
        }
    }
    TStringListAdv list;
    for (const TCube& cube : FindPrimeImplicants(n, on).Primes) {
        list.Add(CubeTerm(cube, ProgramState.VarCount));
    }
    RankTerms(list, ProgramState.VarCount, ProgramState.TruthTable);
    return list;
}

// Minimum cover on the grid as it stands, then Remove of what it checked. The longest wait
// between two turns of the event loop says whether the window stayed painted.
void TimeMinimumCoverAndRemove() {
    QElapsedTimer beat;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longest = std::max(longest, beat.restart()); });
    ticker.start();
    beat.start();
    const double cover = Time([] { frmResult->btnMinimumCoverClick(); });
    ticker.stop();
    longest = std::max(longest, beat.elapsed());
    const int checked = CountChecks();
    std::printf("  Minimum cover         %8.3f s  (%s; %d checked; longest unpainted %lld ms)\n",
                cover, qPrintable(frmResult->lblMinimumCover->text()), checked,
                static_cast<long long>(longest));
    const double remove = Time([] { frmResult->btnRemoveCheckedClick(); });
    std::printf("  Remove                %8.3f s  (%d rows left)\n", remove,
                frmResult->Outputgrid->rowCountValue() - 1);
}

// Show groups on the rows as they stand, then a paint of the whole map (the window shows a part)
// and one after another row turned bold, as moving the mouse over the results grid does.
void TimeShowGroups() {
    QWidget* map = frmKmap->KmapGrid->viewport();
    const double plain = Time([&] { map->grab(); });
    const double show = Time([] { frmResult->btnShowGroupsClick(); });
    const double paint = Time([&] { map->grab(); });
    const double hover = Time([&] {
        frmResult->Outputgrid->setRow(2);
        map->grab();
    });
    const double layer = Time([] { frmKmap->Groups->grab(); });
    const double shown = Time([&] { map->repaint(); });
    std::printf(
        "  Show groups           %8.3f s  (whole map painted %.3f s, without groups %.3f "
        "s, the groups alone %.3f s; another row bold %.3f s; the part in the window "
        "%.3f s)\n",
        show, paint, plain, layer, hover, shown);
}

int Benchmark(int rows) {
    TBenchPrompter prompter;
    SetPrompter(&prompter);
    frmBooleanClac->SpinEdit->setValue(16);
    const TStringListAdv result = RandomResult(rows, 16, 20240601u);
    FillEditor(result);
    frmResult->rgSort->setItemIndex(2);
    std::printf("results window, %d rows, 16 variables\n", rows);
    std::printf("  hand-off (Alpha)      %8.3f s\n", Time([&] { ShowResults(result); }));
    const char* names[] = {"Min", "Max", "Length", "Alpha"};
    const int items[] = {0, 1, 3, 2};
    for (int i = 0; i < 4; ++i) {
        std::printf("  sort %-16s %8.3f s\n", names[i],
                    Time([&] { frmResult->rgSort->setItemIndex(items[i]); }));
    }
    frmResult->rgSort->setItemIndex(2);
    const double validity = Time([] { frmResult->btnTestNewDataClick(); });
    std::printf("  Validity Test         %8.3f s  (%s)\n", validity,
                qPrintable(prompter.messages.value(prompter.messages.size() - 1)));
    const double quick = Time([] { frmResult->btnquickoptimizeClick(); });
    std::printf("  Quick Optimize        %8.3f s  (%s)\n", quick,
                qPrintable(frmResult->Label3->text()));
    frmResult->rgSort->setItemIndex(2);
    const double optimized = Time([] { frmResult->btnOptimizeClick(); });
    std::printf("  Show Optimized        %8.3f s  (%d checked)\n", optimized, CountChecks());
    TimeMinimumCoverAndRemove();
    SetPrompter(nullptr);
    return 0;
}

// The window target: the primes of a dense random 16-variable function.
int CoverBenchmark(double density, uint32_t seed) {
    TBenchPrompter prompter;
    SetPrompter(&prompter);
    frmBooleanClac->SpinEdit->setValue(16);
    TFunctionRecipe recipe;
    recipe.Density = density;
    recipe.Seed = seed;
    const TStringListAdv result = PrimesOf(16, recipe);
    frmResult->rgSort->setItemIndex(2);
    std::printf("results window, primes of random 16 %g %u: %d rows\n", density, seed,
                result.Count());
    std::printf("  hand-off (Alpha)      %8.3f s\n", Time([&] { ShowResults(result); }));
    TimeMinimumCoverAndRemove();
    frmKmap->show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300) {
        QApplication::processEvents();
    }
    TimeShowGroups();
    SetPrompter(nullptr);
    return 0;
}

// A real simplification with a few marks, for the picture in the documentation.
int Screenshot(const char* path) {
    frmBooleanClac->SpinEdit->setValue(6);
    const std::vector<std::string> editor = {"aBd",  "BcE",  "AbDf", "aCdE", "BDEF", "abcF",
                                             "AcDe", "bCef", "ABCd", "aBEf", "CDf",  "AbcdE"};
    const TSimplifyOutcome outcome = SimplifyTerms(editor, StateTables());
    TStringListAdv terms;
    for (const std::string& term : editor) {
        terms.Add(term);
    }
    FillEditor(terms);
    ShowResults(outcome.Result);
    frmResult->btnquickoptimizeClick();
    frmResult->Outputgrid->setCurrentIndex(frmResult->Outputgrid->model()->index(4, 2));
    frmResult->activateWindow();
    frmResult->Outputgrid->setFocus();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500) {
        QApplication::processEvents();
    }
    return frmResult->grab().save(path) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    CreateApplicationWindows();
    frmBooleanClac->show();
    QApplication::processEvents();
    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        return Screenshot(argv[2]);
    }
    if (argc >= 2 && std::strcmp(argv[1], "--cover") == 0) {
        const double density = argc >= 3 ? std::atof(argv[2]) : 0.9;
        const auto seed = static_cast<uint32_t>(argc >= 4 ? std::atol(argv[3]) : 1);
        return CoverBenchmark(density, seed);
    }
    const int rows = argc == 2 ? std::atoi(argv[1]) : 10000;
    return Benchmark(rows > 0 ? rows : 10000);
}
