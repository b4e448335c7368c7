#pragma once

#include <QByteArray>
#include <QString>

namespace veltrano {

// Files and folders. Failures are thrown as vb::Error with the number of
// the Basic runtime (53 file not found, 61 disk full, 70 permission denied,
// 75 path/file access error, 76 path not found).
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // At most maxBytes bytes from the start of a regular file. Anything else
    // (a folder, pipe, socket or device) is refused with 75 without waiting
    // for it, so that no path can block the program.
    virtual QByteArray read(const QString& path, qint64 maxBytes) = 0;
    // Replaces the regular file at path as a whole or not at all: on failure
    // the old file stays intact. A symlink is followed to the file it names,
    // which is replaced while the link stays a link. Whatever else the path
    // names is refused with 75 and left as it is: a folder, pipe, device or
    // socket, and a symlink whose target is missing (writing through it
    // would create a file somewhere else).
    virtual void writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    // As writeAtomically, except that a named pipe or a character device (a
    // terminal, /dev/stdout, /dev/null) is written into as a stream, as cp
    // does, and never replaced. A pipe that nobody reads blocks the write.
    virtual void writeFileOrStream(const QString& path, const QByteArray& bytes) = 0;
    // Whether a write to path would replace a file that is there (also one a
    // symlink names); false when it would create one. Throws what
    // writeAtomically refuses the path with, before anything is written.
    virtual bool replacesFile(const QString& path) = 0;
    // True when both paths, with every symlink resolved (their folders' and
    // their own), name the same entry of the same folder. A hard link is an
    // entry of its own.
    virtual bool sameEntry(const QString& a, const QString& b) = 0;
    virtual bool dirExists(const QString& path) = 0;
    // Creates the folder with any missing parents; false on failure.
    virtual bool makePath(const QString& path) = 0;
};

} // namespace veltrano
