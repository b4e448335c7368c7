#pragma once

// C#'s text expressions, evaluated as C# would: string literals (regular
// with escapes, verbatim @"...", interpolated $"..." without expressions in
// braces), character literals, integer literals, Environment.NewLine,
// string.Empty, null, and variables the text assigns, joined by + and
// grouped by parentheses. + between two values that are not texts adds,
// which is not evaluated. Anything else is refused with its place.

#include "core/reader/context.h"
#include "core/reader/result.h"
#include "core/reader/textvalue.h"

namespace veltrano::reader {

// Appends the value of the expression in tokens [b, e) to r; r.text tells
// whether it is a text.
Status evalCSharpText(Context& c, int b, int e, Reading& r);

} // namespace veltrano::reader
