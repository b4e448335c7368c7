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
// long in Titel, no line longer than MaxBasicLineLength. The same writer
// serves LibreOffice Basic (core/libreofficecode.cpp) through its dialect.
namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// A prepared message up to this length is written inline as the prompt.
constexpr qsizetype InlineLimit = 50;

// The dialect of VB6, VBA and VBScript.
constexpr BasicDialect Classic{BasicJoiner, lang::Constants::Basic, u" or ", true};

// The constant of a fact-table row in the dialect's column.
template <typename Row> QStringView constantOf(const Row& row, const BasicDialect& dialect) {
    return dialect.constants == lang::Constants::Windows ? row.windows : row.basic;
}

// Appends the lines of the message (see core/messagelines.h) with their
// quotes doubled and joined by the joiner, and returns the length of the
// prepared message: quotes doubled and every line two characters longer,
// for the line break that ends it or the CR LF a message without a final
// break gets.
qsizetype appendJoinedMessage(QString& out, QStringView message, QStringView joiner) {
    qsizetype prepared = 0;
    MessageLines lines(message);
    QStringView line;
    bool last = false;
    while (lines.next(line, last)) {
        const qsizetype before = out.size();
        appendDoubled(out, line);
        prepared += out.size() - before + 2;
        if (!last)
            out += joiner;
    }
    return prepared;
}

// Whether the code writes the help button: not in a dialect whose MsgBox
// has none.
bool writesHelp(const Code& code) {
    return code.value.helpButton && code.language.saysHelpButton;
}

// Style expression: constant names joined by the dialect's joiner, then the
// flags as one decimal sum or as their constants.
void appendStyleExpression(QString& out, const Code& code, const BasicDialect& dialect) {
    const msgbox::Value& value = code.value;
    const QStringView icon = constantOf(msgbox::facts(value.icon), dialect);
    if (!icon.isEmpty()) {
        out += icon;
        out += dialect.styleJoiner;
    }
    out += constantOf(msgbox::facts(value.buttons), dialect);
    if (value.defaultButton) {
        out += dialect.styleJoiner;
        out += constantOf(msgbox::facts(*value.defaultButton), dialect);
    }
    const bool help = writesHelp(code);
    if (dialect.flagsAsSum) {
        const int flags = msgbox::flagBits(value.systemModal, help);
        if (flags != 0) {
            out += u" + ";
            out += QString::number(flags);
        }
        return;
    }
    for (const msgbox::FlagFacts& flag : msgbox::flags()) {
        if ((flag.value == msgbox::SystemModalFlag && value.systemModal) ||
            (flag.value == msgbox::HelpButtonFlag && help)) {
            out += u" + ";
            out += constantOf(flag, dialect);
        }
    }
}

// The end of the call after its title: the help file and context where the
// help button is written, and the parenthesis of the function form.
QStringView callClosing(bool help, bool statement) {
    if (help)
        return statement ? u", App.HelpFile, 0" : u", App.HelpFile, 0)";
    return statement ? u"" : u")";
}

QStringView callHead(bool statement) {
    return statement ? u"MsgBox " : u"MsgBox(";
}

// The message prepared in the dialect; the script style declares Msg
// without a type and indents its statements by one blank.
PreparedMessage prepare(const msgbox::Value& value, const BasicDialect& dialect,
                        QStringView variable, bool script) {
    try {
        PreparedMessage prepared;
        appendDoubled(prepared.title, msgbox::titleLine(value.title));

        const QString& message = value.message;
        // A message short enough is joined straight into the prompt, which
        // tells its prepared length too.
        if (message.size() <= InlineLimit) {
            prepared.prompt = Quote;
            if (appendJoinedMessage(prepared.prompt, message, dialect.joiner) <= InlineLimit) {
                prepared.prompt += Quote;
                return prepared;
            }
        }
        // The lines that declare and fill Msg. The buffer has room for the
        // statements, a title variable, the call and the branches, so that
        // the code is built in this one buffer.
        prepared.opening =
            takeBuffer(message.size() + message.size() / 4 + 2 * prepared.title.size() + 512);
        prepared.opening += u"Dim ";
        prepared.opening += variable;
        if (!script)
            prepared.opening += u" As String";
        appendAssignment(prepared.opening, script ? u" " : u"", variable, message, dialect.joiner);
        prepared.prompt = QString::fromRawData(variable.data(), variable.size());
        return prepared;
    } catch (const std::bad_alloc&) {
        throw vb::Error(vb::OutOfMemory);
    }
}

void opening(Code& code, const Shape& shape) {
    basicOpening(code, shape, Classic);
}

} // namespace

void basicOpening(Code& code, const Shape& shape, const BasicDialect& dialect) {
    const msgbox::Value& value = code.value;
    const Syntax& syntax = *code.language.syntax;
    // Only a language that writes the script style declares without types.
    const bool script = value.code == msgbox::CodeStyle::Vbs && code.language.writesVbs;
    PreparedMessage message = prepare(value, dialect, syntax.messageVariable, script);
    QString& style = code.style;
    appendStyleExpression(style, code, dialect);
    // The call's line with the title in quotes.
    const qsizetype callLine = shape.headLength + callHead(shape.statement).size() +
                               message.prompt.size() + style.size() + 4 + message.title.size() + 2 +
                               callClosing(writesHelp(code), shape.statement).size() +
                               shape.tailLength;

    code.out = std::move(message.opening);
    code.prompt = std::move(message.prompt);
    // A title that would make the call's line too long is given to Titel
    // first, as a long message is given to Msg.
    if (callLine > MaxBasicLineLength) {
        if (!code.out.isEmpty())
            code.out += CR;
        code.out += u"Dim ";
        code.out += syntax.titleVariable;
        if (!script)
            code.out += u" As String";
        appendAssignment(code.out, script ? u" " : u"", syntax.titleVariable,
                         msgbox::titleLine(value.title), dialect.joiner);
        code.title = QString::fromRawData(syntax.titleVariable.data(), syntax.titleVariable.size());
    } else {
        code.title = std::move(message.title);
        code.title.prepend(Quote).append(Quote);
    }
    // The first line is the declaration of Msg, or empty.
    code.out += CR;
}

void basicCall(Code& code, bool statement) {
    QString& out = code.out;
    out += callHead(statement);
    out += code.prompt;
    out += u", ";
    out += code.style;
    out += u", ";
    out += code.title;
    out += callClosing(writesHelp(code), statement);
}

const Syntax basicSyntax = {
    .opening = opening,
    .notes = nullptr,
    .call = basicCall,
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
    return appendJoinedMessage(joined, message, BasicJoiner) > InlineLimit;
}

PreparedMessage prepareMessage(const msgbox::Value& value) {
    return prepare(value, Classic, basicSyntax.messageVariable,
                   value.code == msgbox::CodeStyle::Vbs);
}

} // namespace veltrano::gen
