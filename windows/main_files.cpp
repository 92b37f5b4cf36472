// Text term files, the clipboard, the BIN image and the truth table turned into editor rows.
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include "model/BinImage.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "windows/controls/Prompter.h"
#include "windows/main.h"
#include "windows/main_shared.h"

namespace {

const char* const OpenFilter = "Boolean Ascii Text Files|*.TXT|Any Files(as binary)|*.*";
const char* const SaveFilter = "Ascii Text Files|*.TXT|Binary Image Files|*.BIN";

// The lines of a text file, trimmed as they are read. A line longer than a term can ever be
// is kept only up to one character past the limit, so that any file, however large its
// lines, costs little memory and still fails the length check.
struct TTextLines {
    QStringList Lines;
    bool TooMany = false;
};

class TLineReader {
  public:
    explicit TLineReader(TTextLines& out) : FOut(out) {}

    // False once more lines than a term file may hold have been seen.
    bool feed(const QByteArray& chunk) {
        for (const char byte : chunk) {
            if (FAfterCR && byte == '\n') {
                FAfterCR = false;
                continue;
            }
            FAfterCR = false;
            if (byte == '\r' || byte == '\n') {
                FAfterCR = byte == '\r';
                if (!endLine()) {
                    return false;
                }
                continue;
            }
            addChar(byte);
        }
        return true;
    }

    bool finish() {
        if (FStarted || FLeadingBlanks) {
            return endLine();
        }
        return true;
    }

  private:
    void addChar(char byte) {
        if (static_cast<unsigned char>(byte) <= 32) {
            if (FStarted) {
                ++FInnerBlanks;
            } else {
                FLeadingBlanks = true;
            }
            return;
        }
        if (FInnerBlanks > 0) {
            FLine.append(std::min(FInnerBlanks, Limit), ' ');
            FInnerBlanks = 0;
        }
        FStarted = true;
        FLine.append(byte);
        if (FLine.size() > Limit) {
            FLine.truncate(Limit);
        }
    }

    bool endLine() {
        if (FOut.Lines.size() >= MaxTextLines) {
            FOut.TooMany = true;
            return false;
        }
        FOut.Lines << QString::fromLatin1(FLine);
        FLine.clear();
        FInnerBlanks = 0;
        FStarted = false;
        FLeadingBlanks = false;
        return true;
    }

    static constexpr int Limit = TermCapacity + 1;
    TTextLines& FOut;
    QByteArray FLine;
    int FInnerBlanks = 0;
    bool FStarted = false;
    bool FLeadingBlanks = false;
    bool FAfterCR = false;
};

bool ReadTextLines(const QString& fileName, TTextLines& out, QString& error) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "Cannot open " + fileName + ": " + file.errorString();
        return false;
    }
    TLineReader reader(out);
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(1 << 16);
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                error = "Cannot read " + fileName + ": " + file.errorString();
                return false;
            }
            break;
        }
        if (!reader.feed(chunk)) {
            return true;
        }
    }
    reader.finish();
    return true;
}

bool IsTermLine(const QString& line) {
    if (line.isEmpty() || line.size() > TermCapacity) {
        return false;
    }
    for (const QChar c : line) {
        const QChar up = c.toUpper();
        if (up < 'A' || up > 'P') {
            return false;
        }
    }
    return true;
}

// Writes the whole file or nothing: the old file stays in place when anything fails.
bool WriteWholeFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        ShowMessage("Cannot save " + fileName + ": " + file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        ShowMessage("Cannot save " + fileName + ": " + file.errorString());
        return false;
    }
    return true;
}

}  // namespace

void TfrmKmap::Open1Click() {
    if (FBusy) {
        return;
    }
    TFileDialogRequest request;
    request.Filter = OpenFilter;
    request.FilterIndex = 1;
    request.DefaultExt = "TXT";
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
    inputgrid->setRowCount(count <= 10000 ? 10001 : count + 1);
    inputgrid->beginUpdate();
    for (int i = 1; i <= count; ++i) {
        const QString& line = text.Lines[i - 1];
        if (!IsTermLine(line)) {
            inputgrid->endUpdate();
            ShowMessage("Format error in string line no " + QString::number(i));
            return;
        }
        WriteTerm(i, line);
    }
    inputgrid->endUpdate();
    ShowMessage(QString::number(count) + " Boolean strings were read");
}

void TfrmKmap::Save1Click() {
    TFileDialogRequest request;
    request.Title = "Save Boolean Terms";
    request.Filter = SaveFilter;
    request.FilterIndex = 1;
    request.DefaultExt = "TXT";
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted) {
        return;
    }
    QByteArray bytes;
    int count = 0;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        const QString piece = CutText(inputgrid->cell(2, row));
        if (!TrimText(piece).isEmpty()) {
            bytes += piece.toLatin1() + "\r\n";
            ++count;
        }
    }
    if (WriteWholeFile(chosen.FileName, bytes)) {
        ShowMessage(QString::number(count) + " Lines was saved");
    }
}

void TfrmKmap::Savetoclipboard1Click() {
    QString text;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        const QString term = TrimmedTerm(inputgrid->cell(2, row));
        if (!term.isEmpty()) {
            text += term + "\r\n";
        }
    }
    QGuiApplication::clipboard()->setText(text);
}

void TfrmKmap::GetClipbrd1Click() {
    if (FBusy) {
        return;
    }
    const QStringList lines = SplitLines(QGuiApplication::clipboard()->text());
    ClearEditor();
    ClearAll2Click();
    // Every line gets a row; a long clipboard grows the editor rather than losing terms.
    EnsureTermRows(static_cast<int>(lines.size()));
    inputgrid->beginUpdate();
    for (int i = 1; i <= lines.size(); ++i) {
        WriteTerm(i, CutText(lines[i - 1]));
    }
    inputgrid->endUpdate();
    StatusBar->setPanelText(1, QString::number(lines.size()) + " Strs imported");
    inputgrid->setRow(1);
    inputgrid->setTopRow(1);
}

void TfrmKmap::SaveasBin1Click() {
    TFileDialogRequest request;
    request.Title = "Save Boolean Terms";
    request.Filter = SaveFilter;
    request.FilterIndex = 2;
    request.DefaultExt = "BIN";
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted) {
        return;
    }
    if (chosen.FilterIndex != 2) {
        ShowMessage("Select BIN from the dropdown box");
        return;
    }
    const QString fileName = QString::fromStdString(BinFileName(chosen.FileName.toStdString()));
    const std::vector<uint8_t> image = TruthTableToBin();
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                           static_cast<qsizetype>(image.size()));
    if (WriteWholeFile(fileName, bytes)) {
        ShowMessage(fileName + " was saved");
    }
}

void TfrmKmap::TableToEditor() {
    if (FBusy) {
        return;
    }
    const TBusyScope busy(FBusy);
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
    if (FBusy) {
        return;
    }
    InvertTruthTable();
    TableToEditor();
}
