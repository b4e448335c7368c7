#include "core/reader/csharplexer.h"

#include "core/reader/integerliteral.h"
#include "core/reader/lexer.h"

#include "core/reader/limits.h"

#include <QChar>
#include <QString>

#include <algorithm>

namespace veltrano::reader {

namespace {

class CSharpLexer : Lexer {
public:
    explicit CSharpLexer(QStringView s) : Lexer(s) {}
    std::vector<Token> run();

private:
    // Whether the line from start is #if, #elif, #else or #endif.
    bool conditionalDirective(qsizetype start) const {
        const QStringView word = directiveWord(start);
        return word == u"if" || word == u"elif" || word == u"else" || word == u"endif";
    }
    void regularString(qsizetype start);
    void verbatimString(qsizetype start);
    void interpolatedString(qsizetype start, bool verbatim);
    void hole();
    void charLiteral(qsizetype start);
    void rawString(qsizetype start);
    void number(qsizetype start);
    bool namedArgument() const {
        const std::size_t count = t.size();
        return count >= 2 && t[count - 1].kind == Kind::Name && t[count - 2].kind == Kind::Symbol &&
               (t[count - 2].ch == u'(' || t[count - 2].ch == u',');
    }
};

// From after the opening quote: escapes, no line break.
void CSharpLexer::regularString(qsizetype start) {
    if (closeQuote(u'"')) {
        push(Kind::String, RegularString, start);
    } else {
        push(Kind::Bad, Unterminated, start);
    }
}

// From after the opening quote: "" for ", any line breaks.
void CSharpLexer::verbatimString(qsizetype start) {
    while (i < n) {
        if (s[i] == u'"') {
            if (at(i + 1) != u'"') {
                ++i;
                push(Kind::String, VerbatimString, start);
                return;
            }
            ++i;
        }
        ++i;
    }
    push(Kind::Bad, Unterminated, start);
}

// An expression inside an interpolated string, from after its '{' to after
// its '}': nested braces, strings and characters are skipped.
void CSharpLexer::hole() {
    int depth = 1;
    while (i < n && depth > 0) {
        const char16_t c = s[i].unicode();
        if (c == u'"') {
            ++i;
            closeQuote(u'"');
        } else if (c == u'\'') {
            ++i;
            while (i < n && !lineBreak(i) && s[i] != u'\'') {
                i += s[i] == u'\\' ? 2 : 1;
            }
            ++i;
        } else {
            depth += c == u'{' ? 1 : c == u'}' ? -1 : 0;
            ++i;
        }
    }
    i = std::min(i, n);
}

void CSharpLexer::interpolatedString(qsizetype start, bool verbatim) {
    while (i < n && (verbatim || !lineBreak(i))) {
        const char16_t c = s[i].unicode();
        if (c == u'"') {
            if (verbatim && at(i + 1) == u'"') {
                i += 2;
                continue;
            }
            ++i;
            push(Kind::String, verbatim ? VerbatimInterpolated : InterpolatedString, start);
            return;
        }
        if (c == u'\\' && !verbatim && i + 1 < n && !lineBreak(i + 1)) {
            i += 2;
        } else if ((c == u'{' || c == u'}') && at(i + 1) == c) {
            i += 2;
        } else if (c == u'{') {
            ++i;
            hole();
        } else {
            ++i;
        }
    }
    push(Kind::Bad, Unterminated, start);
}

// 'x', '\n', '\u201C', '\x22': anything else is refused up to the line end,
// so that a Basic comment read as C# hides nothing that follows it on the
// line.
void CSharpLexer::charLiteral(qsizetype start) {
    qsizetype k = i + 1;
    if (at(k) == u'\\') {
        const char16_t e = at(k + 1);
        k += 2;
        const int digits = e == u'u' ? 4 : e == u'U' ? 8 : e == u'x' ? -4 : 0;
        for (int d = 0; d < (digits < 0 ? -digits : digits) && isHexDigit(at(k)); ++d) {
            ++k;
        }
    } else if (k < n && at(k) != u'\'' && !lineBreak(k)) {
        ++k;
    }
    if (at(k) == u'\'' && k > i + 1) {
        i = k + 1;
        push(Kind::String, CharLiteral, start);
        return;
    }
    i = std::min(k, n);
    toLineEnd();
    push(Kind::Bad, UnterminatedChar, start);
}

// """...""" (also with more quotes): skipped to its closing quotes and
// refused where the reading reaches it.
void CSharpLexer::rawString(qsizetype start) {
    qsizetype quotes = 0;
    while (at(i) == u'"') {
        ++quotes;
        ++i;
    }
    for (qsizetype run = 0; i < n; ++i) {
        run = s[i] == u'"' ? run + 1 : 0;
        if (run == quotes) {
            ++i;
            break;
        }
    }
    push(Kind::Bad, RawString, start);
}

void CSharpLexer::number(qsizetype start) {
    char16_t form = radixPrefix();
    if (form == u'x') {
        digits(isHexDigit, true);
    } else if (form == u'b') {
        digits(isBinaryDigit, true);
    } else {
        form = u'd';
        digits(isDigit, true);
        if (at(i) == u'.' && isDigit(at(i + 1))) {
            form = u'r';
            ++i;
            digits(isDigit, true);
        }
        exponent(form);
    }
    while (isNamePart(at(i))) {
        if (QStringView(u"fFdDmM").contains(QChar(at(i))) && form == u'd') {
            form = u'r';
        }
        ++i;
    }
    push(Kind::Number, form, start);
}

std::vector<Token> CSharpLexer::run() {
    while (i < n) {
        const char16_t c = s[i].unicode();
        const qsizetype start = i;
        if (QChar::isSpace(c)) {
            ++i;
        } else if (c == u'/' && at(i + 1) == u'/') {
            toLineEnd();
        } else if (c == u'/' && at(i + 1) == u'*') {
            blockComment(start, u'*', u'/');
        } else if (c == u'#' && atLineStart(i)) {
            toLineEnd();
            if (conditionalDirective(start)) {
                push(Kind::Symbol, c, start);
            }
        } else if (c == u'"' && at(i + 1) == u'"' && at(i + 2) == u'"') {
            rawString(start);
        } else if (c == u'$' && (at(i + 1) == u'$' ||
                                 (at(i + 1) == u'"' && at(i + 2) == u'"' && at(i + 3) == u'"'))) {
            while (at(i) == u'$') {
                ++i;
            }
            rawString(start);
        } else if (c == u'"') {
            ++i;
            regularString(start);
        } else if (c == u'@' && at(i + 1) == u'"') {
            i += 2;
            verbatimString(start);
        } else if (c == u'$' && at(i + 1) == u'"') {
            i += 2;
            interpolatedString(start, false);
        } else if ((c == u'$' && at(i + 1) == u'@' && at(i + 2) == u'"') ||
                   (c == u'@' && at(i + 1) == u'$' && at(i + 2) == u'"')) {
            i += 3;
            interpolatedString(start, true);
        } else if (c == u'\'') {
            charLiteral(start);
        } else if (c == u'@' && isNameStart(at(i + 1))) {
            ++i;
            restOfName(i);
        } else if (isNameStart(c)) {
            restOfName(start);
        } else if (isDigit(c) || (c == u'.' && isDigit(at(i + 1)))) {
            number(start);
        } else if (c == u':' && at(i + 1) != u':' && namedArgument()) {
            ++i;
            push(Kind::NamedArg, 0, start);
        } else {
            symbol(c);
        }
    }
    return finished();
}

} // namespace

std::vector<Token> tokenizeCSharp(QStringView s) {
    return CSharpLexer(s).run();
}

Result<qint64> csharpNumberValue(const Tokens& t, int k) {
    return integerLiteralValue(t, k, u'_', false);
}

} // namespace veltrano::reader
