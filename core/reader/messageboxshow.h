#pragma once

// MessageBox.Show of Windows Forms, as VB.NET and C# call it: finding the
// call, binding its arguments to one of its overloads (with or without an
// owner window first), and evaluating them.
//
// The overloads take (owner,) text, caption, buttons, icon, defaultButton,
// options, then displayHelpButton (without an owner only) or helpFilePath,
// then keyword or navigator, then param. The owner is told from the first
// argument: by where the enum arguments stand, else by its form (this, Me,
// null, Nothing, a variable declared with a window type, an undeclared
// owner); a variable declared with another type than a text is refused.
// A help file (a text) shows the help button as displayHelpButton true
// does; a help argument of unknown value is refused; help files, keywords
// and navigators are not evaluated. Named arguments (text:, caption: ...;
// text:= in VB.NET) go to their parameters where an overload takes them.
// Options other than 0, MessageBoxButtons.CancelTryContinue,
// MessageBoxDefaultButton.Button4 and WPF's MessageBox (System.Windows.MessageBox, its enums
// MessageBoxButton, MessageBoxImage, MessageBoxResult) are refused.

#include "core/reader/buttonsexpression.h"
#include "core/reader/callvalues.h"
#include "core/reader/context.h"
#include "core/reader/dotnetnames.h"
#include "core/reader/result.h"

#include <optional>

namespace veltrano::reader {

struct ShowCall {
    int start; // first token, with its namespace
    int name;  // the Show token
    bool wpf;  // System.Windows.MessageBox.Show
};

// Whether token k is the word MessageBox: checked for every token, so kept
// inline and cheap.
inline bool isMessageBoxWord(const Tokens& t, int k, Case letterCase) {
    return t[k].length == 10 && (letterCase == Case::Sensitive ? t.isExactWord(k, u"MessageBox")
                                                               : t.isWord(k, u"MessageBox"));
}

// The call MessageBox.Show whose MessageBox token is k, in a statement
// starting at b: the name alone or qualified by System.Windows.Forms,
// Windows.Forms or Forms (or by System.Windows, WPF's); a member of
// anything else is not the call.
std::optional<ShowCall> showCallAt(const Tokens& t, int b, int k, Case letterCase);

// Reads the arguments of the call, which must follow it in parentheses.
Result<CallValues> readShowArguments(Context& c, const ShowCall& call);

} // namespace veltrano::reader
