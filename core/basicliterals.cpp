#include "core/basicliterals.h"

#include "core/messagelines.h"

namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// Between two lines of a message in one literal chain.
constexpr QStringView Joiner = u"\" & vbcr & \"";
// The end of a statement after a line whose break follows.
constexpr QStringView BreakEnd = u"\" & vbcr";

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
        if (length() + width + closing <= MaxBasicLineLength)
            appendDoubled(m_out, line);
        else
            appendSplit(line, closing);
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

qsizetype doubledLength(QStringView text) {
    return text.size() + text.count(Quote);
}

void appendAssignment(QString& out, QStringView indent, QStringView variable, QStringView lines) {
    Statements statements(out, indent, variable);
    MessageLines cursor(lines);
    QStringView line;
    bool last = false;
    bool first = true;
    while (cursor.next(line, last)) {
        // Behind a line whose break follows there must be room for the
        // break, whether it joins the next line or ends the statement.
        const qsizetype closing = last ? 1 : BreakEnd.size();
        const qsizetype width = doubledLength(line);
        if (!first) {
            if (statements.length() + Joiner.size() + width + closing <= MaxBasicLineLength) {
                out += Joiner;
            } else {
                statements.next(BreakEnd);
            }
        }
        first = false;
        statements.appendLine(line, width, closing);
    }
    out += Quote;
}

} // namespace veltrano::gen
