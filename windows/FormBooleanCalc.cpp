// The calculator window: its labels and edits, menus, showing, the variable count, drag and drop.
#include "windows/FormBooleanCalc.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDrag>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include "model/State.h"
#include "windows/FormBoolProjects.h"
#include "windows/Windows.h"
#include "windows/controls/MenuHints.h"
#include "windows/controls/Placement.h"
#include "windows/controls/Prompter.h"
#include "windows/main.h"

TfrmBooleanClac* frmBooleanClac = nullptr;
std::function<Qt::DropAction(QDrag&)> TfrmBooleanClac::DragRunner;
const char* const TfrmBooleanClac::DragMimeType = "application/x-quillon-calc-tag";

TCalcLabel::TCalcLabel(TfrmBooleanClac* form, const QString& caption, int tag, QWidget* parent)
    : QLabel(caption, parent), FForm(form), FTag(tag) {
    setAcceptDrops(tag != 0);
}

void TCalcLabel::mousePressEvent(QMouseEvent* event) {
    FPressed = event->button() == Qt::LeftButton;
    FPressPos = event->position().toPoint();
    event->accept();
}

void TCalcLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!FPressed || FTag == 0 || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    if ((event->position().toPoint() - FPressPos).manhattanLength() <
        QApplication::startDragDistance()) {
        return;
    }
    FPressed = false;
    FForm->StartLabelDrag(this);
}

void TCalcLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = FPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    FPressed = false;
    if (click && onClick) {
        onClick();
    }
}

void TCalcLabel::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TCalcLabel::dragMoveEvent(QDragMoveEvent* event) {
    if (FForm->AcceptsDrag(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TCalcLabel::dropEvent(QDropEvent* event) {
    if (FForm->AcceptsDrag(event->mimeData())) {
        event->acceptProposedAction();
        FForm->DropOnLabel(this, event->mimeData());
    }
}

TCalcEdit::TCalcEdit(TfrmBooleanClac* form, const char* name, QWidget* parent)
    : QLineEdit(parent), FForm(form) {
    setObjectName(name);
    setAcceptDrops(true);
}

void TCalcEdit::keyPressEvent(QKeyEvent* event) {
    if (FForm->EditKeyPress(this, event)) {
        QLineEdit::keyPressEvent(event);
    } else {
        event->accept();
    }
}

void TCalcEdit::mousePressEvent(QMouseEvent* event) {
    // Any button focuses the edit, so the pop-up menu acts on the edit clicked.
    setFocus(Qt::MouseFocusReason);
    QLineEdit::mousePressEvent(event);
}

void TCalcEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button would paste the selection unchecked.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TCalcEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Coming back from a message box or a menu is not entering the edit.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        FForm->EditEntered(this);
    }
}

void TCalcEdit::contextMenuEvent(QContextMenuEvent* event) {
    FForm->ShowEditPopup(this, event->globalPos());
    event->accept();
}

void TCalcEdit::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TCalcEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (FForm->AcceptsDrag(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TCalcEdit::dropEvent(QDropEvent* event) {
    if (FForm->AcceptsDrag(event->mimeData())) {
        event->acceptProposedAction();
        FForm->DropOnEdit(this, event->mimeData());
    } else {
        event->ignore();
    }
}

void TfrmBooleanClac::CreateMenus() {
    auto item = [this](QWidget* menu, const QString& caption, const char* name,
                       void (TfrmBooleanClac::*handler)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        menu->addAction(action);
        return action;
    };
    QMenuBar* bar = menuBar();
    QAction* showKmap = item(bar, "ShowKmap", "ShowKmap1", &TfrmBooleanClac::ShowKmap1Click);
    showKmap->setToolTip("KMAP form for extra optimization");
    showKmap->setStatusTip(showKmap->toolTip());

    QMenu* boolean = bar->addMenu("Boolean");
    boolean->setObjectName("mnuBoolean");
    item(boolean, "Invert X", "mnuInvertX", &TfrmBooleanClac::mnuInvertXClick);
    item(boolean, "Invert Y", "mnuInvertY", &TfrmBooleanClac::mnuInvertYClick);
    item(boolean, "Invert Z", "mnuInvertZ", &TfrmBooleanClac::mnuInvertZClick);
    item(boolean, "Copy Z edit to KMAP grid", "mnuCopyZtoKmap",
         &TfrmBooleanClac::mnuCopyZtoKmapClick);
    item(boolean, "Optimize-Simplify  X", "mnuOptimizeX", &TfrmBooleanClac::mnuOptimizeXClick);
    item(boolean, "Optimize-Simplify  Y", "mnuOptimizeY", &TfrmBooleanClac::mnuOptimizeYClick);
    item(boolean, "Optimize-Simplify  Z", "mnuOptimizeZ", &TfrmBooleanClac::mnuOptimizeZClick);
    item(boolean, "Save KMAP image(JPG)", "mnuSaveKMAPimage",
         &TfrmBooleanClac::mnuSaveKMAPimageClick);
    item(boolean, "Enter function…", "mnuEnterFunction", &TfrmBooleanClac::mnuEnterFunctionClick);

    QMenu* check = bar->addMenu("Check");
    check->setObjectName("mnuCheck");
    item(check, "X input syntax", "mnuXinputsyntax", &TfrmBooleanClac::mnuXinputsyntaxClick);
    item(check, "Y input syntax", "mnuYinputsyntax", &TfrmBooleanClac::mnuYinputsyntaxClick);
    item(check, "Z input syntax", "mnuZinputsyntax", &TfrmBooleanClac::mnuZinputsyntaxClick);

    item(bar, "Help", "Help1", &TfrmBooleanClac::Help1Click);
    QMenu* autoMenu = bar->addMenu("Auto");
    autoMenu->setObjectName("mnuAuto");
    // The hint belongs to the menu-bar entry, where the mouse rests before the menu opens.
    autoMenu->menuAction()->setToolTip("Bool conversion while typing");
    autoMenu->menuAction()->setStatusTip(autoMenu->menuAction()->toolTip());
    mnuConversion =
        item(autoMenu, "Calculation", "mnuConversion", &TfrmBooleanClac::mnuConversionClick);
    mnuConversion->setCheckable(true);
    mnuConversion->setChecked(false);
    item(bar, "About", "About1", &TfrmBooleanClac::About1Click);
    item(bar, "Projects", "Projects1", &TfrmBooleanClac::Projects1Click);
    item(bar, "Exit", "Exit1", &TfrmBooleanClac::Exit1Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    item(PopupMenu1, "Clear", "Clear1", &TfrmBooleanClac::Clear1Click);
    item(PopupMenu1, "Invert", "Invert1", &TfrmBooleanClac::Invert1Click);
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Get  from Clipboard", "GetfromClipboard1",
         &TfrmBooleanClac::GetfromClipboard1Click);
    item(PopupMenu1, "Copy to Clipboard", "CopytoClipboard1",
         &TfrmBooleanClac::CopytoClipboard1Click);
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Copy from main input", "Copyfrommaininput1",
         &TfrmBooleanClac::Copyfrommaininput1Click);
    item(PopupMenu1, "Copy from result grid", "Copyfromresultgrid1",
         &TfrmBooleanClac::Copyfromresultgrid1Click);
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Optimize-Simplify", "OptimizeSimplify1",
         &TfrmBooleanClac::OptimizeSimplify1Click);
    item(PopupMenu1, "Copy Z input edit to main kmap", "CopyZinputedittomainkmap1",
         &TfrmBooleanClac::CopyZinputedittomainkmap1Click);
    ShowMenuBarHints(bar);
}

void TfrmBooleanClac::ShowEditPopup(QLineEdit* edit, const QPoint& globalPos) {
    if (edit != edtOptimized) {
        PopupMenu1->popup(globalPos);
    }
}

QString TfrmBooleanClac::dragSourceText() const {
    QLineEdit* edit = FDragSource != nullptr ? EditOfTag(FDragSource->tag()) : nullptr;
    return edit != nullptr ? edit->text() : QString();
}

QLineEdit* TfrmBooleanClac::EditOfTag(int tag) const {
    switch (tag) {
        case 100:
            return edtXinput;
        case 200:
            return edtYinput;
        case 300:
            return edtZinput;
        case 400:
            return edtB1input;
        case 500:
            return edtB2input;
        case 600:
            return edtOptimized;
        default:
            return nullptr;
    }
}

QLineEdit* TfrmBooleanClac::FocusedEdit() const {
    QWidget* focused = focusWidget();
    for (QLineEdit* edit :
         {edtXinput, edtYinput, edtZinput, edtB1input, edtB2input, edtOptimized}) {
        if (focused == edit) {
            return edit;
        }
    }
    return nullptr;
}

void TfrmBooleanClac::StartLabelDrag(TCalcLabel* label) {
    if (EditOfTag(label->tag()) == nullptr) {
        return;
    }
    auto* mime = new QMimeData();
    mime->setData(DragMimeType, QByteArray::number(label->tag()));
    mime->setText(EditOfTag(label->tag())->text());
    auto* drag = new QDrag(label);
    drag->setMimeData(mime);
    FDragSource = label;
    if (DragRunner) {
        DragRunner(*drag);
    } else {
        drag->exec(Qt::CopyAction);
    }
    FDragSource = nullptr;
    drag->deleteLater();
}

bool TfrmBooleanClac::AcceptsDrag(const QMimeData* data) const {
    return data != nullptr && data->hasFormat(DragMimeType);
}

void TfrmBooleanClac::DropOnLabel(TCalcLabel* label, const QMimeData* data) {
    DropOnEdit(EditOfTag(label->tag()), data);
}

void TfrmBooleanClac::DropOnEdit(QLineEdit* edit, const QMimeData* data) {
    if (edit == nullptr || !AcceptsDrag(data)) {
        return;
    }
    const QLineEdit* source = EditOfTag(data->data(DragMimeType).toInt());
    if (source != nullptr) {
        edit->setText(source->text());
    }
}

void TfrmBooleanClac::EditEntered(QLineEdit* edit) {
    if (edit == edtXinput) {
        edtXinputChange();
    } else if (edit == edtYinput) {
        edtYinputChange();
    } else if (edit == edtZinput) {
        edtZinputChange();
    }
}

void TfrmBooleanClac::SpinEditChange() {
    // A running operation or table conversion keeps its variable count; the new one applies
    // when it ends.
    if (CommandLoopRunning()) {
        FVarCountPending = true;
        return;
    }
    SetVarCount(SpinEdit->value());
    LayoutCalcMap(SpinEdit->value());
    frmKmap->shwKMPClick();
}

void TfrmBooleanClac::ApplyPendingVarCount() {
    if (FVarCountPending && !CommandLoopRunning()) {
        FVarCountPending = false;
        SpinEditChange();
    }
}

void TfrmBooleanClac::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Coming back from the task bar is not a new showing: the maps keep their contents.
    if (event->spontaneous()) {
        return;
    }
    // Centred by its real outer size, known only now; once, so a window the user moved stays.
    if (!testAttribute(Qt::WA_Moved)) {
        CenterOnScreen(this);
    }
    PageControl1->setCurrentIndex(0);
    edtXinput->setFocus();
    SpinEditChange();
    frmKmap->FormShow();
}

void TfrmBooleanClac::closeEvent(QCloseEvent* event) {
    // Closing the calculator ends the program, whatever other window is open.
    event->accept();
    QApplication::quit();
}

bool TfrmBooleanClac::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PageControl1->widget(0) && event->type() == QEvent::Resize) {
        // The edits stretch with the window and keep their right margin.
        const int pageWidth = PageControl1->widget(0)->width();
        for (QLineEdit* edit :
             {edtXinput, edtYinput, edtZinput, edtB1input, edtB2input, edtOptimized}) {
            const int margin = edit->property("rightMargin").toInt();
            edit->resize(std::max(100, pageWidth - edit->x() - margin), edit->height());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmBooleanClac::Help1Click() {
    ShowMessage("Please refer to the documentation file or go to\n" + InstalledReadme() +
                "\nor to the manual page: man quillon");
}

void TfrmBooleanClac::About1Click() {
    ShowMessage(
        "QUILLON Boolean calculator, version 1.0\n"
        "Combines sums of products of up to 16 variables by AND, OR, XOR and NOT.\n"
        "Upper case letters stand for a variable at 1, lower case letters for 0.");
}

void TfrmBooleanClac::ShowKmap1Click() {
    BringToFront(frmKmap);
}

void TfrmBooleanClac::mnuConversionClick() {
    // Triggering the checkable item has toggled the mark already; a direct call toggles it here.
    if (sender() != mnuConversion) {
        mnuConversion->setChecked(!mnuConversion->isChecked());
    }
}

void TfrmBooleanClac::Projects1Click() {
    BringToFront(frmBoolprojects);
}

void TfrmBooleanClac::Exit1Click() {
    close();
}
