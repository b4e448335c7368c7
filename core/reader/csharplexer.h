#pragma once

// C#'s lexical level: the source split into the same kinds of tokens as
// Basic's, and the value of an integer literal.

#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <vector>

namespace veltrano::reader {

// C# string tokens carry their form in Token::ch.
enum CSharpStringForm : char16_t {
    RegularString = u'r',      // "..." with escapes
    VerbatimString = u'v',     // @"..." with "" for "
    InterpolatedString = u'i', // $"...": escapes, {{ and }} for { and }
    VerbatimInterpolated = u'w',
    CharLiteral = u'c', // 'x'
};

// Splits C# source into tokens in one pass. Comments (// and /* */),
// preprocessor lines and blanks leave no token, except that #if, #elif,
// #else and #endif are each one '#' Symbol over their line; line breaks end no
// statement, so the list has one End token, at its end. ';' and braces are
// Symbols. Each '(' is linked to its ')' across the whole text; a level
// beyond MaxNesting, an unterminated string, character literal or comment and
// a raw string literal become Bad tokens. A ':' right after a name that
// follows '(' or ',' is a NamedArg (name: value). A verbatim identifier @x
// is the Name x.
std::vector<Token> tokenizeCSharp(QStringView s);

// The value of an integer literal token: decimal, 0x or 0b, with _ between
// digits and a u or l suffix, up to 32 bits; a real literal is refused.
Result<qint64> csharpNumberValue(const Tokens& t, int k);

} // namespace veltrano::reader
