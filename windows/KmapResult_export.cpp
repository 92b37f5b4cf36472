// The results window's exports: clipboard, text file, BIN image, editor, calculator, HiLite.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>

#include "model/BinImage.h"
#include "model/DesignUnit.h"
#include "model/Minterms.h"
#include "model/Pla.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/ExportDialog.h"
#include "windows/controls/Placement.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"

namespace {

// The file types of "Export as…": four expressions, then the PLA.
const TExportOffer ExportOffer{
    "Verilog module|*.v;*.sv|VHDL entity|*.vhd;*.vhdl|C function|*.c;*.h|"
    "Text with ' for NOT|*.txt|PLA File|*.pla",
    {TExportFormat::Verilog, TExportFormat::Vhdl, TExportFormat::C, TExportFormat::Text,
     TExportFormat::Pla},
    {"v", "vhd", "c", "txt", "pla"}};

// The don't cares of the function simplified last, for the PLA.
std::vector<TCube> DontCareCubes(int n) {
    return CubesOfSet(DontCareBits(ProgramState.DontCare, n), n);
}

}  // namespace

QString TfrmResult::ExportedRow(int row) const {
    const std::string term = TrimBlanks(RowTerm(row));
    if (term.empty() || FForm == TUnitForm::SumOfProducts) {
        return QString::fromStdString(term);
    }
    return QString::fromStdString(SumTerm(TermMasks(term), ProgramState.VarCount));
}

// Under a product of sums the function is 1 where no row covers a minterm.
std::vector<std::string> TfrmResult::FunctionTerms() const {
    const int n = ProgramState.VarCount;
    std::vector<TCube> rows;
    for (int r = 1; r < RowCount(); ++r) {
        if (RowHasTerm(r)) {
            rows.push_back(TermMasks(TrimBlanks(RowTerm(r))));
        }
    }
    std::vector<std::string> terms;
    for (const TCube& cube : ComplementCubes(rows, n)) {
        const std::string term = CubeTerm(cube, n);
        // The editor has no term for HI; its two halves stand for it.
        if (term.empty()) {
            return {"A", "a"};
        }
        terms.push_back(term);
    }
    return terms;
}

QString TfrmResult::ExportLines(bool checkedOnly) const {
    QString text;
    for (int r = 0; r < RowCount(); ++r) {
        if (checkedOnly && !RowChecked(r)) {
            continue;
        }
        const QString row = ExportedRow(r);
        if (!row.isEmpty()) {
            text += row + "\r\n";
        }
    }
    return text;
}

// The sum of the rows, or the product of their sums: (A+b+C)(a+D).
QString TfrmResult::ExportLongLine() const {
    const bool sums = FForm == TUnitForm::ProductOfSums;
    QString text;
    for (int r = 0; r < RowCount(); ++r) {
        const QString row = ExportedRow(r);
        if (!row.isEmpty()) {
            text += sums ? "(" + row + ")" : row + "+";
        }
    }
    if (!sums) {
        text.chop(1);
    }
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

// The calculator works on sums of products: a product of sums reaches it as its function.
void TfrmResult::mnyCopytoZinputClick() {
    QString text;
    if (FForm == TUnitForm::ProductOfSums) {
        for (const std::string& term : FunctionTerms()) {
            text += QString::fromStdString(term) + "+";
        }
        text.chop(1);
    } else {
        text = ExportLongLine();
    }
    frmBooleanClac->edtZinput->setText(text);
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
        // A sum is written as such, so that it is never read back as a product.
        const std::string line =
            FForm == TUnitForm::ProductOfSums ? ExportedRow(r).toStdString() : term;
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
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
    std::vector<TCube> cubes;
    for (int r = 1; r < RowCount(); ++r) {
        if (!RowHasTerm(r) || RowChecked(r)) {
            continue;
        }
        std::string term = TrimBlanks(RowTerm(r));
        ToPositional(term);
        cubes.push_back(TermMasks(term));
    }
    QString fileName;
    TExportFormat format = TExportFormat::Verilog;
    if (!AskExportFile(ExportOffer, FExportFilter, fileName, format)) {
        return;
    }
    const std::string file = fileName.toStdString();
    const TDesignUnit unit = SingleOutputUnit(
        UnitNameOfFile(file), n, cubes, frmKmap->plaInputNames(), frmKmap->plaOutputName(), FForm,
        format == TExportFormat::Pla ? DontCareCubes(n) : std::vector<TCube>{});
    ExportUnit(fileName, format, unit,
               QString(FForm == TUnitForm::ProductOfSums ? "%1 sums were exported"
                                                         : "%1 terms were exported")
                   .arg(cubes.size()));
}

// The image of the function: for a product of sums, 1 where no row covers a minterm.
void TfrmResult::SaveasBINImageFile1Click() {
    if (FForm == TUnitForm::SumOfProducts) {
        frmKmap->SaveasBin1Click();
        return;
    }
    const int n = ProgramState.VarCount;
    TMintermBits function = MakeMintermBits(n);
    for (const std::string& term : FunctionTerms()) {
        ForEachCubeMinterm(TermMasks(term), ProgramState.HighMinterm, [&](uint32_t m) {
            SetMinterm(function, m);
            return true;
        });
    }
    frmKmap->SaveBinImage(MintermsToBin(function, n));
}

void TfrmResult::CopytoMain1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    frmKmap->ClearALLKMAP1Click();
    // The editor holds sums of products: a product of sums goes there as its function.
    QStringList terms;
    if (FForm == TUnitForm::ProductOfSums) {
        for (const std::string& term : FunctionTerms()) {
            terms << QString::fromStdString(term);
        }
    } else {
        for (int r = 1; r < RowCount(); ++r) {
            const std::string term = RowTerm(r);
            if (!TrimBlanks(term).empty()) {
                terms << QString::fromStdString(term);
            }
        }
    }
    // A result longer than the editor makes the editor longer rather than losing terms.
    frmKmap->setEditorRows(terms);
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
