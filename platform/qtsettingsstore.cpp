#include "platform/qtsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

const QString kSection = u"Options/"_s;

QString userSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Veltrano/Veltrano.conf"_s;
}

// Takes every right away from group and others and leaves the owner's as
// they are (a write-protected file stays write-protected).
void keepToOwner(const QString& path) {
    constexpr QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions now = QFile::permissions(path);
    const QFileDevice::Permissions wanted = now & owner;
    if ((now & ~(owner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)) != 0)
        QFile::setPermissions(path, wanted);
}

} // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(userSettingsPath()) {}

QtSettingsStore::QtSettingsStore(const QString& filePath) : m_path(filePath) {
    open();
}

QtSettingsStore::~QtSettingsStore() {
    if (!m_unsaved.isEmpty())
        flush();
}

void QtSettingsStore::open() {
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    // Never write into the file in place: a failed write must leave it whole.
    m_settings->setAtomicSyncRequired(true);
}

QString QtSettingsStore::read(const QString& key, const QString& defaultValue) {
    if (m_unsaved.contains(key))
        return m_unsaved.value(key);
    const QVariant value = m_settings->value(kSection + key);
    if (!value.isValid())
        return defaultValue;
    // An unquoted "a,b" written by hand reads as a list; give back its text.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    if (!value.canConvert<QString>())
        return defaultValue;
    return value.toString();
}

void QtSettingsStore::write(const QString& key, const QString& value) {
    if (!m_folderReady) {
        // The folder is private before anything is written into it.
        const QString folder = QFileInfo(m_path).absolutePath();
        if (!QFileInfo(folder).isDir())
            QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!QFileInfo(folder).isDir())
            QDir().mkpath(folder);
        keepToOwner(folder);
        m_folderReady = true;
    }
    // Values reach QSettings only in flush(), so that nothing is written
    // behind its checks (QSettings also writes from the event loop).
    m_unsaved.insert(key, value);
}

bool QtSettingsStore::flush() {
    if (m_unsaved.isEmpty())
        return true;
    // Replacing a file we cannot read would lose the values it holds, and
    // replacing a write-protected one would ignore the protection.
    const QFileInfo info(m_path);
    if (info.isDir() || (info.exists() && (!info.isReadable() || !info.isWritable())))
        return false;

    // QSettings keeps its first error for good: after a failure, start
    // afresh so that this flush reports its own outcome.
    if (m_failed) {
        m_settings.reset();
        open();
        m_failed = false;
    }
    // QSettings replaces the file through QSaveFile, whose commit() reports
    // success even when its last flush failed on a full disk: the file is
    // then cut, and status() still says NoError. The previous file is kept
    // under a second name (a hard link, which needs no free space) and put
    // back unless the new file holds every value.
    const Previous previous = keepPrevious();
    for (auto it = m_unsaved.cbegin(); it != m_unsaved.cend(); ++it)
        m_settings->setValue(kSection + it.key(), it.value());
    m_settings->sync();
    const bool ok = m_settings->status() != QSettings::AccessError && onDiskMatches();
    if (!ok)
        restorePrevious(previous);
    else if (!previous.link.isEmpty())
        QFile::remove(previous.link);
    makePrivate();
    if (ok) {
        m_unsaved.clear();
        return true;
    }
    m_failed = true;
    return false;
}

QtSettingsStore::Previous QtSettingsStore::keepPrevious() const {
    Previous previous;
    previous.existed = QFileInfo::exists(m_path);
    if (!previous.existed)
        return previous;
    const QString link = m_path + u".previous"_s;
    const QByteArray linkName = QFile::encodeName(link);
    ::unlink(linkName.constData()); // left behind by a run that ended during a flush
    if (::link(QFile::encodeName(m_path).constData(), linkName.constData()) == 0) {
        previous.link = link;
    } else if (QFile file(m_path); file.open(QIODevice::ReadOnly)) {
        // No hard links here: keep the bytes instead.
        previous.bytes = file.read(1 << 20);
    }
    return previous;
}

void QtSettingsStore::restorePrevious(const Previous& previous) const {
    const QByteArray path = QFile::encodeName(m_path);
    if (!previous.link.isEmpty()) {
        const QByteArray link = QFile::encodeName(previous.link);
        ::rename(link.constData(), path.constData());
        // When QSettings left the old file in place, both names are the same
        // file and rename() does nothing: the second name goes.
        ::unlink(link.constData());
    } else if (previous.existed) {
        QSaveFile file(m_path);
        if (file.open(QIODevice::WriteOnly) &&
            file.write(previous.bytes) == previous.bytes.size() && file.flush())
            file.commit();
    } else {
        // A cut file where there was none: no file gives the same defaults.
        QFile::remove(m_path);
    }
}

bool QtSettingsStore::onDiskMatches() const {
    // QSettings shares what it has read of a file name within the process,
    // so the check reads a copy of the bytes under a name of its own.
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return false;
    copy.close();
    const QSettings onDisk(copy.fileName(), QSettings::IniFormat);
    const QStringList keys = m_settings->allKeys();
    for (const QString& key : keys) {
        if (onDisk.value(key) != m_settings->value(key))
            return false;
    }
    return true;
}

void QtSettingsStore::makePrivate() const {
    if (QFileInfo::exists(m_path))
        keepToOwner(m_path);
}

} // namespace veltrano
