#include "core/basicliterals.h"

#include "core/linebreaks.h"

namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// The end of a statement after a line whose break follows: the joiner
// without the " & \"" that would open the next literal.
QStringView breakEnd(QStringView joiner) {
    return joiner.chopped(4);
}

// The statements of one variable, line by line of code.
class Statements {
public:
    Statements(QString& out, QStringView indent, QStringView variable)
        : m_out(out), m_indent(indent), m_variable(variable) {
        start();
        m_out += m_variable;
        m_out += u" = \"";
    }

    // Characters on the current line of code so far.
    qsizetype length() const { return m_out.size() - m_lineStart; }

    // Appends a line of the text, `width` characters once its quotes are
    // doubled; closing is what must still fit behind it.
    void appendLine(QStringView line, qsizetype width, qsizetype closing) {
        if (length() + width + closing > MaxBasicLineLength)
            appendSplit(line, closing);
        else if (width == line.size())
            m_out += line; // no quote to double
        else
            appendDoubled(m_out, line);
    }

    // Ends the statement and starts the next, which adds to the variable.
    void next(QStringView end) {
        m_out += end;
        start();
        m_out += m_variable;
        m_out += u" = ";
        m_out += m_variable;
        m_out += u" & \"";
    }

private:
    void start() {
        m_out += CR;
        m_lineStart = m_out.size();
        m_out += m_indent;
    }

    // A line too long for the room left: as much as fits in each statement.
    void appendSplit(QStringView line, qsizetype closing) {
        const QChar* p = line.data();
        const QChar* const end = p + line.size();
        while (p != end) {
            const qsizetype room = MaxBasicLineLength - length();
            const QChar* q = p;
            qsizetype used = 0;
            while (q != end) {
                // A doubled quote and a surrogate pair stay together.
                const bool pair = q->isHighSurrogate() && q + 1 != end && q[1].isLowSurrogate();
                const qsizetype chars = pair ? 2 : 1;
                const qsizetype width = (*q == Quote || pair) ? 2 : 1;
                const qsizetype after = q + chars == end ? closing : 1;
                if (used + width + after > room)
                    break;
                used += width;
                q += chars;
            }
            appendDoubled(m_out, QStringView(p, q));
            p = q;
            if (p != end)
                next(QStringView(&Quote, 1));
        }
    }

    QString& m_out;
    QStringView m_indent;
    QStringView m_variable;
    qsizetype m_lineStart = 0;
};

// Appends the text from p up to the first line break (or end) with its
// quotes doubled, and returns where it stopped.
const QChar* appendDoubledLine(QString& out, const QChar* p, const QChar* end) {
    const QChar* runStart = p;
    for (; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c == u'"') {
            out.append(runStart, p - runStart + 1).append(Quote);
            runStart = p + 1;
        } else if (linebreaks::isBreak(c)) {
            break;
        }
    }
    out.append(runStart, p - runStart);
    return p;
}

} // namespace

void appendDoubled(QString& out, QStringView text) {
    const QChar* runStart = text.data();
    const QChar* const end = runStart + text.size();
    for (const QChar* p = runStart; p != end; ++p) {
        if (*p == Quote) {
            out.append(runStart, p - runStart + 1).append(Quote);
            runStart = p + 1;
        }
    }
    out.append(runStart, end - runStart);
}

void appendAssignment(QString& out, QStringView indent, QStringView variable, QStringView lines,
                      QStringView joiner) {
    const QStringView lineEnd = breakEnd(joiner);
    Statements statements(out, indent, variable);
    const QChar* p = lines.data();
    const QChar* const end = p + lines.size();
    bool last = false;
    bool first = true;
    while (!last) {
        // Each line is appended at once, joined to the statement before,
        // and taken back in the rare case that it does not fit there.
        const qsizetype mark = out.size();
        if (!first)
            out += joiner;
        const QChar* const start = p;
        const qsizetype textStart = out.size();
        p = appendDoubledLine(out, p, end);
        const QStringView line(start, p);
        // The lines of a text as generated code writes them (see
        // core/messagelines.h): a break at the very end closes the last.
        if (p != end)
            p += linebreaks::breakAt(p, end);
        last = p == end;
        const qsizetype width = out.size() - textStart;
        // Behind a line whose break follows there must be room for the
        // break, whether it joins the next line or ends the statement.
        const qsizetype closing = last ? 1 : lineEnd.size();
        if (statements.length() + closing > MaxBasicLineLength) {
            out.truncate(mark);
            if (!first)
                statements.next(lineEnd);
            statements.appendLine(line, width, closing);
        }
        first = false;
    }
    out += Quote;
}

} // namespace veltrano::gen
