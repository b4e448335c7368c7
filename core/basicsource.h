#pragma once

// The lexical level of the code reader: Basic source split into tokens, the
// names of the message box constants, text constants and keywords, and a
// text that grows at both ends. Used by the code reader only.

#include "core/msgboxstyle.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace veltrano::basic {

inline constexpr char16_t CR = u'\r';
inline constexpr char16_t LF = u'\n';

// ------------------------------------------------------------------ values

// A growing text with free room at both ends, so that a variable built up
// line by line at its end (Msg = Msg & "x") or at its front (Msg = "x" & Msg)
// grows in place in amortised constant time per character. Every character
// copied, also when the text moves to a larger buffer, is added to `work`, so
// that the caller's budget sees all copying.
class Text {
public:
    Text() = default;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    Text(Text&& other) noexcept { *this = std::move(other); }
    Text& operator=(Text&& other) noexcept {
        m_buf = std::move(other.m_buf);
        m_begin = std::exchange(other.m_begin, 0);
        m_end = std::exchange(other.m_end, 0);
        other.m_buf.clear();
        return *this;
    }

    qsizetype size() const { return qsizetype(m_end - m_begin); }
    const char16_t* data() const { return m_buf.data() + m_begin; }

    void append(const char16_t* p, qsizetype n, qsizetype& work) {
        if (n <= 0) {
            return;
        }
        if (m_buf.size() - m_end < std::size_t(n)) {
            grow(std::size_t(n), false, work);
        }
        std::copy(p, p + n, m_buf.data() + m_end);
        m_end += std::size_t(n);
        work += n;
    }

    void prepend(const char16_t* p, qsizetype n, qsizetype& work) {
        if (n <= 0) {
            return;
        }
        if (m_begin < std::size_t(n)) {
            grow(std::size_t(n), true, work);
        }
        m_begin -= std::size_t(n);
        std::copy(p, p + n, m_buf.data() + m_begin);
        work += n;
    }

private:
    // Moves the text into a buffer about twice as large, with room for n more
    // characters at the front or at the back and most of the rest on that
    // side too.
    void grow(std::size_t n, bool atFront, qsizetype& work) {
        const std::size_t size = m_end - m_begin;
        const std::size_t capacity = 2 * (size + n) + 32;
        const std::size_t spare = capacity - size - n;
        const std::size_t begin = atFront ? n + spare * 3 / 4 : spare / 4;
        std::vector<char16_t> buf(capacity);
        std::copy(m_buf.data() + m_begin, m_buf.data() + m_end, buf.data() + begin);
        work += qsizetype(size);
        m_buf = std::move(buf);
        m_begin = begin;
        m_end = begin + size;
    }

    std::vector<char16_t> m_buf;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};

// ------------------------------------------------------------------ tokens

enum class Kind : std::uint8_t {
    Name,     // identifier or keyword; ch holds its type character ($ % ! # @) or 0
    Number,   // ch: 'd' decimal, 'h' hexadecimal, 'o' octal
    String,   // with its quotes, doubled quotes still doubled
    Symbol,   // one character, in ch
    NamedArg, // :=
    End,      // end of a statement; ch: '\n' for a line end, ':' for a colon
    Bad,      // ch: BadCause
};

enum BadCause : char16_t { Unterminated = 1, TooDeep = 2 };

struct Token {
    Kind kind;
    char16_t ch;
    std::int32_t offset;
    std::int32_t length;
    std::int32_t partner; // '(' and ')': index of the matching parenthesis, else -1
};

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
// '(' is linked to its ')' within the statement; a 65th open level and an
// unterminated string become Bad tokens, so that only a statement the reader
// actually reaches is refused for them. The list ends with an End token.
std::vector<Token> tokenize(QStringView s);

// ------------------------------------------------------------------ names

struct StyleConstant {
    QStringView name;
    int value;
};

// The style constants of the message box, by value.
inline constexpr StyleConstant StyleConstants[] = {
    {u"vbOKOnly", vb::vbOKOnly},
    {u"vbOKCancel", vb::vbOKCancel},
    {u"vbAbortRetryIgnore", vb::vbAbortRetryIgnore},
    {u"vbYesNoCancel", vb::vbYesNoCancel},
    {u"vbYesNo", vb::vbYesNo},
    {u"vbRetryCancel", vb::vbRetryCancel},
    {u"vbCritical", vb::vbCritical},
    {u"vbQuestion", vb::vbQuestion},
    {u"vbExclamation", vb::vbExclamation},
    {u"vbInformation", vb::vbInformation},
    {u"vbDefaultButton1", vb::vbDefaultButton1},
    {u"vbDefaultButton2", vb::vbDefaultButton2},
    {u"vbDefaultButton3", vb::vbDefaultButton3},
    {u"vbDefaultButton4", vb::vbDefaultButton4},
    {u"vbApplicationModal", vb::vbApplicationModal},
    {u"vbSystemModal", vb::vbSystemModal},
    {u"vbMsgBoxHelpButton", vb::vbMsgBoxHelpButton},
    {u"vbMsgBoxSetForeground", vb::vbMsgBoxSetForeground},
    {u"vbMsgBoxRight", vb::vbMsgBoxRight},
    {u"vbMsgBoxRtlReading", vb::vbMsgBoxRtlReading},
};

int styleConstant(QStringView name);

struct TextConstant {
    QStringView name;
    QStringView value;
};

inline constexpr TextConstant TextConstants[] = {
    {u"vbCr", u"\r"},        {u"vbLf", u"\n"},  {u"vbCrLf", u"\r\n"},
    {u"vbNewLine", u"\r\n"}, {u"vbTab", u"\t"}, {u"vbNullString", u""},
};

// Words that stand for values the reader does not evaluate.
inline constexpr QStringView ValueWords[] = {u"True",    u"False", u"Null", u"Empty",
                                             u"Nothing", u"Me",    u"New",  u"Not"};

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

struct KeywordName {
    QStringView name;
    Keyword keyword;
};

inline constexpr KeywordName Keywords[] = {
    {u"If", Keyword::If},
    {u"ElseIf", Keyword::ElseIf},
    {u"Else", Keyword::Else},
    {u"End", Keyword::End},
    {u"Select", Keyword::Select},
    {u"Case", Keyword::Case},
    {u"For", Keyword::For},
    {u"Do", Keyword::Do},
    {u"While", Keyword::While},
    {u"Loop", Keyword::Loop},
    {u"Next", Keyword::Next},
    {u"Wend", Keyword::Wend},
    {u"Sub", Keyword::Procedure},
    {u"Function", Keyword::Procedure},
    {u"Property", Keyword::Procedure},
    {u"Public", Keyword::Modifier},
    {u"Private", Keyword::Modifier},
    {u"Friend", Keyword::Modifier},
    {u"Static", Keyword::Modifier},
    {u"Global", Keyword::Modifier},
    {u"Dim", Keyword::Dim},
    {u"Const", Keyword::Const},
    {u"Declare", Keyword::Declare},
    {u"Enum", Keyword::Declaration},
    {u"Type", Keyword::Declaration},
    {u"Debug", Keyword::Debug},
};

// Display of a piece of source in a message: at most 40 characters.
QString shown(QStringView text);

} // namespace veltrano::basic
