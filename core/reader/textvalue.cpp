#include "core/reader/textvalue.h"

#include "core/linebreaks.h"
#include "core/reader/tokens.h"
#include "core/sizetext.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

Failure tooLong(const QString& label, qsizetype place) {
    return fatalRefusal(place, u"%1 wird länger als %2."_s.arg(label, mebibytes(MaxTextLength)));
}

Status putVariable(Reading& r, QStringView name, qsizetype place, Scope& scope, Budget& budget,
                   int index) {
    if (index < 0) {
        index = scope.find(name);
    }
    const QString shownName = shown(name);
    if (index < 0 || scope[index].state == Variable::Unset) {
        return refusal(place, u"Der Wert von %1 steht nicht im Text."_s.arg(shownName));
    }
    Variable& v = scope[index];
    if (v.state == Variable::Unknown) {
        Failure failure =
            refusal(v.at, u"Der Wert von %1 ist unbekannt: %2"_s.arg(shownName, v.why));
        failure.root = v.why;
        return failure;
    }
    if (const Scope::Forget* forget = scope.forgotten(v)) {
        Failure failure =
            refusal(forget->at, u"Der Wert von %1 ist unbekannt: %2"_s.arg(shownName, forget->why));
        failure.root = forget->why;
        return failure;
    }
    // A value assigned in a branch or a loop, or outside the procedure that
    // reads it (which may run at any time), is not certain.
    if (!scope.isOpen(v.block) || v.inLoop ||
        (v.procedure != scope.currentProcedure() && !v.constant)) {
        return refusal(v.at, u"Der Wert von %1 hängt vom Programmablauf ab."_s.arg(shownName));
    }
    r.number = v.number;
    r.untyped = r.untyped || v.untyped;
    if (r.out.size() + v.value.size() > MaxTextLength) {
        return tooLong(r.label, place);
    }
    if (index == r.target) {
        // Moved in: only what was read before it is copied.
        Text value = std::move(v.value);
        value.prepend(r.out.data(), r.out.size(), budget.work);
        r.out = std::move(value);
        r.target = -1;
        return budget.check(place);
    }
    return put(r, v.value.data(), v.value.size(), place, budget);
}

Status textExpression(Context& c, int b, int e, Reading& r, const TermSyntax& syntax) {
    bool adds = false;
    if (Status s = syntax.expression(c, b, e, r, adds); !s) {
        return s;
    }
    r.text = r.text && !adds;
    return done();
}

Status term(Context& c, int& k, int e, Reading& r, bool& adds, const TermSyntax& syntax) {
    const Tokens& t = c.tokens;
    adds = false;
    if (k >= e) {
        return t.notUnderstood(k);
    }
    switch (t[k].kind) {
    case Kind::String:
        if (Status s = syntax.literal(c, k, r, adds); !s) {
            return s;
        }
        ++k;
        return done();
    case Kind::Number: {
        const Result<qint64> value = syntax.number(t, k);
        if (!value) {
            return value.failure();
        }
        const QString digits = QString::number(*value);
        if (Status s = put(r, reinterpret_cast<const char16_t*>(digits.utf16()), digits.size(),
                           t.offset(k), c.budget);
            !s) {
            return s;
        }
        adds = true;
        ++k;
        return done();
    }
    case Kind::Symbol:
        if (t[k].ch == u'(') {
            const int close = t[k].partner;
            if (close < 0 || close >= e) {
                return t.refuse(k, u"Die Klammer wird nicht geschlossen."_s);
            }
            int inner = k + 1;
            if (inner == close) {
                return t.refuse(k, u"In der Klammer fehlt ein Wert."_s);
            }
            if (Status s = syntax.expression(c, inner, close, r, adds); !s) {
                return s;
            }
            k = close + 1;
            return done();
        }
        return t.notUnderstood(k);
    case Kind::Name:
        return syntax.name(c, k, r, adds);
    default:
        return t.notUnderstood(k);
    }
}

Failure nulCharacter(const Reading& r, qsizetype place) {
    return refusal(place, u"%1 enthält ein NUL-Zeichen (Chr(0))."_s.arg(r.label));
}

Status joiningPlus(const Tokens& t, int& k, int e) {
    const int op = k;
    if (!t.isSymbol(op, u'+') || t.isSymbols(op, u'+', u'+') || t.isSymbols(op, u'+', u'=')) {
        return t.notUnderstood(op);
    }
    if (++k >= e) {
        return t.refuse(op, u"Nach „+“ fehlt ein Wert."_s);
    }
    return done();
}

Result<QString> normalised(const Text& text, const QString& label, qsizetype place,
                           Budget& budget) {
    QString out = linebreaks::normalized(QStringView(text.data(), text.size()), u"\r\n");
    if (out.size() > MaxTextLength) {
        return tooLong(label, place);
    }
    budget.work += out.size();
    if (Status within = budget.check(place); !within) {
        return std::move(within).failure();
    }
    return out;
}

} // namespace veltrano::reader
