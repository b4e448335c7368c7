#include "core/reader/csharptext.h"

#include "core/reader/characters.h"
#include "core/reader/csharplexer.h"
#include "core/reader/dotnetnames.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// Words that stand for values the reader does not evaluate.
constexpr QStringView ValueWords[] = {u"true",    u"false",  u"this",   u"base",  u"new",
                                      u"default", u"typeof", u"nameof", u"sizeof"};

// The escape sequence at p (a backslash) before end: its length, and the
// code point it stands for in `code`, or a refusal.
Result<int> escape(const Context& c, const char16_t* p, const char16_t* end, char32_t& code,
                   const Reading& r) {
    const char16_t* const source = reinterpret_cast<const char16_t*>(c.tokens.source().data());
    const qsizetype place = p - source;
    const char16_t e = p[1];
    static constexpr struct {
        char16_t letter;
        char16_t value;
    } simple[] = {{u'\'', u'\''}, {u'"', u'"'}, {u'\\', u'\\'}, {u'a', 7},  {u'b', 8},  {u'f', 12},
                  {u'n', 10},     {u'r', 13},   {u't', 9},      {u'v', 11}, {u'e', 27}, {u'0', 0}};
    for (const auto& entry : simple) {
        if (entry.letter == e) {
            code = entry.value;
            if (code == 0) {
                return nulCharacter(r, place);
            }
            return 2;
        }
    }
    const int maxDigits = e == u'x' ? 4 : e == u'u' ? 4 : e == u'U' ? 8 : 0;
    int digits = 0;
    char32_t value = 0;
    while (digits < maxDigits && p + 2 + digits < end && hexValue(p[2 + digits]) >= 0) {
        value = value * 16 + char32_t(hexValue(p[2 + digits]));
        ++digits;
    }
    const bool complete = e == u'x' ? digits > 0 : digits == maxDigits;
    if (maxDigits == 0 || !complete || value > 0x10FFFF) {
        const qsizetype length = std::min<qsizetype>(end - p, 2 + digits);
        return refusal(place, u"Die Escape-Folge %1 gibt es in C# nicht."_s.arg(
                                  QStringView(p, length).toString()));
    }
    if (value == 0) {
        return nulCharacter(r, place);
    }
    code = value;
    return 2 + digits;
}

// An expression in { } of an interpolated string at p: a variable's name
// gives its value; anything else is not evaluated. The place after the }.
Result<const char16_t*> hole(Context& c, const char16_t* p, const char16_t* end, Reading& r) {
    const char16_t* const source = reinterpret_cast<const char16_t*>(c.tokens.source().data());
    const char16_t* name = p + 1;
    while (name < end && *name == u' ') {
        ++name;
    }
    const char16_t* nameEnd = name;
    while (nameEnd < end && isNamePart(*nameEnd)) {
        ++nameEnd;
    }
    const char16_t* close = nameEnd;
    while (close < end && *close == u' ') {
        ++close;
    }
    if (*p != u'{' || nameEnd == name || isDigit(*name) || close == end || *close != u'}') {
        return refusal(p - source,
                       u"Der Ausdruck in { } der Zeichenkette wird nicht ausgewertet."_s);
    }
    const QStringView variable(name, nameEnd - name);
    if (Status s = putVariable(r, variable, name - source, c.scope, c.budget); !s) {
        return std::move(s).failure();
    }
    return close + 1;
}

// The characters of a string or character literal.
Status literal(Context& c, int k, Reading& r) {
    const Token& t = c.tokens[k];
    const char16_t form = t.ch;
    const qsizetype place = t.offset;
    const int prefix = (form == RegularString || form == CharLiteral)           ? 1
                       : (form == VerbatimString || form == InterpolatedString) ? 2
                                                                                : 3;
    const bool escapes = form == RegularString || form == InterpolatedString || form == CharLiteral;
    const bool doubled = form == VerbatimString || form == VerbatimInterpolated;
    const bool braces = form == InterpolatedString || form == VerbatimInterpolated;
    const char16_t* const source = reinterpret_cast<const char16_t*>(c.tokens.source().data());
    const char16_t* p = source + t.offset + prefix;
    const char16_t* const end = source + t.offset + t.length - 1;
    const char16_t* run = p;
    auto flush = [&](const char16_t* to) { return put(r, run, to - run, place, c.budget); };
    while (p < end) {
        const char16_t ch = *p;
        if (ch == 0) {
            return nulCharacter(r, p - source);
        }
        if (escapes && ch == u'\\') {
            if (Status s = flush(p); !s) {
                return s;
            }
            if (Status s = putEscape(c, r, p, end, place, escape); !s) {
                return s;
            }
            run = p;
        } else if ((doubled && ch == u'"') || (braces && (ch == u'{' || ch == u'}'))) {
            if (!doubled || ch != u'"') {
                if (p + 1 == end || p[1] != ch) {
                    if (Status s = flush(p); !s) {
                        return s;
                    }
                    Result<const char16_t*> after = hole(c, p, end, r);
                    if (!after) {
                        return std::move(after).failure();
                    }
                    p = run = *after;
                    continue;
                }
            }
            // "" in a verbatim string, {{ and }}: the character once.
            if (Status s = flush(p + 1); !s) {
                return s;
            }
            p += 2;
            run = p;
        } else {
            ++p;
        }
    }
    return flush(end);
}

Status nameTerm(Context& c, int& k, Reading& r, bool& adds) {
    const Tokens& t = c.tokens;
    const int last = t.dottedEnd(k);
    const QString dotted = t.dotted(k, last);
    adds = false;
    if (t.isSymbol(last + 1, u'(')) {
        return t.refuse(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(shown(dotted)));
    }
    if (last > k) {
        if (const std::optional<QStringView> value =
                findDotNetTextConstant(dotted, Case::Sensitive)) {
            if (Status s = put(r, reinterpret_cast<const char16_t*>(value->data()), value->size(),
                               t.offset(k), c.budget);
                !s) {
                return s;
            }
            k = last + 1;
            return done();
        }
        if (findDotNetConstant(dotted, Case::Sensitive)) {
            return t.refuse(k, u"%1 ist kein Text."_s.arg(shown(dotted)));
        }
        return t.refuse(k, u"%1 wird nicht ausgewertet."_s.arg(shown(dotted)));
    }
    if (t.isExactWord(k, u"null")) {
        ++k;
        return done();
    }
    for (QStringView word : ValueWords) {
        if (t.isExactWord(k, word)) {
            return t.refuse(k, u"%1 wird nicht ausgewertet."_s.arg(word));
        }
    }
    if (Status s = putVariable(r, t.name(k), t.offset(k), c.scope, c.budget); !s) {
        return s;
    }
    ++k;
    return done();
}

Status literalTerm(Context& c, int k, Reading& r, bool& adds) {
    adds = c.tokens[k].ch == CharLiteral;
    return literal(c, k, r);
}

Status concatenation(Context& c, int& k, int e, Reading& r, bool& adds);

constexpr TermSyntax Terms{literalTerm, csharpNumberValue, nameTerm, concatenation};

// term { + term }. + joins when either side is a text; between two numbers
// or characters it adds, which is not evaluated.
Status concatenation(Context& c, int& k, int e, Reading& r, bool& adds) {
    const Tokens& t = c.tokens;
    if (Status s = term(c, k, e, r, adds, Terms); !s) {
        return s;
    }
    while (k < e) {
        const int op = k;
        if (Status s = joiningPlus(t, k, e); !s) {
            return s;
        }
        bool rightAdds = false;
        if (Status s = term(c, k, e, r, rightAdds, Terms); !s) {
            return s;
        }
        if (adds && rightAdds) {
            return t.refuse(op, u"„+“ zwischen Zahlen oder Zeichen wird nicht ausgewertet."_s);
        }
        adds = false;
    }
    return done();
}

} // namespace

Status evalCSharpText(Context& c, int b, int e, Reading& r) {
    return textExpression(c, b, e, r, Terms);
}

} // namespace veltrano::reader
