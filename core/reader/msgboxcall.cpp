#include "core/reader/msgboxcall.h"

#include "core/msgbox.h"

#include "core/reader/arguments.h"
#include "core/reader/basiclexer.h"
#include "core/reader/buttonsexpression.h"
#include "core/reader/callvalues.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/popupcall.h"
#include "core/reader/textvalue.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <span>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// What an argument gives the message box.
enum class Role : std::uint8_t { Prompt, Buttons, Title, Wait, Kept };

// A function's parameters by position, with the role of each.
struct Form {
    Signature signature;
    std::span<const Role> roles;

    int slot(Role role) const {
        return int(std::find(roles.begin(), roles.end(), role) - roles.begin());
    }
};

constexpr QStringView MsgBoxParameters[] = {u"Prompt", u"Buttons", u"Title", u"HelpFile",
                                            u"Context"};
constexpr Role MsgBoxRoles[] = {Role::Prompt, Role::Buttons, Role::Title, Role::Kept, Role::Kept};
const Form MsgBoxForm{{u"MsgBox", MsgBoxParameters, u"MsgBox hat höchstens fünf Argumente."},
                      MsgBoxRoles};

// WScript.Shell's Popup, its parameters as the object names them to
// late-bound calls.
constexpr QStringView PopupParameters[] = {u"Text", u"SecondsToWait", u"Title", u"Type"};
constexpr Role PopupRoles[] = {Role::Prompt, Role::Wait, Role::Title, Role::Buttons};
const Form PopupForm{{u"Popup", PopupParameters, u"Popup hat höchstens vier Argumente."},
                     PopupRoles};

// The first token of the statement after the one that ends at e.
int nextStatement(const Tokens& t, int e) {
    int j = e;
    while (t.isEnd(j) && j + 1 < t.size()) {
        ++j;
    }
    return j;
}

// Whether the statement after e is an If or ElseIf whose condition names the
// variable at token `answer`, or a Select Case on it.
bool nextStatementTests(const Tokens& t, int e, int answer) {
    const int j = nextStatement(t, e);
    int from = -1;
    if (t.isWord(j, u"If") || t.isWord(j, u"ElseIf")) {
        from = j + 1;
    } else if (t.isWord(j, u"Select") && t.isWord(j + 1, u"Case")) {
        from = j + 2;
    } else {
        return false;
    }
    const QStringView name = t.name(answer);
    for (int k = from; !t.isEnd(k) && !t.isWord(k, u"Then"); ++k) {
        if (t.isName(k) && !t.isSymbol(k - 1, u'.') &&
            t.name(k).compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The variable the call's value is assigned to when the call is the whole
// value of the statement (x = MsgBox(...), Let x = ..., in VB.NET also
// Dim x As MsgBoxResult = ...), or -1.
int answerVariable(const Tokens& t, int b, int e, Call call, int after) {
    if (after != e || call.start - 1 <= b || !t.isSymbol(call.start - 1, u'=')) {
        return -1;
    }
    const int k = t.isWord(b, u"Let") ? b + 1 : b;
    if (t.isName(k) && call.start == k + 2) {
        return k;
    }
    const Keyword keyword = keywordAt(t, b);
    if (keyword != Keyword::Dim && keyword != Keyword::Modifier) {
        return -1;
    }
    // The declarator the call ends: after the last comma before it.
    int d = b + 1;
    while (keywordAt(t, d) == Keyword::Modifier || keywordAt(t, d) == Keyword::Dim) {
        ++d;
    }
    for (int j = d; j < call.start; j = t.topLevelComma(j, call.start) + 1) {
        d = j;
    }
    if (t.isName(d) && (d + 2 == call.start || t.isWord(d + 1, u"As"))) {
        return d;
    }
    return -1;
}

// The code style the text tells, or nothing:
// - the call in the condition of If or ElseIf: If Then Else;
// - the call as the selector of Select Case: Select Case;
// - the call as the whole value of an assignment or declaration: If Then
//   Else or Select Case when the next statement tests the variable so;
//   otherwise VBS when it or a variable the call reads is declared by Dim
//   without As (not in VB.NET), otherwise einfach;
// - any other form: VBS when a variable the call reads is declared by Dim
//   without As (not in VB.NET), otherwise not told.
std::optional<msgbox::CodeStyle> toldStyle(const Context& c, int b, int e, Call call, int after,
                                           Place place, bool readsUntyped) {
    const Tokens& t = c.tokens;
    if (place == Place::Condition) {
        return msgbox::CodeStyle::IfThenElse;
    }
    if (place == Place::Selector) {
        return msgbox::CodeStyle::SelectCase;
    }
    const bool script = c.language == Language::Basic;
    const int k = answerVariable(t, b, e, call, after);
    if (k >= 0) {
        if (nextStatementTests(t, e, k)) {
            const int j = nextStatement(t, e);
            return t.isWord(j, u"Select") ? msgbox::CodeStyle::SelectCase
                                          : msgbox::CodeStyle::IfThenElse;
        }
        const int index = c.scope.find(t.name(k));
        const bool untyped = index >= 0 && c.scope[index].untyped;
        return script && (untyped || readsUntyped) ? msgbox::CodeStyle::Vbs
                                                   : msgbox::CodeStyle::Einfach;
    }
    if (script && readsUntyped) {
        return msgbox::CodeStyle::Vbs;
    }
    return std::nullopt;
}

// The values of a MsgBox or Popup call whose arguments are in tokens
// [argB, argE). A missing buttons argument is 0, a missing title empty.
Result<CallValues> msgBoxArguments(Context& c, Call call, int argB, int argE) {
    const Tokens& t = c.tokens;
    const Form& form = call.popup ? PopupForm : MsgBoxForm;
    Result<std::vector<Argument>> bound = bindArguments(t, argB, argE, form.signature);
    if (!bound) {
        return std::move(bound).failure();
    }
    const std::vector<Argument>& args = *bound;
    const Argument& prompt = args[std::size_t(form.slot(Role::Prompt))];
    const Argument& title = args[std::size_t(form.slot(Role::Title))];
    const Argument& buttonsArg = args[std::size_t(form.slot(Role::Buttons))];
    if (!prompt.given()) {
        return t.refuse(call.name, u"Der Meldungstext fehlt."_s);
    }

    // The arguments in the order of the text, so that the first fault is
    // reported first.
    std::vector<std::size_t> order(args.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(),
              [&](std::size_t x, std::size_t y) { return args[x].b < args[y].b; });
    CallValues values;
    ButtonsValue buttons;
    for (const std::size_t slot : order) {
        const Argument& arg = args[slot];
        const Role role = form.roles[slot];
        if (!arg.given()) {
            continue;
        }
        if (role == Role::Prompt || role == Role::Title) {
            if (Status s = c.evalText(c, arg.b, arg.e,
                                      role == Role::Prompt ? values.prompt : values.title);
                !s) {
                return std::move(s).failure();
            }
        }
        if (role == Role::Wait) {
            if (Status s = checkWait(c, arg.b, arg.e); !s) {
                return std::move(s).failure();
            }
        }
        if (role == Role::Buttons) {
            Result<ButtonsValue> value = evalBasicButtons(c, arg.b, arg.e);
            if (!value) {
                return std::move(value).failure();
            }
            buttons = std::move(*value);
            if (Status s = checkButtons(t, buttons, arg.b); !s) {
                return std::move(s).failure();
            }
        }
        // HelpFile and Context: accepted as they are.
    }
    values.promptPlace = t.offset(prompt.b);
    values.titlePlace = t.offset(title.given() ? title.b : call.name);
    values.value = buttons.value;
    values.defaultButtonNamed = buttons.namesDefaultButton();
    if (buttons.value & msgbox::HelpButtonFlag) {
        values.helpRefused = helpButtonRefused(t, buttons, buttonsArg.b);
    }
    return values;
}

} // namespace

std::optional<Call> findMsgBoxCall(const Tokens& t, int b, int e) {
    for (int k = b; k < e; ++k) {
        if (isMessageBoxWord(t, k, Case::Insensitive)) {
            if (const std::optional<ShowCall> show = showCallAt(t, b, k, Case::Insensitive)) {
                return Call{show->start, show->name, true, show->wpf};
            }
        }
        if (t.isWord(k, u"Popup")) {
            if (const std::optional<Call> popup = popupCallAt(t, b, k)) {
                return popup;
            }
        }
        if (!t.isWord(k, u"MsgBox") || t.isSymbol(k + 1, u'.')) {
            continue;
        }
        int start = k;
        while (start - 2 >= b && t.isSymbol(start - 1, u'.') &&
               (t.isWord(start - 2, u"VBA") || t.isWord(start - 2, u"Interaction") ||
                t.isWord(start - 2, u"VisualBasic") || t.isWord(start - 2, u"Microsoft"))) {
            start -= 2;
        }
        if (start - 1 >= b && (t.isSymbol(start - 1, u'.') || t.isSymbol(start - 1, u'!'))) {
            continue;
        }
        return Call{start, k};
    }
    return std::nullopt;
}

Result<ReadCall> readCallAt(Context& c, int b, int e, Call call, Place place,
                            msgbox::CodeStyle currentCodeStyle) {
    const Tokens& t = c.tokens;
    const int open = call.name + 1;
    const bool viaCall = t.isWord(b, u"Call") && call.start == b + 1;
    const bool statementForm = call.start == b || viaCall;
    const int close = t.isSymbol(open, u'(') ? t[open].partner : -1;
    const bool parenthesised = close > open && close < e;
    if (t.isSymbol(open, u'(') && !parenthesised) {
        return t.refuse(open, u"Die Klammer wird nicht geschlossen."_s);
    }

    int argB = 0;
    int argE = 0;
    int after = e;
    if (call.show) {
        // Always with parentheses, which readShowArguments checks.
        after = parenthesised ? close + 1 : e;
        if (viaCall && after != e) {
            return t.notUnderstood(after);
        }
    } else if (!statementForm || viaCall) {
        if (!parenthesised) {
            return t.refuse(call.name, u"Nach %1 fehlen die Argumente in Klammern."_s.arg(
                                           call.popup ? u"Popup" : u"MsgBox"));
        }
        argB = open + 1;
        argE = close;
        after = close + 1;
        if (viaCall && after != e) {
            return t.notUnderstood(after);
        }
    } else if (parenthesised && close + 1 == e) {
        // MsgBox("Text") and MsgBox("Text", vbYesNo) as statements.
        argB = open + 1;
        argE = close;
    } else {
        // MsgBox "Text", ... and MsgBox ("Text"), ...: the parentheses belong
        // to the first argument.
        argB = open;
        argE = e;
    }

    if (Status s = checkShellObject(c, call); !s) {
        return std::move(s).failure();
    }
    Result<CallValues> values = call.show ? readShowArguments(c, {call.start, call.name, call.wpf})
                                          : msgBoxArguments(c, call, argB, argE);
    if (!values) {
        return std::move(values).failure();
    }
    if (call.popup) {
        const int answer = answerVariable(t, b, e, call, after);
        const int next = answer >= 0 && nextStatementTests(t, e, answer) ? nextStatement(t, e) : -1;
        if (Status s = checkTimeoutTest(t, b, e, call.start, after, place, next); !s) {
            return std::move(s).failure();
        }
    }
    const std::optional<msgbox::CodeStyle> told =
        toldStyle(c, b, e, call, after, place, values->prompt.untyped || values->title.untyped);
    return finishCall(*values, told, currentCodeStyle, c.budget);
}

} // namespace veltrano::reader
