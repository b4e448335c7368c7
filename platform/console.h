#pragma once

#include <QByteArray>

#include <optional>

namespace veltrano {

// Standard input, output and error of a program run from a terminal or a
// script. All take bytes: the caller chooses the encoding.
class Console {
public:
    virtual ~Console() = default;
    // Each returns false when not every byte got through (a closed pipe, a
    // full disk behind a redirection).
    virtual bool out(const QByteArray& bytes) = 0;
    virtual bool err(const QByteArray& bytes) = 0;
    // Standard input up to its end, but never more than maxBytes bytes: the
    // rest stays unread, so that an endless writer (yes | ...) cannot grow
    // the program. Empty when it cannot be read (closed, a folder).
    virtual std::optional<QByteArray> in(qint64 maxBytes) = 0;
};

} // namespace veltrano
