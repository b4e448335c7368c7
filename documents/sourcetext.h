#pragma once

#include <QByteArray>
#include <QString>

namespace veltrano {

class FileSystem;

// Source code to read a message box call from, given as bytes: a file, or
// text piped into the program. It is bounded before it is decoded, so that
// no input grows the program's memory beyond a fixed amount.
namespace sourcetext {

// The most bytes taken, as much as Open takes of a definition file. The
// reader's own bound on characters applies to the text after that.
inline constexpr qint64 MaxBytes = 1024 * 1024;

// The text of bytes as textcodec::decodeText reads them. Callers read one
// byte more than MaxBytes, so that a text at the bound is told from a
// larger one without reading the rest: that one is refused with
// vb::Error(321) naming the bound.
QString text(const QByteArray& bytes);

// The text of a file, read as Open reads a definition file: a folder,
// pipe, socket or device is refused at once (75), without waiting for it.
// Throws vb::Error.
QString load(FileSystem& files, const QString& path);

} // namespace sourcetext

} // namespace veltrano
