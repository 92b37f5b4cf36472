// TfrmBoolprojects: generators for the 4-bit adder, the 4-bit multiplier and N MOD 3.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>

#include "windows/controls/RadioGroup.h"

class TfrmBoolprojects : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmBoolprojects(QWidget* parent = nullptr);

    QPushButton* btn4bitadderstring = nullptr;
    QPushButton* btn4bitadderBIN = nullptr;
    QPushButton* btnMOD = nullptr;
    QPushButton* btn4bitmultiply = nullptr;
    QPushButton* btnAdderOutputs = nullptr;       // every bit of the adder to the Outputs window
    QPushButton* btnMultiplierOutputs = nullptr;  // every bit of the multiplier, likewise
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label1 = nullptr;
    TRadioGroup* rgbits = nullptr;

  public slots:
    void btn4bitadderstringClick();
    void btn4bitadderBINClick();
    void btnMODClick();
    void btn4bitmultiplyClick();
    void btnAdderOutputsClick();
    void btnMultiplierOutputsClick();
    void FormShow();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void AddMemoLine(const QString& line);
    QString Optimized(const std::string& text);
    // Runs the generated truth table through the editor, the map and Simplify.
    void SimplifyTruthTable();
};

extern TfrmBoolprojects* frmBoolprojects;
