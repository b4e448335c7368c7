#pragma once

// The bounds of the code reader. Together with a work budget they keep every
// input within bounded memory and linear time.

#include <QtGlobal>

namespace veltrano {

inline constexpr qsizetype MaxSourceLength = 1 << 20; // characters
inline constexpr qsizetype MaxTextLength = 1 << 20;   // prompt, title, variable values
inline constexpr int MaxNesting = 64;                 // levels of parentheses

// The work budget: characters that evaluating may copy, a small multiple of
// the source and of the longest value, so that reading takes linear time.
inline constexpr qsizetype workBudget(qsizetype sourceLength) {
    return 4 * sourceLength + 4 * MaxTextLength;
}

} // namespace veltrano
