#pragma once

// Windows Script Host's Popup, read as a MsgBox call: the method of the
// WScript.Shell object, called on CreateObject("WScript.Shell") (also
// WScript.CreateObject) or on a variable that certainly holds that object
// (Set sh = CreateObject("WScript.Shell") where the call reads it). Its
// arguments are the text, the seconds to wait, the title and the type, whose
// value is a MsgBox style. The window has no timeout: a wait other than 0,
// and a test of the answer against -1 (what Popup gives when the wait is
// over), are refused.

#include "core/reader/context.h"
#include "core/reader/msgboxcall.h"
#include "core/reader/result.h"
#include "core/reader/tokens.h"

#include <optional>

namespace veltrano::reader {

// The Popup call whose name is token k, with its object in [b, k), or
// nothing when the object is neither the WScript.Shell object created there
// nor a plain variable.
std::optional<Call> popupCallAt(const Tokens& t, int b, int k);

// Set name = expression in [b, e): the variable holds the WScript.Shell
// object where the expression creates it (CreateObject("WScript.Shell"), New
// WshShell), else whatever was known of it is lost.
void setObject(Context& c, int name, int b, int e);

// Refuses a call on a variable that does not certainly hold the
// WScript.Shell object here.
Status checkShellObject(Context& c, const Call& call);

// The refusal of a wait of that many seconds (not 0), in every language
// that calls Popup.
QString popupWaitRefused(qint64 seconds);

// The refusal of a test of Popup's answer against -1, the end of its wait.
QString popupTimeoutTested();

// Refuses a wait in tokens [b, e) other than 0.
Status checkWait(Context& c, int b, int e);

// Refuses a test of the answer against -1, the end of the wait: in the
// condition the call stands in (tokens [b, e) outside the call's own
// [callStart, after)), in the Case statements of the Select Case the call
// is the selector of, or in the If or Select Case statement at `next` that
// tests the variable the answer is kept in (or -1 for none).
Status checkTimeoutTest(const Tokens& t, int b, int e, int callStart, int after, Place place,
                        int next);

} // namespace veltrano::reader
