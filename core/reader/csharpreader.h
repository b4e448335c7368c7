#pragma once

// The code reader's walk through C# source (bracewalk.h, which C and C++
// share): statement by statement, through blocks, if/else, switch and
// loops, it keeps the scope current (declarations, assignments) up to the
// first call of MessageBox.Show, which messageboxshow.h reads.
//
// The code style, where the text tells it:
// - the call in the condition of if (also else if): If Then Else;
// - the call as the selector of switch: Select Case;
// - the call as the whole value of an assignment or declaration
//   (var antwort = MessageBox.Show(...);): If Then Else or Select Case when
//   the next statement is an if or a switch on that variable, otherwise
//   einfach;
// - any other form: not told.
// Variables: const string, string (also string?) and var declarations and
// assignments (also +=) give values; a value assigned inside a branch
// (also of #if and of try and catch), a loop or a method that has ended
// since, or outside the method that reads it (a constant excepted), is
// unknown, and so is a variable any statement assigns (also this.x, inside
// an expression, in a tuple) or hands on by ref or out. A loop header
// changes only what it assigns. A call of a method of the text and a label
// the text may jump to (goto) make every value unknown; a call inside #if
// is refused.

#include "core/reader/reader.h"

namespace veltrano::reader {

// The reader of C#: csharplexer.h's tokens, read up to the first
// MessageBox.Show call.
const LanguageReader& csharpReader();

} // namespace veltrano::reader
