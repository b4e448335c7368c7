#pragma once

#include <QString>

class Definition;

// The code generators. Each one reads the definition and writes the
// generated code text, prompt expression and title text of its state, as the
// window's procedures of the same names do; they keep no state of their own.
// Lines of generated code are separated by a single CR, with no break at the
// end. Failures are thrown as vb::Error.
namespace gen {

// Prepares title text, prompt expression and, for a message longer than 50
// characters, the two lines that declare and fill Msg.
void Message(Definition& def);

// The style generators; each expects Message to have run.
void EinfachCode(Definition& def);
void IfCode(Definition& def);
void SelectCode(Definition& def);
void VBScode(Definition& def);

// Message, then the generator of the selected code style; returns the
// generated code text.
QString generateSelected(Definition& def);

// The numeric style value of the box the definition describes (icon value,
// button-set value, default-button value and the two flags), as the preview
// passes it to the message box.
int styleValue(const Definition& def);

} // namespace gen
