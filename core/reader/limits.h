#pragma once

// The bounds of the code reader. Together with a work budget they keep every
// input within bounded memory and linear time.

#include <QtGlobal>

namespace veltrano {

inline constexpr qsizetype MaxSourceLength = 1 << 20; // characters
inline constexpr qsizetype MaxTextLength = 1 << 20;   // prompt, title, variable values
inline constexpr int MaxNesting = 64;                 // levels of parentheses

} // namespace veltrano
