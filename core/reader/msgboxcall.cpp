#include "core/reader/msgboxcall.h"

#include "core/msgboxstyle.h"
#include "core/optiontables.h"
#include "core/reader/arguments.h"
#include "core/reader/basicbuttons.h"
#include "core/reader/basictext.h"
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

// The code style the text tells, or nothing:
// - the call in the condition of If or ElseIf: If Then Else;
// - the call as the selector of Select Case: Select Case;
// - `x = MsgBox(...)` alone in its statement: If Then Else or Select Case
//   when the next statement tests x so; otherwise VBS when x or a variable
//   the call reads is declared by Dim without As, otherwise einfach;
// - any other form: VBS when a variable the call reads is declared by Dim
//   without As, otherwise not told.
std::optional<int> toldStyle(const Context& c, int b, int e, Call call, int after, Place place,
                             bool readsUntyped) {
    const Tokens& t = c.tokens;
    if (place == Place::Condition) {
        return options::IfThenElse;
    }
    if (place == Place::Selector) {
        return options::SelectCase;
    }
    const int k = t.isWord(b, u"Let") ? b + 1 : b;
    const bool answer = t.isName(k) && t.isSymbol(k + 1, u'=') && call.start == k + 2 && after == e;
    if (answer) {
        if (nextStatementTests(t, e, k)) {
            int j = e;
            while (t.isEnd(j) && j + 1 < t.size()) {
                ++j;
            }
            return t.isWord(j, u"Select") ? options::SelectCase : options::IfThenElse;
        }
        const int index = c.scope.find(t.name(k));
        const bool untyped = index >= 0 && c.scope[index].untyped;
        return (untyped || readsUntyped) ? options::Vbs : options::Einfach;
    }
    if (readsUntyped) {
        return options::Vbs;
    }
    return std::nullopt;
}

} // namespace

std::optional<Call> findMsgBoxCall(const Tokens& t, int b, int e) {
    for (int k = b; k < e; ++k) {
        if (!t.isWord(k, u"MsgBox") || t.isSymbol(k + 1, u'.')) {
            continue;
        }
        int start = k;
        while (start - 2 >= b && t.isSymbol(start - 1, u'.') &&
               (t.isWord(start - 2, u"VBA") || t.isWord(start - 2, u"Interaction"))) {
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
                            int currentCodeStyle) {
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
    if (!statementForm || viaCall) {
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
    Reading prompt;
    prompt.label = u"Der Meldungstext"_s;
    Reading title;
    title.label = u"Der Titel"_s;
    ButtonsValue buttons;
    for (const int slot : order) {
        const Argument& arg = args[std::size_t(slot)];
        if (!arg.given()) {
            continue;
        }
        if (slot == PromptArg || slot == TitleArg) {
            if (Status s = evalBasicText(c, arg.b, arg.e, slot == PromptArg ? prompt : title); !s) {
                return std::move(s).failure();
            }
        }
        if (slot == ButtonsArg) {
            Result<ButtonsValue> value = evalBasicButtons(t, arg.b, arg.e);
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

    ReadCall result;
    result.codeStyle = toldStyle(c, b, e, call, after, place, prompt.untyped || title.untyped);
    const int style = result.codeStyle.value_or(currentCodeStyle);
    if ((buttons.value & vb::vbMsgBoxHelpButton) && style == options::Vbs) {
        return helpButtonRefused(t, buttons, args[ButtonsArg].b);
    }

    Result<QString> message =
        normalised(prompt.out, prompt.label, t.offset(args[PromptArg].b), c.budget);
    if (!message) {
        return std::move(message).failure();
    }
    result.message = std::move(*message);
    // The generators drop one final line break; one more keeps it shown.
    if (result.message.endsWith(u"\r\n")) {
        result.message += u"\r\n";
    }
    const int titlePlace = args[TitleArg].given() ? args[TitleArg].b : call.name;
    Result<QString> titleText = normalised(title.out, title.label, t.offset(titlePlace), c.budget);
    if (!titleText) {
        return std::move(titleText).failure();
    }
    result.title = std::move(*titleText);
    result.icon = int(buttons.value & vb::IconMask);
    result.buttons = int(buttons.value & vb::ButtonSetMask);
    result.defaultButton = int(buttons.value & vb::DefaultButtonMask);
    result.systemModal = (buttons.value & vb::vbSystemModal) != 0;
    result.helpButton = (buttons.value & vb::vbMsgBoxHelpButton) != 0;
    result.defaultButtonChosen = result.defaultButton != 0 || buttons.namesDefaultButton();
    return result;
}

} // namespace veltrano::reader
