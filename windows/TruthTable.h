// TfrmTruthTable: every row of the K-map window's function, read from the map as it stands.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <cstdint>

#include "windows/controls/StringGrid.h"

class TfrmTruthTable : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmTruthTable(QWidget* parent = nullptr);

    // A column per variable and F, a row per minterm below the title row. Its cells are read
    // from the map when shown, so even 16 variables hold no texts.
    TStringGrid* TruthGrid = nullptr;
    QAction* mnuCopyCsv = nullptr;

    // The table as comma-separated lines: the names, then a line per minterm.
    QString CsvText() const;

    void TruthGridDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state);
    void TruthGridMouseDown(QMouseEvent* event);

  public slots:
    // Puts the table on the clipboard as CSV.
    void mnuCopyCsvClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Follows the map while shown: new names or a new variable count lay the table out again,
    // anything else only repaints it.
    void MapChanged();
    void Refresh();
    QString CellText(int col, int row) const;
    // F of a minterm as the map shows it: 1, 0 or - for a don't care.
    QChar MapValue(uint32_t m) const;
    // 0 → 1 → - → 0 on the map's cell of the minterm.
    void CycleMapValue(uint32_t m);

    QStringList FNames;  // the variables, then F
    int FVars = 0;
    bool FPlaced = false;
};

extern TfrmTruthTable* frmTruthTable;
