#pragma once

// PowerShell's calls of a message box and what the text around them tells:
// finding [...MessageBox]::Show( and WScript.Shell's .Popup(, the
// statements and brace blocks around them, and the code style the place of
// the call tells (see powershellreader.h), with the tests of the answer
// that can never pass refused.

#include "core/msgbox.h"
#include "core/reader/context.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <QSet>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace veltrano::reader {

struct PowerShellCall {
    bool popup = false;
    bool bareType = false; // [MessageBox] without a namespace
    ShowCall show{};       // for Show
    int start = 0;         // first token of the call
    int open = 0;          // its '('
};

enum class PowerShellPlace : std::uint8_t { Plain, Condition, Selector };

// Whether token k is the bare word w (no variable $w), in any letter case.
bool powerShellWord(const Tokens& t, int k, QStringView w);

// The call at k, a '[' or the '.' before Popup, or nothing. shells are the
// variables (case-folded) that hold a WScript.Shell.
std::optional<PowerShellCall> powerShellCallAt(const Tokens& t, int k, const QSet<QString>& shells);

// Whether [b, e) is New-Object -ComObject WScript.Shell.
bool isNewShell(const Tokens& t, int b, int e);

// Whether a double-quoted string's text expands the variable: $name or
// ${name} without a backtick before the $.
bool powerShellExpands(QStringView text, QStringView name);

// The End token or the '{' or '}' that ends the statement starting at b,
// outside parentheses and hash literals @{ }.
int powerShellStatementEnd(const Tokens& t, int b);
// The '}' of the '{' at open, or the final End token.
int powerShellBraceEnd(const Tokens& t, int open);
// The token after that '}', at most the final End token.
int powerShellAfterBrace(const Tokens& t, int open);
// The first token from k that is not an End token, or the final one.
int powerShellNextStatement(const Tokens& t, int k);

// The style the call tells from its place in the statement [b, e) (b is
// the if or switch of a condition or selector, whose '{' is selectorBrace),
// or nothing; a switch label [...]::Yes without parentheses and a test of
// Popup's answer against -1 are refused.
Result<std::optional<msgbox::CodeStyle>> powerShellToldStyle(const Tokens& t, int b, int e,
                                                             const PowerShellCall& call,
                                                             PowerShellPlace place,
                                                             int selectorBrace);

// A statement the reader does not model makes unknown the variables it
// assigns ($x = ..., $x += ..., $x++ inside an expression), hands on by
// [ref], or names by a bare word (Set-Variable msg, -OutVariable msg).
void forgetPowerShellChanges(Context& c, int b, int e);

// Whether the tokens show one of the calls the reader reads (or WPF's
// MessageBox) outside strings and comments: how a text tells PowerShell.
bool showsPowerShellCall(const Tokens& t);

} // namespace veltrano::reader
