#pragma once

// Style values written as expressions: Basic's buttons argument of MsgBox,
// evaluated as the runtime evaluates the style argument (a Long) from the
// style constants (vbYesNo, MsgBoxStyle.YesNo), numbers, + (binding
// tighter), Or and parentheses; and an enum argument of MessageBox.Show, in
// VB syntax (Or, +) or in C# syntax (|, a cast such as (MessageBoxIcon)16).

#include "core/reader/buttonscheck.h"
#include "core/reader/context.h"
#include "core/reader/dotnetnames.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <cstdint>

namespace veltrano::reader {

// MsgBox's buttons argument in tokens [b, e), which it must fill. A name the
// text declares is that variable, also where a style constant has its name.
Result<ButtonsValue> evalBasicButtons(Context& c, int b, int e);

// An argument of MessageBox.Show of the enum `expected` in tokens [b, e):
// members of other enums, of WPF's enums and anything else are refused.
Result<ButtonsValue> evalEnumArgument(const Tokens& t, int b, int e, lang::Language language,
                                      DotNetEnum expected);

} // namespace veltrano::reader
