#pragma once

#include "platform/shell.h"

namespace veltrano {

// Opens web addresses with the desktop's browser. Only http and https
// addresses are handed on: the program never asks the desktop to run or
// open local files.
class QtShell : public Shell {
public:
    bool open(const QString& address) override;
};

} // namespace veltrano
