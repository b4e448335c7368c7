#pragma once

// What the lexers of all languages share: the source and the place in it,
// the tokens made so far, the line-break rule (CR LF, lone CR and lone LF
// are each one break), parentheses linked to their partners within
// MaxNesting levels, and runs of digits. Each language's lexer derives from
// it and adds its own rules.

#include "core/reader/characters.h"
#include "core/reader/limits.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <cstdint>
#include <vector>

namespace veltrano::reader {

class Lexer {
protected:
    explicit Lexer(QStringView source) : s(source), n(source.size()) {
        t.reserve(std::size_t(n / 3) + 8);
    }

    char16_t at(qsizetype k) const { return k < n ? s[k].unicode() : char16_t(0); }
    bool lineBreak(qsizetype k) const { return at(k) == CR || at(k) == LF; }
    // The place after the line break at k.
    qsizetype pastLineBreak(qsizetype k) const {
        return at(k) == CR && at(k + 1) == LF ? k + 2 : k + 1;
    }
    void toLineEnd() {
        while (i < n && s[i] != CR && s[i] != LF) {
            ++i;
        }
    }
    // Moves past the characters from i that pass `digit`, and past '_'
    // between them where the language allows it.
    template <typename Digit> void digits(Digit digit, bool underscores = false) {
        while (digit(at(i)) || (underscores && at(i) == u'_')) {
            ++i;
        }
    }
    void push(Kind kind, char16_t ch, qsizetype start) {
        t.push_back({kind, ch, std::int32_t(start), std::int32_t(i - start), -1});
    }

    // A '(' at i: a Symbol, or a Bad token beyond MaxNesting levels.
    void openParenthesis() {
        const qsizetype start = i++;
        if (open.size() >= std::size_t(MaxNesting)) {
            push(Kind::Bad, TooDeep, start);
        } else {
            open.push_back(std::int32_t(t.size()));
            push(Kind::Symbol, u'(', start);
        }
    }
    // A ')' at i, linked with the innermost open '('.
    void closeParenthesis() {
        const qsizetype start = i++;
        push(Kind::Symbol, u')', start);
        if (!open.empty()) {
            t.back().partner = open.back();
            t[std::size_t(open.back())].partner = std::int32_t(t.size() - 1);
            open.pop_back();
        }
    }

    QStringView s;
    qsizetype n;
    qsizetype i = 0;
    std::vector<Token> t;
    std::vector<std::int32_t> open; // unmatched '('
};

} // namespace veltrano::reader
