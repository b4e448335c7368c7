#include "core/reader/powershelllexer.h"

#include "core/reader/lexer.h"

#include <QChar>
#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// The binary operators after which a line goes on.
constexpr QStringView LineOperators[] = {
    u"eq",      u"ne",    u"gt",       u"ge",       u"lt",          u"le",  u"like",
    u"notlike", u"match", u"notmatch", u"contains", u"notcontains", u"in",  u"notin",
    u"bor",     u"band",  u"bxor",     u"and",      u"or",          u"xor", u"join",
    u"replace", u"split", u"f",        u"is",       u"isnot",       u"as",
};

class PowerShellLexer : Lexer {
public:
    explicit PowerShellLexer(QStringView s) : Lexer(s) {}
    std::vector<Token> run();

private:
    bool skipSingle(qsizetype& p) const;
    bool skipDouble(qsizetype& p, int depth) const;
    bool skipSubexpression(qsizetype& p, int depth) const;
    bool skipHereString(qsizetype& p, bool expandable) const;
    qsizetype hereStringStart(qsizetype p) const;
    void variable(qsizetype start);
    void number(qsizetype start);
    void lineBreak(qsizetype start);
    bool continues() const;
};

// From after the opening quote to after the closing one.
bool PowerShellLexer::skipSingle(qsizetype& p) const {
    while (p < n) {
        if (isSingleQuote(s[p].unicode())) {
            if (!isSingleQuote(at(p + 1))) {
                ++p;
                return true;
            }
            ++p;
        }
        ++p;
    }
    return false;
}

// From after the opening quote to after the closing one: backtick escapes,
// "" for ", ${name} and $( ... ) with strings of their own.
bool PowerShellLexer::skipDouble(qsizetype& p, int depth) const {
    while (p < n) {
        const char16_t c = s[p].unicode();
        if (c == u'`') {
            p += 2;
        } else if (isDoubleQuote(c)) {
            if (!isDoubleQuote(at(p + 1))) {
                ++p;
                return true;
            }
            p += 2;
        } else if (c == u'$' && at(p + 1) == u'(') {
            p += 2;
            if (!skipSubexpression(p, depth + 1)) {
                return false;
            }
        } else if (c == u'$' && at(p + 1) == u'{') {
            while (p < n && s[p] != u'}') {
                ++p;
            }
            ++p;
        } else {
            ++p;
        }
    }
    return false;
}

// From after the '(' of $( to after its ')'.
bool PowerShellLexer::skipSubexpression(qsizetype& p, int depth) const {
    if (depth > MaxNesting) {
        return false;
    }
    int level = 1;
    while (p < n) {
        const char16_t c = s[p].unicode();
        ++p;
        if (isSingleQuote(c)) {
            if (!skipSingle(p)) {
                return false;
            }
        } else if (isDoubleQuote(c)) {
            if (!skipDouble(p, depth)) {
                return false;
            }
        } else if (c == u'`') {
            ++p;
        } else if (c == u'(' && ++level > MaxNesting) {
            return false;
        } else if (c == u')' && --level == 0) {
            return true;
        }
    }
    return false;
}

// The place after the line break that opens a here-string whose @ is at p,
// or -1: @" or @' with only blanks up to the line end.
qsizetype PowerShellLexer::hereStringStart(qsizetype p) const {
    qsizetype k = p + 2;
    while (k < n && isBlank(s[k].unicode())) {
        ++k;
    }
    return k < n && Lexer::lineBreak(k) ? pastLineBreak(k) : -1;
}

// From the first line of the content to after the closing "@ or '@, which
// stands at the start of a line.
bool PowerShellLexer::skipHereString(qsizetype& p, bool expandable) const {
    bool lineStart = true;
    while (p < n) {
        const char16_t c = s[p].unicode();
        if (lineStart && (expandable ? isDoubleQuote(c) : isSingleQuote(c)) && at(p + 1) == u'@') {
            p += 2;
            return true;
        }
        lineStart = Lexer::lineBreak(p);
        p = lineStart ? pastLineBreak(p) : p + 1;
    }
    return false;
}

// $name, $scope:name, ${name}, $$, $?, $^: a Name over the name.
void PowerShellLexer::variable(qsizetype start) {
    if (at(i + 1) == u'{') {
        const qsizetype nameStart = i + 2;
        qsizetype k = nameStart;
        while (k < n && s[k] != u'}') {
            k += s[k] == u'`' ? 2 : 1;
        }
        if (k >= n) {
            i = n;
            push(Kind::Bad, Unterminated, start);
            return;
        }
        i = k;
        push(Kind::Name, 0, nameStart);
        ++i;
        return;
    }
    const qsizetype nameStart = ++i;
    if (at(i) == u'$' || at(i) == u'?' || at(i) == u'^') {
        ++i;
    } else {
        while (i < n && (isNamePart(s[i].unicode()) ||
                         (s[i] == u':' && isNameStart(at(i + 1)) && i > nameStart))) {
            ++i;
        }
    }
    push(Kind::Name, 0, nameStart);
}

void PowerShellLexer::number(qsizetype start) {
    char16_t form = u'd';
    if (s[i] == u'0' && (at(i + 1) == u'x' || at(i + 1) == u'X')) {
        form = u'h';
        i += 2;
        digits(isHexDigit);
    } else {
        digits(isDigit);
        if (at(i) == u'.' && isDigit(at(i + 1))) {
            form = u'r';
            ++i;
            digits(isDigit);
        }
    }
    while (isNamePart(at(i))) {
        ++i;
    }
    push(Kind::Number, form, start);
}

// Whether the last token needs more, so that the statement goes on over a
// line break.
bool PowerShellLexer::continues() const {
    if (t.empty()) {
        return true;
    }
    const Token& last = t.back();
    if (last.kind == Kind::End) {
        return true;
    }
    if (last.kind == Kind::Symbol) {
        return QStringView(u",=+|*/%.").contains(QChar(last.ch));
    }
    if (last.kind == Kind::Name && last.ch == u'-') {
        QStringView word = s.sliced(last.offset + 1, last.length - 1);
        if (word.size() > 1 &&
            (word[0] == u'c' || word[0] == u'i' || word[0] == u'C' || word[0] == u'I')) {
            for (QStringView op : LineOperators) {
                if (word.sliced(1).compare(op, Qt::CaseInsensitive) == 0) {
                    return true;
                }
            }
        }
        for (QStringView op : LineOperators) {
            if (word.compare(op, Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return false;
}

void PowerShellLexer::lineBreak(qsizetype start) {
    i = pastLineBreak(i);
    if (open.empty() && !continues()) {
        t.push_back({Kind::End, LF, std::int32_t(start), 0, -1});
    }
}

std::vector<Token> PowerShellLexer::run() {
    while (i < n) {
        const char16_t c = s[i].unicode();
        const qsizetype start = i;
        if (c == CR || c == LF) {
            lineBreak(start);
        } else if (QChar::isSpace(c)) {
            ++i;
        } else if (c == u'#') {
            toLineEnd();
        } else if (c == u'<' && at(i + 1) == u'#') {
            blockComment(start, u'#', u'>');
        } else if (c == u'`') {
            // A backtick before a line break joins the lines; before any
            // other character it takes the character as it is.
            i = Lexer::lineBreak(i + 1) ? pastLineBreak(i + 1) : i + 2;
        } else if (isSingleQuote(c) || isDoubleQuote(c)) {
            ++i;
            const bool closed = isSingleQuote(c) ? skipSingle(i) : skipDouble(i, 0);
            if (!closed) {
                i = n;
                push(Kind::Bad, Unterminated, start);
            } else {
                push(Kind::String, isSingleQuote(c) ? SingleQuoted : DoubleQuoted, start);
            }
        } else if (c == u'@' && (isSingleQuote(at(i + 1)) || isDoubleQuote(at(i + 1))) &&
                   hereStringStart(i) >= 0) {
            const bool expandable = isDoubleQuote(at(i + 1));
            i = hereStringStart(i);
            if (!skipHereString(i, expandable)) {
                i = n;
                push(Kind::Bad, Unterminated, start);
            } else {
                push(Kind::String, expandable ? DoubleHereString : SingleHereString, start);
            }
        } else if (c == u'$' &&
                   (isNameStart(at(i + 1)) || isDigit(at(i + 1)) || at(i + 1) == u'{' ||
                    at(i + 1) == u'$' || at(i + 1) == u'?' || at(i + 1) == u'^')) {
            variable(start);
        } else if (c == u'-' && isNameStart(at(i + 1))) {
            ++i;
            restOfName(start, u'-');
        } else if (isNameStart(c)) {
            while (i < n &&
                   (isNamePart(s[i].unicode()) || (s[i] == u'-' && isNamePart(at(i + 1))))) {
                ++i;
            }
            push(Kind::Name, 0, start);
        } else if (isDigit(c)) {
            number(start);
        } else if (c == u';') {
            ++i;
            push(Kind::End, u':', start);
        } else {
            symbol(c);
        }
    }
    return finished();
}

} // namespace

std::vector<Token> tokenizePowerShell(QStringView s) {
    return PowerShellLexer(s).run();
}

bool isPowerShellVariable(const Tokens& t, int k) {
    if (!t.isName(k) || t[k].ch != 0 || t.offset(k) == 0) {
        return false;
    }
    const QStringView s = t.source();
    const qsizetype before = t.offset(k) - 1;
    return s[before] == u'$' || (s[before] == u'{' && before > 0 && s[before - 1] == u'$');
}

bool isPowerShellOperator(const Tokens& t, int k, QStringView word) {
    return t.isName(k) && t[k].ch == u'-' &&
           t.text(k).sliced(1).compare(word, Qt::CaseInsensitive) == 0;
}

int powerShellTypeEnd(const Tokens& t, int k) {
    if (!t.isSymbol(k, u'[') || !t.isName(k + 1) || t[k + 1].ch != 0 ||
        isPowerShellVariable(t, k + 1)) {
        return -1;
    }
    const int last = t.dottedEnd(k + 1);
    return t.isSymbol(last + 1, u']') ? last + 1 : -1;
}

Result<qint64> powerShellNumberValue(const Tokens& t, int k) {
    const QStringView text = t.text(k);
    const bool hex = t[k].ch == u'h';
    bool ok = false;
    const qint64 value = hex ? text.sliced(2).toLongLong(&ok, 16) : text.toLongLong(&ok, 10);
    if (!ok || t[k].ch == u'r' || (hex && text.size() > 10) || (!hex && value > 0x7FFFFFFF)) {
        return t.refuse(k, u"%1 wird als Zahl nicht gelesen."_s.arg(shown(text)));
    }
    // 0x80000000 to 0xFFFFFFFF are Int32 values below zero.
    return hex ? qint64(qint32(quint32(value))) : value;
}

} // namespace veltrano::reader
