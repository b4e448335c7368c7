#include "core/basicliterals.h"
#include "core/codeskeleton.h"
#include "core/generators.h"
#include "core/messagelines.h"
#include "core/msgboxtables.h"

using namespace Qt::StringLiterals;

namespace veltrano::gen {

namespace {

constexpr QChar CR = u'\r';
constexpr QChar Quote = u'"';

// Characters a VB.NET string literal cannot hold as they are: the three
// that VB.NET reads as quotes even inside a literal (German text opens a
// quotation with U+201E and closes it with U+201C), the line and paragraph
// separators it reads as line ends, and control characters but the tab,
// which would stand in the code unseen.
bool needsChrW(char16_t c) {
    return c == 0x201C || c == 0x201D || c == 0xFF02 || c == 0x2028 || c == 0x2029 ||
           (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

// Joins the pieces of one expression with " & ".
class Expression {
public:
    explicit Expression(QString& out) : m_out(out) {}

    void piece(QStringView text) {
        if (m_pieces++ > 0)
            m_out += u" & ";
        m_out += text;
    }
    // A text: literals with their quotes doubled and ChrW(&H...) for each
    // character no literal can hold, a lone surrogate included.
    void text(QStringView text) {
        const QChar* run = text.data();
        const QChar* const end = run + text.size();
        for (const QChar* p = run; p != end; ++p) {
            const char16_t c = p->unicode();
            if (c >= 0x20 && c < 0x7F)
                continue; // printable ASCII, the common case
            if (p->isHighSurrogate() && p + 1 != end && p[1].isLowSurrogate()) {
                ++p;
                continue;
            }
            if (!needsChrW(c) && !p->isSurrogate())
                continue;
            literal(QStringView(run, p));
            piece(u"ChrW(&H"_s + QString::number(p->unicode(), 16).toUpper() + u')');
            run = p + 1;
        }
        literal(QStringView(run, end));
    }
    // The empty text where nothing was written.
    void close() {
        if (m_pieces == 0)
            m_out += u"\"\"";
    }

private:
    void literal(QStringView run) {
        if (run.isEmpty())
            return;
        if (m_pieces++ > 0)
            m_out += u" & ";
        m_out += Quote;
        appendDoubled(m_out, run);
        m_out += Quote;
    }

    QString& m_out;
    int m_pieces = 0;
};

// The message as one expression, its lines joined by vbCrLf.
void appendInlineMessage(QString& out, QStringView message) {
    Expression expression(out);
    MessageLines lines(message);
    QStringView line;
    bool last = false;
    while (lines.next(line, last)) {
        expression.text(line);
        if (!last)
            expression.piece(u"vbCrLf");
    }
    expression.close();
}

// A long message in Msg, one statement per line; an empty last line adds
// nothing and has none.
void appendMsgStatements(QString& out, QStringView variable, QStringView message) {
    // The starts of the statements, made once: a long message has many.
    const QString declare = u"Dim "_s + variable.toString() + u" As String = "_s;
    const QString add = variable.toString() + u" &= "_s;
    forEachMessageStatement(message, [&](QStringView line, bool first, bool last) {
        out += first ? declare : add;
        Expression expression(out);
        expression.text(line);
        if (!last)
            expression.piece(u"vbCrLf");
        expression.close();
        out += CR;
    });
}

QStringView flagName(int value) {
    for (const msgbox::FlagFacts& flag : msgbox::flags()) {
        if (flag.value == value)
            return flag.vbNet;
    }
    return {};
}

void opening(Code& code, const Shape&) {
    const msgbox::Value& value = code.value;
    const QStringView variable = code.language.syntax->messageVariable;
    code.out =
        takeBuffer(value.message.size() + value.message.size() / 2 + 2 * value.title.size() + 512);
    if (isLongMessage(value.message)) {
        appendMsgStatements(code.out, variable, value.message);
        code.prompt = QString::fromRawData(variable.data(), variable.size());
    } else {
        appendInlineMessage(code.prompt, value.message);
    }
    code.title.reserve(value.title.size() + 16);
    Expression title(code.title);
    title.text(msgbox::titleLine(value.title));
    title.close();
}

// MsgBox(prompt, style, title): the style's parts joined by Or in the order
// Basic writes them, the flags last.
void call(Code& code, bool) {
    const msgbox::Value& value = code.value;
    QString& out = code.out;
    out += u"MsgBox(";
    out += code.prompt;
    out += u", ";
    if (value.icon != msgbox::Icon::None) {
        out += msgbox::facts(value.icon).vbNet;
        out += u" Or ";
    }
    out += msgbox::facts(value.buttons).vbNet;
    if (value.defaultButton) {
        out += u" Or ";
        out += msgbox::facts(*value.defaultButton).vbNet;
    }
    if (value.systemModal) {
        out += u" Or ";
        out += flagName(msgbox::SystemModalFlag);
    }
    if (value.helpButton) {
        out += u" Or ";
        out += flagName(msgbox::HelpButtonFlag);
    }
    out += u", ";
    out += code.title;
    out += u')';
}

} // namespace

// VB.NET: MsgBox of Microsoft.VisualBasic with MsgBoxStyle and MsgBoxResult.
const Syntax vbNetSyntax = {
    .opening = opening,
    .notes = nullptr,
    .call = call,
    .constant = nullptr,
    .doublesQuotes = true,
    .maxLineLength = 0,
    .answerVariable = u"Antwort",
    .messageVariable = u"Msg",
    .titleVariable = u"",
    .statementHead = u"",
    .statementTail = u"",
    .keepDeclaration = u"",
    .keepDeclarationScript = u"",
    .keepHead = u"Dim %1 As MsgBoxResult = ",
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
    .thenAfterCall = u" Then",
    .thenAfterAnswer = u" Then",
    .elseIfHead = u"\rElseIf ",
    .elseLine = u"\rElse",
    .endIf = u"\rEnd If",
    .branchIndent = u"    ",
};

} // namespace veltrano::gen
