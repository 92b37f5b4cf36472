// TfrmKmap: the K-map window with the input editor, the Karnaugh map and the Simplify command.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "model/Cube.h"
#include "model/DesignUnit.h"
#include "model/KmapLayout.h"
#include "model/SensitiveStr.h"
#include "windows/controls/Image.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/StatusBar.h"
#include "windows/controls/StringGrid.h"

class TGroupsLayer;
struct TMapGroup;
struct TPla;

class TfrmKmap : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmKmap(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QFrame* Panel3 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    TStringGrid* inputgrid = nullptr;
    QLabel* Label3 = nullptr;
    TImage* Image1 = nullptr;
    TImage* ImageCol = nullptr;
    TImage* ImageRow = nullptr;
    TStringGrid* KmapGrid = nullptr;
    TStatusBar* StatusBar = nullptr;
    TGauge* Gauge = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* PopupMenuinputGrid = nullptr;
    QMenu* PopupMenuKmapGrid = nullptr;
    // Holds the map and its header strips; scrolls when a large map outgrows the window.
    QScrollArea* MapBox = nullptr;
    // The result's terms drawn over the map; empty until the results window shows groups.
    TGroupsLayer* Groups = nullptr;

    // The editor's letter cursor (1..16) and the pitch of its overbars.
    int cursorPos() const { return FCursorPos; }
    void setCursorPos(int p) { FCursorPos = p; }
    int letterWidth() const { return FLetterWidth; }

    // Map shape of the last layout: variables on the rows and on the columns, and the labels.
    int rowVarCount() const { return FLayout.RowVars; }
    int colVarCount() const { return FLayout.ColVars; }
    const TKmapLayout& layout() const { return FLayout; }
    QString rowLabel(int row) const;
    QString colLabel(int col) const;
    // The minterm a map cell stands for, all n letters.
    QString cellTerm(int col, int row) const;
    // What the status bar says of a map cell: its minterm, whether a don't care, its groups.
    QString cellStatus(int col, int row) const;
    // True while a highlight shows the cell yellow.
    bool isHighlighted(int col, int row) const;
    // The editor's term column from row 1 as typed; writing terms from row 1 grows the editor
    // when they do not fit.
    QStringList editorRows() const { return inputgrid->columnTexts(2, 1); }
    void setEditorRows(const QStringList& terms);
    // The groups drawn over the map, and the gauge on the status bar.
    TGroupsLayer* mapGroups() const { return Groups; }
    TProgressSink* progress() const { return Gauge; }
    // True while TableToEditor runs; commands that change the editor or the table wait for it.
    bool isBusy() const { return FBusy; }

    // The window's save dialog for term files, preset to a file type (1 text, 2 BIN).
    TFileDialogResult RunSaveDialog(int filterIndex);
    // Save as BIN Image File with the image given, or without one the truth table's.
    void SaveBinImage(const std::optional<std::vector<uint8_t>>& image);

    void HiliteTerm(const QString& term);
    // Shows a function on the map (ON black, don't cares grey) with groups over it; they stay
    // until a cell changes.
    void ShowGroups(const TMintermBits& on, const TMintermBits& dontCare,
                    std::vector<TMapGroup> groups);

    // The map picture: the strips and the grid as shown, PNG at twice the screen's scale or SVG.
    QRect mapPictureArea() const;
    QByteArray MapPicturePng() const;
    QByteArray MapPictureSvg() const;
    void SaveMapPicture(const QString& fileName, bool svg);

    // Names from the last imported PLA, for the exports: its inputs (may be empty) and output.
    const std::vector<std::string>& plaInputNames() const { return FPlaInputNames; }
    const std::string& plaOutputName() const { return FPlaOutputName; }

    // Event handlers of the editor and the map.
    void inputgridDrawCell(QPainter& painter, int col, int row, const QRect& rect,
                           TGridDrawState state);
    void inputgridKeyPress(QChar& key);
    void inputgridKeyDown(QKeyEvent* event, bool& consumed);
    void inputgridMouseDown(QMouseEvent* event);
    bool inputgridDragOver(QDragMoveEvent* event);
    void KmapGridDrawCell(QPainter& painter, int col, int row, const QRect& rect,
                          TGridDrawState state);
    void KmapGridMouseDown(QMouseEvent* event);
    void KmapGridMouseMove(QMouseEvent* event);
    // The drop's work: the terms of a calculator input into the editor.
    void DropTerms(const QString& text);

  public slots:
    void FormShow();
    void Exit2Click();
    void Projects1Click();
    // Shows the map's function as a truth table.
    void mnuTruthTableClick();
    void mnuNewBoolClick();
    void mnuCopyKMAPdatatoZinputClick();
    void Open1Click();
    void Save1Click();
    void mnuImportPlaClick();
    // Puts one output of a PLA with its don't cares into the editor, as Import PLA File does;
    // fileName is named in a message when the output cannot be read.
    void LoadPlaOutput(const TPla& pla, int output, const QString& fileName = {});
    void mnuExportPlaClick();
    // A function as a textbook writes it into the editor, its don't cares as "-" rows.
    void mnuEnterFunctionClick();
    void mnuSaveMapPictureClick();
    void GetClipbrd1Click();
    void Savetoclipboard1Click();
    void Find1Click();
    void Clearallchecks1Click();
    void Setallchecks1Click();
    void ClearALLKMAP1Click();
    void mnuPutRandomDataClick();
    void ImportFromKmpapGridClick();
    void ShowdatainKMAPGrid1Click();
    void InvertKmapdataClick();
    void ClearAll2Click();
    void mnuSimplifyKMAPGridClick();
    void mnuHiliteClick();
    void Timer1Timer();
    void mnuNewSimplifyClick();
    // Simplify on the zeros: the results window gets the sums of a product of sums.
    void mnuProductOfSumsClick();
    void mnuRandomdataClick();
    void mnuInvertBINdataClick();
    void SaveasBin1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void shwKMPClick();
    void TableToEditor();
    void inputgridClick();
    void inputgridDragDrop();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildLayout();
    void BuildMenus();
    void FormCreate();
    void ClearEditor();
    // TableToEditor's work, while the window is busy.
    void ConvertTableToRows();
    // Grows the editor so that the given number of terms fits below the title row.
    void EnsureTermRows(int terms);
    void WriteTerm(int row, const QString& term);
    // A function of n variables (3 at least in the windows) into the editor and on the map: the
    // terms, then the don't-care terms as "-" rows.
    void LoadFunctionRows(int n, const std::vector<std::string>& on,
                          const std::vector<std::string>& dc);
    // A new function from elsewhere: exports name its variables A to P again.
    void ForgetPlaNames();
    void ForgetPlaNote();
    void DrawHeaderStrips();
    void PaintHeaderStrips(QPainter& painter, const QPoint& origin) const;
    void PaintAxisLabels(QPainter& painter, const QPoint& origin) const;
    std::vector<QString> RowLabels() const;
    std::vector<QString> ColLabels() const;
    void MarkDontCares(const std::vector<std::string>& terms);
    void ShowDontCareNote(int count);
    void PlaceMapControls();
    void RunSimplify(TUnitForm form);
    void PaintMapPicture(QPainter& painter) const;
    void PaintPictureCells(QPainter& painter) const;
    int CurrentColumn() const;

    int FCursorPos = 1;
    int FLetterWidth = 7;
    TKmapLayout FLayout;
    int FCellWidth = 18;
    int FCellHeight = 18;
    std::vector<uint8_t> FHighlight;  // one flag per map cell, row-major
    QString FDontCareNote;            // what panel 1 shows about don't cares, if anything
    QString FPlaNote;                 // what panel 1 shows about a loaded PLA output, if anything
    bool FBusy = false;
    bool FPlaced = false;
    std::vector<std::string> FPlaInputNames;
    std::string FPlaOutputName = "F";
    int FPictureFilter = 1;  // the picture type chosen last: 1 PNG, 2 SVG
    std::mt19937 FRandom;
};

extern TfrmKmap* frmKmap;

// The shape a map grid has now: its rows and columns as variables, whichever count it was laid
// out for.
TKmapLayout GridLayout(const TStringGrid* grid);
