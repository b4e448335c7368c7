#pragma once

// One MsgBox call in Basic: where it stands, its form (statement, function,
// Call), its arguments bound and evaluated in the order of the text, the
// values the window takes from them, and the code style the statement and
// the next one tell.

#include "core/codereader.h"
#include "core/reader/context.h"
#include "core/reader/result.h"

#include <cstdint>
#include <optional>

namespace veltrano::reader {

// Where the call stands in its statement.
enum class Place : std::uint8_t { Plain, Condition, Selector };

struct Call {
    int start; // first token of the call, with a VBA. qualifier
    int name;  // the MsgBox token
};

// The first MsgBox call in tokens [b, e): the name alone or qualified by VBA
// and Interaction; a MsgBox member of anything else is not the function.
std::optional<Call> findMsgBoxCall(const Tokens& t, int b, int e);

// Reads the call that stands in the statement [b, e) at `place`.
// currentCodeStyle decides whether the help button is refused where the
// text does not tell the style.
Result<ReadCall> readCallAt(Context& c, int b, int e, Call call, Place place, int currentCodeStyle);

} // namespace veltrano::reader
