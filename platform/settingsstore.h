#pragma once

#include <QString>

#include <optional>

namespace veltrano {

// The per-user settings store: application "Veltrano", section "Options".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value, or defaultValue when the key is absent or unreadable.
    virtual QString read(const QString& key, const QString& defaultValue) = 0;
    virtual void write(const QString& key, const QString& value) = 0;
    // Puts everything written so far on disk; false if that failed.
    virtual bool flush() = 0;
};

// A stored number read back as a 16-bit integer the way Basic converts text:
// blanks around it are allowed, a fraction rounds half to even. Text that is
// no number or lies outside the 16-bit range gives nothing.
std::optional<int> toInteger16(const QString& text);

} // namespace veltrano
