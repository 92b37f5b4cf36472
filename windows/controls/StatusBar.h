// A status bar of numbered panels side by side at fixed widths; panel 0 can host a gauge.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QWidget>
#include <vector>

#include "engine/Sinks.h"

// The progress gauge; algorithms move it through TProgressSink.
class TGauge : public QProgressBar, public TProgressSink {
    Q_OBJECT
  public:
    explicit TGauge(QWidget* parent = nullptr);
    void setMax(int max) override { setMaximum(std::max(max, 0)); }
    void setPosition(int position) override;
};

class TStatusBar : public QWidget {
    Q_OBJECT
  public:
    TStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

    Q_INVOKABLE QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    // The width the window gave the panel; the last panel may stretch beyond it.
    int panelWidth(int panel) const;
    // part, shortened with an ellipsis where needed, followed by rest: a text the panel shows
    // whole.
    QString fitPanelText(int panel, const QString& part, const QString& rest) const;
    // Puts the gauge into panel 0: left 1, top 2, height - 3, width - 3.
    void hostGauge(TGauge* gauge);
    // Paints now, for texts set just before a long loop.
    void repaintNow();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlacePanels();

    std::vector<QLabel*> FPanels;
    std::vector<int> FWidths;
};
