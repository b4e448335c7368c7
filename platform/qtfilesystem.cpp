#include "platform/qtfilesystem.h"

#include "core/vberror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool folderOfExists(const QFileInfo& info) {
    return QFileInfo(info.absolutePath()).isDir();
}

[[noreturn]] void fail(int number) {
    throw vb::Error(number);
}

} // namespace

QByteArray QtFileSystem::readAll(const QString& path) {
    if (path.isEmpty())
        fail(vb::PathFileAccessError);
    const QFileInfo info(path);
    if (!folderOfExists(info))
        fail(vb::PathNotFound);
    if (!info.exists())
        fail(vb::FileNotFound);
    if (info.isDir())
        fail(vb::PathFileAccessError);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(info.isReadable() ? vb::PathFileAccessError : vb::PermissionDenied);
    QByteArray bytes = file.readAll();
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
    if (done == bytes.size() && file.commit())
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
