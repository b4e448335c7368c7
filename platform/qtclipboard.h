#pragma once

#include "platform/clipboard.h"

namespace veltrano {

// The desktop's clipboard; text goes on it as plain text, unchanged.
class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setText(const QString& text) override;
    QString readText() const override;
};

} // namespace veltrano
