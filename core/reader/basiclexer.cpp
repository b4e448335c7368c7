#include "core/reader/basiclexer.h"

#include "core/reader/lexer.h"

#include <QString>

#include <limits>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// The operator words after which a VB.NET line goes on.
constexpr QStringView ContinuingWords[] = {u"And", u"AndAlso", u"Or",    u"OrElse", u"Xor",
                                           u"Mod", u"Is",      u"IsNot", u"Like",   u"Not"};

bool isVbNetCommentStart(char16_t c) {
    return c == 0x2018 || c == 0x2019 || c == 0xFF07;
}

class BasicLexer : Lexer {
public:
    BasicLexer(QStringView source, lang::Language dialect)
        : Lexer(source), dialect(dialect), vbNet(dialect == lang::Language::VbNet),
          // An unterminated string in VB.NET text with other quotes than " is
          // refused with a hint at them.
          otherQuotes(vbNet && (source.contains(QChar(0x201C)) || source.contains(QChar(0x201D)) ||
                                source.contains(QChar(0xFF02)))) {}
    std::vector<Token> run();

private:
    void endStatement(char16_t how, qsizetype where);
    void skipComment();
    bool continuesImplicitly() const;
    void classicString(qsizetype start);
    void vbNetString(qsizetype start, StringForm form);
    void number(qsizetype start);
    void prefixedNumber(qsizetype start, char16_t form);
    void integerSuffix();
    void name(qsizetype start);
    void underscore(qsizetype start);

    lang::Language dialect;
    bool vbNet;
    bool otherQuotes;
};

// Consecutive statement ends become one, a line end where there is one.
void BasicLexer::endStatement(char16_t how, qsizetype where) {
    open.clear();
    if (!t.empty() && t.back().kind == Kind::End) {
        if (how == LF) {
            t.back().ch = LF;
        }
        return;
    }
    t.push_back({Kind::End, how, std::int32_t(where), 0, -1});
}

// From i (just after ' or Rem) to the end of the comment's line; a comment
// ending in " _" goes on over the next line, as in the editor.
void BasicLexer::skipComment() {
    for (;;) {
        const qsizetype contentStart = i;
        toLineEnd();
        qsizetype j = i;
        while (j > contentStart && isBlank(s[j - 1].unicode())) {
            --j;
        }
        const bool continues =
            j > contentStart && s[j - 1] == u'_' && isBlank(s[j - 2].unicode()) && i < n;
        if (!continues) {
            return;
        }
        i = pastLineBreak(i);
    }
}

// Whether a VB.NET statement goes on over the line break at i.
bool BasicLexer::continuesImplicitly() const {
    if (t.empty() || t.back().kind == Kind::End) {
        return false;
    }
    const Token& last = t.back();
    if (last.kind == Kind::NamedArg ||
        (last.kind == Kind::Symbol && QStringView(u",(&+-*/\\^=<>{").contains(QChar(last.ch)))) {
        return true;
    }
    if (last.kind == Kind::Name && last.ch == 0) {
        const QStringView word = s.sliced(last.offset, last.length);
        for (QStringView w : ContinuingWords) {
            if (word.compare(w, Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    qsizetype k = pastLineBreak(i);
    while (k < n && isBlank(s[k].unicode())) {
        ++k;
    }
    return k < n && (s[k] == u')' || s[k] == u'}');
}

// "..." with "" for ", from after the opening quote, within the line.
void BasicLexer::classicString(qsizetype start) {
    bool closed = false;
    while (i < n && !lineBreak(i)) {
        if (s[i] == u'"') {
            if (at(i + 1) != u'"') {
                ++i;
                closed = true;
                break;
            }
            ++i;
        }
        ++i;
    }
    push(closed ? Kind::String : Kind::Bad, closed ? 0 : Unterminated, start);
}

// A VB.NET string, Char or interpolated string from its opening quote at i:
// it may span lines.
void BasicLexer::vbNetString(qsizetype start, StringForm form) {
    ++i;
    bool closed = false;
    while (i < n) {
        if (isBasicQuote(s[i].unicode(), dialect)) {
            if (!isBasicQuote(at(i + 1), dialect)) {
                ++i;
                closed = true;
                break;
            }
            ++i;
        }
        ++i;
    }
    if (closed && form == VbNetString && (at(i) == u'c' || at(i) == u'C') &&
        !isNamePart(at(i + 1))) {
        ++i;
        form = VbNetChar;
    }
    push(closed ? Kind::String : Kind::Bad,
         closed ? char16_t(form) : char16_t(otherQuotes ? UnterminatedVbNet : Unterminated), start);
}

// A decimal number, with a fraction, an exponent and a type character.
void BasicLexer::number(qsizetype start) {
    digits(isDigit);
    if (at(i) == u'.' && isDigit(at(i + 1))) {
        ++i;
        digits(isDigit);
    }
    const char16_t e = at(i);
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        const qsizetype sign = (at(i + 1) == u'+' || at(i + 1) == u'-') ? 1 : 0;
        if (isDigit(at(i + 1 + sign))) {
            i += 1 + sign;
            digits(isDigit);
        }
    }
    if (at(i) != 0 && QStringView(u"%&!#@").contains(QChar(at(i)))) {
        ++i;
    }
    push(Kind::Number, u'd', start);
}

// &H or &O and its digits; VB.NET's marked 'H' and 'O'.
void BasicLexer::prefixedNumber(qsizetype start, char16_t form) {
    i += 2;
    if (form == u'h') {
        digits(isHexDigit);
    } else {
        digits(isOctalDigit);
    }
    integerSuffix();
    push(Kind::Number, vbNet ? char16_t(form - 0x20) : form, start);
}

// The type character of an &H or &O number: & or %, in VB.NET also S, US, I,
// UI, L and UL.
void BasicLexer::integerSuffix() {
    if (at(i) == u'&' || at(i) == u'%') {
        ++i;
        return;
    }
    if (!vbNet) {
        return;
    }
    const qsizetype u = (at(i) | 0x20) == u'u' ? 1 : 0;
    const char16_t type = at(i + u) | 0x20;
    if ((type == u's' || type == u'i' || type == u'l') && !isNamePart(at(i + u + 1))) {
        i += u + 1;
    }
}

// A name with its type character; Rem starts a comment where a statement
// starts, also after a line number.
void BasicLexer::name(qsizetype start) {
    while (i < n && isNamePart(s[i].unicode())) {
        ++i;
    }
    char16_t suffix = 0;
    if (at(i) != 0 && QStringView(u"$%!#@").contains(QChar(at(i)))) {
        suffix = at(i);
        ++i;
    }
    const std::size_t count = t.size();
    const bool statementStart =
        count == 0 || t.back().kind == Kind::End ||
        (t.back().kind == Kind::Number && (count == 1 || t[count - 2].kind == Kind::End));
    if (statementStart && suffix == 0 &&
        s.sliced(start, i - start).compare(u"Rem", Qt::CaseInsensitive) == 0) {
        skipComment();
    } else {
        push(Kind::Name, suffix, start);
    }
}

// A line continuation: " _" and only blanks up to the line end; else a
// Symbol.
void BasicLexer::underscore(qsizetype start) {
    qsizetype k = i + 1;
    while (k < n && isBlank(s[k].unicode())) {
        ++k;
    }
    if (k >= n) {
        i = n;
    } else if (lineBreak(k)) {
        i = pastLineBreak(k);
    } else {
        ++i;
        push(Kind::Symbol, u'_', start);
    }
}

std::vector<Token> BasicLexer::run() {
    while (i < n) {
        const char16_t c = s[i].unicode();
        const qsizetype start = i;
        if (c == CR || c == LF) {
            if (!vbNet || !continuesImplicitly()) {
                endStatement(LF, i);
            }
            i = pastLineBreak(i);
        } else if (isBlank(c)) {
            ++i;
        } else if (c == u'\'' || (vbNet && isVbNetCommentStart(c))) {
            ++i;
            skipComment();
        } else if (vbNet && isBasicQuote(c, dialect)) {
            vbNetString(start, VbNetString);
        } else if (vbNet && c == u'$' && isBasicQuote(at(i + 1), dialect)) {
            ++i;
            vbNetString(start, VbNetInterpolated);
        } else if (c == u'"') {
            ++i;
            classicString(start);
        } else if (isDigit(c)) {
            number(start);
        } else if (c == u'&' && (at(i + 1) | 0x20) == u'h' && isHexDigit(at(i + 2))) {
            prefixedNumber(start, u'h');
        } else if (c == u'&' && (at(i + 1) | 0x20) == u'o' && isOctalDigit(at(i + 2))) {
            prefixedNumber(start, u'o');
        } else if (QChar::isLetter(c)) {
            name(start);
        } else if (c == u'_') {
            underscore(start);
        } else if (c == u':' && at(i + 1) == u'=') {
            i += 2;
            push(Kind::NamedArg, 0, start);
        } else if (c == u':') {
            endStatement(u':', i);
            ++i;
        } else {
            symbol(c);
        }
    }
    endStatement(LF, n);
    return std::move(t);
}

} // namespace

std::vector<Token> tokenizeBasic(QStringView s, lang::Language dialect) {
    return BasicLexer(s, dialect).run();
}

namespace {

struct KeywordName {
    QStringView name;
    Keyword keyword;
};

constexpr KeywordName Keywords[] = {
    {u"If", Keyword::If},
    {u"ElseIf", Keyword::ElseIf},
    {u"Else", Keyword::Else},
    {u"End", Keyword::End},
    {u"Select", Keyword::Select},
    {u"Case", Keyword::Case},
    {u"For", Keyword::For},
    {u"Do", Keyword::Do},
    {u"While", Keyword::While},
    {u"Loop", Keyword::Loop},
    {u"Next", Keyword::Next},
    {u"Wend", Keyword::Wend},
    {u"Sub", Keyword::Procedure},
    {u"Function", Keyword::Procedure},
    {u"Property", Keyword::Procedure},
    {u"Public", Keyword::Modifier},
    {u"Private", Keyword::Modifier},
    {u"Friend", Keyword::Modifier},
    {u"Static", Keyword::Modifier},
    {u"Global", Keyword::Modifier},
    {u"Dim", Keyword::Dim},
    {u"Const", Keyword::Const},
    {u"Declare", Keyword::Declare},
    {u"Enum", Keyword::Declaration},
    {u"Type", Keyword::Declaration},
    {u"Debug", Keyword::Debug},
};

} // namespace

Keyword keywordAt(const Tokens& t, int k) {
    if (!t.isName(k) || t[k].ch != 0 || t[k].length > 8) {
        return Keyword::None;
    }
    const QStringView word = t.name(k);
    const char16_t first = word.front().unicode() | 0x20;
    for (const KeywordName& entry : Keywords) {
        if (entry.name.size() == word.size() && (entry.name.front().unicode() | 0x20) == first &&
            word.compare(entry.name, Qt::CaseInsensitive) == 0) {
            return entry.keyword;
        }
    }
    return Keyword::None;
}

Result<qint64> numberValue(const Tokens& t, int k) {
    const QStringView text = t.text(k);
    const char16_t base = t[k].ch;
    qsizetype i = base == u'd' ? 0 : 2;
    const int radix = (base | 0x20) == u'h' ? 16 : (base | 0x20) == u'o' ? 8 : 10;
    quint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (isDigit(c)) {
            digit = c - u'0';
        } else if (radix == 16 && isHexDigit(c)) {
            digit = (c | 0x20) - u'a' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        v = v * quint64(radix) + quint64(digit);
        if (v > 0xFFFFFFFFull) {
            return t.refuse(k, u"Die Zahl %1 ist zu groß."_s.arg(shown(text)));
        }
    }
    const QStringView rest = text.sliced(i);
    if (radix == 10) {
        if (!rest.isEmpty() && !QStringView(u"%&").contains(rest.front())) {
            return t.refuse(k, u"%1 ist keine ganze Zahl."_s.arg(shown(text)));
        }
        if (v > quint64(std::numeric_limits<qint32>::max())) {
            return t.refuse(k, u"Die Zahl %1 ist zu groß."_s.arg(shown(text)));
        }
        return qint64(v);
    }
    if (base == u'H' || base == u'O') {
        // VB.NET: an Integer of 32 bits unless the type character says
        // otherwise (S Short, US UShort, UI UInteger, L or & Long ...).
        const QString type = rest.toString().toLower();
        if (type == u"s" || type == u"us") {
            if (v > 0xFFFF) {
                return t.refuse(k, u"Die Zahl %1 ist zu groß."_s.arg(shown(text)));
            }
            return type == u"s" ? qint64(qint16(quint16(v))) : qint64(v);
        }
        if (type.isEmpty() || type == u"%" || type == u"i") {
            return qint64(qint32(quint32(v)));
        }
        return qint64(v);
    }
    const bool isLong = rest == u"&";
    if (!isLong && v <= 0xFFFF) {
        return qint64(qint16(quint16(v)));
    }
    return qint64(qint32(quint32(v)));
}

} // namespace veltrano::reader
