// The Outputs window for PLAs of more than 16 inputs: the file's rows, the cube engine's cover.
#include <QFontMetrics>
#include <algorithm>
#include <bit>

#include "engine/wide/WidePla.h"
#include "engine/wide/WideUnit.h"
#include "model/UnitNames.h"
#include "model/UnitWriters.h"
#include "windows/Outputs.h"
#include "windows/Windows.h"
#include "windows/controls/ExportDialog.h"
#include "windows/controls/Placement.h"
#include "windows/controls/SearchRun.h"

namespace {

constexpr int OutputColWidth = 28;

const char* const NoKmapHint = "Past 16 inputs an output does not fit the K-map";

std::vector<int> AllOutputs(int outputs) {
    std::vector<int> all(static_cast<size_t>(outputs));
    for (int j = 0; j < outputs; ++j) {
        all[static_cast<size_t>(j)] = j;
    }
    return all;
}

}  // namespace

void TfrmOutputs::ShowReceived(bool wide) {
    FWide = wide;
    btnOpenOutput->setEnabled(!wide);
    mnuOpenOutput->setEnabled(!wide);
    btnOpenOutput->setToolTip(wide ? NoKmapHint : QString());
    mnuOpenOutput->setToolTip(wide ? NoKmapHint : QString());
    FCover = TSharedCover{};
    FWideCover = TWideCover{};
    FHasCover = false;
    lblSharedCover->clear();
    FillOutputList();
    FillCoverGrid();
    BringToFront(this);
}

void TfrmOutputs::ReceiveWidePla(TPla pla) {
    FPla = std::move(pla);
    FSet = TFunctionSet{};
    ShowReceived(true);
}

// Minterms past 16 inputs are too many to count; the list counts the file's rows instead.
void TfrmOutputs::FillWideOutputList() {
    std::vector<int64_t> on(static_cast<size_t>(FPla.Outputs));
    std::vector<int64_t> dc(on.size());
    for (size_t row = 0; row < FPla.Rows.size(); ++row) {
        const std::string_view values = FPla.RowOutputs(row);
        for (size_t j = 0; j < values.size(); ++j) {
            on[j] += values[j] == '1' ? 1 : 0;
            dc[j] += values[j] == '-' ? 1 : 0;
        }
    }
    OutputList->beginUpdate();
    OutputList->setRowCount(std::max(FPla.Outputs, 1) + 1);
    OutputList->clearCells();
    OutputList->setCell(0, 0, "Output");
    OutputList->setCell(1, 0, "ON rows");
    OutputList->setCell(2, 0, "DC rows");
    for (int i = 0; i < FPla.Outputs; ++i) {
        OutputList->setCell(0, i + 1, QString::fromStdString(PlaOutputName(FPla, i)));
        OutputList->setCell(1, i + 1, Thousands(on[static_cast<size_t>(i)]));
        OutputList->setCell(2, i + 1, Thousands(dc[static_cast<size_t>(i)]));
    }
    OutputList->endUpdate();
    OutputList->setRow(1);
    lblFunction->setText(QString("%1 inputs, %2 outputs").arg(FPla.Inputs).arg(FPla.Outputs));
    // The cubes keep the file's order of inputs; there are no letters to name.
    lblInputNames->clear();
    lblInputNames->hide();
    PlaceGrids();
}

// A row a term, as the engine returns them, with an "x" under each output it feeds.
void TfrmOutputs::FillWideCoverGrid() {
    const int outputs = FPla.Outputs;
    const size_t terms = FHasCover ? FWideCover.Terms.Size() : 0;
    const int inWords = InputWords(FPla.Inputs);
    CoverGrid->beginUpdate();
    CoverGrid->setColCount(outputs + 1);
    CoverGrid->setRowCount(static_cast<int>(terms) + 1);
    CoverGrid->clearCells();
    const QFontMetrics metrics(CoverGrid->font());
    const QString widest(FPla.Inputs, '0');  // a digit is wider than a dash
    CoverGrid->setColWidth(
        0, std::max(metrics.horizontalAdvance("Term"), metrics.horizontalAdvance(widest)) + 8);
    CoverGrid->setCell(0, 0, "Term");
    for (int i = 0; i < outputs; ++i) {
        CoverGrid->setColWidth(i + 1, OutputColWidth);
        CoverGrid->setCell(i + 1, 0, QString::fromStdString(PlaOutputName(FPla, i)));
    }
    for (size_t t = 0; t < terms; ++t) {
        const int row = static_cast<int>(t) + 1;
        const uint64_t* cube = FWideCover.Terms[t];
        CoverGrid->setCell(0, row, QString::fromStdString(WideCubeText(cube, FPla.Inputs)));
        for (int i = 0; i < outputs; ++i) {
            if (HasOutput(cube, inWords, i)) {
                CoverGrid->setCell(i + 1, row, "x");
            }
        }
    }
    CoverGrid->endUpdate();
}

void TfrmOutputs::RunWideCover(const TCoverOptions& window) {
    TWideOptions options;
    options.BudgetMs = window.BudgetMs;
    options.KeepGoing = window.KeepGoing;
    options.Progress = window.Progress;
    FWideCover = MinimizeWide(WidePlaFunction(FPla, AllOutputs(FPla.Outputs)), options);
    FHasCover = true;
    FillCoverGrid();
    const int inWords = InputWords(FPla.Inputs);
    const int stride = FWideCover.Terms.Stride();
    int64_t literals = 0;
    int64_t connections = 0;
    for (size_t t = 0; t < FWideCover.Terms.Size(); ++t) {
        const uint64_t* cube = FWideCover.Terms[t];
        for (int k = 0; k < FPla.Inputs; ++k) {
            literals += Field(cube, k) != 3 ? 1 : 0;
        }
        for (int w = inWords; w < stride; ++w) {
            connections += std::popcount(cube[w]);
        }
    }
    lblSharedCover->setText(CoverOutcomeText(static_cast<int64_t>(FWideCover.Terms.Size()),
                                             literals, static_cast<int64_t>(FWideCover.LowerBound),
                                             FWideCover.Proven, connections));
}

// The cover as the command line writes it: a PLA with the don't cares, or one unit.
void TfrmOutputs::ExportWideCover(const QString& fileName, TExportFormat format) {
    const std::vector<int> all = AllOutputs(FPla.Outputs);
    const TWideFunction function = WidePlaFunction(FPla, all);
    const TWideCubes& terms = FWideCover.Terms;
    const TDesignUnit unit =
        WideTermsUnit(FPla, all, function, terms, UnitNameOfFile(fileName.toStdString()));
    const std::string text = format == TExportFormat::Pla ? WideTermsPla(FPla, all, function, terms)
                                                          : WriteUnit(format, unit);
    const std::string renamed =
        format == TExportFormat::Pla ? std::string() : RenamedPortsText(format, unit);
    ExportText(fileName, text, renamed,
               QString("%1 terms of %2 outputs were exported").arg(terms.Size()).arg(FPla.Outputs));
}
