#include "info/webpages.h"

#include "platform/errortrap.h"
#include "platform/services.h"

namespace veltrano {

namespace {

void openPage(Services& services, QStringView page) {
    if (!services.shell.open(page.toString()))
        qCWarning(lcSkipped, "could not open %s in the browser", qUtf8Printable(page.toString()));
}

} // namespace

void openWebsite(Services& services) {
    openPage(services, info::productPage);
}

void openProblemReport(Services& services) {
    openPage(services, info::contactPage);
}

} // namespace veltrano
