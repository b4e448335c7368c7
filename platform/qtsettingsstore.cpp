#include "platform/qtsettingsstore.h"

#include "platform/errortrap.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

const QString kSection = u"Options/"_s;

// Settings files beyond this size are not read, and so never replaced.
constexpr qint64 kMaxFileSize = 16 << 20;

// How long a flush waits for another instance's flush to end.
constexpr int kLockWaitMs = 3000;

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

// What the settings path names.
struct Located {
    enum Kind {
        Nothing,       // no file yet
        File,          // a regular file, also one a symlink names
        SomethingElse, // a folder, pipe, device, socket, a symlink to nothing
        Unreachable,   // a folder on the way cannot be searched
    };
    Kind kind = Nothing;
    QString file; // the file to read and replace, symlinks resolved
};

Located locate(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0)
        return {errno == ENOENT ? Located::Nothing : Located::Unreachable, path};
    if (!S_ISLNK(status.st_mode))
        return {S_ISREG(status.st_mode) ? Located::File : Located::SomethingElse, path};
    if (::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return {Located::SomethingElse, path};
    const QString file = QFileInfo(path).canonicalFilePath();
    return {file.isEmpty() ? Located::SomethingElse : Located::File, file};
}

// The bytes of the settings file as they are now, empty when there is none
// yet, with the owner's permission bits. Nothing when it cannot be read
// whole: a file that cannot be read is never replaced, since that would
// lose what it holds. It is opened without waiting, in case a pipe has
// taken its place.
std::optional<QByteArray> currentBytes(const QString& file, mode_t* ownerBits) {
    *ownerBits = S_IRUSR | S_IWUSR;
    const int fd =
        ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    *ownerBits = status.st_mode & S_IRWXU;
    const QByteArray bytes = in.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize || in.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// Writes every byte; false when any did not reach the file.
bool writeWhole(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

// Takes the lock, waiting a while for another instance's flush to end. It
// asks again every few milliseconds: QLockFile's own wait doubles its
// pauses, so an instance that flushes often could keep the lock from
// another one until it gives up.
bool takeLock(QLockFile& lock) {
    const QDeadlineTimer deadline(kLockWaitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

bool syncToDisk(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// A stored value as text. An unquoted "a,b" written by hand reads as a
// list; its text is given back.
std::optional<QString> textOf(const QVariant& value) {
    if (!value.isValid())
        return std::nullopt;
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

// New files beside the settings file, named after it; whatever has not
// been renamed into place is removed again.
class ScratchFiles {
public:
    explicit ScratchFiles(const QString& file) : m_pattern(file + u".XXXXXX"_s) {}
    ~ScratchFiles() {
        for (const QString& name : std::as_const(m_names))
            QFile::remove(name);
    }
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    // An empty file of a fresh name, open to its owner only; empty when it
    // could not be made.
    QString make(mode_t ownerBits) {
        QTemporaryFile file(m_pattern);
        file.setAutoRemove(false);
        if (!file.open())
            return QString();
        m_names.append(file.fileName());
        if (::fchmod(file.handle(), ownerBits) != 0)
            return QString();
        return file.fileName();
    }
    // Renames one over another path, which then no longer needs removing.
    bool moveTo(const QString& name, const QString& target) {
        if (::rename(QFile::encodeName(name).constData(), QFile::encodeName(target).constData()) !=
            0)
            return false;
        m_names.removeAll(name);
        m_names.removeAll(target);
        return true;
    }

private:
    QString m_pattern;
    QStringList m_names;
};

} // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(userSettingsPath()) {}

QtSettingsStore::QtSettingsStore(const QString& filePath) : m_path(filePath) {
    const Located located = locate(m_path);
    m_refused = located.kind == Located::SomethingElse;
    if (located.kind == Located::File && QFileInfo(located.file).size() <= kMaxFileSize)
        m_settings = std::make_unique<QSettings>(located.file, QSettings::IniFormat);
}

QtSettingsStore::~QtSettingsStore() {
    if (!m_unsaved.isEmpty() && !flush())
        qCWarning(lcSkipped, "settings written last could not be put on disk");
}

QString QtSettingsStore::read(const QString& key, const QString& defaultValue) {
    if (m_written.contains(key))
        return m_written.value(key);
    if (!m_settings)
        return defaultValue;
    return textOf(m_settings->value(kSection + key)).value_or(defaultValue);
}

void QtSettingsStore::write(const QString& key, const QString& value) {
    makeFolder();
    m_written.insert(key, value);
    m_unsaved.insert(key, value);
}

void QtSettingsStore::makeFolder() {
    if (m_folderReady)
        return;
    // The folder is private before anything is written into it.
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo(folder).isDir())
        QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    keepToOwner(folder);
    m_folderReady = true;
}

bool QtSettingsStore::flush() {
    if (m_unsaved.isEmpty())
        return true;
    makeFolder();
    const Located located = locate(m_path);
    if (located.kind != Located::Nothing && located.kind != Located::File)
        return false;
    if (!replaceFile(located.file))
        return false;
    m_unsaved.clear();
    return true;
}

bool QtSettingsStore::replaceFile(const QString& file) {
    // Replacing a write-protected file would ignore the protection.
    const QFileInfo info(file);
    if (info.exists() && !info.isWritable())
        return false;
    // The lock QSettings takes for the same file, so that instances flush
    // one after the other, each into the file as the one before left it.
    QLockFile lock(file + u".lock"_s);
    if (!takeLock(lock))
        return false;
    mode_t ownerBits = 0;
    const std::optional<QByteArray> current = currentBytes(file, &ownerBits);
    if (!current)
        return false;

    ScratchFiles scratch(file);
    const QString merged = scratch.make(ownerBits);
    const QString checked = scratch.make(ownerBits);
    if (merged.isEmpty() || checked.isEmpty() || !writeWhole(merged, *current))
        return false;
    // QSettings merges the values into what the file holds and writes it
    // back; the file is this flush's own, so in place.
    QSet<QString> keys;
    {
        QSettings settings(merged, QSettings::IniFormat);
        settings.setAtomicSyncRequired(false);
        for (auto it = m_unsaved.cbegin(); it != m_unsaved.cend(); ++it)
            settings.setValue(kSection + it.key(), it.value());
        settings.sync();
        if (settings.status() == QSettings::AccessError)
            return false;
        const QStringList all = settings.allKeys();
        keys = QSet<QString>(all.cbegin(), all.cend());
    }
    // A write that met a full disk can leave a cut file and still count as
    // done. The file is therefore read back, under a name of its own:
    // QSettings keeps what it has read or written of a file name for the
    // whole process and would answer from that. No key may be missing, and
    // the values of this flush must be there; other values are not
    // compared, since another program's value need not equal itself (NaN).
    if (!scratch.moveTo(merged, checked))
        return false;
    {
        const QSettings onDisk(checked, QSettings::IniFormat);
        if (onDisk.status() == QSettings::AccessError)
            return false;
        const QStringList found = onDisk.allKeys();
        if (!QSet<QString>(found.cbegin(), found.cend()).contains(keys))
            return false;
        for (auto it = m_unsaved.cbegin(); it != m_unsaved.cend(); ++it) {
            if (textOf(onDisk.value(kSection + it.key())) != it.value())
                return false;
        }
    }
    return syncToDisk(checked) && scratch.moveTo(checked, file);
}

} // namespace veltrano
