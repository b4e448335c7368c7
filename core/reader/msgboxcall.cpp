#include "core/reader/msgboxcall.h"

#include "core/msgbox.h"

#include "core/reader/arguments.h"
#include "core/reader/basiclexer.h"
#include "core/reader/buttonsexpression.h"
#include "core/reader/callvalues.h"
#include "core/reader/messageboxshow.h"
#include "core/reader/textvalue.h"

#include <QString>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// The parameters of MsgBox by position.
enum Parameter : int { PromptArg, ButtonsArg, TitleArg, HelpFileArg, ContextArg };

constexpr QStringView Parameters[] = {u"Prompt", u"Buttons", u"Title", u"HelpFile", u"Context"};

const Signature MsgBoxSignature{u"MsgBox", Parameters, u"MsgBox hat höchstens fünf Argumente."};

// Whether the statement after e is an If or ElseIf whose condition names the
// variable at token `answer`, or a Select Case on it.
bool nextStatementTests(const Tokens& t, int e, int answer) {
    int j = e;
    while (t.isEnd(j) && j + 1 < t.size()) {
        ++j;
    }
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
            int j = e;
            while (t.isEnd(j) && j + 1 < t.size()) {
                ++j;
            }
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

// The values of a MsgBox call whose arguments are in tokens [argB, argE).
Result<CallValues> msgBoxArguments(Context& c, Call call, int argB, int argE) {
    const Tokens& t = c.tokens;
    Result<std::vector<Argument>> bound = bindArguments(t, argB, argE, MsgBoxSignature);
    if (!bound) {
        return std::move(bound).failure();
    }
    const std::vector<Argument>& args = *bound;
    if (!args[PromptArg].given()) {
        return t.refuse(call.name, u"Der Meldungstext fehlt."_s);
    }

    // The arguments in the order of the text, so that the first fault is
    // reported first.
    std::array<int, std::size(Parameters)> order{PromptArg, ButtonsArg, TitleArg, HelpFileArg,
                                                 ContextArg};
    std::sort(order.begin(), order.end(),
              [&](int x, int y) { return args[std::size_t(x)].b < args[std::size_t(y)].b; });
    CallValues values;
    ButtonsValue buttons;
    for (const int slot : order) {
        const Argument& arg = args[std::size_t(slot)];
        if (!arg.given()) {
            continue;
        }
        if (slot == PromptArg || slot == TitleArg) {
            if (Status s =
                    c.evalText(c, arg.b, arg.e, slot == PromptArg ? values.prompt : values.title);
                !s) {
                return std::move(s).failure();
            }
        }
        if (slot == ButtonsArg) {
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
    values.promptPlace = t.offset(args[PromptArg].b);
    values.titlePlace = t.offset(args[TitleArg].given() ? args[TitleArg].b : call.name);
    values.value = buttons.value;
    values.defaultButtonNamed = buttons.namesDefaultButton();
    if (buttons.value & msgbox::HelpButtonFlag) {
        values.helpRefused = helpButtonRefused(t, buttons, args[ButtonsArg].b);
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
            return t.refuse(call.name, u"Nach MsgBox fehlen die Argumente in Klammern."_s);
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

    Result<CallValues> values = call.show ? readShowArguments(c, {call.start, call.name, call.wpf})
                                          : msgBoxArguments(c, call, argB, argE);
    if (!values) {
        return std::move(values).failure();
    }
    const std::optional<msgbox::CodeStyle> told =
        toldStyle(c, b, e, call, after, place, values->prompt.untyped || values->title.untyped);
    return finishCall(*values, told, currentCodeStyle, c.budget);
}

} // namespace veltrano::reader
