#pragma once

// Tokens: the source as a lexer splits it, of the same kinds whatever the
// language, and the look-ups the other parts of the reader make on them: a
// token's text and name, whether it is a given word or symbol, the next
// comma outside parentheses, and failures placed at a token.

#include "core/reader/result.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace veltrano::reader {

inline constexpr char16_t CR = u'\r';
inline constexpr char16_t LF = u'\n';

enum class Kind : std::uint8_t {
    Name,     // identifier or keyword; ch holds its type character ($ % ! # @) or 0
    Number,   // ch: 'd' decimal, 'h' hexadecimal, 'o' octal
    String,   // with its quotes, doubled quotes still doubled
    Symbol,   // one character, in ch
    NamedArg, // :=
    End,      // end of a statement; ch: '\n' for a line end, ':' for a colon
    Bad,      // ch: BadCause
};

enum BadCause : char16_t {
    Unterminated = 1,
    TooDeep = 2,
    UnterminatedComment = 3, // /* without */
    UnterminatedChar = 4,    // a C# character literal
    RawString = 5,           // C#'s """..."""
    UnterminatedVbNet = 6,   // in VB.NET text that holds U+201C, U+201D or U+FF02
};

struct Token {
    Kind kind;
    char16_t ch;
    std::int32_t offset;
    std::int32_t length;
    std::int32_t partner; // '(' and ')': index of the matching parenthesis, else -1
};

// The tokens of one source, ended by an End token. Words compare without
// letter case.
class Tokens {
public:
    Tokens(QStringView source, std::vector<Token> tokens) : m_src(source), m_t(std::move(tokens)) {}

    QStringView source() const { return m_src; }
    int size() const { return int(m_t.size()); }
    const Token& operator[](int k) const { return m_t[std::size_t(k)]; }

    qsizetype offset(int k) const { return (*this)[k].offset; }
    QStringView text(int k) const { return m_src.sliced((*this)[k].offset, (*this)[k].length); }
    // From the start of one token to the end of another.
    QStringView text(int from, int to) const {
        const Token& a = (*this)[from];
        const Token& b = (*this)[to];
        return m_src.sliced(a.offset, b.offset + b.length - a.offset);
    }
    // A name without its type character.
    QStringView name(int k) const {
        const Token& t = (*this)[k];
        return m_src.sliced(t.offset, t.length - (t.ch != 0 ? 1 : 0));
    }

    bool isName(int k) const { return (*this)[k].kind == Kind::Name; }
    // word is ASCII letters: its first one is compared first, cheaply.
    bool isWord(int k, QStringView word) const {
        const Token& t = (*this)[k];
        return t.kind == Kind::Name && t.ch == 0 && t.length == word.size() &&
               (m_src[t.offset].unicode() | 0x20) == (word.front().unicode() | 0x20) &&
               name(k).compare(word, Qt::CaseInsensitive) == 0;
    }
    // A word in exactly this letter case, as C# compares them.
    bool isExactWord(int k, QStringView word) const {
        const Token& t = (*this)[k];
        return t.kind == Kind::Name && t.ch == 0 && t.length == word.size() &&
               m_src[t.offset] == word.front() && name(k) == word;
    }
    bool isAnyExactWord(int k, std::span<const QStringView> words) const {
        for (QStringView word : words) {
            if (isExactWord(k, word)) {
                return true;
            }
        }
        return false;
    }
    bool isSymbol(int k, char16_t c) const {
        return (*this)[k].kind == Kind::Symbol && (*this)[k].ch == c;
    }
    // Two symbols written together, as in == or +=.
    bool isSymbols(int k, char16_t first, char16_t second) const {
        return isSymbol(k, first) && isSymbol(k + 1, second) && offset(k + 1) == offset(k) + 1;
    }
    bool isEnd(int k) const { return (*this)[k].kind == Kind::End; }

    // The last token of the dotted name A.B.C that starts at the name k.
    int dottedEnd(int k) const;
    // The dotted name from k to last (from dottedEnd) without blanks.
    QString dotted(int k, int last) const;

    // The first Bad token in [b, e), or -1.
    int firstBad(int b, int e) const;
    // The ')' of a '(' at k + 1, or -1.
    int parenthesisAfter(int k) const;

    // The first comma in [b, e) outside parentheses, or e.
    int topLevelComma(int b, int e) const;

    Failure refuse(int k, const QString& reason) const { return refusal(offset(k), reason); }
    Failure refuseFatally(int k, const QString& reason) const {
        return fatalRefusal(offset(k), reason);
    }
    // A token where the expression cannot have it, or a missing value.
    Failure notUnderstood(int k) const;
    // The reason a Bad token stands for; fatal.
    Failure broken(int k) const;

private:
    QStringView m_src;
    std::vector<Token> m_t;
};

// Display of a piece of source in a message: at most 40 characters.
QString shown(QStringView text);

} // namespace veltrano::reader
