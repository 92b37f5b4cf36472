// The calculator window: creation and layout, menus, showing, the variable count, drag and drop.
#include "windows/FormBooleanCalc.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDrag>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QVBoxLayout>

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

namespace {

// The page as it was laid out; the edits keep their right margins to it when the window grows.
constexpr int DesignPageWidth = 883;

const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor MoneyGreen(0xC0, 0xDC, 0xC0);
const QColor Teal(0x00, 0x80, 0x80);
const QColor Lime(0x00, 0xFF, 0x00);
const QColor LightBlue(0xF0, 0xFA, 0xFF);
const QColor InfoBackground(0xFF, 0xFF, 0xE1);

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    if (family.startsWith("Courier")) {
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

void SetBackground(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

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
    if (FForm->AcceptsDrag(event->mimeData())) {
        event->acceptProposedAction();
    }
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

TfrmBooleanClac::TfrmBooleanClac(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmBooleanClac");
    setWindowTitle("Boolean calculator- AND-NAND-OR-NOR-XOR-NOT - Version 1.0");
    setFont(PixelFont("MS Sans Serif", 11, false));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName("PageControl1");
    auto* page = new QWidget(PageControl1);
    page->setObjectName("TabSheet1");
    PageControl1->addTab(page, "Calc");
    PageControl1->tabBar()->hide();
    layout->addWidget(PageControl1, 1);
    StatusBar = new TStatusBar({120, 200, 200, 50}, central);
    layout->addWidget(StatusBar);
    setCentralWidget(central);
    Gauge = new TGauge(this);
    StatusBar->hostGauge(Gauge);

    CreateControls(page);
    CreateMenus();
    resize(891, 634);
}

void TfrmBooleanClac::CreateControls(QWidget* page) {
    auto captionLabel = [&](const QString& caption, int tag, int x, int y) {
        auto* label = new TCalcLabel(this, caption, tag, page);
        label->setFont(PixelFont("MS Sans Serif", 16, true));
        SetBackground(label, QPalette::Window, Yellow);
        label->setCursor(Qt::PointingHandCursor);
        label->move(x, y);
        label->adjustSize();
        return label;
    };
    auto inputEdit = [&](const char* name, int x, int y, int width) {
        auto* edit = new TCalcEdit(this, name, page);
        edit->setFont(PixelFont("Courier New", 13, false));
        edit->setGeometry(x, y, width, 24);
        edit->setProperty("rightMargin", DesignPageWidth - (x + width));
        return edit;
    };
    lblX = captionLabel("X", 100, 4, 3);
    lblX->setObjectName("lblX");
    edtXinput = inputEdit("edtXinput", 20, 0, 834);
    lblY = captionLabel("Y", 200, 4, 30);
    lblY->setObjectName("lblY");
    edtYinput = inputEdit("edtYinput", 20, 26, 833);
    auto* bevel = new QFrame(page);
    bevel->setObjectName("Bevel1");
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(15, 54, 812, 4);
    lblZ = captionLabel("Z", 300, 6, 63);
    lblZ->setObjectName("lblZ");
    edtZinput = inputEdit("edtZinput", 20, 63, 833);

    auto operationLabel = [&](const char* name, const QString& caption, const QString& hint,
                              int x) {
        auto* label = new TCalcLabel(this, caption, 0, page);
        label->setObjectName(name);
        label->setFont(PixelFont("MS Sans Serif", 16, true));
        SetBackground(label, QPalette::Window, MoneyGreen);
        label->setToolTip(hint);
        label->move(x, 93);
        label->adjustSize();
        return label;
    };
    const QString notHint =
        "Boolean NOT/Complement\nX input will be disables. Y input inverted "
        "and shown in Z input";
    lblBooAnd = operationLabel("lblBooAnd", " Z= X.Y", "Boolean AND", 24);
    lblboolOr = operationLabel("lblboolOr", " Z= X +Y ", "Boolean OR", 115);
    lblNot = operationLabel("lblNot", " Z=not(Z) ", notHint, 223);
    lblboolxor = operationLabel("lblboolxor", " Z=X   Y ", "Boolean XOR", 338);
    lblBooAnd->onClick = [this] { lblBooAndClick(); };
    lblboolOr->onClick = [this] { lblboolOrClick(); };
    lblNot->onClick = [this] { lblNotClick(); };
    lblboolxor->onClick = [this] { lblboolxorClick(); };

    auto picture = [&](const char* name, TGatePicture kind, const QRect& place,
                       const QString& hint) {
        auto* image = new TCalcLabel(this, QString(), 0, page);
        image->setObjectName(name);
        image->setGeometry(place);
        image->setPixmap(GatePixmap(kind, place.size()));
        image->setToolTip(hint);
        return image;
    };
    // The XOR sign sits in the blank run of " Z=X   Y ", wherever this font puts it.
    const QFontMetrics metrics(lblboolxor->font());
    const int gap = lblboolxor->x() + lblboolxor->contentsMargins().left() +
                    metrics.horizontalAdvance(" Z=X") + metrics.horizontalAdvance("   ") / 2;
    Image2 = picture("Image2", TGatePicture::XorSign, {gap - 9, 94, 19, 18}, "Boolean XOR");
    Image3 = picture("Image3", TGatePicture::And, {27, 113, 65, 30}, "Boolean AND");
    Image4 = picture("Image4", TGatePicture::Or, {118, 114, 70, 30}, "Boolean OR");
    Image6 = picture("Image6", TGatePicture::Not, {228, 114, 77, 30}, notHint);
    Image5 = picture("Image5", TGatePicture::Xor, {338, 114, 72, 30}, "Boolean XOR");
    Image2->raise();
    Image2->onClick = [this] { lblboolxorClick(); };
    Image3->onClick = [this] { lblBooAndClick(); };
    Image4->onClick = [this] { lblboolOrClick(); };
    Image6->onClick = [this] { lblNotClick(); };
    Image5->onClick = [this] { lblboolxorClick(); };

    auto radio = [&](const char* name, int x, int y) {
        auto* button = new QRadioButton(page);
        button->setObjectName(name);
        button->move(x, y);
        button->adjustSize();
        return button;
    };
    rbAND = radio("rbAND", 12, 120);
    rbOR = radio("rbOR", 102, 120);
    rbNOT = radio("rbNOT", 214, 121);
    rbXOR = radio("rbXOR", 322, 118);
    rbAND->setChecked(true);
    // Only a user's click runs the operation; selecting from code does not.
    connect(rbAND, &QRadioButton::clicked, this, &TfrmBooleanClac::lblBooAndClick);
    connect(rbOR, &QRadioButton::clicked, this, &TfrmBooleanClac::lblboolOrClick);
    connect(rbNOT, &QRadioButton::clicked, this, &TfrmBooleanClac::lblNotClick);
    connect(rbXOR, &QRadioButton::clicked, this, &TfrmBooleanClac::lblboolxorClick);

    auto* vars = new QLabel(" Vars ", page);
    vars->setObjectName("Label1");
    vars->setFont(PixelFont("MS Sans Serif", 11, true));
    SetBackground(vars, QPalette::Window, Yellow);
    vars->move(443, 93);
    vars->adjustSize();
    SpinEdit = new QSpinBox(page);
    SpinEdit->setObjectName("SpinEdit");
    SpinEdit->setFont(PixelFont("MS Sans Serif", 11, true));
    SpinEdit->setRange(3, 16);
    SpinEdit->setValue(6);
    SpinEdit->setGeometry(441, 109, 40, 28);
    connect(SpinEdit, &QSpinBox::valueChanged, this, &TfrmBooleanClac::SpinEditChange);

    lblB1 = captionLabel("B1", 400, 5, 152);
    lblB1->setObjectName("lblB1");
    lblB1->setToolTip("Buffer 1");
    edtB1input = inputEdit("edtB1input", 37, 149, 819);
    lblB2 = captionLabel("B2", 500, 5, 179);
    lblB2->setObjectName("lblB2");
    lblB2->setToolTip("Buffer 2");
    edtB2input = inputEdit("edtB2input", 37, 175, 818);
    SetBackground(edtB1input, QPalette::Base, LightBlue);
    SetBackground(edtB2input, QPalette::Base, LightBlue);
    lblOZ = captionLabel("OZ", 600, 8, 204);
    lblOZ->setObjectName("lblOZ");
    lblOZ->setToolTip("Z input optimized");
    lblOZ->setFont(PixelFont("Arial", 13, true));
    SetBackground(lblOZ, QPalette::Window, Teal);
    QPalette ozPalette = lblOZ->palette();
    ozPalette.setColor(QPalette::WindowText, Lime);
    lblOZ->setPalette(ozPalette);
    lblOZ->adjustSize();
    edtOptimized = inputEdit("edtOptimized", 37, 200, 818);
    edtOptimized->setFont(PixelFont("Courier New", 11, false));
    edtOptimized->resize(818, 22);
    edtOptimized->setContextMenuPolicy(Qt::NoContextMenu);
    SetBackground(edtOptimized, QPalette::Base, InfoBackground);
    SetXEnabled(true);

    connect(edtXinput, &QLineEdit::textChanged, this, &TfrmBooleanClac::edtXinputChange);
    connect(edtYinput, &QLineEdit::textChanged, this, &TfrmBooleanClac::edtYinputChange);
    connect(edtZinput, &QLineEdit::textChanged, this, &TfrmBooleanClac::edtZinputChange);
    connect(edtB1input, &QLineEdit::textChanged, this, &TfrmBooleanClac::edtB1inputChange);
    connect(edtB2input, &QLineEdit::textChanged, this, &TfrmBooleanClac::edtB1inputChange);
    connect(edtOptimized, &QLineEdit::textChanged, this, &TfrmBooleanClac::edtB1inputChange);

    ScrollBox1 = new QScrollArea(page);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setGeometry(4, 232, 359, 325);
    auto* range = new QWidget();
    range->setObjectName("ScrollRange");
    range->setFixedSize(3000, 3000);
    KmapGrid = new TStringGrid(range);
    KmapGrid->setObjectName("KmapGrid");
    KmapGrid->setFrameShape(QFrame::NoFrame);
    KmapGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KmapGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KmapGrid->setSelectionMode(QAbstractItemView::NoSelection);
    KmapGrid->setFocusPolicy(Qt::NoFocus);
    KmapGrid->setColCount(4);
    KmapGrid->setRowCount(4);
    KmapGrid->setDefaultColWidth(18);
    KmapGrid->setDefaultRowHeight(18);
    KmapGrid->setGridLineWidth(1);
    KmapGrid->setGeometry(0, 0, 18 * 4 + 20, 18 * 4 + 20);
    KmapGrid->onDrawCell = [this](QPainter& painter, int col, int row, const QRect& rect,
                                  TGridDrawState state) {
        KmapGridDrawCell(painter, col, row, rect, state);
    };
    KmapGrid->onMouseMove = [this](QMouseEvent* event) { KmapGridMouseMove(event); };
    ScrollBox1->setWidget(range);
    page->installEventFilter(this);
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
