#pragma once

#include "platform/messagebox.h"

namespace veltrano {

class Definition;

// The box the preview shows for a definition: its message and title as
// typed (no quotes doubled, no lines joined), the style value of its
// options and flags, and with the help button an empty help file, as the
// program has none of its own.
MessageBoxRequest previewRequest(const Definition& definition);

} // namespace veltrano
