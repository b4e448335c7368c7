#pragma once

#include "core/languages.h"
#include "core/msgbox.h"

#include <QString>

namespace veltrano {

// The code generators: pure functions of a message box value. Lines of
// generated code are separated by a single CR, with no break at the end.
// Failures are thrown as vb::Error.
namespace gen {

// The languages code is generated in: the rows of core/languages.h.
using Language = lang::Language;

// The pieces every Basic code style builds on.
struct PreparedMessage {
    // Empty, or for a prepared message of more than 50 characters the lines
    // that declare and fill Msg (without a type under "VBS"): one
    // assignment, or several where one line of code would be too long (see
    // core/basicliterals.h).
    QString opening;
    // The first argument of the call: the quoted message, or Msg.
    QString prompt;
    // The title as one line with its quotes doubled.
    QString title;
};

// The message prepared for the value's Basic code style: quotes doubled,
// line breaks (CR LF, lone CR, lone LF) joined by BasicJoiner
// (core/basicliterals.h).
PreparedMessage prepareMessage(const msgbox::Value& value);

// Whether the message is long enough to go into a variable (Msg) before the
// call: its prepared length (quotes doubled, every line break two
// characters, and a final CR LF where the message has none) is over 50.
bool isLongMessage(QStringView message);

// The code of the value's code style in that language (core/languages.h).
// Basic code has no line longer than 1023 characters: a long title goes
// into Titel as a long message goes into Msg. A value whose button set has
// no answers to write is refused with error 5.
QString generateCode(const msgbox::Value& value, Language language = Language::Basic);

} // namespace gen

} // namespace veltrano
