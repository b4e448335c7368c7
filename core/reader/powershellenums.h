#pragma once

// Style values in PowerShell: an enum argument of MessageBox.Show
// ([System.Windows.Forms.MessageBoxButtons]::YesNo, a string PowerShell
// converts to the enum such as 'YesNo', a number, a cast such as
// [System.Windows.Forms.MessageBoxOptions]0, joined by -bor), and the type
// argument of WScript.Shell's Popup (numbers joined by + or -bor).

#include "core/reader/buttonscheck.h"
#include "core/reader/dotnetnames.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

namespace veltrano::reader {

// An argument of MessageBox.Show of the enum `expected` in tokens [b, e):
// members of other enums, of WPF's enums and anything else are refused.
Result<ButtonsValue> evalPowerShellEnum(const Tokens& t, int b, int e, DotNetEnum expected);

// Popup's type argument in tokens [b, e): numbers, + and -bor.
Result<ButtonsValue> evalPowerShellNumbers(const Tokens& t, int b, int e);

} // namespace veltrano::reader
