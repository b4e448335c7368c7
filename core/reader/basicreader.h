#pragma once

// The code reader's walk through Basic source (VB6, VBA, VBScript and
// VB.NET): statement by statement it keeps the scope current (blocks,
// declarations, assignments) up to the first call, which msgboxcall.h reads.
//
// A value stays known only where the walk is sure of it:
// - If, Select Case, loops, procedures, Try/Catch/Finally, #If/#Else and
//   VB.NET's multi-line lambdas are blocks: a value assigned in one is
//   unknown after it, and a value assigned outside a procedure is unknown
//   inside it (constants excepted);
// - a loop header changes only its loop variable;
// - a statement the walk skips changes the variables it names, a member
//   assignment (Me.Msg = ..., .Msg = ... in With) the variable of that name;
// - a call of a procedure of the text, GoSub, Execute and ExecuteGlobal may
//   change any variable, and so may a label or line number where the text
//   jumps (GoTo, GoSub, Resume): every value is unknown after them;
// - a call inside #If is refused, as the branch that is compiled is not
//   known.

#include "core/reader/reader.h"

namespace veltrano::reader {

// The readers of VB6, VBA and VBScript (one, as their code reads alike) and
// of VB.NET: the same walk over the tokens of the lexer's two dialects.
const LanguageReader& basicReader();
const LanguageReader& vbNetReader();

} // namespace veltrano::reader
