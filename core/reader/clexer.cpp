#include "core/reader/clexer.h"

#include "core/reader/integerliteral.h"
#include "core/reader/lexer.h"

#include <QChar>
#include <QString>

namespace veltrano::reader {

namespace {

class CLexer : Lexer {
public:
    explicit CLexer(QStringView s) : Lexer(s) {}
    std::vector<Token> run();

private:
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
    void quoted(qsizetype start, char16_t quote);
    void rawString(qsizetype start);
    void number(qsizetype start);
    // The length of a string prefix (L, u, U, u8, with R for a raw string)
    // at the identifier from i, or 0.
    qsizetype prefixLength(bool& raw) const;

    qsizetype defineEnd = -1; // where the #define or #undef line being read ends
};

void CLexer::directive(qsizetype start) {
    const QStringView word = directiveWord(i);
    if (word == u"define" || word == u"undef") {
        i = word.data() - s.data() + word.size(); // the mark spans #define or #undef
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

// From the opening quote: escapes, no line break. An unterminated character
// literal is refused up to the line end, so that a Basic comment read as C
// hides nothing that follows it on the line.
void CLexer::quoted(qsizetype start, char16_t quote) {
    ++i;
    if (closeQuote(quote)) {
        push(Kind::String, quote == u'"' ? CString : CChar, start);
        return;
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
    auto separated = [this](auto digit) {
        while (digit(at(i)) || (at(i) == u'\'' && digit(at(i + 1)))) {
            ++i;
        }
    };
    char16_t form = radixPrefix();
    if (form == u'x') {
        separated(isHexDigit);
    } else if (form == u'b') {
        separated(isBinaryDigit);
    } else {
        form = s[i] == u'0' ? u'o' : u'd';
        separated(isDigit);
        if (at(i) == u'.') {
            form = u'r';
            ++i;
            separated(isDigit);
        }
        exponent(form);
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
            blockComment(start, u'*', u'/');
        } else if (c == u'#' && defineEnd < 0 && atLineStart(i)) {
            directive(start);
        } else if (c == u'"' || c == u'\'') {
            quoted(start, c);
        } else if (isNameStart(c)) {
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
            restOfName(start);
        } else if (isDigit(c) || (c == u'.' && isDigit(at(i + 1)))) {
            number(start);
        } else {
            symbol(c);
        }
    }
    if (defineEnd >= 0) {
        t.push_back({Kind::Symbol, u';', std::int32_t(n), 0, -1});
    }
    return finished();
}

} // namespace

std::vector<Token> tokenizeC(QStringView s) {
    return CLexer(s).run();
}

Result<qint64> cNumberValue(const Tokens& t, int k) {
    return integerLiteralValue(t, k, u'\'', true);
}

} // namespace veltrano::reader
