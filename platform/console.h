#pragma once

#include <QByteArray>

namespace veltrano {

// Standard output and standard error of a program run from a terminal or a
// script. Both take bytes: the caller chooses the encoding.
class Console {
public:
    virtual ~Console() = default;
    // Each returns false when not every byte got through (a closed pipe, a
    // full disk behind a redirection).
    virtual bool out(const QByteArray& bytes) = 0;
    virtual bool err(const QByteArray& bytes) = 0;
};

} // namespace veltrano
