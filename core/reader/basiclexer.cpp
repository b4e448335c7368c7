#include "core/reader/basiclexer.h"

#include "core/reader/limits.h"

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

} // namespace

std::vector<Token> tokenizeBasic(QStringView s, BasicDialect dialect) {
    const bool vbNet = dialect == BasicDialect::VbNet;
    // An unterminated string in VB.NET text with other quotes than " is
    // refused with a hint at them.
    const bool otherQuotes = vbNet && (s.contains(QChar(0x201C)) || s.contains(QChar(0x201D)) ||
                                       s.contains(QChar(0xFF02)));
    std::vector<Token> t;
    t.reserve(std::size_t(s.size() / 3) + 8);
    std::vector<std::int32_t> open; // unmatched '(' of the current statement
    const qsizetype n = s.size();
    qsizetype i = 0;

    auto at = [&](qsizetype k) -> char16_t { return k < n ? s[k].unicode() : char16_t(0); };
    auto push = [&](Kind kind, char16_t ch, qsizetype start) {
        t.push_back({kind, ch, std::int32_t(start), std::int32_t(i - start), -1});
    };
    auto endStatement = [&](char16_t how, qsizetype where) {
        open.clear();
        if (!t.empty() && t.back().kind == Kind::End) {
            if (how == LF) {
                t.back().ch = LF;
            }
            return;
        }
        t.push_back({Kind::End, how, std::int32_t(where), 0, -1});
    };
    auto pastLineBreak = [&](qsizetype k) {
        return at(k) == CR && at(k + 1) == LF ? k + 2 : k + 1;
    };
    // From i (just after ' or Rem) to the end of the comment's line; a
    // comment ending in " _" goes on over the next line, as in the editor.
    auto skipComment = [&] {
        for (;;) {
            const qsizetype contentStart = i;
            while (i < n && s[i] != CR && s[i] != LF) {
                ++i;
            }
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
    };

    // Whether a VB.NET statement goes on over the line break at i.
    auto continuesImplicitly = [&] {
        if (t.empty() || t.back().kind == Kind::End) {
            return false;
        }
        const Token& last = t.back();
        if (last.kind == Kind::NamedArg ||
            (last.kind == Kind::Symbol &&
             QStringView(u",(&+-*/\\^=<>{").contains(QChar(last.ch)))) {
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
    };
    // A VB.NET string, Char or interpolated string from its opening quote at
    // i: it may span lines.
    auto vbNetString = [&](qsizetype start, StringForm form) {
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
            !(i + 1 < n && (s[i + 1].isLetterOrNumber() || s[i + 1] == u'_'))) {
            ++i;
            form = VbNetChar;
        }
        push(closed ? Kind::String : Kind::Bad,
             closed ? char16_t(form) : char16_t(otherQuotes ? UnterminatedVbNet : Unterminated),
             start);
    };

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
            bool closed = false;
            while (i < n && s[i] != CR && s[i] != LF) {
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
        } else if (isDigit(c)) {
            while (isDigit(at(i))) {
                ++i;
            }
            if (at(i) == u'.' && isDigit(at(i + 1))) {
                ++i;
                while (isDigit(at(i))) {
                    ++i;
                }
            }
            const char16_t e = at(i);
            if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
                const qsizetype sign = (at(i + 1) == u'+' || at(i + 1) == u'-') ? 1 : 0;
                if (isDigit(at(i + 1 + sign))) {
                    i += 1 + sign;
                    while (isDigit(at(i))) {
                        ++i;
                    }
                }
            }
            if (QStringView(u"%&!#@").contains(QChar(at(i))) && at(i) != 0) {
                ++i;
            }
            push(Kind::Number, u'd', start);
        } else if (c == u'&' && (at(i + 1) == u'h' || at(i + 1) == u'H') && isHexDigit(at(i + 2))) {
            i += 2;
            while (isHexDigit(at(i))) {
                ++i;
            }
            if (at(i) == u'&' || at(i) == u'%') {
                ++i;
            }
            push(Kind::Number, u'h', start);
        } else if (c == u'&' && (at(i + 1) == u'o' || at(i + 1) == u'O') &&
                   isOctalDigit(at(i + 2))) {
            i += 2;
            while (isOctalDigit(at(i))) {
                ++i;
            }
            if (at(i) == u'&' || at(i) == u'%') {
                ++i;
            }
            push(Kind::Number, u'o', start);
        } else if (QChar::isLetter(c)) {
            while (i < n && (s[i].isLetterOrNumber() || s[i] == u'_')) {
                ++i;
            }
            char16_t suffix = 0;
            if (at(i) != 0 && QStringView(u"$%!#@").contains(QChar(at(i)))) {
                suffix = at(i);
                ++i;
            }
            // Rem starts a comment where a statement starts, also after a
            // line number.
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
        } else if (c == u'_') {
            // A line continuation: only blanks up to the line end.
            qsizetype k = i + 1;
            while (k < n && isBlank(s[k].unicode())) {
                ++k;
            }
            if (k >= n) {
                i = n;
            } else if (s[k] == CR || s[k] == LF) {
                i = pastLineBreak(k);
            } else {
                ++i;
                push(Kind::Symbol, c, start);
            }
        } else if (c == u':') {
            if (at(i + 1) == u'=') {
                i += 2;
                push(Kind::NamedArg, 0, start);
            } else {
                endStatement(u':', i);
                ++i;
            }
        } else if (c == u'(') {
            ++i;
            if (open.size() >= std::size_t(MaxNesting)) {
                push(Kind::Bad, TooDeep, start);
            } else {
                open.push_back(std::int32_t(t.size()));
                push(Kind::Symbol, c, start);
            }
        } else if (c == u')') {
            ++i;
            push(Kind::Symbol, c, start);
            if (!open.empty()) {
                t.back().partner = open.back();
                t[std::size_t(open.back())].partner = std::int32_t(t.size() - 1);
                open.pop_back();
            }
        } else {
            ++i;
            push(Kind::Symbol, c, start);
        }
    }
    endStatement(LF, n);
    return t;
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
    for (const KeywordName& entry : Keywords) {
        if (word.compare(entry.name, Qt::CaseInsensitive) == 0) {
            return entry.keyword;
        }
    }
    return Keyword::None;
}

Result<qint64> numberValue(const Tokens& t, int k) {
    const QStringView text = t.text(k);
    const char16_t base = t[k].ch;
    qsizetype i = base == u'd' ? 0 : 2;
    const int radix = base == u'h' ? 16 : base == u'o' ? 8 : 10;
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
    const bool isLong = rest == u"&";
    if (!isLong && v <= 0xFFFF) {
        return qint64(qint16(quint16(v)));
    }
    return qint64(qint32(quint32(v)));
}

} // namespace veltrano::reader
