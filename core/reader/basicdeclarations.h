#pragma once

// Basic's statements that give variables their values or take them away:
// declarations (Dim, Public, Private, Static, Global), Const, assignments,
// and any statement the reader skips, which may change the variables it
// names.

#include "core/reader/context.h"
#include "core/reader/result.h"

namespace veltrano::reader {

// Names separated by commas, each with optional bounds and As type, in
// tokens [b, e).
void declare(Context& c, int b, int e);

// Const: names with optional As type, each with its value.
Status constants(Context& c, int b, int e);

// name = expression: the value if it can be evaluated, else the variable
// becomes unknown with the cause. Only a fatal failure (a value too long, the
// work budget spent) is returned; it ends the reading.
Status assign(Context& c, int nameToken, int b, int e);

// A statement the reader skips may change any variable it names (a procedure
// gets its arguments by reference): those lose their known value.
void forgetNamed(Context& c, int b, int e);

} // namespace veltrano::reader
