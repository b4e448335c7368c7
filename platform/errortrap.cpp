#include "platform/errortrap.h"

#include "platform/messagebox.h"

using namespace Qt::StringLiterals;

void reportError(MessageBoxService& box, const vb::Error& error, const QString& procedure,
                 const QString& form) {
    box.show(QString::number(error.number()) + u' ' + error.description(), vb::vbCritical,
             form + u'_' + procedure);
}
