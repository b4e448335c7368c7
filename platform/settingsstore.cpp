#include "platform/settingsstore.h"

#include <QLocale>

#include <cmath>

namespace veltrano {

std::optional<int> toInteger16(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

} // namespace veltrano
