#include "platform/qtappfacts.h"

#include "platform/version.h"

#include <QCoreApplication>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

QString withoutTrailingSlash(QString path) {
    while (path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

QString QtAppFacts::ownFolder() const {
    return withoutTrailingSlash(QCoreApplication::applicationDirPath());
}

QString QtAppFacts::title() const {
    return u"Veltrano"_s;
}

int QtAppFacts::versionMajor() const {
    return veltrano::version::major;
}

int QtAppFacts::versionMinor() const {
    return veltrano::version::minor;
}

int QtAppFacts::versionRevision() const {
    return veltrano::version::revision;
}

QString QtSpecialFolders::path(int folder) const {
    switch (folder) {
    case 5:
        return withoutTrailingSlash(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    case 46:
        return withoutTrailingSlash(
            QStandardPaths::writableLocation(QStandardPaths::PublicShareLocation));
    default:
        return {};
    }
}

} // namespace veltrano
