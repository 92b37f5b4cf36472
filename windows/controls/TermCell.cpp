// Term cells: the term in capitals with bars over the letters that stand for 0.
#include "windows/controls/TermCell.h"

#include <string>

#include "model/State.h"
#include "model/Terms.h"

QFont TermCellFont() {
    QFont font("Courier New", 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void DrawTermWithBars(QPainter& canvas, const QRect& rect, const QString& cellText,
                      const QColor& barColor, int letterWidth) {
    std::string term = CutTerm(cellText.toStdString());
    PadTerm(term);
    QString shown;
    bool low[TermCapacity];
    for (int i = 0; i < TermCapacity; ++i) {
        const char c = term[static_cast<size_t>(i)];
        low[i] = c >= 'a' && c <= 'z';
        shown += QChar(UpCase(c));
    }
    canvas.setFont(TermCellFont());
    canvas.drawText(QRect(rect.left() + 1, rect.top() + 1, 4000, 200),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    canvas.setPen(QPen(barColor, 2));
    for (int i = 1; i <= TermCapacity; ++i) {
        if (low[i - 1]) {
            const int x = rect.left() + 1 + i + (i - 1) * letterWidth;
            canvas.drawLine(x, rect.top() + 2, x + letterWidth - 1, rect.top() + 2);
        }
    }
}
