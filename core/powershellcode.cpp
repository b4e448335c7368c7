#include "core/codeskeleton.h"
#include "core/escapedstrings.h"
#include "core/generators.h"
#include "core/msgboxtables.h"

using namespace Qt::StringLiterals;

namespace veltrano::gen {

namespace {

constexpr QChar Backtick = u'`';

// Whether a code point's UTF-8 form holds one of the bytes 0x84, 0x93 and
// 0x94. Windows PowerShell 5.1 reads a script without a byte order mark as
// Windows-1252, where those bytes are „ “ and ”, which it takes for quotes:
// "Ä" (C3 84) or "—" (E2 80 94) written as they are would end the string.
// Only continuation bytes can be one of them, so the low six bits of each
// continuation byte tell.
bool breaksAnsiReading(char32_t c) {
    auto bad = [](char32_t bits) {
        bits &= 0x3F;
        return bits == 0x04 || bits == 0x13 || bits == 0x14;
    };
    if (c < 0x80)
        return false;
    if (c < 0x800)
        return bad(c);
    if (c < 0x10000)
        return bad(c >> 6) || bad(c);
    return bad(c >> 12) || bad(c >> 6) || bad(c);
}

// A character no literal holds as it is: a control character (the line
// ends of Unicode among them), a lone surrogate, and one that breaks the
// script as Windows PowerShell 5.1 reads it.
bool needsCharCode(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           QChar::isSurrogate(c) || breaksAnsiReading(c);
}

void appendCharCode(QString& out, char16_t c) {
    out += u"$([char]0x"_s;
    out += QString::number(c, 16).toUpper();
    out += u')';
}

// Appends the text to a double-quoted string: a backtick before each
// character PowerShell reads as special there (the backtick, $, " and the
// typographic quotes it takes for "), and $([char]0x..) for every
// character needsCharCode names; a character beyond the BMP that needs it
// is written as its two halves, which PowerShell 5.1's [char] takes. The
// rest stays as it is, so that German text stays readable.
void appendEscaped(QString& out, QStringView text) {
    const QChar* run = text.data();
    const QChar* const end = run + text.size();
    for (const QChar* p = run; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c >= 0x20 && c < 0x7F && c != u'`' && c != u'$' && c != u'"')
            continue; // printable ASCII, the common case
        if (p->isHighSurrogate() && p + 1 != end && p[1].isLowSurrogate()) {
            if (breaksAnsiReading(QChar::surrogateToUcs4(*p, p[1]))) {
                out.append(run, p - run);
                appendCharCode(out, c);
                appendCharCode(out, p[1].unicode());
                run = p + 2;
            }
            ++p;
            continue;
        }
        const bool backtick =
            c == u'`' || c == u'$' || c == u'"' || c == 0x201C || c == 0x201D || c == 0x201E;
        if (!backtick && !needsCharCode(c))
            continue;
        out.append(run, p - run);
        if (backtick)
            out.append(Backtick).append(QChar(c));
        else
            appendCharCode(out, c);
        run = p + 1;
    }
    out.append(run, end - run);
}

const EscapedStrings strings{appendEscaped, u"`r`n", u"%1 = \"", u"%1 += \"", u""};

// The assembly first: in a console the type is unknown without it.
void opening(Code& code, const Shape&) {
    escapedOpening(code, strings, u"Add-Type -AssemblyName System.Windows.Forms\r");
}

// "Type.Member" of the Windows Forms column as [System.Windows.Forms.Type]::Member.
void constant(QString& out, QStringView name) {
    const qsizetype dot = name.indexOf(u'.');
    out += u"[System.Windows.Forms.";
    out += name.left(dot);
    out += u"]::";
    out += name.mid(dot + 1);
}

void call(Code& code, bool) {
    code.out += u"[System.Windows.Forms.MessageBox]::Show(";
    appendShowArguments(code, u", [System.Windows.Forms.MessageBoxOptions]0, $true");
    code.out += u')';
}

} // namespace

// PowerShell: MessageBox.Show of System.Windows.Forms, as C# calls it, in
// code that Windows PowerShell 5.1 and PowerShell 7 run. Every comment
// stands on a line of its own, as one before a closing brace would comment
// the brace out.
const Syntax powerShellSyntax = {
    .opening = opening,
    .notes = windowsFormsNotes,
    .call = call,
    .constant = constant,
    .doublesQuotes = false,
    .maxLineLength = 0,
    .answerVariable = u"$antwort",
    .messageVariable = u"$msg",
    .titleVariable = u"",
    // Without [void] PowerShell prints the answer.
    .statementHead = u"[void]",
    .statementTail = u"",
    .keepDeclaration = u"",
    .keepDeclarationScript = u"",
    .keepHead = u"%1 = ",
    .keepTail = u"",
    // A label of a switch is a bare string unless it stands in parentheses.
    .selectHead = u"switch (",
    .selectTail = u") {",
    .caseHead = u"\r    (",
    .caseTail = u") {",
    .caseClose = u"\r    }",
    .selectEnd = u"\r}",
    .caseIndent = u"        ",
    .ifHead = u"if (",
    .compare = u" -eq ",
    .thenAfterCall = u") {",
    .thenAfterAnswer = u") {",
    .elseIfHead = u"\r} elseif (",
    .elseLine = u"\r} else {",
    .endIf = u"\r}",
    .branchIndent = u"    ",
};

} // namespace veltrano::gen
