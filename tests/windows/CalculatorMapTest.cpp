// The calculator's map: cell painting, the cell name under the mouse, the saved JPEG picture.
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "CalculatorSupport.h"

namespace {

// The map as the layout makes it for n variables, whichever window did the layout.
void ShapeMap(TfrmBooleanClac* calc, int n) {
    calc->SpinEdit->setValue(n);
    calc->SpinEditChange();
    calc->KmapGrid->setRowCount(1 << (n / 2));
    calc->KmapGrid->setColCount(1 << (n - n / 2));
    calc->KmapGrid->clearCells();
}

struct TDecoded {
    bool Ok = false;
    int Width = 0;
    int Height = 0;
    int Components = 0;
    std::vector<unsigned char> Pixels;
    int At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x) * Components]; }
};

TDecoded Decode(const QString& fileName) {
    TDecoded decoded;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return decoded;
    }
    QByteArray bytes = file.readAll();
    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return decoded;
    }
    jpeg_start_decompress(&info);
    decoded.Width = static_cast<int>(info.output_width);
    decoded.Height = static_cast<int>(info.output_height);
    decoded.Components = info.output_components;
    decoded.Pixels.resize(static_cast<size_t>(decoded.Width) * decoded.Height * decoded.Components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.Pixels.data() + static_cast<size_t>(info.output_scanline) *
                                                   decoded.Width * decoded.Components;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    decoded.Ok = true;
    return decoded;
}

}  // namespace

class CalculatorMap : public CalculatorTest {
  protected:
    void SaveAs(const QString& fileName) {
        TFileDialogResult answer;
        answer.Accepted = true;
        answer.FileName = fileName;
        prompter.fileAnswers.push_back(answer);
        Trigger(Calc, "Save KMAP image(JPG)");
    }

    // Grey level at the centre of a cell of the saved picture.
    static int CellCentre(const TDecoded& picture, int col, int row, int s) {
        return picture.At((s + 1) * col + s / 2, (s + 1) * row + s / 2);
    }

    QTemporaryDir dir;
};

TEST_F(CalculatorMap, CellsPaintBlackWhenTheirTextStartsWithX) {
    ShapeMap(Calc, 4);
    const QString texts[] = {"x", "", " ", "xx"};
    const QColor expected[] = {Qt::black, Qt::white, Qt::white, Qt::black};
    for (int i = 0; i < 4; ++i) {
        Calc->KmapGrid->setCell(i, 0, texts[i]);
        QImage canvas(10, 10, QImage::Format_RGB32);
        canvas.fill(Qt::red);
        QPainter painter(&canvas);
        Calc->KmapGridDrawCell(painter, i, 0, QRect(0, 0, 10, 10), {});
        painter.end();
        EXPECT_EQ(QColor(canvas.pixel(5, 5)), expected[i]) << i;
    }
}

struct MouseRow {
    const char* name;
    int n;
    int col;
    int row;
    const char* expected;
};

void PrintTo(const MouseRow& row, std::ostream* out) {
    *out << row.name;
}

class CalculatorMouse : public CalculatorMap, public testing::WithParamInterface<MouseRow> {};

TEST_P(CalculatorMouse, CellNameOnMessagePanel) {
    const MouseRow& row = GetParam();
    ShapeMap(Calc, row.n);
    Calc->KmapGrid->setDefaultColWidth(18);
    Calc->KmapGrid->setDefaultRowHeight(18);
    Calc->StatusBar->setPanelText(2, "old");
    const QPoint at =
        row.col < Calc->KmapGrid->colCountValue() && row.row < Calc->KmapGrid->rowCountValue()
            ? Calc->KmapGrid->cellRect(row.col, row.row).center()
            : QPoint(18 * row.col + 5, 18 * row.row + 5);
    QMouseEvent move(QEvent::MouseMove, at, Calc->KmapGrid->viewport()->mapToGlobal(at),
                     Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(Calc->KmapGrid->viewport(), &move);
    EXPECT_EQ(Panel(2), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Cells, CalculatorMouse,
                         testing::Values(MouseRow{"FourVarsGrayOrder", 4, 2, 3, "AbCD"},
                                         MouseRow{"FourVarsTopLeft", 4, 0, 0, "abcd"},
                                         MouseRow{"SixVars", 6, 7, 5, "ABCDef"},
                                         MouseRow{"SevenVarsMoreColumns", 7, 15, 0, "abcDefg"},
                                         MouseRow{"RightOfLastColumn", 4, 4, 1, ""},
                                         MouseRow{"BelowLastRow", 4, 1, 4, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorMap, SavedPictureHoldsEveryCellAndMarksThemGrey) {
    ShapeMap(Calc, 6);
    Calc->KmapGrid->setCell(0, 0, "x");
    Calc->KmapGrid->setCell(7, 7, "x");
    Calc->KmapGrid->setCell(3, 5, "x ");  // not exactly "x": not marked in the picture
    const QString name = dir.filePath("map.jpg");
    SaveAs(name);
    EXPECT_EQ(prompter.messages, QStringList({"KMAP image was saved"}));
    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(prompter.fileRequests[0].Filter, "JPEG Files|*.JPG");
    EXPECT_EQ(prompter.fileRequests[0].DefaultExt, "JPG");
    EXPECT_EQ(prompter.fileRequests[0].FileName, "KMAP");
    const TDecoded picture = Decode(name);
    ASSERT_TRUE(picture.Ok);
    EXPECT_EQ(picture.Width, 8 * 18);
    EXPECT_EQ(picture.Height, 8 * 18);
    EXPECT_EQ(picture.Components, 1);
    EXPECT_NEAR(CellCentre(picture, 0, 0, 17), 0x80, 12);
    EXPECT_NEAR(CellCentre(picture, 7, 7, 17), 0x80, 12);
    EXPECT_NEAR(CellCentre(picture, 3, 5, 17), 0xFF, 12);
    EXPECT_NEAR(CellCentre(picture, 4, 4, 17), 0xFF, 12);
    EXPECT_LT(picture.At(18 * 7 + 8, 18 * 7), 60);  // the ellipse's black outline
}

TEST_F(CalculatorMap, WideMapFitsWholeWithSmallCells) {
    ShapeMap(Calc, 13);  // 64 x 128 cells of 10 pixels
    Calc->KmapGrid->setCell(127, 63, "x");
    const QString name = dir.filePath("wide.jpg");
    SaveAs(name);
    const TDecoded picture = Decode(name);
    ASSERT_TRUE(picture.Ok);
    EXPECT_EQ(picture.Width, 128 * 11);
    EXPECT_EQ(picture.Height, 64 * 11);
    EXPECT_NEAR(CellCentre(picture, 127, 63, 10), 0x80, 12);
}

TEST_F(CalculatorMap, EmptyMapIsPlainWhite) {
    ShapeMap(Calc, 3);
    const QString name = dir.filePath("white.jpg");
    SaveAs(name);
    const TDecoded picture = Decode(name);
    ASSERT_TRUE(picture.Ok);
    EXPECT_EQ(picture.Width, 4 * 18);
    EXPECT_EQ(picture.Height, 2 * 18);
    for (unsigned char grey : picture.Pixels) {
        ASSERT_GE(grey, 250);
    }
}

TEST_F(CalculatorMap, CancelSavesNothing) {
    ShapeMap(Calc, 4);
    Trigger(Calc, "Save KMAP image(JPG)");
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(CalculatorMap, UnwritableTargetIsReportedAndKeepsTheOldFile) {
    ShapeMap(Calc, 4);
    SaveAs(dir.filePath("missing/folder/map.jpg"));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot save " +
                                                dir.filePath("missing/folder/map.jpg") + ": "))
        << prompter.messages[0].toStdString();
    EXPECT_FALSE(prompter.messages.contains("KMAP image was saved"));

    // A directory in the way: the save fails and leaves what was there.
    const QString blocked = dir.filePath("blocked.jpg");
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked.jpg"));
    SaveAs(blocked);
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_FALSE(prompter.messages.contains("KMAP image was saved"));
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST_F(CalculatorMap, EncoderFailureIsReportedNotFatal) {
    ShapeMap(Calc, 4);
    Calc->KmapGrid->setColCount(0);  // nothing to draw: libjpeg refuses an empty picture
    const QString name = dir.filePath("empty.jpg");
    SaveAs(name);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("The KMAP image could not be made: "));
    EXPECT_FALSE(QFile::exists(name));
    ShapeMap(Calc, 4);
}
