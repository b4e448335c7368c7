#include "core/reader/buttonsexpression.h"

#include "core/reader/basiclexer.h"
#include "core/reader/csharplexer.h"
#include "core/reader/styleexpression.h"
#include "core/reader/textvalue.h"

#include <QString>

#include <optional>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

class Evaluation final : public StyleExpression {
public:
    // Without `expected`, the names are MsgBox's style constants.
    // With a context, a name the text declares is read as that variable.
    Evaluation(const Tokens& t, lang::Language language, std::optional<DotNetEnum> expected,
               Context* c = nullptr)
        : StyleExpression(t), csharp(language == lang::Language::CSharp), expected(expected), c(c) {
    }

private:
    // Or, in C# |.
    bool orAt(int k) const override {
        return csharp ? t.isSymbol(k, u'|') && !t.isSymbols(k, u'|', u'|') : t.isWord(k, u"Or");
    }
    // + binds tighter than Or, in 32 bits as the style argument is a Long. C#
    // has no + between enum values.
    bool plusAt(int k) const override { return !csharp && t.isSymbol(k, u'+'); }
    Status primary(int& k, int e, qint64& value) override;
    Status name(int& k, qint64& value);
    Status variable(int k, qint64& value);
    Failure unknownName(int k, int last, const QString& dotted) const;

    bool csharp;
    std::optional<DotNetEnum> expected;
    Context* c;
};

Status Evaluation::primary(int& k, int e, qint64& value) {
    if (k >= e) {
        return t.notUnderstood(k);
    }
    const Token& token = t[k];
    if (token.kind == Kind::Number) {
        return number(k, csharp ? csharpNumberValue(t, k) : numberValue(t, k), value);
    }
    if (t.isSymbol(k, u'(')) {
        // A cast to an enum: (MessageBoxIcon)16.
        const int close = token.partner;
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
        return parenthesized(k, e, value);
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

} // namespace

Result<ButtonsValue> evalBasicButtons(Context& c, int b, int e) {
    return Evaluation(c.tokens, c.language, std::nullopt, &c).evaluate(b, e);
}

Result<ButtonsValue> evalEnumArgument(const Tokens& t, int b, int e, lang::Language language,
                                      DotNetEnum expected) {
    return Evaluation(t, language, expected).evaluate(b, e);
}

} // namespace veltrano::reader
