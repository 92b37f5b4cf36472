// TfrmResult: the results window with its grid, exports, sorting and removal tests.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/ResultSearch.h"
#include "model/DesignUnit.h"
#include "model/SensitiveStr.h"
#include "windows/controls/RadioGroup.h"
#include "windows/controls/StatusBar.h"
#include "windows/controls/StringGrid.h"

struct TMinimumCover;
struct TMinimaCycle;

// A row of the grid as the orders see it.
struct TSortRow {
    std::string Term;
    int Min = 0;
    int Max = 0;
};

class TfrmResult : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmResult(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    TStringGrid* Outputgrid = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* btnclearchecks = nullptr;
    QPushButton* btnTestRemoving = nullptr;
    QPushButton* btnRemoveChecked = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* btnTestNewData = nullptr;
    QPushButton* btnundolast = nullptr;
    QPushButton* btnOptimize = nullptr;
    QPushButton* btnquickoptimize = nullptr;
    TRadioGroup* rgSort = nullptr;
    QLineEdit* Edit1 = nullptr;
    QMenu* PopupMenuResults = nullptr;
    QPushButton* btnMinimumCover = nullptr;
    QLabel* lblMinimumCover = nullptr;    // the outcome of the last Minimum cover
    TGauge* GaugeMinimumCover = nullptr;  // shown while Minimum cover runs
    QAction* mnuMinimumCover = nullptr;
    QPushButton* btnShowGroups = nullptr;
    QAction* mnuShowGroups = nullptr;
    QToolButton* btnExplain = nullptr;  // in the menu bar's corner
    QAction* mnuExplain = nullptr;
    QToolButton* btnNextMinimum = nullptr;
    QAction* mnuNextMinimum = nullptr;
    QLabel* lblResultForm = nullptr;  // says that each row is a sum, for a product of sums

    // How long Minimum cover searches before it settles for the best cover found.
    int64_t CoverBudgetMs = 10000;
    // True while Minimum cover runs; the windows refuse commands that would change the grid.
    bool coverRunning() const { return FCoverRunning; }

    // The hand-off: rebuilds the grid from a ranked list (value = Max * 65536 + Min). Under
    // ProductOfSums each row is a cube of the zeros and stands for a sum, and the function is
    // the product of the rows' sums.
    void ReceiveResult(const TStringListAdv& list, TUnitForm form = TUnitForm::SumOfProducts);
    TUnitForm resultForm() const { return FForm; }

    // The term Remove dropped last; Undo last brings it back.
    const std::string& lastRemovedTerm() const { return FLastRemoved; }

    void OutputgridDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                            TGridDrawState state);
    void OutputgridMouseDown(QMouseEvent* event);

  public slots:
    void SavetoClipbpard1Click();
    void SaveSeltoClipboard1Click();
    void SavetoFile1Click();
    void SaveasBINImageFile1Click();
    void CopytoMain1Click();
    void mnuTranslateClick();
    void mnuSavelongLineClick();
    void mnyCopytoZinputClick();
    void mnuExportAsClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button1Click();
    void Edit1Enter();
    void Edit1Exit();
    void Edit1Change();
    void btnclearchecksClick();
    void btnTestRemovingClick();
    void btnRemoveCheckedClick();
    void btnTestNewDataClick();
    void btnundolastClick();
    void btnOptimizeClick();
    void btnquickoptimizeClick();
    void rgSortClick();
    // Checks every row outside a minimum cover of the rows' function; while running, stops it.
    void btnMinimumCoverClick();
    // Draws every row that is not checked as a group on the K-map, over the rows' function.
    void btnShowGroupsClick();
    // Opens the steps of a minimum cover of the rows' function.
    void btnExplainClick();
    // Checks the rows outside the next of the function's minimum covers, in turn.
    void btnNextMinimumClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls(QWidget* client);
    void CreateMenus();
    void LayOutAnchored();

    // Rows and their cells.
    int RowCount() const { return Outputgrid->rowCountValue(); }
    std::string RowTerm(int row) const;  // column 2 cut to 16 characters
    bool RowHasTerm(int row) const;      // something left after trimming blanks
    bool RowChecked(int row) const;
    void SetChecked(int row, bool checked);
    std::vector<TRowCube> RowCubes() const;  // entry r for row r; the title row has none
    std::vector<int> CheckedRows() const;
    std::vector<TCube> TermCubes() const;  // the rows' cubes, top to bottom
    bool AnyTermRow() const;

    // Exports.
    QString ExportLines(bool checkedOnly) const;
    QString ExportLongLine() const;
    // A row as the exports write it: its term, or the sum it stands for (A+b+C).
    QString ExportedRow(int row) const;
    // The function the rows stand for, as compact terms of its ON set.
    std::vector<std::string> FunctionTerms() const;

    // Sorting.
    // The rows with a term, top to bottom; without counts their Min and Max are 0.
    std::vector<TSortRow> SortRows(bool withCounts = true) const;
    void WriteSortRows(const std::vector<TSortRow>& rows);
    void SortByCount(bool byMax);
    void SortAlpha();
    void SortLength();
    void SelectMinOrder();
    static void RankList(TStringListAdv& list);

    // Removal tests and searches.
    void HandleCheckClick(int col, int row);
    bool CheckedRowsRemovable();  // the removal test; the truth table is not touched
    bool UncheckedRowsValid();    // the validity test; leaves the editor's counts in the table
    void HandOver(TStringListAdv& list);
    void ShowTestedRow(int row);
    void RunMinimumCover();
    void ConnectGroups();
    // While the map shows the rows' groups: each row's number in its group's colour and, for a
    // product of sums, a column of the sums the rows stand for.
    void ShowLegend();
    QColor LegendColour(int row) const;

    std::string FLastRemoved;
    int FSortInForce = 2;   // the order of the last sort that ran; "Alpha" at start
    int FExportFilter = 1;  // the file type chosen last in "Export as…"
    bool FPlaced = false;
    qint64 FLastLabelPaint = 0;
    bool FCoverRunning = false;
    bool FCoverStopRequested = false;
    TUnitForm FForm = TUnitForm::SumOfProducts;
    std::vector<QColor> FLegend;            // each row's group colour; invalid for none
    bool FLegendUpdating = false;           // the legend's own writes change no result
    int FWideTermCol = 0;                   // the terms' column's width while the sums narrow it
    std::shared_ptr<TMinimaCycle> FMinima;  // where Next minimum is, for the rows it counted
};

extern TfrmResult* frmResult;

// Hands a ranked term list to the results window.
void ShowResults(const TStringListAdv& list, TUnitForm form = TUnitForm::SumOfProducts);

// What the results window says about a minimum cover: "Minimum: 7 terms, 19 literals (proven)"
// or "Best: 8,120 terms; at least 7,904 needed".
QString MinimumCoverText(const TMinimumCover& cover);
