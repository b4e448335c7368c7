#include "core/codeskeleton.h"
#include "core/escapedstrings.h"
#include "core/generators.h"
#include "core/msgboxtables.h"

using namespace Qt::StringLiterals;

namespace veltrano::gen {

namespace {

// Appends the text to a C# string literal: the backslash and the quote
// escaped, the tab as \t, and as \uXXXX every other control character, the
// line ends C# knows besides CR and LF (U+0085, U+2028, U+2029) and a lone
// surrogate.
void appendEscaped(QString& out, QStringView text) {
    const QChar* run = text.data();
    const QChar* const end = run + text.size();
    for (const QChar* p = run; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'"')
            continue; // printable ASCII, the common case
        if (p->isHighSurrogate() && p + 1 != end && p[1].isLowSurrogate()) {
            ++p;
            continue;
        }
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        if (!control && c != u'\\' && c != u'"' && c != 0x2028 && c != 0x2029 && !p->isSurrogate())
            continue;
        out.append(run, p - run);
        if (c == u'\\' || c == u'"')
            out.append(u'\\').append(QChar(c));
        else if (c == u'\t')
            out += u"\\t";
        else
            out += u"\\u"_s + QString::number(c, 16).toUpper().rightJustified(4, u'0');
        run = p + 1;
    }
    out.append(run, end - run);
}

const EscapedStrings strings{appendEscaped, u"\\n", u"string %1 = \"", u"%1 += \"", u";"};

void opening(Code& code, const Shape&) {
    escapedOpening(code, strings);
}

// MessageBox.Show(text, caption, ...) with the arguments of
// appendShowArguments; the help button as options 0 and true.
void call(Code& code, bool) {
    code.out += u"MessageBox.Show(";
    appendShowArguments(code, u", 0, true");
    code.out += u')';
}

} // namespace

void windowsFormsNotes(Code& code) {
    if (code.value.systemModal) {
        code.out += code.language.comment;
        code.out += u"SystemModal gibt es bei MessageBox.Show nicht.\r";
    }
}

void appendShowArguments(Code& code, QStringView helpArguments) {
    const msgbox::Value& value = code.value;
    const Syntax& syntax = *code.language.syntax;
    QString& out = code.out;
    out += code.prompt;
    out += u", ";
    out += code.title;
    const msgbox::DefaultButton defaultButton =
        value.defaultButton.value_or(msgbox::DefaultButton::First);
    const bool needsDefault = value.helpButton || defaultButton != msgbox::DefaultButton::First;
    const bool needsIcon = needsDefault || value.icon != msgbox::Icon::None;
    if (needsIcon || value.buttons != msgbox::Buttons::Ok) {
        out += u", ";
        appendConstant(out, syntax, msgbox::facts(value.buttons).windowsForms);
    }
    if (needsIcon) {
        out += u", ";
        appendConstant(out, syntax, msgbox::facts(value.icon).windowsForms);
    }
    if (needsDefault) {
        out += u", ";
        appendConstant(out, syntax, msgbox::facts(defaultButton).windowsForms);
    }
    if (value.helpButton)
        out += helpArguments;
}

// C#: MessageBox.Show of System.Windows.Forms with DialogResult.
const Syntax cSharpSyntax = {
    .opening = opening,
    .notes = windowsFormsNotes,
    .call = call,
    .constant = nullptr,
    .doublesQuotes = false,
    .maxLineLength = 0,
    .answerVariable = u"antwort",
    .messageVariable = u"msg",
    .titleVariable = u"",
    .statementHead = u"",
    .statementTail = u";",
    .keepDeclaration = u"",
    .keepDeclarationScript = u"",
    .keepHead = u"DialogResult %1 = ",
    .keepTail = u";",
    .selectHead = u"switch (",
    .selectTail = u")\r{",
    .caseHead = u"\r    case ",
    .caseTail = u":",
    .caseClose = u"\r        break;",
    .selectEnd = u"\r}",
    .caseIndent = u"        ",
    .ifHead = u"if (",
    .compare = u" == ",
    .thenAfterCall = u")\r{",
    .thenAfterAnswer = u")\r{",
    .elseIfHead = u"\r}\relse if (",
    .elseLine = u"\r}\relse\r{",
    .endIf = u"\r}",
    .branchIndent = u"    ",
};

} // namespace veltrano::gen
