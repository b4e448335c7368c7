#pragma once

#include <QByteArray>
#include <QString>

namespace veltrano {

class Definition;
class FileSystem;

// The script file: the VBScript code of a definition followed by one CR LF,
// nothing else. Written by "Speichern als VB-Script..." and by the command
// line's --script, so both give the same bytes.
namespace scriptfile {

// The file bytes for a definition whose code style is "VBS": Windows-1252
// when the text fits, otherwise UTF-16LE with a byte order mark.
QByteArray encode(const Definition& definition);

// Selects the code style "VBS" if another one is selected (as a click
// would, so the help button is cleared and the style stays chosen), then
// replaces the file at path with the script as a whole or not at all.
// Throws vb::Error with the file system's number when the write fails.
void write(FileSystem& files, const QString& path, Definition& definition);

} // namespace scriptfile

} // namespace veltrano
