#include "platform/qtfilesystem.h"

#include "core/vberror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrano {

namespace {

bool folderOfExists(const QFileInfo& info) {
    return QFileInfo(info.absolutePath()).isDir();
}

[[noreturn]] void fail(int number) {
    throw vb::Error(number);
}

} // namespace

QByteArray QtFileSystem::read(const QString& path, qint64 maxBytes) {
    if (path.isEmpty())
        fail(vb::PathFileAccessError);
    const QFileInfo info(path);
    if (!folderOfExists(info))
        fail(vb::PathNotFound);
    // Opened without blocking and checked on the open descriptor: a named
    // pipe would otherwise wait for a writer, and a path checked before the
    // open could be swapped for a pipe or device in between.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
            fail(vb::FileNotFound);
        case EACCES:
        case EPERM:
            fail(vb::PermissionDenied);
        default:
            fail(vb::PathFileAccessError);
        }
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(vb::PathFileAccessError);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        fail(vb::PathFileAccessError);
    // A file that grows while it is read still yields no more than asked.
    QByteArray bytes = file.read(std::max<qint64>(maxBytes, 0));
    if (file.error() != QFileDevice::NoError)
        fail(vb::PathFileAccessError);
    return bytes;
}

void QtFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        fail(vb::PathFileAccessError);
    const QFileInfo info(path);
    if (!folderOfExists(info))
        fail(vb::PathNotFound);
    if (info.isDir())
        fail(vb::PathFileAccessError);
    // The file is replaced by a new one, which the folder would allow even
    // for a write-protected file; refuse as writing into it would.
    if (info.exists() && !info.isWritable())
        fail(vb::PermissionDenied);

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (file.error() == QFileDevice::ResourceError)
            fail(vb::DiskFull);
        const QFileInfo folder(info.absolutePath());
        fail(folder.isWritable() ? vb::PathFileAccessError : vb::PermissionDenied);
    }
    // A write may stop short when the disk fills up; the next one then
    // reports why.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    // commit() reports success even when its own flush of the buffered
    // rest failed (a full disk), and would then put a cut file in place of
    // the old one: every byte must have reached the file before it is used.
    if (done == bytes.size() && file.flush() && file.error() == QFileDevice::NoError &&
        file.commit())
        return;
    const QFileDevice::FileError error = file.error();
    file.cancelWriting();
    fail(error == QFileDevice::ResourceError ? vb::DiskFull : vb::PathFileAccessError);
}

bool QtFileSystem::fileExists(const QString& path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool QtFileSystem::dirExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool QtFileSystem::makePath(const QString& path) {
    return !path.isEmpty() && QDir().mkpath(path);
}

} // namespace veltrano
