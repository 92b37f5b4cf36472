// TfrmOutputs: the outputs of a function of several outputs and their shared cover.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/shared/SharedCover.h"
#include "engine/wide/WideMinimize.h"
#include "model/FunctionSet.h"
#include "model/Pla.h"
#include "windows/controls/StatusBar.h"
#include "windows/controls/StringGrid.h"

class TfrmOutputs : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmOutputs(QWidget* parent = nullptr);

    TStringGrid* OutputList = nullptr;  // output name, ON count, don't-care count
    TStringGrid* CoverGrid = nullptr;   // a term a row, a column per output it may feed
    QPushButton* btnSharedCover = nullptr;
    QPushButton* btnOpenOutput = nullptr;
    QPushButton* btnExportAs = nullptr;
    TGauge* GaugeSharedCover = nullptr;  // shown while the search runs
    QLabel* lblSharedCover = nullptr;    // the outcome of the last search
    QLabel* lblFunction = nullptr;       // inputs and outputs of the function shown
    QLabel* lblInputNames = nullptr;     // which letter stands for which named input
    QAction* mnuSharedCover = nullptr;
    QAction* mnuOpenOutput = nullptr;
    QAction* mnuExportAs = nullptr;

    // How long Minimum shared cover searches before it settles for the best cover found.
    int64_t CoverBudgetMs = 10000;

    // Shows the function of every output of a PLA (set as PlaFunctionSet reads it). The cover
    // grid stays empty until Minimum shared cover runs. Brings the window to the front.
    void ReceiveFunctionSet(TPla pla, TFunctionSet set);
    const TFunctionSet& functionSet() const { return FSet; }
    // Shows a PLA of more than 16 inputs: its terms are cubes (01- an input) found by the cube
    // engine, and no output fits the K-map.
    void ReceiveWidePla(TPla pla);
    bool wide() const { return FWide; }
    // True while Minimum shared cover runs; the windows refuse commands meanwhile.
    bool coverRunning() const { return FCoverRunning; }

    void CoverGridDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state);

  public slots:
    // Finds a shared cover with the fewest terms and shows it; while running, stops it.
    void btnSharedCoverClick();
    // Puts the output selected in the list, with its don't cares, into the K-map editor.
    void btnOpenOutputClick();
    // Writes the shared cover (found first if there is none) as PLA, Verilog, VHDL or C.
    void btnExportAsClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateControls(QWidget* client);
    void CreateMenus();
    void FillOutputList();
    void FillCoverGrid();
    void PlaceGrids();
    void RunCover();
    int outputCount() const { return FWide ? FPla.Outputs : OutputCount(FSet); }
    // The same for a PLA of more than 16 inputs.
    void FillWideOutputList();
    void FillWideCoverGrid();
    void RunWideCover(const TCoverOptions& window);
    // Takes a function just received: clears the cover and shows the lists.
    void ShowReceived(bool wide);
    void ExportWideCover(const QString& fileName, TExportFormat format);

    TPla FPla;
    TFunctionSet FSet;
    TSharedCover FCover;
    TWideCover FWideCover;
    bool FWide = false;
    bool FHasCover = false;
    bool FPlaced = false;
    bool FCoverRunning = false;
    bool FCoverStopRequested = false;
    int FExportFilter = 1;
};

extern TfrmOutputs* frmOutputs;
