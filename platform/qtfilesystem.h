#pragma once

#include "platform/filesystem.h"

namespace veltrano {

// Files on the local disk. Errors carry the numbers of the Basic runtime.
class QtFileSystem : public FileSystem {
public:
    QByteArray read(const QString& path, qint64 maxBytes) override;
    void writeAtomically(const QString& path, const QByteArray& bytes) override;
    bool fileExists(const QString& path) override;
    bool dirExists(const QString& path) override;
    bool makePath(const QString& path) override;
};

} // namespace veltrano
