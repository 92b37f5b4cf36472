// The K-map window's picture to keep: the map with its labels and groups, as PNG or SVG.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QScreen>
#include <QSvgGenerator>

#include "model/KmapLayout.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"
#include "windows/main_groups.h"

namespace {

const char* const PictureFilter = "PNG picture|*.png|SVG picture|*.svg";
const char* const PictureExtensions[] = {"png", "svg"};
// Labels smaller than this are not read; rows and columns narrower share one label.
constexpr int MinLabelPitch = 7;
constexpr int MaxLabelPixels = 9;

// The code's bits, the first letter's first: 00011.
QString CodeText(int code, int bits) {
    return QString::number(code, 2).rightJustified(bits, '0');
}

QString AxisLetters(int first, int count) {
    QString letters;
    for (int k = first; k < first + count; ++k) {
        letters += QChar('A' + k);
    }
    return letters;
}

// Text in a box, its font made smaller where it would not fit the box's width.
void DrawFitted(QPainter& painter, const QRect& box, int pixels, Qt::Alignment align,
                const QString& text) {
    QFont font("Sans Serif");
    font.setPixelSize(std::max(pixels, 1));
    const int width = QFontMetrics(font).horizontalAdvance(text);
    if (width > box.width() && width > 0) {
        font.setPixelSize(std::max(1, pixels * box.width() / width));
    }
    painter.setFont(font);
    painter.drawText(box, align | Qt::TextSingleLine, text);
}

// Every step-th place gets a label: a power of two, so the labelled codes keep a pattern.
int LabelStep(int pitch) {
    int step = 1;
    while (step * std::max(pitch, 1) < MinLabelPitch) {
        step *= 2;
    }
    return step;
}

}  // namespace

QRect TfrmKmap::mapPictureArea() const {
    const QRect strips = ImageRow->geometry().united(ImageCol->geometry());
    return strips.united(KmapGrid->geometry());
}

// The strips and the grid with the groups over it as the window paints them, the map's corner
// and margins in the window's colour. The labels are drawn again rather than copied, so they are
// sharp at any scale and stay text in an SVG. The groups are drawn from their shapes, every one
// alike: the results row under the mouse or selected is no part of the picture.
void TfrmKmap::PaintMapPicture(QPainter& painter) const {
    const QRect area = mapPictureArea();
    painter.fillRect(QRect(QPoint(0, 0), area.size()), palette().window());
    PaintHeaderStrips(painter, area.topLeft());
    const QPoint grid = KmapGrid->pos() - area.topLeft();
    const QRect viewport = KmapGrid->viewport()->geometry();
    const bool groupsShown = !Groups->isHidden();
    Groups->hide();
    if (KmapGrid->gridLineWidth() > 0) {
        KmapGrid->render(&painter, grid);
    } else {
        KmapGrid->render(&painter, grid, QRegion(KmapGrid->rect()) - viewport);
        painter.save();
        painter.translate(grid + viewport.topLeft());
        PaintPictureCells(painter);
        painter.restore();
    }
    Groups->setVisible(groupsShown);
    painter.save();
    painter.translate(grid + viewport.topLeft());
    Groups->paintGroups(painter, -1);
    painter.restore();
}

// The cells of a map without grid lines, in the viewport's coordinates: the ON cells as one
// shape of row runs rather than a shape each, which would make an SVG of thousands of cells
// megabytes long. Don't cares and highlights are few; the grid draws them.
void TfrmKmap::PaintPictureCells(QPainter& painter) const {
    painter.fillRect(KmapGrid->viewport()->rect(), KmapGrid->palette().base());
    const int rows = KmapGrid->rowCountValue();
    const int cols = KmapGrid->colCountValue();
    if (rows == 0 || cols == 0) {
        return;
    }
    painter.fillRect(KmapGrid->cellRect(0, 0).united(KmapGrid->cellRect(cols - 1, rows - 1)),
                     Qt::white);
    QPainterPath on;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols;) {
            if (!KmapGrid->cell(c, r).startsWith('x')) {
                ++c;
                continue;
            }
            const int start = c;
            while (c < cols && KmapGrid->cell(c, r).startsWith('x')) {
                ++c;
            }
            on.addRect(KmapGrid->cellRect(start, r).united(KmapGrid->cellRect(c - 1, r)));
        }
    }
    painter.fillPath(on, Qt::black);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QString text = KmapGrid->cell(c, r);
            if ((!text.startsWith('x') && !text.trimmed().isEmpty()) || isHighlighted(c, r)) {
                KmapGrid->drawCell(painter, c, r, KmapGrid->cellRect(c, r), TGridDrawState{});
            }
        }
    }
}

// Above 8 variables the window's strips stay plain, their cells too small for letters. The
// picture is read on its own, so it names the axes' variables in its corner, split by a diagonal
// as on paper, and each row's and column's Gray code along the strips, where the cells are too
// small for that at every second, fourth, ... one, marked by a tick at its edge.
void TfrmKmap::PaintAxisLabels(QPainter& painter, const QPoint& origin) const {
    const QRect rowStrip = ImageRow->geometry().translated(-origin);
    const QRect colStrip = ImageCol->geometry().translated(-origin);
    const QPoint cells = KmapGrid->pos() + KmapGrid->viewport()->pos() - origin;
    const QRect corner(QPoint(rowStrip.left(), colStrip.top()),
                       QPoint(colStrip.left() - 1, rowStrip.top() - 1));
    painter.save();
    painter.setPen(Qt::black);
    painter.drawLine(corner.topLeft(), corner.bottomRight());
    const QRect inside = corner.adjusted(2, 1, -2, -1);
    DrawFitted(painter, inside, MaxLabelPixels, Qt::AlignLeft | Qt::AlignBottom,
               AxisLetters(0, FLayout.RowVars));
    DrawFitted(painter, inside, MaxLabelPixels, Qt::AlignRight | Qt::AlignTop,
               AxisLetters(FLayout.RowVars, FLayout.ColVars));

    const int rowPitch = KmapGrid->rowHeight(0);
    const int rowStep = LabelStep(rowPitch);
    const int rowPixels = std::min(MaxLabelPixels, rowStep * rowPitch - 1);
    for (int r = 0; r < FLayout.Rows(); r += rowStep) {
        const int top = KmapGrid->cellRect(0, r).translated(cells).top();
        if (rowStep > 1) {
            painter.drawLine(rowStrip.right() - 2, top, rowStrip.right(), top);
        }
        DrawFitted(painter, QRect(rowStrip.left() + 2, top, rowStrip.width() - 6, rowPixels + 2),
                   rowPixels, Qt::AlignRight | Qt::AlignTop, CodeText(Gray(r), FLayout.RowVars));
    }
    // The column codes read upwards from the strip's bottom edge, as the window's labels do.
    painter.translate(colStrip.left(), colStrip.bottom() + 1);
    painter.rotate(-90);
    const int colPitch = KmapGrid->columnWidth(0);
    const int colStep = LabelStep(colPitch);
    const int colPixels = std::min(MaxLabelPixels, colStep * colPitch - 1);
    for (int c = 0; c < FLayout.Cols(); c += colStep) {
        const int left = KmapGrid->cellRect(c, 0).translated(cells).left() - colStrip.left();
        if (colStep > 1) {
            painter.drawLine(0, left, 2, left);
        }
        DrawFitted(painter, QRect(4, left, colStrip.height() - 6, colPixels + 2), colPixels,
                   Qt::AlignLeft | Qt::AlignTop, CodeText(Gray(c), FLayout.ColVars));
    }
    painter.restore();
}

QByteArray TfrmKmap::MapPicturePng() const {
    const qreal scale = 2 * (screen() != nullptr ? screen()->devicePixelRatio() : 1.0);
    const QSize size = mapPictureArea().size();
    QImage picture(size * scale, QImage::Format_RGB32);
    picture.setDevicePixelRatio(scale);
    QPainter painter(&picture);
    PaintMapPicture(painter);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray TfrmKmap::MapPictureSvg() const {
    const QSize size = mapPictureArea().size();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("Karnaugh map");
    QPainter painter(&svg);
    PaintMapPicture(painter);
    painter.end();
    // The generator gives the size in millimetres, which viewers turn into pixels at differing
    // resolutions; the picture is as many pixels as the window shows.
    static const QRegularExpression mm(R"(width="[0-9.]+mm" height="[0-9.]+mm")");
    const QString pixels =
        QString(R"(width="%1" height="%2")").arg(size.width()).arg(size.height());
    const qsizetype head = bytes.indexOf('>', bytes.indexOf("<svg"));
    QString opening = QString::fromUtf8(bytes.left(head));
    opening.replace(mm, pixels);
    return opening.toUtf8() + bytes.mid(head);
}

void TfrmKmap::mnuSaveMapPictureClick() {
    const TFileDialogRequest request{.Title = "Save map picture",
                                     .Filter = PictureFilter,
                                     .FilterIndex = FPictureFilter,
                                     .DefaultExt = PictureExtensions[FPictureFilter - 1],
                                     .FileName = "KMAP",
                                     .Directory = QDir::homePath(),
                                     .SuffixFollowsFilter = true};
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted || chosen.FileName.isEmpty()) {
        return;
    }
    FPictureFilter = std::clamp(chosen.FilterIndex, 1, 2);
    // A name that says which kind it wants gets that kind, whatever the filter.
    const QString suffix = QFileInfo(chosen.FileName).suffix().toLower();
    const bool svg = suffix == "svg" || (suffix != "png" && FPictureFilter == 2);
    SaveMapPicture(chosen.FileName, svg);
}

void TfrmKmap::SaveMapPicture(const QString& fileName, bool svg) {
    if (SaveWholeFile(fileName, svg ? MapPictureSvg() : MapPicturePng())) {
        ShowMessage("Map picture was saved");
    }
}
