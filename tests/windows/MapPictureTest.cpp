// The K-map window's picture: PNG at twice the scale, SVG read back, both what the window shows.
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "ResultsTestSupport.h"
#include "windows/main_groups.h"

namespace {

struct PictureCase {
    const char* name;
    int vars;
    QString file;
    int filter;
    bool svg;
};

class MapPicture : public ResultsTest, public testing::WithParamInterface<PictureCase> {
  protected:
    void TearDown() override {
        frmKmap->hide();
        ResultsTest::TearDown();
    }
    QTemporaryDir dir;
};

// The window's own paint of the picture's area: strips and grid where the window has them.
QImage WindowShot() {
    const QRect area = frmKmap->mapPictureArea();
    return frmKmap->MapBox->widget()->grab(area).toImage();
}

TEST_P(MapPicture, SavesWhatTheWindowShowsWithItsGroups) {
    const PictureCase& c = GetParam();
    SetVars(c.vars);
    ShowTerms({"ab", "Bd"});
    W->btnShowGroupsClick();
    G->setRow(2);  // drawn bolder in the window, alike in the picture
    QApplication::processEvents();
    const QString path = dir.filePath(c.file);
    prompter.fileAnswers.push_back(TFileDialogResult{true, path, c.filter});
    Trigger(frmKmap, "Save map picture…");
    EXPECT_EQ(prompter.messages, QStringList{"Map picture was saved"});
    ASSERT_FALSE(prompter.fileRequests.empty());
    EXPECT_EQ(prompter.fileRequests.back().Filter, "PNG picture|*.png|SVG picture|*.svg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QSize size = frmKmap->mapPictureArea().size();

    QImage picture;
    if (c.svg) {
        EXPECT_LT(bytes.size(), 1'000'000);
        QSvgRenderer svg(bytes);
        ASSERT_TRUE(svg.isValid());
        EXPECT_EQ(svg.defaultSize(), size);
        const QColor first = frmKmap->Groups->groups()[0].Colour;
        EXPECT_TRUE(bytes.contains(first.name().toLatin1())) << first.name().toStdString();
        picture = QImage(size, QImage::Format_RGB32);
        QPainter painter(&picture);
        svg.render(&painter);
    } else {
        picture = QImage::fromData(bytes, "PNG");
        ASSERT_EQ(picture.size(), size * 2);
        picture = picture.scaled(size);
    }
    // Every cell's middle as the window paints it: black, white, or a group's tint.
    frmKmap->Groups->setSelected(-1);
    const QImage shown = WindowShot();
    const QPoint offset = frmKmap->KmapGrid->geometry().topLeft() -
                          frmKmap->mapPictureArea().topLeft() +
                          frmKmap->KmapGrid->viewport()->pos();
    TStringGrid* map = frmKmap->KmapGrid;
    // No group reaches past the cells, over the labels.
    const QRect cells =
        map->cellRect(0, 0)
            .united(map->cellRect(map->colCountValue() - 1, map->rowCountValue() - 1))
            .translated(offset);
    for (const TMapGroup& group : frmKmap->Groups->groups()) {
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                ASSERT_FALSE(QColor(picture.pixel(x, y)) == group.Colour && !cells.contains(x, y))
                    << x << "," << y;
            }
        }
    }
    for (int r = 0; r < map->rowCountValue(); r += std::max(1, map->rowCountValue() / 8)) {
        for (int col = 0; col < map->colCountValue();
             col += std::max(1, map->colCountValue() / 8)) {
            const QPoint at = map->cellRect(col, r).center() + offset;
            const QColor want(shown.pixel(at));
            const QColor got(picture.pixel(at));
            EXPECT_LE(std::abs(want.red() - got.red()) + std::abs(want.green() - got.green()) +
                          std::abs(want.blue() - got.blue()),
                      24)
                << r << "," << col;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, MapPicture,
                         testing::Values(PictureCase{"Png4Vars", 4, "map.png", 1, false},
                                         PictureCase{"Svg4Vars", 4, "map.svg", 2, true},
                                         PictureCase{"SvgNamedUnderPngFilter", 4, "m.svg", 1, true},
                                         PictureCase{"Png10Vars", 10, "big.png", 1, false},
                                         PictureCase{"Svg12Vars", 12, "big.svg", 2, true}),
                         [](const testing::TestParamInfo<PictureCase>& info) {
                             return info.param.name;
                         });

using MapAxisLabels = ResultsTest;

// Above 8 variables the picture names the axes' variables and each row's and column's Gray code.
TEST_F(MapAxisLabels, PictureOfTenVariablesNamesItsAxes) {
    SetVars(10);
    const QByteArray svg = frmKmap->MapPictureSvg();
    for (const char* label : {">ABCDE<", ">FGHIJ<", ">00011<", ">10000<"}) {
        EXPECT_TRUE(svg.contains(label)) << label;
    }
}

}  // namespace
