#pragma once

#include "core/msgbox.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace veltrano {

class FileSystem;

// The definition file: four number lines (icon, button set, default button,
// code style), the title line and the message lines, every line ended by
// CR LF. Encoding and decoding only; the commands do the file handling.
namespace definitionfile {

// What a file holds, as it reads: the four numbers are not yet checked.
struct Content {
    int icon = 0;
    int buttons = 0;
    int defaultButton = 0;
    int code = 0;
    QString title;
    QString message; // line breaks CR LF
};

// The file text of a value: " 64 " style number lines (a default button
// never chosen is written as the first), the title, then the message
// written whole, each followed by CR LF. The check boxes are not stored.
QString text(const msgbox::Value& value);

// The file bytes: Windows-1252 when it holds every character, otherwise
// UTF-8 with a byte order mark.
QByteArray encode(const msgbox::Value& value);

// The largest definition file that is read. A real one is a few hundred
// bytes, and a message box shows about a thousand characters of its text.
inline constexpr qint64 MaxFileSize = 1024 * 1024;

// Reads a file written by encode (or by hand). Lines end at CR LF, a lone CR
// or a lone LF. The message is lines 6 to the end joined by CR LF, so it
// comes back exactly as encode wrote it; five lines, or an empty sixth line,
// give an empty message. Throws vb::Error(321) for more than MaxFileSize
// bytes or a text holding a NUL, vb::Error(62) for fewer than five lines and
// vb::Error(6) for a number too large for a whole number. The numbers are
// not checked against the option groups.
Content decode(const QByteArray& bytes);

// The value a file describes: its four options, title and message over
// base, which gives what a file does not hold (the two check boxes).
// Throws vb::Error(9) for a number that names no option of its group.
msgbox::Value valueOf(const Content& content, const msgbox::Value& base = {});

// Reads the definition file at path and checks it whole: what decode and
// valueOf refuse, and anything but a regular file (75, without blocking).
// Reads at most MaxFileSize + 1 bytes, so that no file, however large or
// growing, is read further. Open makes the definition hold the value.
msgbox::Value load(FileSystem& files, const QString& path, const msgbox::Value& base = {});

// The value of a number line as the Basic runtime reads it: the number at
// the start, blanks and tabs skipped, 0 when there is none, a fraction
// rounded half to even (2.5 gives 2, 3.5 gives 4).
int numberOf(QStringView line);

} // namespace definitionfile

} // namespace veltrano
