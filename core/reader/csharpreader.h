#pragma once

// The code reader's walk through C# source: statement by statement, through
// blocks, if/else, switch and loops, it keeps the scope current
// (declarations, assignments) up to the first call of MessageBox.Show,
// which messageboxshow.h reads.
//
// The code style, where the text tells it:
// - the call in the condition of if (also else if): If Then Else;
// - the call as the selector of switch: Select Case;
// - the call as the whole value of an assignment or declaration
//   (var antwort = MessageBox.Show(...);): If Then Else or Select Case when
//   the next statement is an if or a switch on that variable, otherwise
//   einfach;
// - any other form: not told.
// Variables: const string, string and var declarations and assignments
// (also +=) give values; a value assigned inside a branch, a loop or a
// method that has ended since is unknown, and so is a variable a skipped
// statement assigns or hands on by ref or out.

#include "core/reader/reader.h"

namespace veltrano::reader {

// The reader of C#: csharplexer.h's tokens, read up to the first
// MessageBox.Show call.
const LanguageReader& csharpReader();

} // namespace veltrano::reader
