#pragma once

#include <QIcon>
#include <QList>
#include <QStyle>
#include <utility>

class QAbstractButton;

namespace veltrano {

// The pictures of the four message box icons on the icon options.
//
// Qt's style takes them from the desktop's icon theme where it has them;
// that look-up reads the theme's index and tests some thousand file names,
// which used to cost a third of the start-up. The options therefore start
// with the style's own pictures, rendered into the program's resources at
// build time, and ask the style once the window has painted.
namespace boxpictures {

// The style's picture of `which` as it is without an icon theme.
QIcon builtIn(QStyle::StandardPixmap which);

// After the first paint of any of the buttons, gives each the style's
// picture (the icon theme's where it has one) if that differs from the one
// it shows.
void followStyleOnceShown(
    const QList<std::pair<QAbstractButton*, QStyle::StandardPixmap>>& buttons);

} // namespace boxpictures

} // namespace veltrano
