#pragma once

#include "platform/console.h"

namespace veltrano {

// The process's own stdin, stdout and stderr. Output is written through and
// flushed at once, so that output and error reports come out in the order
// they were made.
class StdConsole : public Console {
public:
    bool out(const QByteArray& bytes) override;
    bool err(const QByteArray& bytes) override;
    std::optional<QByteArray> in(qint64 maxBytes) override;

    // Opens /dev/null on each of the three that the program was started
    // without (veltrano <&-), before anything else opens a file: otherwise
    // the next file opened would take its number, and reading stdin or
    // writing stderr would hit that file.
    static void openMissingStreams();
};

} // namespace veltrano
