#pragma once

namespace veltrano {

// Closes every top-level window of the program, in the order the
// application lists them. A call made while it is already running (from a
// window's close handler, or a second end command while pending events run)
// returns at once.
void closeAllWindows();

// True while closeAllWindows is closing windows.
bool isClosingAllWindows();

} // namespace veltrano
