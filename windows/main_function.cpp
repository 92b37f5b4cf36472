// "Enter function…" in the K-map window, and the path by which any whole function reaches the
// editor and the map.
#include "model/Textbook.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"
#include "windows/controls/FunctionDialog.h"
#include "windows/main.h"
#include "windows/main_groups.h"
#include "windows/main_shared.h"

void TfrmKmap::mnuEnterFunctionClick() {
    if (CommandLoopRunning()) {
        return;
    }
    int target = 0;
    TTextbookFunction function;
    if (!AskFunction({}, target, false, function)) {
        return;
    }
    LoadFunctionRows(function.VarCount, SetTerms(function.On, function.VarCount),
                     SetTerms(function.Dc, function.VarCount));
    // The letters name the variables again: no PLA's names belong to this function.
    ForgetPlaNames();
}

// Fewer than 3 variables are read at 3: the variables added are the last letters and free, so
// the terms keep their letters.
void TfrmKmap::LoadFunctionRows(int n, const std::vector<std::string>& on,
                                const std::vector<std::string>& dc) {
    frmBooleanClac->SpinEdit->setValue(std::max(n, 3));
    ClearEditor();
    const int count = static_cast<int>(on.size() + dc.size());
    inputgrid->setRowCount(count <= 10000 ? 10001 : count + 1);
    inputgrid->beginUpdate();
    int row = 1;
    for (const std::string& term : on) {
        WriteTerm(row++, FromLatin(term));
    }
    for (const std::string& term : dc) {
        WriteTerm(row++, "-" + FromLatin(term));
    }
    inputgrid->endUpdate();
    inputgrid->setRow(1);
    inputgrid->setTopRow(1);
    // The map follows the editor, and nothing on it or below it speaks of the last function.
    ShowdatainKMAPGrid1Click();
    Groups->clearGroups();
    StatusBar->setPanelText(3, QString());
}
