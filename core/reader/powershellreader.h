#pragma once

// The code reader's walk through PowerShell source: statement by
// statement, through brace blocks, if/elseif/else, switch, loops,
// try/catch, functions and script blocks, it keeps the scope current
// (assignments) up to the first call of [System.Windows.Forms.MessageBox]::Show
// (also [Windows.Forms.MessageBox], and [MessageBox] after `using namespace
// System.Windows.Forms`), which messageboxshow.h reads, or of WScript.Shell's
// Popup on (New-Object -ComObject WScript.Shell) or on a variable assigned
// that object (powershellpopup.h).
//
// The code style, where the text tells it:
// - the call in the condition of if (also elseif): If Then Else;
// - the call as the selector of switch: Select Case;
// - the call as the whole value of an assignment ($antwort = [...]::Show(...)):
//   If Then Else or Select Case when the next statement is an if or a switch
//   on that variable, otherwise einfach;
// - any other form ([void][...]::Show(...)): not told.
// A switch on the answer whose label is [System.Windows.Forms.DialogResult]::Yes
// without parentheses is refused: PowerShell takes such a label for a
// string, which never matches. Popup's answer tested against -1 (its
// timeout) is refused.
// Variables ($msg, ${msg}, in any letter case): $msg = ..., $msg += ... and
// [string]$msg = ... give values; another type ([int]$n = ...) makes the
// value unknown. A value assigned inside a branch (of if, switch, try and
// catch), a loop, a function or a script block that has ended since, or
// outside the function or script block that reads it, is unknown, and so is
// a variable any other statement assigns (also inside an expression, by
// [ref], or named by a bare word as Set-Variable does). A call of a function
// of the text, dot-sourcing and Invoke-Expression make every value unknown.
// WPF's [System.Windows.MessageBox] is refused by name.

#include "core/reader/reader.h"

namespace veltrano::reader {

// The reader of PowerShell: powershelllexer.h's tokens, read up to the first
// call.
const LanguageReader& powerShellReader();

} // namespace veltrano::reader
