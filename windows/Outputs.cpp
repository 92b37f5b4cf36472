// The Outputs window: its controls, the list of outputs and the grid of the shared cover.
#include "windows/Outputs.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>

#include "model/Pla.h"
#include "windows/Windows.h"
#include "windows/controls/Placement.h"
#include "windows/controls/SearchRun.h"
#include "windows/controls/TermCell.h"
#include "windows/main.h"

TfrmOutputs* frmOutputs = nullptr;

namespace {

constexpr int ClientWidth = 640;
constexpr int ClientHeight = 480;
constexpr int ListWidth = 200;
constexpr int ButtonsHeight = 96;
constexpr int TermColWidth = 140;
constexpr int OutputColWidth = 28;

}  // namespace

TfrmOutputs::TfrmOutputs(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmOutputs");
    setWindowTitle("QUILLON Outputs");
    QFont font("MS Sans Serif", 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    setCentralWidget(client);
    CreateControls(client);
    CreateMenus();
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
}

void TfrmOutputs::CreateControls(QWidget* client) {
    lblFunction = new QLabel(client);
    lblFunction->setObjectName("lblFunction");
    lblFunction->setGeometry(8, 6, ListWidth - 8, 18);
    lblInputNames = new QLabel(client);
    lblInputNames->setObjectName("lblInputNames");
    lblInputNames->setWordWrap(true);
    lblInputNames->hide();

    btnSharedCover = MakeButton(client, "btnSharedCover", "Minimum shared cover",
                                QRect(ListWidth + 8, 4, 140, 25));
    GaugeSharedCover = new TGauge(client);
    GaugeSharedCover->setObjectName("GaugeSharedCover");
    GaugeSharedCover->setGeometry(ListWidth + 8, 33, 140, 12);
    GaugeSharedCover->hide();
    lblSharedCover = new QLabel(client);
    lblSharedCover->setObjectName("lblSharedCover");
    lblSharedCover->setWordWrap(true);
    lblSharedCover->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblSharedCover->setGeometry(ListWidth + 8, 49, ClientWidth - ListWidth - 16, 40);
    btnOpenOutput = MakeButton(client, "btnOpenOutput", "Open in K-map", QRect(8, 28, 110, 25));
    btnExportAs =
        MakeButton(client, "btnExportAs", "Export as…", QRect(ListWidth + 160, 4, 90, 25));

    OutputList = new TStringGrid(client);
    OutputList->setObjectName("OutputList");
    OutputList->setColCount(3);
    OutputList->setRowCount(2);
    OutputList->setFixedRows(1);
    OutputList->setColWidth(0, 90);
    OutputList->setColWidth(1, 50);
    OutputList->setColWidth(2, 50);
    OutputList->setCell(0, 0, "Output");
    OutputList->setCell(1, 0, "ON");
    OutputList->setCell(2, 0, "DC");
    OutputList->setSelectionBehavior(QAbstractItemView::SelectRows);
    OutputList->setSelectionMode(QAbstractItemView::SingleSelection);
    OutputList->setGeometry(0, ButtonsHeight, ListWidth, ClientHeight - ButtonsHeight);
    connect(OutputList, &QAbstractItemView::doubleClicked, this, &TfrmOutputs::btnOpenOutputClick);

    CoverGrid = new TStringGrid(client);
    CoverGrid->setObjectName("CoverGrid");
    CoverGrid->setColCount(2);
    CoverGrid->setRowCount(2);
    CoverGrid->setFixedRows(1);
    CoverGrid->setGeometry(ListWidth, ButtonsHeight, ClientWidth - ListWidth,
                           ClientHeight - ButtonsHeight);
    CoverGrid->onDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                   TGridDrawState state) {
        CoverGridDrawCell(canvas, col, row, rect, state);
    };

    connect(btnSharedCover, &QPushButton::clicked, this, &TfrmOutputs::btnSharedCoverClick);
    connect(btnOpenOutput, &QPushButton::clicked, this, &TfrmOutputs::btnOpenOutputClick);
    connect(btnExportAs, &QPushButton::clicked, this, &TfrmOutputs::btnExportAsClick);
}

void TfrmOutputs::CreateMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuOutputsFile");
    mnuExportAs = file->addAction("Export as…", this, &TfrmOutputs::btnExportAsClick);
    mnuExportAs->setObjectName("mnuExportAs");
    file->addSeparator();
    QAction* close = file->addAction("&Close", this, &QWidget::close);
    close->setObjectName("mnuClose");
    QMenu* action = menuBar()->addMenu("Action");
    action->setObjectName("mnuOutputsAction");
    mnuSharedCover =
        action->addAction("Minimum shared cover", this, &TfrmOutputs::btnSharedCoverClick);
    mnuSharedCover->setObjectName("mnuSharedCover");
    mnuOpenOutput = action->addAction("Open in K-map", this, &TfrmOutputs::btnOpenOutputClick);
    mnuOpenOutput->setObjectName("mnuOpenOutput");
}

void TfrmOutputs::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!FPlaced) {
        FPlaced = true;
        CenterOnScreen(this);
    }
}

void TfrmOutputs::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    PlaceGrids();
}

// The grids take what the window gives below the buttons and the names of the inputs; the list
// keeps its width.
void TfrmOutputs::PlaceGrids() {
    const QWidget* client = centralWidget();
    int top = ButtonsHeight;
    if (!lblInputNames->isHidden()) {
        const int width = std::max(client->width() - 16, 0);
        lblInputNames->setGeometry(8, top, width, lblInputNames->heightForWidth(width));
        top = lblInputNames->geometry().bottom() + 5;
    }
    const int height = std::max(client->height() - top, 0);
    OutputList->setGeometry(0, top, ListWidth, height);
    CoverGrid->setGeometry(ListWidth, top, std::max(client->width() - ListWidth, 0), height);
}

void TfrmOutputs::FillOutputList() {
    if (FWide) {
        FillWideOutputList();
        return;
    }
    OutputList->beginUpdate();
    OutputList->setRowCount(std::max(OutputCount(FSet), 1) + 1);
    OutputList->clearCells();
    OutputList->setCell(0, 0, "Output");
    OutputList->setCell(1, 0, "ON");
    OutputList->setCell(2, 0, "DC");
    for (int i = 0; i < OutputCount(FSet); ++i) {
        OutputList->setCell(0, i + 1, QString::fromStdString(FSet.Outputs[i].Name));
        OutputList->setCell(1, i + 1,
                            Thousands(static_cast<int64_t>(BitCount(FSet.Outputs[i].On))));
        OutputList->setCell(2, i + 1,
                            Thousands(static_cast<int64_t>(BitCount(FSet.Outputs[i].Dc))));
    }
    OutputList->endUpdate();
    OutputList->setRow(1);
    lblFunction->setText(QString("%1 inputs, %2 outputs").arg(FSet.Inputs).arg(OutputCount(FSet)));
    // The terms are written in letters, the exports in the inputs' own names.
    QStringList names;
    for (size_t i = 0; i < FSet.InputNames.size(); ++i) {
        names << QString("%1 = %2").arg(QChar('A' + static_cast<int>(i)),
                                        QString::fromStdString(FSet.InputNames[i]));
    }
    lblInputNames->setText(names.join(", "));
    lblInputNames->setHidden(names.isEmpty());
    PlaceGrids();
}

// Terms in code order, as the results window lists them; an "x" under each output a term feeds.
void TfrmOutputs::FillCoverGrid() {
    if (FWide) {
        FillWideCoverGrid();
        return;
    }
    const int outputs = OutputCount(FSet);
    const std::vector<size_t> order =
        FHasCover ? CodeOrder(FCover.Terms, FSet.Inputs) : std::vector<size_t>{};
    CoverGrid->beginUpdate();
    CoverGrid->setColCount(outputs + 1);
    CoverGrid->setRowCount(static_cast<int>(order.size()) + 1);
    CoverGrid->clearCells();
    CoverGrid->setColWidth(0, TermColWidth);
    CoverGrid->setCell(0, 0, "Term");
    for (int i = 0; i < outputs; ++i) {
        CoverGrid->setColWidth(i + 1, OutputColWidth);
        CoverGrid->setCell(i + 1, 0, QString::fromStdString(FSet.Outputs[i].Name));
    }
    for (size_t r = 0; r < order.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        CoverGrid->setCell(0, row,
                           QString::fromStdString(CubeTerm(FCover.Terms[order[r]], FSet.Inputs)));
        for (int i = 0; i < outputs; ++i) {
            if (FCover.FeedsOutput(order[r], i)) {
                CoverGrid->setCell(i + 1, row, "x");
            }
        }
    }
    CoverGrid->endUpdate();
}

void TfrmOutputs::CoverGridDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                    TGridDrawState state) {
    canvas.fillRect(rect, state.Fixed ? palette().color(QPalette::Button) : Qt::white);
    const QString text = CoverGrid->cell(col, row);
    if (row == 0 || (col == 0 && (text.isEmpty() || FWide))) {
        canvas.setPen(Qt::black);
        canvas.drawText(rect.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        return;
    }
    if (col == 0) {
        canvas.setPen(Qt::black);
        DrawTermWithBars(canvas, rect, text, Qt::black, MapLetterWidth());
        return;
    }
    if (text == "x") {
        const int side = std::min(rect.width(), rect.height()) / 2;
        canvas.setPen(Qt::NoPen);
        canvas.setBrush(state.Selected ? Qt::darkBlue : Qt::black);
        canvas.drawEllipse(rect.center(), side / 2, side / 2);
    }
}

void TfrmOutputs::ReceiveFunctionSet(TPla pla, TFunctionSet set) {
    FPla = std::move(pla);
    FSet = std::move(set);
    ShowReceived(false);
}
