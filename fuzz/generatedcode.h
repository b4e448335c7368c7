#pragma once

#include "core/generators.h"

#include <QString>

namespace veltrano {

class Definition;

// Checks generated code against the rules every code style and language
// keeps: lines separated by a lone CR, no LF, no line break at the end,
// every string literal closed on its own line (an even number of quotes per
// line where quotes are doubled), no Basic line over 1023 characters, and
// the message and title read back by the code reader equal to what was
// typed.
namespace fuzzcheck {

// Empty when the code keeps the rules, otherwise a description of the first
// rule it breaks. title and message are the definition's texts as typed.
QString problemOf(const QString& code, gen::Language language, const QString& title,
                  const QString& message);

// Generates the code of the selected style in every language, then of each
// of the four styles in turn (selecting them, "VBS" last), and aborts with a description of the
// input on the first text that breaks a rule. Failures the generators report
// as runtime errors are allowed; any other exception aborts too.
void generateAndCheckAll(Definition& def);

} // namespace fuzzcheck

} // namespace veltrano
