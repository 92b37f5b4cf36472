// The K-map window's shared helpers.
#include "windows/main_shared.h"

#include "model/State.h"
#include "model/Terms.h"
#include "model/TextLines.h"

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

TRowText SplitRowText(const QString& text) {
    const size_t end = DontCareMarkEnd(ToLatin(text));
    if (end == 0) {
        return {false, text};
    }
    return {true, text.mid(static_cast<qsizetype>(end))};
}

QString JoinRowText(bool dontCare, const QString& body) {
    return dontCare ? QChar(DontCareMark) + body : body;
}

QString RowTerm(const TRowText& row) {
    return TrimmedTerm(row.Body);
}

QString CutRowText(const QString& text) {
    return text.left(TermCapacity + (text.startsWith(QChar(DontCareMark)) ? 1 : 0));
}

std::string ToLatin(const QString& text) {
    return text.toLatin1().toStdString();
}

QString FromLatin(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList SplitLines(const QString& text, qsizetype maxKept, qsizetype& count) {
    std::vector<TLineSpan> spans;
    count = static_cast<qsizetype>(SplitLineSpans(
        text.constData(), static_cast<size_t>(text.size()), static_cast<size_t>(maxKept), spans));
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(spans.size()));
    for (const TLineSpan& span : spans) {
        lines << CutRowText(
            text.mid(static_cast<qsizetype>(span.Start), static_cast<qsizetype>(span.Length)));
    }
    return lines;
}
