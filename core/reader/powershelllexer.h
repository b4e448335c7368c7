#pragma once

// PowerShell's lexical level: the source split into the same kinds of
// tokens as the other languages', the quotes PowerShell reads (also the
// typographic ones), and the value of an integer literal.

#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <vector>

namespace veltrano::reader {

// PowerShell string tokens carry their form in Token::ch.
enum PowerShellStringForm : char16_t {
    SingleQuoted = u's',     // '...' with '' for '
    DoubleQuoted = u'd',     // "..." with backtick escapes, $ expansions and "" for "
    SingleHereString = u'S', // @' ... '@ over lines, as it stands
    DoubleHereString = u'D', // @" ... "@ over lines, with escapes and expansions
};

// PowerShell takes ' and U+2018 to U+201B for a single quote, " and U+201C
// to U+201E for a double quote; two of a kind inside a string stand for the
// second one.
inline bool isSingleQuote(char16_t c) {
    return c == u'\'' || (c >= 0x2018 && c <= 0x201B);
}
inline bool isDoubleQuote(char16_t c) {
    return c == u'"' || (c >= 0x201C && c <= 0x201E);
}

// Splits PowerShell source into tokens in one pass. Comments (# and
// <# #>) and blanks leave no token; a line break ends a statement (an End
// token, ch '\n') unless it stands inside parentheses, after a backtick or
// after a token that needs more (',', '=', '+', '|', an operator); ';' is
// an End token too (ch ':'). A variable ($msg, ${msg}) is a Name token over
// its name without the '$' and the braces (isPowerShellVariable tells it
// from a bare word); an operator or parameter (-eq, -bor, -ComObject) is a
// Name token with ch '-' over its text with the dash; a bare word may hold
// dashes (Add-Type). Braces, brackets and '::' are Symbols. An unterminated
// string or block comment and a level of parentheses beyond MaxNesting are
// Bad tokens.
std::vector<Token> tokenizePowerShell(QStringView s);

// Whether the Name token k is a variable ($msg, ${msg}).
bool isPowerShellVariable(const Tokens& t, int k);

// Whether token k is the operator or parameter -word, in any letter case.
bool isPowerShellOperator(const Tokens& t, int k, QStringView word);

// The ']' of a type literal [A.B.C] whose '[' is token k, or -1.
int powerShellTypeEnd(const Tokens& t, int k);

// The value of an integer literal token: decimal or 0x hexadecimal, up to
// 32 bits (0xFFFFFFFF is -1, as PowerShell reads it); a suffix or a real
// number is refused.
Result<qint64> powerShellNumberValue(const Tokens& t, int k);

} // namespace veltrano::reader
