// The K-map window's shared helpers.
#include "windows/main_shared.h"

#include "model/State.h"

QFont TermFont() {
    QFont font("Courier New");
    font.setPointSize(10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QString CutText(const QString& text) {
    return text.left(TermCapacity);
}

QString TrimText(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32) {
        ++first;
    }
    while (last > first && text.at(last - 1).unicode() <= 32) {
        --last;
    }
    return text.mid(first, last - first);
}

QString TrimmedTerm(const QString& text) {
    return CutText(TrimText(text));
}

std::string ToLatin(const QString& text) {
    return text.toLatin1().toStdString();
}

QString FromLatin(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines << text.mid(start, i - start);
        if (c == '\r' && i + 1 < size && text.at(i + 1) == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        lines << text.mid(start);
    }
    return lines;
}
