#pragma once

#include <QByteArray>
#include <QString>

namespace veltrano {

// Text encodings of the files the program writes. Text that Windows-1252 can
// hold is written in that code page, byte for byte as older files are; text
// with other characters gets a Unicode encoding with a byte order mark, so
// nothing is lost and readers can tell the two apart.
namespace textcodec {

// The Unicode encoding a file falls back to when Windows-1252 cannot hold it.
enum class Fallback { Utf8WithBom, Utf16LeWithBom };

// True if every character of text survives a round trip through Windows-1252.
bool fitsWindows1252(const QString& text);

// Windows-1252 when the text fits, otherwise the fallback encoding.
QByteArray encode(const QString& text, Fallback fallback);

// Recognises a UTF-8 or UTF-16 byte order mark and decodes accordingly
// (without the mark); anything else is read as Windows-1252.
QString decode(const QByteArray& bytes);

// Text of no known origin, such as source code piped in or saved by an
// editor: a byte order mark decides first, else bytes that are valid UTF-8
// (what editors and the clipboard give) are read as UTF-8, and anything else
// as Windows-1252.
QString decodeText(const QByteArray& bytes);

} // namespace textcodec

} // namespace veltrano
