// The input editor: drawing, typing, mouse, check marks, find, random data, drops.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "model/Minterms.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"
#include "windows/controls/Colours.h"
#include "windows/controls/Prompter.h"
#include "windows/main.h"
#include "windows/main_shared.h"

namespace {

// Don't-care rows: grey where plain rows are aqua, dark grey where they are blue.
const QColor DontCareGrey = Silver;
const QColor DontCareFocus(96, 96, 96);

QFont RowNumberFont() {
    QFont font("Arial");
    font.setPointSize(8);
    return font;
}

void DrawCheckBox(QPainter& painter, const QRect& cell) {
    const QRect box(cell.left() + 1, cell.top() + (cell.height() - 13) / 2, 13, 13);
    painter.fillRect(box, Qt::white);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 2));
    const QPoint tick[3] = {box.topLeft() + QPoint(3, 6), box.topLeft() + QPoint(5, 9),
                            box.topLeft() + QPoint(10, 3)};
    painter.drawPolyline(tick, 3);
}

int LetterLeft(const QRect& cell, int position, int letterWidth) {
    return cell.left() + 2 + (position - 1) * (letterWidth + 1);
}

}  // namespace

int TfrmKmap::CurrentColumn() const {
    return inputgrid->col();
}

void TfrmKmap::inputgridDrawCell(QPainter& painter, int col, int row, const QRect& rect,
                                 TGridDrawState state) {
    const QColor buttonFace = palette().color(QPalette::Button);
    const QPoint textAt(rect.left() + 1, rect.top() + 1);
    const QRect textRect(textAt, rect.bottomRight());
    const TRowText rowText = SplitRowText(inputgrid->cell(2, row));
    auto drawTerm = [&](const QColor& colour) {
        QString term = CutText(rowText.Body).leftJustified(TermCapacity, ' ');
        painter.setFont(TermFont());
        painter.setPen(colour);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, term.toUpper());
        painter.setPen(QPen(colour, 1));
        for (int k = 1; k <= TermCapacity; ++k) {
            const QChar c = term.at(k - 1);
            if (c >= 'a' && c <= 'p') {
                const int x = LetterLeft(rect, k, FLetterWidth);
                painter.drawLine(x, rect.top() + 2, x + FLetterWidth - 1, rect.top() + 2);
            }
        }
        // The mark itself, right of the last letter where the column leaves room.
        const int markLeft = LetterLeft(rect, TermCapacity + 1, FLetterWidth);
        if (rowText.DontCare && markLeft + 4 <= rect.right()) {
            const int y = rect.top() + rect.height() / 2;
            painter.setPen(QPen(colour, 2));
            painter.drawLine(markLeft, y, std::min(markLeft + FLetterWidth - 1, rect.right()), y);
        }
    };
    auto drawRowNumber = [&](const QColor& colour) {
        painter.setFont(RowNumberFont());
        painter.setPen(colour);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, QString::number(row));
    };

    if (state.Fixed) {
        painter.fillRect(rect, buttonFace);
        if (col == 1) {
            DrawCheckBox(painter, rect);
        } else if (col == 2) {
            painter.setFont(TermFont());
            painter.setPen(Qt::black);
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, "ABCDEFGHIJKLMNOP");
        }
        return;
    }
    if (state.Focused) {
        const bool greyTerm = col == 2 && rowText.DontCare;
        painter.fillRect(rect, col == 1 ? QColor(Qt::white) : greyTerm ? DontCareFocus : Blue);
        if (col == 2) {
            drawTerm(Yellow);
            const int x = LetterLeft(rect, FCursorPos, FLetterWidth);
            painter.setPen(QPen(Red, 3));
            painter.drawLine(x, rect.top() + 15, x + FLetterWidth - 1, rect.top() + 15);
        } else if (col == 1) {
            if (inputgrid->cell(1, row) == "x") {
                DrawCheckBox(painter, rect);
            }
        } else {
            drawRowNumber(Yellow);
        }
        return;
    }
    if (col == 0) {
        painter.fillRect(rect, buttonFace);
        drawRowNumber(Qt::black);
    } else if (col == 1) {
        painter.fillRect(rect, Qt::white);
        if (inputgrid->cell(1, row) == "x") {
            DrawCheckBox(painter, rect);
        }
    } else {
        painter.fillRect(rect, rowText.DontCare ? DontCareGrey : Aqua);
        drawTerm(Qt::black);
    }
}

void TfrmKmap::inputgridKeyPress(QChar& key) {
    const char16_t k = key.unicode();
    const bool enter = k == '\r';
    const bool cutRow = k == 24;
    const bool letter = k < 128 && IsAllowedLetter(static_cast<char>(k));
    const bool mark = k == DontCareMark;
    if (!letter && !enter && !cutRow && !mark) {
        return;
    }
    key = QChar();  // every key that gets this far is the editor's own
    if (CommandLoopRunning()) {
        return;
    }
    const int row = inputgrid->row();
    if (enter) {
        if (row < inputgrid->rowCountValue() - 1) {
            inputgrid->setRow(row + 1);
        }
        return;
    }
    if (cutRow) {
        inputgrid->setCell(2, row, QString(TermCapacity, ' '));
        FCursorPos = 1;
        return;
    }
    if (CurrentColumn() != 2) {
        return;
    }
    const TRowText rowText = SplitRowText(inputgrid->cell(2, row));
    if (mark) {
        // The mark toggles the row between a plain and a don't-care term; the letters stay.
        inputgrid->setCell(2, row, JoinRowText(!rowText.DontCare, rowText.Body));
        return;
    }
    const QChar typed(k);
    QString term = CutText(rowText.Body);
    const QChar atCursor = FCursorPos <= term.size() ? term.at(FCursorPos - 1) : QChar(' ');
    const bool sameLetter = atCursor.toUpper() == typed.toUpper();
    if (term.contains(typed) && !sameLetter) {
        ShowMessage(QString(typed) + " letter is already used");
        return;
    }
    term = term.leftJustified(TermCapacity, ' ');
    const QChar other = typed.isUpper() ? typed.toLower() : typed.toUpper();
    if (!sameLetter && term.contains(other)) {
        ShowMessage("Complement var not allowed");
        return;
    }
    term[FCursorPos - 1] = typed;
    FCursorPos = FCursorPos % TermCapacity + 1;
    inputgrid->setCell(2, row, JoinRowText(rowText.DontCare, term));
}

void TfrmKmap::inputgridKeyDown(QKeyEvent* event, bool& consumed) {
    const int row = inputgrid->row();
    // Control letters are the editor's: Ctrl+X empties the row, the others do nothing.
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    if (control && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        consumed = true;
        if (event->key() == Qt::Key_X) {
            QChar cut(24);
            inputgridKeyPress(cut);
        }
        return;
    }
    const bool editing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    if (editing && FBusy) {
        consumed = true;
        return;
    }
    const TRowText rowText = SplitRowText(inputgrid->cell(2, row));
    auto deleteAt = [&](int position) {
        QString term = rowText.Body;
        if (position <= term.size()) {
            term.remove(position - 1, 1);
        }
        inputgrid->setCell(2, row, JoinRowText(rowText.DontCare, CutText(term + ' ')));
    };
    const bool hasTerm = !TrimText(rowText.Body).isEmpty();
    switch (event->key()) {
        case Qt::Key_Backspace:
            if (hasTerm && FCursorPos != 1) {
                --FCursorPos;
                deleteAt(FCursorPos);
                consumed = true;
            }
            break;
        case Qt::Key_Delete:
            if (hasTerm) {
                deleteAt(FCursorPos);
            }
            break;
        case Qt::Key_Left:
            if (FCursorPos > 1) {
                --FCursorPos;
            }
            consumed = true;
            break;
        case Qt::Key_Right:
            FCursorPos = FCursorPos % TermCapacity + 1;
            break;
        default:
            break;
    }
    inputgrid->viewport()->update();
}

void TfrmKmap::inputgridMouseDown(QMouseEvent* event) {
    int col = -1;
    int row = -1;
    const bool inCell = inputgrid->mouseToCell(event->position().toPoint(), col, row);
    if (inCell && col == 1) {
        if (!FBusy) {
            inputgrid->setCell(1, row, inputgrid->cell(1, row) == "x" ? QString() : "x");
        }
        inputgrid->setCol(2);
        return;
    }
    FCursorPos = 1;
    if (!inCell || col == 0) {
        inputgrid->setCol(2);
    }
}

void TfrmKmap::inputgridClick() {
    FCursorPos = 1;
}

void TfrmKmap::ClearEditor() {
    inputgrid->beginUpdate();
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        for (int col = 0; col < 3; ++col) {
            inputgrid->setCell(col, row, QString());
        }
    }
    inputgrid->endUpdate();
}

void TfrmKmap::EnsureTermRows(int terms) {
    if (terms + 1 > inputgrid->rowCountValue()) {
        inputgrid->setRowCount(terms + 1);
    }
}

void TfrmKmap::WriteTerm(int row, const QString& term) {
    inputgrid->setCell(2, row, term);
}

void TfrmKmap::setEditorRows(const QStringList& terms) {
    EnsureTermRows(static_cast<int>(terms.size()));
    inputgrid->beginUpdate();
    for (int i = 0; i < terms.size(); ++i) {
        WriteTerm(i + 1, terms[i]);
    }
    inputgrid->endUpdate();
}

void TfrmKmap::ClearALLKMAP1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    ClearEditor();
    ForgetPlaNote();
}

void TfrmKmap::Setallchecks1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    int marked = 0;
    inputgrid->beginUpdate();
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        if (!RowTerm(SplitRowText(inputgrid->cell(2, row))).isEmpty()) {
            inputgrid->setCell(1, row, "x");
            ++marked;
        }
    }
    inputgrid->endUpdate();
    ShowMessage(marked > 0 ? QString::number(marked) + " lines were marked"
                           : QString("No input text exists in the editor"));
}

void TfrmKmap::Clearallchecks1Click() {
    // Only the marks go; the terms stay where they are.
    if (CommandLoopRunning()) {
        return;
    }
    inputgrid->beginUpdate();
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        inputgrid->setCell(1, row, QString());
    }
    inputgrid->endUpdate();
}

void TfrmKmap::Find1Click() {
    QString answer;
    Prompter().inputQuery("Search Boolean Text", "", answer);
    const QString wanted = CutRowText(TrimText(answer));
    if (wanted.isEmpty()) {
        ShowMessage("Blank lines not allowed");
        return;
    }
    bool found = false;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        if (TrimText(inputgrid->cell(2, row)) == wanted) {
            found = true;
            ShowMessage("String Found " + QString::number(row) + "th row");
        }
    }
    if (!found) {
        ShowMessage("String " + wanted + " not found");
    }
}

void TfrmKmap::SpeedButton1Click() {
    inputgrid->setTopRow(inputgrid->rowCountValue() - inputgrid->visibleRowCount());
}

void TfrmKmap::SpeedButton2Click() {
    inputgrid->setTopRow(1);
}

void TfrmKmap::mnuRandomdataClick() {
    if (CommandLoopRunning()) {
        return;
    }
    ClearTruthTable();
    ProgramState.DontCare.fill(0);  // the new function has none
    auto& table = ProgramState.TruthTable;
    const uint32_t high = ProgramState.HighMinterm;
    std::bernoulli_distribution coin(0.5);
    for (uint32_t m = 0; m <= high; ++m) {
        table[m] = coin(FRandom) ? 1 : 0;
    }
    // Highest minterm first is already code order, so each add lands at the end.
    TStringListAdv terms(true);
    for (uint32_t m = high + 1; m-- > 0;) {
        if (table[m] != 0) {
            std::string term = MintermToLetters(m, ProgramState.VarCount, 'A');
            PadTerm(term);
            terms.Add(term);
        }
    }
    ClearEditor();
    if (terms.Count() > 10000) {
        inputgrid->setRowCount(terms.Count() + 5);
        ClearEditor();
    }
    EnsureTermRows(terms.Count());
    inputgrid->beginUpdate();
    for (int i = 0; i < terms.Count(); ++i) {
        WriteTerm(i + 1, FromLatin(terms.Strings(i)));
    }
    inputgrid->endUpdate();
}

bool TfrmKmap::inputgridDragOver(QDragMoveEvent*) {
    return true;
}

void TfrmKmap::inputgridDragDrop() {
    if (frmBooleanClac != nullptr) {
        DropTerms(frmBooleanClac->dragSourceText());
    }
}

void TfrmKmap::DropTerms(const QString& text) {
    if (text.isEmpty() || CommandLoopRunning()) {
        return;
    }
    TStringListAdv terms(true);
    for (const QString& piece : text.split('+', Qt::SkipEmptyParts)) {
        terms.Add(ToLatin(piece));
    }
    EnsureTermRows(terms.Count());
    inputgrid->beginUpdate();
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        inputgrid->setCell(2, row, QString());
    }
    for (int i = 0; i < terms.Count(); ++i) {
        WriteTerm(i + 1, FromLatin(terms.Strings(i)));
    }
    inputgrid->endUpdate();
}
