#pragma once

#include "platform/console.h"

namespace veltrano {

// The process's own stdout and stderr, written through and flushed at once,
// so that output and error reports come out in the order they were made.
class StdConsole : public Console {
public:
    bool out(const QByteArray& bytes) override;
    bool err(const QByteArray& bytes) override;
};

} // namespace veltrano
