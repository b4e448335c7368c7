#pragma once

// Basic's lexical level: the source split into tokens, the keywords that
// start or end statements, and the value of a number as the runtime reads
// it. Another language gets a lexer of its own that makes the same tokens.

#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QChar>
#include <QStringView>

#include <cstdint>
#include <vector>

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
inline bool isOctalDigit(char16_t c) {
    return c >= u'0' && c <= u'7';
}

// Splits the source into tokens in one pass. Comments, blanks and line
// continuations leave no token; consecutive statement ends become one. Each
// '(' is linked to its ')' within the statement; a level beyond MaxNesting
// and an unterminated string become Bad tokens, so that only a statement the
// reader actually reaches is refused for them. The list ends with an End
// token.
std::vector<Token> tokenizeBasic(QStringView s);

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
// 2147483647; &H and &O numbers up to 32 bits, those up to &HFFFF without a
// trailing & as 16-bit Integer (so &HFFFF is -1).
Result<qint64> numberValue(const Tokens& t, int k);

} // namespace veltrano::reader
