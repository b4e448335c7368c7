#include "core/dotnetcode.h"
#include "core/generators.h"
#include "core/messagelines.h"
#include "core/msgboxtables.h"

using namespace Qt::StringLiterals;

namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// Appends the text to a C# string literal: the backslash and the quote
// escaped, the tab as \t, and as \uXXXX every other control character, the
// line ends C# knows besides CR and LF (U+0085, U+2028, U+2029) and a lone
// surrogate.
void appendEscaped(QString& out, QStringView text) {
    const QChar* run = text.data();
    const QChar* const end = run + text.size();
    for (const QChar* p = run; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'"')
            continue; // printable ASCII, the common case
        if (p->isHighSurrogate() && p + 1 != end && p[1].isLowSurrogate()) {
            ++p;
            continue;
        }
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        if (!control && c != u'\\' && c != u'"' && c != 0x2028 && c != 0x2029 && !p->isSurrogate())
            continue;
        out.append(run, p - run);
        if (c == u'\\' || c == u'"')
            out.append(u'\\').append(QChar(c));
        else if (c == u'\t')
            out += u"\\t";
        else
            out += u"\\u"_s + QString::number(c, 16).toUpper().rightJustified(4, u'0');
        run = p + 1;
    }
    out.append(run, end - run);
}

// The message as one literal, its lines joined by \n.
void appendInlineMessage(QString& out, QStringView message) {
    out += Quote;
    MessageLines lines(message);
    QStringView line;
    bool last = false;
    while (lines.next(line, last)) {
        appendEscaped(out, line);
        if (!last)
            out += u"\\n";
    }
    out += Quote;
}

// A long message in msg, one statement per line; an empty last line adds
// nothing and has none.
void appendMsgStatements(QString& out, QStringView message) {
    forEachMessageStatement(message, [&](QStringView line, bool first, bool last) {
        out += first ? u"string msg = \""_s : u"msg += \""_s;
        appendEscaped(out, line);
        out += last ? u"\";\r"_s : u"\\n\";\r"_s;
    });
}

// MessageBox.Show(text, caption, ...): the caption always, the arguments
// after it up to the last one that differs from its default. The help
// button takes the overload with options 0 and displayHelpButton.
void appendCall(QString& out, const msgbox::Value& value, bool longMessage) {
    out += u"MessageBox.Show(";
    if (longMessage)
        out += u"msg";
    else
        appendInlineMessage(out, value.message);
    out += u", \"";
    appendEscaped(out, msgbox::titleLine(value.title));
    out += Quote;
    const msgbox::DefaultButton defaultButton =
        value.defaultButton.value_or(msgbox::DefaultButton::First);
    const bool needsDefault = value.helpButton || defaultButton != msgbox::DefaultButton::First;
    const bool needsIcon = needsDefault || value.icon != msgbox::Icon::None;
    if (needsIcon || value.buttons != msgbox::Buttons::Ok) {
        out += u", ";
        out += msgbox::facts(value.buttons).cSharp;
    }
    if (needsIcon) {
        out += u", ";
        out += msgbox::facts(value.icon).cSharp;
    }
    if (needsDefault) {
        out += u", ";
        out += msgbox::facts(defaultButton).cSharp;
    }
    if (value.helpButton)
        out += u", 0, true";
    out += u')';
}

void appendComment(QString& out, QStringView indent, msgbox::Answer answer) {
    out += CR;
    out += indent;
    out += u"// ";
    out += msgbox::facts(answer).caption;
}

// A block with the comment of its answer.
void appendBranch(QString& out, msgbox::Answer answer) {
    out += u"\r{";
    appendComment(out, u"    ", answer);
    out += u"\r}";
}

} // namespace

QString cSharpCode(const msgbox::Value& value) {
    const bool longMessage = isLongMessage(value.message);
    QString code =
        takeBuffer(value.message.size() + value.message.size() / 2 + 2 * value.title.size() + 512);
    if (longMessage)
        appendMsgStatements(code, value.message);
    if (value.systemModal)
        code += u"// SystemModal gibt es bei MessageBox.Show nicht.\r";

    const auto answers = msgbox::facts(value.buttons).answers();
    if (answers.size() == 1) {
        appendCall(code, value, longMessage);
        code += u';';
        return code;
    }
    switch (value.code) {
    case msgbox::CodeStyle::SelectCase:
        code += u"switch (";
        appendCall(code, value, longMessage);
        code += u")\r{";
        for (const msgbox::Answer answer : answers) {
            code += u"\r    case ";
            code += msgbox::facts(answer).cSharp;
            code += u':';
            appendComment(code, u"        ", answer);
            code += u"\r        break;";
        }
        code += u"\r}";
        return code;
    case msgbox::CodeStyle::IfThenElse:
        if (answers.size() == 2) {
            code += u"if (";
            appendCall(code, value, longMessage);
            code += u" == ";
            code += msgbox::facts(answers[0]).cSharp;
            code += u')';
            appendBranch(code, answers[0]);
        } else {
            code += u"DialogResult antwort = ";
            appendCall(code, value, longMessage);
            code += u';';
            for (std::size_t i = 0; i + 1 < answers.size(); ++i) {
                code += i == 0 ? u"\rif (antwort == "_s : u"\relse if (antwort == "_s;
                code += msgbox::facts(answers[i]).cSharp;
                code += u')';
                appendBranch(code, answers[i]);
            }
        }
        code += u"\relse";
        appendBranch(code, answers.back());
        return code;
    case msgbox::CodeStyle::Einfach:
    case msgbox::CodeStyle::Vbs:
        break;
    }
    code += u"DialogResult antwort = ";
    appendCall(code, value, longMessage);
    code += u';';
    return code;
}

} // namespace veltrano::gen
