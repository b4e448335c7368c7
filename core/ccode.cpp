#include "core/codeskeleton.h"
#include "core/generators.h"
#include "core/messagelines.h"
#include "core/msgboxtables.h"

using namespace Qt::StringLiterals;

// C and C++: MessageBoxW of <windows.h> as a fragment that compiles as C99
// and as C++, with wide string literals that need no source encoding.
namespace veltrano::gen {

namespace {

// No piece of a literal denotes more UTF-16 units than this: with its
// terminating NUL that is the 2,048 bytes MSVC takes per piece. A piece is
// counted in the characters of its source, which are never fewer.
constexpr qsizetype MaxPiece = 1023;

// One wide string literal of adjacent pieces, each `L"..."`.
class WideLiteral {
public:
    explicit WideLiteral(QString& out) : m_out(out) { m_out += u"L\""; }

    // Appends the text: the backslash and the quote escaped, a ? after a ?
    // as \? (??! and the like are trigraphs in C99), controls as three octal
    // digits (C99 takes no universal character name below U+00A0, and \x
    // would swallow the hex digits behind it), U+00A0 and above as a
    // universal character name, and a lone surrogate, which no universal
    // character name may name, as a hex escape that ends its piece.
    void text(QStringView text) {
        const QChar* const end = text.data() + text.size();
        for (const QChar* p = text.data(); p != end; ++p) {
            const char16_t c = p->unicode();
            if (c == u'\\' || c == u'"') {
                const char16_t escaped[] = {u'\\', c};
                piece(escaped);
            } else if (c == u'?' && m_afterQuestion) {
                piece(u"\\?");
            } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
                const char16_t escaped[] = {u'\\', char16_t(u'0' + (c >> 6)),
                                            char16_t(u'0' + ((c >> 3) & 7)),
                                            char16_t(u'0' + (c & 7))};
                piece(escaped);
            } else if (c < 0x7F) {
                piece(QStringView(p, 1));
            } else if (p->isHighSurrogate() && p + 1 != end && p[1].isLowSurrogate()) {
                const char32_t point = QChar::surrogateToUcs4(p[0], p[1]);
                piece(u"\\U"_s + QString::number(point, 16).rightJustified(8, u'0'));
                ++p;
            } else if (p->isSurrogate()) {
                piece(u"\\x"_s + QString::number(c, 16).toUpper());
                m_ended = true;
            } else {
                piece(u"\\u"_s + QString::number(c, 16).rightJustified(4, u'0'));
            }
            m_afterQuestion = c == u'?';
        }
    }

    // A line break inside the literal.
    void lineBreak() {
        piece(u"\\n");
        m_afterQuestion = false;
    }

    void close() { m_out += u'"'; }

private:
    // Appends one character as written, in a new piece where it would make
    // the piece too long or the piece has ended.
    void piece(QStringView written) {
        if (m_ended || m_length + written.size() > MaxPiece) {
            m_out += u"\" L\"";
            m_length = 0;
            m_ended = false;
        }
        m_out += written;
        m_length += written.size();
    }

    QString& m_out;
    qsizetype m_length = 0;
    bool m_ended = false;
    bool m_afterQuestion = false;
};

// The message as one literal, its lines joined by \n.
void appendInlineMessage(QString& out, QStringView message) {
    WideLiteral literal(out);
    MessageLines lines(message);
    QStringView line;
    bool last = false;
    while (lines.next(line, last)) {
        literal.text(line);
        if (!last)
            literal.lineBreak();
    }
    literal.close();
}

// A long message in msg: one literal per line, each on a line of its own;
// an empty last line adds nothing and has none.
void appendMsgDeclaration(QString& out, QStringView variable, QStringView message) {
    out += u"const wchar_t *";
    out += variable;
    out += u" =";
    forEachMessageStatement(message, [&](QStringView line, bool, bool last) {
        out += u"\r    ";
        WideLiteral literal(out);
        literal.text(line);
        if (!last)
            literal.lineBreak();
        literal.close();
    });
    out += u";\r";
}

void opening(Code& code, const Shape&) {
    const msgbox::Value& value = code.value;
    const QStringView variable = code.language.syntax->messageVariable;
    code.out = takeBuffer(2 * value.message.size() + 2 * value.title.size() + 512);
    if (isLongMessage(value.message)) {
        appendMsgDeclaration(code.out, variable, value.message);
        code.prompt = QString::fromRawData(variable.data(), variable.size());
    } else {
        appendInlineMessage(code.prompt, value.message);
    }
    WideLiteral title(code.title);
    title.text(msgbox::titleLine(value.title));
    title.close();
}

// A box with a help button sends WM_HELP to its owner, and NULL is none.
void notes(Code& code) {
    if (code.value.helpButton) {
        code.out += code.language.comment;
        code.out += u"Für die Hilfe-Schaltfläche NULL durch ein Fenster ersetzen, dessen "
                    u"Fensterprozedur WM_HELP behandelt.\r";
    }
}

// MessageBoxW(NULL, text, caption, style): the style's constants in Basic's
// order, joined by |.
void call(Code& code, bool) {
    const msgbox::Value& value = code.value;
    QString& out = code.out;
    out += u"MessageBoxW(NULL, ";
    out += code.prompt;
    out += u", ";
    out += code.title;
    out += u", ";
    const QStringView icon = msgbox::facts(value.icon).windows;
    if (!icon.isEmpty()) {
        out += icon;
        out += u" | ";
    }
    out += msgbox::facts(value.buttons).windows;
    if (value.defaultButton) {
        out += u" | ";
        out += msgbox::facts(*value.defaultButton).windows;
    }
    for (const msgbox::FlagFacts& flag : msgbox::flags()) {
        if ((flag.value == msgbox::SystemModalFlag && value.systemModal) ||
            (flag.value == msgbox::HelpButtonFlag && value.helpButton)) {
            out += u" | ";
            out += flag.windows;
        }
    }
    out += u')';
}

} // namespace

const Syntax cSyntax = {
    .opening = opening,
    .notes = notes,
    .call = call,
    .constant = nullptr,
    .doublesQuotes = false,
    .maxLineLength = 0,
    .answerVariable = u"antwort",
    .messageVariable = u"msg",
    .titleVariable = u"",
    .statementHead = u"",
    .statementTail = u";",
    .keepDeclaration = u"",
    .keepDeclarationScript = u"",
    .keepHead = u"int %1 = ",
    .keepTail = u";",
    .selectHead = u"switch (",
    .selectTail = u") {",
    .caseHead = u"\rcase ",
    .caseTail = u":",
    .caseClose = u"\r    break;",
    .selectEnd = u"\r}",
    .caseIndent = u"    ",
    .ifHead = u"if (",
    .compare = u" == ",
    .thenAfterCall = u") {",
    .thenAfterAnswer = u") {",
    .elseIfHead = u"\r} else if (",
    .elseLine = u"\r} else {",
    .endIf = u"\r}",
    .branchIndent = u"    ",
};

} // namespace veltrano::gen
