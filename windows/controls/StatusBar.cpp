// Status bar panels and the gauge.
#include "windows/controls/StatusBar.h"

#include <QHBoxLayout>

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
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (size_t i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QString("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        // The last panel takes the rest of the bar, so its longer texts stay readable.
        const bool last = i + 1 == widths.size();
        if (last) {
            panel->setMinimumWidth(widths[i]);
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        } else {
            panel->setFixedWidth(widths[i]);
        }
        layout->addWidget(panel, last ? 1 : 0);
        FPanels.push_back(panel);
    }
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

void TStatusBar::hostGauge(TGauge* gauge) {
    QLabel* panel = FPanels.front();
    gauge->setParent(panel);
    gauge->setGeometry(1, 2, panel->maximumWidth() - 3, height() - 3);
    gauge->show();
}

void TStatusBar::repaintNow() {
    repaint();
}
