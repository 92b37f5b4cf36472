// TfrmKmap: the K-map window with the input editor, the Karnaugh map and the Simplify command.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstdint>

#include "model/SensitiveStr.h"
#include "windows/controls/StatusBar.h"
#include "windows/controls/StringGrid.h"

class TfrmKmap : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmKmap(QWidget* parent = nullptr);
    ~TfrmKmap() override;

    TStringGrid* inputgrid = nullptr;
    TStringGrid* KmapGrid = nullptr;
    TStatusBar* StatusBar = nullptr;
    TGauge* Gauge = nullptr;
    QTimer* Timer1 = nullptr;

    // The editor's letter cursor (1..16) and the pitch of its overbars.
    int cursorPos() const { return FCursorPos; }
    void setCursorPos(int p) { FCursorPos = p; }
    int letterWidth() const { return FLetterWidth; }

    void HiliteTerm(const QString& term);

  public slots:
    void FormShow();
    void Exit2Click();
    void Projects1Click();
    void mnuNewBoolClick();
    void mnuCopyKMAPdatatoZinputClick();
    void Open1Click();
    void Save1Click();
    void GetClipbrd1Click();
    void Savetoclipboard1Click();
    void Find1Click();
    void Clearallchecks1Click();
    void Setallchecks1Click();
    void ClearALLKMAP1Click();
    void mnuPutRandomDataClick();
    void ImportFromKmpapGridClick();
    void ShowdatainKMAPGrid1Click();
    void InvertKmapdataClick();
    void ClearAll2Click();
    void mnuSimplifyKMAPGridClick();
    void mnuHiliteClick();
    void Timer1Timer();
    void mnuNewSimplifyClick();
    void mnuRandomdataClick();
    void mnuInvertBINdataClick();
    void SaveasBin1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void shwKMPClick();
    void TableToEditor();

  private:
    int FCursorPos = 1;
    int FLetterWidth = 8;
};

extern TfrmKmap* frmKmap;

// Gray code of i (0..255) and its inverse; both maps use them.
uint8_t Gray(int i);
uint8_t InvGray(int g);

// Clears the grid and marks the minterms of every term of the text; reports on the calculator.
void PlotSumOfProducts(TStringGrid* grid, const QString& text);

// Sizes the calculator's map grid for n variables.
void LayoutCalcMap(int n);
