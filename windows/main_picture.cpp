// The K-map window's picture to keep: the map with its labels and groups, as PNG or SVG.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QScreen>
#include <QSvgGenerator>

#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"
#include "windows/main_groups.h"

namespace {

const char* const PictureFilter = "PNG picture|*.png|SVG picture|*.svg";
const char* const PictureExtensions[] = {"png", "svg"};

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
