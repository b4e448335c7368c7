#include "core/reader/csharpdeclarations.h"

#include "core/reader/assignment.h"
#include "core/reader/scope.h"

#include <QString>

#include <span>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// Words that start statements or stand for values.
constexpr QStringView Keywords[] = {
    u"return", u"throw",     u"yield",     u"goto",     u"break",     u"continue", u"await",
    u"new",    u"using",     u"case",      u"default",  u"else",      u"do",       u"if",
    u"while",  u"for",       u"foreach",   u"switch",   u"try",       u"catch",    u"finally",
    u"lock",   u"checked",   u"unchecked", u"fixed",    u"unsafe",    u"typeof",   u"sizeof",
    u"nameof", u"delegate",  u"event",     u"operator", u"ref",       u"out",      u"in",
    u"params", u"this",      u"base",      u"true",     u"false",     u"null",     u"is",
    u"as",     u"namespace", u"class",     u"struct",   u"interface", u"enum",     u"record",
};

// Words before the type of a declaration.
constexpr QStringView Modifiers[] = {u"const",    u"static",    u"readonly", u"public",
                                     u"private",  u"protected", u"internal", u"volatile",
                                     u"required", u"scoped",    u"extern",   u"unsafe"};

// The types a text can be declared with (var: when its value is a text).
constexpr QStringView TextTypes[] = {u"string", u"String", u"System.String", u"var"};

bool anyWord(const Tokens& t, int k, std::span<const QStringView> words) {
    return t.isAnyExactWord(k, words);
}

} // namespace

bool isCSharpKeyword(const Tokens& t, int k) {
    return anyWord(t, k, Keywords);
}

int skipCSharpModifiers(const Tokens& t, int k) {
    while (anyWord(t, k, Modifiers)) {
        ++k;
    }
    return k;
}

int csharpTypeEnd(const Tokens& t, int k, int e) {
    if (!t.isName(k) || isCSharpKeyword(t, k)) {
        return -1;
    }
    int j = t.dottedEnd(k) + 1;
    if (t.isSymbol(j, u'<')) {
        int depth = 1;
        for (++j; depth > 0; ++j) {
            if (j >= e) {
                return -1;
            }
            if (t.isSymbol(j, u'<')) {
                ++depth;
            } else if (t.isSymbol(j, u'>')) {
                --depth;
            } else if (!t.isName(j) && !t.isSymbol(j, u',') && !t.isSymbol(j, u'.') &&
                       !t.isSymbol(j, u'?') && !t.isSymbol(j, u'[') && !t.isSymbol(j, u']')) {
                return -1;
            }
        }
    }
    while (t.isSymbol(j, u'?')) {
        ++j;
    }
    while (t.isSymbol(j, u'[') && t.isSymbol(j + 1, u']')) {
        j += 2;
    }
    return j;
}

bool isAssignment(const Tokens& t, int k) {
    return t.isSymbol(k, u'=') && !t.isSymbols(k, u'=', u'=') && !t.isSymbols(k, u'=', u'>');
}

bool csharpDeclaration(Context& c, int b, int e, Status& status) {
    const Tokens& t = c.tokens;
    const int typeStart = skipCSharpModifiers(t, b);
    const int name = csharpTypeEnd(t, typeStart, e);
    if (name < 0 || !t.isName(name) || isCSharpKeyword(t, name) ||
        !(name + 1 == e || t.isSymbol(name + 1, u',') || isAssignment(t, name + 1))) {
        return false;
    }
    QString type = t.text(typeStart, name - 1).toString().remove(u' ');
    if (type.endsWith(u'?')) {
        type.chop(1); // a nullable text is a text
    }
    bool text = false;
    for (QStringView textType : TextTypes) {
        text = text || type == textType;
    }
    const bool window = isWindowType(type);
    bool constant = false;
    for (int k = b; k < typeStart; ++k) {
        constant = constant || t.isExactWord(k, u"const");
    }
    for (int k = name; k < e;) {
        const int end = t.topLevelComma(k, e);
        if (t.isName(k)) {
            declareVariable(c, k, text, window);
            if (t.isSymbol(k + 1, u'=') && k + 2 < end) {
                forgetAssigned(c, k + 2, end); // var x = (msg = "b");
            }
            if (text && t.isSymbol(k + 1, u'=') && k + 2 < end) {
                if (Status s = assign(c, k, k + 2, end); !s) {
                    status = std::move(s);
                    return true;
                }
            }
            c.scope[c.scope.variable(t.name(k))].constant = constant;
        }
        k = end + 1;
    }
    return true;
}

bool csharpAssignment(Context& c, int b, int e, Status& status) {
    const Tokens& t = c.tokens;
    if (!t.isName(b) || isCSharpKeyword(t, b)) {
        return false;
    }
    if (isAssignment(t, b + 1)) {
        forgetAssigned(c, b + 2, e);
        status = assign(c, b, b + 2, e);
        return true;
    }
    if (t.isSymbols(b + 1, u'+', u'=')) {
        forgetAssigned(c, b + 3, e);
        status = assign(c, b, b + 3, e, true);
        return true;
    }
    return false;
}

void forgetAssigned(Context& c, int b, int e) {
    const Tokens& t = c.tokens;
    if (!c.scope.hasVariables()) {
        return;
    }
    for (int k = b; k < e; ++k) {
        // A tuple assigned: (msg, t) = ("b", "c");
        if (t.isSymbol(k, u'(') && t[k].partner > k && isAssignment(t, t[k].partner + 1)) {
            forgetNamed(c, k + 1, t[k].partner);
        }
        // A member of this object may be the variable of that name (a field).
        if (!t.isName(k) ||
            (k > b && t.isSymbol(k - 1, u'.') && !(k - 2 >= b && t.isExactWord(k - 2, u"this")))) {
            continue;
        }
        const char16_t op = t[k + 1].kind == Kind::Symbol ? t[k + 1].ch : 0;
        const bool handedOn =
            k > b && (t.isExactWord(k - 1, u"ref") || t.isExactWord(k - 1, u"out"));
        const bool assigned = isAssignment(t, k + 1) ||
                              (op != 0 && QStringView(u"+-*/%&|^").contains(QChar(op)) &&
                               t.isSymbols(k + 1, op, u'=')) ||
                              t.isSymbols(k + 1, u'+', u'+') || t.isSymbols(k + 1, u'-', u'-') ||
                              (t.isSymbols(k + 1, u'?', u'?') && t.isSymbols(k + 2, u'?', u'='));
        if (handedOn || assigned) {
            forgetNamed(c, k, k + 1);
        }
    }
}

} // namespace veltrano::reader
