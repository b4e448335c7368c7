#include "core/generators.h"

#include "core/linebreaks.h"
#include "core/msgboxtables.h"
#include "core/vberror.h"

#include <new>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::gen {

using msgbox::Value;

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// Between two message lines: quote, blank, ampersand, blank, vbcr, blank,
// ampersand, blank, quote.
constexpr QStringView Joiner = u"\" & vbcr & \"";

// A prepared message up to this length is written inline as the prompt.
constexpr qsizetype InlineLimit = 50;

// Appends the text with its quotes doubled and returns how many characters
// that made.
qsizetype appendDoubled(QString& out, QStringView line) {
    qsizetype quotes = 0;
    const QChar* runStart = line.data();
    const QChar* const end = runStart + line.size();
    for (const QChar* p = runStart; p != end; ++p) {
        if (*p == Quote) {
            out.append(runStart, p - runStart + 1).append(Quote);
            runStart = p + 1;
            ++quotes;
        }
    }
    out.append(runStart, end - runStart);
    return line.size() + quotes;
}

// Appends the message to out with its quotes doubled and its lines joined by
// the joiner, in one pass, and returns the length of the prepared message:
// quotes doubled, every line break a CR LF pair, and a CR LF at the end if
// the message has none. So no character after a lone CR is lost and no raw
// LF reaches a string literal.
qsizetype appendJoinedMessage(QString& out, const QString& message) {
    qsizetype prepared = 0;
    bool endsWithBreak = false;
    const QChar* runStart = message.constData();
    const QChar* const end = runStart + message.size();
    for (const QChar* p = runStart; p != end; ++p) {
        if (*p == Quote) {
            out.append(runStart, p - runStart + 1).append(Quote);
            runStart = p + 1;
            prepared += 2;
            endsWithBreak = false;
        } else if (const qsizetype length = linebreaks::breakAt(p, end)) {
            out.append(runStart, p - runStart).append(Joiner);
            p += length - 1;
            runStart = p + 1;
            prepared += 2;
            endsWithBreak = true;
        } else {
            ++prepared;
            endsWithBreak = false;
        }
    }
    out.append(runStart, end - runStart);

    if (endsWithBreak) {
        // The last break closes the last line; it needs no joiner.
        out.chop(Joiner.size());
    } else {
        prepared += 2; // the CR LF appended to a message without a final break
    }
    return prepared;
}

// A long message makes a code text of many megabytes. Built in fresh memory
// each time, every page of it costs a fault, which for a message of 16 MiB
// costs more than building the text; so the buffer of the last long code is
// kept and taken again once nobody holds that code any more. A buffer far
// larger than the next code needs is let go instead of being kept.
QString& spareBuffer() {
    thread_local QString spare;
    return spare;
}

QString takeBuffer(qsizetype capacity) {
    QString buffer = std::exchange(spareBuffer(), QString());
    if (!buffer.isDetached() || buffer.capacity() > 2 * capacity + 4096)
        buffer = QString();
    buffer.resize(0); // keeps the capacity
    buffer.reserve(capacity);
    return buffer;
}

void keepBuffer(const QString& code) {
    constexpr qsizetype worthKeeping = 64 * 1024;
    if (code.capacity() >= worthKeeping)
        spareBuffer() = code;
}

// The two flags as the sum generated code writes.
int flagSum(const Value& value) {
    return (value.systemModal ? msgbox::SystemModalFlag : 0) +
           (value.helpButton ? msgbox::HelpButtonFlag : 0);
}

// Style expression: constant names joined by " or ", then the flag sum.
void appendStyleExpression(QString& out, const Value& value) {
    const QStringView icon = msgbox::facts(value.icon).basic;
    if (!icon.isEmpty()) {
        out += icon;
        out += u" or ";
    }
    out += msgbox::facts(value.buttons).basic;
    if (value.defaultButton) {
        out += u" or ";
        out += msgbox::facts(*value.defaultButton).basic;
    }
    const int flags = flagSum(value);
    if (flags != 0) {
        out += u" + ";
        out += QString::number(flags);
    }
}

// A box with one button has no answer to tell apart: its call is a
// statement.
bool isStatementForm(const Value& value) {
    return msgbox::facts(value.buttons).count == 1;
}

// Prompt, ", ", style expression, ", \"", title and the closing of the
// statement or function form.
void appendCallArguments(QString& out, const Value& value, const PreparedMessage& message,
                         bool statement) {
    out += message.prompt;
    out += u", ";
    appendStyleExpression(out, value);
    out += u", \"";
    out += message.title;
    if (value.helpButton) {
        out += statement ? u"\", App.HelpFile, 0"_s : u"\", App.HelpFile, 0)"_s;
    } else {
        out += statement ? u"\""_s : u"\")"_s;
    }
}

// A new line of code.
void appendLine(QString& out, QStringView a, QStringView b = {}, QStringView c = {}) {
    out += CR;
    out += a;
    out += b;
    out += c;
}

void appendComment(QString& out, msgbox::Answer answer) {
    appendLine(out, u"    ' ", msgbox::facts(answer).caption);
}

// The simple call shared by "einfach" and "VBS"; they differ only in the
// declaration of the answer variable.
void appendSimpleCall(QString& code, const Value& value, const PreparedMessage& message,
                      QStringView declaration) {
    const bool statement = isStatementForm(value);
    code += CR;
    if (statement) {
        code += u"MsgBox ";
    } else {
        code += declaration;
        code += CR;
        code += u"Antwort = MsgBox(";
    }
    appendCallArguments(code, value, message, statement);
}

// If Then Else: one branch per button, the last one as Else. Two answers
// are told apart in the call's own If; more are kept in Antwort first.
void appendIfCode(QString& code, const Value& value, const PreparedMessage& message) {
    const bool statement = isStatementForm(value);
    const auto answers = msgbox::facts(value.buttons).answers();
    const bool inCondition = answers.size() == 2;
    code += CR;
    if (statement) {
        code += u"MsgBox ";
    } else if (inCondition) {
        code += u"If MsgBox(";
    } else {
        code += u"Dim Antwort As VbMsgBoxResult\rAntwort = MsgBox(";
    }
    appendCallArguments(code, value, message, statement);
    if (statement) {
        return;
    }

    if (inCondition) {
        code += u" = ";
        code += msgbox::facts(answers[0]).basicIf;
        code += u" then";
        appendComment(code, answers[0]);
    } else {
        for (std::size_t i = 0; i + 1 < answers.size(); ++i) {
            appendLine(code, i == 0 ? u"If Antwort = " : u"ElseIf Antwort = ",
                       msgbox::facts(answers[i]).basicIf, u" Then");
            appendComment(code, answers[i]);
        }
    }
    appendLine(code, u"Else");
    appendComment(code, answers.back());
    appendLine(code, u"End If");
}

// Select Case: one Case per button.
void appendSelectCode(QString& code, const Value& value, const PreparedMessage& message) {
    const bool statement = isStatementForm(value);
    code += CR;
    code += statement ? u"MsgBox "_s : u"Select Case MsgBox("_s;
    appendCallArguments(code, value, message, statement);
    if (statement) {
        return; // a single OK button has nothing to choose between
    }
    for (const msgbox::Answer answer : msgbox::facts(value.buttons).answers()) {
        appendLine(code, u"Case ", msgbox::facts(answer).basic);
        appendComment(code, answer);
    }
    appendLine(code, u"End Select");
}

} // namespace

PreparedMessage prepareMessage(const Value& value) {
    try {
        PreparedMessage prepared;
        appendDoubled(prepared.title, msgbox::titleLine(value.title));

        const QString& message = value.message;
        const bool script = value.code == msgbox::CodeStyle::Vbs;
        // The two lines that declare and fill Msg, up to its opening quote;
        // scripts declare it without a type.
        const QStringView msgOpening =
            script ? u"Dim Msg\r Msg = \"" : u"Dim Msg As String\rMsg = \"";
        // Room for the call and the branches that follow the opening, so
        // that the code is built in this one buffer.
        const qsizetype callRoom = 2 * prepared.title.size() + 512;

        // Every character adds at least one to the prepared length, so a
        // message longer than the limit always goes into Msg: it is joined
        // straight into the opening.
        if (message.size() > InlineLimit) {
            prepared.opening =
                takeBuffer(msgOpening.size() + message.size() + message.size() / 4 + callRoom);
            prepared.opening += msgOpening;
            appendJoinedMessage(prepared.opening, message);
            prepared.opening += Quote;
            prepared.prompt = u"Msg"_s;
            return prepared;
        }

        QString joined;
        if (appendJoinedMessage(joined, message) <= InlineLimit) {
            prepared.prompt = Quote + joined + Quote;
            return prepared;
        }
        prepared.opening.reserve(msgOpening.size() + joined.size() + 1 + callRoom);
        prepared.opening += msgOpening;
        prepared.opening += joined;
        prepared.opening += Quote;
        prepared.prompt = u"Msg"_s;
        return prepared;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

QString generateCode(const Value& value) {
    try {
        PreparedMessage message = prepareMessage(value);
        QString code = std::move(message.opening);
        switch (value.code) {
        case msgbox::CodeStyle::SelectCase:
            appendSelectCode(code, value, message);
            break;
        case msgbox::CodeStyle::IfThenElse:
            appendIfCode(code, value, message);
            break;
        case msgbox::CodeStyle::Einfach:
            appendSimpleCall(code, value, message, u"Dim Antwort As VbMsgBoxResult");
            break;
        case msgbox::CodeStyle::Vbs:
            appendSimpleCall(code, value, message, u" Dim Antwort ");
            break;
        }
        keepBuffer(code);
        return code;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

} // namespace veltrano::gen
