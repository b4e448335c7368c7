#pragma once

#include "core/languages.h"
#include "core/msgbox.h"

#include <QString>
#include <QStringView>

#include <optional>

// The rules of code that leaves the program, in one place: Copy and
// "Kopieren als" in the window, and --code on the command line.
namespace veltrano::codeexport {

// What is asked of a stored definition's code besides its own value.
struct Request {
    std::optional<msgbox::CodeStyle> style; // the stored style where empty
    lang::Language language = lang::Language::Basic;
    bool systemModal = false;
    bool helpButton = false;
};

// The code of a stored value as the request asks for it. The value keeps
// the window's rules: a value stored with the style "VBS" refuses the help
// button as the window's check box does, so its code would lack what was
// asked, and nothing is given (helpRefused). A language without the style
// "VBS" writes a value of that style as "einfach", which the help button
// may join. Throws vb::Error.
struct Exported {
    QString code;
    bool helpRefused = false;
};
Exported storedCode(msgbox::Value value, const Request& request);

// The code of the first message box call of source, as --read prints it:
// in the language asked for, in the style asked for (where empty, the one
// the text tells, else Select Case) and with the flags the call shows. The
// help button is refused as the reader refuses it under the style "VBS":
// then refusal says why, and where when the reader names the place
// ("Zeile 3, Spalte 5: ..."), and the code is empty.
struct CallCode {
    QString code;
    QString refusal;
};
CallCode readCode(QStringView source, std::optional<msgbox::CodeStyle> style,
                  lang::Language language);

// The code of the window's value in a language, as Copy gives it.
QString code(const msgbox::Value& value, lang::Language language);

// The comment line that names a file before its code: the language's
// comment marker and the name as printable() shows it. A last character
// that would continue the comment over the code's first line is shown as
// "?" too.
QString commentLine(lang::Language language, const QString& name);

// The code with each of its line breaks (a CR) and a final one written as
// eol.
QString withLineEnds(const QString& code, QStringView eol);

// A name as it may be shown on a terminal: control characters (an escape
// sequence, a line break) become "?", so that a name cannot steer the
// terminal or start a line of its own.
QString printable(const QString& text);

} // namespace veltrano::codeexport
