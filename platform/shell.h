#pragma once

#include <QString>

namespace veltrano {

// Hands a web address to the desktop, which opens it with its own program.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const QString& address) = 0;
};

} // namespace veltrano
