// TfrmBoolprojects: generators for the 4-bit adder, the 4-bit multiplier and N MOD 3.
#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>

#include "windows/controls/RadioGroup.h"

class TfrmBoolprojects : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmBoolprojects(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    TRadioGroup* rgbits = nullptr;

  public slots:
    void btn4bitadderstringClick();
    void btn4bitadderBINClick();
    void btnMODClick();
    void btn4bitmultiplyClick();
    void FormShow();
};

extern TfrmBoolprojects* frmBoolprojects;
