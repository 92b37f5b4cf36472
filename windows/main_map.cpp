// The Karnaugh map: layout with its header strips, cells, plotting, import, highlighting.
#include <QMouseEvent>
#include <QPainter>
#include <chrono>

#include "model/KmapLayout.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "model/Terms.h"
#include "model/TextLines.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"
#include "windows/controls/Colours.h"
#include "windows/controls/Prompter.h"
#include "windows/main.h"
#include "windows/main_groups.h"
#include "windows/main_shared.h"

namespace {

// Below this a cell can no longer be seen or hit with the mouse.
constexpr int MinCellSize = 3;
// A don't-care cell: grey with a dash where the cell has room for one, plain grey below.
const QString DontCareCell = QString(QChar(DontCareMark));
const QColor DontCareGrey(176, 176, 176);
const QColor DontCareSmallGrey(128, 128, 128);
const QColor DontCareDash(64, 64, 64);

bool IsDontCareCell(const QString& text) {
    return text == DontCareCell;
}

void DrawDontCareCell(QPainter& painter, const QRect& rect) {
    if (rect.width() < 7 || rect.height() < 5) {
        painter.fillRect(rect, DontCareSmallGrey);
        return;
    }
    painter.fillRect(rect, DontCareGrey);
    const int margin = rect.width() / 4;
    const int thickness = rect.height() >= 12 ? 2 : 1;
    const QRect dash(rect.left() + margin, rect.top() + (rect.height() - thickness) / 2,
                     rect.width() - 2 * margin, thickness);
    painter.fillRect(dash, DontCareDash);
}

QFont HeaderFont() {
    QFont font("Sans Serif");
    font.setPixelSize(11);
    return font;
}

// Draws labels one below the other, capitals with a bar over the letters that are LO.
void DrawLabels(QPainter& painter, const std::vector<QString>& labels, int pitch,
                const QColor& stripColour) {
    painter.setFont(HeaderFont());
    const QFontMetrics metrics(painter.font());
    for (size_t i = 0; i < labels.size(); ++i) {
        const int y = pitch * static_cast<int>(i) + 2;
        int x = 3;
        for (const QChar letter : labels[i]) {
            const QString capital(letter.toUpper());
            const int w = metrics.horizontalAdvance(capital);
            painter.setPen(Qt::black);
            painter.drawText(QRect(x, y, w + 2, metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                             capital);
            painter.setPen(letter.isLower() ? QColor(Qt::black) : stripColour);
            painter.drawLine(x, y, x + w, y);
            x += w + 1;
        }
    }
}

void DrawLabels(QImage& picture, const std::vector<QString>& labels, int pitch,
                const QColor& stripColour) {
    QPainter painter(&picture);
    DrawLabels(painter, labels, pitch, stripColour);
}

void FillCells(TStringGrid* grid, const QString& text) {
    grid->beginUpdate();
    for (int r = 0; r < grid->rowCountValue(); ++r) {
        for (int c = 0; c < grid->colCountValue(); ++c) {
            grid->setCell(c, r, text);
        }
    }
    grid->endUpdate();
}

int Log2(int count) {
    int bits = 0;
    while ((1 << bits) < count) {
        ++bits;
    }
    return bits;
}

}  // namespace

TKmapLayout GridLayout(const TStringGrid* grid) {
    return TKmapLayout{Log2(grid->rowCountValue()), Log2(grid->colCountValue())};
}

QString TfrmKmap::rowLabel(int row) const {
    return row >= 0 && row < FLayout.Rows() ? FromLatin(RowLabel(FLayout, row)) : QString();
}

QString TfrmKmap::colLabel(int col) const {
    return col >= 0 && col < FLayout.Cols() ? FromLatin(ColLabel(FLayout, col)) : QString();
}

QString TfrmKmap::cellTerm(int col, int row) const {
    return CutText(rowLabel(row) + colLabel(col));
}

bool TfrmKmap::isHighlighted(int col, int row) const {
    const int cols = KmapGrid->colCountValue();
    const size_t at =
        static_cast<size_t>(row) * static_cast<size_t>(cols) + static_cast<size_t>(col);
    return col >= 0 && row >= 0 && col < cols && at < FHighlight.size() && FHighlight[at] != 0;
}

void TfrmKmap::shwKMPClick() {
    inputgrid->setCol(1);
    const int n = ProgramState.VarCount;
    FLayout = KmapLayout(n);
    const int rows = FLayout.Rows();
    const int cols = FLayout.Cols();
    int line = 1;
    FCellWidth = 18;
    FCellHeight = 18;
    if (n > 8) {
        line = 0;
        FCellWidth = (MapRefWidth - cols) / cols;
        FCellHeight = (MapRefHeight - rows) / rows;
        if (n >= 15) {
            FCellWidth = std::max(FCellWidth, MinCellSize);
            FCellHeight = std::max(FCellHeight, MinCellSize);
        }
    }
    Timer1->stop();
    KmapGrid->setGridLineWidth(line);
    KmapGrid->setDefaultRowHeight(FCellHeight + line);
    KmapGrid->setDefaultColWidth(FCellWidth + line);
    KmapGrid->setColCount(cols);
    KmapGrid->setRowCount(rows);
    KmapGrid->setDefaultColWidth(FCellWidth + line);
    FillCells(KmapGrid, QString());
    FHighlight.assign(static_cast<size_t>(rows) * static_cast<size_t>(cols), 0);
    KmapGrid->setFixedSize((FCellWidth + 1) * cols + 10, (FCellHeight + 1) * rows + 10);
    KmapGrid->viewport()->update();

    ImageCol->resize(KmapGrid->width(), ImageCol->height());
    ImageRow->resize(ImageRow->width(), KmapGrid->height());
    DrawHeaderStrips();
    PlaceMapControls();
    ForgetPlaNote();  // the output read was of the count before
}

std::vector<QString> TfrmKmap::RowLabels() const {
    std::vector<QString> labels;
    for (int r = 0; r < FLayout.Rows(); ++r) {
        labels.push_back(rowLabel(r));
    }
    return labels;
}

std::vector<QString> TfrmKmap::ColLabels() const {
    std::vector<QString> labels;
    for (int c = 0; c < FLayout.Cols(); ++c) {
        labels.push_back(colLabel(c));
    }
    return labels;
}

void TfrmKmap::DrawHeaderStrips() {
    ImageRow->clear(Aqua);
    ImageCol->clear(Yellow);
    if (ProgramState.VarCount > 8) {
        return;
    }
    DrawLabels(ImageRow->picture(), RowLabels(), FCellHeight + 1, Aqua);
    ImageRow->update();
    // The column labels are drawn lying down and turned a quarter counter-clockwise, so
    // each reads upwards from the strip's bottom edge.
    const int stripWidth = ImageCol->picture().width();
    const int stripHeight = ImageCol->picture().height();
    QImage lying(stripHeight, stripWidth, QImage::Format_RGB32);
    lying.fill(Yellow);
    DrawLabels(lying, ColLabels(), FCellWidth + 1, Yellow);
    QImage& strip = ImageCol->picture();
    for (int y = 0; y < lying.height(); ++y) {
        for (int x = 0; x < lying.width(); ++x) {
            const int sy = stripHeight - x;
            if (y < stripWidth && sy >= 0 && sy < stripHeight) {
                strip.setPixel(y, sy, lying.pixel(x, y));
            }
        }
    }
    ImageCol->update();
}

// The strips drawn afresh in the painter's own resolution, the column labels turned as above.
void TfrmKmap::PaintHeaderStrips(QPainter& painter, const QPoint& origin) const {
    const QRect rowStrip = ImageRow->geometry().translated(-origin);
    const QRect colStrip = ImageCol->geometry().translated(-origin);
    painter.fillRect(rowStrip, Aqua);
    painter.fillRect(colStrip, Yellow);
    if (ProgramState.VarCount > 8) {
        PaintAxisLabels(painter, origin);
        return;
    }
    painter.save();
    painter.setClipRect(rowStrip);
    painter.translate(rowStrip.topLeft());
    DrawLabels(painter, RowLabels(), FCellHeight + 1, Aqua);
    painter.restore();
    painter.save();
    painter.setClipRect(colStrip);
    painter.translate(colStrip.left(), colStrip.top() + colStrip.height() + 1);
    painter.rotate(-90);
    DrawLabels(painter, ColLabels(), FCellWidth + 1, Yellow);
    painter.restore();
}

void TfrmKmap::PlaceMapControls() {
    QWidget* canvas = MapBox->widget();
    const int right = std::max(KmapGrid->geometry().right(), Label3->geometry().right());
    const int bottom = std::max(KmapGrid->geometry().bottom(), ImageRow->geometry().bottom());
    canvas->resize(right + 8, bottom + 8);
}

void TfrmKmap::KmapGridDrawCell(QPainter& painter, int col, int row, const QRect& rect,
                                TGridDrawState) {
    painter.fillRect(rect, Qt::white);
    const QString text = KmapGrid->cell(col, row);
    if (text.startsWith('x')) {
        painter.fillRect(rect, Qt::black);
    } else if (IsDontCareCell(text)) {
        DrawDontCareCell(painter, rect);
    }
    if (isHighlighted(col, row)) {
        painter.fillRect(rect, Yellow);
    }
}

void TfrmKmap::KmapGridMouseDown(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    int col = -1;
    int row = -1;
    if (!KmapGrid->mouseToCell(event->position().toPoint(), col, row)) {
        return;
    }
    const QString text = KmapGrid->cell(col, row);
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        KmapGrid->setCell(col, row, IsDontCareCell(text) ? QString() : DontCareCell);
        return;
    }
    KmapGrid->setCell(col, row, text == "x" ? QString() : "x");
}

void TfrmKmap::KmapGridMouseMove(QMouseEvent* event) {
    int col = -1;
    int row = -1;
    const bool inCell = KmapGrid->mouseToCell(event->position().toPoint(), col, row);
    StatusBar->setPanelText(3, inCell ? cellStatus(col, row) : QString());
}

QString TfrmKmap::cellStatus(int col, int row) const {
    QString name = cellTerm(col, row);
    if (IsDontCareCell(KmapGrid->cell(col, row))) {
        name += " (don't care)";
    }
    return name + Groups->namesAt(TMapCell{row, col});
}

void TfrmKmap::ImportFromKmpapGridClick() {
    if (CommandLoopRunning()) {
        return;
    }
    ClearEditor();
    QStringList terms;
    QStringList dontCares;
    for (int r = 0; r < KmapGrid->rowCountValue(); ++r) {
        for (int c = 0; c < KmapGrid->colCountValue(); ++c) {
            const QString text = KmapGrid->cell(c, r);
            if (text == "x") {
                terms << cellTerm(c, r);
            } else if (IsDontCareCell(text)) {
                dontCares << JoinRowText(true, cellTerm(c, r));
            }
        }
    }
    const qsizetype onCount = terms.size();
    terms << dontCares;
    // A full 16-variable map holds more terms than the editor has rows: it grows.
    setEditorRows(terms);
    KmapGrid->setRow(1);
    QString report = QString::number(onCount) + " Terms were imported";
    if (!dontCares.isEmpty()) {
        report += ", " + QString::number(dontCares.size()) + " don't cares";
    }
    StatusBar->setPanelText(1, report);
}

void TfrmKmap::ShowdatainKMAPGrid1Click() {
    if (CommandLoopRunning()) {
        return;
    }
    std::vector<std::string> accepted;
    std::vector<std::string> dontCares;
    QString text;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        const TRowText rowText = SplitRowText(inputgrid->cell(2, row));
        const QString cellText = RowTerm(rowText);
        if (cellText.isEmpty()) {
            continue;
        }
        std::string term = ToLatin(cellText);
        if (CheckTerm(term) != TermValid) {
            ShowMessage("Boolean string " + JoinRowText(rowText.DontCare, FromLatin(term)) +
                        " is invalid");
            return;
        }
        if (rowText.DontCare) {
            dontCares.push_back(term);
            continue;
        }
        text += FromLatin(term) + "+";
        accepted.push_back(term);
    }
    ClearTruthTable();
    for (const std::string& term : accepted) {
        AddTermToTable(term);
    }
    PlotSumOfProducts(KmapGrid, text);
    MarkDontCares(dontCares);
}

// Don't-care terms of the editor become grey cells where the plot left a cell off; the
// program's don't-care set follows, as the truth table follows the plain terms.
void TfrmKmap::MarkDontCares(const std::vector<std::string>& terms) {
    ProgramState.DontCare.fill(0);
    if (KmapGrid->colCountValue() == 0) {
        return;
    }
    const TKmapLayout layout = GridLayout(KmapGrid);
    KmapGrid->beginUpdate();
    for (const std::string& term : terms) {
        ForEachCubeMinterm(TermMasks(term), ProgramState.HighMinterm, [&](uint32_t m) {
            const TMapCell cell = MintermCell(layout, m);
            if (KmapGrid->cell(cell.Col, cell.Row) != "x") {
                ProgramState.DontCare[m] = 1;
                KmapGrid->setCell(cell.Col, cell.Row, DontCareCell);
            }
            return true;
        });
    }
    KmapGrid->endUpdate();
}

void TfrmKmap::InvertKmapdataClick() {
    KmapGrid->beginUpdate();
    for (int r = 0; r < KmapGrid->rowCountValue(); ++r) {
        for (int c = 0; c < KmapGrid->colCountValue(); ++c) {
            const QString text = KmapGrid->cell(c, r);
            if (!IsDontCareCell(text)) {
                KmapGrid->setCell(c, r, text == "x" ? " " : "x");
            }
        }
    }
    KmapGrid->endUpdate();
}

void TfrmKmap::ClearAll2Click() {
    FillCells(KmapGrid, " ");
}

void TfrmKmap::mnuSimplifyKMAPGridClick() {
    if (CommandLoopRunning()) {
        return;
    }
    ImportFromKmpapGridClick();
    mnuNewSimplifyClick();
}

void TfrmKmap::mnuPutRandomDataClick() {
    FRandom.seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    std::bernoulli_distribution coin(0.5);
    KmapGrid->beginUpdate();
    for (int r = 0; r < std::min(8, KmapGrid->rowCountValue()); ++r) {
        for (int c = 0; c < std::min(8, KmapGrid->colCountValue()); ++c) {
            KmapGrid->setCell(c, r, coin(FRandom) ? "x" : " ");
        }
    }
    KmapGrid->endUpdate();
}

void TfrmKmap::mnuHiliteClick() {
    bool anyChecked = false;
    for (int row = 1; row < inputgrid->rowCountValue(); ++row) {
        if (inputgrid->cell(1, row) != "x") {
            continue;
        }
        anyChecked = true;
        const TRowText rowText = SplitRowText(inputgrid->cell(2, row));
        const QString term = CutText(rowText.Body);
        if (!term.isEmpty()) {
            HiliteTerm(term);
        }
    }
    if (!anyChecked) {
        ShowMessage("You must check mark the terms you want to be hilighted");
    }
}

void TfrmKmap::HiliteTerm(const QString& term) {
    const TCube masks = TermMasks(ToLatin(TrimmedTerm(term)));
    const int rows = KmapGrid->rowCountValue();
    const int cols = KmapGrid->colCountValue();
    if (FHighlight.size() != static_cast<size_t>(rows) * static_cast<size_t>(cols)) {
        FHighlight.assign(static_cast<size_t>(rows) * static_cast<size_t>(cols), 0);
    }
    ForEachCubeMinterm(masks, ProgramState.HighMinterm, [&](uint32_t m) {
        const TMapCell cell = MintermCell(FLayout, m);
        if (cell.Row < rows && cell.Col < cols) {
            FHighlight[static_cast<size_t>(cell.Row) * static_cast<size_t>(cols) +
                       static_cast<size_t>(cell.Col)] = 1;
        }
        return true;
    });
    KmapGrid->viewport()->update();
    if (!Timer1->isActive()) {
        Timer1->start();
    }
}

void TfrmKmap::Timer1Timer() {
    std::fill(FHighlight.begin(), FHighlight.end(), 0);
    KmapGrid->viewport()->update();
    Timer1->stop();
}

void TfrmKmap::ShowGroups(const TMintermBits& on, const TMintermBits& dontCare,
                          std::vector<TMapGroup> groups) {
    if (FLayout.VarCount() != ProgramState.VarCount) {
        shwKMPClick();
    }
    KmapGrid->beginUpdate();
    for (int r = 0; r < KmapGrid->rowCountValue(); ++r) {
        for (int c = 0; c < KmapGrid->colCountValue(); ++c) {
            const uint32_t m = CellMinterm(FLayout, TMapCell{r, c});
            const QString text = TestMinterm(on, m)         ? QString("x")
                                 : TestMinterm(dontCare, m) ? DontCareCell
                                                            : QString();
            KmapGrid->setCell(c, r, text);
        }
    }
    KmapGrid->endUpdate();
    Groups->setGroups(FLayout, std::move(groups));
}
