#include "core/reader/assignment.h"

#include "core/reader/textvalue.h"

#include <QString>

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

Status assign(Context& c, int nameToken, int b, int e, bool compound, bool hiddenReads) {
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
    // when it is read once only (Msg = Msg & "x", Msg = "x" & Msg, Msg &= "x").
    int reads = compound ? 1 : 0;
    const QStringView name = t.name(nameToken);
    for (int k = b; k < e; ++k) {
        if (t.isName(k) && !t.isSymbol(k - 1, u'.') && c.scope.sameName(t.name(k), name)) {
            ++reads;
        }
    }
    if (reads == 1 && !hiddenReads) {
        r.target = index;
    }

    Status evaluated = done();
    if (compound) {
        evaluated = putVariable(r, name, t.offset(nameToken), c.scope, c.budget);
    }
    if (evaluated) {
        evaluated =
            b < e ? c.evalText(c, b, e, r) : Status(t.refuse(e, u"Nach „=“ fehlt ein Wert."_s));
    }
    if (!evaluated && evaluated.failure().fatal) {
        return evaluated;
    }
    Variable& v = c.scope[index];
    c.scope.stamp(v);
    v.constant = false;
    v.shell = false;
    v.number = evaluated && r.number;
    if (evaluated && !r.text) {
        v.state = Variable::Unknown;
        v.value = Text();
        v.why = u"Der Wert ist kein Text."_s;
        v.at = t.offset(b);
    } else if (evaluated) {
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

Variable& declareVariable(Context& c, int k, bool text, bool window, bool fresh) {
    Variable& v = c.scope[c.scope.variable(c.tokens.name(k))];
    if (fresh) {
        v.fixedType = !text;
        v.untyped = false;
        v.state = text ? Variable::Known : Variable::Unknown;
        v.value = Text();
        v.why = u"Die Deklaration gibt ihm einen anderen Typ als String."_s;
        v.at = c.tokens.offset(k);
        v.number = false;
        v.constant = false;
        v.shell = false;
        c.scope.stamp(v);
    }
    v.declared = true;
    v.window = window;
    return v;
}

bool isWindowType(QStringView dottedType) {
    const QStringView last = dottedType.sliced(dottedType.lastIndexOf(u'.') + 1);
    for (QStringView window : {u"IWin32Window", u"Control", u"UserControl", u"NativeWindow"}) {
        if (last.compare(window, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return last.endsWith(u"Form", Qt::CaseInsensitive);
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
