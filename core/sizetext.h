#pragma once

#include <QString>

namespace veltrano {

// A bound as messages name it: 1 << 20 is "1 MiB".
inline QString mebibytes(qint64 size) {
    return QString::number(double(size) / (1 << 20), 'g', 4) + QStringLiteral(" MiB");
}

} // namespace veltrano
