#include "core/reader/powershellenums.h"

#include "core/reader/powershelllexer.h"
#include "core/reader/styleexpression.h"

#include <QString>

#include <optional>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

class Evaluation final : public StyleExpression {
public:
    // Without `expected`, only numbers (Popup's type).
    Evaluation(const Tokens& t, std::optional<DotNetEnum> expected)
        : StyleExpression(t), expected(expected) {}

private:
    bool orAt(int k) const override { return isPowerShellOperator(t, k, u"bor"); }
    // Popup's type adds numbers; enums have no +.
    bool plusAt(int k) const override { return !expected && t.isSymbol(k, u'+'); }
    Status primary(int& k, int e, qint64& value) override;
    Status member(int k, int close, qint64& value);
    Status string(int k, qint64& value);
    Failure notOfEnum(int k, const QString& what) const {
        return t.refuse(k,
                        u"%1 ist kein Wert von %2."_s.arg(shown(what), dotNetEnumName(*expected)));
    }

    std::optional<DotNetEnum> expected;
};

// [Type]::Member: a member of the expected enum.
Status Evaluation::member(int k, int close, qint64& value) {
    const QString dotted = t.dotted(k + 1, close - 1) + u'.' + t.name(close + 3).toString();
    const DotNetConstant* constant = findDotNetConstant(dotted, Case::Insensitive);
    if (!constant) {
        if (isWpfName(dotted, Case::Insensitive)) {
            return t.refuse(k, u"%1 gehört zur MessageBox von WPF; gelesen wird die von Windows "
                               u"Forms."_s.arg(shown(dotted)));
        }
        return notOfEnum(k + 1, dotted);
    }
    if (constant->type != *expected) {
        return notOfEnum(k + 1, constant->constant.name.toString());
    }
    value = constant->constant.value;
    result.pieces.push_back({k + 1, value, &constant->constant});
    return done();
}

// 'YesNo', "Yes, No" (a list for the flags of MessageBoxOptions) or '4':
// as PowerShell converts a string to the enum, in any letter case.
Status Evaluation::string(int k, qint64& value) {
    const Token& token = t[k];
    const QStringView text = t.text(k);
    const QStringView inner = (token.ch == SingleQuoted || token.ch == DoubleQuoted)
                                  ? text.sliced(1, text.size() - 2)
                                  : QStringView();
    if (inner.isEmpty() || inner.contains(u'$') || inner.contains(u'`') ||
        std::any_of(inner.begin(), inner.end(), [](QChar c) {
            return isSingleQuote(c.unicode()) || isDoubleQuote(c.unicode());
        })) {
        return notOfEnum(k, text.toString());
    }
    value = 0;
    int parts = 0;
    for (QStringView part : inner.tokenize(u',')) {
        part = part.trimmed();
        ++parts;
        bool number = false;
        const qint64 n = part.toLongLong(&number);
        const DotNetConstant* constant =
            number
                ? nullptr
                : findDotNetConstant(dotNetEnumName(*expected).toString() + u'.' + part.toString(),
                                     Case::Insensitive);
        if (!number && (!constant || constant->type != *expected)) {
            return notOfEnum(k, part.toString());
        }
        const qint64 v = number ? n : constant->constant.value;
        result.pieces.push_back({k, v, number ? nullptr : &constant->constant});
        value |= v;
    }
    if (parts > 1 && *expected != DotNetEnum::Options) {
        return t.refuse(
            k, u"Eine Liste von Werten gibt es bei %1 nicht."_s.arg(dotNetEnumName(*expected)));
    }
    return done();
}

Status Evaluation::primary(int& k, int e, qint64& value) {
    if (k >= e) {
        return t.notUnderstood(k);
    }
    const Token& token = t[k];
    if (token.kind == Kind::Number) {
        return number(k, powerShellNumberValue(t, k), value);
    }
    if (token.kind == Kind::String && expected) {
        if (Status s = string(k, value); !s) {
            return s;
        }
        ++k;
        return done();
    }
    if (t.isSymbol(k, u'(')) {
        return parenthesized(k, e, value);
    }
    const int close = powerShellTypeEnd(t, k);
    if (expected && close >= 0 && close < e) {
        if (t.isSymbols(close + 1, u':', u':') && t.isName(close + 3) && close + 3 < e) {
            if (Status s = member(k, close, value); !s) {
                return s;
            }
            k = close + 4;
            return done();
        }
        // A cast to the enum: [System.Windows.Forms.MessageBoxOptions]0.
        const QString type = t.dotted(k + 1, close - 1);
        if (dotNetEnumType(type, Case::Insensitive) != expected) {
            return notOfEnum(k + 1, type);
        }
        k = close + 1;
        return primary(k, e, value);
    }
    if (t.isName(k) && isPowerShellVariable(t, k)) {
        return t.refuse(k,
                        u"Der Wert von $%1 wird hier nicht ausgewertet."_s.arg(shown(t.name(k))));
    }
    return t.notUnderstood(k);
}

} // namespace

Result<ButtonsValue> evalPowerShellEnum(const Tokens& t, int b, int e, DotNetEnum expected) {
    return Evaluation(t, expected).evaluate(b, e);
}

Result<ButtonsValue> evalPowerShellNumbers(const Tokens& t, int b, int e) {
    return Evaluation(t, std::nullopt).evaluate(b, e);
}

} // namespace veltrano::reader
