// TfrmResult: the results window with its grid, exports, sorting and removal tests.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

#include "model/SensitiveStr.h"
#include "windows/controls/RadioGroup.h"
#include "windows/controls/StringGrid.h"

class TfrmResult : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmResult(QWidget* parent = nullptr);

    TStringGrid* Outputgrid = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    TRadioGroup* rgSort = nullptr;
    QPushButton* btnundolast = nullptr;

    // The hand-off: rebuilds the grid from a ranked list (value = Max * 65536 + Min).
    void ReceiveResult(const TStringListAdv& list);

  public slots:
    void SavetoClipbpard1Click();
    void SaveSeltoClipboard1Click();
    void SavetoFile1Click();
    void SaveasBINImageFile1Click();
    void CopytoMain1Click();
    void mnuTranslateClick();
    void mnuSavelongLineClick();
    void mnyCopytoZinputClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button1Click();
    void Edit1Enter();
    void Edit1Exit();
    void Edit1Change();
    void btnclearchecksClick();
    void btnTestRemovingClick();
    void btnRemoveCheckedClick();
    void btnTestNewDataClick();
    void btnundolastClick();
    void btnOptimizeClick();
    void btnquickoptimizeClick();
    void rgSortClick();
};

extern TfrmResult* frmResult;

// Hands a ranked term list to the results window.
void ShowResults(const TStringListAdv& list);
