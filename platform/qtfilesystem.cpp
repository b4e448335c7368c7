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

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

bool folderOfExists(const QFileInfo& info) {
    return QFileInfo(info.absolutePath()).isDir();
}

[[noreturn]] void fail(int number) {
    throw vb::Error(number);
}

[[noreturn]] void refuse(const char* why) {
    throw vb::Error(vb::PathFileAccessError, vb::describe(vb::PathFileAccessError) + u" ("_s +
                                                 QString::fromUtf8(why) + u')');
}

// What a path names, for a write.
struct Target {
    enum Kind {
        Missing,  // nothing yet: the write creates a file
        Regular,  // a regular file, also one a symlink names
        Stream,   // a named pipe or a character device
        Folder,   // a folder, also one a symlink names
        Dangling, // a symlink whose target does not exist
        Other,    // a socket, a block device, a loop of symlinks
    };
    Kind kind = Missing;
    // The file a replacement renames over: the path itself, or the final
    // path a symlink leads to.
    QString file;
    dev_t device = 0;
    ino_t inode = 0;
};

Target targetOf(const QString& path) {
    Target target;
    target.file = path;
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0)
        return target; // Missing; a missing folder is found by the caller
    if (S_ISLNK(status.st_mode)) {
        if (::stat(name.constData(), &status) != 0) {
            target.kind = errno == ENOENT ? Target::Dangling : Target::Other;
            return target;
        }
        if (S_ISREG(status.st_mode))
            target.file = QFileInfo(path).canonicalFilePath();
    }
    target.device = status.st_dev;
    target.inode = status.st_ino;
    if (S_ISREG(status.st_mode))
        target.kind = target.file.isEmpty() ? Target::Other : Target::Regular;
    else if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode))
        target.kind = Target::Stream;
    else if (S_ISDIR(status.st_mode))
        target.kind = Target::Folder;
    else
        target.kind = Target::Other;
    return target;
}

// The target of a write to path, or the refusal of what no write may
// replace.
Target writableTarget(const QString& path, bool intoStreams) {
    if (path.isEmpty())
        fail(vb::PathFileAccessError);
    if (!folderOfExists(QFileInfo(path)))
        fail(vb::PathNotFound);
    const Target target = targetOf(path);
    switch (target.kind) {
    case Target::Missing:
    case Target::Regular:
        return target;
    case Target::Stream:
        if (intoStreams)
            return target;
        refuse("keine gewöhnliche Datei");
    case Target::Folder:
        refuse("ein Ordner");
    case Target::Dangling:
        refuse("symbolischer Link ohne Ziel");
    case Target::Other:
        break;
    }
    refuse("keine gewöhnliche Datei");
}

// True while path still names what the target was found to be, so that a
// file swapped in after the check is not replaced.
bool unchanged(const Target& target) {
    struct stat status {};
    const int result = ::lstat(QFile::encodeName(target.file).constData(), &status);
    if (target.kind == Target::Missing)
        return result != 0 && errno == ENOENT;
    return result == 0 && S_ISREG(status.st_mode) && status.st_dev == target.device &&
           status.st_ino == target.inode;
}

void replace(const Target& target, const QByteArray& bytes) {
    const QFileInfo info(target.file);
    // The file is replaced by a new one, which the folder would allow even
    // for a write-protected file; refuse as writing into it would.
    if (target.kind == Target::Regular && !info.isWritable())
        fail(vb::PermissionDenied);

    QSaveFile file(target.file);
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
    const bool written =
        done == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
    if (written && !unchanged(target)) {
        file.cancelWriting();
        refuse("während des Schreibens ersetzt");
    }
    if (written && file.commit())
        return;
    const QFileDevice::FileError error = file.error();
    file.cancelWriting();
    fail(error == QFileDevice::ResourceError ? vb::DiskFull : vb::PathFileAccessError);
}

// Writes into a pipe or a character device as it is; opening a pipe waits
// for its reader.
void writeInto(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        fail(errno == EACCES || errno == EPERM ? vb::PermissionDenied : vb::PathFileAccessError);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !(S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode))) {
        ::close(fd); // swapped for something else since the check
        refuse("keine gewöhnliche Datei");
    }
    qsizetype done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += n;
    }
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == ENOSPC)
        fail(vb::DiskFull);
    if (error != 0)
        fail(vb::DeviceIoError);
}

// The folder and the name a path finally names once every symlink of the
// path itself is followed; the folder's own symlinks are left to stat().
struct Entry {
    QString folder;
    QString name;
};

Entry finalEntry(const QString& path) {
    QString current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // As many links as the kernel follows (ELOOP) before it gives up.
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            break;
        const QString next = info.symLinkTarget();
        if (next.isEmpty())
            break;
        current = QDir::cleanPath(next);
    }
    const QFileInfo info(current);
    return {info.absolutePath(), info.fileName()};
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
    write(path, bytes, false);
}

void QtFileSystem::writeFileOrStream(const QString& path, const QByteArray& bytes) {
    write(path, bytes, true);
}

void QtFileSystem::write(const QString& path, const QByteArray& bytes, bool intoStreams) {
    const Target target = writableTarget(path, intoStreams);
    if (target.kind == Target::Stream)
        writeInto(path, bytes);
    else
        replace(target, bytes);
}

bool QtFileSystem::replacesFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const Target target = targetOf(path);
    if (target.kind != Target::Missing)
        writableTarget(path, false);
    return target.kind == Target::Regular;
}

bool QtFileSystem::sameEntry(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const Entry first = finalEntry(a);
    const Entry second = finalEntry(b);
    if (first.name != second.name)
        return false;
    struct stat one {};
    struct stat two {};
    return ::stat(QFile::encodeName(first.folder).constData(), &one) == 0 &&
           ::stat(QFile::encodeName(second.folder).constData(), &two) == 0 &&
           one.st_dev == two.st_dev && one.st_ino == two.st_ino;
}

bool QtFileSystem::dirExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool QtFileSystem::makePath(const QString& path) {
    return !path.isEmpty() && QDir().mkpath(path);
}

} // namespace veltrano
