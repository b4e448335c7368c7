#pragma once

// Basic's text expressions, evaluated as the runtime would: string literals,
// numbers (as their decimal text), the text constants, Chr and ChrW of the
// characters every code page shares, and variables the text assigns, joined
// by & or + and grouped by parentheses. Anything else is refused with its
// place.

#include "core/reader/context.h"
#include "core/reader/result.h"
#include "core/reader/textvalue.h"

namespace veltrano::reader {

// Appends the value of the expression in tokens [b, e) to r.
Status evalBasicText(Context& c, int b, int e, Reading& r);

} // namespace veltrano::reader
