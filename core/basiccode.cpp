#include "core/basicliterals.h"
#include "core/codeskeleton.h"
#include "core/generators.h"
#include "core/messagelines.h"
#include "core/msgboxtables.h"
#include "core/vberror.h"

#include <new>

using namespace Qt::StringLiterals;

// VB6, VBA and VBScript: MsgBox with the style constants joined by " or "
// and the two flags as one decimal sum, quotes doubled, a message of more
// than 50 characters in Msg and a title that would make the call's line too
// long in Titel, no line longer than MaxBasicLineLength.
namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// A prepared message up to this length is written inline as the prompt.
constexpr qsizetype InlineLimit = 50;

// Appends the lines of the message (see core/messagelines.h) with their
// quotes doubled and joined by BasicJoiner, and returns the length of the
// prepared message: quotes doubled and every line two characters longer,
// for the line break that ends it or the CR LF a message without a final
// break gets.
qsizetype appendJoinedMessage(QString& out, QStringView message) {
    qsizetype prepared = 0;
    MessageLines lines(message);
    QStringView line;
    bool last = false;
    while (lines.next(line, last)) {
        const qsizetype before = out.size();
        appendDoubled(out, line);
        prepared += out.size() - before + 2;
        if (!last)
            out += BasicJoiner;
    }
    return prepared;
}

// Style expression: constant names joined by " or ", then the flag sum.
void appendStyleExpression(QString& out, const msgbox::Value& value) {
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
    // The two flags as one decimal sum.
    const int flags = msgbox::flagBits(value.systemModal, value.helpButton);
    if (flags != 0) {
        out += u" + ";
        out += QString::number(flags);
    }
}

// The end of the call after its title: the help file and context where the
// help button is ticked, and the parenthesis of the function form.
QStringView callClosing(const msgbox::Value& value, bool statement) {
    if (value.helpButton)
        return statement ? u", App.HelpFile, 0" : u", App.HelpFile, 0)";
    return statement ? u"" : u")";
}

QStringView callHead(bool statement) {
    return statement ? u"MsgBox " : u"MsgBox(";
}

void opening(Code& code, const Shape& shape) {
    const msgbox::Value& value = code.value;
    const Syntax& syntax = *code.language.syntax;
    PreparedMessage message = prepareMessage(value);
    QString style;
    appendStyleExpression(style, value);
    // The call's line with the title in quotes.
    const qsizetype callLine = shape.head.size() + callHead(shape.statement).size() +
                               message.prompt.size() + style.size() + 4 + message.title.size() + 2 +
                               callClosing(value, shape.statement).size() + shape.tail.size();

    code.out = std::move(message.opening);
    code.prompt = std::move(message.prompt);
    // A title that would make the call's line too long is given to Titel
    // first, as a long message is given to Msg.
    if (callLine > MaxBasicLineLength) {
        const bool script = value.code == msgbox::CodeStyle::Vbs;
        if (!code.out.isEmpty())
            code.out += CR;
        code.out += u"Dim ";
        code.out += syntax.titleVariable;
        if (!script)
            code.out += u" As String";
        appendAssignment(code.out, script ? u" " : u"", syntax.titleVariable,
                         msgbox::titleLine(value.title));
        code.title = syntax.titleVariable.toString();
    } else {
        code.title = Quote + message.title + Quote;
    }
    // The first line is the declaration of Msg, or empty.
    code.out += CR;
}

void call(Code& code, bool statement) {
    QString& out = code.out;
    out += callHead(statement);
    out += code.prompt;
    out += u", ";
    appendStyleExpression(out, code.value);
    out += u", ";
    out += code.title;
    out += callClosing(code.value, statement);
}

} // namespace

const Syntax basicSyntax = {
    .opening = opening,
    .notes = nullptr,
    .call = call,
    .constant = nullptr,
    .doublesQuotes = true,
    .maxLineLength = MaxBasicLineLength,
    .answerVariable = u"Antwort",
    .messageVariable = u"Msg",
    .titleVariable = u"Titel",
    .statementHead = u"",
    .statementTail = u"",
    .keepDeclaration = u"Dim %1 As VbMsgBoxResult",
    .keepDeclarationScript = u" Dim %1 ",
    .keepHead = u"%1 = ",
    .keepTail = u"",
    .selectHead = u"Select Case ",
    .selectTail = u"",
    .caseHead = u"\rCase ",
    .caseTail = u"",
    .caseClose = u"",
    .selectEnd = u"\rEnd Select",
    .caseIndent = u"    ",
    .ifHead = u"If ",
    .compare = u" = ",
    .thenAfterCall = u" then",
    .thenAfterAnswer = u" Then",
    .elseIfHead = u"\rElseIf ",
    .elseLine = u"\rElse",
    .endIf = u"\rEnd If",
    .branchIndent = u"    ",
};

bool isLongMessage(QStringView message) {
    if (message.size() > InlineLimit)
        return true; // every character adds at least one
    QString joined;
    return appendJoinedMessage(joined, message) > InlineLimit;
}

PreparedMessage prepareMessage(const msgbox::Value& value) {
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
        const QStringView variable = basicSyntax.messageVariable;
        prepared.opening =
            takeBuffer(message.size() + message.size() / 4 + 2 * prepared.title.size() + 512);
        prepared.opening += u"Dim ";
        prepared.opening += variable;
        if (!script)
            prepared.opening += u" As String";
        appendAssignment(prepared.opening, script ? u" " : u"", variable, message);
        prepared.prompt = variable.toString();
        return prepared;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

} // namespace veltrano::gen
