#include "core/reader/arguments.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

Result<std::vector<Argument>> splitArguments(const Tokens& t, int open) {
    const int close = t[open].partner;
    if (close < open) {
        return t.refuse(open, u"Die Klammer wird nicht geschlossen."_s);
    }
    std::vector<Argument> args;
    for (int k = open + 1; k < close;) {
        const int end = t.topLevelComma(k, close);
        if (end == k) {
            return t.refuse(k, u"Hier fehlt ein Argument."_s);
        }
        args.push_back({k, end});
        if (end == close) {
            break;
        }
        k = end + 1;
        if (k == close) {
            return t.refuse(end, u"Nach dem Komma fehlt ein Argument."_s);
        }
    }
    return args;
}

Result<std::vector<Argument>> bindArguments(const Tokens& t, int b, int e,
                                            const Signature& signature) {
    const std::size_t count = signature.parameters.size();
    std::vector<Argument> args(count);
    std::size_t position = 0;
    bool named = false;
    for (int k = b; b < e;) {
        const int start = k;
        while (k < e && !t.isSymbol(k, u',')) {
            if (t.isSymbol(k, u'(')) {
                const int p = t[k].partner;
                if (p < 0 || p >= e) {
                    return t.refuse(k, u"Die Klammer wird nicht geschlossen."_s);
                }
                k = p + 1;
            } else if (t.isSymbol(k, u')')) {
                return t.notUnderstood(k);
            } else {
                ++k;
            }
        }
        if (start + 1 < k && t.isName(start) && t[start + 1].kind == Kind::NamedArg) {
            std::size_t slot = 0;
            while (slot < count &&
                   t.name(start).compare(signature.parameters[slot], Qt::CaseInsensitive)) {
                ++slot;
            }
            if (slot == count || t[start].ch != 0) {
                return t.refuse(start, u"%1 hat kein Argument %2."_s.arg(signature.function,
                                                                         shown(t.text(start))));
            }
            if (args[slot].given()) {
                return t.refuse(
                    start, u"Das Argument %1 steht doppelt."_s.arg(signature.parameters[slot]));
            }
            if (start + 2 == k) {
                return t.refuse(start + 1, u"Nach %1:= fehlt der Wert."_s.arg(t.text(start)));
            }
            args[slot] = {start + 2, k};
            named = true;
        } else {
            if (named) {
                return t.refuse(start,
                                u"Nach einem benannten Argument müssen alle benannt sein."_s);
            }
            if (position == count) {
                return t.refuse(start, signature.tooMany.toString());
            }
            if (start < k) {
                args[position] = {start, k};
            } else if (k == e && position > 0) {
                return t.refuse(start - 1, u"Nach dem Komma fehlt ein Argument."_s);
            }
            ++position;
        }
        if (k == e) {
            break;
        }
        ++k;
    }
    return args;
}

} // namespace veltrano::reader
