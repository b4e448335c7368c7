#pragma once

// Basic's buttons expression, evaluated as the runtime evaluates the style
// argument (a Long): the style constants, numbers, + (binding tighter), Or
// and parentheses.

#include "core/reader/buttonscheck.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

namespace veltrano::reader {

// The value of the expression in tokens [b, e), which must fill them.
Result<ButtonsValue> evalBasicButtons(const Tokens& t, int b, int e);

} // namespace veltrano::reader
