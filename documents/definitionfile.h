#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

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

// Reads a file written by encode (or by hand). Lines end at CR LF, a lone CR
// or a lone LF. The message is rebuilt from line 6 on with every line
// followed by CR LF, so it comes back with one CR LF more than was saved.
// Throws vb::Error(62) for fewer than five lines and vb::Error(6) for a
// number too large for a whole number. The numbers are not checked against
// the option groups.
Content decode(const QByteArray& bytes);

// The value of a number line as the Basic runtime reads it: the number at
// the start, blanks and tabs skipped, 0 when there is none, a fraction
// rounded half to even (2.5 gives 2, 3.5 gives 4).
int numberOf(QStringView line);

} // namespace definitionfile
