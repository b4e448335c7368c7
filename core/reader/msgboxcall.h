#pragma once

// One message box call in Basic (MsgBox, or MessageBox.Show in VB.NET):
// where it stands, its form (statement, function, Call), its arguments bound
// and evaluated in the order of the text, the values the window takes from
// them, and the code style the statement and the next one tell.

#include "core/codereader.h"
#include "core/reader/context.h"
#include "core/reader/result.h"

#include <cstdint>
#include <optional>

namespace veltrano::reader {

// Where the call stands in its statement.
enum class Place : std::uint8_t { Plain, Condition, Selector };

struct Call {
    int start;          // first token of the call, with its qualifier
    int name;           // the MsgBox, Show or Popup token
    bool show = false;  // MessageBox.Show
    bool wpf = false;   // WPF's MessageBox.Show
    bool popup = false; // Popup of WScript.Shell (see popupcall.h)
    int object = -1;    // Popup's object where it is a variable, else -1
};

// The first call in tokens [b, e): MsgBox alone or qualified by VBA,
// Interaction, Microsoft.VisualBasic; a MsgBox member of anything else is
// not the function. Or MessageBox.Show (see messageboxshow.h), or Popup of
// WScript.Shell (see popupcall.h).
std::optional<Call> findMsgBoxCall(const Tokens& t, int b, int e);

// Reads the call that stands in the statement [b, e) at `place`.
// currentCodeStyle decides whether the help button is refused where the
// text does not tell the style.
Result<ReadCall> readCallAt(Context& c, int b, int e, Call call, Place place,
                            msgbox::CodeStyle currentCodeStyle);

} // namespace veltrano::reader
