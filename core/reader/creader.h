#pragma once

// The code reader's walk through C and C++ source: the walk of bracewalk.h
// with C's lexer (clexer.h), its text expressions (ctext.h), declarations
// and #define (cdeclarations.h), up to the first message box call of the
// Windows API (messageboxw.h). The code style is told as in C#: the call in
// the condition of if or else if is If Then Else, the selector of switch is
// Select Case, and the call as the whole value of a declaration or an
// assignment (int antwort = MessageBoxW(...);, also auto, const int, INT)
// is If Then Else or Select Case when the next statement is an if or a
// switch on that variable, otherwise einfach; any other form tells no
// style. A call inside #if, #ifdef or #ifndef is refused, and so is a value
// assigned in one of its branches.

#include "core/reader/reader.h"

#include <QStringView>

#include <optional>

namespace veltrano::reader {

const LanguageReader& cReader();

// Whether the C tokens hold a call of messageboxw.h: its offset, or -1.
qsizetype firstWindowsCall(const Tokens& t);

} // namespace veltrano::reader
