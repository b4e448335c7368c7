#pragma once

// C's and C++'s statements that give variables their values or take them
// away:
// - declarations of texts: const wchar_t *msg = ..., wchar_t msg[] = ...,
//   LPCWSTR (and the other LP/P string types), char, TCHAR and WCHAR
//   pointers and arrays, std::wstring, std::string and CString objects
//   (empty without a value, also s(L"...")), and auto; a pointer or array
//   without a value is unknown unless static; any other declaration makes
//   its variables unknown;
// - assignments x = ... and, on a string object, x += ...;
// - #define NAME value, a constant where its value is a text, and #undef;
//   a macro that calls, assigns or counts, or takes parameters, makes every
//   value unknown where a statement names it;
// - any other statement, which makes unknown every variable it names (a
//   function may change an array or an object it is handed).
// A pointer or reference set from another variable shares its memory,
// which the text may change through either name: both become unknown.

#include "core/reader/context.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

namespace veltrano::reader {

bool cDeclaration(Context& c, int b, int e, Status& status);
bool cAssignment(Context& c, int b, int e, Status& status);
void cForget(Context& c, int b, int e);
// #define and #undef at k: the token after the line, else -1.
int cDefine(Context& c, int k);

} // namespace veltrano::reader
