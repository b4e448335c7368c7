#include "platform/stdconsole.h"

#include <cstdio>

namespace veltrano {

namespace {

bool writeAll(std::FILE* stream, const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    const bool written = std::fwrite(bytes.constData(), 1, size, stream) == size;
    return std::fflush(stream) == 0 && written && !std::ferror(stream);
}

} // namespace

bool StdConsole::out(const QByteArray& bytes) {
    return writeAll(stdout, bytes);
}

bool StdConsole::err(const QByteArray& bytes) {
    return writeAll(stderr, bytes);
}

} // namespace veltrano
