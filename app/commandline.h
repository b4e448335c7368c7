#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace veltrano {

class Console;
class FileSystem;

// The program's command line. Without options it opens its window, with a
// definition file to open once the window is up. The options --code and
// --script turn definition files into code without any window, --read turns
// the first message box call of a source text into code, and --help and
// --version answer without one.
namespace commandline {

enum ExitStatus : int {
    Success = 0,
    Failure = 1,    // a file could not be read or written, or a call not read
    UsageError = 2, // the arguments are wrong; the help went to stderr
};

// False only when the arguments, as main() receives them, are Qt's own
// window options (-platform offscreen, -style fusion, -reverse...) and at
// most one file: then the window starts. Anything else (--code, --read,
// --script, typos included) runs without a window and needs no display, so that a usage error is
// reported as one without a display too.
bool runsWithoutWindow(int argc, const char* const* argv);

// Runs --help, --version, --code, --read or --script as the arguments (the
// program name first) ask, reading files and writing the script through
// files, and reading standard input and printing through console. Returns
// the exit status.
int runWithoutWindow(const QStringList& arguments, FileSystem& files, Console& console);

// What the window is started with.
struct WindowStart {
    // The definition file to open, as an absolute path; empty for none.
    QString file;
    // Set when the arguments are wrong: the program ends with it at once.
    std::optional<int> exitStatus;
};

// Reads the arguments that Qt has left after taking its own: at most one
// definition file, no options. A usage error is reported on the console.
WindowStart windowStart(const QStringList& arguments, Console& console);

} // namespace commandline

} // namespace veltrano
