// TfrmBooleanClac: the Boolean calculator, the application's main window.
#pragma once

#include <QLineEdit>
#include <QMainWindow>
#include <QSpinBox>

#include "model/SensitiveStr.h"
#include "windows/controls/StatusBar.h"
#include "windows/controls/StringGrid.h"

class TfrmBooleanClac : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmBooleanClac(QWidget* parent = nullptr);

    QLineEdit* edtXinput = nullptr;
    QLineEdit* edtYinput = nullptr;
    QLineEdit* edtZinput = nullptr;
    QLineEdit* edtB1input = nullptr;
    QLineEdit* edtB2input = nullptr;
    QLineEdit* edtOptimized = nullptr;
    QSpinBox* SpinEdit = nullptr;
    TStatusBar* StatusBar = nullptr;
    TGauge* Gauge = nullptr;
    TStringGrid* KmapGrid = nullptr;
    // The long-lived sorted set that Z validation, the optimize commands and plotting reuse.
    TStringListAdv SharedList{true};

    // Text of the edit whose caption label started the current drag, or empty.
    QString dragSourceText() const;

  public slots:
    void SpinEditChange();
    void edtXinputChange();
    void edtYinputChange();
    void edtZinputChange();
    void edtB1inputChange();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QLineEdit* FDragSource = nullptr;
};

extern TfrmBooleanClac* frmBooleanClac;
