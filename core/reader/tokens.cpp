#include "core/reader/tokens.h"

#include "core/reader/limits.h"

using namespace Qt::StringLiterals;

namespace veltrano::reader {

int Tokens::topLevelComma(int b, int e) const {
    int k = b;
    while (k < e && !isSymbol(k, u',')) {
        const int p = (*this)[k].partner;
        k = (isSymbol(k, u'(') && p > k && p < e) ? p + 1 : k + 1;
    }
    return k;
}

Failure Tokens::notUnderstood(int k) const {
    if (isEnd(k)) {
        return refuse(k, u"Hier fehlt ein Wert."_s);
    }
    return refuse(k, u"„%1“ wird hier nicht verstanden."_s.arg(shown(text(k))));
}

Failure Tokens::broken(int k) const {
    if ((*this)[k].ch == Unterminated) {
        return refuseFatally(k, u"Die Zeichenkette ist nicht abgeschlossen."_s);
    }
    return refuseFatally(
        k, u"Die Klammern sind tiefer als %1 Ebenen verschachtelt."_s.arg(MaxNesting));
}

QString shown(QStringView text) {
    if (text.size() <= 40) {
        return text.toString();
    }
    return text.first(39).toString() + u'…';
}

} // namespace veltrano::reader
