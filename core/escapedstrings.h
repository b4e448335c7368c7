#pragma once

#include "core/codeskeleton.h"

#include <QString>
#include <QStringView>

// The messages and titles of languages whose strings stand in double
// quotes with escapes (C#, PowerShell): a short message as one string with
// its lines joined by an escaped line break, a long one in a variable, one
// statement per line, and the title as one string.
namespace veltrano::gen {

struct EscapedStrings {
    // Appends text as it stands inside the quotes.
    void (*escape)(QString& out, QStringView text);
    QStringView lineBreak; // an escaped line break: "\\n"
    // The starts of a long message's statements up to the opening quote (a
    // %1 stands for the variable), and the end of each after its closing
    // quote.
    QStringView declare, add, end;
};

// Writes the statements of a long message after `firstLine` (each followed
// by a CR) and sets code.prompt and code.title.
void escapedOpening(Code& code, const EscapedStrings& strings, QStringView firstLine = {});

} // namespace veltrano::gen
