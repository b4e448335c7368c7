#include "core/reader/powershelltext.h"

#include "core/reader/characters.h"
#include "core/reader/dotnetnames.h"
#include "core/reader/powershelllexer.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

bool isCharType(QStringView type) {
    return type.compare(u"char", Qt::CaseInsensitive) == 0 ||
           type.compare(u"System.Char", Qt::CaseInsensitive) == 0;
}

bool isStringType(QStringView type) {
    return type.compare(u"string", Qt::CaseInsensitive) == 0 ||
           type.compare(u"System.String", Qt::CaseInsensitive) == 0;
}

// Appends one code point; NUL is refused.
Status putCode(Context& c, Reading& r, char32_t code, qsizetype place) {
    if (code == 0) {
        return nulCharacter(r, place);
    }
    return putCodePoint(r, code, place, c.budget);
}

class StringReader {
public:
    StringReader(Context& c, Reading& r, const char16_t* source) : c(c), r(r), source(source) {}

    // The characters [p, end) as they stand, but a doubled quote (of the
    // kind `quote` tells) as its second character.
    Status verbatim(const char16_t* p, const char16_t* end, bool (*quote)(char16_t)) {
        run = p;
        while (p < end) {
            if (*p == 0) {
                return nulCharacter(r, p - source);
            }
            if (quote && quote(*p) && p + 1 < end) {
                if (Status s = flush(p); !s) {
                    return s;
                }
                run = ++p;
            }
            ++p;
        }
        return flush(end);
    }

    // The characters [p, end) of a double-quoted string or here-string:
    // backtick escapes, expansions, and (outside a here-string) doubled
    // quotes.
    Status expandable(const char16_t* p, const char16_t* end, bool here) {
        run = p;
        while (p < end) {
            const char16_t ch = *p;
            if (ch == 0) {
                return nulCharacter(r, p - source);
            }
            if ((ch == u'`' || ch == u'$') && p + 1 < end) {
                if (Status s = flush(p); !s) {
                    return s;
                }
                Result<const char16_t*> after = ch == u'`' ? escape(p, end) : dollar(p, end);
                if (!after) {
                    return std::move(after).failure();
                }
                p = run = *after;
            } else if (!here && isDoubleQuote(ch) && p + 1 < end) {
                if (Status s = flush(p); !s) {
                    return s;
                }
                run = ++p;
                ++p;
            } else {
                ++p;
            }
        }
        return flush(end);
    }

private:
    Status flush(const char16_t* to) { return put(r, run, to - run, run - source, c.budget); }

    // `x at p: the character it stands for, appended; the place after it.
    Result<const char16_t*> escape(const char16_t* p, const char16_t* end) {
        static constexpr struct {
            char16_t letter;
            char16_t value;
        } simple[] = {{u'a', 7},  {u'b', 8},  {u'e', 27}, {u'f', 12},
                      {u'n', 10}, {u'r', 13}, {u't', 9},  {u'v', 11}};
        const char16_t e = p[1];
        const qsizetype place = p - source;
        if (e == u'0') {
            return nulCharacter(r, place);
        }
        for (const auto& entry : simple) {
            if (entry.letter == e) {
                if (Status s = putCode(c, r, entry.value, place); !s) {
                    return s.failure();
                }
                return p + 2;
            }
        }
        if (e == u'u' && p + 2 < end && p[2] == u'{') {
            const char16_t* q = p + 3;
            char32_t code = 0;
            int digits = 0;
            while (q < end && hexValue(*q) >= 0 && digits < 6) {
                code = code * 16 + char32_t(hexValue(*q++));
                ++digits;
            }
            if (digits == 0 || q >= end || *q != u'}' || code > 0x10FFFF) {
                return refusal(place, u"Die Escape-Folge `u{...} ist unvollständig."_s);
            }
            if (Status s = putCode(c, r, code, place); !s) {
                return s.failure();
            }
            return q + 1;
        }
        // Any other character after a backtick stands for itself.
        if (Status s = put(r, p + 1, 1, place, c.budget); !s) {
            return s.failure();
        }
        return p + 2;
    }

    // $ at p inside a double-quoted string: a variable's value, the
    // character of $([char]N), or the $ itself.
    Result<const char16_t*> dollar(const char16_t* p, const char16_t* end) {
        const qsizetype place = p - source;
        const char16_t next = p[1];
        if (next == u'(') {
            return charSubexpression(p, end);
        }
        const char16_t* name = p + 1;
        const char16_t* nameEnd = name;
        if (next == u'{') {
            ++name;
            nameEnd = name;
            while (nameEnd < end && *nameEnd != u'}') {
                ++nameEnd;
            }
            if (nameEnd == end || nameEnd == name) {
                return refusal(place, u"${...} wird hier nicht verstanden."_s);
            }
        } else if (isNamePart(next)) {
            while (nameEnd < end &&
                   (isNamePart(*nameEnd) || (*nameEnd == u':' && nameEnd + 1 < end &&
                                             isNamePart(nameEnd[1]) && nameEnd > name))) {
                ++nameEnd;
            }
        } else if (next == u'$' || next == u'?' || next == u'^') {
            return refusal(place, u"$%1 wird nicht ausgewertet."_s.arg(QChar(next)));
        } else {
            if (Status s = put(r, p, 1, place, c.budget); !s) {
                return s.failure();
            }
            return p + 1;
        }
        const QStringView variable(name, nameEnd - name);
        if (variable.compare(u"null", Qt::CaseInsensitive) != 0) {
            if (Status s = putVariable(r, variable, name - source, c.scope, c.budget); !s) {
                return s.failure();
            }
        }
        return next == u'{' ? nameEnd + 1 : nameEnd;
    }

    // $([char]0x41) or $([char]65), with blanks between; other
    // subexpressions are not evaluated.
    Result<const char16_t*> charSubexpression(const char16_t* p, const char16_t* end) {
        const qsizetype place = p - source;
        const char16_t* q = p + 2;
        auto blanks = [&] {
            while (q < end && isBlank(*q)) {
                ++q;
            }
        };
        auto word = [&](QStringView w) {
            if (end - q >= w.size() &&
                QStringView(q, w.size()).compare(w, Qt::CaseInsensitive) == 0) {
                q += w.size();
                return true;
            }
            return false;
        };
        blanks();
        char32_t code = 0;
        bool ok = word(u"[char]");
        blanks();
        int digits = 0;
        if (ok && end - q > 2 && q[0] == u'0' && (q[1] | 0x20) == u'x') {
            q += 2;
            while (q < end && hexValue(*q) >= 0 && digits < 5) {
                code = code * 16 + char32_t(hexValue(*q++));
                ++digits;
            }
        } else {
            while (ok && q < end && isDigit(*q) && digits < 6) {
                code = code * 10 + char32_t(*q++ - u'0');
                ++digits;
            }
        }
        blanks();
        if (!ok || digits == 0 || q >= end || *q != u')' || code > 0xFFFF) {
            return refusal(place, u"Der Ausdruck in $( ) wird nicht ausgewertet; gelesen wird "
                                  u"$([char]0x...)."_s);
        }
        if (Status s = putCode(c, r, code, place); !s) {
            return s.failure();
        }
        return q + 1;
    }

    Context& c;
    Reading& r;
    const char16_t* source;
    const char16_t* run = nullptr;
};

// The content of a here-string token: from the line after its opening to
// the line break before its closing.
void hereContent(const char16_t* token, qsizetype length, const char16_t*& p,
                 const char16_t*& end) {
    p = token + 2;
    while (*p != CR && *p != LF) {
        ++p;
    }
    p += (*p == CR && p[1] == LF) ? 2 : 1;
    end = token + length - 2;
    if (end > p && end[-1] == LF) {
        --end;
        if (end > p && end[-1] == CR) {
            --end;
        }
    } else if (end > p && end[-1] == CR) {
        --end;
    }
}

Status literalTerm(Context& c, int k, Reading& r, bool& adds) {
    adds = false;
    const Token& t = c.tokens[k];
    const char16_t* const source = reinterpret_cast<const char16_t*>(c.tokens.source().data());
    const char16_t* const token = source + t.offset;
    StringReader reader(c, r, source);
    switch (t.ch) {
    case SingleQuoted:
        return reader.verbatim(token + 1, token + t.length - 1, isSingleQuote);
    case DoubleQuoted:
        return reader.expandable(token + 1, token + t.length - 1, false);
    default: {
        const char16_t* p = nullptr;
        const char16_t* end = nullptr;
        hereContent(token, t.length, p, end);
        if (t.ch == SingleHereString) {
            return reader.verbatim(p, end, nullptr);
        }
        return reader.expandable(p, end, true);
    }
    }
}

Status nameTerm(Context& c, int& k, Reading& r, bool& adds) {
    const Tokens& t = c.tokens;
    adds = false;
    if (!isPowerShellVariable(t, k)) {
        if (t[k].ch == u'-') {
            return t.notUnderstood(k);
        }
        return t.refuse(k, u"Der Befehl %1 wird nicht ausgewertet."_s.arg(shown(t.text(k))));
    }
    if (t.isSymbol(k + 1, u'.') || t.isSymbol(k + 1, u'[')) {
        // $msg.Length, $msg.Trim(), $list[0]
        const int last = t.isSymbol(k + 1, u'.') && t.isName(k + 2) ? k + 2 : k + 1;
        return t.refuse(k, u"$%1 wird nicht ausgewertet."_s.arg(shown(t.text(k, last))));
    }
    if (t.isWord(k, u"null")) {
        ++k;
        return done();
    }
    if (t.isWord(k, u"true") || t.isWord(k, u"false")) {
        return t.refuse(k, u"$%1 ist kein Text."_s.arg(t.name(k)));
    }
    if (Status s = putVariable(r, t.name(k), t.offset(k), c.scope, c.budget); !s) {
        return s;
    }
    ++k;
    return done();
}

Status concatenation(Context& c, int& k, int e, Reading& r, bool& adds);

constexpr TermSyntax Terms{literalTerm, powerShellNumberValue, nameTerm, concatenation};

// [char]N, [string]term, [Type]::Member, $( ... ), or a term of any
// language's form.
Status primary(Context& c, int& k, int e, Reading& r, bool& adds) {
    const Tokens& t = c.tokens;
    const int close = powerShellTypeEnd(t, k);
    if (close >= 0 && close < e) {
        const QString type = t.dotted(k + 1, close - 1);
        if (t.isSymbols(close + 1, u':', u':') && t.isName(close + 3) && close + 3 < e) {
            const int member = close + 3;
            const QString dotted = type + u'.' + t.name(member).toString();
            if (t.isSymbol(member + 1, u'(')) {
                return t.refuse(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(
                                       shown(u'[' + type + u"]::"_s + t.name(member).toString())));
            }
            const std::optional<QStringView> value =
                findDotNetTextConstant(dotted, Case::Insensitive);
            if (!value) {
                return t.refuse(k, u"%1 wird nicht ausgewertet."_s.arg(shown(t.text(k, member))));
            }
            adds = false;
            k = member + 1;
            return put(r, reinterpret_cast<const char16_t*>(value->data()), value->size(),
                       t.offset(k - 1), c.budget);
        }
        if (isCharType(type) && close + 1 < e && t[close + 1].kind == Kind::Number) {
            const Result<qint64> code = powerShellNumberValue(t, close + 1);
            if (!code) {
                return code.failure();
            }
            if (*code < 0 || *code > 0xFFFF) {
                return t.refuse(close + 1, u"[char]%1 gibt es nicht."_s.arg(*code));
            }
            adds = false;
            k = close + 2;
            return putCode(c, r, char32_t(*code), t.offset(close + 1));
        }
        if (isStringType(type) && close + 1 < e) {
            k = close + 1;
            if (Status s = primary(c, k, e, r, adds); !s) {
                return s;
            }
            adds = false;
            return done();
        }
        return t.refuse(k, u"Die Umwandlung in [%1] wird nicht ausgewertet."_s.arg(shown(type)));
    }
    if (t.isSymbol(k, u'$') && t.isSymbol(k + 1, u'(') && t[k + 1].partner > k + 1 &&
        t[k + 1].partner < e) {
        const int end = t[k + 1].partner;
        int inner = k + 2;
        if (inner == end) {
            return t.refuse(k, u"In der Klammer fehlt ein Wert."_s);
        }
        if (Status s = concatenation(c, inner, end, r, adds); !s) {
            return s;
        }
        k = end + 1;
        return done();
    }
    return term(c, k, e, r, adds, Terms);
}

// term { + term }. + after a text joins; after a number it adds, which is
// not evaluated. A character is a text here, as PowerShell joins [char]13
// + [char]10 to a string.
Status concatenation(Context& c, int& k, int e, Reading& r, bool& adds) {
    const Tokens& t = c.tokens;
    if (Status s = primary(c, k, e, r, adds); !s) {
        return s;
    }
    while (k < e) {
        const int op = k;
        if (!t.isSymbol(op, u'+') || t.isSymbols(op, u'+', u'+') || t.isSymbols(op, u'+', u'=')) {
            return t.notUnderstood(op);
        }
        if (adds) {
            return t.refuse(op, u"„+“ nach einer Zahl wird nicht ausgewertet."_s);
        }
        if (++k >= e) {
            return t.refuse(op, u"Nach „+“ fehlt ein Wert."_s);
        }
        bool rightAdds = false;
        if (Status s = primary(c, k, e, r, rightAdds); !s) {
            return s;
        }
        adds = false;
    }
    return done();
}

} // namespace

Status evalPowerShellText(Context& c, int b, int e, Reading& r) {
    return textExpression(c, b, e, r, Terms);
}

} // namespace veltrano::reader
