// The Outputs window's commands: Minimum shared cover, Open in K-map, Export as….
#include <algorithm>

#include "engine/shared/SharedCover.h"
#include "model/DesignUnit.h"
#include "windows/Outputs.h"
#include "windows/Windows.h"
#include "windows/controls/BusyCursor.h"
#include "windows/controls/ExportDialog.h"
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
    if (CommandLoopRunning() || outputCount() == 0) {
        return;
    }
    RunCover();
}

void TfrmOutputs::RunCover() {
    const TSearchRunning running(btnSharedCover, lblSharedCover, mnuSharedCover, GaugeSharedCover,
                                 FCoverRunning, FCoverStopRequested);
    TBusyCursor busy;
    TEventPump pump;
    TCoverProgress progress(GaugeSharedCover, CoverBudgetMs);
    const TCoverOptions options =
        WindowCoverOptions(progress, pump, CoverBudgetMs, FCoverStopRequested);
    if (FWide) {
        RunWideCover(options);
        return;
    }
    FCover = FindSharedCover(FSet, options);
    FHasCover = true;
    FillCoverGrid();
    // The search weighs letters and output connections alike; the label tells them apart.
    const auto connections = static_cast<int64_t>(BitCount(FCover.Feeds));
    lblSharedCover->setText(CoverOutcomeText(static_cast<int64_t>(FCover.Terms.size()),
                                             FCover.Literals - connections, FCover.LowerBound,
                                             FCover.Proven, connections));
}

void TfrmOutputs::btnOpenOutputClick() {
    if (CommandLoopRunning() || FWide || OutputCount(FSet) == 0) {
        return;
    }
    const int output = std::clamp(OutputList->row(), 1, OutputCount(FSet)) - 1;
    frmKmap->LoadPlaOutput(FPla, output);
    BringToFront(frmKmap);
}

namespace {

// What "Export as…" offers for a function of several outputs: no text form.
const TExportOffer ExportOffer{
    "PLA File|*.pla|Verilog module|*.v;*.sv|VHDL entity|*.vhd;*.vhdl|C function|*.c;*.h",
    {TExportFormat::Pla, TExportFormat::Verilog, TExportFormat::Vhdl, TExportFormat::C},
    {"pla", "v", "vhd", "c"}};

}  // namespace

void TfrmOutputs::btnExportAsClick() {
    if (CommandLoopRunning() || outputCount() == 0) {
        return;
    }
    if (!FHasCover) {
        RunCover();
    }
    QString fileName;
    TExportFormat format = TExportFormat::Pla;
    if (!AskExportFile(ExportOffer, FExportFilter, fileName, format)) {
        return;
    }
    if (FWide) {
        ExportWideCover(fileName, format);
        return;
    }
    const std::string file = fileName.toStdString();
    ExportUnit(fileName, format, SharedCoverUnit(FSet, FCover, UnitNameOfFile(file)),
               QString("%1 terms of %2 outputs were exported")
                   .arg(FCover.Terms.size())
                   .arg(FSet.Outputs.size()));
}
