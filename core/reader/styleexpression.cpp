#include "core/reader/styleexpression.h"

#include <QString>

#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

Result<ButtonsValue> StyleExpression::evaluate(int b, int e) {
    int k = b;
    if (Status s = either(k, e, result.value); !s) {
        return std::move(s).failure();
    }
    if (k != e) {
        return t.notUnderstood(k);
    }
    return std::move(result);
}

Status StyleExpression::either(int& k, int e, qint64& value) {
    if (Status s = sum(k, e, value); !s) {
        return s;
    }
    while (k < e && orAt(k)) {
        ++k;
        qint64 right = 0;
        if (Status s = sum(k, e, right); !s) {
            return s;
        }
        value = qint32(quint32(value) | quint32(right));
    }
    return done();
}

Status StyleExpression::sum(int& k, int e, qint64& value) {
    if (Status s = primary(k, e, value); !s) {
        return s;
    }
    while (k < e && plusAt(k)) {
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

Status StyleExpression::number(int& k, const Result<qint64>& number, qint64& value) {
    if (!number) {
        return number.failure();
    }
    value = *number;
    result.pieces.push_back({k, value, nullptr});
    ++k;
    return done();
}

Status StyleExpression::parenthesized(int& k, int e, qint64& value) {
    const int close = t[k].partner;
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

} // namespace veltrano::reader
