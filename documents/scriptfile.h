#pragma once

#include "core/msgbox.h"

#include <QByteArray>
#include <QString>

namespace veltrano {

class Definition;
class FileSystem;

// The script file: the VBScript code of a definition followed by one CR LF,
// nothing else. Written by "Speichern als VB-Script..." and by the command
// line's --script, so both give the same bytes.
namespace scriptfile {

// The file bytes for a value whose code style is "VBS": Windows-1252 when
// the text fits, otherwise UTF-16LE with a byte order mark.
QByteArray encode(const msgbox::Value& value);

// Where a script may go: only into a regular file, which is replaced (the
// window), or also into a pipe or a character device (the command line).
enum class Target { File, FileOrStream };

// Selects the code style "VBS" if another one is selected (as a click
// would, so the help button is cleared and the style stays chosen), then
// replaces the file at path with the script as a whole or not at all, or
// writes it into the stream path names where target allows that.
// Throws vb::Error with the file system's number when the write fails.
void write(FileSystem& files, const QString& path, Definition& definition,
           Target target = Target::File);

} // namespace scriptfile

} // namespace veltrano
