#pragma once

// The message box call of the Windows API as C and C++ write it:
// MessageBoxW, MessageBoxA and MessageBox (also as ::MessageBoxW) with the
// owner window, the text, the title and the style; MessageBoxExW and
// MessageBoxExA with a language after them (not evaluated); and the member
// MessageBox of MFC's CWnd (this->MessageBox, a bare MessageBox with one to
// three arguments), text, title and style, whose title and style have
// defaults. Which argument is the text is told by the number of arguments,
// never by their form. The owner is not evaluated. AfxMessageBox is refused.
//
// The style: the MB_ constants of the fact tables (column `windows`), also
// MB_ICONERROR, MB_ICONHAND, MB_ICONWARNING and MB_ICONASTERISK, numbers
// (decimal, octal, 0x), joined by | or + and grouped by parentheses, with a
// cast to UINT. MB_APPLMODAL is the window's default; the constants the
// window cannot show are refused by name, bits no constant names by value.
// A NULL text is the empty text; a NULL title or a missing one is refused,
// as Windows then shows "Error" in its own language.

#include "core/reader/callvalues.h"
#include "core/reader/context.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/result.h"

#include <optional>

namespace veltrano::reader {

// Whether token k names one of the calls (MessageBoxW, AfxMessageBox ...):
// checked for every token, so cheap.
bool isWindowsCallName(const Tokens& t, int k);

// The first call in [b, e): a call name before '(' that no type or name
// stands before (that would declare it). start is the first token of a
// member's object or of its qualifier.
std::optional<ShowCall> findWindowsCall(const Tokens& t, int b, int e);

Result<CallValues> readWindowsArguments(Context& c, const ShowCall& call);

} // namespace veltrano::reader
