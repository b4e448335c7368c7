#include "core/generators.h"

#include "core/basicliterals.h"
#include "core/dotnetcode.h"
#include "core/linebreaks.h"
#include "core/msgboxtables.h"
#include "core/vberror.h"

#include <new>
#include <span>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::gen {

using msgbox::Value;

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// Between two message lines of an inline prompt.
constexpr QStringView Joiner = u"\" & vbcr & \"";

// A prepared message up to this length is written inline as the prompt.
constexpr qsizetype InlineLimit = 50;

// Appends the message to out with its quotes doubled and its lines joined by
// the joiner, in one pass, and returns the length of the prepared message:
// quotes doubled, every line break a CR LF pair, and a CR LF at the end if
// the message has none. So no character after a lone CR is lost and no raw
// LF reaches a string literal.
qsizetype appendJoinedMessage(QString& out, QStringView message) {
    qsizetype prepared = 0;
    bool endsWithBreak = false;
    const QChar* runStart = message.data();
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

// What a code style writes around its call: a line before the call (the
// declaration of Antwort), the call line's start up to the prompt, whether
// the call is a statement, and what follows the call's closing: the rest of
// its line and the lines after it, each after a CR.
struct Shape {
    QStringView before;
    QStringView head;
    bool statement = false;
    QString after;
};

// If Then Else: one branch per button, the last one as Else. Two answers
// are told apart in the call's own If; more are kept in Antwort first.
Shape ifShape(std::span<const msgbox::Answer> answers) {
    Shape shape;
    if (answers.size() == 2) {
        shape.head = u"If MsgBox(";
        shape.after += u" = ";
        shape.after += msgbox::facts(answers[0]).basicIf;
        shape.after += u" then";
        appendComment(shape.after, answers[0]);
    } else {
        shape.before = u"Dim Antwort As VbMsgBoxResult";
        shape.head = u"Antwort = MsgBox(";
        for (std::size_t i = 0; i + 1 < answers.size(); ++i) {
            appendLine(shape.after, i == 0 ? u"If Antwort = " : u"ElseIf Antwort = ",
                       msgbox::facts(answers[i]).basicIf, u" Then");
            appendComment(shape.after, answers[i]);
        }
    }
    appendLine(shape.after, u"Else");
    appendComment(shape.after, answers.back());
    appendLine(shape.after, u"End If");
    return shape;
}

// Select Case: one Case per button.
Shape selectShape(std::span<const msgbox::Answer> answers) {
    Shape shape;
    shape.head = u"Select Case MsgBox(";
    for (const msgbox::Answer answer : answers) {
        appendLine(shape.after, u"Case ", msgbox::facts(answer).basic);
        appendComment(shape.after, answer);
    }
    appendLine(shape.after, u"End Select");
    return shape;
}

Shape shapeOf(const Value& value) {
    const auto answers = msgbox::facts(value.buttons).answers();
    if (answers.size() == 1) {
        // A box with one button has no answer to tell apart: its call is a
        // statement in every style.
        Shape shape;
        shape.head = u"MsgBox ";
        shape.statement = true;
        return shape;
    }
    switch (value.code) {
    case msgbox::CodeStyle::SelectCase:
        return selectShape(answers);
    case msgbox::CodeStyle::IfThenElse:
        return ifShape(answers);
    case msgbox::CodeStyle::Einfach:
    case msgbox::CodeStyle::Vbs:
        break;
    }
    // "einfach" and "VBS" differ only in the declaration of the answer.
    Shape shape;
    shape.before =
        value.code == msgbox::CodeStyle::Vbs ? u" Dim Antwort " : u"Dim Antwort As VbMsgBoxResult";
    shape.head = u"Antwort = MsgBox(";
    return shape;
}

// The end of the call after its title: the help file and context where the
// help button is ticked, and the parenthesis of the function form.
QStringView callClosing(const Value& value, bool statement) {
    if (value.helpButton)
        return statement ? u", App.HelpFile, 0" : u", App.HelpFile, 0)";
    return statement ? u"" : u")";
}

QString basicCode(const Value& value) {
    PreparedMessage message = prepareMessage(value);
    const Shape shape = shapeOf(value);
    QString arguments = u", "_s;
    appendStyleExpression(arguments, value);
    arguments += u", ";
    const QStringView closing = callClosing(value, shape.statement);
    // The call line with the title in quotes, up to the first line after it.
    const qsizetype lineEnd = shape.after.indexOf(CR);
    const qsizetype afterOnCallLine = lineEnd < 0 ? shape.after.size() : lineEnd;
    const qsizetype callLine = shape.head.size() + message.prompt.size() + arguments.size() +
                               message.title.size() + 2 + closing.size() + afterOnCallLine;

    QString code = std::move(message.opening);
    // A title that would make the call line too long is given to Titel
    // first, as a long message is given to Msg.
    const bool titleVariable = callLine > MaxBasicLineLength;
    if (titleVariable) {
        const bool script = value.code == msgbox::CodeStyle::Vbs;
        if (!code.isEmpty())
            code += CR;
        code += script ? u"Dim Titel"_s : u"Dim Titel As String"_s;
        appendAssignment(code, script ? u" " : u"", u"Titel", msgbox::titleLine(value.title));
    }
    code += CR;
    if (!shape.before.isEmpty()) {
        code += shape.before;
        code += CR;
    }
    code += shape.head;
    code += message.prompt;
    code += arguments;
    if (titleVariable) {
        code += u"Titel";
    } else {
        code += Quote;
        code += message.title;
        code += Quote;
    }
    code += closing;
    code += shape.after;
    return code;
}

} // namespace

// A long message makes a code text of many megabytes. Built in fresh memory
// each time, every page of it costs a fault, which for a message of 16 MiB
// costs more than building the text; so the buffer of the last long code is
// kept and taken again once nobody holds that code any more. A buffer far
// larger than the next code needs is let go instead of being kept.
namespace {

QString& spareBuffer() {
    thread_local QString spare;
    return spare;
}

// Keeps the buffer of a long code for the next one.
void keepBuffer(const QString& code) {
    constexpr qsizetype worthKeeping = 64 * 1024;
    if (code.capacity() >= worthKeeping)
        spareBuffer() = code;
}

} // namespace

QString takeBuffer(qsizetype capacity) {
    QString buffer = std::exchange(spareBuffer(), QString());
    if (!buffer.isDetached() || buffer.capacity() > 2 * capacity + 4096)
        buffer = QString();
    buffer.resize(0); // keeps the capacity
    buffer.reserve(capacity);
    return buffer;
}

bool isLongMessage(QStringView message) {
    if (message.size() > InlineLimit)
        return true; // every character adds at least one
    QString joined;
    return appendJoinedMessage(joined, message) > InlineLimit;
}

PreparedMessage prepareMessage(const Value& value) {
    try {
        PreparedMessage prepared;
        appendDoubled(prepared.title, msgbox::titleLine(value.title));

        const QString& message = value.message;
        // A message short enough is joined straight into the prompt, which
        // tells its prepared length too.
        if (message.size() <= InlineLimit) {
            prepared.prompt = Quote;
            if (appendJoinedMessage(prepared.prompt, message) <= InlineLimit) {
                prepared.prompt += Quote;
                return prepared;
            }
        }
        // The lines that declare and fill Msg; scripts declare it without a
        // type and indent its statements by one blank. The buffer has room
        // for the statements, a title variable, the call and the branches,
        // so that the code is built in this one buffer.
        const bool script = value.code == msgbox::CodeStyle::Vbs;
        prepared.opening =
            takeBuffer(message.size() + message.size() / 4 + 2 * prepared.title.size() + 512);
        prepared.opening += script ? u"Dim Msg"_s : u"Dim Msg As String"_s;
        appendAssignment(prepared.opening, script ? u" " : u"", u"Msg", message);
        prepared.prompt = u"Msg"_s;
        return prepared;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

QString generateCode(const Value& value, Language language) {
    try {
        QString code;
        switch (language) {
        case Language::Basic:
            code = basicCode(value);
            break;
        case Language::VbNet:
            code = vbNetCode(value);
            break;
        case Language::CSharp:
            code = cSharpCode(value);
            break;
        }
        keepBuffer(code);
        return code;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

} // namespace veltrano::gen
