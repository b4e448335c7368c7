#include "datafolder/info.h"

#include "platform/errortrap.h"
#include "platform/services.h"

using namespace Qt::StringLiterals;

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

void mnuInfo_Click(Services& services) {
    skipOnFailure(
        [&] { services.messageBox.show(aboutText(services.appFacts), 64, u"Freeware"_s); });
}

// The shell's answer is not used: a page that does not open is not reported.
void mnuWebsite_Click(Services& services) {
    skipOnFailure([&] { services.shell.open(info::productPage.toString()); });
}

void mnuProblembericht_Click(Services& services) {
    skipOnFailure([&] { services.shell.open(info::contactPage.toString()); });
}
