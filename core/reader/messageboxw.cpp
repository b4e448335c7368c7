#include "core/reader/messageboxw.h"

#include "core/msgboxtables.h"
#include "core/reader/arguments.h"
#include "core/reader/buttonscheck.h"
#include "core/reader/clexer.h"
#include "core/reader/ctext.h"

#include <QString>

#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

constexpr QStringView CallNames[] = {u"MessageBox",   u"MessageBoxW",   u"MessageBoxA",
                                     u"MessageBoxEx", u"MessageBoxExW", u"MessageBoxExA",
                                     u"AfxMessageBox"};

// Words after which a name starts a call, not a declaration.
constexpr QStringView CallAfter[] = {u"return", u"case", u"else", u"do", u"throw", u"co_return"};

// The integer types a style may be cast to.
constexpr QStringView CastTypes[] = {u"UINT", u"unsigned", u"DWORD", u"int", u"LONG"};

// Further names of icons the tables write under another name.
constexpr struct {
    QStringView name;
    int value;
} IconAliases[] = {
    {u"MB_ICONERROR", 16}, {u"MB_ICONHAND", 16}, {u"MB_ICONWARNING", 48}, {u"MB_ICONASTERISK", 64}};

// Constants of <winuser.h> beyond the tables, none of which the window can
// show.
constexpr struct {
    QStringView name;
    int value;
} Unshown[] = {{u"MB_TASKMODAL", 0x2000},
               {u"MB_NOFOCUS", 0x8000},
               {u"MB_TOPMOST", 0x40000},
               {u"MB_USERICON", 0x80},
               {u"MB_CANCELTRYCONTINUE", 6}};

struct WindowsConstant {
    StyleConstant constant;
    bool shown; // the window can show it
};

std::vector<WindowsConstant> makeConstants() {
    std::vector<WindowsConstant> constants;
    const auto add = [&](QStringView name, int value, Family family, bool shown) {
        if (!name.isEmpty())
            constants.push_back({{name, value, family}, shown});
    };
    for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets())
        add(set.windows, int(set.buttons), Family::ButtonSet, set.isOffered());
    for (const msgbox::IconFacts& icon : msgbox::icons())
        add(icon.windows, int(icon.icon), Family::Icon, true);
    for (const auto& alias : IconAliases)
        add(alias.name, alias.value, Family::Icon, true);
    for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons())
        add(button.windows, button.value, Family::DefaultButton, button.isOffered());
    for (const msgbox::FlagFacts& flag : msgbox::flags())
        add(flag.windows, flag.value, Family::Flag, flag.offered || flag.value == 0);
    for (const auto& unshown : Unshown)
        add(unshown.name, unshown.value, Family::Flag, false);
    return constants;
}

const WindowsConstant* findConstant(QStringView name) {
    static const std::vector<WindowsConstant> constants = makeConstants();
    for (const WindowsConstant& constant : constants) {
        if (constant.constant.name == name) {
            return &constant;
        }
    }
    return nullptr;
}

// The style argument: primary { + primary } { | ... }, in 32 bits.
class Style {
public:
    explicit Style(const Context& c) : c(c), t(c.tokens) {}

    Status either(int& k, int e, quint32& value) {
        if (Status s = chain<&Style::sum>(k, e, value, u'|'); !s) {
            return s;
        }
        if (k < e) {
            return t.notUnderstood(k);
        }
        return done();
    }

    ButtonsValue result;

private:
    // Operands joined by `op` ('|' or '+'; a doubled one ends the chain),
    // combined from the left.
    template <Status (Style::*operand)(int&, int, quint32&)>
    Status chain(int& k, int e, quint32& value, char16_t op) {
        if (Status s = (this->*operand)(k, e, value); !s) {
            return s;
        }
        while (k < e && t.isSymbol(k, op) && !t.isSymbols(k, op, op)) {
            ++k;
            quint32 right = 0;
            if (Status s = (this->*operand)(k, e, right); !s) {
                return s;
            }
            value = op == u'|' ? value | right : value + right;
        }
        return done();
    }

    Status sum(int& k, int e, quint32& value) { return chain<&Style::primary>(k, e, value, u'+'); }

    Status primary(int& k, int e, quint32& value) {
        // Casts to an integer type, (UINT)MB_OK, change nothing.
        while (k + 3 < e && t.isSymbol(k, u'(') && t[k].partner == k + 2 &&
               t.isAnyExactWord(k + 1, CastTypes)) {
            k += 3;
        }
        if (k >= e) {
            return t.notUnderstood(k);
        }
        if (t.isSymbol(k, u'(')) {
            const int close = t[k].partner;
            if (close < 0 || close >= e || close == k + 1) {
                return t.notUnderstood(k);
            }
            int inner = k + 1;
            if (Status s = either(inner, close, value); !s) {
                return s;
            }
            k = close + 1;
            return done();
        }
        if (t[k].kind == Kind::Number) {
            const Result<qint64> number = cNumberValue(t, k);
            if (!number) {
                return number.failure();
            }
            value = quint32(*number);
            result.pieces.push_back({k, qint64(value), nullptr});
            ++k;
            return done();
        }
        if (!t.isName(k)) {
            return t.notUnderstood(k);
        }
        const WindowsConstant* constant = findConstant(t.name(k));
        if (!constant) {
            if (c.scope.find(t.name(k)) >= 0) {
                return t.refuse(
                    k, u"Der Wert von %1 wird als Stil nicht ausgewertet."_s.arg(shown(t.name(k))));
            }
            return t.refuse(k, u"%1 ist keine Konstante des Stils (MB_…)."_s.arg(shown(t.name(k))));
        }
        if (!constant->shown) {
            return t.refuse(
                k, u"%1 kann das Fenster nicht darstellen."_s.arg(constant->constant.name));
        }
        value = quint32(constant->constant.value);
        result.pieces.push_back({k, qint64(value), &constant->constant});
        ++k;
        return done();
    }

    const Context& c;
    const Tokens& t;
};

} // namespace

bool isWindowsCallName(const Tokens& t, int k) {
    const Token& token = t[k];
    return token.kind == Kind::Name && token.length >= 10 && token.length <= 13 &&
           t.isAnyExactWord(k, CallNames);
}

std::optional<ShowCall> findWindowsCall(const Tokens& t, int b, int e) {
    for (int k = b; k < e; ++k) {
        if (!isWindowsCallName(t, k) || !t.isSymbol(k + 1, u'(')) {
            continue;
        }
        // Back over the object of a member (this->, dlg., p->) and the
        // qualifiers (::, CWnd::).
        int start = k;
        for (;;) {
            if (start - 2 >= b && t.isSymbols(start - 2, u':', u':')) {
                start -= 2;
            } else if (start - 2 >= b && t.isSymbols(start - 2, u'-', u'>')) {
                start -= 2;
            } else if (start - 1 >= b && t.isSymbol(start - 1, u'.')) {
                start -= 1;
            } else {
                break;
            }
            if (start - 1 >= b && t.isName(start - 1) && !t.isAnyExactWord(start - 1, CallAfter)) {
                --start;
            } else {
                break;
            }
        }
        // A name before it declares it (int WINAPI MessageBoxW(...)).
        if (start - 1 >= b && t.isName(start - 1) && !t.isAnyExactWord(start - 1, CallAfter)) {
            continue;
        }
        return ShowCall{start, k, false};
    }
    return std::nullopt;
}

Result<CallValues> readWindowsArguments(Context& c, const ShowCall& call) {
    const Tokens& t = c.tokens;
    const QStringView name = t.name(call.name);
    if (name == u"AfxMessageBox") {
        return t.refuse(call.name,
                        u"AfxMessageBox wird nicht gelesen: seinen Titel nimmt es aus der "
                        u"Anwendung. Gelesen werden MessageBoxW, MessageBoxA und MessageBox."_s);
    }
    const Result<std::vector<Argument>> split = splitArguments(t, call.name + 1);
    if (!split) {
        return split.failure();
    }
    const std::vector<Argument>& args = *split;
    // The member of a window: qualified by a class or called on an object.
    const bool global = call.start == call.name - 2;
    const bool member = call.start < call.name && !global;
    const bool ex = name.startsWith(u"MessageBoxEx");
    const bool mfc = name == u"MessageBox" && !global && (member || args.size() < 4);
    const std::size_t wanted = ex ? 5 : 4;
    if (mfc ? args.empty() || args.size() > 3 : args.size() != wanted) {
        return t.refuse(call.name,
                        mfc ? u"%1 eines Fensters hat ein bis drei Argumente: Text, Titel und "
                              u"Stil."_s.arg(name)
                        : ex ? u"%1 hat fünf Argumente: Besitzerfenster, Text, Titel, Stil und "
                               u"Sprache."_s.arg(name)
                             : u"%1 hat vier Argumente: Besitzerfenster, Text, Titel und "
                               u"Stil."_s.arg(name));
    }
    const std::size_t first = mfc ? 0 : 1;
    CallValues values;
    const Argument text = args[first];
    values.promptPlace = t.offset(text.b);
    if (!isNullPointer(t, text.b, text.e)) {
        if (Status s = c.evalText(c, text.b, text.e, values.prompt); !s) {
            return std::move(s).failure();
        }
    }
    if (args.size() <= first + 1 || isNullPointer(t, args[first + 1].b, args[first + 1].e)) {
        const int at = args.size() <= first + 1 ? call.name : args[first + 1].b;
        return t.refuse(at, u"Ohne Titel zeigt Windows „Fehler“ in der Sprache des Systems; "
                            u"der Titel steht nicht im Text."_s);
    }
    const Argument caption = args[first + 1];
    values.titlePlace = t.offset(caption.b);
    if (Status s = c.evalText(c, caption.b, caption.e, values.title); !s) {
        return std::move(s).failure();
    }
    if (!values.prompt.text || !values.title.text) {
        const Argument notText = values.prompt.text ? caption : text;
        return t.refuse(notText.b,
                        u"%1 ist kein Text."_s.arg(shown(t.text(notText.b, notText.e - 1))));
    }
    if (args.size() <= first + 2) {
        return values; // MB_OK
    }
    const Argument style = args[first + 2];
    Style evaluation(c);
    quint32 value = 0;
    int k = style.b;
    if (Status s = evaluation.either(k, style.e, value); !s) {
        return std::move(s).failure();
    }
    evaluation.result.value = qint64(value);
    if (Status s = checkButtons(t, evaluation.result, style.b); !s) {
        return std::move(s).failure();
    }
    values.value = value;
    values.defaultButtonNamed = evaluation.result.namesDefaultButton();
    if (value & msgbox::HelpButtonFlag) {
        values.helpRefused = helpButtonRefused(t, evaluation.result, style.b);
    }
    return values;
}

} // namespace veltrano::reader
