#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The one rule for line breaks in text a user gives the program (a message,
// a title, a file, pasted source): CR LF, a lone CR and a lone LF are each
// one line break. So "a\n\rb" holds two breaks, and no character after a
// lone CR is lost.
namespace veltrano::linebreaks {

// Whether a line break starts with this character.
constexpr bool isBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// The length of the line break that starts at p, before end: 2 for CR LF,
// 1 for a lone CR or a lone LF, 0 for any other character.
inline qsizetype breakAt(const QChar* p, const QChar* end) {
    const char16_t c = p->unicode();
    if (!isBreak(c))
        return 0;
    if (c == u'\n')
        return 1;
    return p + 1 != end && p[1] == u'\n' ? 2 : 1;
}

// Calls line(QStringView) for each line of text and lineBreak() for each
// line break, in the order they stand. A text of n line breaks has n + 1
// lines; the last one is empty when the text ends in a break, and the empty
// text is one empty line.
template <typename Line, typename Break>
void forEachLine(QStringView text, Line&& line, Break&& lineBreak) {
    const QChar* start = text.data();
    const QChar* const end = start + text.size();
    for (const QChar* p = start; p != end; ++p) {
        const qsizetype length = breakAt(p, end);
        if (length == 0)
            continue;
        line(QStringView(start, p - start));
        p += length - 1;
        lineBreak();
        start = p + 1;
    }
    line(QStringView(start, end - start));
}

// The text with each line break written as lineBreak.
QString normalized(QStringView text, QStringView lineBreak);

// The lines of a text read line by line, as a file is read: a break at the
// very end ends the last line rather than starting another, so "a\r\n" is
// one line and the empty text is none.
QList<QStringView> lines(QStringView text);

} // namespace veltrano::linebreaks
