// TStringGrid: a table of cell texts on QTableView, drawn cell by cell by its window.
#pragma once

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

class TStringGrid;

// Cell texts, row-major; row 0 is the title row when the grid has a fixed row. A grid with a
// cell source stores nothing: every text is asked for when shown, and writes are ignored.
class TStringGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using TCellSource = std::function<QString(int col, int row)>;

    explicit TStringGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString text(int col, int row) const {
        return FSource ? FSource(col, row) : FCells[Offset(col, row)];
    }
    void setText(int col, int row, const QString& text);
    void resize(int cols, int rows);
    void setSource(TCellSource source, int cols, int rows);
    // The source's texts have changed; views ask again.
    void sourceChanged();
    void beginUpdate() { ++FUpdating; }
    void endUpdate();

  private:
    size_t Offset(int col, int row) const {
        return static_cast<size_t>(row) * static_cast<size_t>(FCols) + static_cast<size_t>(col);
    }

    std::vector<QString> FCells;
    TCellSource FSource;
    int FRows = 0;
    int FCols = 0;
    int FUpdating = 0;
};

struct TGridDrawState {
    bool Selected = false;
    bool Focused = false;
    bool Fixed = false;
};

// Owner drawing: every cell goes through the grid's drawCell hook.
class TGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit TGridDelegate(TStringGrid* grid);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    TStringGrid* FGrid;
};

// Shows the fixed title row above the scrolling rows, drawn by the same hook.
class TFixedRowHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit TFixedRowHeader(TStringGrid* grid);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

  private:
    TStringGrid* FGrid;
};

class TStringGrid : public QTableView {
    Q_OBJECT
  public:
    using TDrawCell =
        std::function<void(QPainter&, int col, int row, const QRect&, TGridDrawState)>;
    using TMouseEvent = std::function<void(QMouseEvent*)>;
    using TKeyPress = std::function<void(QChar&)>;
    using TKeyDown = std::function<void(QKeyEvent*, bool& consumed)>;
    // A drag over the grid is accepted when the hook returns true.
    using TDragOver = std::function<bool(QDragMoveEvent*)>;
    using TDragDrop = std::function<void(QDropEvent*)>;

    explicit TStringGrid(QWidget* parent = nullptr);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    int rowCountValue() const { return FModel->rowCount(); }
    int colCountValue() const { return FModel->columnCount(); }
    void setRowCount(int rows);
    void setColCount(int cols);
    int fixedRows() const { return FFixedRows; }
    void setFixedRows(int rows);
    void setColWidth(int col, int width);
    int colWidth(int col) const { return columnWidth(col); }
    void setDefaultColWidth(int width);
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return FRowHeight; }
    void setGridLineWidth(int width);
    int gridLineWidth() const { return FGridLineWidth; }

    int row() const;
    int col() const;
    void setRow(int row);
    void setCol(int col);
    int topRow() const;
    void setTopRow(int row);
    int visibleRowCount() const;
    QRect cellRect(int col, int row) const;
    // Cell under a viewport point, or false with col/row -1 when there is none.
    bool mouseToCell(const QPoint& pos, int& col, int& row) const;

    // Bulk writers wrap their writes so views refresh once.
    void beginUpdate() { FModel->beginUpdate(); }
    void endUpdate() { FModel->endUpdate(); }
    void clearColumn(int col);
    // The texts of a column from a row down to the last.
    QStringList columnTexts(int col, int firstRow) const;
    void clearCells();
    // Cells served by a callback instead of stored texts, for tables too large to hold as texts.
    void setCellSource(TStringGridModel::TCellSource source, int cols, int rows);
    void cellSourceChanged();

    TDrawCell onDrawCell;
    TMouseEvent onMouseDown;
    TMouseEvent onMouseMove;
    std::function<void()> onClick;
    TKeyPress onKeyPress;
    TKeyDown onKeyDown;
    TDragOver onDragOver;
    TDragDrop onDragDrop;

    void drawCell(QPainter& painter, int col, int row, const QRect& rect,
                  TGridDrawState state) const;

  protected:
    void updateGeometries() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ApplyFixedRows();

    TStringGridModel* FModel;
    int FFixedRows = 0;
    int FRowHeight = 19;
    int FGridLineWidth = 1;
    bool FPressed = false;
};
