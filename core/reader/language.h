#pragma once

// Telling the language of a pasted text, which comes with no choice of
// language, and splitting it into tokens by that language's rules:
// - C# when it calls MessageBox.Show and has a ';', '==' or '!=' outside
//   C#'s strings and comments (VB.NET has none of these), unless read as
//   Basic the call is inside a string or comment and a MsgBox call is not
//   (a Basic message that quotes C#);
// - VB.NET when, read as Basic, it shows a form only VB.NET has: a member of
//   MsgBoxStyle, MsgBoxResult, ControlChars, Environment, MessageBox,
//   DialogResult or the message box enums of Windows Forms; a Dim with a
//   value; x &= ... or x += ...; one of VB.NET's keywords (Imports,
//   AndAlso, OrElse, IsNot, Handles, Namespace, Module, Try ...); or one of
//   its quotes U+201C, U+201D, U+FF02 outside a string;
// - otherwise VB6, VBA or VBScript, which read alike.

#include "core/reader/context.h"
#include "core/reader/tokens.h"

#include <QStringView>

namespace veltrano::reader {

struct LexedSource {
    Language language;
    Tokens tokens;
};

LexedSource lexSource(QStringView source);

} // namespace veltrano::reader
