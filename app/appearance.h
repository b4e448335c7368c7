#pragma once

#include <QColor>
#include <QIcon>

namespace veltrano {

// The look shared by the program's windows.
namespace appearance {

// Background of the main window, its frames, check boxes and code-style
// options.
inline const QColor formBackground{227, 234, 244};

// The layout names "Segoe UI"; where that font is missing a humanist sans
// of similar width stands in. Call once before the first window is created.
void installFontSubstitutes();

// The program's icon at the usual window icon sizes, rendered at build time.
QIcon applicationIcon();

} // namespace appearance

} // namespace veltrano
