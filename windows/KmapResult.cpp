// The results window: creation and the hand-off.
#include "windows/KmapResult.h"

TfrmResult* frmResult = nullptr;

TfrmResult::TfrmResult(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmResult");
    setWindowTitle("QUILLON Simplification Results");
    Outputgrid = new TStringGrid(this);
    Outputgrid->setObjectName("Outputgrid");
}

void TfrmResult::ReceiveResult(const TStringListAdv&) {}
void TfrmResult::SavetoClipbpard1Click() {}
void TfrmResult::SaveSeltoClipboard1Click() {}
void TfrmResult::SavetoFile1Click() {}
void TfrmResult::SaveasBINImageFile1Click() {}
void TfrmResult::CopytoMain1Click() {}
void TfrmResult::mnuTranslateClick() {}
void TfrmResult::mnuSavelongLineClick() {}
void TfrmResult::mnyCopytoZinputClick() {}
void TfrmResult::SpeedButton1Click() {}
void TfrmResult::SpeedButton2Click() {}
void TfrmResult::Button1Click() {}
void TfrmResult::Edit1Enter() {}
void TfrmResult::Edit1Exit() {}
void TfrmResult::Edit1Change() {}
void TfrmResult::btnclearchecksClick() {}
void TfrmResult::btnTestRemovingClick() {}
void TfrmResult::btnRemoveCheckedClick() {}
void TfrmResult::btnTestNewDataClick() {}
void TfrmResult::btnundolastClick() {}
void TfrmResult::btnOptimizeClick() {}
void TfrmResult::btnquickoptimizeClick() {}
void TfrmResult::rgSortClick() {}

void ShowResults(const TStringListAdv& list) {
    frmResult->ReceiveResult(list);
}
