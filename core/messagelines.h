#pragma once

#include "core/linebreaks.h"

#include <QStringView>

// The lines of a message as generated code writes them, in every language:
// each line break (see core/linebreaks.h) ends a line, and a break at the
// very end closes the last line rather than starting an empty one. So "A"
// and "A\r\n" are the one line "A", "A\r\n\r\n" is "A" and an empty line,
// and the empty message is one empty line.
namespace veltrano::gen {

class MessageLines {
public:
    explicit MessageLines(QStringView message)
        : m_p(message.data()), m_end(message.data() + message.size()) {}

    // The next line and whether it is the last one; false after the last.
    bool next(QStringView& line, bool& last) {
        if (m_done)
            return false;
        for (const QChar* q = m_p; q != m_end; ++q) {
            if (const qsizetype length = linebreaks::breakAt(q, m_end)) {
                line = QStringView(m_p, q);
                m_p = q + length;
                last = m_done = m_p == m_end;
                return true;
            }
        }
        line = QStringView(m_p, m_end);
        last = m_done = true;
        return true;
    }

private:
    const QChar* m_p;
    const QChar* m_end;
    bool m_done = false;
};

// Calls statement(line, first, last) for each line of a long message that
// VB.NET and C# build one statement per line: a final empty line adds
// nothing to the text, so it has no statement.
template <typename Statement>
void forEachMessageStatement(QStringView message, Statement&& statement) {
    MessageLines lines(message);
    QStringView line;
    bool last = false;
    bool first = true;
    while (lines.next(line, last)) {
        if (!first && last && line.isEmpty())
            return;
        statement(line, first, last);
        first = false;
    }
}

} // namespace veltrano::gen
