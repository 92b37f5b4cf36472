// The results window: its controls, the hand-off, painting, mouse, find box and scrolling.
#include "windows/KmapResult.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

#include "model/Terms.h"
#include "windows/Windows.h"
#include "windows/controls/Colours.h"
#include "windows/controls/Placement.h"
#include "windows/controls/TermCell.h"
#include "windows/main.h"

TfrmResult* frmResult = nullptr;

namespace {

// Designed client area; controls on the right keep their distance to the right edge.
constexpr int ClientWidth = 377;
constexpr int ClientHeight = 601;
constexpr int Panel1Width = 269;

const QColor FindGreen(0, 128, 0);

QFont RowNumberFont() {
    QFont font("Arial", 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}

// Text whose top-left corner sits at (x, y), as the cells place it.
void TextOut(QPainter& canvas, int x, int y, const QString& text) {
    canvas.drawText(QRect(x, y, 4000, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    text);
}

void DrawCheckBox(QPainter& canvas, const QRect& rect, const QWidget* widget) {
    QStyleOptionButton option;
    option.rect = rect.adjusted(1, 1, -1, -1);
    option.state = QStyle::State_Enabled | QStyle::State_On;
    option.palette = QApplication::palette();
    widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &canvas, widget);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(left, top, width, height);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace

TfrmResult::TfrmResult(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmResult");
    setWindowTitle("QUILLON Simplification Results");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont font("MS Sans Serif", 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    SetColour(this, QPalette::Window, Silver);
    setAutoFillBackground(true);

    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    setCentralWidget(client);
    CreateControls(client);
    CreateMenus();
    client->installEventFilter(this);
    // Narrower, the controls that keep to the right edge would move over the grid.
    client->setMinimumWidth(ClientWidth);
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
}

void TfrmResult::CreateControls(QWidget* client) {
    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 0, Panel1Width, ClientHeight);

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(0, 0, Panel1Width, 23);
    Panel2->setAutoFillBackground(true);
    SetColour(Panel2, QPalette::Window, Teal);
    SetColour(Panel2, QPalette::WindowText, Yellow);
    auto* title = new QLabel("KMAP Simplification Results", Panel2);
    title->setObjectName("Panel2Caption");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 0, Panel1Width, 23);
    // In the title's place while the rows are the sums of a product of sums.
    lblResultForm = new QLabel("Each row a sum: aBc = (A+b+C)", Panel2);
    lblResultForm->setObjectName("lblResultForm");
    QFont formFont = titleFont;
    formFont.setBold(false);
    lblResultForm->setFont(formFont);
    lblResultForm->setAlignment(Qt::AlignCenter);
    lblResultForm->setGeometry(29, 0, 198, 23);
    lblResultForm->setToolTip(
        "Product of sums: the rows cover the function's zeros. Each row stands for a sum with "
        "its letters' cases flipped (De Morgan), so row aBc is (A + b + C), and the function is "
        "the product of the rows' sums.");
    lblResultForm->hide();

    SpeedButton1 = new QToolButton(Panel2);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("L");
    SpeedButton1->setToolTip("Goto last row");
    SpeedButton1->setGeometry(5, 3, 23, 19);
    SpeedButton2 = new QToolButton(Panel2);
    SpeedButton2->setObjectName("SpeedButton2");
    SpeedButton2->setText("F");
    SpeedButton2->setToolTip("Goto 1st row");
    SpeedButton2->setGeometry(228, 3, 23, 19);

    Outputgrid = new TStringGrid(Panel1);
    Outputgrid->setObjectName("Outputgrid");
    Outputgrid->setGeometry(0, 23, Panel1Width, ClientHeight - 23);
    Outputgrid->setColCount(5);
    Outputgrid->setRowCount(256);
    Outputgrid->setFixedRows(1);
    Outputgrid->setDefaultRowHeight(19);
    const int widths[] = {20, 17, 140, 24, 29};
    for (int c = 0; c < 5; ++c) {
        Outputgrid->setColWidth(c, widths[c]);
    }
    Outputgrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Outputgrid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SetColour(Outputgrid, QPalette::Base, Lime);
    Outputgrid->setToolTip(
        "Right click on this grid in-order to\r\nsee the menu and the options for it.\r\nThis is "
        "a READ ONLY editor !");
    Outputgrid->onDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                    TGridDrawState state) {
        OutputgridDrawCell(canvas, col, row, rect, state);
    };
    Outputgrid->onMouseDown = [this](QMouseEvent* event) { OutputgridMouseDown(event); };
    Outputgrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Outputgrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenuResults->popup(Outputgrid->viewport()->mapToGlobal(at));
    });
    Outputgrid->horizontalHeader()->viewport()->installEventFilter(this);

    BitBtn1 = MakeButton(client, "BitBtn1", "&Close", 278, 4, 61, 21);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Label1 = MakeLabel(client, "Label1", "Tot=", 278, 32);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->adjustSize();
    btnclearchecks = MakeButton(client, "btnclearchecks", "Clear CHK", 280, 48, 70, 22);
    btnTestRemoving = MakeButton(client, "btnTestRemoving", "Test Remove", 280, 76, 81, 25);
    btnRemoveChecked = MakeButton(client, "btnRemoveChecked", "Remove", 280, 105, 65, 25);
    Button1 = MakeButton(client, "Button1", "HiLite", 280, 133, 65, 21);
    btnTestNewData = MakeButton(client, "btnTestNewData", "Validity Test", 280, 157, 78, 24);
    btnundolast = MakeButton(client, "btnundolast", "Undo last", 280, 184, 65, 21);
    btnundolast->setEnabled(false);
    btnOptimize = MakeButton(client, "btnOptimize", "Show Optimized", 280, 211, 89, 25);
    btnquickoptimize = MakeButton(client, "btnquickoptimize", "Quick Optimize", 280, 240, 89, 25);

    rgSort = new TRadioGroup("Sort", {"Min", "Max", "Alpha", "Length"}, client);
    rgSort->setObjectName("rgSort");
    rgSort->setGeometry(276, 292, 77, 105);
    rgSort->setItemIndex(2);

    Label2 = MakeLabel(client, "Label2", "Find bool string", 276, 404);
    Edit1 = new QLineEdit(client);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(16);
    Edit1->setGeometry(276, 420, 81, 21);
    Edit1->installEventFilter(this);
    Label3 = MakeLabel(client, "Label3", "Label3", 273, 454);

    // Below everything else, so the controls above keep their places.
    btnMinimumCover = MakeButton(client, "btnMinimumCover", "Minimum cover", 280, 478, 89, 25);
    GaugeMinimumCover = new TGauge(client);
    GaugeMinimumCover->setObjectName("GaugeMinimumCover");
    GaugeMinimumCover->setGeometry(280, 507, 89, 12);
    GaugeMinimumCover->hide();
    lblMinimumCover = new QLabel(client);
    lblMinimumCover->setObjectName("lblMinimumCover");
    lblMinimumCover->setWordWrap(true);
    lblMinimumCover->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMinimumCover->setGeometry(276, 523, 99, 50);
    btnShowGroups = MakeButton(client, "btnShowGroups", "Show groups", 280, 574, 89, 25);

    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmResult::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmResult::SpeedButton2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    connect(btnclearchecks, &QPushButton::clicked, this, &TfrmResult::btnclearchecksClick);
    connect(btnTestRemoving, &QPushButton::clicked, this, &TfrmResult::btnTestRemovingClick);
    connect(btnRemoveChecked, &QPushButton::clicked, this, &TfrmResult::btnRemoveCheckedClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmResult::Button1Click);
    connect(btnTestNewData, &QPushButton::clicked, this, &TfrmResult::btnTestNewDataClick);
    connect(btnundolast, &QPushButton::clicked, this, &TfrmResult::btnundolastClick);
    connect(btnOptimize, &QPushButton::clicked, this, &TfrmResult::btnOptimizeClick);
    connect(btnquickoptimize, &QPushButton::clicked, this, &TfrmResult::btnquickoptimizeClick);
    connect(rgSort, &TRadioGroup::clicked, this, &TfrmResult::rgSortClick);
    connect(Edit1, &QLineEdit::textChanged, this, &TfrmResult::Edit1Change);
    connect(btnMinimumCover, &QPushButton::clicked, this, &TfrmResult::btnMinimumCoverClick);
    connect(btnShowGroups, &QPushButton::clicked, this, &TfrmResult::btnShowGroupsClick);
    ConnectGroups();
}

void TfrmResult::CreateMenus() {
    struct TEntry {
        const char* Name;
        const char* Caption;
        void (TfrmResult::*Handler)();
    };
    const TEntry entries[] = {
        {"SavetoClipbpard1", "Save  ALL to Clipboard", &TfrmResult::SavetoClipbpard1Click},
        {"SaveSeltoClipboard1", "Save Sel to Clipboard", &TfrmResult::SaveSeltoClipboard1Click},
        {"SavetoFile1", "Save as Text File", &TfrmResult::SavetoFile1Click},
        {"SaveasBINImageFile1", "Save as BIN Image File", &TfrmResult::SaveasBINImageFile1Click},
        {"CopytoMain1", "Copy to Main KMAP", &TfrmResult::CopytoMain1Click},
        {"mnuTranslate", "Translate", &TfrmResult::mnuTranslateClick},
        {nullptr, nullptr, nullptr},
        {"mnuSavelongLine", "Save to clip AS long Line", &TfrmResult::mnuSavelongLineClick},
        {"mnyCopytoZinput", "Copy to Z input of calculator", &TfrmResult::mnyCopytoZinputClick},
        {nullptr, nullptr, nullptr},
        {"mnuExportAs", "Export as…", &TfrmResult::mnuExportAsClick},
    };
    QMenu* action = menuBar()->addMenu("Action");
    action->setObjectName("Action1");
    PopupMenuResults = new QMenu(this);
    PopupMenuResults->setObjectName("PopupMenuResults");
    // Both menus hold the same items, so a command looks the same from either.
    for (const TEntry& entry : entries) {
        if (entry.Name == nullptr) {
            action->addSeparator();
            PopupMenuResults->addSeparator();
            continue;
        }
        auto* item = new QAction(entry.Caption, this);
        item->setObjectName(entry.Name);
        connect(item, &QAction::triggered, this, entry.Handler);
        action->addAction(item);
        PopupMenuResults->addAction(item);
        if (entry.Handler == &TfrmResult::mnuTranslateClick) {
            item->setEnabled(false);
        }
    }
    action->addSeparator();
    PopupMenuResults->addSeparator();
    mnuMinimumCover = new QAction("Minimum cover", this);
    mnuMinimumCover->setObjectName("mnuMinimumCover");
    connect(mnuMinimumCover, &QAction::triggered, this, &TfrmResult::btnMinimumCoverClick);
    action->addAction(mnuMinimumCover);
    PopupMenuResults->addAction(mnuMinimumCover);
    mnuShowGroups = new QAction("Show groups", this);
    mnuShowGroups->setObjectName("mnuShowGroups");
    connect(mnuShowGroups, &QAction::triggered, this, &TfrmResult::btnShowGroupsClick);
    action->addAction(mnuShowGroups);
    PopupMenuResults->addAction(mnuShowGroups);
    auto added = [&](const char* name, const char* caption, void (TfrmResult::*handler)()) {
        auto* item = new QAction(caption, this);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, handler);
        action->addAction(item);
        PopupMenuResults->addAction(item);
        return item;
    };
    mnuExplain = added("mnuExplain", "Explain", &TfrmResult::btnExplainClick);
    mnuNextMinimum = added("mnuNextMinimum", "Next minimum", &TfrmResult::btnNextMinimumClick);

    // The buttons sit in the menu bar's free corner, so the client area keeps its controls.
    auto* corner = new QWidget(menuBar());
    auto* row = new QHBoxLayout(corner);
    row->setContentsMargins(0, 0, 2, 0);
    row->setSpacing(2);
    const int height = menuBar()->sizeHint().height() - 2;
    auto button = [&](const char* name, QAction* item) {
        auto* tool = new QToolButton(corner);
        tool->setObjectName(name);
        tool->setDefaultAction(item);
        tool->setFixedHeight(height);
        row->addWidget(tool);
        return tool;
    };
    btnExplain = button("btnExplain", mnuExplain);
    btnNextMinimum = button("btnNextMinimum", mnuNextMinimum);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
}

void TfrmResult::LayOutAnchored() {
    QWidget* client = centralWidget();
    const int shift = client->width() - ClientWidth;
    BitBtn1->move(278 + shift, 4);
    Label1->move(278 + shift, 32);
    Panel1->setGeometry(0, 0, Panel1Width, client->height());
    Outputgrid->setGeometry(0, 23, Panel1Width, std::max(client->height() - 23, 0));
}

bool TfrmResult::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        LayOutAnchored();
    } else if (watched == Edit1 && event->type() == QEvent::FocusIn) {
        Edit1Enter();
    } else if (watched == Edit1 && event->type() == QEvent::FocusOut) {
        Edit1Exit();
    } else if (watched == Outputgrid->horizontalHeader()->viewport() &&
               event->type() == QEvent::MouseButtonPress) {
        // The fixed title row is row 0; a click on its check cell toggles like any other.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int col = Outputgrid->horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
        HandleCheckClick(col, 0);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmResult::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!FPlaced) {
        FPlaced = true;
        CenterOnScreen(this);
    }
}

std::string TfrmResult::RowTerm(int row) const {
    return CutTerm(Outputgrid->cell(2, row).toStdString());
}

bool TfrmResult::RowHasTerm(int row) const {
    return !TrimBlanks(RowTerm(row)).empty();
}

bool TfrmResult::RowChecked(int row) const {
    return Outputgrid->cell(1, row) == "x";
}

void TfrmResult::SetChecked(int row, bool checked) {
    Outputgrid->setCell(1, row, checked ? "x" : "");
}

bool TfrmResult::AnyTermRow() const {
    for (int r = 1; r < RowCount(); ++r) {
        if (RowHasTerm(r)) {
            return true;
        }
    }
    return false;
}

void TfrmResult::ReceiveResult(const TStringListAdv& list, TUnitForm form) {
    FForm = form;
    lblResultForm->setVisible(form == TUnitForm::ProductOfSums);
    Panel2->findChild<QLabel*>("Panel2Caption")->setVisible(form == TUnitForm::SumOfProducts);
    const int count = list.Count();
    Outputgrid->setRowCount(count + 1);
    Outputgrid->clearCells();
    Label1->setText("Tot=" + QString::number(count));
    Label1->adjustSize();
    btnundolast->setEnabled(false);
    lblMinimumCover->clear();  // it spoke of the rows that were there before
    Outputgrid->beginUpdate();
    for (int i = 0; i < count; ++i) {
        const auto rank = static_cast<uint32_t>(list.Objects(i));
        Outputgrid->setCell(2, i + 1, QString::fromStdString(list.Strings(i)));
        Outputgrid->setCell(3, i + 1, QString::number(rank & 0xFFFFu));
        Outputgrid->setCell(4, i + 1, QString::number(rank >> 16));
    }
    Outputgrid->endUpdate();
    show();
    raise();
    Outputgrid->setRow(1);
    if (rgSort->itemIndex() != 2) {
        rgSortClick();
    }
    if (isMinimized()) {
        showNormal();
    }
}

void TfrmResult::OutputgridDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                    TGridDrawState state) {
    const int left = rect.left();
    const int top = rect.top();
    if (state.Fixed) {
        canvas.fillRect(rect, ButtonFace());
        canvas.setPen(Qt::black);
        canvas.setFont(TermCellFont());
        if (col == 1) {
            DrawCheckBox(canvas, rect, Outputgrid);
        } else if (col == 2) {
            TextOut(canvas, left + 1, top + 1, "ABCDEFGHIJKLMNOP");
        } else if (col == 3) {
            TextOut(canvas, left + 1, top + 1, "Min");
        } else if (col == 4) {
            TextOut(canvas, left + 1, top + 1, "Max");
        } else if (col == 5) {
            TextOut(canvas, left + 1, top + 1, "Sum");
        }
        return;
    }
    if (state.Focused) {
        canvas.fillRect(rect, col == 1 ? QColor(Qt::white) : Blue);
        canvas.setPen(Yellow);
        const int current = Outputgrid->col();
        if (current == 2) {
            DrawTermWithBars(canvas, rect, Outputgrid->cell(2, row), Yellow, MapLetterWidth());
        } else if (current == 0) {
            canvas.setFont(RowNumberFont());
            TextOut(canvas, left + 1, top + 1, QString::number(row));
        } else if (RowChecked(row)) {
            DrawCheckBox(canvas, rect, Outputgrid);
        }
        return;
    }
    const QColor legend = col == 0 ? LegendColour(row) : QColor();
    const QColor background = legend.isValid() ? legend
                              : col == 0       ? ButtonFace()
                              : col == 1       ? QColor(Qt::white)
                                               : Lime;
    canvas.fillRect(rect, background);
    canvas.setPen(Qt::black);
    if (col == 0) {
        canvas.setFont(RowNumberFont());
        TextOut(canvas, left + 1, top + 1, QString::number(row));
    } else if (col == 1) {
        if (RowChecked(row)) {
            DrawCheckBox(canvas, rect, Outputgrid);
        }
    } else if (col == 2) {
        DrawTermWithBars(canvas, rect, Outputgrid->cell(2, row), Qt::black, MapLetterWidth());
    } else {
        canvas.setFont(TermCellFont());
        TextOut(canvas, left + 1, top + 1, Outputgrid->cell(col, row));
    }
}

void TfrmResult::OutputgridMouseDown(QMouseEvent* event) {
    int col = -1;
    int row = -1;
    Outputgrid->mouseToCell(event->position().toPoint(), col, row);
    HandleCheckClick(col, row);
}

void TfrmResult::SpeedButton1Click() {
    Outputgrid->setTopRow(RowCount() - Outputgrid->visibleRowCount());
}

void TfrmResult::SpeedButton2Click() {
    Outputgrid->setTopRow(1);
}

void TfrmResult::Edit1Enter() {
    SetColour(Edit1, QPalette::Base, Yellow);
}

void TfrmResult::Edit1Exit() {
    SetColour(Edit1, QPalette::Base, Qt::white);
}

void TfrmResult::Edit1Change() {
    const std::string wanted = Edit1->text().toStdString();
    bool found = false;
    // An empty box names no term; it would otherwise mark every empty row.
    if (!wanted.empty()) {
        for (int r = 1; r < RowCount(); ++r) {
            if (TrimBlanks(Outputgrid->cell(2, r).toStdString()) == wanted) {
                SetChecked(r, true);
                found = true;
            }
        }
    }
    SetColour(Edit1, QPalette::Base, found ? FindGreen : Yellow);
}

void ShowResults(const TStringListAdv& list, TUnitForm form) {
    frmResult->ReceiveResult(list, form);
}
