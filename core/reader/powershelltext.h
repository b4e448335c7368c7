#pragma once

// PowerShell's text expressions, evaluated as PowerShell would: single- and
// double-quoted strings and here-strings (with the typographic quotes
// PowerShell reads as quotes), backtick escapes, $var and ${var} and
// $([char]0x..) inside double quotes, numbers, [char]N, [string] casts,
// [Environment]::NewLine, [string]::Empty, $null, $( ... ) and variables
// the text assigns, joined by + and grouped by parentheses. + after a
// number adds, which is not evaluated. Anything else is refused with its
// place.

#include "core/reader/context.h"
#include "core/reader/result.h"
#include "core/reader/textvalue.h"

namespace veltrano::reader {

// Appends the value of the expression in tokens [b, e) to r; r.text tells
// whether it is a text.
Status evalPowerShellText(Context& c, int b, int e, Reading& r);

} // namespace veltrano::reader
