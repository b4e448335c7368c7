#pragma once

namespace veltrano {

// What screen readers are told about the program's own widgets.
namespace accessibility {

// Installs the accessible interfaces of OptionButton, which reports the
// role RadioButton as an option of an exclusive group does whatever its
// look, and of ToolbarPicture, which reports the role Button and the name
// of its command. Call before the first of them is created; calling again
// does nothing.
void installInterfaces();

} // namespace accessibility

} // namespace veltrano
