#include "core/reader/basicdeclarations.h"

#include "core/reader/basictext.h"
#include "core/reader/textvalue.h"

#include <QString>

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

void declare(Context& c, int b, int e) {
    const Tokens& t = c.tokens;
    for (int k = b; k < e;) {
        const int end = t.topLevelComma(k, e);
        int n = t.isWord(k, u"WithEvents") ? k + 1 : k;
        if (n < end && t.isName(n)) {
            const bool array = t.isSymbol(n + 1, u'(');
            int as = -1;
            for (int j = n + 1; j < end; ++j) {
                if (t.isWord(j, u"As")) {
                    as = j;
                    break;
                }
            }
            const char16_t suffix = t[n].ch;
            bool text = false;
            if (as < 0) {
                text = suffix == 0 || suffix == u'$';
            } else {
                // "As String * 10" is a text of fixed length: not what was assigned.
                text =
                    as + 2 == end && (t.isWord(as + 1, u"String") || t.isWord(as + 1, u"Variant"));
            }
            text = text && !array;

            Variable& v = c.scope[c.scope.variable(t.name(n))];
            v.untyped = as < 0 && suffix == 0;
            // A variable holds its value from the start of its procedure; a
            // Dim after an assignment in the same block does not clear it.
            if (v.state == Variable::Unset || !c.scope.isOpen(v.block)) {
                v.fixedType = !text;
                v.state = text ? Variable::Known : Variable::Unknown;
                v.value = Text();
                v.why = u"Die Deklaration gibt ihm einen anderen Typ als String."_s;
                v.at = t.offset(n);
                v.block = c.scope.currentBlock();
                v.inLoop = c.scope.inLoop();
            }
        }
        k = end + 1;
    }
}

Status constants(Context& c, int b, int e) {
    const Tokens& t = c.tokens;
    for (int k = b; k < e;) {
        const int end = t.topLevelComma(k, e);
        int eq = k + 1;
        while (eq < end && !t.isSymbol(eq, u'=')) {
            ++eq;
        }
        if (t.isName(k) && eq < end) {
            if (Status s = assign(c, k, eq + 1, end); !s) {
                return s;
            }
        }
        k = end + 1;
    }
    return done();
}

Status assign(Context& c, int nameToken, int b, int e) {
    const Tokens& t = c.tokens;
    const int index = c.scope.variable(t.name(nameToken));
    Variable& declared = c.scope[index];
    if (declared.fixedType) {
        // Keeps its declared type as long as its procedure runs.
        if (c.scope.isOpen(declared.block)) {
            return done();
        }
        declared.fixedType = false;
    }
    Reading r;
    r.label = t.name(nameToken).toString();
    // The variable's own text is moved into the new value instead of copied
    // when it is read once only (Msg = Msg & "x", Msg = "x" & Msg).
    int reads = 0;
    const QStringView name = t.name(nameToken);
    for (int k = b; k < e; ++k) {
        if (t.isName(k) && !t.isSymbol(k - 1, u'.') &&
            t.name(k).compare(name, Qt::CaseInsensitive) == 0) {
            ++reads;
        }
    }
    if (reads == 1) {
        r.target = index;
    }

    Status evaluated =
        b < e ? evalBasicText(c, b, e, r) : Status(t.refuse(e, u"Nach „=“ fehlt ein Wert."_s));
    if (!evaluated && evaluated.failure().fatal) {
        return evaluated;
    }
    Variable& v = c.scope[index];
    v.block = c.scope.currentBlock();
    v.inLoop = c.scope.inLoop();
    if (evaluated) {
        v.state = Variable::Known;
        v.value = std::move(r.out);
        v.at = t.offset(nameToken);
    } else {
        const Failure failure = std::move(evaluated).failure();
        v.state = Variable::Unknown;
        v.value = Text();
        v.why = failure.root;
        v.at = failure.offset;
    }
    return done();
}

void forgetNamed(Context& c, int b, int e) {
    const Tokens& t = c.tokens;
    if (!c.scope.hasVariables()) {
        return;
    }
    for (int k = b; k < e; ++k) {
        if (!t.isName(k) || (k > b && t.isSymbol(k - 1, u'.'))) {
            continue;
        }
        const int index = c.scope.find(t.name(k));
        if (index < 0) {
            continue;
        }
        Variable& v = c.scope[index];
        if (v.state == Variable::Known) {
            v.state = Variable::Unknown;
            v.value = Text();
            v.why = u"Die Anweisung hier kann ihn ändern."_s;
            v.at = t.offset(k);
            v.block = c.scope.currentBlock();
        }
    }
}

} // namespace veltrano::reader
