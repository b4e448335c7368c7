#include "core/reader/basicbuttons.h"

#include "core/reader/basiclexer.h"

#include <QString>

#include <limits>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

class Evaluation {
public:
    explicit Evaluation(const Tokens& t) : t(t) {}

    Status either(int& k, int e, qint64& value);
    ButtonsValue result;

private:
    Status sum(int& k, int e, qint64& value);
    Status primary(int& k, int e, qint64& value);

    const Tokens& t;
};

// sum { Or sum }
Status Evaluation::either(int& k, int e, qint64& value) {
    if (Status s = sum(k, e, value); !s) {
        return s;
    }
    while (k < e && t.isWord(k, u"Or")) {
        ++k;
        qint64 right = 0;
        if (Status s = sum(k, e, right); !s) {
            return s;
        }
        value = qint32(quint32(value) | quint32(right));
    }
    return done();
}

// primary { + primary }, in 32 bits as the style argument is a Long.
Status Evaluation::sum(int& k, int e, qint64& value) {
    if (Status s = primary(k, e, value); !s) {
        return s;
    }
    while (k < e && t.isSymbol(k, u'+')) {
        const int op = k++;
        qint64 right = 0;
        if (Status s = primary(k, e, right); !s) {
            return s;
        }
        value += right;
        if (value > std::numeric_limits<qint32>::max() ||
            value < std::numeric_limits<qint32>::min()) {
            return t.refuse(op, u"Die Summe ist zu groß (Überlauf)."_s);
        }
    }
    return done();
}

Status Evaluation::primary(int& k, int e, qint64& value) {
    if (k >= e) {
        return t.notUnderstood(k);
    }
    const Token& token = t[k];
    if (token.kind == Kind::Number) {
        const Result<qint64> number = numberValue(t, k);
        if (!number) {
            return number.failure();
        }
        value = *number;
        result.pieces.push_back({k, value, nullptr});
        ++k;
        return done();
    }
    if (t.isSymbol(k, u'(')) {
        const int close = token.partner;
        if (close < 0 || close >= e) {
            return t.refuse(k, u"Die Klammer wird nicht geschlossen."_s);
        }
        int inner = k + 1;
        if (Status s = either(inner, close, value); !s) {
            return s;
        }
        if (inner != close) {
            return t.notUnderstood(inner);
        }
        k = close + 1;
        return done();
    }
    if (token.kind == Kind::Name) {
        const StyleConstant* constant = token.ch == 0 ? findStyleConstant(t.name(k)) : nullptr;
        if (constant) {
            value = constant->value;
            result.pieces.push_back({k, value, constant});
            ++k;
            return done();
        }
        if (t.isSymbol(k + 1, u'(')) {
            return t.refuse(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(shown(t.text(k))));
        }
        return t.refuse(k, u"%1 ist keine MsgBox-Konstante."_s.arg(shown(t.text(k))));
    }
    return t.notUnderstood(k);
}

} // namespace

Result<ButtonsValue> evalBasicButtons(const Tokens& t, int b, int e) {
    Evaluation evaluation(t);
    int k = b;
    if (Status s = evaluation.either(k, e, evaluation.result.value); !s) {
        return std::move(s).failure();
    }
    if (k != e) {
        return t.notUnderstood(k);
    }
    return std::move(evaluation.result);
}

} // namespace veltrano::reader
