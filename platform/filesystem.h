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
    // Replaces the file as a whole or not at all: on failure the old file
    // stays intact.
    virtual void writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    virtual bool fileExists(const QString& path) = 0;
    virtual bool dirExists(const QString& path) = 0;
    // Creates the folder with any missing parents; false on failure.
    virtual bool makePath(const QString& path) = 0;
};

} // namespace veltrano
