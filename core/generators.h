#pragma once

#include <QString>

namespace veltrano {

class Definition;

// The code generators: pure functions of a definition. Lines of generated
// code are separated by a single CR, with no break at the end. Failures are
// thrown as vb::Error.
namespace gen {

// The pieces every code style builds on.
struct PreparedMessage {
    // Empty, or for a prepared message of more than 50 characters the two
    // lines that declare and fill Msg (without a type under "VBS").
    QString opening;
    // The first argument of the call: the quoted message, or Msg.
    QString prompt;
    // The title with its quotes doubled.
    QString title;
};

// The message prepared for the selected code style: quotes doubled, line
// breaks (CR LF, lone CR, lone LF) joined by " & vbcr & ".
PreparedMessage prepareMessage(const Definition& def);

// The code of the selected code style.
QString generateCode(const Definition& def);

// The numeric style value of the box the definition describes (icon value,
// button-set value, default-button value and the two flags), as the preview
// passes it to the message box.
int styleValue(const Definition& def);

} // namespace gen

} // namespace veltrano
