#pragma once

#include <QColor>

namespace veltrano {

// The look shared by the program's windows.
namespace appearance {

// Background of the main window, its frames, check boxes and code-style
// options.
inline const QColor formBackground{227, 234, 244};

// The layout names "Segoe UI"; where that font is missing a humanist sans
// of similar width stands in. Call once before the first window is created.
void installFontSubstitutes();

} // namespace appearance

} // namespace veltrano
