#pragma once

#include "core/msgbox.h"

#include <QString>

namespace veltrano {

// The code generators: pure functions of a message box value. Lines of
// generated code are separated by a single CR, with no break at the end.
// Failures are thrown as vb::Error.
namespace gen {

// The pieces every code style builds on.
struct PreparedMessage {
    // Empty, or for a prepared message of more than 50 characters the two
    // lines that declare and fill Msg (without a type under "VBS").
    QString opening;
    // The first argument of the call: the quoted message, or Msg.
    QString prompt;
    // The title as one line with its quotes doubled.
    QString title;
};

// The message prepared for the value's code style: quotes doubled, line
// breaks (CR LF, lone CR, lone LF) joined by " & vbcr & ".
PreparedMessage prepareMessage(const msgbox::Value& value);

// The code of the value's code style.
QString generateCode(const msgbox::Value& value);

} // namespace gen

} // namespace veltrano
