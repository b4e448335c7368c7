#pragma once

// C's and C++'s lexical level: the source split into the token kinds of
// tokens.h, and the value of an integer literal.

#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <vector>

namespace veltrano::reader {

// C string tokens carry their form in Token::ch; the token includes the
// prefix (L, u, U, u8) before the opening quote.
enum CStringForm : char16_t {
    CString = u's', // "..." with escapes
    CChar = u'c',   // 'x'
    CRaw = u'R',    // R"delim(...)delim"
};

// The preprocessor lines a walk reads: `#define NAME ...` starts with a
// Symbol of this character over `#define`, then the tokens of the line and
// a ';' of no length where the line ends; `#undef NAME` the same.
inline constexpr char16_t DefineMark = u'D';
inline constexpr char16_t UndefMark = u'U';

// Splits C or C++ source into tokens in one pass. Comments (// also over a
// line that ends in a backslash, and /* */), blanks, a backslash before a
// line break and the preprocessor lines other than #define and #undef leave
// no token, except that #if, #ifdef, #ifndef, #elif, #else and #endif are
// each one '#' Symbol over their line. There is one End token, at the end.
// Each '(' is linked to its ')'; a level beyond MaxNesting, an unterminated
// string, character literal or comment become Bad tokens. `::` is two ':'.
std::vector<Token> tokenizeC(QStringView s);

// The value of an integer literal token: decimal, octal (leading 0), 0x or
// 0b, with ' between digits and u, l, ll suffixes, up to 32 bits unsigned;
// a floating literal is refused.
Result<qint64> cNumberValue(const Tokens& t, int k);

} // namespace veltrano::reader
