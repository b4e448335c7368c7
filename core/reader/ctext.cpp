#include "core/reader/ctext.h"

#include "core/reader/characters.h"
#include "core/reader/clexer.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// The macros of <tchar.h> and <winnt.h> that make a literal wide or narrow.
constexpr QStringView TextMacros[] = {u"TEXT", u"_T", u"_TEXT", u"__TEXT", u"__T"};

// The methods of a string object that give its characters.
constexpr QStringView ReadingMethods[] = {u"c_str", u"data", u"GetString"};

// What a term is: a pointer to characters (a literal, a variable of
// wchar_t*), a string object, a character, or a number.
enum class Operand { Pointer, Object, Char, Number };

// The escape sequence at p (a backslash) before end: its length, and the
// UTF-16 unit or code point it stands for, or a refusal. \x takes every hex
// digit that follows, as C does; a value beyond a wide character (16 bits
// on Windows) is refused.
Result<int> escape(const Context& c, const char16_t* p, const char16_t* end, char32_t& code,
                   const Reading& r) {
    const char16_t* const source = reinterpret_cast<const char16_t*>(c.tokens.source().data());
    const qsizetype place = p - source;
    const char16_t e = p + 1 < end ? p[1] : 0;
    static constexpr struct {
        char16_t letter;
        char16_t value;
    } simple[] = {{u'\'', u'\''}, {u'"', u'"'}, {u'\\', u'\\'}, {u'?', u'?'}, {u'a', 7}, {u'b', 8},
                  {u'f', 12},     {u'n', 10},   {u'r', 13},     {u't', 9},    {u'v', 11}};
    for (const auto& entry : simple) {
        if (entry.letter == e) {
            code = entry.value;
            return 2;
        }
    }
    int length = 2;
    char32_t value = 0;
    bool unknown = false; // no escape of C
    bool bad = false;     // beyond a wide character
    if (isOctalDigit(e)) {
        length = 1;
        while (length < 4 && p + length < end && isOctalDigit(p[length])) {
            value = value * 8 + char32_t(p[length] - u'0');
            ++length;
        }
    } else if (e == u'x') {
        while (p + length < end && hexValue(p[length]) >= 0) {
            value = std::min<char32_t>(value * 16 + char32_t(hexValue(p[length])), 0x110000);
            ++length;
        }
        bad = value > 0xFFFF;
    } else if (e == u'u' || e == u'U') {
        const int digits = e == u'u' ? 4 : 8;
        while (length < 2 + digits && p + length < end && hexValue(p[length]) >= 0) {
            value = value * 16 + char32_t(hexValue(p[length]));
            ++length;
        }
        // A universal character name names a character: no surrogate.
        bad = value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF);
        unknown = length != 2 + digits;
    } else {
        unknown = true;
    }
    if (unknown || bad || (e == u'x' && length == 2)) {
        const qsizetype shownLength = std::min<qsizetype>(end - p, std::max(length, 2));
        const QString written = QStringView(p, shownLength).toString();
        return refusal(place,
                       bad && !unknown
                           ? u"Der Wert der Escape-Folge %1 passt in kein wchar_t."_s.arg(written)
                           : u"Die Escape-Folge %1 gibt es in C nicht."_s.arg(written));
    }
    if (value == 0) {
        return nulCharacter(r, place);
    }
    code = value;
    return length;
}

// The characters of a string or character literal.
Status literal(Context& c, int k, Reading& r) {
    const Token& t = c.tokens[k];
    const char16_t* const source = reinterpret_cast<const char16_t*>(c.tokens.source().data());
    if (t.ch == CRaw) {
        return c.tokens.refuse(k, u"Rohe Zeichenketten (R\"(...)\") werden nicht gelesen."_s);
    }
    const char16_t quote = t.ch == CChar ? u'\'' : u'"';
    const char16_t* p = source + t.offset;
    while (*p != quote) {
        ++p; // past the prefix
    }
    ++p;
    const char16_t* const end = source + t.offset + t.length - 1;
    const char16_t* run = p;
    auto flush = [&](const char16_t* to) { return put(r, run, to - run, t.offset, c.budget); };
    while (p < end) {
        const char16_t ch = *p;
        if (ch == 0) {
            return nulCharacter(r, p - source);
        }
        // ??/ and the like are trigraphs in C before C23 and not in C++17:
        // what the text says depends on the compiler.
        if (ch == u'?' && p + 2 < end && p[1] == u'?' &&
            QStringView(u"=/'()!<>-").contains(QChar(p[2]))) {
            return refusal(p - source,
                           u"Die Folge %1 ist in älterem C ein Trigraph; was sie "
                           u"bedeutet, hängt vom Compiler ab."_s.arg(QStringView(p, 3).toString()));
        }
        if (ch != u'\\') {
            ++p;
            continue;
        }
        if (Status s = flush(p); !s) {
            return s;
        }
        if (Status s = putEscape(c, r, p, end, t.offset, escape); !s) {
            return s;
        }
        run = p;
    }
    return flush(end);
}

bool isTextMacro(const Tokens& t, int k) {
    return t.isAnyExactWord(k, TextMacros) && t.isSymbol(k + 1, u'(');
}

// Whether the term at k is a literal that joins the one before it without an
// operator: a string literal or a TEXT() of one.
bool literalAt(const Tokens& t, int k, int e) {
    return k < e && ((t[k].kind == Kind::String && t[k].ch != CChar) || isTextMacro(t, k));
}

Status expression(Context& c, int& k, int e, Reading& r, Operand& kind);

// Whether the name at k is a string object: a qualified std::wstring or
// the variable of one.
Status nameTerm(Context& c, int& k, int e, Reading& r, Operand& kind) {
    const Tokens& t = c.tokens;
    const QStringView name = t.name(k);
    kind = Operand::Pointer;
    if (isTextMacro(t, k)) {
        const int close = t[k + 1].partner;
        if (close < 0 || close >= e || close == k + 2) {
            return t.refuse(k, u"%1 braucht eine Zeichenkette in Klammern."_s.arg(name));
        }
        int inner = k + 2;
        if (Status s = expression(c, inner, close, r, kind); !s) {
            return s;
        }
        k = close + 1;
        return done();
    }
    if (t.isExactWord(k, u"NULL") || t.isExactWord(k, u"nullptr")) {
        return t.refuse(k, u"%1 ist kein Text."_s.arg(name));
    }
    const bool member = t.isSymbol(k + 1, u'.') || t.isSymbols(k + 1, u'-', u'>');
    const int method = t.isSymbol(k + 1, u'.') ? k + 2 : k + 3;
    if (member && t.isAnyExactWord(method, ReadingMethods) &&
        t.parenthesisAfter(method) == method + 2) {
        if (Status s = putVariable(r, name, t.offset(k), c.scope, c.budget); !s) {
            return s;
        }
        k = method + 3;
        return done();
    }
    if (t.isSymbol(k + 1, u'(')) {
        return t.refuse(k, u"Die Funktion %1 wird nicht ausgewertet."_s.arg(shown(name)));
    }
    if (member || t.isSymbol(k + 1, u'[') || t.isSymbols(k + 1, u':', u':')) {
        return t.refuse(k, u"%1 wird nicht ausgewertet."_s.arg(shown(name)));
    }
    const int index = c.scope.find(name);
    if (Status s = putVariable(r, name, t.offset(k), c.scope, c.budget, index); !s) {
        return s;
    }
    kind = c.scope[index].object ? Operand::Object : Operand::Pointer;
    ++k;
    return done();
}

Status term(Context& c, int& k, int e, Reading& r, Operand& kind) {
    const Tokens& t = c.tokens;
    if (k >= e) {
        return t.notUnderstood(k);
    }
    switch (t[k].kind) {
    case Kind::String:
        kind = t[k].ch == CChar ? Operand::Char : Operand::Pointer;
        if (Status s = literal(c, k, r); !s) {
            return s;
        }
        ++k;
        return done();
    case Kind::Number: {
        const Result<qint64> value = cNumberValue(t, k);
        if (!value) {
            return value.failure();
        }
        const QString digits = QString::number(*value);
        kind = Operand::Number;
        ++k;
        return put(r, reinterpret_cast<const char16_t*>(digits.utf16()), digits.size(),
                   t.offset(k - 1), c.budget);
    }
    case Kind::Name:
        return nameTerm(c, k, e, r, kind);
    default:
        if (t.isSymbol(k, u'(')) {
            const int close = t[k].partner;
            if (close < 0 || close >= e) {
                return t.refuse(k, u"Die Klammer wird nicht geschlossen."_s);
            }
            if (close == k + 1) {
                return t.refuse(k, u"In der Klammer fehlt ein Wert."_s);
            }
            int inner = k + 1;
            if (Status s = expression(c, inner, close, r, kind); !s) {
                return s;
            }
            k = close + 1;
            // (s + L"x").c_str(): the characters of the object.
            if (kind == Operand::Object && t.isSymbol(k, u'.') &&
                t.isAnyExactWord(k + 1, ReadingMethods) && t.parenthesisAfter(k + 1) == k + 3) {
                kind = Operand::Pointer;
                k += 4;
            }
            return done();
        }
        return t.notUnderstood(k);
    }
}

// term { term | + term }: literals side by side join; + joins where one
// side is a string object and is refused elsewhere (between pointers it
// does not compile, with a number it moves the pointer).
Status expression(Context& c, int& k, int e, Reading& r, Operand& kind) {
    const Tokens& t = c.tokens;
    const bool firstLiteral = literalAt(t, k, e);
    if (Status s = term(c, k, e, r, kind); !s) {
        return s;
    }
    bool lastLiteral = firstLiteral;
    while (k < e) {
        if (lastLiteral && literalAt(t, k, e)) {
            if (Status s = term(c, k, e, r, kind); !s) {
                return s;
            }
            continue;
        }
        const int op = k;
        if (Status s = joiningPlus(t, k, e); !s) {
            return s;
        }
        lastLiteral = literalAt(t, k, e);
        Operand right = Operand::Pointer;
        if (Status s = term(c, k, e, r, right); !s) {
            return s;
        }
        if (kind != Operand::Object && right != Operand::Object) {
            return t.refuse(op, u"„+“ verbindet hier keine Texte: nur mit einem std::wstring "
                                u"oder CString ergibt es einen Text."_s);
        }
        // A number joined to a string object is the character of that code.
        if (kind == Operand::Number || right == Operand::Number) {
            return t.refuse(op, u"„+“ mit einer Zahl hängt das Zeichen dieses Codes an; das "
                                u"wird nicht ausgewertet."_s);
        }
        kind = Operand::Object;
    }
    return done();
}

} // namespace

Status evalCText(Context& c, int b, int e, Reading& r) {
    Operand kind = Operand::Pointer;
    if (Status s = expression(c, b, e, r, kind); !s) {
        return s;
    }
    r.text = r.text && (kind == Operand::Pointer || kind == Operand::Object);
    return done();
}

bool changesNothing(const Tokens& t, int k) {
    return isTextMacro(t, k) ||
           (k > 1 && (t.isSymbol(k - 1, u'.') || t.isSymbols(k - 2, u'-', u'>')) &&
            t.parenthesisAfter(k) == k + 2 && t.isAnyExactWord(k, ReadingMethods));
}

bool isNullPointer(const Tokens& t, int b, int e) {
    return b + 1 == e && (t.isExactWord(b, u"NULL") || t.isExactWord(b, u"nullptr") ||
                          (t[b].kind == Kind::Number && t.text(b) == u"0"));
}

} // namespace veltrano::reader
