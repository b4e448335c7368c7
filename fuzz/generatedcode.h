#pragma once

#include <QString>

namespace veltrano {

class Definition;

// Checks generated code against the rules every code style keeps: lines
// separated by a lone CR, no LF, no line break at the end, every string
// literal closed on its own line (an even number of quotes per line), and the
// message and title read back from the literals equal to what was typed.
namespace fuzzcheck {

// Empty when the code keeps the rules, otherwise a description of the first
// rule it breaks. title and message are the definition's texts as typed.
QString problemOf(const QString& code, const QString& title, const QString& message);

// Generates the code of the selected style, then of each of the four styles
// in turn (selecting them, "VBS" last), and aborts with a description of the
// input on the first text that breaks a rule. Failures the generators report
// as runtime errors are allowed; any other exception aborts too.
void generateAndCheckAll(Definition& def);

} // namespace fuzzcheck

} // namespace veltrano
