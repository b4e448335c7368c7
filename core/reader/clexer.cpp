#include "core/reader/clexer.h"

#include "core/reader/lexer.h"

#include <QChar>
#include <QString>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

bool isIdentifierStart(char16_t c) {
    return c == u'_' || QChar::isLetter(c);
}

class CLexer : Lexer {
public:
    explicit CLexer(QStringView s) : Lexer(s) {}
    std::vector<Token> run();

private:
    bool atLineStart(qsizetype k) const {
        while (k > 0 && s[k - 1] != CR && s[k - 1] != LF) {
            if (!QChar::isSpace(s[k - 1].unicode())) {
                return false;
            }
            --k;
        }
        return true;
    }
    // Moves to the end of the logical line: a backslash before a line break
    // joins the next line to it.
    void toLogicalLineEnd() {
        for (;;) {
            toLineEnd();
            if (i >= n || i == 0 || s[i - 1] != u'\\') {
                return;
            }
            i = pastLineBreak(i);
        }
    }
    void directive(qsizetype start);
    void blockComment(qsizetype start);
    void quoted(qsizetype start, char16_t quote);
    void rawString(qsizetype start);
    void number(qsizetype start);
    // The length of a string prefix (L, u, U, u8, with R for a raw string)
    // at the identifier from i, or 0.
    qsizetype prefixLength(bool& raw) const;

    qsizetype defineEnd = -1; // where the #define or #undef line being read ends
};

void CLexer::directive(qsizetype start) {
    qsizetype k = i + 1;
    while (k < n && isBlank(s[k].unicode())) {
        ++k;
    }
    qsizetype end = k;
    while (end < n && QChar::isLetter(s[end].unicode())) {
        ++end;
    }
    const QStringView word = s.sliced(k, end - k);
    if (word == u"define" || word == u"undef") {
        i = end;
        push(Kind::Symbol, word == u"define" ? DefineMark : UndefMark, start);
        const qsizetype body = i;
        toLogicalLineEnd();
        defineEnd = i;
        i = body;
        return;
    }
    toLogicalLineEnd();
    if (word == u"if" || word == u"ifdef" || word == u"ifndef" || word == u"elif" ||
        word == u"elifdef" || word == u"elifndef" || word == u"else" || word == u"endif") {
        push(Kind::Symbol, u'#', start);
    }
}

void CLexer::blockComment(qsizetype start) {
    i += 2;
    while (i < n && !(s[i] == u'*' && at(i + 1) == u'/')) {
        ++i;
    }
    if (i >= n) {
        push(Kind::Bad, UnterminatedComment, start);
        return;
    }
    i += 2;
}

// From the opening quote: escapes, no line break. An unterminated character
// literal is refused up to the line end, so that a Basic comment read as C
// hides nothing that follows it on the line.
void CLexer::quoted(qsizetype start, char16_t quote) {
    ++i;
    while (i < n && !lineBreak(i)) {
        if (s[i] == u'\\' && i + 1 < n && !lineBreak(i + 1)) {
            i += 2;
        } else if (s[i] == quote) {
            ++i;
            push(Kind::String, quote == u'"' ? CString : CChar, start);
            return;
        } else {
            ++i;
        }
    }
    if (quote == u'\'') {
        toLineEnd();
        push(Kind::Bad, UnterminatedChar, start);
        return;
    }
    push(Kind::Bad, Unterminated, start);
}

// From the opening quote of R"delim( ... )delim".
void CLexer::rawString(qsizetype start) {
    const qsizetype open = s.indexOf(u'(', i);
    const qsizetype lineEnd = [&] {
        qsizetype k = i;
        while (k < n && !lineBreak(k)) {
            ++k;
        }
        return k;
    }();
    if (open < 0 || open > lineEnd || open - i - 1 > 16) {
        i = lineEnd;
        push(Kind::Bad, Unterminated, start);
        return;
    }
    const QString close = u')' + s.sliced(i + 1, open - i - 1).toString() + u'"';
    const qsizetype end = s.indexOf(close, open + 1);
    if (end < 0) {
        i = n;
        push(Kind::Bad, Unterminated, start);
        return;
    }
    i = end + close.size();
    push(Kind::String, CRaw, start);
}

qsizetype CLexer::prefixLength(bool& raw) const {
    qsizetype k = i;
    if (at(k) == u'u' && at(k + 1) == u'8') {
        k += 2;
    } else if (at(k) == u'L' || at(k) == u'u' || at(k) == u'U') {
        ++k;
    }
    raw = at(k) == u'R';
    if (raw) {
        ++k;
    }
    return at(k) == u'"' || (!raw && k > i && at(k) == u'\'') ? k - i : 0;
}

void CLexer::number(qsizetype start) {
    char16_t form = u'd';
    auto separated = [this](auto digit) {
        while (digit(at(i)) || (at(i) == u'\'' && digit(at(i + 1)))) {
            ++i;
        }
    };
    if (s[i] == u'0' && (at(i + 1) == u'x' || at(i + 1) == u'X')) {
        form = u'x';
        i += 2;
        separated(isHexDigit);
    } else if (s[i] == u'0' && (at(i + 1) == u'b' || at(i + 1) == u'B')) {
        form = u'b';
        i += 2;
        separated([](char16_t c) { return c == u'0' || c == u'1'; });
    } else {
        form = s[i] == u'0' ? u'o' : u'd';
        separated(isDigit);
        if (at(i) == u'.') {
            form = u'r';
            ++i;
            separated(isDigit);
        }
        if (at(i) == u'e' || at(i) == u'E') {
            const qsizetype sign = (at(i + 1) == u'+' || at(i + 1) == u'-') ? 1 : 0;
            if (isDigit(at(i + 1 + sign))) {
                form = u'r';
                i += 1 + sign;
                digits(isDigit);
            }
        }
    }
    while (isNamePart(at(i))) {
        ++i;
    }
    push(Kind::Number, form, start);
}

std::vector<Token> CLexer::run() {
    while (i < n) {
        if (defineEnd >= 0 && i >= defineEnd) {
            t.push_back({Kind::Symbol, u';', std::int32_t(defineEnd), 0, -1});
            defineEnd = -1;
        }
        const char16_t c = s[i].unicode();
        const qsizetype start = i;
        if (QChar::isSpace(c)) {
            ++i;
        } else if (c == u'\\' && lineBreak(i + 1)) {
            i = pastLineBreak(i + 1);
        } else if (c == u'/' && at(i + 1) == u'/') {
            toLogicalLineEnd();
        } else if (c == u'/' && at(i + 1) == u'*') {
            blockComment(start);
        } else if (c == u'#' && defineEnd < 0 && atLineStart(i)) {
            directive(start);
        } else if (c == u'"' || c == u'\'') {
            quoted(start, c);
        } else if (isIdentifierStart(c)) {
            bool raw = false;
            if (const qsizetype prefix = prefixLength(raw); prefix > 0) {
                i += prefix;
                if (raw) {
                    rawString(start);
                } else {
                    quoted(start, s[i].unicode());
                }
                continue;
            }
            while (i < n && isNamePart(s[i].unicode())) {
                ++i;
            }
            push(Kind::Name, 0, start);
        } else if (isDigit(c) || (c == u'.' && isDigit(at(i + 1)))) {
            number(start);
        } else if (c == u'(') {
            openParenthesis();
        } else if (c == u')') {
            closeParenthesis();
        } else {
            ++i;
            push(Kind::Symbol, c, start);
        }
    }
    if (defineEnd >= 0) {
        t.push_back({Kind::Symbol, u';', std::int32_t(n), 0, -1});
    }
    t.push_back({Kind::End, LF, std::int32_t(n), 0, -1});
    return std::move(t);
}

} // namespace

std::vector<Token> tokenizeC(QStringView s) {
    return CLexer(s).run();
}

Result<qint64> cNumberValue(const Tokens& t, int k) {
    const QStringView text = t.text(k);
    const char16_t form = t[k].ch;
    if (form == u'r') {
        return t.refuse(k, u"%1 ist keine ganze Zahl."_s.arg(shown(text)));
    }
    const int radix = form == u'x' ? 16 : form == u'b' ? 2 : form == u'o' ? 8 : 10;
    qsizetype i = radix == 16 || radix == 2 ? 2 : 0;
    quint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\'') {
            continue;
        }
        int digit = -1;
        if (isDigit(c)) {
            digit = c - u'0';
        } else if (radix == 16 && isHexDigit(c)) {
            digit = (c | 0x20) - u'a' + 10;
        }
        if (digit < 0) {
            break;
        }
        if (digit >= radix) {
            return t.refuse(k, u"%1 ist keine gültige Zahl."_s.arg(shown(text)));
        }
        v = v * quint64(radix) + quint64(digit);
        if (v > 0xFFFFFFFFull) {
            return t.refuse(k, u"Die Zahl %1 ist zu groß."_s.arg(shown(text)));
        }
    }
    for (QChar c : text.sliced(i)) {
        if (!QStringView(u"uUlL").contains(c)) {
            return t.refuse(k, u"%1 ist keine ganze Zahl."_s.arg(shown(text)));
        }
    }
    return qint64(v);
}

} // namespace veltrano::reader
