#pragma once

#include <cmath>

namespace veltrano {

// Screen measures of the window layout and the stored window position are
// twips: 1440 per inch, 15 per logical pixel.
namespace twips {

inline constexpr int perPixel = 15;

// Nearest logical pixel, halves rounded away from zero.
inline int toPixels(double value) {
    return static_cast<int>(std::lround(value / perPixel));
}

inline int fromPixels(int pixels) {
    return pixels * perPixel;
}

} // namespace twips

} // namespace veltrano
