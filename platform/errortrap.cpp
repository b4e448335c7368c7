#include "platform/errortrap.h"

#include "platform/messagebox.h"

using namespace Qt::StringLiterals;

namespace veltrano {

Q_LOGGING_CATEGORY(lcSkipped, "veltrano.skipped", QtWarningMsg)

void logSkipped(const char* step, const char* failure) {
    qCWarning(lcSkipped, "%s skipped: %s", step, failure);
}

vb::Error unexpectedError(const char* where, const std::exception& e) {
    qCWarning(lcSkipped, "%s failed: %s", where, e.what());
    return vb::Error(vb::InvalidProcedureCall);
}

void reportError(MessageBoxService& box, const vb::Error& error, const QString& procedure,
                 const QString& form) {
    box.show(QString::number(error.number()) + u' ' + error.description(),
             msgbox::style(msgbox::Icon::Critical), form + u'_' + procedure);
}

} // namespace veltrano
