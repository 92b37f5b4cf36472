// The calculator window: creation, showing and the variable count.
#include "windows/FormBooleanCalc.h"

#include <QApplication>
#include <QCloseEvent>

#include "model/State.h"
#include "windows/main.h"

TfrmBooleanClac* frmBooleanClac = nullptr;

TfrmBooleanClac::TfrmBooleanClac(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmBooleanClac");
    setWindowTitle("Boolean calculator- AND-NAND-OR-NOR-XOR-NOT - Version 1.0");
    auto makeEdit = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        return edit;
    };
    edtXinput = makeEdit("edtXinput");
    edtYinput = makeEdit("edtYinput");
    edtZinput = makeEdit("edtZinput");
    edtB1input = makeEdit("edtB1input");
    edtB2input = makeEdit("edtB2input");
    edtOptimized = makeEdit("edtOptimized");
    SpinEdit = new QSpinBox(this);
    SpinEdit->setObjectName("SpinEdit");
    SpinEdit->setRange(3, 16);
    SpinEdit->setValue(6);
    StatusBar = new TStatusBar({120, 200, 200, 50}, this);
    Gauge = new TGauge(this);
    StatusBar->hostGauge(Gauge);
    KmapGrid = new TStringGrid(this);
    KmapGrid->setObjectName("KmapGrid");
    connect(SpinEdit, &QSpinBox::valueChanged, this, &TfrmBooleanClac::SpinEditChange);
}

QString TfrmBooleanClac::dragSourceText() const {
    return FDragSource != nullptr ? FDragSource->text() : QString();
}

void TfrmBooleanClac::SpinEditChange() {
    SetVarCount(SpinEdit->value());
    LayoutCalcMap(SpinEdit->value());
    frmKmap->shwKMPClick();
}

void TfrmBooleanClac::edtXinputChange() {}
void TfrmBooleanClac::edtYinputChange() {}
void TfrmBooleanClac::edtZinputChange() {}
void TfrmBooleanClac::edtB1inputChange() {}

void TfrmBooleanClac::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    SpinEditChange();
    frmKmap->FormShow();
}

void TfrmBooleanClac::closeEvent(QCloseEvent* event) {
    // Closing the calculator ends the program, whatever other window is open.
    event->accept();
    QApplication::quit();
}
