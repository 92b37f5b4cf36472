// The K-map window: creation, layout, menus, showing, and the commands that reach other windows.
#include "windows/main.h"
#include "windows/Windows.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <set>

#include "engine/Simplify.h"
#include "model/State.h"
#include "model/Terms.h"
#include "windows/FormBoolProjects.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/TruthTable.h"
#include "windows/controls/Colours.h"
#include "windows/controls/Placement.h"
#include "windows/controls/Prompter.h"
#include "windows/main_groups.h"
#include "windows/main_shared.h"

TfrmKmap* frmKmap = nullptr;

namespace {

const char* const MapHint =
    "Right click on this grid in-order to\r\nsee the menu and the options for it.\r\n\r\n"
    "Left click on any cell to turn it On or Off\r\n"
    "Ctrl + left click to make it a don't care (grey) or Off";
const char* const EditorHint =
    "Right click on this grid in-order to\r\nsee the menu and the options for it.\r\n"
    "This is the Main editor of program.\r\n"
    "Type - in a row to make it a don't-care term (grey, written -AbC).";

// The program's own picture: a small 4 x 4 map with a few cells on.
QImage MapPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Teal);
    QPainter painter(&picture);
    const int cell = std::max(2, (std::min(width, height) - 6) / 4);
    const int left = (width - 4 * cell) / 2;
    const int top = (height - 4 * cell) / 2;
    const bool on[16] = {1, 1, 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const QRect box(left + c * cell, top + r * cell, cell - 1, cell - 1);
            painter.fillRect(box, on[r * 4 + c] ? Qt::black : Qt::white);
        }
    }
    painter.setPen(QPen(Yellow, 2));
    painter.drawRect(left + cell - 1, top + cell - 1, 2 * cell, 2 * cell);
    return picture;
}

QToolButton* MakeSpeedButton(QWidget* parent, const char* name, const QString& caption,
                             const QString& hint, int left) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    QFont font = button->font();
    font.setBold(true);
    font.setUnderline(true);
    button->setFont(font);
    button->setGeometry(left, 8, 23, 19);
    return button;
}

// Engine messages become message boxes.
// Shows each distinct text once per command: a large result can raise "Error RANK ZERO"
// for a thousand terms, and a thousand modal boxes would lock the user out.
class TBoxSink : public TMessageSink {
  public:
    void showMessage(const std::string& text) override {
        if (FShown.insert(text).second) {
            ShowMessage(FromLatin(text));
        }
    }

  private:
    std::set<std::string> FShown;
};

}  // namespace

TfrmKmap::TfrmKmap(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmKmap");
    setWindowTitle("QUILLON / Boolean Algebra simplification program.");
    setWindowIcon(QIcon(QPixmap::fromImage(MapPicture(32, 32))));
    BuildLayout();
    BuildMenus();
    FormCreate();
}

void TfrmKmap::BuildLayout() {
    auto* client = new QWidget(this);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    clientLayout->addLayout(body, 1);

    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setFixedWidth(217);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->setSpacing(0);
    body->addWidget(Panel1);

    Panel3 = new QFrame(Panel1);
    Panel3->setObjectName("Panel3");
    Panel3->setFixedHeight(29);
    Panel3->setAutoFillBackground(true);
    SetColour(Panel3, QPalette::Window, Teal);
    SetColour(Panel3, QPalette::WindowText, Yellow);
    auto* caption = new QLabel("Main  KMAP Input Editor", Panel3);
    // The designed caption font is a small sans serif; the theme's default is too wide for it.
    QFont captionFont("Sans Serif");
    captionFont.setPixelSize(11);
    captionFont.setBold(true);
    captionFont.setUnderline(true);
    caption->setFont(captionFont);
    caption->setAlignment(Qt::AlignCenter);
    auto* captionLayout = new QHBoxLayout(Panel3);
    captionLayout->setContentsMargins(26, 0, 26, 0);
    captionLayout->addWidget(caption);
    SpeedButton1 = MakeSpeedButton(Panel3, "SpeedButton1", "L", "Goto last row", 4);
    SpeedButton2 = MakeSpeedButton(Panel3, "SpeedButton2", "F", "Goto 1st row", 186);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmKmap::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmKmap::SpeedButton2Click);
    panelLayout->addWidget(Panel3);

    inputgrid = new TStringGrid(Panel1);
    inputgrid->setObjectName("inputgrid");
    inputgrid->setToolTip(EditorHint);
    panelLayout->addWidget(inputgrid, 1);

    MapBox = new QScrollArea(client);
    MapBox->setObjectName("MapBox");
    MapBox->setFrameShape(QFrame::NoFrame);
    MapBox->setWidgetResizable(false);
    auto* canvas = new QWidget;
    canvas->setObjectName("MapCanvas");
    // Designed places are client coordinates; the canvas starts right of Panel1.
    const int dx = -217;
    Label3 = new QLabel("Upper case for HI ,  Lower case for LO", canvas);
    Label3->setObjectName("Label3");
    QFont boldFont = Label3->font();
    boldFont.setBold(true);
    Label3->setFont(boldFont);
    Label3->move(223 + dx, 4);
    Label3->adjustSize();
    Image1 = new TImage(canvas);
    Image1->setObjectName("Image1");
    Image1->setGeometry(221 + dx, 29, 37, 32);
    Image1->setPicture(MapPicture(37, 32));
    ImageCol = new TImage(canvas);
    ImageCol->setObjectName("ImageCol");
    ImageCol->setGeometry(265 + dx, 25, 353, 45);
    ImageRow = new TImage(canvas);
    ImageRow->setObjectName("ImageRow");
    ImageRow->setGeometry(218 + dx, 69, 48, 350);
    KmapGrid = new TStringGrid(canvas);
    KmapGrid->setObjectName("KmapGrid");
    KmapGrid->setGeometry(266 + dx, 70, MapRefWidth, MapRefHeight);
    KmapGrid->setToolTip(MapHint);
    MapBox->setWidget(canvas);
    body->addWidget(MapBox, 1);

    // The panels are wider than the 500-pixel window; the window edge cuts the last ones off.
    StatusBar = new TStatusBar({100, 200, 200, 50}, client);
    clientLayout->addWidget(StatusBar);
    Gauge = new TGauge(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmKmap::Timer1Timer);

    setCentralWidget(client);
}

void TfrmKmap::BuildMenus() {
    auto add = [this](QWidget* menu, const QString& caption, void (TfrmKmap::*handler)()) {
        auto* action = new QAction(caption, menu);
        if (handler != nullptr) {
            connect(action, &QAction::triggered, this, handler);
        }
        menu->addAction(action);
        return action;
    };
    QMenu* file = menuBar()->addMenu("&File");
    add(file, "New", &TfrmKmap::mnuNewBoolClick);
    add(file, "&Open Boolean Text File", &TfrmKmap::Open1Click);
    add(file, "&Save as Text File", &TfrmKmap::Save1Click);
    add(file, "Get Clipbrd", &TfrmKmap::GetClipbrd1Click);
    add(file, "Import PLA File…", &TfrmKmap::mnuImportPlaClick);
    add(file, "Export as PLA File…", &TfrmKmap::mnuExportPlaClick);
    add(file, "Save map picture…", &TfrmKmap::mnuSaveMapPictureClick);
    add(file, "E&xit", &TfrmKmap::Exit2Click);

    QMenu* edit = menuBar()->addMenu("Edit");
    add(edit, "Find Boolean String", &TfrmKmap::Find1Click);
    add(edit, "Clear all checks", &TfrmKmap::Clearallchecks1Click);
    add(edit, "Set all checks", &TfrmKmap::Setallchecks1Click);
    add(edit, "Clear ALL KMAP", &TfrmKmap::ClearALLKMAP1Click);
    add(edit, "Sort(case sen)", nullptr);
    add(edit, "Sort(case insen)", nullptr);
    add(edit, "Clear Checked Rows", nullptr);
    add(edit, "Delete Checked Rows", nullptr);
    edit->addSeparator();
    add(edit, "Put Random data", &TfrmKmap::mnuPutRandomDataClick);
    add(edit, "Copy KMAP to calc Z input", &TfrmKmap::mnuCopyKMAPdatatoZinputClick);
    add(edit, "Show KMAP grid in  Editor", &TfrmKmap::ImportFromKmpapGridClick);
    add(edit, "Enter function…", &TfrmKmap::mnuEnterFunctionClick);

    add(menuBar(), "Simplify", &TfrmKmap::mnuNewSimplifyClick);
    add(menuBar(), "Product of sums", &TfrmKmap::mnuProductOfSumsClick);
    add(menuBar(), "Projects", &TfrmKmap::Projects1Click);
    add(menuBar(), "HiLite", &TfrmKmap::mnuHiliteClick);
    add(menuBar(), "&Help", nullptr);
    add(menuBar(), "E&xit", &TfrmKmap::Exit2Click);

    PopupMenuinputGrid = new QMenu(this);
    PopupMenuinputGrid->setObjectName("PopupMenuinputGrid");
    add(PopupMenuinputGrid, "Clear ALL", &TfrmKmap::ClearALLKMAP1Click);
    add(PopupMenuinputGrid, "Get from clipboard", &TfrmKmap::GetClipbrd1Click);
    add(PopupMenuinputGrid, "Save All  to Clipboard", &TfrmKmap::Savetoclipboard1Click);
    add(PopupMenuinputGrid, "Import from KMAP grid", &TfrmKmap::ImportFromKmpapGridClick);
    add(PopupMenuinputGrid, "Show data in KMAP Grid", &TfrmKmap::ShowdatainKMAPGrid1Click);
    add(PopupMenuinputGrid, "Insert Blank Row", nullptr);
    add(PopupMenuinputGrid, "Delete Row", nullptr);
    PopupMenuinputGrid->addSeparator();
    add(PopupMenuinputGrid, "Random data", &TfrmKmap::mnuRandomdataClick);
    add(PopupMenuinputGrid, "Invert BIN data", &TfrmKmap::mnuInvertBINdataClick);

    PopupMenuKmapGrid = new QMenu(this);
    PopupMenuKmapGrid->setObjectName("PopupMenuKmapGrid");
    add(PopupMenuKmapGrid, "Show data in Main Input Grid", &TfrmKmap::ImportFromKmpapGridClick);
    add(PopupMenuKmapGrid, "Invert KMP grid data", &TfrmKmap::InvertKmapdataClick);
    add(PopupMenuKmapGrid, "Clear All", &TfrmKmap::ClearAll2Click);
    add(PopupMenuKmapGrid, "Simplify KMAP Grid", &TfrmKmap::mnuSimplifyKMAPGridClick);
    add(PopupMenuKmapGrid, "Put Random Data", &TfrmKmap::mnuPutRandomDataClick);
    add(PopupMenuKmapGrid, "Truth table", &TfrmKmap::mnuTruthTableClick);

    inputgrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(inputgrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenuinputGrid->popup(inputgrid->viewport()->mapToGlobal(pos));
    });
    KmapGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(KmapGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenuKmapGrid->popup(KmapGrid->viewport()->mapToGlobal(pos));
    });
}

void TfrmKmap::FormCreate() {
    // The Gray tables are pure functions here and the truth table lives in the program state,
    // so creation only sets up the controls.
    inputgrid->setDefaultRowHeight(19);
    inputgrid->setColCount(3);
    inputgrid->setRowCount(EditorRows);
    inputgrid->setFixedRows(1);
    inputgrid->setColWidth(0, 16);
    inputgrid->setColWidth(1, 16);
    inputgrid->setColWidth(2, 140);
    inputgrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetColour(inputgrid, QPalette::Base, Aqua);
    inputgrid->setFont(TermFont());
    inputgrid->beginUpdate();
    const QString blanks(TermCapacity, ' ');
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        inputgrid->setCell(0, row, QString::number(row));
        inputgrid->setCell(2, row, blanks);
    }
    inputgrid->endUpdate();
    // The pitch of the overbars is w + 1; taking w one short of the advance of the drawn
    // letters puts every bar over its letter.
    FLetterWidth = std::max(1, QFontMetrics(inputgrid->font()).horizontalAdvance('A') - 1);
    inputgrid->onDrawCell = [this](QPainter& p, int c, int r, const QRect& rect, TGridDrawState s) {
        inputgridDrawCell(p, c, r, rect, s);
    };
    inputgrid->onKeyPress = [this](QChar& key) { inputgridKeyPress(key); };
    inputgrid->onKeyDown = [this](QKeyEvent* e, bool& consumed) { inputgridKeyDown(e, consumed); };
    inputgrid->onMouseDown = [this](QMouseEvent* e) { inputgridMouseDown(e); };
    inputgrid->onClick = [this] { inputgridClick(); };
    inputgrid->onDragOver = [this](QDragMoveEvent* e) { return inputgridDragOver(e); };
    inputgrid->onDragDrop = [this](QDropEvent*) { inputgridDragDrop(); };
    inputgrid->setAcceptDrops(true);
    inputgrid->viewport()->setAcceptDrops(true);
    inputgrid->setDragDropMode(QAbstractItemView::DropOnly);
    inputgrid->setDropIndicatorShown(false);
    inputgrid->setCurrentIndex(inputgrid->model()->index(1, 0));

    QFont bold = KmapGrid->font();
    bold.setBold(true);
    KmapGrid->setFont(bold);
    KmapGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KmapGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KmapGrid->setDefaultRowHeight(19);
    KmapGrid->setDefaultColWidth(19);
    KmapGrid->setColCount(4);
    KmapGrid->setRowCount(4);
    FHighlight.assign(16, 0);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            KmapGrid->setCell(c, r, " ");
        }
    }
    KmapGrid->onDrawCell = [this](QPainter& p, int c, int r, const QRect& rect, TGridDrawState s) {
        KmapGridDrawCell(p, c, r, rect, s);
    };
    KmapGrid->onMouseDown = [this](QMouseEvent* e) { KmapGridMouseDown(e); };
    KmapGrid->onMouseMove = [this](QMouseEvent* e) { KmapGridMouseMove(e); };
    Groups = new TGroupsLayer(KmapGrid);
    Groups->onCellText = [this](int c, int r) { return cellStatus(c, r); };

    StatusBar->hostGauge(Gauge);
    PlaceMapControls();
}

void TfrmKmap::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void TfrmKmap::FormShow() {
    SetOuterSize(this, QSize(500, 500));
    if (!FPlaced) {
        FPlaced = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - QPoint(250, 250));
        }
    }
}

void TfrmKmap::Exit2Click() {
    hide();
}

void TfrmKmap::Projects1Click() {
    BringToFront(frmBoolprojects);
}

void TfrmKmap::mnuTruthTableClick() {
    BringToFront(frmTruthTable);
}

void TfrmKmap::mnuNewBoolClick() {
    ClearALLKMAP1Click();
    ForgetPlaNames();
    // A new start: the groups of an earlier result leave the map, its cells stay.
    Groups->clearGroups();
}

void TfrmKmap::mnuCopyKMAPdatatoZinputClick() {
    QString text;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        // The calculator knows no don't cares: it gets the ON terms.
        const QString cellText = inputgrid->cell(2, row);
        const QString term = TrimmedTerm(cellText);
        if (!term.isEmpty() && !SplitRowText(cellText).DontCare) {
            text += term + "+";
        }
    }
    frmBooleanClac->edtZinput->setText(text);
}

// Panel 1 says how many don't cares the last search used; a search without any takes back
// only its own note, so the panel otherwise reads as it always has.
void TfrmKmap::ShowDontCareNote(int count) {
    if (count > 0) {
        FDontCareNote = QString::number(count) + " don't cares used";
        StatusBar->setPanelText(1, FDontCareNote);
        return;
    }
    if (!FDontCareNote.isEmpty() && StatusBar->panelText(1) == FDontCareNote) {
        StatusBar->setPanelText(1, QString());
    }
    FDontCareNote.clear();
}

void TfrmKmap::mnuNewSimplifyClick() {
    RunSimplify(TUnitForm::SumOfProducts);
}

void TfrmKmap::mnuProductOfSumsClick() {
    RunSimplify(TUnitForm::ProductOfSums);
}

void TfrmKmap::RunSimplify(TUnitForm form) {
    if (CommandLoopRunning()) {
        return;
    }
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(inputgrid->rowCountValue()));
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        texts.push_back(ToLatin(inputgrid->cell(2, row)));
    }
    TBoxSink messages;
    const TSimplifyOutcome outcome = SimplifyTerms(texts, StateTables(), &messages, Gauge, form);
    if (!outcome.Search.StatusText.empty()) {
        StatusBar->setPanelText(2, FromLatin(outcome.Search.StatusText));
        ShowDontCareNote(outcome.DontCareCount);
    }
    if (outcome.Kind != TSimplifyKind::Ranked) {
        ShowMessage(FromLatin(outcome.Message));
        return;
    }
    ShowResults(outcome.Result, form);
}
