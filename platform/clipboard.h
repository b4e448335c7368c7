#pragma once

#include <QString>

namespace veltrano {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    // Plain text, unchanged (generated code keeps its CR line breaks).
    virtual void setText(const QString& text) = 0;
    // The plain text the clipboard holds, or an empty text when it holds
    // none.
    virtual QString readText() const = 0;
};

} // namespace veltrano
