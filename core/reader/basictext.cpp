#include "core/reader/basictext.h"

#include "core/reader/basiclexer.h"
#include "core/reader/constantnames.h"
#include "core/reader/dotnetnames.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// Words that stand for values the reader does not evaluate.
constexpr QStringView ValueWords[] = {u"True",    u"False", u"Null", u"Empty",
                                      u"Nothing", u"Me",    u"New",  u"Not"};

Status concatenation(Context& c, int& k, int e, Reading& r, bool& isNumber);

// The characters between the quotes, each doubled quote once (in VB.NET a
// pair of any two quotes stands for one "); in an interpolated string {{ and
// }} stand for { and }, and a lone brace starts an expression, which is not
// evaluated.
Status stringLiteral(Context& c, int k, Reading& r) {
    const Token& t = c.tokens[k];
    const qsizetype place = t.offset;
    const bool vbNet = t.ch != ClassicString;
    const bool interpolated = t.ch == VbNetInterpolated;
    const lang::Language dialect = vbNet ? lang::Language::VbNet : lang::Language::Basic;
    const char16_t* const source = reinterpret_cast<const char16_t*>(c.tokens.source().data());
    const char16_t* p = source + t.offset + (interpolated ? 2 : 1);
    const char16_t* const end = source + t.offset + t.length - (t.ch == VbNetChar ? 2 : 1);
    const char16_t* run = p;
    static constexpr char16_t quote = u'"';
    for (; p != end; ++p) {
        if (isBasicQuote(*p, dialect)) {
            if (Status s = put(r, run, p - run, place, c.budget); !s) {
                return s;
            }
            if (Status s = put(r, &quote, 1, place, c.budget); !s) {
                return s;
            }
            run = ++p + 1;
        } else if (*p == 0) {
            return nulCharacter(r, p - source);
        } else if (interpolated && (*p == u'{' || *p == u'}')) {
            if (p + 1 == end || p[1] != *p) {
                return refusal(p - source,
                               u"Der Ausdruck in { } der Zeichenkette wird nicht ausgewertet."_s);
            }
            if (Status s = put(r, run, p - run + 1, place, c.budget); !s) {
                return s;
            }
            run = ++p + 1;
        }
    }
    return put(r, run, end - run, place, c.budget);
}

// The character ChrW gives for a code: any UTF-16 code unit, also from a
// 16-bit Integer below zero (ChrW(&HFF02) in VB6), or -1.
int chrWCode(qint64 code) {
    if (code >= -32768 && code < 0) {
        return int(code + 65536);
    }
    return code >= 0 && code <= 0xFFFF ? int(code) : -1;
}

// A variable's value; isNumber tells whether it holds a number.
Status variableTerm(Context& c, int& k, Reading& r, bool& isNumber, int index = -1) {
    const Tokens& t = c.tokens;
    if (Status s = putVariable(r, t.name(k), t.offset(k), c.scope, c.budget, index); !s) {
        return s;
    }
    isNumber = r.number;
    ++k;
    return done();
}

Status nameTerm(Context& c, int& k, Reading& r, bool& isNumber) {
    const Tokens& t = c.tokens;
    const QStringView name = t.name(k);
    const char16_t suffix = t[k].ch;
    // A name the text declares is that declaration, also where the runtime
    // has a constant of that name (Const vbTab = "-").
    const int declared =
        t.isSymbol(k + 1, u'(') || t.isSymbol(k + 1, u'.') ? -1 : c.scope.find(name);
    if (declared >= 0) {
        return variableTerm(c, k, r, isNumber, declared);
    }
    const bool chr =
        (suffix == 0 || suffix == u'$') && (name.compare(u"Chr", Qt::CaseInsensitive) == 0 ||
                                            name.compare(u"ChrW", Qt::CaseInsensitive) == 0);
    if (chr && t.isSymbol(k + 1, u'(') && t[k + 1].partner > k + 1) {
        // Chr of a tab, a line break or a printable ASCII character: the same
        // in every code page; ChrW of any UTF-16 code unit.
        const int close = t[k + 1].partner;
        const bool wide = name.size() == 4;
        qint64 code = -1;
        if (close == k + 3 && t[k + 2].kind == Kind::Number) {
            const Result<qint64> number = numberValue(t, k + 2);
            if (!number) {
                return number.failure();
            }
            code = wide ? chrWCode(*number) : *number;
            if (wide && code == 0) {
                return nulCharacter(r, t.offset(k));
            }
        }
        if ((wide && code > 0) || code == 9 || code == 10 || code == 13 ||
            (code >= 32 && code <= 126)) {
            const char16_t ch = char16_t(code);
            if (Status s = put(r, &ch, 1, t.offset(k), c.budget); !s) {
                return s;
            }
            k = close + 1;
            return done();
        }
        return t.refuse(k, u"%1 wird nicht ausgewertet."_s.arg(shown(t.text(k, close))));
    }
    if (suffix == 0) {
        if (const std::optional<QStringView> value = findTextConstant(name)) {
            if (Status s = put(r, reinterpret_cast<const char16_t*>(value->data()), value->size(),
                               t.offset(k), c.budget);
                !s) {
                return s;
            }
            ++k;
            return done();
        }
    }
    if (t.isSymbol(k + 1, u'(')) {
        return t.refuse(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(shown(t.text(k))));
    }
    if (suffix == 0 && t.isSymbol(k + 1, u'.')) {
        const int last = t.dottedEnd(k);
        const QString dotted = t.dotted(k, last);
        if (const std::optional<QStringView> value =
                findDotNetTextConstant(dotted, Case::Insensitive)) {
            if (Status s = put(r, reinterpret_cast<const char16_t*>(value->data()), value->size(),
                               t.offset(k), c.budget);
                !s) {
                return s;
            }
            k = last + 1;
            return done();
        }
        if (findDotNetConstant(dotted, Case::Insensitive)) {
            return t.refuse(k, u"%1 ist kein Text."_s.arg(shown(dotted)));
        }
    }
    if (t.isSymbol(k + 1, u'.') || t.isSymbol(k + 1, u'!')) {
        int last = k;
        while ((t.isSymbol(last + 1, u'.') || t.isSymbol(last + 1, u'!')) && t.isName(last + 2)) {
            last += 2;
        }
        return t.refuse(k, u"%1 wird nicht ausgewertet."_s.arg(shown(t.text(k, last))));
    }
    if (suffix == 0) {
        if (findStyleConstant(name)) {
            return t.refuse(k, u"%1 ist kein Text."_s.arg(name));
        }
        for (QStringView word : ValueWords) {
            if (name.compare(word, Qt::CaseInsensitive) == 0) {
                return t.refuse(k, u"%1 wird nicht ausgewertet."_s.arg(name));
            }
        }
    }
    return variableTerm(c, k, r, isNumber);
}

Status literalTerm(Context& c, int k, Reading& r, bool& isNumber) {
    isNumber = false;
    return stringLiteral(c, k, r);
}

constexpr TermSyntax Terms{literalTerm, numberValue, nameTerm, concatenation};

// term { & term | + term }. In a text both join; joining is associative, so
// the terms are appended in order whatever the parentheses. A + next to a
// number would add, which the reader does not evaluate.
Status concatenation(Context& c, int& k, int e, Reading& r, bool& isNumber) {
    const Tokens& t = c.tokens;
    if (Status s = term(c, k, e, r, isNumber, Terms); !s) {
        return s;
    }
    while (k < e) {
        const int op = k;
        const bool plus = t.isSymbol(op, u'+');
        if (!plus && !t.isSymbol(op, u'&')) {
            return t.notUnderstood(op);
        }
        if (++k >= e) {
            return t.refuse(op, u"Nach „%1“ fehlt ein Wert."_s.arg(t.text(op)));
        }
        bool rightIsNumber = false;
        if (plus && isNumber) {
            return t.refuse(op, u"„+“ mit einer Zahl wird nicht ausgewertet."_s);
        }
        if (Status s = term(c, k, e, r, rightIsNumber, Terms); !s) {
            return s;
        }
        if (plus && rightIsNumber) {
            return t.refuse(op, u"„+“ mit einer Zahl wird nicht ausgewertet."_s);
        }
        isNumber = false;
    }
    return done();
}

} // namespace

Status evalBasicText(Context& c, int b, int e, Reading& r) {
    bool isNumber = false;
    if (Status s = concatenation(c, b, e, r, isNumber); !s) {
        return s;
    }
    r.number = isNumber;
    return done();
}

} // namespace veltrano::reader
