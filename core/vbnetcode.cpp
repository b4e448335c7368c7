#include "core/basicliterals.h"
#include "core/dotnetcode.h"
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
void appendMsgStatements(QString& out, QStringView message) {
    forEachMessageStatement(message, [&](QStringView line, bool first, bool last) {
        out += first ? u"Dim Msg As String = "_s : u"Msg &= "_s;
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

// MsgBox(prompt, style, title): the style's parts joined by Or in the order
// Basic writes them, the flags last.
void appendCall(QString& out, const msgbox::Value& value, bool longMessage) {
    out += u"MsgBox(";
    if (longMessage)
        out += u"Msg";
    else
        appendInlineMessage(out, value.message);
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
    Expression title(out);
    title.text(msgbox::titleLine(value.title));
    title.close();
    out += u')';
}

void appendComment(QString& out, msgbox::Answer answer) {
    out += u"\r    ' ";
    out += msgbox::facts(answer).caption;
}

} // namespace

QString vbNetCode(const msgbox::Value& value) {
    const bool longMessage = isLongMessage(value.message);
    QString code =
        takeBuffer(value.message.size() + value.message.size() / 2 + 2 * value.title.size() + 512);
    if (longMessage)
        appendMsgStatements(code, value.message);

    const auto answers = msgbox::facts(value.buttons).answers();
    if (answers.size() == 1) {
        appendCall(code, value, longMessage);
        return code;
    }
    switch (value.code) {
    case msgbox::CodeStyle::SelectCase:
        code += u"Select Case ";
        appendCall(code, value, longMessage);
        for (const msgbox::Answer answer : answers) {
            code += u"\rCase ";
            code += msgbox::facts(answer).vbNet;
            appendComment(code, answer);
        }
        code += u"\rEnd Select";
        return code;
    case msgbox::CodeStyle::IfThenElse:
        if (answers.size() == 2) {
            code += u"If ";
            appendCall(code, value, longMessage);
            code += u" = ";
            code += msgbox::facts(answers[0]).vbNet;
            code += u" Then";
            appendComment(code, answers[0]);
        } else {
            code += u"Dim Antwort As MsgBoxResult = ";
            appendCall(code, value, longMessage);
            for (std::size_t i = 0; i + 1 < answers.size(); ++i) {
                code += i == 0 ? u"\rIf Antwort = "_s : u"\rElseIf Antwort = "_s;
                code += msgbox::facts(answers[i]).vbNet;
                code += u" Then";
                appendComment(code, answers[i]);
            }
        }
        code += u"\rElse";
        appendComment(code, answers.back());
        code += u"\rEnd If";
        return code;
    case msgbox::CodeStyle::Einfach:
    case msgbox::CodeStyle::Vbs:
        break;
    }
    code += u"Dim Antwort As MsgBoxResult = ";
    appendCall(code, value, longMessage);
    return code;
}

} // namespace veltrano::gen
