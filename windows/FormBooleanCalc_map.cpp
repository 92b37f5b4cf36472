// The calculator's Karnaugh map: layout, plotting, cell painting, the cell under the mouse, the
// JPEG picture.
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "model/KmapLayout.h"
#include "model/Minterms.h"
#include "model/State.h"
#include "model/TextLines.h"
#include "windows/FormBooleanCalc.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"
#include "windows/main.h"
#include "windows/main_shared.h"

namespace {

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// libjpeg's own handler would end the program; this one returns to the encoder.
[[noreturn]] void JpegErrorExit(j_common_ptr info) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

// Encodes an 8-bit grey picture into memory. Only plain data lives across the jump.
bool EncodeGreyJpeg(const uchar* pixels, int width, int height, int stride, unsigned char** buffer,
                    unsigned long* size, char* message) {
    jpeg_compress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JpegErrorExit;
    error.Message[0] = '\0';
    if (setjmp(error.Jump) != 0) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", error.Message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row =
            const_cast<JSAMPROW>(pixels + static_cast<ptrdiff_t>(info.next_scanline) * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

void PlotSumOfProducts(TStringGrid* grid, const QString& text) {
    const TPlotOutcome plot = PlotTerms(ToLatin(text), ProgramState.VarCount);
    TStringListAdv ownList(true);
    TStringListAdv& terms = frmBooleanClac != nullptr ? frmBooleanClac->SharedList : ownList;
    terms.Clear();
    for (const std::string& piece : plot.Pieces) {
        terms.Add(piece);
    }
    const int cols = grid->colCountValue();
    const TKmapLayout layout = GridLayout(grid);
    grid->beginUpdate();
    grid->clearCells();
    if (cols > 0) {
        for (const uint32_t m : plot.Marked) {
            const TMapCell cell = MintermCell(layout, m);
            grid->setCell(cell.Col, cell.Row, "x");
        }
    }
    grid->endUpdate();
    if (plot.OutOfRange) {
        ShowMessage("This var exceeds the total var range");
        return;
    }
    if (frmBooleanClac != nullptr) {
        const int blocks = cols > 0 ? static_cast<int>(plot.Marked.size()) : 0;
        frmBooleanClac->StatusBar->setPanelText(3, QString::number(blocks) + " blocks");
    }
}

void LayoutCalcMap(int n) {
    TStringGrid* grid = frmBooleanClac->KmapGrid;
    const TKmapLayout layout = KmapLayout(n);
    const int rows = layout.Rows();
    const int cols = layout.Cols();
    const int size = frmBooleanClac->KmapCellSize();
    // Cells sit at a pitch of size + 1: the cell and one pixel of grid line.
    grid->setGridLineWidth(1);
    grid->setDefaultRowHeight(size + 1);
    grid->setDefaultColWidth(size + 1);
    grid->setColCount(cols);
    grid->setRowCount(rows);
    grid->setDefaultColWidth(size + 1);
    grid->clearCells();
    grid->setFixedSize((size + 1) * cols + 20, (size + 1) * rows + 20);
}

void TfrmBooleanClac::KmapGridDrawCell(QPainter& painter, int col, int row, const QRect& rect,
                                       TGridDrawState) {
    painter.fillRect(rect, QColor(0xFF, 0xFF, 0xFF));
    if (KmapGrid->cell(col, row).startsWith('x')) {
        painter.fillRect(rect, QColor(0x00, 0x00, 0x00));
    }
}

void TfrmBooleanClac::KmapGridMouseMove(QMouseEvent* event) {
    int col = -1;
    int row = -1;
    if (!KmapGrid->mouseToCell(event->position().toPoint(), col, row) ||
        col >= KmapGrid->colCountValue() || row >= KmapGrid->rowCountValue()) {
        StatusBar->setPanelText(2, QString());
        return;
    }
    StatusBar->setPanelText(
        2, QString::fromStdString(CellTerm(GridLayout(KmapGrid), TMapCell{row, col})));
}

int TfrmBooleanClac::KmapCellSize() const {
    return SpinEdit->value() < 13 ? 17 : 10;
}

QImage TfrmBooleanClac::KmapPicture() const {
    const int s = KmapCellSize();
    const int columns = KmapGrid->colCountValue();
    const int rows = KmapGrid->rowCountValue();
    // One pixel of pitch per cell more than the cell, so the whole map fits.
    QImage picture(columns * (s + 1), rows * (s + 1), QImage::Format_RGB32);
    if (picture.isNull()) {
        return QImage();
    }
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            if (KmapGrid->cell(c, r) == "x") {
                painter.drawEllipse(QRect((s + 1) * c, (s + 1) * r, s - 1, s - 1));
            }
        }
    }
    painter.end();
    return picture.convertToFormat(QImage::Format_Grayscale8);
}

void TfrmBooleanClac::mnuSaveKMAPimageClick() {
    const TFileDialogRequest request{.Title = "Save KMAP image",
                                     .Filter = "JPEG Files|*.JPG",
                                     .DefaultExt = "JPG",
                                     .FileName = "KMAP",
                                     .Directory = QDir::homePath()};
    const TFileDialogResult answer = Prompter().saveFile(request);
    if (!answer.Accepted || answer.FileName.isEmpty()) {
        return;
    }
    SaveKmapJpeg(answer.FileName);
}

void TfrmBooleanClac::SaveKmapJpeg(const QString& fileName) {
    const QImage picture = KmapPicture();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX];
    const bool encoded =
        EncodeGreyJpeg(picture.constBits(), picture.width(), picture.height(),
                       static_cast<int>(picture.bytesPerLine()), &buffer, &size, message);
    const QByteArray jpeg =
        encoded ? QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size))
                : QByteArray();
    std::free(buffer);
    if (!encoded) {
        ShowMessage("The KMAP image could not be made: " + QString::fromLocal8Bit(message));
        return;
    }
    // Written beside the target and renamed over it, so a failed save leaves no half picture.
    if (!SaveWholeFile(fileName, jpeg)) {
        return;
    }
    ShowMessage("KMAP image was saved");
}
