#include "documents/sourcetext.h"

#include "core/sizetext.h"
#include "core/vberror.h"
#include "documents/textcodec.h"
#include "platform/filesystem.h"

using namespace Qt::StringLiterals;

namespace veltrano::sourcetext {

QString text(const QByteArray& bytes) {
    if (bytes.size() > MaxBytes)
        throw vb::Error(vb::InvalidFileFormat, vb::describe(vb::InvalidFileFormat) +
                                                   u" (größer als %1)"_s.arg(mebibytes(MaxBytes)));
    return textcodec::decodeText(bytes);
}

QString load(FileSystem& files, const QString& path) {
    return text(files.read(path, MaxBytes + 1));
}

} // namespace veltrano::sourcetext
