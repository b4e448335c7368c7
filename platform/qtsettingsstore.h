#pragma once

#include "platform/settingsstore.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <memory>

class QSettings;

namespace veltrano {

// The settings store as an INI file private to the user, by default
// $XDG_CONFIG_HOME/Veltrano/Veltrano.conf, section "Options". The file is
// replaced atomically on every write to disk, so a failed write leaves the
// previous file as it was.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(const QString& filePath);
    ~QtSettingsStore() override;

    QString read(const QString& key, const QString& defaultValue) override;
    void write(const QString& key, const QString& value) override;
    bool flush() override;

    QString filePath() const { return m_path; }

private:
    void open();
    void makePrivate() const;
    // The settings file as it is before a flush: a second name for it (a
    // hard link), or its bytes where links are not possible.
    struct Previous {
        bool existed = false;
        QString link;
        QByteArray bytes;
    };
    Previous keepPrevious() const;
    // Puts the kept file back in place of a cut one.
    void restorePrevious(const Previous& previous) const;
    // True if the file on disk holds every value QSettings holds.
    bool onDiskMatches() const;

    QString m_path;
    std::unique_ptr<QSettings> m_settings;
    // Values written since the last successful flush, kept to retry them.
    QMap<QString, QString> m_unsaved;
    bool m_folderReady = false;
    bool m_failed = false; // the last flush failed
};

} // namespace veltrano
