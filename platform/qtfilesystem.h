#pragma once

#include "platform/filesystem.h"

namespace veltrano {

// Files on the local disk. Errors carry the numbers of the Basic runtime.
class QtFileSystem : public FileSystem {
public:
    QByteArray read(const QString& path, qint64 maxBytes) override;
    void writeAtomically(const QString& path, const QByteArray& bytes) override;
    void writeFileOrStream(const QString& path, const QByteArray& bytes) override;
    bool replacesFile(const QString& path) override;
    bool sameEntry(const QString& a, const QString& b) override;
    bool dirExists(const QString& path) override;
    bool makePath(const QString& path) override;

private:
    void write(const QString& path, const QByteArray& bytes, bool intoStreams);
};

} // namespace veltrano
