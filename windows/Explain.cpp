// The Explain view: a list of the cover's steps, the chosen step's text or chart, its groups.
#include "windows/Explain.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "model/DesignUnit.h"
#include "windows/main.h"
#include "windows/main_groups.h"

namespace {

// The result's last line while the count runs.
const QString CountingLine = "Minimum covers: counting…";

QString Count(size_t count, const QString& one, const QString& many) {
    return QString::number(count) + " " + (count == 1 ? one : many);
}

}  // namespace

TfrmExplain::TfrmExplain(QWidget* parent) : QDialog(parent) {
    setObjectName("frmExplain");
    setWindowTitle("Explain");
    lstSteps = new QListWidget;
    lstSteps->setObjectName("lstSteps");
    memoStep = new QPlainTextEdit;
    memoStep->setObjectName("memoStep");
    memoStep->setReadOnly(true);
    ChartGrid = new TStringGrid;
    ChartGrid->setObjectName("ChartGrid");
    ChartGrid->setDefaultColWidth(44);
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(memoStep, 1);
    rightLayout->addWidget(ChartGrid, 3);
    auto* splitter = new QSplitter;
    splitter->addWidget(lstSteps);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 540});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(780, 480);
    connect(lstSteps, &QListWidget::currentRowChanged, this, &TfrmExplain::lstStepsClick);
}

QString TfrmExplain::Name(int prime) const {
    const TCube cube = FIn.Primes[static_cast<size_t>(prime)];
    const std::string term = FIn.ProductOfSums ? SumTerm(cube, FIn.N) : CubeTerm(cube, FIn.N);
    const QString text = QString::fromStdString(term);
    // A cube of no letters is the whole map: the constant.
    if (text.isEmpty()) {
        return FIn.ProductOfSums ? "LO" : "HI";
    }
    return FIn.ProductOfSums ? "(" + text + ")" : text;
}

QString TfrmExplain::Names(const std::vector<int>& primes) const {
    QStringList names;
    for (const int p : primes) {
        names << Name(p);
    }
    return names.join(", ");
}

QString TfrmExplain::MintermList(const std::vector<uint32_t>& minterms) const {
    QStringList list;
    for (const uint32_t m : minterms) {
        list << QString::number(m);
    }
    return list.join(", ");
}

TfrmExplain::~TfrmExplain() {
    StopCount();
}

void TfrmExplain::hideEvent(QHideEvent* event) {
    // Closed, not minimised: no one waits for the count.
    if (!event->spontaneous()) {
        StopCount();
    }
    QDialog::hideEvent(event);
}

void TfrmExplain::Explain(TExplainInput input) {
    StopCount();
    FIn = std::move(input);
    FSteps.clear();
    TCoverSteps steps;
    // Up to 8 variables the count proves the fewest literals too, so this search stays short.
    const TMinimumCover cover =
        ReduceChart(FIn.N, FIn.On, FIn.Dc, FIn.Primes, &steps,
                    FIn.N <= MaxCountedVars ? ExplainSearchNodes : LiteralSearchBranches);
    AddChartSteps(steps);
    AddReductions(steps);
    AddCoreSteps(steps);
    AddResult(steps, cover);
    if (Detailed()) {
        FillChart(steps);
    }
    FCoverSteps = std::move(steps);
    FCover = cover;
    lstSteps->blockSignals(true);
    lstSteps->clear();
    for (const TStep& step : FSteps) {
        lstSteps->addItem(step.Title);
    }
    lstSteps->blockSignals(false);
    lstSteps->setCurrentRow(0);
    if (FIn.N <= MaxCountedVars) {
        StartCount();
    }
}

void TfrmExplain::StartCount() {
    const int generation = ++FGeneration;
    FCancel = false;
    FCounter = std::thread([this, generation, in = FIn] {
        const TMinimumCovers minima =
            CountMinimumCovers(in.N, in.On, in.Dc, in.Primes, 1, CountSearchNodes, &FCancel);
        if (!FCancel) {
            // Queued to this window: it runs on the window's thread, or not at all once gone.
            QMetaObject::invokeMethod(
                this,
                [this, generation, minima] {
                    if (generation == FGeneration) {
                        ShowCount(minima);
                    }
                },
                Qt::QueuedConnection);
        }
    });
}

void TfrmExplain::StopCount() {
    FCancel = true;
    if (FCounter.joinable()) {
        FCounter.join();
    }
    ++FGeneration;
}

void TfrmExplain::ShowCount(const TMinimumCovers& minima) {
    if (minima.Count >= 0 && !FCoverSteps.LiteralsProven) {
        // The count proves the fewest literals; where the short search found more, the count's
        // first cover is the result.
        const std::vector<int>& least = minima.Covers.front();
        if (std::pair{least.size(), minima.Literals} <
            std::pair{FCover.Chosen.size(), FCover.Literals}) {
            FCover.Chosen = least;
            FCover.Literals = minima.Literals;
            FCover.LowerBound = static_cast<int>(least.size());
            FCover.Proven = true;
        }
        FCoverSteps.LiteralsProven = true;
        FSteps.pop_back();
        AddResult(FCoverSteps, FCover);
    }
    FSteps.back().Text.replace(
        CountingLine, minima.Count < 0 ? QString("Minimum covers: too many to count.")
                                       : "Minimum covers: " + QString::number(minima.Count));
    if (lstSteps->currentRow() == static_cast<int>(FSteps.size()) - 1) {
        lstStepsClick();
    }
}

void TfrmExplain::AddChartSteps(const TCoverSteps& steps) {
    const QString primeWord = FIn.ProductOfSums ? "prime implicates" : "prime implicants";
    const QString termWord = FIn.ProductOfSums ? "maxterms" : "minterms";
    TStep primes{"Primes: " + QString::number(steps.Columns.size()), {}, steps.Columns, {}, false};
    if (FIn.RowsDiffer) {
        primes.Text = "The rows are not the function's " + primeWord +
                      " (rows were removed or changed): these are the " + primeWord +
                      " of the function the rows cover, as Simplify finds them.\n\n";
    }
    primes.Text += Count(steps.Columns.size(), primeWord.chopped(1), primeWord) + " over " +
                   Count(steps.Rows.size(), termWord.chopped(1), termWord) + " to cover.";
    if (Detailed()) {
        primes.Text += "\n";
        for (size_t i = 0; i < steps.Columns.size(); ++i) {
            primes.Text += "\n" + Name(steps.Columns[i]) + ": " + MintermList(steps.ColumnRows[i]);
        }
    }
    FSteps.push_back(std::move(primes));
    if (Detailed()) {
        FSteps.push_back(TStep{"Chart",
                               "Rows: " + termWord + "; columns: " + primeWord +
                                   ". * marks an essential one and (X) the " + termWord.chopped(1) +
                                   " that makes it essential.",
                               steps.Columns,
                               {},
                               true});
    }
}

void TfrmExplain::AddReductions(const TCoverSteps& steps) {
    const QString termWord = FIn.ProductOfSums ? "maxterm" : "minterm";
    const std::vector<TReduction>& all = steps.Reductions;
    for (size_t first = 0; first < all.size();) {
        size_t last = first;
        while (last < all.size() && all[last].Kind == all[first].Kind) {
            ++last;
        }
        TStep step;
        QStringList lines;
        for (size_t i = first; i < last; ++i) {
            const TReduction& r = all[i];
            const int item = static_cast<int>(r.Item);
            if (r.Kind == TReductionKind::Essential) {
                lines << Name(item) + ": alone covers " + termWord + " " + QString::number(r.By);
                step.Primes.push_back(item);
            } else if (r.Kind == TReductionKind::RowRemoved) {
                lines << termWord + " " + QString::number(r.Item) + " removed: every prime " +
                             "covering " + termWord + " " + QString::number(r.By) + " covers it";
                step.Minterms.push_back(r.Item);
                step.Minterms.push_back(r.By);
            } else {
                lines << Name(item) + " removed, dominated by " + Name(static_cast<int>(r.By));
                step.Primes.push_back(item);
                step.Primes.push_back(static_cast<int>(r.By));
            }
        }
        const size_t count = last - first;
        step.Title = all[first].Kind == TReductionKind::Essential ? "Essentials taken: "
                     : all[first].Kind == TReductionKind::RowRemoved
                         ? "Rows removed by dominance: "
                         : "Columns removed by dominance: ";
        step.Title += QString::number(count);
        step.Text = Detailed() ? lines.join("\n") : step.Title;
        FSteps.push_back(std::move(step));
        first = last;
    }
}

void TfrmExplain::AddCoreSteps(const TCoverSteps& steps) {
    if (steps.CoreRows.empty()) {
        return;
    }
    const QString termWord = FIn.ProductOfSums ? "maxterms" : "minterms";
    TStep core{"Cyclic core: " + QString::number(steps.CoreRows.size()) + " x " +
                   QString::number(steps.CoreColumns.size()),
               {},
               steps.CoreColumns,
               {},
               false};
    core.Text = "No reduction applies to " + Count(steps.CoreRows.size(), "row", "rows") + " and " +
                Count(steps.CoreColumns.size(), "column", "columns") + ".";
    if (Detailed()) {
        core.Text += "\n\n" + termWord + ": " + MintermList(steps.CoreRows) +
                     "\nprimes: " + Names(steps.CoreColumns);
    }
    FSteps.push_back(std::move(core));
    TStep solved{
        steps.Petrick ? "Petrick's product" : "Branch and bound", {}, steps.CoreChosen, {}, false};
    if (steps.CoreParts > 1) {
        solved.Text = "No prime joins its " + QString::number(steps.CoreParts) +
                      " parts: each is solved alone.\n";
    }
    if (steps.PetrickProducts > 0) {
        solved.Text +=
            "Multiplying out the product of each row's sum of primes, with absorption, "
            "leaves " +
            Count(static_cast<size_t>(steps.PetrickProducts), "product", "products") +
            "; the smallest is taken.\n";
    }
    if (!steps.Petrick) {
        solved.Text += QString::number(steps.Branches) + " branches: rows that share no prime " +
                       "need at least " + QString::number(steps.CoreFloor) +
                       " terms, and each branch closed when its terms with that bound could not " +
                       "beat the best cover found.\n";
    }
    solved.Text += "The core needs " + QString::number(steps.CoreBound) + " terms.";
    if (Detailed()) {
        solved.Text += "\n\nChosen: " + Names(steps.CoreChosen);
    }
    FSteps.push_back(std::move(solved));
}

void TfrmExplain::AddResult(const TCoverSteps& steps, const TMinimumCover& cover) {
    TStep result{
        "Result: " + QString::number(cover.Chosen.size()) + " terms", {}, cover.Chosen, {}, false};
    if (Detailed()) {
        result.Text = Names(cover.Chosen) + "\n\n";
    }
    result.Text += QString::number(cover.Chosen.size()) + " terms, " +
                   QString::number(cover.Literals) + " literals.\n";
    const size_t essentials = cover.Chosen.size() - steps.CoreChosen.size();
    if (!cover.Proven) {
        result.Text += "The search stopped: at least " + QString::number(cover.LowerBound) +
                       " terms are needed.";
    } else if (steps.CoreRows.empty()) {
        result.Text += "Nothing smaller exists: every term is essential.";
    } else {
        result.Text += "Nothing smaller exists: the " + QString::number(essentials) +
                       " essential terms are needed, and the core needs " +
                       QString::number(steps.CoreBound) + " more" +
                       (steps.Petrick ? " (its smallest product)." : " (no branch found fewer).");
    }
    if (!steps.LiteralsProven && FIn.N > MaxCountedVars) {
        result.Text +=
            "\nThe search for fewer literals ran out of branches: these are the fewest "
            "it found, and the minimum covers are not counted.";
        FSteps.push_back(std::move(result));
        return;
    }
    if (!steps.LiteralsProven) {
        result.Text +=
            "\nThe search for fewer literals ran out of branches: these are the fewest "
            "it found; the count below finds the least.";
    }
    result.Text +=
        "\n\n" + (FIn.N > MaxCountedVars ? QString("Minimum covers are counted up to 8 variables.")
                                         : CountingLine);
    FSteps.push_back(std::move(result));
}

void TfrmExplain::FillChart(const TCoverSteps& steps) {
    std::vector<uint32_t> witness(steps.Columns.size(), UINT32_MAX);
    std::vector<bool> essentialRow(steps.Rows.size(), false);
    for (const TReduction& r : steps.Reductions) {
        if (r.Kind != TReductionKind::Essential) {
            continue;
        }
        const auto col =
            std::find(steps.Columns.begin(), steps.Columns.end(), static_cast<int>(r.Item));
        witness[static_cast<size_t>(col - steps.Columns.begin())] = r.By;
        const auto row = std::lower_bound(steps.Rows.begin(), steps.Rows.end(), r.By);
        essentialRow[static_cast<size_t>(row - steps.Rows.begin())] = true;
    }
    ChartGrid->beginUpdate();
    ChartGrid->setColCount(static_cast<int>(steps.Columns.size()) + 1);
    ChartGrid->setRowCount(static_cast<int>(steps.Rows.size()) + 1);
    ChartGrid->setFixedRows(1);
    ChartGrid->clearCells();
    for (size_t c = 0; c < steps.Columns.size(); ++c) {
        const int col = static_cast<int>(c) + 1;
        const bool essential = witness[c] != UINT32_MAX;
        const QString name = (essential ? "*" : "") + Name(steps.Columns[c]);
        ChartGrid->setCell(col, 0, name);
        ChartGrid->setColWidth(col, ChartGrid->fontMetrics().horizontalAdvance(name) + 8);
        for (const uint32_t m : steps.ColumnRows[c]) {
            const auto row = std::lower_bound(steps.Rows.begin(), steps.Rows.end(), m);
            ChartGrid->setCell(col, static_cast<int>(row - steps.Rows.begin()) + 1,
                               m == witness[c] ? "(X)" : "X");
        }
    }
    for (size_t r = 0; r < steps.Rows.size(); ++r) {
        ChartGrid->setCell(0, static_cast<int>(r) + 1,
                           QString::number(steps.Rows[r]) + (essentialRow[r] ? " *" : ""));
    }
    ChartGrid->endUpdate();
}

void TfrmExplain::lstStepsClick() {
    const int index = lstSteps->currentRow();
    if (index < 0 || index >= static_cast<int>(FSteps.size())) {
        return;
    }
    const TStep& step = FSteps[static_cast<size_t>(index)];
    memoStep->setPlainText(step.Text);
    ChartGrid->setVisible(step.Chart);
    if (frmKmap == nullptr) {
        return;
    }
    const std::vector<QColor>& palette = GroupPalette();
    std::vector<TMapGroup> groups;
    for (const int p : step.Primes) {
        groups.push_back(TMapGroup{FIn.Primes[static_cast<size_t>(p)],
                                   palette[groups.size() % palette.size()], Name(p), -1});
    }
    const uint32_t all = (uint32_t{1} << FIn.N) - 1;
    for (const uint32_t m : step.Minterms) {
        groups.push_back(TMapGroup{TCube{all, m}, palette[groups.size() % palette.size()],
                                   QString::number(m), -1});
    }
    frmKmap->ShowGroups(FIn.MapOn, FIn.Dc, std::move(groups));
}
