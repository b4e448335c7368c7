#pragma once

// The value of an integer literal token as the C-like lexers mark it: the
// form in Token::ch ('d' decimal, 'o' octal with its leading 0, 'x' and 'b'
// after their two-character prefix, 'r' a real number), digit separators,
// and u, U, l, L suffixes.

#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QtGlobal>

namespace veltrano::reader {

// The value, up to 32 bits unsigned. `separator` between digits is
// skipped. A digit beyond the radix (8 in 0b12, 9 in 019) is refused as no
// valid number where `strictDigits`, else it ends the digits and stands in
// the suffix, which is refused as no integer.
Result<qint64> integerLiteralValue(const Tokens& t, int k, char16_t separator, bool strictDigits);

} // namespace veltrano::reader
