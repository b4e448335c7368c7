#pragma once

class QCoreApplication;

namespace veltrano {

// Loads Qt's own German texts (standard dialog titles and buttons, context
// menus, the command-line parser's messages) from the installed
// translations. Call once before they are first needed; returns false if
// they are not installed.
bool installGermanTranslations(QCoreApplication& app);

} // namespace veltrano
