#pragma once

// WScript.Shell's Popup as PowerShell calls it on a COM object:
// (New-Object -ComObject WScript.Shell).Popup(text, wait, title, type).
// The type is a number, a sum or -bor of numbers, read as MsgBox's
// buttons; a wait other than 0 is refused, as the window has no timeout; a
// missing title is empty.

#include "core/reader/callvalues.h"
#include "core/reader/context.h"
#include "core/reader/result.h"

#include <QString>

namespace veltrano::reader {

// Reads the arguments of Popup, whose '(' is token `open`.
Result<CallValues> readPopupArguments(Context& c, int open);

} // namespace veltrano::reader
