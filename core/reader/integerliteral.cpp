#include "core/reader/integerliteral.h"

#include "core/reader/characters.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

Result<qint64> integerLiteralValue(const Tokens& t, int k, char16_t separator, bool strictDigits) {
    const QStringView text = t.text(k);
    const char16_t form = t[k].ch;
    if (form == u'r') {
        return t.refuse(k, u"%1 ist keine ganze Zahl."_s.arg(shown(text)));
    }
    const int radix = form == u'x' ? 16 : form == u'b' ? 2 : form == u'o' ? 8 : 10;
    qsizetype i = radix == 16 || radix == 2 ? 2 : 0;
    quint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == separator) {
            continue;
        }
        const int digit = radix == 16 ? hexValue(c) : isDigit(c) ? c - u'0' : -1;
        if (digit < 0 || (digit >= radix && !strictDigits)) {
            break;
        }
        if (digit >= radix) {
            return t.refuse(k, u"%1 ist keine gültige Zahl."_s.arg(shown(text)));
        }
        v = v * quint64(radix) + quint64(digit);
        if (v > 0xFFFFFFFFull) {
            return t.refuse(k, u"Die Zahl %1 ist zu groß."_s.arg(shown(text)));
        }
    }
    for (QChar c : text.sliced(i)) {
        if (!QStringView(u"uUlL").contains(c)) {
            return t.refuse(k, u"%1 ist keine ganze Zahl."_s.arg(shown(text)));
        }
    }
    return qint64(v);
}

} // namespace veltrano::reader
