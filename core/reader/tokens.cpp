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

int Tokens::firstBad(int b, int e) const {
    for (int k = b; k < e; ++k) {
        if ((*this)[k].kind == Kind::Bad) {
            return k;
        }
    }
    return -1;
}

int Tokens::parenthesisAfter(int k) const {
    if (!isSymbol(k + 1, u'(')) {
        return -1;
    }
    const int close = (*this)[k + 1].partner;
    return close > k + 1 ? close : -1;
}

int Tokens::dottedEnd(int k) const {
    while (isSymbol(k + 1, u'.') && isName(k + 2)) {
        k += 2;
    }
    return k;
}

QString Tokens::dotted(int k, int last) const {
    QString out = name(k).toString();
    for (int j = k + 2; j <= last; j += 2) {
        out += u'.';
        out += name(j);
    }
    return out;
}

Failure Tokens::notUnderstood(int k) const {
    if (isEnd(k)) {
        return refuse(k, u"Hier fehlt ein Wert."_s);
    }
    return refuse(k, u"„%1“ wird hier nicht verstanden."_s.arg(shown(text(k))));
}

Failure Tokens::broken(int k) const {
    switch ((*this)[k].ch) {
    case Unterminated:
        return refuseFatally(k, u"Die Zeichenkette ist nicht abgeschlossen."_s);
    case UnterminatedVbNet:
        return refuseFatally(k,
                             u"Die Zeichenkette ist nicht abgeschlossen. VB.NET liest auch "
                             u"“, ” und ＂ als Anführungszeichen, auch in einer Zeichenkette."_s);
    case UnterminatedComment:
        // /* or PowerShell's <#
        return refuseFatally(
            k, u"Der Kommentar %1 wird nicht geschlossen."_s.arg(text(k).first(2).toString()));
    case UnterminatedChar:
        return refuseFatally(k, u"Das Zeichenliteral ist nicht abgeschlossen."_s);
    case RawString:
        return refuseFatally(
            k, u"Zeichenketten in drei Anführungszeichen (\"\"\") werden nicht gelesen."_s);
    default:
        return refuseFatally(
            k, u"Die Klammern sind tiefer als %1 Ebenen verschachtelt."_s.arg(MaxNesting));
    }
}

QString shown(QStringView text) {
    if (text.size() <= 40) {
        return text.toString();
    }
    return text.first(39).toString() + u'…';
}

} // namespace veltrano::reader
