#pragma once

// C's and C++'s text expressions, evaluated as the compiler would: string
// literals with C's escapes (L"", u"", U"", u8"" and plain ones, joined where
// they stand side by side), TEXT(), _T(), _TEXT(), __TEXT() and __T() of
// them, variables the text assigns, x.c_str() of one, and + where one side
// is a string object (std::wstring, CString); a character or a number alone
// is no text. Anything else is refused with its place.

#include "core/reader/context.h"
#include "core/reader/result.h"
#include "core/reader/textvalue.h"

namespace veltrano::reader {

// Appends the value of the expression in tokens [b, e) to r; r.text tells
// whether it is a text.
Status evalCText(Context& c, int b, int e, Reading& r);

// Whether the name at k, before '(', is a call the evaluation reads and
// that changes nothing: TEXT() and its kin, x.c_str(), x.data() and
// x.GetString().
bool changesNothing(const Tokens& t, int k);

// Whether tokens [b, e) are NULL, nullptr or 0: no text at all.
bool isNullPointer(const Tokens& t, int b, int e);

} // namespace veltrano::reader
