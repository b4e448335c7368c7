#pragma once

// What the lexers of all languages share: the source and the place in it,
// the tokens made so far, the line-break rule (CR LF, lone CR and lone LF
// are each one break), parentheses linked to their partners within
// MaxNesting levels, runs of digits, number prefixes and exponents, names,
// quoted literals with backslash escapes, comments between two markers and
// the words of preprocessor lines. Each language's lexer derives from it and
// adds its own rules.

#include "core/reader/characters.h"
#include "core/reader/limits.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <cstdint>
#include <utility>
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
    // From after an opening quote to after its closing `quote` on the same
    // line, over backslash escapes: whether it is closed there.
    bool closeQuote(char16_t quote) {
        while (i < n && !lineBreak(i)) {
            if (s[i] == u'\\' && i + 1 < n && !lineBreak(i + 1)) {
                i += 2;
            } else if (s[i] == quote) {
                ++i;
                return true;
            } else {
                ++i;
            }
        }
        return false;
    }
    // Whether only blanks stand before k on its line.
    bool atLineStart(qsizetype k) const {
        while (k > 0 && s[k - 1] != CR && s[k - 1] != LF) {
            if (!QChar::isSpace(s[k - 1].unicode())) {
                return false;
            }
            --k;
        }
        return true;
    }
    // The word of the preprocessor line whose '#' is at k: the letters that
    // follow it after any blanks.
    QStringView directiveWord(qsizetype k) const {
        ++k;
        while (k < n && isBlank(s[k].unicode())) {
            ++k;
        }
        qsizetype end = k;
        while (end < n && QChar::isLetter(s[end].unicode())) {
            ++end;
        }
        return s.sliced(k, end - k);
    }
    // A comment from its two opening characters at i to after `last1`
    // `last2`, or a Bad token where the text ends before them.
    void blockComment(qsizetype start, char16_t last1, char16_t last2) {
        i += 2;
        while (i < n && !(s[i] == last1 && at(i + 1) == last2)) {
            ++i;
        }
        if (i >= n) {
            push(Kind::Bad, UnterminatedComment, start);
            return;
        }
        i += 2;
    }
    // Moves past the characters from i that pass `digit`, and past '_'
    // between them where the language allows it.
    template <typename Digit> void digits(Digit digit, bool underscores = false) {
        while (digit(at(i)) || (underscores && at(i) == u'_')) {
            ++i;
        }
    }
    // A 0x or 0b prefix at i (either letter case): 'x' or 'b', with i moved
    // past it; else 0.
    char16_t radixPrefix() {
        const char16_t letter = at(i) == u'0' ? char16_t(at(i + 1) | 0x20) : char16_t(0);
        if (letter != u'x' && letter != u'b') {
            return 0;
        }
        i += 2;
        return letter;
    }
    // An exponent at i (e or E, a sign, digits) makes the number `form` a
    // real one, 'r'.
    void exponent(char16_t& form) {
        if (at(i) == u'e' || at(i) == u'E') {
            const qsizetype sign = (at(i + 1) == u'+' || at(i + 1) == u'-') ? 1 : 0;
            if (isDigit(at(i + 1 + sign))) {
                form = u'r';
                i += 1 + sign;
                digits(isDigit);
            }
        }
    }
    void push(Kind kind, char16_t ch, qsizetype start) {
        t.push_back({kind, ch, std::int32_t(start), std::int32_t(i - start), -1});
    }
    // The rest of a name from i, a Name token from start.
    void restOfName(qsizetype start, char16_t ch = 0) {
        while (isNamePart(at(i))) {
            ++i;
        }
        push(Kind::Name, ch, start);
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

    // The character c at i, when no rule of the language took it: '(' and
    // ')' linked, anything else a Symbol of its own.
    void symbol(char16_t c) {
        if (c == u'(') {
            openParenthesis();
        } else if (c == u')') {
            closeParenthesis();
        } else {
            ++i;
            push(Kind::Symbol, c, i - 1);
        }
    }

    // The tokens, ended by one End token at the end of the source.
    std::vector<Token> finished() {
        t.push_back({Kind::End, LF, std::int32_t(n), 0, -1});
        return std::move(t);
    }

    QStringView s;
    qsizetype n;
    qsizetype i = 0;
    std::vector<Token> t;
    std::vector<std::int32_t> open; // unmatched '('
};

} // namespace veltrano::reader
