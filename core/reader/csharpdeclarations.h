#pragma once

// C#'s statements that give variables their values or take them away:
// declarations ([modifiers] type name [= value], ...), assignments (x = ...,
// x += ...), and any statement the reader skips, which changes only the
// variables it assigns or hands on by ref or out: C# hands anything else on
// by value, and a text cannot change.

#include "core/reader/context.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

namespace veltrano::reader {

// Whether token k is a word that starts a statement or stands for a value:
// never a type or a variable's name.
bool isCSharpKeyword(const Tokens& t, int k);

// The token after the modifiers (const, static, private ...) from k.
int skipCSharpModifiers(const Tokens& t, int k);

// The token after a type starting at k before e (string, System.String,
// List<string>, string?, string[]), or -1.
int csharpTypeEnd(const Tokens& t, int k, int e);

// Whether token k is a lone '=' (not part of == or =>).
bool isAssignment(const Tokens& t, int k);

// A declaration in [b, e): true when the statement is one. Variables of
// string, System.String and var hold their values (var only a text); others
// are unknown. status gets a fatal failure of a value.
bool csharpDeclaration(Context& c, int b, int e, Status& status);

// x = value or x += value in [b, e): true when the statement is one.
bool csharpAssignment(Context& c, int b, int e, Status& status);

// A statement the reader skips: the variables it assigns (x = ..., x += ...,
// x++) or hands on by ref or out lose their known value.
void forgetAssigned(Context& c, int b, int e);

} // namespace veltrano::reader
