#pragma once

// Basic's lexical level: the source split into tokens, the keywords that
// start or end statements, and the value of a number as the runtime reads
// it. Another language gets a lexer of its own that makes the same tokens.

#include "core/languages.h"
#include "core/reader/characters.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QChar>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace veltrano::reader {

// The Basic lexer reads Language::Basic (VB6, VBA and VBScript read a text
// alike) and Language::VbNet, which differs in its lexical rules:
// - U+201C, U+201D and U+FF02 are quotes as " is, also inside a string
//   literal, where two quotes of any of them stand for one ";
// - U+2018, U+2019 and U+FF07 start a comment as ' does;
// - a string literal may span lines, "x"c is a Char literal and $"..." an
//   interpolated string;
// - a line continues without " _" after a comma, an opening parenthesis or
//   brace, an operator, := or an operator word (And, Or, Mod ...), and
//   before a closing parenthesis or brace.

// String tokens carry how their text is written in Token::ch.
enum StringForm : char16_t {
    ClassicString = 0,        // "..." with "" for "
    VbNetString = u'n',       // any of the three quotes, a pair of them for "
    VbNetChar = u'c',         // "x"c
    VbNetInterpolated = u'$', // $"...", {{ and }} for { and }
};

// Whether c is a quote in the dialect.
inline bool isBasicQuote(char16_t c, lang::Language dialect) {
    return c == u'"' ||
           (dialect == lang::Language::VbNet && (c == 0x201C || c == 0x201D || c == 0xFF02));
}

// Splits the source into tokens in one pass. Comments, blanks and line
// continuations leave no token; consecutive statement ends become one. Each
// '(' is linked to its ')' within the statement; a level beyond MaxNesting
// and an unterminated string become Bad tokens, so that only a statement the
// reader actually reaches is refused for them. The list ends with an End
// token.
std::vector<Token> tokenizeBasic(QStringView s, lang::Language dialect = lang::Language::Basic);

enum class Keyword : std::uint8_t {
    None,
    If,
    ElseIf,
    Else,
    End,
    Select,
    Case,
    For,
    Do,
    While,
    Loop,
    Next,
    Wend,
    Procedure, // Sub, Function, Property
    Modifier,  // Public, Private, Friend, Static, Global
    Dim,
    Const,
    Declare,
    Declaration, // Enum, Type
    Debug,
};

// The keyword token k is, or None.
Keyword keywordAt(const Tokens& t, int k);

// The value of a number token as the runtime reads it: decimal numbers up to
// 2147483647; &H and &O numbers up to 32 bits, in VB6, VBA and VBScript those
// up to &HFFFF without a trailing & as 16-bit Integer (so &HFFFF is -1), in
// VB.NET as a 32-bit Integer unless a type character (S, US, UI, L, &) says
// otherwise (so &HFFFF is 65535). The lexer marks VB.NET's as 'H' and 'O'.
Result<qint64> numberValue(const Tokens& t, int k);

} // namespace veltrano::reader
