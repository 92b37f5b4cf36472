// Shared set-up of the calculator tests: a clean calculator at a given variable count.
#pragma once

#include "TestSupport.h"
#include "model/State.h"
#include "windows/FormBoolProjects.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/main.h"

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class CalculatorTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Calc = frmBooleanClac;
        Calc->mnuConversion->setChecked(false);
        Calc->SpinEdit->setValue(6);
        Calc->SpinEditChange();
        for (QLineEdit* edit : Edits()) {
            edit->setEnabled(true);
            edit->clear();
        }
        Calc->rbAND->setChecked(true);
        for (int panel = 0; panel < 4; ++panel) {
            Calc->StatusBar->setPanelText(panel, QString());
        }
        prompter.messages.clear();
    }

    // Other suites share the windows and expect the start-up count.
    void TearDown() override {
        // Copying Z to the map simplifies and shows the other windows; the start has them hidden.
        frmKmap->hide();
        frmResult->hide();
        frmBoolprojects->hide();
        SetVars(6);
        WindowTest::TearDown();
    }

    std::vector<QLineEdit*> Edits() const {
        return {Calc->edtXinput,  Calc->edtYinput,  Calc->edtZinput,
                Calc->edtB1input, Calc->edtB2input, Calc->edtOptimized};
    }

    void SetVars(int n) {
        Calc->SpinEdit->setValue(n);
        Calc->SpinEditChange();
    }

    QString Panel(int panel) const { return Calc->StatusBar->panelText(panel); }

    TfrmBooleanClac* Calc = nullptr;
};
