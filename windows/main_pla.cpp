// PLA files in the K-map window: one output of a file into the editor, the editor out as a PLA.
#include <QFile>

#include "engine/wide/WidePla.h"
#include "model/FileChunks.h"
#include "model/FunctionSet.h"
#include "model/Pla.h"
#include "model/PlaWriter.h"
#include "model/State.h"
#include "model/Terms.h"
#include "model/TextLines.h"
#include "windows/Outputs.h"
#include "windows/Windows.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"
#include "windows/main_shared.h"

namespace {

const char* const PlaFilter = "PLA Files|*.pla|Any Files|*.*";

// Far above any PLA a tool writes for a minimizer; a bigger file is not read.
constexpr size_t MaxPlaBytes = size_t{64} << 20;

// Reads the file a chunk at a time into the PLA reader, so no copy of the whole text is made.
bool ReadPlaFile(const QString& fileName, TPla& pla, QString& error) {
    TPlaReader reader(MaxWidePlaInputs);
    TLineSplitter lines;
    const auto toReader = [&](std::string_view line) { return reader.Line(line); };
    TReadError fault;
    if (!ReadRegularFile(
            QFile::encodeName(fileName).toStdString(), MaxPlaBytes,
            [&](std::string_view chunk) { return lines.Feed(chunk, toReader); }, fault)) {
        error = (fault.Fault == TReadFault::Read ? "Cannot read " : "Cannot open ") + fileName +
                ": " + FromLatin(fault.Reason);
        return false;
    }
    lines.Finish(toReader);
    if (!reader.Finish(pla)) {
        error = "Cannot read the PLA file " + fileName + ": " + FromLatin(reader.Error().Message());
        return false;
    }
    return true;
}

// ChooseOutput's answer for every output together, for the Outputs window.
constexpr int AllOutputs = -2;

// The output to load: the only one, or the one the user names, or AllOutputs; -1 when
// cancelled or unknown.
int ChooseOutput(const TPla& pla) {
    if (pla.Outputs == 1) {
        return 0;
    }
    QString answer = FromLatin(PlaOutputName(pla, 0));
    const QString prompt = QString(
                               "The file has %1 outputs: %2.\nWhich one do you want to load "
                               "(its name or number, or all of them: all)?")
                               .arg(pla.Outputs)
                               .arg(FromLatin(PlaOutputList(pla)));
    if (!Prompter().inputQuery("Import PLA File", prompt, answer)) {
        return -1;
    }
    const int output = FindPlaOutput(pla, ToLatin(answer));
    if (output < 0 && answer.trimmed().compare("all", Qt::CaseInsensitive) == 0) {
        return AllOutputs;
    }
    if (output < 0) {
        ShowMessage("The file has no output " + answer + "; its outputs are " +
                    FromLatin(PlaOutputList(pla)));
    }
    return output;
}

}  // namespace

void TfrmKmap::mnuImportPlaClick() {
    if (CommandLoopRunning()) {
        return;
    }
    const TFileDialogRequest request{
        .Title = "Import PLA File", .Filter = PlaFilter, .DefaultExt = "pla"};
    const TFileDialogResult chosen = Prompter().openFile(request);
    if (!chosen.Accepted) {
        return;
    }
    TPla pla;
    QString error;
    if (!ReadPlaFile(chosen.FileName, pla, error)) {
        ShowMessage(error);
        return;
    }
    // Past 16 inputs no output fits the map; the Outputs window takes the file as a whole.
    if (pla.Inputs > MaxPlaInputs) {
        TPlaError fault;
        if (!WideOffRowsApart(pla, fault)) {
            ShowMessage("Cannot read the PLA file " + chosen.FileName + ": " +
                        FromLatin(fault.Message()));
            return;
        }
        frmOutputs->ReceiveWidePla(std::move(pla));
        return;
    }
    const int output = ChooseOutput(pla);
    if (output == AllOutputs) {
        TFunctionSet set;
        TPlaError fault;
        if (!PlaFunctionSet(pla, {}, set, fault)) {
            ShowMessage("Cannot read the PLA file " + chosen.FileName + ": " +
                        FromLatin(fault.Message()));
            return;
        }
        frmOutputs->ReceiveFunctionSet(std::move(pla), std::move(set));
        return;
    }
    if (output >= 0) {
        LoadPlaOutput(pla, output, chosen.FileName);
    }
}

void TfrmKmap::LoadPlaOutput(const TPla& pla, int output, const QString& fileName) {
    TPlaFunction function;
    TPlaError fault;
    if (!PlaOutputFunction(pla, output, function, fault)) {
        ShowMessage("Cannot read the PLA file " + fileName + ": " + FromLatin(fault.Message()));
        return;
    }
    // Only now, with the function known to be sound, does anything in the windows change.
    const auto terms = [&](const std::vector<TCube>& cubes) {
        std::vector<std::string> texts;
        texts.reserve(cubes.size());
        for (const TCube& cube : cubes) {
            texts.push_back(CubeTerm(cube, pla.Inputs));
        }
        return texts;
    };
    LoadFunctionRows(pla.Inputs, terms(function.On), terms(function.Dc));
    FPlaInputNames = pla.InputNames;
    FPlaOutputName = PlaOutputName(pla, output);
    QString text = QString("%1 terms").arg(function.On.size());
    QString note = QString(": %1 terms").arg(function.On.size());
    if (function.DcCount > 0) {
        text += QString(" and %1 don't-care terms (%2 don't cares)")
                    .arg(function.Dc.size())
                    .arg(function.DcCount);
        note += QString(", %1 don't-care").arg(function.Dc.size());
    }
    text += " of output " + FromLatin(FPlaOutputName) + " were read";
    FPlaNote = StatusBar->fitPanelText(1, FromLatin(FPlaOutputName), note);
    StatusBar->setPanelText(1, FPlaNote);
    // What the reader skipped is said where there is room for it.
    ShowMessage(pla.Warning.empty() ? text : text + ";\n" + FromLatin(pla.Warning));
}

void TfrmKmap::mnuExportPlaClick() {
    if (CommandLoopRunning()) {
        return;
    }
    const int n = ProgramState.VarCount;
    std::vector<TCube> on;
    std::vector<TCube> dc;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        const TMarkedTerm rowTerm = ReadMarkedTerm(ToLatin(inputgrid->cell(2, row)));
        if (!rowTerm.DontCare && rowTerm.Term.empty()) {
            continue;
        }
        std::string term = CutTerm(rowTerm.Term);
        if (CheckTerm(term) != TermValid) {
            ShowMessage("Boolean string " + FromLatin(term) + " is invalid");
            return;
        }
        ToPositional(term);
        (rowTerm.DontCare ? dc : on).push_back(TermMasks(term));
    }
    const TFileDialogRequest request{
        .Title = "Export as PLA File", .Filter = PlaFilter, .DefaultExt = "pla"};
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted) {
        return;
    }
    // The editor's ON rows win over its don't-care rows; in the file the don't cares would.
    const std::vector<TCube> dcApart = DontCaresApart(n, on, dc);
    const std::string text = WritePla(n, FPlaInputNames, FPlaOutputName, on, dcApart);
    QString error;
    if (!WriteWholeFile(chosen.FileName, QByteArray::fromStdString(text), error)) {
        ShowMessage("Cannot save " + chosen.FileName + ": " + error);
        return;
    }
    ShowMessage(QString("%1 terms were saved as PLA").arg(on.size() + dcApart.size()));
}

void TfrmKmap::ForgetPlaNames() {
    FPlaInputNames.clear();
    FPlaOutputName = std::string(1, 'F');  // GCC 12 warns falsely on assigning "F"
    ForgetPlaNote();
}

// Panel 1 keeps what it says about a loaded output only while that output is what the windows
// hold; a panel another command has written since is left alone.
void TfrmKmap::ForgetPlaNote() {
    if (!FPlaNote.isEmpty() && StatusBar->panelText(1) == FPlaNote) {
        StatusBar->setPanelText(1, QString());
    }
    FPlaNote.clear();
}
