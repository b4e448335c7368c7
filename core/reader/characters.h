#pragma once

// The character classes the lexers read by: blanks (a line break is not
// one), digits, and the characters of a name.

#include "core/reader/tokens.h"

#include <QChar>

namespace veltrano::reader {

inline bool isBlank(char16_t c) {
    return c != CR && c != LF && QChar::isSpace(c);
}
inline bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
inline bool isHexDigit(char16_t c) {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
// The value of a hexadecimal digit, or -1.
inline int hexValue(char16_t c) {
    if (isDigit(c)) {
        return c - u'0';
    }
    if ((c | 0x20) >= u'a' && (c | 0x20) <= u'f') {
        return (c | 0x20) - u'a' + 10;
    }
    return -1;
}
inline bool isBinaryDigit(char16_t c) {
    return c == u'0' || c == u'1';
}
inline bool isOctalDigit(char16_t c) {
    return c >= u'0' && c <= u'7';
}
// A letter or '_': the first character of a name.
inline bool isNameStart(char16_t c) {
    return c == u'_' || QChar::isLetter(c);
}
// A letter, digit or '_' after the first character of a name.
inline bool isNamePart(char16_t c) {
    return c == u'_' || QChar::isLetterOrNumber(c);
}

} // namespace veltrano::reader
