#include "generatedcode.h"

#include "core/definition.h"
#include "core/generators.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace fuzzcheck {

namespace {

constexpr QStringView Joiner = u" & vbcr & \"";

// Reads a string literal starting at i (which must be a quote), with doubled
// quotes undone. With joiners allowed, literals chained by " & vbcr & " are
// read as one text with CR LF between them. Returns false if the literal
// never closes.
bool readLiteral(QStringView line, qsizetype& i, QString& out, bool joiners) {
    if (i >= line.size() || line[i] != u'"')
        return false;
    ++i;
    while (i < line.size()) {
        if (line[i] != u'"') {
            out += line[i++];
            continue;
        }
        if (i + 1 < line.size() && line[i + 1] == u'"') {
            out += u'"';
            i += 2;
            continue;
        }
        ++i; // closing quote
        if (joiners && line.sliced(i).startsWith(Joiner)) {
            out += u"\r\n";
            i += Joiner.size();
            continue;
        }
        return true;
    }
    return false;
}

// The message as the literals must give it back: every CR LF, lone CR and
// lone LF is one CR LF, and a break at the very end closes the last line
// rather than starting an empty one.
QString expectedMessage(const QString& message) {
    QString text = message;
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').replace(u"\n"_s, u"\r\n"_s);
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    return text;
}

QString quoted(const QString& text) {
    QString shown = text;
    shown.replace(u'\\', u"\\\\"_s).replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
    return u'[' + shown + u']';
}

} // namespace

QString problemOf(const QString& code, const QString& title, const QString& message) {
    if (code.contains(u'\n'))
        return u"LF in the code"_s;
    if (code.endsWith(u'\r'))
        return u"line break at the end"_s;
    const QStringList lines = code.split(u'\r');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (lines[n].count(u'"') % 2 != 0)
            return u"odd number of quotes in line %1: %2"_s.arg(n + 1).arg(quoted(lines[n]));
    }

    // The call line: the last line that begins like a MsgBox call. The Msg
    // lines begin with "Msg = " or " Msg = ", the branch lines never call.
    static const QStringList callStarts{u"MsgBox "_s, u"Antwort = MsgBox("_s, u"If MsgBox("_s,
                                        u"Select Case MsgBox("_s};
    qsizetype callLine = -1;
    qsizetype promptStart = 0;
    for (qsizetype n = lines.size() - 1; n >= 0 && callLine < 0; --n) {
        for (const QString& start : callStarts) {
            if (lines[n].startsWith(start)) {
                callLine = n;
                promptStart = start.size();
                break;
            }
        }
    }
    if (callLine < 0)
        return u"no MsgBox call"_s;
    const QStringView call = lines[callLine];

    QString prompt;
    qsizetype i = promptStart;
    if (call.sliced(i).startsWith(u"Msg,")) {
        i += 3;
        qsizetype msgLine = -1;
        qsizetype j = 0;
        for (qsizetype n = 0; n < callLine; ++n) {
            if (lines[n].startsWith(u"Msg = \"") || lines[n].startsWith(u" Msg = \"")) {
                msgLine = n;
                j = lines[n].indexOf(u'"');
                break;
            }
        }
        if (msgLine < 0)
            return u"prompt Msg without a Msg line"_s;
        if (!readLiteral(lines[msgLine], j, prompt, true) || j != lines[msgLine].size())
            return u"Msg line is not one chained literal: %1"_s.arg(quoted(lines[msgLine]));
    } else if (!readLiteral(call, i, prompt, true)) {
        return u"prompt is not a literal: %1"_s.arg(quoted(call.toString()));
    }
    if (prompt != expectedMessage(message)) {
        return u"message reads back as %1 instead of %2"_s.arg(quoted(prompt),
                                                               quoted(expectedMessage(message)));
    }

    // ", " style expression ", " title literal, then the closing.
    if (!call.sliced(i).startsWith(u", "))
        return u"no argument after the prompt"_s;
    const qsizetype titleQuote = call.indexOf(u", \"", i);
    if (titleQuote < 0)
        return u"no title argument"_s;
    i = titleQuote + 2;
    QString readTitle;
    if (!readLiteral(call, i, readTitle, false))
        return u"title is not a literal"_s;
    if (readTitle != title)
        return u"title reads back as %1 instead of %2"_s.arg(quoted(readTitle), quoted(title));
    return {};
}

void generateAndCheckAll(Definition& def) {
    auto check = [&](const QString& code) {
        const QString problem = problemOf(code, def.title(), def.message());
        if (problem.isEmpty())
            return;
        std::fprintf(stderr,
                     "style %d broke a rule: %s\n  title %s\n  message %s\n  options %d %d %d, "
                     "flags %d %d\n  code %s\n",
                     def.selectedCode(), qPrintable(problem), qPrintable(quoted(def.title())),
                     qPrintable(quoted(def.message())), def.selectedIcon(), def.selectedButtons(),
                     def.selectedDefaultButton(), def.systemModal(), def.helpButton(),
                     qPrintable(quoted(code)));
        std::abort();
    };

    try {
        check(gen::generateCode(def.value()));
    } catch (const vb::Error&) {
        // reported by the caller's message trap
    }
    // Every style in turn; "VBS" last, as selecting it clears the help flag.
    for (const msgbox::CodeStyle style :
         {msgbox::CodeStyle::SelectCase, msgbox::CodeStyle::IfThenElse, msgbox::CodeStyle::Einfach,
          msgbox::CodeStyle::Vbs}) {
        def.selectCode(int(style));
        try {
            check(gen::generateCode(def.value()));
        } catch (const vb::Error&) {
        }
    }
}

} // namespace fuzzcheck

} // namespace veltrano
