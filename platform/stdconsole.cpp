#include "platform/stdconsole.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

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

std::optional<QByteArray> StdConsole::in(qint64 maxBytes) {
    // Read in pieces, so that memory grows with what comes and not with the
    // bound. The piece is a buffer of known size, whose bounds the C library
    // checks in hardened builds.
    constexpr qint64 piece = 64 * 1024;
    char buffer[piece];
    QByteArray bytes;
    while (bytes.size() < maxBytes) {
        const auto wanted = std::size_t(std::min(piece, maxBytes - bytes.size()));
        const ssize_t n = ::read(STDIN_FILENO, buffer, wanted);
        const int error = errno;
        if (n > 0) {
            bytes.append(buffer, qsizetype(n));
            continue;
        }
        if (n == 0)
            break;
        if (error == EINTR)
            continue;
        if (error != EAGAIN && error != EWOULDBLOCK)
            return std::nullopt;
        // Standard input left non-blocking by whoever started the program:
        // wait for the writer as a blocking read would.
        pollfd ready{STDIN_FILENO, POLLIN, 0};
        if (::poll(&ready, 1, -1) < 0 && errno != EINTR)
            return std::nullopt;
    }
    return bytes;
}

void StdConsole::openMissingStreams() {
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is the missing stream's own.
        const int fd = ::open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (fd >= 0 && fd != stream)
            ::close(fd);
    }
}

} // namespace veltrano
