#include "platform/errortrap.h"

#include "platform/messagebox.h"

using namespace Qt::StringLiterals;

namespace veltrano {

Q_LOGGING_CATEGORY(lcSkipped, "veltrano.skipped", QtCriticalMsg)

void logSkipped(const char* step, const char* failure) {
    qCWarning(lcSkipped, "%s skipped: %s", step, failure);
}

void reportError(MessageBoxService& box, const vb::Error& error, const QString& procedure,
                 const QString& form) {
    box.show(QString::number(error.number()) + u' ' + error.description(), vb::vbCritical,
             form + u'_' + procedure);
}

} // namespace veltrano
