// The Outputs window's commands: Minimum shared cover, Open in K-map, Export as….
#include <algorithm>

#include "engine/SharedUnit.h"
#include "model/DesignUnit.h"
#include "windows/KmapResult_busy.h"
#include "windows/Outputs.h"
#include "windows/Windows.h"
#include "windows/controls/Placement.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/SearchRun.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"

void TfrmOutputs::btnSharedCoverClick() {
    if (FCoverRunning) {
        FCoverStopRequested = true;
        return;
    }
    if (CommandLoopRunning() || OutputCount(FSet) == 0) {
        return;
    }
    RunSharedCover();
}

void TfrmOutputs::RunSharedCover() {
    // The window's state while the search runs, put back however it ends.
    struct TRunning {
        TfrmOutputs* W;
        explicit TRunning(TfrmOutputs* w) : W(w) {
            W->FCoverRunning = true;
            W->FCoverStopRequested = false;
            W->btnSharedCover->setText("Stop");
            W->lblSharedCover->clear();
            W->mnuSharedCover->setEnabled(false);
            W->GaugeSharedCover->show();
        }
        ~TRunning() {
            W->GaugeSharedCover->hide();
            W->mnuSharedCover->setEnabled(true);
            W->btnSharedCover->setText("Minimum shared cover");
            W->FCoverRunning = false;
        }
        TRunning(const TRunning&) = delete;
        TRunning& operator=(const TRunning&) = delete;
    } running(this);
    TBusyCursor busy;
    TEventPump pump;
    TCoverProgress progress(GaugeSharedCover, CoverBudgetMs);
    TCoverOptions options;
    options.BudgetMs = CoverBudgetMs;
    options.Progress = &progress;
    options.KeepGoing = [this, &pump, &progress] {
        progress.Show();
        pump.Poll();
        return !FCoverStopRequested;
    };
    FCover = FindSharedCover(FSet, options);
    FHasCover = true;
    FillCoverGrid();
    lblSharedCover->setText(CoverOutcomeText(static_cast<int64_t>(FCover.Terms.size()),
                                             FCover.Literals, FCover.LowerBound, FCover.Proven));
}

void TfrmOutputs::btnOpenOutputClick() {
    if (CommandLoopRunning() || OutputCount(FSet) == 0) {
        return;
    }
    const int output = std::clamp(OutputList->row(), 1, OutputCount(FSet)) - 1;
    frmKmap->LoadPlaOutput(FPla, output);
    BringToFront(frmKmap);
}

namespace {

// The formats "Export as…" offers for a function of several outputs, in the filter's order.
const char* const ExportFilter =
    "PLA File|*.pla|Verilog module|*.v;*.sv|VHDL entity|*.vhd;*.vhdl|C function|*.c;*.h";
const TExportFormat ExportFormats[] = {TExportFormat::Pla, TExportFormat::Verilog,
                                       TExportFormat::Vhdl, TExportFormat::C};
const char* const ExportExtensions[] = {"pla", "v", "vhd", "c"};

}  // namespace

void TfrmOutputs::btnExportAsClick() {
    if (CommandLoopRunning() || FSet.Outputs.empty()) {
        return;
    }
    if (!FHasCover) {
        RunSharedCover();
    }
    TFileDialogRequest request;
    request.Title = "Export as";
    request.Filter = ExportFilter;
    request.FilterIndex = FExportFilter;
    request.DefaultExt = ExportExtensions[FExportFilter - 1];
    request.SuffixFollowsFilter = true;
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted) {
        return;
    }
    // A typed extension that names a format wins over the filter; text is not offered here.
    const std::string file = chosen.FileName.toStdString();
    FExportFilter = std::clamp(chosen.FilterIndex, 1, 4);
    TExportFormat format = ExportFormats[FExportFilter - 1];
    TExportFormat typed = format;
    if (ExportFormatOfFile(file, typed) && typed != TExportFormat::Text) {
        format = typed;
    }
    const std::string text = WriteUnit(format, SharedCoverUnit(FSet, FCover, UnitNameOfFile(file)));
    QString error;
    if (!WriteWholeFile(chosen.FileName, QByteArray::fromStdString(text), error)) {
        ShowMessage("Write error on " + chosen.FileName + ": " + error);
        return;
    }
    ShowMessage(QString("%1 terms of %2 outputs were exported")
                    .arg(FCover.Terms.size())
                    .arg(FSet.Outputs.size()));
}
