// The K-map window: creation, showing, menus.
#include "windows/main.h"

TfrmKmap* frmKmap = nullptr;

TfrmKmap::TfrmKmap(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmKmap");
    setWindowTitle("QUILLON / Boolean Algebra simplification program.");
    inputgrid = new TStringGrid(this);
    inputgrid->setObjectName("inputgrid");
    KmapGrid = new TStringGrid(this);
    KmapGrid->setObjectName("KmapGrid");
    StatusBar = new TStatusBar({100, 200, 200, 50}, this);
    Gauge = new TGauge(this);
    StatusBar->hostGauge(Gauge);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
}

TfrmKmap::~TfrmKmap() = default;

void TfrmKmap::HiliteTerm(const QString&) {}
void TfrmKmap::FormShow() {}
void TfrmKmap::Exit2Click() {}
void TfrmKmap::Projects1Click() {}
void TfrmKmap::mnuNewBoolClick() {}
void TfrmKmap::mnuCopyKMAPdatatoZinputClick() {}
void TfrmKmap::Open1Click() {}
void TfrmKmap::Save1Click() {}
void TfrmKmap::GetClipbrd1Click() {}
void TfrmKmap::Savetoclipboard1Click() {}
void TfrmKmap::Find1Click() {}
void TfrmKmap::Clearallchecks1Click() {}
void TfrmKmap::Setallchecks1Click() {}
void TfrmKmap::ClearALLKMAP1Click() {}
void TfrmKmap::mnuPutRandomDataClick() {}
void TfrmKmap::ImportFromKmpapGridClick() {}
void TfrmKmap::ShowdatainKMAPGrid1Click() {}
void TfrmKmap::InvertKmapdataClick() {}
void TfrmKmap::ClearAll2Click() {}
void TfrmKmap::mnuSimplifyKMAPGridClick() {}
void TfrmKmap::mnuHiliteClick() {}
void TfrmKmap::Timer1Timer() {}
void TfrmKmap::mnuNewSimplifyClick() {}
void TfrmKmap::mnuRandomdataClick() {}
void TfrmKmap::mnuInvertBINdataClick() {}
void TfrmKmap::SaveasBin1Click() {}
void TfrmKmap::SpeedButton1Click() {}
void TfrmKmap::SpeedButton2Click() {}
void TfrmKmap::shwKMPClick() {}
void TfrmKmap::TableToEditor() {}

uint8_t Gray(int i) {
    return static_cast<uint8_t>(i ^ (i >> 1));
}
uint8_t InvGray(int g) {
    int i = 0;
    for (; g != 0; g >>= 1) {
        i ^= g;
    }
    return static_cast<uint8_t>(i);
}
void PlotSumOfProducts(TStringGrid*, const QString&) {}
void LayoutCalcMap(int) {}
