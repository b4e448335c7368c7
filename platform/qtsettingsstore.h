#pragma once

#include "platform/settingsstore.h"

#include <QMap>
#include <QString>

#include <memory>

class QSettings;

namespace veltrano {

// The settings store as an INI file private to the user, by default
// $XDG_CONFIG_HOME/Veltrano/Veltrano.conf, section "Options".
//
// The file is read once, when the store is made. A flush puts the values
// written since the last one into a copy of the file as it is on disk now,
// beside it (beside the file a symlink names), checks the copy under a
// second name and renames it over the file, all under the lock file that
// QSettings itself uses. So a failed write leaves the previous file whole,
// and two instances flushing at once each put their own changes on disk:
// the last flush wins per key. A settings file that is neither a regular
// file nor a symlink to one (a pipe, a device, a link to nothing) is
// neither read nor written.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(const QString& filePath);
    ~QtSettingsStore() override;

    QString read(const QString& key, const QString& defaultValue) override;
    void write(const QString& key, const QString& value) override;
    bool flush() override;

    QString filePath() const { return m_path; }
    // True when something other than a settings file stands at its place;
    // the store then reads nothing and writes nothing.
    bool fileRefused() const { return m_refused; }

private:
    void makeFolder();
    // Writes the unsaved values as described above; false when anything
    // stood in the way, which leaves the settings file as it was.
    bool replaceFile(const QString& file);

    QString m_path;
    std::unique_ptr<QSettings> m_settings; // the file as it was read; null: nothing to read
    QMap<QString, QString> m_written;      // every value written by this run
    QMap<QString, QString> m_unsaved;      // those not on disk yet
    bool m_refused = false;
    bool m_folderReady = false;
};

} // namespace veltrano
