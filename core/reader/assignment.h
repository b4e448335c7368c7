#pragma once

// What gives a variable its value or takes it away, whatever the language:
// an assignment (also x &= ..., x += ...) and a statement the reader skips,
// which may change the variables it names.

#include "core/reader/context.h"
#include "core/reader/result.h"

namespace veltrano::reader {

// name = expression, or with `compound` name = name joined with expression:
// the value if it can be evaluated (in the language of the context), else the
// variable becomes unknown with the cause. Only a fatal failure (a value too
// long, the work budget spent) is returned; it ends the reading. `hiddenReads`
// tells that the expression may read the variable where no token names it
// (PowerShell's "$msg" inside a string).
Status assign(Context& c, int nameToken, int b, int e, bool compound = false,
              bool hiddenReads = false);

// The variable named at token k, declared here: of a text type (its value
// the empty text, as Basic's Dim gives it) or of another one (unknown),
// with the type of a window or not. Without `fresh` only what the
// declaration tells of it changes, and its value stays.
Variable& declareVariable(Context& c, int k, bool text, bool window, bool fresh = true);

// A statement the reader skips may change any variable it names (a procedure
// gets its arguments by reference): those lose their known value.
void forgetNamed(Context& c, int b, int e);

// Whether a declared type (Form, System.Windows.Forms.IWin32Window,
// MainForm ...) is that of a window, which MessageBox.Show takes as owner.
bool isWindowType(QStringView dottedType);

} // namespace veltrano::reader
