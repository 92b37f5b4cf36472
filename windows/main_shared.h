// Helpers the K-map window's source files share: sizes, fonts, term texts, lines, busy state.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string>

constexpr int EditorRows = 40001;
// The map grid's designed size: the area that large maps share out among their cells.
constexpr int MapRefWidth = 355;
constexpr int MapRefHeight = 349;

// Courier New 10, the face of the editor's terms; any fixed-pitch face stands in for it.
QFont TermFont();

// The first 16 characters.
QString CutText(const QString& text);
// Without characters of code 32 or less at either end, as the term check trims.
QString TrimText(const QString& text);
// Trimmed, then cut: the term a row holds.
QString TrimmedTerm(const QString& text);

// An editor row's text split at its don't-care mark: a row "-AbC" is the don't-care term AbC.
// Body is the text after the mark (untrimmed), or the whole text of a plain row.
struct TRowText {
    bool DontCare = false;
    QString Body;
};
TRowText SplitRowText(const QString& text);
// The mark, when wanted, before the body.
QString JoinRowText(bool dontCare, const QString& body);
// Trimmed and cut: the term a row holds, without its mark.
QString RowTerm(const TRowText& row);
// The first 16 characters, or 17 for a text that starts with the mark.
QString CutRowText(const QString& text);

// Terms are 8-bit text.
std::string ToLatin(const QString& text);
QString FromLatin(const std::string& text);

// Lines ending at CR LF, a lone CR or a lone LF; a last line without an ending counts. Keeps
// the first maxKept lines, each cut as CutRowText does; count receives the number of all lines.
QStringList SplitLines(const QString& text, qsizetype maxKept, qsizetype& count);

// Marks the window busy for the life of a long conversion.
class TBusyScope {
  public:
    explicit TBusyScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TBusyScope() { FFlag = false; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

  private:
    bool& FFlag;
};
