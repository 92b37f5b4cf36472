// The calculator's operations OR, AND, XOR, NOT and the invert commands, and their busy guard.
#include <QCoreApplication>
#include <QEventLoop>

#include "engine/CalcOperations.h"
#include "engine/OptimizeString.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"
#include "windows/controls/Prompter.h"

namespace {

std::string Std(const QString& text) {
    return text.toStdString();
}

// Valid terms a text keeps after splitting, and the split's code.
int ValidTermCount(std::string text, int& code) {
    TStringListAdv list;
    int errorIndex = 0;
    code = SplitTerms(text, list, errorIndex);
    return list.Count();
}

}  // namespace

TCalcFeedback TfrmBooleanClac::CalcFeedback() {
    TCalcFeedback feedback;
    feedback.Gauge = Gauge;
    feedback.AbsorptionGauge = KmapGauge();
    // Painting and timers go on during a long product; clicks and keys wait until it ends.
    feedback.ProcessMessages = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    return feedback;
}

bool TfrmBooleanClac::EnterOperation() {
    // The K-map window's conversion lets clicks through; no operation starts inside it.
    if (CommandLoopRunning()) {
        StatusBar->setPanelText(2, "Busy: wait for the running operation");
        return false;
    }
    FBusy = true;
    return true;
}

void TfrmBooleanClac::LeaveOperation() {
    FBusy = false;
    CommandLoopEnded();
}

void TfrmBooleanClac::ApplyResult(QLineEdit* target, const TCalcResult& result) {
    // The edit first: its change handling writes the panels, which the result then overrides.
    if (result.Z) {
        target->setText(QString::fromStdString(*result.Z));
    }
    if (result.CountPanel) {
        StatusBar->setPanelText(1, QString::fromStdString(*result.CountPanel));
    }
    if (result.MessagePanel) {
        StatusBar->setPanelText(2, QString::fromStdString(*result.MessagePanel));
    }
}

std::string TfrmBooleanClac::Optimized(const std::string& text) {
    // A single term is its own optimized form, so the result starts as the text.
    std::string result = text;
    if (const auto removed = OptimizeString(text, result, ProgramState.VarCount, KmapGauge())) {
        StatusBar->setPanelText(1, QString::fromStdString(*removed));
    }
    return result;
}

void TfrmBooleanClac::SetXEnabled(bool enabled) {
    // Disabling the focused X would pass the focus on to Y and run Y's validation as if the
    // user had entered it; the status bar takes it instead.
    if (!enabled && focusWidget() == edtXinput) {
        StatusBar->setFocus(Qt::OtherFocusReason);
    }
    edtXinput->setEnabled(enabled);
    QPalette palette = edtXinput->palette();
    const QColor color = enabled ? QColor(0xFF, 0xFF, 0xFF) : QColor(0x80, 0x80, 0x80);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, color);
    }
    edtXinput->setPalette(palette);
}

void TfrmBooleanClac::AutoCalculate(QLineEdit* edit) {
    if (rbAND->isChecked()) {
        RunAnd();
    } else if (rbOR->isChecked()) {
        RunOr(false);
    } else if (rbXOR->isChecked()) {
        RunXor();
    } else if (edit == edtYinput) {
        ComplementYIntoZ();
    }
}

void TfrmBooleanClac::lblboolOrClick() {
    RunOr(true);
}

void TfrmBooleanClac::lblBooAndClick() {
    RunAnd();
}

void TfrmBooleanClac::lblboolxorClick() {
    RunXor();
}

void TfrmBooleanClac::lblNotClick() {
    RunNot();
}

void TfrmBooleanClac::RunOr(bool byClick) {
    if (!EnterOperation()) {
        return;
    }
    if (byClick) {
        rbOR->setChecked(true);
    }
    SetXEnabled(true);
    const std::string x = Std(edtXinput->text());
    const std::string y = Std(edtYinput->text());
    TCalcResult result = CalcOr(x, y, ProgramState.VarCount, CalcFeedback());
    int codeX = 0;
    int codeY = 0;
    if (!x.empty() && !y.empty() && ValidTermCount(x, codeX) == 0 &&
        ValidTermCount(y, codeY) == 0) {
        // Nothing valid on either side: Z stays as it was and the error says why.
        result.Z.reset();
        result.CountPanel.reset();
    }
    ApplyResult(edtZinput, result);
    LeaveOperation();
}

void TfrmBooleanClac::RunAnd() {
    RunTwoInputs(rbAND, CalcAnd);
}

void TfrmBooleanClac::RunXor() {
    RunTwoInputs(rbXOR, CalcXor);
}

// AND and XOR: X comes back, and the button follows only when both inputs hold text.
void TfrmBooleanClac::RunTwoInputs(QRadioButton* button, TTwoInputOperation operation) {
    if (!EnterOperation()) {
        return;
    }
    SetXEnabled(true);
    const std::string x = Std(edtXinput->text());
    const std::string y = Std(edtYinput->text());
    if (!x.empty() && !y.empty()) {
        button->setChecked(true);
    }
    ApplyResult(edtZinput, operation(x, y, ProgramState.VarCount, CalcFeedback()));
    LeaveOperation();
}

void TfrmBooleanClac::RunNot() {
    if (!EnterOperation()) {
        return;
    }
    SetXEnabled(false);
    rbNOT->setChecked(true);
    ApplyResult(edtZinput, CalcNot(Std(edtZinput->text()), ProgramState.VarCount, CalcFeedback()));
    LeaveOperation();
}

void TfrmBooleanClac::ComplementYIntoZ() {
    const std::string y = Std(edtYinput->text());
    if (y.empty()) {
        StatusBar->setPanelText(2, "Missing text");
        return;
    }
    if (!EnterOperation()) {
        return;
    }
    std::string cleaned = y;
    std::string complement;
    TCalcResult result;
    result.CountPanel = Complement(cleaned, complement, ProgramState.VarCount, CalcFeedback());
    result.Z = complement;
    ApplyResult(edtZinput, result);
    LeaveOperation();
}

void TfrmBooleanClac::InvertEdit(QLineEdit* edit, bool reportEmpty) {
    if (!EnterOperation()) {
        return;
    }
    const TCalcResult result = CalcInvert(Std(edit->text()), ProgramState.VarCount, CalcFeedback());
    if (!result.Z && reportEmpty) {
        ShowMessage("Error no values");
    }
    ApplyResult(edit, result);
    LeaveOperation();
}

void TfrmBooleanClac::mnuInvertXClick() {
    InvertEdit(edtXinput, false);
}

void TfrmBooleanClac::mnuInvertYClick() {
    InvertEdit(edtYinput, false);
}

void TfrmBooleanClac::mnuInvertZClick() {
    InvertEdit(edtZinput, false);
}

void TfrmBooleanClac::Invert1Click() {
    QLineEdit* edit = FocusedEdit();
    if (edit == nullptr) {
        ShowMessage("No edit line is focused");
        return;
    }
    InvertEdit(edit, true);
}
