// The truth table window: the map's function row by row, F switched by clicks, copied as CSV.
#include "windows/TruthTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "model/KmapLayout.h"
#include "model/Terms.h"
#include "windows/controls/Placement.h"
#include "windows/main.h"

TfrmTruthTable* frmTruthTable = nullptr;

namespace {

const QString OnCell("x");
const QString DontCareCell = QString(QChar(DontCareMark));
constexpr int MinColWidth = 28;
constexpr int MaxColWidth = 160;
constexpr int MinWidth = 200;
constexpr int MaxHeight = 480;

// A name as one CSV field: quoted, its quotes doubled, when it holds a separator or a quote.
QString CsvField(const QString& text) {
    if (!text.contains(',') && !text.contains('"') && !text.contains('\n') &&
        !text.contains('\r')) {
        return text;
    }
    QString quoted = text;
    return '"' + quoted.replace('"', "\"\"") + '"';
}

}  // namespace

TfrmTruthTable::TfrmTruthTable(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmTruthTable");
    setWindowTitle("Truth table");
    TruthGrid = new TStringGrid(this);
    TruthGrid->setObjectName("TruthGrid");
    TruthGrid->setFixedRows(1);
    TruthGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    TruthGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TruthGrid->onDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                   TGridDrawState state) {
        TruthGridDrawCell(canvas, col, row, rect, state);
    };
    TruthGrid->onMouseDown = [this](QMouseEvent* event) { TruthGridMouseDown(event); };
    setCentralWidget(TruthGrid);

    mnuCopyCsv = menuBar()->addAction("Copy as CSV", this, &TfrmTruthTable::mnuCopyCsvClick);
    mnuCopyCsv->setObjectName("mnuCopyCsv");
    resize(MinWidth, MaxHeight);

    const QAbstractItemModel* map = frmKmap->KmapGrid->model();
    connect(map, &QAbstractItemModel::dataChanged, this, &TfrmTruthTable::MapChanged);
    connect(map, &QAbstractItemModel::modelReset, this, &TfrmTruthTable::MapChanged);
}

void TfrmTruthTable::showEvent(QShowEvent* event) {
    Refresh();
    QMainWindow::showEvent(event);
    if (!FPlaced) {
        FPlaced = true;
        CenterOnScreen(this);
    }
}

void TfrmTruthTable::MapChanged() {
    if (isVisible()) {
        Refresh();
    }
}

void TfrmTruthTable::Refresh() {
    const int n = frmKmap->layout().VarCount();
    const std::vector<std::string>& plaNames = frmKmap->plaInputNames();
    QStringList names;
    for (int k = 0; k < n; ++k) {
        names << (plaNames.size() == static_cast<size_t>(n) ? QString::fromStdString(plaNames[k])
                                                            : QString(QChar('A' + k)));
    }
    names << QString::fromStdString(frmKmap->plaOutputName());
    if (names == FNames) {
        TruthGrid->cellSourceChanged();
        return;
    }
    FNames = names;
    FVars = n;
    TruthGrid->setCellSource([this](int col, int row) { return CellText(col, row); },
                             static_cast<int>(names.size()), (1 << n) + 1);
    const QFontMetrics metrics(TruthGrid->font());
    int width = TruthGrid->verticalScrollBar()->sizeHint().width() + 2 * TruthGrid->frameWidth();
    for (int c = 0; c < names.size(); ++c) {
        const int textWidth = metrics.horizontalAdvance(names[c]) + 12;
        TruthGrid->setColWidth(c, std::clamp(textWidth, MinColWidth, MaxColWidth));
        width += TruthGrid->colWidth(c);
    }
    // Small tables show whole; larger ones scroll in a window of the usual height.
    const int rowsHeight = ((1 << n) + 1) * TruthGrid->defaultRowHeight();
    const int tableHeight =
        rowsHeight + 2 * TruthGrid->frameWidth() + menuBar()->sizeHint().height();
    resize(std::max(width, MinWidth), std::min(tableHeight, MaxHeight));
}

QString TfrmTruthTable::CellText(int col, int row) const {
    if (row == 0) {
        return FNames.value(col);
    }
    const uint32_t m = static_cast<uint32_t>(row - 1);
    if (col == FVars) {
        return MapValue(m);
    }
    return (m >> (FVars - 1 - col)) & 1u ? QStringLiteral("1") : QStringLiteral("0");
}

QChar TfrmTruthTable::MapValue(uint32_t m) const {
    const TMapCell cell = MintermCell(frmKmap->layout(), m);
    const QString text = frmKmap->KmapGrid->cell(cell.Col, cell.Row);
    return text == OnCell ? '1' : text == DontCareCell ? '-' : '0';
}

void TfrmTruthTable::CycleMapValue(uint32_t m) {
    const TMapCell cell = MintermCell(frmKmap->layout(), m);
    const QChar now = MapValue(m);
    frmKmap->KmapGrid->setCell(cell.Col, cell.Row,
                               now == '0'   ? OnCell
                               : now == '1' ? DontCareCell
                                            : QString());
}

void TfrmTruthTable::TruthGridMouseDown(QMouseEvent* event) {
    int col = -1;
    int row = -1;
    if (event->button() != Qt::LeftButton ||
        !TruthGrid->mouseToCell(event->position().toPoint(), col, row) || col != FVars || row < 1) {
        return;
    }
    CycleMapValue(static_cast<uint32_t>(row - 1));
}

void TfrmTruthTable::TruthGridDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                       TGridDrawState state) {
    const bool selected = state.Selected && !state.Fixed;
    canvas.fillRect(rect, state.Fixed ? palette().color(QPalette::Button)
                          : selected  ? palette().color(QPalette::Highlight)
                                      : QColor(Qt::white));
    canvas.setPen(selected ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
    QFont font = canvas.font();
    font.setBold(state.Fixed || col == FVars);
    canvas.setFont(font);
    canvas.drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignCenter, TruthGrid->cell(col, row));
}

QString TfrmTruthTable::CsvText() const {
    QStringList fields;
    for (const QString& name : FNames) {
        fields << CsvField(name);
    }
    QString csv = fields.join(',') + "\r\n";
    const uint32_t rows = 1u << FVars;
    csv.reserve(csv.size() + static_cast<qsizetype>(rows) * (2 * FVars + 3));
    for (uint32_t m = 0; m < rows; ++m) {
        for (int k = FVars - 1; k >= 0; --k) {
            csv += (m >> k) & 1u ? '1' : '0';
            csv += ',';
        }
        csv += MapValue(m);
        csv += "\r\n";
    }
    return csv;
}

void TfrmTruthTable::mnuCopyCsvClick() {
    Refresh();
    QGuiApplication::clipboard()->setText(CsvText());
}
