#include "core/reader/basicdeclarations.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

Status declare(Context& c, int b, int e) {
    const Tokens& t = c.tokens;
    for (int k = b; k < e;) {
        const int end = t.topLevelComma(k, e);
        int n = t.isWord(k, u"WithEvents") ? k + 1 : k;
        // VB.NET: a value after the type.
        int eq = n + 1;
        while (eq < end && !t.isSymbol(eq, u'=')) {
            const int p = t[eq].partner;
            eq = t.isSymbol(eq, u'(') && p > eq && p < end ? p + 1 : eq + 1;
        }
        if (n < end && t.isName(n)) {
            const bool array = t.isSymbol(n + 1, u'(');
            int as = -1;
            for (int j = n + 1; j < eq; ++j) {
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
                    as + 2 == eq && (t.isWord(as + 1, u"String") || t.isWord(as + 1, u"Variant"));
            }
            text = text && !array;

            const Variable& known = c.scope[c.scope.variable(t.name(n))];
            // A variable holds its value from the start of its procedure; a
            // Dim after an assignment in the same block does not clear it.
            // A Dim in another procedure declares a variable of its own.
            const bool fresh = known.state == Variable::Unset || !c.scope.isOpen(known.block) ||
                               known.procedure != c.scope.currentProcedure();
            const bool window = as >= 0 && as + 1 < eq && t.isName(as + 1) &&
                                isWindowType(t.dotted(as + 1, t.dottedEnd(as + 1)));
            Variable& v = declareVariable(c, n, text, window, fresh);
            v.untyped = as < 0 && suffix == 0;
            if (eq + 1 < end) {
                if (Status s = assign(c, n, eq + 1, end); !s) {
                    return s;
                }
            }
        }
        k = end + 1;
    }
    return done();
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
            Variable& v = c.scope[c.scope.variable(t.name(k))];
            v.constant = true;
            v.declared = true;
        }
        k = end + 1;
    }
    return done();
}

} // namespace veltrano::reader
