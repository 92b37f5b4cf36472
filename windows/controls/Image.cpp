// The picture widget: draws its picture at the top-left corner, nothing else.
#include "windows/controls/Image.h"

#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::clear(const QColor& colour) {
    FPicture = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    FPicture.fill(colour);
    update();
}

void TImage::setPicture(const QImage& picture) {
    FPicture = picture;
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, FPicture);
}
