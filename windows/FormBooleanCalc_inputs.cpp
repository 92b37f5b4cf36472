// The calculator's edits: input filter, live validation, clipboard, copy and check commands.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <algorithm>
#include <cstdint>

#include "engine/OptimizeString.h"
#include "model/State.h"
#include "model/Terms.h"
#include "model/TextLines.h"
#include "model/Textbook.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Windows.h"
#include "windows/controls/FunctionDialog.h"
#include "windows/controls/Placement.h"
#include "windows/controls/Prompter.h"
#include "windows/main.h"

namespace {

std::string Std(const QString& text) {
    return text.toStdString();
}

QString Qt6String(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsSumCharacter(QChar c) {
    return c == '+' || (c.unicode() < 128 && IsAllowedLetter(static_cast<char>(c.unicode())));
}

// Pieces between "+" signs, empty pieces skipped.
QStringList SplitAtPlus(const QString& text) {
    return text.split('+', Qt::SkipEmptyParts);
}

// Lines as a text list reads them; a final break adds none.
QStringList SplitLines(const QString& text) {
    std::vector<TLineSpan> spans;
    SplitLineSpans(text.constData(), static_cast<size_t>(text.size()), SIZE_MAX, spans);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(spans.size()));
    for (const TLineSpan& span : spans) {
        lines << text.mid(static_cast<qsizetype>(span.Start), static_cast<qsizetype>(span.Length));
    }
    return lines;
}

QString CrLfJoined(const QStringList& pieces) {
    QString text;
    for (const QString& piece : pieces) {
        text += piece + "\r\n";
    }
    return text;
}

// No leading "+" and no "++": what deleting one "+" at a time ends with.
QString WithoutStrayPluses(const QString& text) {
    QString result;
    for (const QChar c : text) {
        if (c == '+' && (result.isEmpty() || result.back() == '+')) {
            continue;
        }
        result += c;
    }
    return result;
}

QString TermsText(const std::string& text, const char* suffix) {
    return QString::number(CountTerms(text)) + suffix;
}

}  // namespace

bool TfrmBooleanClac::EditKeyPress(QLineEdit* edit, QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (data == nullptr || !data->hasText()) {
            return false;
        }
        // Only the first line is pasted, and only when every character of it could be typed.
        const QString text = data->text();
        const qsizetype end = text.indexOf(QRegularExpression("[\r\n]"));
        const QString line = end < 0 ? text : text.left(end);
        for (const QChar c : line) {
            if (!IsSumCharacter(c)) {
                ShowMessage("Syntax error in bool string OR illegal character in string");
                return false;
            }
        }
        edit->insert(line);
        return false;
    }
    if (event->matches(QKeySequence::Copy)) {
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Delete:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
            return true;
        default:
            break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        return true;
    }
    for (const QChar c : text) {
        if (!IsSumCharacter(c)) {
            return false;
        }
    }
    return true;
}

void TfrmBooleanClac::edtXinputChange() {
    ValidateInput(edtXinput);
}

void TfrmBooleanClac::edtYinputChange() {
    ValidateInput(edtYinput);
}

void TfrmBooleanClac::edtZinputChange() {
    ValidateInput(edtZinput);
}

void TfrmBooleanClac::ValidateInput(QLineEdit* edit) {
    StatusBar->setPanelText(2, QString());
    const QString text = edit->text();
    if (!text.isEmpty()) {
        // Writing the repaired text runs this validation again, which finishes the work.
        const QString repaired = WithoutStrayPluses(text);
        if (repaired != text) {
            edit->setText(repaired);
            return;
        }
        for (const QChar c : text) {
            if (!IsSumCharacter(c)) {
                ShowMessage("Too many variables");
                StatusBar->setFocus();
                return;
            }
        }
    }
    CountAndPlot(edit);
    if (edit == edtZinput) {
        SharedList.Clear();
        std::string cleaned = Std(text);
        int errorIndex = 0;
        if (SplitTerms(cleaned, SharedList, errorIndex) == 0) {
            edtOptimized->setText(Qt6String(Optimized(cleaned)));
        }
        return;
    }
    if (mnuConversion->isChecked()) {
        AutoCalculate(edit);
    }
}

void TfrmBooleanClac::CountAndPlot(QLineEdit* edit) {
    const QString text = edit->text();
    StatusBar->setPanelText(1, TermsText(Std(text), " Terms"));
    PlotSumOfProducts(KmapGrid, text);
}

void TfrmBooleanClac::edtB1inputChange() {
    auto* edit = qobject_cast<QLineEdit*>(sender());
    CountAndPlot(edit != nullptr ? edit : edtB1input);
}

void TfrmBooleanClac::Clear1Click() {
    if (QLineEdit* edit = FocusedEdit()) {
        edit->clear();
    }
}

void TfrmBooleanClac::CopytoClipboard1Click() {
    QLineEdit* edit = FocusedEdit();
    if (edit == nullptr) {
        return;
    }
    const QStringList pieces = SplitAtPlus(edit->text());
    QGuiApplication::clipboard()->setText(CrLfJoined(pieces));
    StatusBar->setPanelText(1, QString::number(pieces.size()) + " strs copied to clipboard");
}

void TfrmBooleanClac::GetfromClipboard1Click() {
    QLineEdit* edit = FocusedEdit();
    if (edit == nullptr) {
        return;
    }
    const QStringList lines = SplitLines(QGuiApplication::clipboard()->text());
    QString text;
    for (const QString& line : lines) {
        text += Qt6String(TrimBlanks(Std(line))) + "+";
    }
    StatusBar->setPanelText(1, QString::number(lines.size()) + " cliprd strs copied");
    edit->setText(text);
}

void TfrmBooleanClac::CopyColumnToEdit(const QStringList& rows) {
    QLineEdit* edit = FocusedEdit();
    if (edit == nullptr) {
        return;
    }
    QString text;
    for (const QString& row : rows) {
        // The calculator knows no don't cares: an editor's don't-care rows stay behind.
        if (ReadMarkedTerm(Std(row)).DontCare) {
            continue;
        }
        const std::string term = TrimBlanks(CutTerm(Std(row)));
        if (!term.empty()) {
            text += Qt6String(term) + "+";
        }
    }
    text.chop(1);
    edit->setText(text);
}

void TfrmBooleanClac::Copyfrommaininput1Click() {
    CopyColumnToEdit(frmKmap->editorRows());
}

void TfrmBooleanClac::Copyfromresultgrid1Click() {
    CopyColumnToEdit(frmResult->Outputgrid->columnTexts(2, 1));
}

void TfrmBooleanClac::mnuEnterFunctionClick() {
    if (CommandLoopRunning()) {
        return;
    }
    QLineEdit* const inputs[] = {edtXinput, edtYinput, edtZinput};
    const auto focused = std::find(std::begin(inputs), std::end(inputs), FocusedEdit());
    int target = focused == std::end(inputs) ? 0 : static_cast<int>(focused - std::begin(inputs));
    TTextbookFunction function;
    if (!AskFunction({"X", "Y", "Z"}, target, true, function)) {
        return;
    }
    // The other inputs keep their letters, so the count grows to hold the function, never
    // shrinks; a function of fewer variables than the count does not depend on the others.
    if (function.VarCount > SpinEdit->value()) {
        SpinEdit->setValue(function.VarCount);
    }
    inputs[target]->setText(SumOfTerms(SetTerms(function.On, function.VarCount)));
}

void TfrmBooleanClac::OptimizeEdit(QLineEdit* edit) {
    if (edit == nullptr) {
        return;
    }
    SharedList.Clear();
    std::string cleaned = Std(edit->text());
    int errorIndex = 0;
    if (SplitTerms(cleaned, SharedList, errorIndex) != 0) {
        ShowMessage("Invalid boolean string");
        return;
    }
    const std::string result = TrimBlanks(Optimized(cleaned));
    if (!result.empty()) {
        edit->setText(Qt6String(result));
    }
}

void TfrmBooleanClac::OptimizeSimplify1Click() {
    OptimizeEdit(FocusedEdit());
}

void TfrmBooleanClac::mnuOptimizeXClick() {
    OptimizeEdit(edtXinput);
}

void TfrmBooleanClac::mnuOptimizeYClick() {
    OptimizeEdit(edtYinput);
}

void TfrmBooleanClac::mnuOptimizeZClick() {
    OptimizeEdit(edtZinput);
}

void TfrmBooleanClac::CopyZToKmap(bool simplify) {
    const QStringList pieces = SplitAtPlus(edtZinput->text());
    QGuiApplication::clipboard()->setText(CrLfJoined(pieces));
    StatusBar->setPanelText(1, QString::number(pieces.size()) + " strs copied");
    frmKmap->GetClipbrd1Click();
    frmKmap->ShowdatainKMAPGrid1Click();
    BringToFront(frmKmap);
    if (simplify) {
        frmKmap->mnuNewSimplifyClick();
    }
}

void TfrmBooleanClac::mnuCopyZtoKmapClick() {
    CopyZToKmap(true);
}

void TfrmBooleanClac::CopyZinputedittomainkmap1Click() {
    if (FocusedEdit() == edtZinput) {
        CopyZToKmap(false);
    }
}

void TfrmBooleanClac::mnuXinputsyntaxClick() {
    const QString text = edtXinput->text();
    if (TrimBlanks(Std(text)).empty()) {
        return;
    }
    TStringListAdv list;
    std::string cleaned = Std(text);
    int errorIndex = 0;
    if (SplitTerms(cleaned, list, errorIndex) <= 0) {
        ShowMessage("Boolean syntax is ok");
        return;
    }
    // The dropped piece as typed: the split keeps no empty pieces and reads line breaks as "+".
    const QStringList pieces =
        QString(text).replace('\r', '+').replace('\n', '+').split('+', Qt::SkipEmptyParts);
    const QString piece = errorIndex < pieces.size() ? pieces[errorIndex] : QString();
    ShowMessage("term no " + QString::number(errorIndex + 1) + " " + piece);
}

void TfrmBooleanClac::mnuYinputsyntaxClick() {}

void TfrmBooleanClac::mnuZinputsyntaxClick() {}
