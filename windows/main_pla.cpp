// PLA files in the K-map window: one output of a file into the editor, the editor out as a PLA.
#include <QFile>
#include <QFileInfo>

#include "model/Pla.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"
#include "windows/main_shared.h"

namespace {

const char* const PlaFilter = "PLA Files|*.pla|Any Files|*.*";

// Far above any PLA of 16 inputs a tool writes; a bigger file is not read into memory.
constexpr qint64 MaxPlaBytes = qint64{64} << 20;

bool ReadPlaFile(const QString& fileName, QByteArray& bytes, QString& error) {
    // A folder, a pipe or a device may block or never end: only plain files are read.
    const QFileInfo info(fileName);
    if (!info.isFile()) {
        error = "Cannot open " + fileName + ": not a regular file";
        return false;
    }
    if (info.size() > MaxPlaBytes) {
        error = "Cannot open " + fileName + ": larger than 64 MiB";
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "Cannot open " + fileName + ": " + file.errorString();
        return false;
    }
    bytes = file.read(MaxPlaBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = "Cannot read " + fileName + ": " + file.errorString();
        return false;
    }
    return true;
}

QString OutputList(const TPla& pla) {
    QStringList names;
    for (int j = 0; j < pla.Outputs && j < 20; ++j) {
        names << FromLatin(PlaOutputName(pla, j));
    }
    return names.join(", ") + (pla.Outputs > 20 ? ", ..." : "");
}

// The output to load: the only one, or the one the user names; -1 when cancelled or unknown.
int ChooseOutput(const TPla& pla) {
    if (pla.Outputs == 1) {
        return 0;
    }
    QString answer = FromLatin(PlaOutputName(pla, 0));
    const QString prompt = QString(
                               "The file has %1 outputs: %2.\nWhich one do you want to load "
                               "(its name or number)?")
                               .arg(pla.Outputs)
                               .arg(OutputList(pla));
    if (!Prompter().inputQuery("Import PLA File", prompt, answer)) {
        return -1;
    }
    const int output = FindPlaOutput(pla, ToLatin(answer));
    if (output < 0) {
        ShowMessage("The file has no output " + answer + "; its outputs are " + OutputList(pla));
    }
    return output;
}

}  // namespace

void TfrmKmap::mnuImportPlaClick() {
    if (CommandLoopRunning()) {
        return;
    }
    TFileDialogRequest request;
    request.Title = "Import PLA File";
    request.Filter = PlaFilter;
    request.DefaultExt = "pla";
    const TFileDialogResult chosen = Prompter().openFile(request);
    if (!chosen.Accepted) {
        return;
    }
    QByteArray bytes;
    QString error;
    if (!ReadPlaFile(chosen.FileName, bytes, error)) {
        ShowMessage(error);
        return;
    }
    TPla pla;
    TPlaError fault;
    if (!ReadPla(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), pla,
                 fault)) {
        ShowMessage("Cannot read the PLA file " + chosen.FileName + ": " +
                    FromLatin(fault.Message()));
        return;
    }
    const int output = ChooseOutput(pla);
    if (output < 0) {
        return;
    }
    TPlaFunction function;
    if (!PlaOutputFunction(pla, output, function, fault)) {
        ShowMessage("Cannot read the PLA file " + chosen.FileName + ": " +
                    FromLatin(fault.Message()));
        return;
    }
    // Only now, with the function known to be sound, does anything in the windows change.
    frmBooleanClac->SpinEdit->setValue(std::max(pla.Inputs, 3));
    ClearEditor();
    const int count = static_cast<int>(function.On.size() + function.Dc.size());
    inputgrid->setRowCount(count <= 10000 ? 10001 : count + 1);
    inputgrid->beginUpdate();
    int row = 1;
    for (const TTermMasks& cube : function.On) {
        WriteTerm(row++, FromLatin(CubeTerm(cube, pla.Inputs)));
    }
    for (const TTermMasks& cube : function.Dc) {
        WriteTerm(row++, "-" + FromLatin(CubeTerm(cube, pla.Inputs)));
    }
    inputgrid->endUpdate();
    FPlaInputNames = pla.InputNames;
    FPlaOutputName = PlaOutputName(pla, output);
    inputgrid->setRow(1);
    inputgrid->setTopRow(1);
    QString text = QString("%1 terms").arg(function.On.size());
    if (function.DcCount > 0) {
        text += QString(" and %1 don't-care terms (%2 don't cares)")
                    .arg(function.Dc.size())
                    .arg(function.DcCount);
    }
    text += " of output " + FromLatin(FPlaOutputName) + " were read";
    StatusBar->setPanelText(1, text);
    ShowMessage(text);
}

void TfrmKmap::mnuExportPlaClick() {
    if (CommandLoopRunning()) {
        return;
    }
    const int n = ProgramState.VarCount;
    std::vector<TTermMasks> on;
    std::vector<TTermMasks> dc;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        QString text = TrimText(inputgrid->cell(2, row));
        if (text.isEmpty()) {
            continue;
        }
        // A leading "-" marks a don't-care row.
        const bool dontCare = text.startsWith('-');
        std::string term = ToLatin(CutText(dontCare ? TrimText(text.mid(1)) : text));
        if (CheckTerm(term) != TermValid) {
            ShowMessage("Boolean string " + FromLatin(term) + " is invalid");
            return;
        }
        ToPositional(term);
        (dontCare ? dc : on).push_back(TermMasks(term));
    }
    TFileDialogRequest request;
    request.Title = "Export as PLA File";
    request.Filter = PlaFilter;
    request.DefaultExt = "pla";
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted) {
        return;
    }
    const std::string text = WritePla(n, FPlaInputNames, FPlaOutputName, on, dc);
    QString error;
    if (!WriteWholeFile(chosen.FileName, QByteArray::fromStdString(text), error)) {
        ShowMessage("Cannot save " + chosen.FileName + ": " + error);
        return;
    }
    ShowMessage(QString("%1 terms were saved as PLA").arg(on.size() + dc.size()));
}

void TfrmKmap::ForgetPlaNames() {
    FPlaInputNames.clear();
    FPlaOutputName = std::string(1, 'F');  // GCC 12 warns falsely on assigning "F"
}
