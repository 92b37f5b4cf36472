// The results window's exports: clipboard, text file, BIN image, editor, calculator, HiLite.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>

#include "model/DesignUnit.h"
#include "model/Pla.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/Placement.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"

namespace {

// The file types of "Export as…", in the order of TExportFormat.
const char* const ExportFilter =
    "Verilog module|*.v;*.sv|VHDL entity|*.vhd;*.vhdl|C function|*.c;*.h|"
    "Text with ' for NOT|*.txt|PLA File|*.pla";
const char* const ExportExtensions[] = {"v", "vhd", "c", "txt", "pla"};

// The don't cares of the function simplified last, for the PLA.
std::vector<TTermMasks> DontCareCubes(int n) {
    TMintermBits dc = MakeMintermBits(n);
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (ProgramState.DontCare[m] != 0) {
            SetMinterm(dc, m);
        }
    }
    return CubesOfSet(dc, n);
}

}  // namespace

QString TfrmResult::ExportLines(bool checkedOnly) const {
    QString text;
    for (int r = 0; r < RowCount(); ++r) {
        if (checkedOnly && !RowChecked(r)) {
            continue;
        }
        const std::string term = TrimBlanks(RowTerm(r));
        if (!term.empty()) {
            text += QString::fromStdString(term) + "\r\n";
        }
    }
    return text;
}

QString TfrmResult::ExportLongLine() const {
    QString text;
    for (int r = 0; r < RowCount(); ++r) {
        const std::string term = TrimBlanks(RowTerm(r));
        if (!term.empty()) {
            text += QString::fromStdString(term) + "+";
        }
    }
    text.chop(1);
    return text;
}

void TfrmResult::SavetoClipbpard1Click() {
    QGuiApplication::clipboard()->setText(ExportLines(false));
}

void TfrmResult::SaveSeltoClipboard1Click() {
    QGuiApplication::clipboard()->setText(ExportLines(true));
}

void TfrmResult::mnuSavelongLineClick() {
    QGuiApplication::clipboard()->setText(ExportLongLine());
}

void TfrmResult::mnyCopytoZinputClick() {
    frmBooleanClac->edtZinput->setText(ExportLongLine());
    BringToFront(frmBooleanClac);
}

void TfrmResult::SavetoFile1Click() {
    const TFileDialogResult chosen = frmKmap->RunSaveDialog(1);
    if (!chosen.Accepted) {
        return;
    }
    QByteArray bytes;
    int lines = 0;
    for (int r = 1; r < RowCount(); ++r) {
        const std::string term = RowTerm(r);
        if (TrimBlanks(term).empty()) {
            continue;
        }
        bytes.append(term.data(), static_cast<qsizetype>(term.size()));
        bytes.append("\r\n");
        ++lines;
    }
    // Written whole or not at all, so a failed save keeps the old file.
    if (!SaveWholeFile(chosen.FileName, bytes)) {
        return;
    }
    ShowMessage(QString::number(lines) + " Lines was saved");
}

// The unchecked rows: what is left when the checked ones are the redundant terms a test found.
void TfrmResult::mnuExportAsClick() {
    const int n = ProgramState.VarCount;
    std::vector<TTermMasks> cubes;
    for (int r = 1; r < RowCount(); ++r) {
        if (!RowHasTerm(r) || RowChecked(r)) {
            continue;
        }
        std::string term = TrimBlanks(RowTerm(r));
        ToPositional(term);
        cubes.push_back(TermMasks(term));
    }
    TFileDialogRequest request;
    request.Title = "Export as";
    request.Filter = ExportFilter;
    request.FilterIndex = FExportFilter;
    request.DefaultExt = ExportExtensions[FExportFilter - 1];
    request.SuffixFollowsFilter = true;
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted) {
        return;
    }
    // A typed extension that names a format wins over the filter.
    const std::string file = chosen.FileName.toStdString();
    auto format = static_cast<TExportFormat>(std::clamp(chosen.FilterIndex, 1, 5) - 1);
    ExportFormatOfFile(file, format);
    FExportFilter = static_cast<int>(format) + 1;
    const TDesignUnit unit = SingleOutputUnit(
        UnitNameOfFile(file), n, cubes, frmKmap->plaInputNames(), frmKmap->plaOutputName(),
        TUnitForm::SumOfProducts,
        format == TExportFormat::Pla ? DontCareCubes(n) : std::vector<TTermMasks>{});
    const std::string text = WriteUnit(format, unit);
    QString error;
    if (!WriteWholeFile(chosen.FileName, QByteArray::fromStdString(text), error)) {
        ShowMessage("Write error on " + chosen.FileName + ": " + error);
        return;
    }
    ShowMessage(QString("%1 terms were exported").arg(cubes.size()));
}

void TfrmResult::SaveasBINImageFile1Click() {
    frmKmap->SaveasBin1Click();
}

void TfrmResult::CopytoMain1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    frmKmap->ClearALLKMAP1Click();
    std::vector<std::string> terms;
    for (int r = 1; r < RowCount(); ++r) {
        std::string term = RowTerm(r);
        if (!TrimBlanks(term).empty()) {
            terms.push_back(std::move(term));
        }
    }
    TStringGrid* editor = frmKmap->inputgrid;
    // A result longer than the editor makes the editor longer rather than losing terms.
    const int needed = static_cast<int>(terms.size()) + 1;
    if (editor->rowCountValue() < needed) {
        editor->setRowCount(needed);
    }
    editor->beginUpdate();
    for (size_t i = 0; i < terms.size(); ++i) {
        editor->setCell(2, static_cast<int>(i) + 1, QString::fromStdString(terms[i]));
    }
    editor->endUpdate();
}

void TfrmResult::mnuTranslateClick() {}

void TfrmResult::Button1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    for (int r = 1; r < RowCount(); ++r) {
        if (RowChecked(r)) {
            frmKmap->HiliteTerm(QString::fromStdString(RowTerm(r)));
        }
    }
}
