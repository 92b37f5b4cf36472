// Text term files, the clipboard, the BIN image and the truth table turned into editor rows.
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <cstdint>

#include "model/BinImage.h"
#include "model/FileChunks.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "model/TextLines.h"
#include "windows/Windows.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"
#include "windows/main_shared.h"

namespace {

const char* const OpenFilter = "Boolean Ascii Text Files|*.TXT|Any Files(as binary)|*.*";
const char* const SaveFilter = "Ascii Text Files|*.TXT|Binary Image Files|*.BIN";

// The lines of a text file, as the term line reader keeps them.
struct TTextLines {
    QStringList Lines;
    bool TooMany = false;
};

bool ReadTextLines(const QString& fileName, TTextLines& out, QString& error) {
    TTermLineReader reader;
    TReadError fault;
    // Read until a read brings nothing: files whose size says 0 may still hold text.
    if (!ReadRegularFile(
            QFile::encodeName(fileName).toStdString(), SIZE_MAX,
            [&](std::string_view chunk) { return reader.Feed(chunk.data(), chunk.size()); },
            fault)) {
        error = (fault.Fault == TReadFault::Read ? "Cannot read " : "Cannot open ") + fileName +
                ": " + FromLatin(fault.Reason);
        return false;
    }
    if (!reader.TooMany()) {
        reader.Finish();
    }
    out.TooMany = reader.TooMany();
    out.Lines.reserve(static_cast<qsizetype>(reader.Lines().size()));
    for (const std::string& line : reader.Lines()) {
        out.Lines << FromLatin(line);
    }
    return true;
}

}  // namespace

void TfrmKmap::Open1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    const TFileDialogRequest request{.Filter = OpenFilter, .FilterIndex = 1, .DefaultExt = "TXT"};
    const TFileDialogResult chosen = Prompter().openFile(request);
    if (!chosen.Accepted) {
        return;
    }
    if (chosen.FilterIndex != 1) {
        ShowMessage("You must select Text files only");
        return;
    }
    TTextLines text;
    QString error;
    if (!ReadTextLines(chosen.FileName, text, error)) {
        ShowMessage(error);
        return;
    }
    if (text.TooMany) {
        ShowMessage("TOO many lines");
        return;
    }
    const int count = static_cast<int>(text.Lines.size());
    if (count == 0) {
        ShowMessage("Blank File/lines not allowed");
        return;
    }
    ClearEditor();
    ForgetPlaNames();
    inputgrid->setRowCount(count <= 10000 ? 10001 : count + 1);
    inputgrid->beginUpdate();
    for (int i = 1; i <= count; ++i) {
        const QString& line = text.Lines[i - 1];
        if (!IsTermFileLine(ToLatin(line))) {
            inputgrid->endUpdate();
            ShowMessage("Format error in string line no " + QString::number(i));
            return;
        }
        WriteTerm(i, line);
    }
    inputgrid->endUpdate();
    ShowMessage(QString::number(count) + " Boolean strings were read");
}

TFileDialogResult TfrmKmap::RunSaveDialog(int filterIndex) {
    const TFileDialogRequest request{.Title = "Save Boolean Terms",
                                     .Filter = SaveFilter,
                                     .FilterIndex = filterIndex,
                                     .DefaultExt = filterIndex == 2 ? "BIN" : "TXT"};
    return Prompter().saveFile(request);
}

void TfrmKmap::Save1Click() {
    const TFileDialogResult chosen = RunSaveDialog(1);
    if (!chosen.Accepted) {
        return;
    }
    QByteArray bytes;
    int count = 0;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        const QString cellText = inputgrid->cell(2, row);
        const TRowText rowText = SplitRowText(cellText);
        // A don't-care row keeps its mark; its term is cut as a plain row's is.
        const QString piece = rowText.DontCare ? JoinRowText(true, CutText(TrimText(rowText.Body)))
                                               : CutText(cellText);
        const bool blank =
            rowText.DontCare ? RowTerm(rowText).isEmpty() : TrimText(piece).isEmpty();
        if (!blank) {
            bytes += piece.toLatin1() + "\r\n";
            ++count;
        }
    }
    if (SaveWholeFile(chosen.FileName, bytes)) {
        ShowMessage(QString::number(count) + " Lines was saved");
    }
}

void TfrmKmap::Savetoclipboard1Click() {
    QString text;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        const TRowText rowText = SplitRowText(inputgrid->cell(2, row));
        const QString term = RowTerm(rowText);
        if (!term.isEmpty()) {
            text += JoinRowText(rowText.DontCare, term) + "\r\n";
        }
    }
    QGuiApplication::clipboard()->setText(text);
}

void TfrmKmap::GetClipbrd1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    // Every line gets a row, up to as many as a term file may hold; the count names them all.
    qsizetype count = 0;
    const QStringList lines = SplitLines(QGuiApplication::clipboard()->text(), MaxTextLines, count);
    ClearEditor();
    ClearAll2Click();
    setEditorRows(lines);
    StatusBar->setPanelText(1, QString::number(count) + " Strs imported");
    inputgrid->setRow(1);
    inputgrid->setTopRow(1);
}

void TfrmKmap::SaveasBin1Click() {
    SaveBinImage(std::nullopt);
}

void TfrmKmap::SaveBinImage(const std::optional<std::vector<uint8_t>>& given) {
    const TFileDialogResult chosen = RunSaveDialog(2);
    if (!chosen.Accepted) {
        return;
    }
    if (chosen.FilterIndex != 2) {
        ShowMessage("Select BIN from the dropdown box");
        return;
    }
    const QString fileName = QString::fromStdString(BinFileName(chosen.FileName.toStdString()));
    const std::vector<uint8_t> image = given ? *given : TruthTableToBin();
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                           static_cast<qsizetype>(image.size()));
    if (SaveWholeFile(fileName, bytes)) {
        ShowMessage(fileName + " was saved");
    }
}

void TfrmKmap::TableToEditor() {
    if (CommandLoopRunning()) {
        return;
    }
    {
        const TBusyScope busy(FBusy);
        ConvertTableToRows();
    }
    CommandLoopEnded();
}

void TfrmKmap::ConvertTableToRows() {
    StatusBar->setPanelText(1, "Converting bin to strings");
    StatusBar->repaintNow();
    // The count is read once: the loop lets other windows run, and they may change it.
    const int n = ProgramState.VarCount;
    const uint32_t high = ProgramState.HighMinterm;
    Gauge->setMax(static_cast<int>(high));
    std::vector<uint32_t> on;
    for (uint32_t m = 0; m <= high; ++m) {
        if (ProgramState.TruthTable[m] == 0) {
            continue;
        }
        on.push_back(m);
        if (on.size() % 100 == 0) {
            Gauge->setPosition(static_cast<int>(m));
            QCoreApplication::processEvents();
        }
    }
    const int count = static_cast<int>(on.size());
    StatusBar->setPanelText(2, QString::number(count) + " Bool strings imported");
    EnsureTermRows(count);
    inputgrid->beginUpdate();
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        inputgrid->setCell(1, row, QString());
        inputgrid->setCell(2, row, QString());
    }
    for (int i = 0; i < count; ++i) {
        WriteTerm(i + 1,
                  FromLatin(MintermToLetters(on[static_cast<size_t>(count - 1 - i)], n, 'A')));
    }
    inputgrid->endUpdate();
    StatusBar->setPanelText(1, "Ready");
    Gauge->setPosition(0);
}

void TfrmKmap::mnuInvertBINdataClick() {
    if (CommandLoopRunning()) {
        return;
    }
    // Don't cares stay don't cares: the inversion swaps ON and OFF only, and they follow the
    // ON rows as don't-care rows.
    const bool anyDontCare = AnyDontCare(ProgramState.DontCare);
    InvertTruthTable(anyDontCare ? &ProgramState.DontCare : nullptr);
    TableToEditor();
    if (!anyDontCare) {
        return;
    }
    const int n = ProgramState.VarCount;
    int row = 1;
    QStringList dontCares;
    for (uint32_t m = ProgramState.HighMinterm + 1; m-- > 0;) {
        row += ProgramState.TruthTable[m] != 0 ? 1 : 0;
        if (ProgramState.DontCare[m] != 0) {
            dontCares << JoinRowText(true, FromLatin(MintermToLetters(m, n, 'A')));
        }
    }
    EnsureTermRows(row - 1 + static_cast<int>(dontCares.size()));
    inputgrid->beginUpdate();
    for (const QString& term : dontCares) {
        WriteTerm(row++, term);
    }
    inputgrid->endUpdate();
}
