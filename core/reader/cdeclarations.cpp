#include "core/reader/cdeclarations.h"

#include "core/reader/assignment.h"
#include "core/reader/clexer.h"
#include "core/reader/csharpdeclarations.h"
#include "core/reader/ctext.h"
#include "core/reader/scope.h"

#include <QString>

#include <span>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// Words before the type of a declaration.
constexpr QStringView Modifiers[] = {u"const",    u"static", u"constexpr",    u"volatile",
                                     u"register", u"extern", u"thread_local", u"inline",
                                     u"mutable",  u"signed", u"unsigned"};

// Characters: a pointer to them or an array of them holds a text.
constexpr QStringView CharTypes[] = {u"wchar_t", u"char",     u"WCHAR",   u"TCHAR",  u"CHAR",
                                     u"_TCHAR",  u"char16_t", u"char8_t", u"OLECHAR"};

// Pointers to characters under a name of their own.
constexpr QStringView PointerTypes[] = {u"LPCWSTR", u"LPCSTR", u"LPCTSTR",   u"LPWSTR",  u"LPSTR",
                                        u"LPTSTR",  u"PCWSTR", u"PCSTR",     u"PCTSTR",  u"PWSTR",
                                        u"PSTR",    u"PTSTR",  u"LPCOLESTR", u"LPOLESTR"};

// String objects: they copy what they are given, + joins them and +=
// extends them.
constexpr QStringView ObjectTypes[] = {u"std::wstring", u"std::string", u"wstring", u"string",
                                       u"CString",      u"CStringW",    u"CStringA"};

// Words that start a statement, never a type.
constexpr QStringView StatementWords[] = {
    u"return",  u"goto",   u"break", u"continue", u"case",      u"default",  u"else", u"do",
    u"if",      u"while",  u"for",   u"switch",   u"throw",     u"delete",   u"new",  u"using",
    u"typedef", u"sizeof", u"try",   u"catch",    u"co_return", u"namespace"};

bool anyWord(const Tokens& t, int k, std::span<const QStringView> words) {
    return t.isAnyExactWord(k, words);
}

bool isDoubleColon(const Tokens& t, int k) {
    return t.isSymbols(k, u':', u':');
}

// The variables [b, e) names that the text may change (not constants).
bool namesChangeable(const Context& c, int b, int e) {
    const Tokens& t = c.tokens;
    for (int k = b; k < e; ++k) {
        if (!t.isName(k) || (k > b && t.isSymbol(k - 1, u'.'))) {
            continue;
        }
        const int index = c.scope.find(t.name(k));
        if (index >= 0 && !c.scope[index].constant) {
            return true;
        }
    }
    return false;
}

bool callsSomething(const Tokens& t, int b, int e) {
    for (int k = b; k < e; ++k) {
        if (t.isName(k) && t.isSymbol(k + 1, u'(') && !changesNothing(t, k)) {
            return true;
        }
    }
    return false;
}

// Why a macro the text defines is unknown when it is no text: what it
// does where it stands is not read, so a statement that names it may
// change any variable.
const QString& macroWhy() {
    static const QString why = u"Das Makro ist kein Text; was es bewirkt, wird nicht gelesen."_s;
    return why;
}

// The first token in [b, e) that names a macro of macroWhy(), or -1.
int macroNamed(const Context& c, int b, int e) {
    const Tokens& t = c.tokens;
    if (!c.scope.hasVariables()) {
        return -1;
    }
    for (int k = b; k < e; ++k) {
        const int index = t.isName(k) ? c.scope.find(t.name(k)) : -1;
        if (index >= 0 && c.scope[index].state == Variable::Unknown &&
            c.scope[index].why == macroWhy()) {
            return k;
        }
    }
    return -1;
}

void forgetAllAtMacro(Context& c, int b, int e) {
    if (const int macro = macroNamed(c, b, e); macro >= 0) {
        c.scope.forgetAll(
            c.tokens.offset(macro),
            u"Das Makro %1 kann hier jede Variable ändern."_s.arg(shown(c.tokens.name(macro))));
    }
}

void makeUnknown(Context& c, int nameToken, int at, const QString& why) {
    Variable& v = c.scope[c.scope.variable(c.tokens.name(nameToken))];
    v.state = Variable::Unknown;
    v.value = Text();
    v.why = why;
    v.at = c.tokens.offset(at);
    v.constant = false;
    c.scope.stamp(v);
}

// Gives the variable at nameToken the value of [b, e), or makes it unknown
// where the value shares memory the text may change through another name.
Status assignValue(Context& c, int nameToken, int b, int e, bool object, bool compound) {
    if (!object && namesChangeable(c, b, e)) {
        forgetNamed(c, b, e);
        makeUnknown(c, nameToken, b,
                    u"Er zeigt auf den Speicher einer anderen Variablen, den der Text über "
                    u"beide Namen ändern kann."_s);
        return done();
    }
    forgetAllAtMacro(c, b, e);
    Status s = assign(c, nameToken, b, e, compound);
    if (callsSomething(c.tokens, b, e)) {
        forgetNamed(c, b, e);
    }
    return s;
}

} // namespace

bool cDeclaration(Context& c, int b, int e, Status& status) {
    const Tokens& t = c.tokens;
    int k = b;
    bool constant = false;
    bool isStatic = false;
    while (anyWord(t, k, Modifiers)) {
        constant = constant || t.isExactWord(k, u"const") || t.isExactWord(k, u"constexpr");
        isStatic = isStatic || t.isExactWord(k, u"static");
        ++k;
    }
    // The type: a name, qualified by ::, with template arguments.
    if (!t.isName(k) || anyWord(t, k, StatementWords)) {
        return false;
    }
    const int typeStart = k;
    while (isDoubleColon(t, k + 1) && t.isName(k + 3)) {
        k += 3;
    }
    ++k;
    if (t.isSymbol(k, u'<')) {
        int depth = 0;
        for (; k < e; ++k) {
            depth += t.isSymbol(k, u'<') ? 1 : t.isSymbol(k, u'>') ? -1 : 0;
            if (depth == 0) {
                break;
            }
        }
        ++k;
    }
    QString type;
    for (int j = typeStart; j < k; ++j) {
        type += t.text(j);
    }
    const bool charType = anyWord(t, typeStart, CharTypes) && typeStart + 1 == k;
    while (t.isExactWord(k, u"const") || t.isExactWord(k, u"volatile")) {
        constant = true; // wchar_t const x[]
        ++k;
    }
    const bool pointerType = anyWord(t, typeStart, PointerTypes);
    bool objectType = false;
    for (QStringView object : ObjectTypes) {
        objectType = objectType || type == object;
    }
    const bool autoType = t.isExactWord(typeStart, u"auto");

    // The declarators: [*|&|const]* name [[...]] [= value], ...
    bool any = false;
    for (int d = k; d < e;) {
        const int end = t.topLevelComma(d, e);
        int j = d;
        int stars = 0;
        bool reference = false;
        bool constPointer = false;
        while (j < end &&
               (t.isSymbol(j, u'*') || t.isSymbol(j, u'&') || t.isExactWord(j, u"const"))) {
            stars += t.isSymbol(j, u'*') ? 1 : 0;
            reference = reference || t.isSymbol(j, u'&');
            constPointer = constPointer || (stars > 0 && t.isExactWord(j, u"const"));
            ++j;
        }
        if (!t.isName(j) || anyWord(t, j, StatementWords)) {
            return any;
        }
        const int name = j++;
        bool array = false;
        while (t.isSymbol(j, u'[')) {
            array = true;
            while (j < end && !t.isSymbol(j, u']')) {
                ++j;
            }
            ++j;
        }
        // std::wstring s(L"text"): an object made from its value.
        const bool made = objectType && stars == 0 && !array && !reference && t.isSymbol(j, u'(') &&
                          t[j].partner == end - 1 && j + 2 < end;
        const bool hasValue = isAssignment(t, j) || made;
        if (!(j == end || hasValue)) {
            return any; // not a declaration: a call, an expression
        }
        any = true;
        const bool text =
            !reference &&
            ((charType && stars + (array ? 1 : 0) == 1) || (pointerType && stars == 0 && !array) ||
             (objectType && stars == 0 && !array) || (autoType && stars <= 1 && !array));
        const bool object = objectType && text;
        declareVariable(c, name, text, false);
        if (text && !object && !hasValue && !isStatic) {
            // Only a static one starts empty; a local one holds what its
            // memory held.
            makeUnknown(c, name, name, u"Ohne Anfangswert ist ihr Inhalt unbestimmt."_s);
        }
        const int valueEnd = made ? end - 1 : end;
        if (hasValue && j + 1 < valueEnd) {
            if (text) {
                if (Status s = assignValue(c, name, j + 1, valueEnd, object, false); !s) {
                    status = std::move(s);
                    return true;
                }
            } else {
                // A reference or a pointer to something else: what it is set
                // from may change through it.
                forgetNamed(c, j + 1, valueEnd);
            }
        }
        Variable& v = c.scope[c.scope.variable(t.name(name))];
        v.object = object;
        // const on the variable itself: it keeps its value everywhere.
        v.constant = v.state == Variable::Known &&
                     ((constant && (array || object || pointerType || stars == 0)) || constPointer);
        d = end + 1;
    }
    return any;
}

bool cAssignment(Context& c, int b, int e, Status& status) {
    const Tokens& t = c.tokens;
    if (!t.isName(b) || anyWord(t, b, StatementWords)) {
        return false;
    }
    const int index = c.scope.find(t.name(b));
    const bool object = index >= 0 && c.scope[index].object;
    if (isAssignment(t, b + 1)) {
        status = assignValue(c, b, b + 2, e, object, false);
        return true;
    }
    if (t.isSymbols(b + 1, u'+', u'=')) {
        if (object) {
            status = assignValue(c, b, b + 3, e, true, true);
        } else {
            // A pointer moved on by a number, or a sum.
            forgetNamed(c, b, e);
        }
        return true;
    }
    return false;
}

void cForget(Context& c, int b, int e) {
    forgetAllAtMacro(c, b, e);
    forgetNamed(c, b, e);
}

int cDefine(Context& c, int k) {
    const Tokens& t = c.tokens;
    if (!t.isSymbol(k, DefineMark) && !t.isSymbol(k, UndefMark)) {
        return -1;
    }
    int end = k + 1;
    while (!t.isEnd(end) && !(t.isSymbol(end, u';') && t[end].length == 0)) {
        ++end;
    }
    const int name = k + 1;
    const int next = t.isEnd(end) ? end : end + 1;
    if (!t.isName(name) || name >= end) {
        return next;
    }
    // A macro with parameters: NAME( right after the name.
    if (t.isSymbol(name + 1, u'(') && t.offset(name + 1) == t.offset(name) + t[name].length) {
        makeUnknown(c, name, name, macroWhy());
        return next;
    }
    if (t.isSymbol(k, UndefMark) || name + 1 == end) {
        makeUnknown(c, name, name, u"Das Makro ist hier nicht als Text definiert."_s);
        return next;
    }
    declareVariable(c, name, true, false);
    // A value that cannot be evaluated leaves the macro unknown; one too long
    // for the reader too (the spent budget ends the reading where it is next
    // checked).
    if (Status s = assign(c, name, name + 1, end); !s) {
        makeUnknown(c, name, name, s.failure().reason);
        return next;
    }
    Variable& v = c.scope[c.scope.variable(t.name(name))];
    v.object = false;
    v.constant = v.state == Variable::Known;
    // One that calls, assigns or counts may change what it names.
    bool acts = false;
    for (int j = name + 1; j < end; ++j) {
        acts = acts || t.isSymbol(j, u'(') || t.isSymbol(j, u'=') || t.isSymbol(j, u'{') ||
               t.isSymbols(j, u'+', u'+') || t.isSymbols(j, u'-', u'-');
    }
    if (v.state != Variable::Known && acts) {
        makeUnknown(c, name, name, macroWhy());
    }
    return next;
}

} // namespace veltrano::reader
