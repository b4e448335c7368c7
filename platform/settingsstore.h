#pragma once

#include <QString>

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
