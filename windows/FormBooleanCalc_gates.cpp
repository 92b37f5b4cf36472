// The calculator's gate pictures, drawn with the painter so the program carries no image files.
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "windows/FormBooleanCalc.h"

namespace {

// The body of an OR-shaped gate between x0 and x1, its back curving in by `back` pixels.
QPainterPath OrBody(qreal x0, qreal x1, qreal top, qreal bottom, qreal back) {
    const qreal mid = (top + bottom) / 2;
    QPainterPath path;
    path.moveTo(x0, top);
    path.quadTo(x0 + (x1 - x0) * 0.6, top, x1, mid);
    path.quadTo(x0 + (x1 - x0) * 0.6, bottom, x0, bottom);
    path.quadTo(x0 + back, mid, x0, top);
    return path;
}

void DrawGate(QPainter& painter, TGatePicture kind, qreal w, qreal h) {
    const qreal top = 2;
    const qreal bottom = h - 3;
    const qreal mid = (top + bottom) / 2;
    const qreal in1 = top + (bottom - top) * 0.28;
    const qreal in2 = top + (bottom - top) * 0.72;
    const qreal x0 = w * 0.24;
    const qreal x1 = w * 0.74;
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    switch (kind) {
        case TGatePicture::And: {
            QPainterPath path;
            const qreal r = (bottom - top) / 2;
            path.moveTo(x0, top);
            path.lineTo(x1 - r, top);
            path.arcTo(QRectF(x1 - 2 * r, top, 2 * r, 2 * r), 90, -180);
            path.lineTo(x0, bottom);
            path.closeSubpath();
            painter.drawPath(path);
            painter.drawLine(QPointF(0, in1), QPointF(x0, in1));
            painter.drawLine(QPointF(0, in2), QPointF(x0, in2));
            painter.drawLine(QPointF(x1, mid), QPointF(w, mid));
            break;
        }
        case TGatePicture::Or:
        case TGatePicture::Xor: {
            const qreal shift = kind == TGatePicture::Xor ? 5 : 0;
            painter.drawPath(OrBody(x0 + shift, x1, top, bottom, 7));
            if (kind == TGatePicture::Xor) {
                QPainterPath extra;
                extra.moveTo(x0, top);
                extra.quadTo(x0 + 7, mid, x0, bottom);
                painter.setBrush(Qt::NoBrush);
                painter.drawPath(extra);
            }
            painter.drawLine(QPointF(0, in1), QPointF(x0 + 4, in1));
            painter.drawLine(QPointF(0, in2), QPointF(x0 + 4, in2));
            painter.drawLine(QPointF(x1, mid), QPointF(w, mid));
            break;
        }
        case TGatePicture::Not: {
            const qreal bubble = 5;
            const qreal tip = x1 - bubble;
            QPolygonF triangle;
            triangle << QPointF(x0, top) << QPointF(tip, mid) << QPointF(x0, bottom);
            painter.drawPolygon(triangle);
            painter.drawEllipse(QPointF(tip + bubble / 2, mid), bubble / 2, bubble / 2);
            painter.drawLine(QPointF(0, mid), QPointF(x0, mid));
            painter.drawLine(QPointF(x1, mid), QPointF(w, mid));
            break;
        }
        case TGatePicture::XorSign: {
            const qreal r = std::min(w, h) / 2 - 2;
            const QPointF c(w / 2, h / 2);
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(c, r, r);
            painter.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
            painter.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
            break;
        }
    }
}

}  // namespace

QPixmap GatePixmap(TGatePicture kind, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawGate(painter, kind, size.width(), size.height());
    return pixmap;
}
