// TfrmBooleanClac: the Boolean calculator, the application's main window.
#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <functional>
#include <string>

#include "engine/CalcOperations.h"
#include "model/SensitiveStr.h"
#include "windows/controls/StatusBar.h"
#include "windows/controls/StringGrid.h"

class QAction;
class QDrag;
class QMenu;
class QMimeData;
class QPainter;
class TfrmBooleanClac;

// A caption label or picture of the calculator: clicks, drags by tag, accepts drops.
class TCalcLabel : public QLabel {
  public:
    TCalcLabel(TfrmBooleanClac* form, const QString& caption, int tag, QWidget* parent);
    int tag() const { return FTag; }
    std::function<void()> onClick;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    TfrmBooleanClac* FForm;
    int FTag;
    QPoint FPressPos;
    bool FPressed = false;
};

// One of the six sum-of-products edits: input filter, focus on any click, drops.
class TCalcEdit : public QLineEdit {
  public:
    TCalcEdit(TfrmBooleanClac* form, const char* name, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    TfrmBooleanClac* FForm;
};

class TfrmBooleanClac : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmBooleanClac(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QLineEdit* edtXinput = nullptr;
    QLineEdit* edtYinput = nullptr;
    QLineEdit* edtZinput = nullptr;
    QLineEdit* edtB1input = nullptr;
    QLineEdit* edtB2input = nullptr;
    QLineEdit* edtOptimized = nullptr;
    TCalcLabel* lblX = nullptr;
    TCalcLabel* lblY = nullptr;
    TCalcLabel* lblZ = nullptr;
    TCalcLabel* lblB1 = nullptr;
    TCalcLabel* lblB2 = nullptr;
    TCalcLabel* lblOZ = nullptr;
    TCalcLabel* lblBooAnd = nullptr;
    TCalcLabel* lblboolOr = nullptr;
    TCalcLabel* lblNot = nullptr;
    TCalcLabel* lblboolxor = nullptr;
    TCalcLabel* Image2 = nullptr;
    TCalcLabel* Image3 = nullptr;
    TCalcLabel* Image4 = nullptr;
    TCalcLabel* Image5 = nullptr;
    TCalcLabel* Image6 = nullptr;
    QRadioButton* rbAND = nullptr;
    QRadioButton* rbOR = nullptr;
    QRadioButton* rbNOT = nullptr;
    QRadioButton* rbXOR = nullptr;
    QSpinBox* SpinEdit = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TStatusBar* StatusBar = nullptr;
    TGauge* Gauge = nullptr;
    TStringGrid* KmapGrid = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* mnuConversion = nullptr;
    // The long-lived sorted set that Z validation, the optimize commands and plotting reuse.
    TStringListAdv SharedList{true};

    // Text of the edit whose caption label started the current drag, or empty.
    QString dragSourceText() const;
    // Runs a started drag; tests put their own in place of the platform's drag loop.
    static std::function<Qt::DropAction(QDrag&)> DragRunner;
    // Mime type of the calculator's drags; the data is the source label's tag.
    static const char* const DragMimeType;

    // The edit named by a caption tag (100 X ... 600 OZ), or nullptr.
    QLineEdit* EditOfTag(int tag) const;
    // The one of the six edits that holds the window's focus, or nullptr.
    QLineEdit* FocusedEdit() const;
    // True while an operation runs; others are refused until it ends.
    bool Busy() const { return FBusy; }
    // Applies a variable count that waited for a running loop to end.
    void ApplyPendingVarCount();
    // The calculator's gauge and the event processing that keeps the window painted.
    TCalcFeedback CalcFeedback();

    // Input filter of the six edits: false swallows the key.
    bool EditKeyPress(QLineEdit* edit, QKeyEvent* event);
    void StartLabelDrag(TCalcLabel* label);
    bool AcceptsDrag(const QMimeData* data) const;
    void DropOnLabel(TCalcLabel* label, const QMimeData* data);
    void DropOnEdit(QLineEdit* edit, const QMimeData* data);
    void EditEntered(QLineEdit* edit);
    void ShowEditPopup(QLineEdit* edit, const QPoint& globalPos);

    void KmapGridDrawCell(QPainter& painter, int col, int row, const QRect& rect,
                          TGridDrawState state);
    void KmapGridMouseMove(QMouseEvent* event);
    // Draws the map as the saved picture: NC x (s + 1) by NR x (s + 1), marked cells grey.
    QImage KmapPicture() const;
    // The side of a map cell, for the grid and its picture alike.
    int KmapCellSize() const;

  public slots:
    void SpinEditChange();
    void edtXinputChange();
    void edtYinputChange();
    void edtZinputChange();
    void edtB1inputChange();

    void lblBooAndClick();
    void lblboolOrClick();
    void lblboolxorClick();
    void lblNotClick();
    void mnuInvertXClick();
    void mnuInvertYClick();
    void mnuInvertZClick();
    void Invert1Click();

    void Clear1Click();
    void GetfromClipboard1Click();
    void CopytoClipboard1Click();
    void Copyfrommaininput1Click();
    void Copyfromresultgrid1Click();
    void OptimizeSimplify1Click();
    void CopyZinputedittomainkmap1Click();
    void mnuCopyZtoKmapClick();
    void mnuOptimizeXClick();
    void mnuOptimizeYClick();
    void mnuOptimizeZClick();
    void mnuSaveKMAPimageClick();
    // A function as a textbook writes it into X, Y or Z, as a sum of products.
    void mnuEnterFunctionClick();
    void mnuXinputsyntaxClick();
    void mnuYinputsyntaxClick();
    void mnuZinputsyntaxClick();
    void Help1Click();
    void About1Click();
    void ShowKmap1Click();
    void mnuConversionClick();
    void Projects1Click();
    void Exit1Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls(QWidget* page);
    void CreateInputs(QWidget* page);
    void CreateOperations(QWidget* page);
    // The operation's radio buttons and the variable count.
    void CreateVarCount(QWidget* page);
    // The buffers B1 and B2 and the optimized Z, and what every edit does on a change.
    void CreateBuffers(QWidget* page);
    void CreateMap(QWidget* page);
    void CreateMenus();
    void ValidateInput(QLineEdit* edit);
    void ApplyResult(QLineEdit* target, const TCalcResult& result);
    // The string optimization of a text, its " Removed" count on panel 1.
    std::string Optimized(const std::string& text);
    void CountAndPlot(QLineEdit* edit);
    void AutoCalculate(QLineEdit* edit);
    void OptimizeEdit(QLineEdit* edit);
    void CopyZToKmap(bool simplify);
    // The terms of the rows given, their don't cares left out, as one sum in the focused edit.
    void CopyColumnToEdit(const QStringList& rows);
    void InvertEdit(QLineEdit* edit, bool reportEmpty);
    void SetXEnabled(bool enabled);
    void RunOr(bool byClick);
    void RunAnd();
    void RunXor();
    using TTwoInputOperation = TCalcResult (*)(std::string, std::string, int, const TCalcFeedback&);
    void RunTwoInputs(QRadioButton* button, TTwoInputOperation operation);
    void RunNot();
    void ComplementYIntoZ();
    // Marks an operation as running; false (with a notice) when one already runs.
    bool EnterOperation();
    void LeaveOperation();
    void SaveKmapJpeg(const QString& fileName);

    TCalcLabel* FDragSource = nullptr;
    bool FBusy = false;
    bool FVarCountPending = false;
};

extern TfrmBooleanClac* frmBooleanClac;

// Clears the grid and marks the minterms of every term of the text; reports on the calculator.
void PlotSumOfProducts(TStringGrid* grid, const QString& text);

// Sizes the calculator's map grid for n variables.
void LayoutCalcMap(int n);

// The calculator's own pictures: gate symbols and the XOR sign, drawn at the given size.
enum class TGatePicture { And, Or, Not, Xor, XorSign };
QPixmap GatePixmap(TGatePicture kind, QSize size);
