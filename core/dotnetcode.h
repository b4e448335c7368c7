#pragma once

#include "core/msgbox.h"

#include <QString>

// The generators of the .NET languages, which core/generators.h dispatches
// to. Both write a fragment of statements in the structure of the code
// style: Select Case or switch on the result, If and ElseIf or if and
// else if with one commented branch per button, or for "einfach" and "VBS"
// the call with its result kept in a variable. The button set "OK" is a
// plain statement. A message that Basic would give to Msg is built in a
// variable first, one statement per message line.
namespace veltrano::gen {

// A buffer for code of about that capacity: the memory of the last long
// code where nobody holds it any more (see core/generators.cpp).
QString takeBuffer(qsizetype capacity);

// VB.NET: MsgBox of Microsoft.VisualBasic with MsgBoxStyle and MsgBoxResult.
QString vbNetCode(const msgbox::Value& value);

// C#: MessageBox.Show of System.Windows.Forms with DialogResult. It has no
// system-modal box: a comment above the call says so.
QString cSharpCode(const msgbox::Value& value);

} // namespace veltrano::gen
