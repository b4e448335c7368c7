#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace veltrano {

class Definition;
class FileSystem;

// The definition file: four number lines (icon, button set, default button,
// code style), the title line and the message lines, every line ended by
// CR LF. Encoding and decoding only; the commands do the file handling.
namespace definitionfile {

struct Content {
    int icon = 0;
    int buttons = 0;
    int defaultButton = 0;
    int code = 0;
    QString title;
    QString message; // line breaks CR LF
};

// The file text: " 64 " style number lines, the title, then the message
// written whole, each followed by CR LF.
QString text(const Content& content);

// The file bytes: Windows-1252 when it holds every character, otherwise
// UTF-8 with a byte order mark.
QByteArray encode(const Content& content);

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

// Reads the definition file at path and checks it whole: what decode
// refuses, anything but a regular file (75, without blocking), and numbers
// that name no option of their group (9). Reads at most MaxFileSize + 1
// bytes, so that no file, however large or growing, is read further.
Content load(FileSystem& files, const QString& path);

// Makes the definition hold what a file holds, as Open does: the four
// options are selected as clicks would select them, icon, button set,
// default button and code style in this order (the button set's handler
// resets the default button, so the stored one comes after it), then title
// and message are set. The check boxes stay as they are. The definition
// reports all of it as one change. The content must come from load, whose
// numbers name options that exist.
void apply(const Content& content, Definition& definition);

// The value of a number line as the Basic runtime reads it: the number at
// the start, blanks and tabs skipped, 0 when there is none, a fraction
// rounded half to even (2.5 gives 2, 3.5 gives 4).
int numberOf(QStringView line);

} // namespace definitionfile

} // namespace veltrano
