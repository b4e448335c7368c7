#include "core/reader/buttonsexpression.h"

#include "core/reader/basiclexer.h"
#include "core/reader/csharplexer.h"
#include "core/reader/textvalue.h"

#include <QString>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

class Evaluation {
public:
    // Without `expected`, the names are MsgBox's style constants.
    // With a context, a name the text declares is read as that variable.
    Evaluation(const Tokens& t, lang::Language language, std::optional<DotNetEnum> expected,
               Context* c = nullptr)
        : t(t), csharp(language == lang::Language::CSharp), expected(expected), c(c) {}

    Status either(int& k, int e, qint64& value);
    ButtonsValue result;

private:
    bool orAt(int k) const {
        return csharp ? t.isSymbol(k, u'|') && !t.isSymbols(k, u'|', u'|') : t.isWord(k, u"Or");
    }
    Status sum(int& k, int e, qint64& value);
    Status primary(int& k, int e, qint64& value);
    Status name(int& k, qint64& value);
    Status variable(int k, qint64& value);
    Failure unknownName(int k, int last, const QString& dotted) const;

    const Tokens& t;
    bool csharp;
    std::optional<DotNetEnum> expected;
    Context* c;
};

// sum { Or sum }, or in C# primary { | primary }
Status Evaluation::either(int& k, int e, qint64& value) {
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

// primary { + primary }, in 32 bits as the style argument is a Long. C# has
// no + between enum values.
Status Evaluation::sum(int& k, int e, qint64& value) {
    if (Status s = primary(k, e, value); !s) {
        return s;
    }
    while (!csharp && k < e && t.isSymbol(k, u'+')) {
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
        const Result<qint64> number = csharp ? csharpNumberValue(t, k) : numberValue(t, k);
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
        // A cast to an enum: (MessageBoxIcon)16.
        if (csharp && expected && t.isName(k + 1) && t.dottedEnd(k + 1) + 1 == close &&
            close + 1 < e) {
            const QString type = t.dotted(k + 1, close - 1);
            if (const std::optional<DotNetEnum> cast = dotNetEnumType(type, Case::Sensitive)) {
                if (*cast != *expected) {
                    return t.refuse(k + 1, u"%1 ist kein Wert von %2."_s.arg(
                                               shown(type), dotNetEnumName(*expected)));
                }
                k = close + 1;
                return primary(k, e, value);
            }
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
        return name(k, value);
    }
    return t.notUnderstood(k);
}

// A variable the text declares (Const vbYesNo = 3): its value where it is
// a number the text shows for sure.
Status Evaluation::variable(int k, qint64& value) {
    Reading r;
    r.label = t.name(k).toString();
    if (Status s = putVariable(r, t.name(k), t.offset(k), c->scope, c->budget); !s) {
        return s;
    }
    bool ok = false;
    value = QStringView(r.out.data(), r.out.size()).toLongLong(&ok);
    if (!r.number || !ok) {
        return t.refuse(k, u"%1 ist keine Zahl."_s.arg(shown(t.name(k))));
    }
    result.pieces.push_back({k, value, nullptr});
    return done();
}

Status Evaluation::name(int& k, qint64& value) {
    if (c && !t.isSymbol(k + 1, u'.') && !t.isSymbol(k + 1, u'(') && c->scope.hasVariables() &&
        c->scope.find(t.name(k)) >= 0) {
        if (Status s = variable(k, value); !s) {
            return s;
        }
        ++k;
        return done();
    }
    const int last = t[k].ch == 0 ? t.dottedEnd(k) : k;
    const QString dotted = t.dotted(k, last);
    const Case letterCase = csharp ? Case::Sensitive : Case::Insensitive;
    const StyleConstant* constant = nullptr;
    if (!expected) {
        if (last == k && t[k].ch == 0) {
            constant = findStyleConstant(t.name(k));
        } else if (const DotNetConstant* member = findDotNetConstant(dotted, letterCase);
                   member && member->type == DotNetEnum::MsgBoxStyle) {
            constant = &member->constant;
        }
    } else if (const DotNetConstant* member = findDotNetConstant(dotted, letterCase)) {
        if (member->type != *expected) {
            return t.refuse(k, u"%1 ist kein Wert von %2."_s.arg(member->constant.name,
                                                                 dotNetEnumName(*expected)));
        }
        constant = &member->constant;
    }
    if (!constant) {
        return unknownName(k, last, dotted);
    }
    value = constant->value;
    result.pieces.push_back({k, value, constant});
    k = last + 1;
    return done();
}

Failure Evaluation::unknownName(int k, int last, const QString& dotted) const {
    const Case letterCase = csharp ? Case::Sensitive : Case::Insensitive;
    if (isWpfName(dotted, letterCase)) {
        return t.refuse(k, u"%1 gehört zur MessageBox von WPF; gelesen wird die von Windows "
                           u"Forms."_s.arg(shown(dotted)));
    }
    if (t.isSymbol(last + 1, u'(')) {
        return t.refuse(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(
                               shown(last == k ? t.text(k) : QStringView(dotted))));
    }
    if (expected) {
        return t.refuse(
            k, u"%1 ist kein Wert von %2."_s.arg(shown(dotted), dotNetEnumName(*expected)));
    }
    if (last == k && isWindowsStyleName(t.name(k))) {
        return t.refuse(k, u"%1 gibt es in LibreOffice Basic nicht."_s.arg(shown(t.text(k))));
    }
    return t.refuse(k, u"%1 ist keine MsgBox-Konstante."_s.arg(
                           shown(last == k ? t.text(k) : QStringView(dotted))));
}

Result<ButtonsValue> evaluate(const Tokens& t, int b, int e, lang::Language language,
                              std::optional<DotNetEnum> expected, Context* c = nullptr) {
    Evaluation evaluation(t, language, expected, c);
    int k = b;
    if (Status s = evaluation.either(k, e, evaluation.result.value); !s) {
        return std::move(s).failure();
    }
    if (k != e) {
        return t.notUnderstood(k);
    }
    return std::move(evaluation.result);
}

} // namespace

Result<ButtonsValue> evalBasicButtons(Context& c, int b, int e) {
    return evaluate(c.tokens, b, e, c.language, std::nullopt, &c);
}

Result<ButtonsValue> evalEnumArgument(const Tokens& t, int b, int e, lang::Language language,
                                      DotNetEnum expected) {
    return evaluate(t, b, e, language, expected);
}

} // namespace veltrano::reader
