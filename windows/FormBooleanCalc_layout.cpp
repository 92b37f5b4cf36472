// The calculator window's creation: its inputs, operations, variable count, buffers and map.
#include <QFrame>
#include <QVBoxLayout>

#include "windows/FormBooleanCalc.h"
#include "windows/controls/Colours.h"

namespace {

// The page as it was laid out; the edits keep their right margins to it when the window grows.
constexpr int DesignPageWidth = 883;

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
    SetColour(widget, role, color);
    widget->setAutoFillBackground(true);
}

TCalcLabel* CaptionLabel(TfrmBooleanClac* form, QWidget* page, const char* name,
                         const QString& caption, int tag, int x, int y) {
    auto* label = new TCalcLabel(form, caption, tag, page);
    label->setObjectName(name);
    label->setFont(PixelFont("MS Sans Serif", 16, true));
    SetBackground(label, QPalette::Window, Yellow);
    label->setCursor(Qt::PointingHandCursor);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TCalcEdit* InputEdit(TfrmBooleanClac* form, QWidget* page, const char* name, int x, int y,
                     int width) {
    auto* edit = new TCalcEdit(form, name, page);
    edit->setFont(PixelFont("Courier New", 13, false));
    edit->setGeometry(x, y, width, 24);
    edit->setProperty("rightMargin", DesignPageWidth - (x + width));
    return edit;
}

}  // namespace

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

// The controls are made in this order, which is their stacking and their focus order.
void TfrmBooleanClac::CreateControls(QWidget* page) {
    CreateInputs(page);
    CreateOperations(page);
    CreateVarCount(page);
    CreateBuffers(page);
    CreateMap(page);
    page->installEventFilter(this);
}

void TfrmBooleanClac::CreateInputs(QWidget* page) {
    lblX = CaptionLabel(this, page, "lblX", "X", 100, 4, 3);
    edtXinput = InputEdit(this, page, "edtXinput", 20, 0, 834);
    lblY = CaptionLabel(this, page, "lblY", "Y", 200, 4, 30);
    edtYinput = InputEdit(this, page, "edtYinput", 20, 26, 833);
    auto* bevel = new QFrame(page);
    bevel->setObjectName("Bevel1");
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(15, 54, 812, 4);
    lblZ = CaptionLabel(this, page, "lblZ", "Z", 300, 6, 63);
    edtZinput = InputEdit(this, page, "edtZinput", 20, 63, 833);
}

void TfrmBooleanClac::CreateOperations(QWidget* page) {
    using THandler = void (TfrmBooleanClac::*)();
    auto operationLabel = [&](const char* name, const QString& caption, const QString& hint, int x,
                              THandler handler) {
        auto* label = new TCalcLabel(this, caption, 0, page);
        label->onClick = [this, handler] { (this->*handler)(); };
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
    lblBooAnd =
        operationLabel("lblBooAnd", " Z= X.Y", "Boolean AND", 24, &TfrmBooleanClac::lblBooAndClick);
    lblboolOr = operationLabel("lblboolOr", " Z= X +Y ", "Boolean OR", 115,
                               &TfrmBooleanClac::lblboolOrClick);
    lblNot = operationLabel("lblNot", " Z=not(Z) ", notHint, 223, &TfrmBooleanClac::lblNotClick);
    lblboolxor = operationLabel("lblboolxor", " Z=X   Y ", "Boolean XOR", 338,
                                &TfrmBooleanClac::lblboolxorClick);

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
}

void TfrmBooleanClac::CreateVarCount(QWidget* page) {
    // Only a user's click runs the operation; selecting from code does not.
    auto radio = [&](const char* name, int x, int y, void (TfrmBooleanClac::*handler)()) {
        auto* button = new QRadioButton(page);
        button->setObjectName(name);
        button->move(x, y);
        button->adjustSize();
        connect(button, &QRadioButton::clicked, this, handler);
        return button;
    };
    rbAND = radio("rbAND", 12, 120, &TfrmBooleanClac::lblBooAndClick);
    rbOR = radio("rbOR", 102, 120, &TfrmBooleanClac::lblboolOrClick);
    rbNOT = radio("rbNOT", 214, 121, &TfrmBooleanClac::lblNotClick);
    rbXOR = radio("rbXOR", 322, 118, &TfrmBooleanClac::lblboolxorClick);
    rbAND->setChecked(true);

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
}

void TfrmBooleanClac::CreateBuffers(QWidget* page) {
    lblB1 = CaptionLabel(this, page, "lblB1", "B1", 400, 5, 152);
    lblB1->setToolTip("Buffer 1");
    edtB1input = InputEdit(this, page, "edtB1input", 37, 149, 819);
    lblB2 = CaptionLabel(this, page, "lblB2", "B2", 500, 5, 179);
    lblB2->setToolTip("Buffer 2");
    edtB2input = InputEdit(this, page, "edtB2input", 37, 175, 818);
    SetBackground(edtB1input, QPalette::Base, LightBlue);
    SetBackground(edtB2input, QPalette::Base, LightBlue);
    lblOZ = CaptionLabel(this, page, "lblOZ", "OZ", 600, 8, 204);
    lblOZ->setToolTip("Z input optimized");
    lblOZ->setFont(PixelFont("Arial", 13, true));
    SetBackground(lblOZ, QPalette::Window, Teal);
    SetColour(lblOZ, QPalette::WindowText, Lime);
    lblOZ->adjustSize();
    edtOptimized = InputEdit(this, page, "edtOptimized", 37, 200, 818);
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
}

void TfrmBooleanClac::CreateMap(QWidget* page) {
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
}
