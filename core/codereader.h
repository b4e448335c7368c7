#pragma once

#include "core/msgbox.h"
#include "core/reader/limits.h"

#include "core/msgbox.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

// Reads source text back into a message box definition: the first MsgBox
// call of Basic text (VB6, VBA, VBScript, VB.NET, LibreOffice Basic, also
// WScript.Shell's Popup), the first MessageBox.Show call of VB.NET, C# or
// PowerShell text (or PowerShell's Popup), or the first MessageBoxW call
// (and its kin) of C or C++ text, with its style evaluated as the
// runtime evaluates it and its prompt and title evaluated from the literals,
// constants and variables the text shows. Everything this program generates
// reads back to the definition it came from.
//
// The text comes without a choice of language; core/reader/language.h tells
// it: PowerShell by a call on a type in brackets ([...MessageBox]::Show)
// or New-Object -ComObject, C# by MessageBox.Show with a ';', '==' or '!='
// outside strings and comments (Basic's too), C or C++ by MessageBoxW and
// its kin with C's ';', '==', '!=' or braces, VB.NET by a form only VB.NET
// has, else VB6, VBA or VBScript; the reader of that language
// (core/reader/reader.h) reads it. A text of one statement with neither a
// ';' nor a comment does not tell VB.NET from C#: it is read both ways, and
// refused where they differ.
// What follows describes Basic; VB.NET adds to it:
// - MsgBoxStyle.X (also qualified by Microsoft.VisualBasic) in the buttons,
//   joined by Or or +; Microsoft.VisualBasic.MsgBox and Interaction.MsgBox;
// - MessageBox.Show(...) of Windows Forms (see core/reader/messageboxshow.h);
// - Dim x As String = ..., Msg &= ..., Msg += ...; Dim x = MsgBox(...) and
//   Dim x As MsgBoxResult = MsgBox(...) keep the answer as x = MsgBox(...)
//   does; Dim without As does not tell VBS;
// - ControlChars.CrLf, .Cr, .Lf, .NewLine, .Tab, .Quote,
//   Environment.NewLine, String.Empty; ChrW of any code unit (as in VB6);
// - &H and &O numbers as 32-bit Integers (&HFFFF is 65535) unless a type
//   character (S, US, UI, L, &) says otherwise;
// - named arguments of MessageBox.Show (text:=, caption:= ...);
// - U+201C, U+201D and U+FF02 read as quotes, also inside a string literal
//   (a pair of any two stands for one "), U+2018, U+2019 and U+FF07 start
//   a comment, string literals span lines, "x"c and $"..." without
//   expressions, and lines go on after a comma, an operator, an opening
//   parenthesis and before a closing one.
// C# is read as core/reader/csharpreader.h and csharptext.h describe;
// "SystemModal" cannot be told in C# and comes back clear.
// LibreOffice Basic reads as Basic, with its own spelling:
// - in the buttons, the MB_ constants it has built in (MB_OK ...
//   MB_RETRYCANCEL, MB_ICONSTOP, MB_ICONQUESTION, MB_ICONEXCLAMATION,
//   MB_ICONINFORMATION, MB_DEFBUTTON1 to 3, MB_APPLMODAL, MB_SYSTEMMODAL),
//   also mixed with vb constants (Option VBASupport 1); any other MB_ name
//   (MB_HELP, MB_ICONHAND, MB_ICONWARNING, MB_TASKMODAL ...) is refused by
//   name unless the text declares it (Const MB_HELP = &H4000);
// - its answers IDOK ... IDNO in If and Select Case, which like vbYes only
//   read: the structure tells the style.
// Windows Script Host's Popup(Text, SecondsToWait, Title, Type) of the
// WScript.Shell object reads as MsgBox (core/reader/popupcall.h), in the
// call forms of MsgBox and with named arguments: called on
// CreateObject("WScript.Shell") (also WScript.CreateObject), or on a variable
// that `Set v = CreateObject("WScript.Shell")` gives that object for sure (as
// certain as a text's value: a Set in a branch or a loop, in another
// procedure, or a statement since that may change v, and the call is
// refused). Type is read as MsgBox's buttons; a missing title is empty, a
// missing type 0. Refused, as the window has no wait: a wait other than 0,
// and a test of the answer against -1 (the end of the wait) in the call's
// If, its Select Case, or the If or Select Case on the variable that keeps
// the answer.
// C and C++ (told by a call of MessageBoxW, MessageBoxA, MessageBox,
// MessageBoxExW or MessageBoxExA, also as ::MessageBoxW or a window's
// member this->MessageBox, with a ';', '==', '!=' or brace outside strings
// and comments, or alone in a text of one statement without a comment) are
// read as core/reader/creader.h and its parts describe:
// - the call: the owner (any expression, not evaluated), text, title and
//   style of the Windows API; MessageBoxEx's language is not evaluated;
//   MFC's member MessageBox(text, title, style) with one to three
//   arguments, its style MB_OK where left out. The number of arguments
//   tells which one is the text;
// - texts: L"", u"", U"", u8"" and plain literals, side by side joined,
//   TEXT(), _T(), _TEXT() of them, the escapes \n \r \t \" \' \\ \a \b \f
//   \v \?, \x with every hex digit that follows, octal escapes of up to
//   three digits, \u and \U; a NULL text is empty; variables declared as
//   const wchar_t *, wchar_t [], char and TCHAR pointers and arrays,
//   LPCWSTR and the other string pointer types, auto, std::wstring,
//   std::string and CString (empty without a value, s(L"...") too, with
//   += and +, and x.c_str()), and #define NAME "text"; the characters of a
//   narrow literal are taken as they are;
// - the style: the MB_ constants (also MB_ICONERROR, MB_ICONHAND,
//   MB_ICONWARNING, MB_ICONASTERISK), decimal, octal and 0x numbers with
//   u and l suffixes, | and +, parentheses and casts to UINT; MB_APPLMODAL
//   is the window's default;
// - the answer in switch, in if and else if with == (either order), or
//   kept in an int, const int, INT or auto variable that the next if or
//   switch tests, as in C#.
// Refused besides what is refused for every language: AfxMessageBox (its
// title comes from the application), MessageBoxW, ::MessageBox and
// MessageBoxExW with another number of arguments, a window's MessageBox
// with none or more than three, a NULL or missing title (Windows shows
// "Error" in its own language), MB_TASKMODAL, MB_NOFOCUS,
// MB_SETFOREGROUND, MB_TOPMOST, MB_RIGHT, MB_RTLREADING,
// MB_SERVICE_NOTIFICATION, MB_DEFAULT_DESKTOP_ONLY, MB_CANCELTRYCONTINUE,
// MB_USERICON and MB_DEFBUTTON4 by name, an unknown escape, a \x, \u or \U
// beyond a wide character or naming a surrogate, \0, a trigraph (??/ and
// the like: its meaning depends on the compiler), a raw string R"(...)",
// + that does not join a string object (pointer arithmetic), a value
// assigned in a branch, loop, #if/#ifdef branch or function, a variable
// any skipped statement names (a function may change an array or object),
// a local pointer or array declared without a value (its memory's content),
// a pointer or reference set from another variable (both may change
// through the other name), a #define of anything but a text, every value
// after a statement that names a macro of the text that calls, assigns or
// counts (or takes parameters), and a call inside #if, #ifdef or #ifndef.
// PowerShell is read as core/reader/powershellreader.h, powershelltext.h
// and powershellenums.h describe: [System.Windows.Forms.MessageBox]::Show
// (also [Windows.Forms.MessageBox], [MessageBox] after `using namespace
// System.Windows.Forms`, names in any letter case) with every overload and
// an owner first; enum arguments as [System.Windows.Forms.MessageBoxIcon]::Error,
// strings ('YesNo', a list 'A, B' for MessageBoxOptions), numbers, casts
// ([System.Windows.Forms.MessageBoxOptions]0) joined by -bor; texts in
// single and double quotes and here-strings, the typographic quotes read as
// PowerShell reads them (U+2018 to U+201B as ', U+201C to U+201E as "),
// backtick escapes, $var, ${var} and $([char]0x..) inside double quotes,
// [char]N, [Environment]::NewLine, [string]::Empty, joined by +; and
// WScript.Shell's Popup on New-Object -ComObject WScript.Shell (or a
// variable holding it), whose type is numbers joined by + or -bor and whose
// missing title is empty. As in C#, "SystemModal" comes back clear.
// Refused in PowerShell besides what the other languages refuse: WPF's
// [System.Windows.MessageBox], [MessageBox] without `using namespace`, a
// switch label [System.Windows.Forms.DialogResult]::Yes without parentheses
// (PowerShell takes it for a string that never matches), $( ) in a string
// other than $([char]N), a wait of Popup other than 0 and a test of Popup's
// answer against -1 (the window has no timeout), + after a number (it
// adds), an enum value of another enum or not given as above, and a value
// assigned in a scope the reader does not model ($script:msg = ...).
//
// What is understood:
// - Call forms: `MsgBox "Text"`, `MsgBox("Text")`, `MsgBox ("Text"), vbYesNo`,
//   `Call MsgBox(...)`, `x = MsgBox(...)` (also with `Let`), and a call inside
//   any expression (`If MsgBox(...) = vbYes Then`, `Select Case MsgBox(...)`),
//   also qualified as `VBA.MsgBox` or `VBA.Interaction.MsgBox`.
// - Arguments by position (empty ones in between count as missing) and by
//   name (`Prompt:=`, `Buttons:=`, `Title:=`, `HelpFile:=`, `Context:=`, any
//   order, after the positional ones). HelpFile and Context are checked for
//   balanced parentheses only and not evaluated.
// - Keywords and constants in any letter case, ` _` line continuations
//   (also at the end of a comment, which then continues), `'` and `Rem`
//   comments, `:` between statements, lines ended by CR LF, CR or LF, a
//   leading line number.
// - Buttons: the style constants vbOKOnly ... vbMsgBoxRtlReading, decimal,
//   `&H` and `&O` numbers (optionally with a trailing `&`; without it a value
//   up to &HFFFF is a 16-bit Integer, so &HFFFF is -1), constants the text
//   declares, `+` (binds tighter),
//   `Or`, parentheses. The value is split into icon (& 0x70), button set
//   (& 0x0F), default button (& 0xF00) and the two flags.
// - Prompt and title: string literals, numbers (as their decimal text),
//   vbCr, vbLf, vbCrLf, vbNewLine, vbTab, vbNullString, Chr/Chr$ of 9, 10,
//   13 and 32..126, ChrW/ChrW$ of any UTF-16 code unit but 0 (also of a
//   16-bit Integer below zero: ChrW(&HFF02)), joined by `&` or `+`, and
//   variables whose value
//   the text assigns before the call (`Msg = ...`, `Let Msg = ...`,
//   `Const Msg = ...`; a `Dim` of a String or untyped variable not yet
//   assigned gives it the empty text). Line breaks of the result are
//   normalised as the generators normalise them: CR LF, lone CR and lone LF
//   each become one CR LF.
//
// Statements before the call that are not understood are skipped. Variables
// keep a value only where the text shows it for sure: a value assigned inside
// a branch (also of Try and Catch, of #If), a loop, a procedure or a VB.NET
// lambda that has ended since, outside the procedure that reads it (a
// constant excepted), or assigned from something that cannot be evaluated,
// is unknown, and so is a variable that a skipped statement names (a
// procedure call may change an argument) or assigns as a member (Me.Msg,
// .Msg in With). A call of a procedure of the text, GoSub, Execute and a
// label or line number the text may jump to make every value unknown. The
// conditions of If, ElseIf, Select Case, Case and loops only read; a loop
// header assigns only its loop variable. A call inside a loop reads the
// values of the loop's first pass; a call inside #If is refused. A name the
// text declares is that declaration, also where a constant has its name
// (Const vbYesNo = 3). A number stays a number: + with one adds, which is
// not evaluated.
//
// The code style, where the text tells it:
// - the call in the condition of `If` or `ElseIf`: If Then Else;
// - the call as the selector of `Select Case`: Select Case;
// - `x = MsgBox(...)` alone in its statement: If Then Else when the next
//   statement is an `If` or `ElseIf` whose condition names x, Select Case
//   when it is a `Select Case` on x; otherwise VBS when x or a variable the
//   call reads is declared by `Dim` without `As`, otherwise einfach;
// - any other form (a plain statement, `Call`, a call inside another
//   expression): VBS when a variable the call reads is declared by `Dim`
//   without `As`, otherwise not told.
// So the button set "OK" leaves the style untold, except the script style's
// long message (`Dim Msg` without a type).
//
// Refused, with a German message that names the cause and its place: no
// call, a text over MaxSourceLength characters, an unterminated string, more
// than MaxNesting levels of parentheses, a buttons value the window cannot
// show (vbDefaultButton4, vbMsgBoxSetForeground, vbMsgBoxRight,
// vbMsgBoxRtlReading, a button set 6 or 7, an icon 80, 96 or 112), bits no
// constant names, an MB_ name LibreOffice Basic does not have, the help
// button when the resulting style (told by the text, else currentCodeStyle)
// is VBS, a prompt or title the text does not show,
// a value longer than MaxTextLength characters, a NUL character in a value
// (named at the NUL: no definition can hold one), and a text whose evaluation
// would copy more than a small multiple of its length (so no input takes more
// than linear time).
namespace veltrano {

struct ReadCall {
    // The message box the call describes. Its code style is the one the text
    // tells, else the current one; its default button is empty where the
    // call leaves it out (no default-button constant and no default-button
    // bits), as generated code leaves it out until one is chosen. The title
    // keeps its line breaks as CR LF; the window shows them as blanks. The
    // message is as the window holds it (line breaks CR LF): the generators
    // drop one final line break, so a prompt that ends in a line break gets
    // one more CR LF here, and the code generated from it shows the same
    // text.
    msgbox::Value value;
    bool styleTold = false; // whether the text tells the code style
};

struct ReadError {
    int line = 1;         // 1-based; CR LF, lone CR and lone LF end a line
    int column = 1;       // 1-based, in characters (code points)
    qsizetype offset = 0; // 0-based character offset into the source
    QString reason;       // German, without the position
    QString text;         // "Zeile <line>, Spalte <column>: <reason>"
};

using ReadResult = std::variant<ReadCall, ReadError>;

// Reads the first MsgBox call of source. currentCodeStyle is the style the
// window has selected; it decides whether the help button is refused when
// the text does not tell the style, and it is the style of the value then.
ReadResult readMsgBoxCall(QStringView source, msgbox::CodeStyle currentCodeStyle);

} // namespace veltrano
