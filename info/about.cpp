#include "info/about.h"

#include "info/webpages.h"
#include "platform/services.h"

using namespace Qt::StringLiterals;

namespace veltrano {

QString aboutText(const AppFacts& facts) {
    const QString title = facts.title();
    QString spaced;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (i > 0)
            spaced += u' ';
        spaced += title.at(i);
    }
    return spaced + u"\r\n\r\n"_s + info::makerLine.toString() + u"\r\r"_s + u"Version: "_s +
           QString::number(facts.versionMajor()) + u'.' + QString::number(facts.versionMinor()) +
           u'.' + QString::number(facts.versionRevision()) + u"\r\n\r\n"_s +
           info::productPage.toString();
}

void showAbout(Services& services) {
    services.messageBox.show(aboutText(services.appFacts), msgbox::style(msgbox::Icon::Information),
                             u"Freeware"_s);
}

} // namespace veltrano
