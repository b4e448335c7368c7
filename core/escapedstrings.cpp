#include "core/escapedstrings.h"

#include "core/generators.h"
#include "core/messagelines.h"

namespace veltrano::gen {

namespace {

constexpr QChar Quote = u'"';

// The message as one string, its lines joined by the escaped line break.
void appendInlineMessage(QString& out, const EscapedStrings& strings, QStringView message) {
    out += Quote;
    MessageLines lines(message);
    QStringView line;
    bool last = false;
    while (lines.next(line, last)) {
        strings.escape(out, line);
        if (!last)
            out += strings.lineBreak;
    }
    out += Quote;
}

// A long message in its variable, one statement per line; an empty last
// line adds nothing and has none.
void appendMsgStatements(QString& out, const EscapedStrings& strings, QStringView variable,
                         QStringView message) {
    // The starts and ends of the statements, made once: a long message has
    // many.
    const QString declare = strings.declare.toString().arg(variable);
    const QString add = strings.add.toString().arg(variable);
    const QString end = Quote + strings.end.toString() + u'\r';
    const QString breakEnd = strings.lineBreak.toString() + end;
    forEachMessageStatement(message, [&](QStringView line, bool first, bool last) {
        out += first ? declare : add;
        strings.escape(out, line);
        out += last ? end : breakEnd;
    });
}

} // namespace

void escapedOpening(Code& code, const EscapedStrings& strings, QStringView firstLine) {
    const msgbox::Value& value = code.value;
    const QStringView variable = code.language.syntax->messageVariable;
    code.out =
        takeBuffer(value.message.size() + value.message.size() / 2 + 2 * value.title.size() + 512);
    code.out += firstLine;
    if (isLongMessage(value.message)) {
        appendMsgStatements(code.out, strings, variable, value.message);
        code.prompt = QString::fromRawData(variable.data(), variable.size());
    } else {
        appendInlineMessage(code.prompt, strings, value.message);
    }
    code.title.reserve(value.title.size() + 16);
    code.title = Quote;
    strings.escape(code.title, msgbox::titleLine(value.title));
    code.title += Quote;
}

} // namespace veltrano::gen
