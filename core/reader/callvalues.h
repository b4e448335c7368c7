#pragma once

// What a message box call gives before its code style is known, whatever the
// language and the function (MsgBox, MessageBox.Show): the prompt and the
// title as read, the style value, and how the help button would be refused;
// and the call read from them once the style is known.

#include "core/codereader.h"
#include "core/reader/context.h"
#include "core/reader/result.h"
#include "core/reader/textvalue.h"

#include <optional>

namespace veltrano::reader {

struct CallValues {
    CallValues();

    Reading prompt;
    Reading title;
    qsizetype promptPlace = 0; // where a refusal of the prompt's value points
    qsizetype titlePlace = 0;
    // Icon, button set, default button and the two flags, as the parts of a
    // Basic style value.
    qint64 value = 0;
    // Whether the text names the default button (also the first one).
    bool defaultButtonNamed = false;
    // The refusal of the help button where the style has none; set only
    // when the value holds the help button.
    std::optional<Failure> helpRefused;
};

// The call, with the style the text tells (or nothing). The help button is
// refused where the resulting style (told, else currentCodeStyle) is VBS.
// The texts get CR LF line breaks, and a prompt that ends in a line break
// one more (the generators drop one).
Result<ReadCall> finishCall(CallValues& values, std::optional<msgbox::CodeStyle> toldStyle,
                            msgbox::CodeStyle currentCodeStyle, Budget& budget);

} // namespace veltrano::reader
