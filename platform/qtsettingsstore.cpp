#include "platform/qtsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QString kSection = u"Options/"_s;

QString userSettingsPath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, u"Veltrano"_s, u"Veltrano"_s)
        .fileName();
}

constexpr QFile::Permissions kPrivateFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kPrivateFolder =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

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
    // Nothing may reach the disk before the folder exists and is private.
    m_settings->setAtomicSyncRequired(true);
}

QString QtSettingsStore::read(const QString& key, const QString& defaultValue) {
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
        const QString folder = QFileInfo(m_path).absolutePath();
        QDir().mkpath(folder);
        QFile::setPermissions(folder, kPrivateFolder);
        m_folderReady = true;
    }
    m_unsaved.insert(key, value);
    m_settings->setValue(kSection + key, value);
}

bool QtSettingsStore::flush() {
    m_settings->sync();
    const bool ok = m_settings->status() != QSettings::AccessError;
    makePrivate();
    if (ok) {
        m_unsaved.clear();
        return true;
    }
    // QSettings keeps its first error for good; start afresh so that a later
    // flush reports its own outcome, and keep the values for that attempt.
    m_settings.reset();
    open();
    for (auto it = m_unsaved.cbegin(); it != m_unsaved.cend(); ++it)
        m_settings->setValue(kSection + it.key(), it.value());
    return false;
}

void QtSettingsStore::makePrivate() const {
    if (QFileInfo::exists(m_path))
        QFile::setPermissions(m_path, kPrivateFile);
}
