#pragma once

// Telling the language of a pasted text, which comes with no choice of
// language, and splitting it into tokens by that language's rules:
// - PowerShell when, read by its own lexer, it calls Show on a type in
//   brackets ([System.Windows.Forms.MessageBox]::Show(, also WPF's and
//   [MessageBox]) or has New-Object -ComObject, outside PowerShell's strings
//   and comments: no other language writes ]:: or -ComObject as code;
// - C# when it calls MessageBox.Show and has a ';', '==' or '!=' outside
//   C#'s strings and comments and outside Basic's on a line Basic can read
//   (VB.NET has none of these as code; `REM Ende;` is no sign), unless read as
//   Basic the call is inside a string or comment and a MsgBox call is not
//   (a Basic message that quotes C#);
// - C or C++ when it calls MessageBoxW, MessageBoxA, MessageBoxExW,
//   MessageBoxExA or MessageBox (also ::MessageBox, this->MessageBox, not
//   MessageBox.Show) or AfxMessageBox and has a ';', '==', '!=' or a brace
//   outside C's strings and
//   comments and outside Basic's, unless read as Basic the call is inside a
//   string or comment and a MsgBox call is not;
// - VB.NET when, read as Basic, it shows a form only VB.NET has: a member of
//   MsgBoxStyle, MsgBoxResult, ControlChars, Environment, MessageBox,
//   DialogResult or the message box enums of Windows Forms; a Dim with a
//   value; x &= ... or x += ...; one of VB.NET's keywords (Imports,
//   AndAlso, OrElse, IsNot, Handles, Namespace, Module, Try ...); or one of
//   its quotes U+201C, U+201D, U+FF02 outside a string; or a string over
//   lines, which VB6 would leave open at the line end;
// - otherwise VB6, VBA or VBScript, which read alike.
// A text of one statement without ';' and without a comment does not tell
// VB.NET from C#; the code reader reads it both ways (untoldCsharpReading).

#include "core/reader/reader.h"
#include "core/reader/tokens.h"

#include <QStringView>

#include <optional>

namespace veltrano::reader {

// The reader of the language the text is written in, and its tokens.
struct LexedSource {
    const LanguageReader& reader;
    Tokens tokens;
};

LexedSource lexSource(QStringView source);

// The text read as C#, where C# sees a MessageBox.Show call and a ';',
// '==' or '!=' of its own, whatever Basic makes of them: the second reading
// of a text that lexSource gave to Basic or VB.NET (a C# string that holds
// \" and then ' reads in Basic as a comment that hides the ';').
std::optional<LexedSource> csharpReading(QStringView source);

// The text read as C# too where Basic or VB.NET got it and nothing tells the
// language: one statement without a ';' and without a comment, in which C#
// sees a MessageBox.Show call. MessageBox.Show("C:\temp") is VB.NET's
// C:\temp and C#'s C:<tab>emp.
std::optional<LexedSource> untoldCsharpReading(const LexedSource& lexed);

// The text read as C or C++ where C sees a call of the Windows API
// (MessageBoxW, ::MessageBox, this->MessageBox ..., never MessageBox.Show)
// and a ';', '==', '!=' or brace of its own. lexSource asks with basicSees;
// without it, it is the second reading of a text that lexSource gave to
// Basic or VB.NET (L"\'" reads in Basic as a comment that hides the ';').
std::optional<LexedSource> cReading(QStringView source, bool basicSees = false);

// The text read as C where Basic or VB.NET got it, nothing tells the
// language (one statement, no comment) and C sees a call of the Windows API:
// MessageBoxW(NULL, L"a", L"T", MB_OK) copied without its ';'.
std::optional<LexedSource> untoldCReading(const LexedSource& lexed);

} // namespace veltrano::reader
