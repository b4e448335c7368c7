#include "platform/qtshell.h"

#include <QDesktopServices>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace veltrano {

bool QtShell::open(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme != u"http" && scheme != u"https")
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace veltrano
