#pragma once

// Building the value of a text, whatever the language's expression syntax:
// characters appended within the length limit and the work budget, a
// variable's value read (or moved in where the variable is read once to
// build its own new value), and the finished text with its line breaks
// normalised.

#include "core/reader/context.h"
#include "core/reader/limits.h"
#include "core/reader/result.h"
#include "core/reader/scope.h"
#include "core/reader/text.h"

#include <QString>
#include <QStringView>

namespace veltrano::reader {

// One text being evaluated: a prompt, a title or a value assigned.
struct Reading {
    Text out;
    QString label;        // what would grow too long, for the message
    int target = -1;      // variable assigned, when it may be moved in instead of copied
    bool untyped = false; // read a variable declared without a type
    bool text = true;     // the value is a text (in C#, 5 and 'x' alone are not)
    bool number = false;  // Basic: the value is a number; after putVariable: the variable's
};

Failure tooLong(const QString& label, qsizetype place);

// Appends n characters to the text being read, within its length limit and
// the work budget. place is where a refusal points.
inline Status put(Reading& r, const char16_t* p, qsizetype n, qsizetype place, Budget& budget) {
    if (r.out.size() + n > MaxTextLength) {
        return tooLong(r.label, place);
    }
    r.out.append(p, n, budget.work);
    return budget.check(place);
}

// Appends one code point, as two UTF-16 units beyond U+FFFF.
inline Status putCodePoint(Reading& r, char32_t code, qsizetype place, Budget& budget) {
    char16_t units[2] = {char16_t(code), 0};
    qsizetype count = 1;
    if (code > 0xFFFF) {
        units[0] = char16_t(0xD800 + ((code - 0x10000) >> 10));
        units[1] = char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
        count = 2;
    }
    return put(r, units, count, place, budget);
}

// Decodes the escape sequence at p (a backslash) before end: its length,
// and the code point it stands for in `code`, or a refusal.
using EscapeDecoder = Result<int> (*)(const Context& c, const char16_t* p, const char16_t* end,
                                      char32_t& code, const Reading& r);

// Appends the escape sequence at p as `decode` reads it; p moves past it.
inline Status putEscape(Context& c, Reading& r, const char16_t*& p, const char16_t* end,
                        qsizetype place, EscapeDecoder decode) {
    char32_t code = 0;
    const Result<int> length = decode(c, p, end, code, r);
    if (!length) {
        return length.failure();
    }
    if (Status s = putCodePoint(r, code, place, c.budget); !s) {
        return s;
    }
    p += *length;
    return done();
}

// Appends the value of the variable of that name, refused where the text
// does not show it for sure.
// `index` is the variable's where the caller has looked it up already.
Status putVariable(Reading& r, QStringView name, qsizetype place, Scope& scope, Budget& budget,
                   int index = -1);

// The refusal of a NUL character decoded at place: no definition holds one.
Failure nulCharacter(const Reading& r, qsizetype place);

// The '+' at k that joins two terms of a text (not ++ or +=), with a term
// after it before e: k moves past it.
Status joiningPlus(const Tokens& t, int& k, int e);

// How a language writes the terms of a text expression: a string literal,
// a number, a name, and an expression in parentheses. `adds` tells whether
// a + next to the term adds instead of joining (a number; in C# also a
// character).
struct TermSyntax {
    Status (*literal)(Context& c, int k, Reading& r, bool& adds);
    Result<qint64> (*number)(const Tokens& t, int k);
    Status (*name)(Context& c, int& k, Reading& r, bool& adds);
    Status (*expression)(Context& c, int& k, int e, Reading& r, bool& adds);
};

// The term at k before e, appended to the reading; k moves past it.
Status term(Context& c, int& k, int e, Reading& r, bool& adds, const TermSyntax& syntax);

// The whole text expression in tokens [b, e), read by the language's
// `expression`: a value that adds (a number, in C# also a character) is no
// text.
Status textExpression(Context& c, int b, int e, Reading& r, const TermSyntax& syntax);

// The text with every CR LF, lone CR and lone LF as one CR LF.
Result<QString> normalised(const Text& text, const QString& label, qsizetype place, Budget& budget);

} // namespace veltrano::reader
