// The string grid: a cell-text model, an owner-drawing delegate, a fixed title row.
#include "windows/controls/StringGrid.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

int TStringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TStringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FCols;
}

QVariant TStringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return text(index.column(), index.row());
}

bool TStringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    setText(index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TStringGridModel::setText(int col, int row, const QString& text) {
    if (FSource) {
        return;
    }
    QString& cell = FCells[Offset(col, row)];
    if (cell == text) {
        return;
    }
    cell = text;
    if (FUpdating == 0) {
        const QModelIndex at = index(row, col);
        emit dataChanged(at, at, {Qt::DisplayRole});
    }
}

void TStringGridModel::resize(int cols, int rows) {
    if (cols == FCols && rows == FRows) {
        return;
    }
    beginResetModel();
    if (FSource) {
        FRows = rows;
        FCols = cols;
        endResetModel();
        return;
    }
    std::vector<QString> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    for (int r = 0; r < std::min(rows, FRows); ++r) {
        for (int c = 0; c < std::min(cols, FCols); ++c) {
            cells[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] =
                std::move(FCells[Offset(c, r)]);
        }
    }
    FCells.swap(cells);
    FRows = rows;
    FCols = cols;
    endResetModel();
}

void TStringGridModel::setSource(TCellSource source, int cols, int rows) {
    beginResetModel();
    FCells.clear();
    FSource = std::move(source);
    FRows = rows;
    FCols = cols;
    endResetModel();
}

void TStringGridModel::sourceChanged() {
    if (FRows > 0 && FCols > 0) {
        emit dataChanged(index(0, 0), index(FRows - 1, FCols - 1), {Qt::DisplayRole});
    }
}

void TStringGridModel::endUpdate() {
    if (--FUpdating == 0 && FRows > 0 && FCols > 0) {
        emit dataChanged(index(0, 0), index(FRows - 1, FCols - 1), {Qt::DisplayRole});
    }
}

TGridDelegate::TGridDelegate(TStringGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

void TGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    TGridDrawState state;
    state.Selected = option.state.testFlag(QStyle::State_Selected);
    state.Focused = index == FGrid->currentIndex() && FGrid->hasFocus();
    state.Fixed = index.row() < FGrid->fixedRows();
    painter->save();
    painter->setClipRect(option.rect);
    FGrid->drawCell(*painter, index.column(), index.row(), option.rect, state);
    painter->restore();
}

TFixedRowHeader::TFixedRowHeader(TStringGrid* grid)
    : QHeaderView(Qt::Horizontal, grid), FGrid(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
}

void TFixedRowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    TGridDrawState state;
    state.Fixed = true;
    painter->save();
    painter->setClipRect(rect);
    FGrid->drawCell(*painter, logicalIndex, 0, rect, state);
    painter->restore();
}

QSize TFixedRowHeader::sectionSizeFromContents(int logicalIndex) const {
    return {FGrid->colWidth(logicalIndex), FGrid->defaultRowHeight()};
}

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent), FModel(new TStringGridModel(this)) {
    setModel(FModel);
    setItemDelegate(new TGridDelegate(this));
    setHorizontalHeader(new TFixedRowHeader(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(FRowHeight);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setFixedHeight(FRowHeight);
    horizontalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setMouseTracking(true);
    connect(FModel, &QAbstractItemModel::modelReset, this, [this] { ApplyFixedRows(); });
}

QString TStringGrid::cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCountValue() || row >= rowCountValue()) {
        return {};
    }
    return FModel->text(col, row);
}

void TStringGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= colCountValue() || row >= rowCountValue()) {
        return;
    }
    FModel->setText(col, row, text);
}

void TStringGrid::setRowCount(int rows) {
    const int keepRow = currentIndex().row();
    const int keepCol = currentIndex().column();
    FModel->resize(colCountValue(), std::max(rows, 0));
    if (keepRow >= 0 && keepRow < rows && keepCol >= 0) {
        setCurrentIndex(FModel->index(keepRow, keepCol));
    }
}

void TStringGrid::setColCount(int cols) {
    const int old = colCountValue();
    FModel->resize(std::max(cols, 0), rowCountValue());
    for (int c = old; c < cols; ++c) {
        setColumnWidth(c, horizontalHeader()->defaultSectionSize());
    }
}

void TStringGrid::setFixedRows(int rows) {
    FFixedRows = rows;
    ApplyFixedRows();
}

void TStringGrid::ApplyFixedRows() {
    for (int r = 0; r < rowCountValue() && r < 1; ++r) {
        setRowHidden(r, FFixedRows > 0);
    }
    horizontalHeader()->setVisible(FFixedRows > 0);
}

void TStringGrid::setColWidth(int col, int width) {
    setColumnWidth(col, width);
}

void TStringGrid::setDefaultColWidth(int width) {
    horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < colCountValue(); ++c) {
        setColumnWidth(c, width);
    }
}

void TStringGrid::setDefaultRowHeight(int height) {
    FRowHeight = height;
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

void TStringGrid::setGridLineWidth(int width) {
    FGridLineWidth = width;
    setShowGrid(width > 0);
}

int TStringGrid::row() const {
    return currentIndex().isValid() ? currentIndex().row() : FFixedRows;
}

int TStringGrid::col() const {
    return currentIndex().isValid() ? currentIndex().column() : 0;
}

void TStringGrid::setRow(int row) {
    if (row >= 0 && row < rowCountValue()) {
        setCurrentIndex(FModel->index(row, std::max(col(), 0)));
    }
}

void TStringGrid::setCol(int col) {
    if (col >= 0 && col < colCountValue()) {
        setCurrentIndex(FModel->index(std::max(row(), 0), col));
    }
}

int TStringGrid::topRow() const {
    const int r = rowAt(0);
    return r < 0 ? FFixedRows : r;
}

void TStringGrid::setTopRow(int row) {
    row = std::clamp(row, FFixedRows, std::max(rowCountValue() - 1, FFixedRows));
    if (row < rowCountValue()) {
        scrollTo(FModel->index(row, 0), QAbstractItemView::PositionAtTop);
    }
}

int TStringGrid::visibleRowCount() const {
    return FRowHeight > 0 ? viewport()->height() / FRowHeight : 0;
}

QRect TStringGrid::cellRect(int col, int row) const {
    return visualRect(FModel->index(row, col));
}

bool TStringGrid::mouseToCell(const QPoint& pos, int& col, int& row) const {
    col = columnAt(pos.x());
    row = rowAt(pos.y());
    if (col < 0 || row < 0) {
        col = -1;
        row = -1;
        return false;
    }
    return true;
}

void TStringGrid::clearColumn(int col) {
    beginUpdate();
    for (int r = 0; r < rowCountValue(); ++r) {
        FModel->setText(col, r, QString());
    }
    endUpdate();
}

QStringList TStringGrid::columnTexts(int col, int firstRow) const {
    QStringList texts;
    for (int r = firstRow; r < rowCountValue(); ++r) {
        texts << cell(col, r);
    }
    return texts;
}

void TStringGrid::clearCells() {
    beginUpdate();
    for (int c = 0; c < colCountValue(); ++c) {
        for (int r = 0; r < rowCountValue(); ++r) {
            FModel->setText(c, r, QString());
        }
    }
    endUpdate();
}

void TStringGrid::setCellSource(TStringGridModel::TCellSource source, int cols, int rows) {
    const int old = colCountValue();
    FModel->setSource(std::move(source), std::max(cols, 0), std::max(rows, 0));
    for (int c = old; c < cols; ++c) {
        setColumnWidth(c, horizontalHeader()->defaultSectionSize());
    }
}

void TStringGrid::cellSourceChanged() {
    FModel->sourceChanged();
    // The title row is painted by the header, which the model's signal does not reach.
    horizontalHeader()->viewport()->update();
}

void TStringGrid::drawCell(QPainter& painter, int col, int row, const QRect& rect,
                           TGridDrawState state) const {
    if (onDrawCell) {
        onDrawCell(painter, col, row, rect, state);
        return;
    }
    // A grid without a drawing of its own still shows which row or cell is selected.
    const bool selected = state.Selected && !state.Fixed;
    painter.fillRect(rect, selected ? palette().color(QPalette::Highlight) : QColor(Qt::white));
    painter.setPen(selected ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
    painter.drawText(rect.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, cell(col, row));
}

void TStringGrid::updateGeometries() {
    QTableView::updateGeometries();
    // Per-item scrolling counts the hidden title row in its positions but not in its range,
    // which would leave the last row half shown at the bottom; one more step reaches it.
    if (verticalScrollMode() == QAbstractItemView::ScrollPerItem) {
        const int hidden = verticalHeader()->hiddenSectionCount();
        if (hidden > 0 && verticalScrollBar()->maximum() > 0) {
            verticalScrollBar()->setMaximum(verticalScrollBar()->maximum() + hidden);
        }
    }
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
    // The pressed cell becomes current before the window's handler runs.
    FPressed = true;
    QTableView::mousePressEvent(event);
    if (onMouseDown) {
        onMouseDown(event);
    }
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (FPressed && event->button() == Qt::LeftButton && onClick) {
        onClick();
    }
    FPressed = false;
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event) {
    QTableView::mouseMoveEvent(event);
    if (onMouseMove) {
        onMouseMove(event);
    }
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
    bool consumed = false;
    if (onKeyDown) {
        onKeyDown(event, consumed);
    }
    if (consumed) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (onKeyPress && text.size() == 1) {
        QChar key = text.at(0);
        onKeyPress(key);
        if (key.isNull()) {
            event->accept();
            return;
        }
        // Printable keys belong to the window; only navigation reaches the view.
        if (key.unicode() >= 32) {
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void TStringGrid::dragEnterEvent(QDragEnterEvent* event) {
    if (!onDragOver) {
        QTableView::dragEnterEvent(event);
        return;
    }
    dragMoveEvent(event);
}

void TStringGrid::dragMoveEvent(QDragMoveEvent* event) {
    if (!onDragOver) {
        QTableView::dragMoveEvent(event);
        return;
    }
    if (onDragOver(event)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TStringGrid::dropEvent(QDropEvent* event) {
    if (!onDragDrop) {
        QTableView::dropEvent(event);
        return;
    }
    onDragDrop(event);
    event->acceptProposedAction();
}
