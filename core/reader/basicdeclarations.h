#pragma once

// Basic's statements that declare variables: Dim, Public, Private, Static,
// Global, and Const. Assignments are in assignment.h.

#include "core/reader/assignment.h"
#include "core/reader/context.h"
#include "core/reader/result.h"

namespace veltrano::reader {

// Names separated by commas in tokens [b, e), each with optional bounds and
// As type, and in VB.NET with a value (Dim Msg As String = "..."). A value
// cut off at e (the call the statement holds starts there) is not assigned.
// Only a fatal failure of a value is returned.
Status declare(Context& c, int b, int e);

// Const: names with optional As type, each with its value.
Status constants(Context& c, int b, int e);

} // namespace veltrano::reader
