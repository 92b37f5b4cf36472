// Status bar panels and the gauge.
#include "windows/controls/StatusBar.h"

#include <numeric>

TGauge::TGauge(QWidget* parent) : QProgressBar(parent) {
    setObjectName("Gauge");
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void TGauge::setPosition(int position) {
    setValue(std::clamp(position, minimum(), maximum()));
}

TStatusBar::TStatusBar(const std::vector<int>& widths, QWidget* parent)
    : QWidget(parent), FWidths(widths) {
    setObjectName("StatusBar");
    setFixedHeight(19);
    // The panels never hold the window wider: a narrow window cuts off the rightmost ones.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    for (size_t i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QString("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        // Each panel paints its own ground, so no text shows through from a neighbour.
        panel->setAutoFillBackground(true);
        FPanels.push_back(panel);
    }
    PlacePanels();
}

QSize TStatusBar::sizeHint() const {
    return {std::accumulate(FWidths.begin(), FWidths.end(), 0), 19};
}

QSize TStatusBar::minimumSizeHint() const {
    return {0, 19};
}

QString TStatusBar::panelText(int panel) const {
    if (panel < 0 || panel >= static_cast<int>(FPanels.size())) {
        return {};
    }
    return FPanels[static_cast<size_t>(panel)]->text();
}

void TStatusBar::setPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < static_cast<int>(FPanels.size())) {
        FPanels[static_cast<size_t>(panel)]->setText(text);
    }
}

int TStatusBar::panelWidth(int panel) const {
    return FWidths[static_cast<size_t>(panel)];
}

QString TStatusBar::fitPanelText(int panel, const QString& part, const QString& rest) const {
    const QLabel* label = FPanels[static_cast<size_t>(panel)];
    const QFontMetrics metrics = label->fontMetrics();
    // A framed label indents its text by half an x.
    const int room = label->contentsRect().width() - metrics.horizontalAdvance('x') / 2 -
                     metrics.horizontalAdvance(rest);
    return metrics.elidedText(part, Qt::ElideRight, std::max(room, 0)) + rest;
}

void TStatusBar::hostGauge(TGauge* gauge) {
    gauge->setParent(FPanels.front());
    gauge->setGeometry(1, 2, FWidths.front() - 3, height() - 3);
    gauge->show();
}

void TStatusBar::repaintNow() {
    repaint();
}

void TStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlacePanels();
}

// Side by side from the left at the given widths; the last takes whatever room is left.
void TStatusBar::PlacePanels() {
    int left = 0;
    for (size_t i = 0; i < FPanels.size(); ++i) {
        const bool last = i + 1 == FPanels.size();
        const int width = last ? std::max(FWidths[i], this->width() - left) : FWidths[i];
        FPanels[i]->setGeometry(left, 0, width, height());
        left += FWidths[i];
    }
}
