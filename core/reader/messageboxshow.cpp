#include "core/reader/messageboxshow.h"

#include "core/msgboxtables.h"
#include "core/reader/powershellenums.h"

#include <QString>

#include <algorithm>
#include <array>
#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

namespace {

// The parameters of the overloads, after the owner.
enum Slot : int {
    TextSlot,
    CaptionSlot,
    ButtonsSlot,
    IconSlot,
    DefaultButtonSlot,
    OptionsSlot,
    HelpSlot, // displayHelpButton or helpFilePath
    KeywordSlot,
    ParamSlot,
    SlotCount
};

struct Range {
    int b;
    int e;
};

bool wordIs(const Tokens& t, int k, QStringView word, Case letterCase) {
    return letterCase == Case::Sensitive ? t.isExactWord(k, word) : t.isWord(k, word);
}

// The enum an argument names at its start: a member (MessageBoxIcon.Error)
// or a cast ((MessageBoxIcon)16), also as PowerShell's type literal
// ([MessageBoxIcon]::Error, [MessageBoxIcon]16).
std::optional<DotNetEnum> enumOfArgument(const Tokens& t, Range arg, Case letterCase) {
    int k = arg.b;
    if ((t.isSymbol(k, u'(') || t.isSymbol(k, u'[')) && arg.b + 1 < arg.e) {
        ++k;
    }
    if (!t.isName(k)) {
        return std::nullopt;
    }
    const QString dotted = t.dotted(k, t.dottedEnd(k));
    std::optional<DotNetEnum> type = dotNetEnumNamed(dotted, letterCase);
    if (!type) {
        type = dotNetEnumType(dotted, letterCase);
    }
    if (type == DotNetEnum::MsgBoxStyle) {
        return std::nullopt;
    }
    return type;
}

// Whether the first argument is the owner window by its form: this, Me,
// MyBase, null, Nothing, a name the text declares with the type of a window,
// or an owner the text does not declare (a parameter). A name the text
// declares as a text, and any other expression, is the message; a name it
// declares with another type is refused, as what it holds is not known.
Result<bool> ownerByForm(const Context& c, Range arg) {
    const Tokens& t = c.tokens;
    const int k = arg.b;
    if (!t.isName(k) || k + 1 != arg.e) {
        return false;
    }
    for (QStringView word : {u"this", u"Me", u"MyBase", u"null", u"Nothing"}) {
        if (t.isWord(k, word)) {
            return true;
        }
    }
    const int index = c.scope.find(t.name(k));
    if (index < 0 || !c.scope[index].declared) {
        return index < 0 && t.isWord(k, u"owner");
    }
    const Variable& v = c.scope[index];
    if (v.window) {
        return true;
    }
    if (v.fixedType) {
        return t.refuse(k, u"Ob %1 das Besitzerfenster oder der Meldungstext ist, ist "
                           u"unbekannt."_s.arg(shown(t.name(k))));
    }
    return false;
}

// Whether the help argument shows the help button: true or false, a help
// file given as a text literal or a variable the text declares as a text;
// anything else is refused, as its value is not known.
Result<bool> helpShown(const Context& c, Range arg, Case letterCase) {
    const Tokens& t = c.tokens;
    const bool single = arg.b + 1 == arg.e;
    if (single &&
        (wordIs(t, arg.b, u"true", letterCase) || wordIs(t, arg.b, u"false", letterCase))) {
        return wordIs(t, arg.b, u"true", letterCase);
    }
    if (t[arg.b].kind == Kind::String) {
        return true;
    }
    const int index = t.isName(arg.b) ? c.scope.find(t.name(arg.b)) : -1;
    if (index >= 0 && c.scope[index].declared && !c.scope[index].fixedType &&
        !t.isSymbol(arg.b + 1, u'.')) {
        return true;
    }
    return t.refuse(arg.b, u"Ob %1 die Hilfeschaltfläche zeigt, ist unbekannt."_s.arg(
                               shown(t.text(arg.b, arg.e - 1))));
}

// Where each enum stands without an owner.
int naturalSlot(DotNetEnum type) {
    switch (type) {
    case DotNetEnum::Buttons:
        return ButtonsSlot;
    case DotNetEnum::Icon:
        return IconSlot;
    case DotNetEnum::DefaultButton:
        return DefaultButtonSlot;
    default:
        return OptionsSlot;
    }
}

// Refuses an enum value MessageBox.Show does not take or the window cannot
// show.
Status checkEnum(const Tokens& t, const ButtonsValue& v, DotNetEnum type, int argToken) {
    const qint64 value = v.value;
    bool shown = false;   // the window shows it
    bool defined = false; // Windows Forms has it
    const bool fits = value == qint64(int(value));
    switch (type) {
    case DotNetEnum::Buttons:
        shown = fits && msgbox::buttonsOf(int(value)).has_value();
        for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets())
            defined |= !set.windowsForms.isEmpty() && int(set.buttons) == value;
        break;
    case DotNetEnum::Icon:
        shown = fits && msgbox::iconOf(int(value)).has_value();
        defined = shown;
        break;
    case DotNetEnum::DefaultButton:
        shown = fits && msgbox::defaultButtonOf(int(value)).has_value();
        for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons())
            defined |= !button.windowsForms.isEmpty() && button.value == value;
        break;
    default: {
        shown = value == 0;
        quint32 options = 0;
        for (const msgbox::FlagFacts& flag : msgbox::flags())
            options |= flag.windowsForms.isEmpty() ? 0 : quint32(flag.value);
        defined = (quint32(value) & ~options) == 0;
        break;
    }
    }
    if (shown) {
        return done();
    }
    for (const Piece& piece : v.pieces) {
        if (piece.constant && piece.value != 0 &&
            (piece.value == value || type == DotNetEnum::Options)) {
            return t.refuse(piece.token,
                            u"%1 kann das Fenster nicht darstellen."_s.arg(piece.constant->name));
        }
    }
    const int place = v.pieces.empty() ? argToken : v.pieces.front().token;
    if (defined) {
        return t.refuse(place,
                        u"Den Wert %1 von %2 kann das Fenster nicht darstellen."_s.arg(value).arg(
                            dotNetEnumName(type)));
    }
    return t.refuse(place,
                    u"Den Wert %1 gibt es bei %2 nicht."_s.arg(value).arg(dotNetEnumName(type)));
}

// The parameters by name, in their order after the owner.
constexpr QStringView ParameterNames[][2] = {
    {u"text", u"text"},
    {u"caption", u"caption"},
    {u"buttons", u"buttons"},
    {u"icon", u"icon"},
    {u"defaultButton", u"defaultButton"},
    {u"options", u"options"},
    {u"displayHelpButton", u"helpFilePath"},
    {u"keyword", u"navigator"},
    {u"param", u"param"},
};

// Puts the named arguments (name: value, name:=value) after the positional
// ones at the places of their parameters; whether an owner comes first.
// An overload takes its parameters without gaps, so named arguments that
// leave one are no form of MessageBox.Show.
Result<bool> placeNamed(const Tokens& t, const std::vector<Range>& named, std::vector<Range>& args,
                        Case letterCase) {
    const Failure noForm = t.refuse(
        named.front().b, u"Eine Form von MessageBox.Show mit diesen Argumenten gibt es nicht."_s);
    bool owner = false;
    for (const Range& arg : named) {
        owner = owner || wordIs(t, arg.b, u"owner", letterCase);
    }
    std::vector<Range> placed(std::size_t(SlotCount) + 1, Range{-1, -1});
    if ((owner && !args.empty()) || args.size() > placed.size()) {
        return noForm;
    }
    std::copy(args.begin(), args.end(), placed.begin());
    for (const Range& arg : named) {
        std::size_t at = 0;
        if (!wordIs(t, arg.b, u"owner", letterCase)) {
            int slot = 0;
            while (slot < SlotCount && !wordIs(t, arg.b, ParameterNames[slot][0], letterCase) &&
                   !wordIs(t, arg.b, ParameterNames[slot][1], letterCase)) {
                ++slot;
            }
            if (slot == SlotCount) {
                return t.refuse(
                    arg.b, u"MessageBox.Show hat keinen Parameter %1."_s.arg(shown(t.text(arg.b))));
            }
            at = std::size_t(slot) + (owner ? 1 : 0);
        }
        if (placed[at].b >= 0) {
            return noForm;
        }
        placed[at] = {arg.b + 2, arg.e};
    }
    args.clear();
    for (const Range& range : placed) {
        if (range.b < 0) {
            break;
        }
        args.push_back(range);
    }
    for (std::size_t j = args.size(); j < placed.size(); ++j) {
        if (placed[j].b >= 0) {
            return noForm; // a gap: no overload takes these
        }
    }
    return owner;
}

} // namespace

std::optional<ShowCall> showCallAt(const Tokens& t, int b, int k, Case letterCase) {
    if (!isMessageBoxWord(t, k, letterCase) || !t.isSymbol(k + 1, u'.') ||
        !wordIs(t, k + 2, u"Show", letterCase)) {
        return std::nullopt;
    }
    int start = k;
    while (start - 2 >= b && t.isSymbol(start - 1, u'.') && t.isName(start - 2) &&
           t[start - 2].ch == 0) {
        start -= 2;
    }
    if (start - 1 >= b && (t.isSymbol(start - 1, u'.') || t.isSymbol(start - 1, u'!'))) {
        return std::nullopt;
    }
    const QString ns = start < k ? t.dotted(start, k - 2) : QString();
    const std::optional<MessageBoxClass> home = messageBoxIn(ns, letterCase);
    if (!home) {
        return std::nullopt;
    }
    return ShowCall{start, k + 2, *home == MessageBoxClass::Wpf};
}

Result<CallValues> readShowArguments(Context& c, const ShowCall& call) {
    const Tokens& t = c.tokens;
    const Case letterCase =
        c.language == lang::Language::CSharp ? Case::Sensitive : Case::Insensitive;
    if (call.wpf) {
        return t.refuse(call.start, u"System.Windows.MessageBox ist die MessageBox von WPF; "
                                    u"gelesen wird die von Windows Forms."_s);
    }
    const int open = call.name + 1;
    const int close = t.isSymbol(open, u'(') ? t[open].partner : -1;
    if (!t.isSymbol(open, u'(')) {
        return t.refuse(call.name, u"Nach MessageBox.Show fehlen die Argumente in Klammern."_s);
    }
    if (close < open) {
        return t.refuse(open, u"Die Klammer wird nicht geschlossen."_s);
    }

    std::vector<Range> args;
    std::vector<Range> named; // from the parameter's name
    for (int k = open + 1; k < close;) {
        const int end = t.topLevelComma(k, close);
        if (end == k) {
            return t.refuse(k, u"Hier fehlt ein Argument."_s);
        }
        if (t.isName(k) && t[k + 1].kind == Kind::NamedArg) {
            named.push_back({k, end});
        } else if (!named.empty()) {
            return t.refuse(k, u"Nach benannten Argumenten fehlt hier der Name."_s);
        } else {
            args.push_back({k, end});
        }
        if (end == close) {
            break;
        }
        k = end + 1;
        if (k == close) {
            return t.refuse(end, u"Nach dem Komma fehlt ein Argument."_s);
        }
    }
    bool owner = false;
    if (!named.empty()) {
        Result<bool> byName = placeNamed(t, named, args, letterCase);
        if (!byName) {
            return std::move(byName).failure();
        }
        owner = *byName;
    }
    if (args.empty()) {
        return t.refuse(call.name, u"Der Meldungstext fehlt."_s);
    }

    // The owner window, told by where the first enum argument stands, else
    // by the first argument's form.
    const auto firstEnum = std::find_if(args.begin(), args.end(), [&](const Range& arg) {
        return enumOfArgument(t, arg, letterCase).has_value();
    });
    if (!named.empty()) {
        // told by the names
    } else if (firstEnum != args.end()) {
        owner =
            firstEnum - args.begin() == naturalSlot(*enumOfArgument(t, *firstEnum, letterCase)) + 1;
    } else if (args.size() >= 2) {
        Result<bool> byForm = ownerByForm(c, args.front());
        if (!byForm) {
            return std::move(byForm).failure();
        }
        owner = *byForm;
    }
    const std::size_t first = owner ? 1 : 0;
    if (args.size() - first > std::size_t(SlotCount) || args.size() == first) {
        return t.refuse(args.size() == first ? call.name : args[first + SlotCount].b,
                        u"Eine Form von MessageBox.Show mit diesen Argumenten gibt es nicht."_s);
    }

    CallValues values;
    values.promptPlace = t.offset(args[first].b);
    values.titlePlace = t.offset(args.size() > first + 1 ? args[first + 1].b : call.name);
    qint64 buttons = 0;
    qint64 icon = 0;
    qint64 defaultButton = 0;
    bool help = false;
    int helpSlotToken = -1;
    for (std::size_t i = first; i < args.size(); ++i) {
        const Range arg = args[i];
        const int slot = int(i - first);
        switch (slot) {
        case TextSlot:
        case CaptionSlot: {
            Reading& r = slot == TextSlot ? values.prompt : values.title;
            const bool none = arg.b + 1 == arg.e && (wordIs(t, arg.b, u"null", letterCase) ||
                                                     t.isWord(arg.b, u"Nothing"));
            if (!none) {
                if (Status s = c.evalText(c, arg.b, arg.e, r); !s) {
                    return std::move(s).failure();
                }
            }
            break;
        }
        case ButtonsSlot:
        case IconSlot:
        case DefaultButtonSlot:
        case OptionsSlot: {
            static constexpr std::array<DotNetEnum, 4> types{DotNetEnum::Buttons, DotNetEnum::Icon,
                                                             DotNetEnum::DefaultButton,
                                                             DotNetEnum::Options};
            const DotNetEnum type = types[std::size_t(slot - ButtonsSlot)];
            Result<ButtonsValue> value = c.language == lang::Language::PowerShell
                                             ? evalPowerShellEnum(t, arg.b, arg.e, type)
                                             : evalEnumArgument(t, arg.b, arg.e, c.language, type);
            if (!value) {
                return std::move(value).failure();
            }
            if (Status s = checkEnum(t, *value, type, arg.b); !s) {
                return std::move(s).failure();
            }
            if (slot == ButtonsSlot) {
                buttons = value->value;
            } else if (slot == IconSlot) {
                icon = value->value;
            } else if (slot == DefaultButtonSlot) {
                defaultButton = value->value;
                // Button1 is the argument's default, which code writes
                // only where a later argument needs it: it chooses nothing.
                values.defaultButtonNamed = defaultButton != 0;
            }
            break;
        }
        case HelpSlot: {
            const bool yes = arg.b + 1 == arg.e && wordIs(t, arg.b, u"true", letterCase);
            const bool no = arg.b + 1 == arg.e && wordIs(t, arg.b, u"false", letterCase);
            if ((yes || no) && owner) {
                return t.refuse(arg.b, u"Mit einem Besitzerfenster hat MessageBox.Show kein "
                                       u"Argument displayHelpButton."_s);
            }
            if ((yes || no) && i + 1 < args.size()) {
                return t.refuse(args[i + 1].b, u"Eine Form von MessageBox.Show mit diesen "
                                               u"Argumenten gibt es nicht."_s);
            }
            // A help file shows the help button too.
            Result<bool> helpOn = helpShown(c, arg, letterCase);
            if (!helpOn) {
                return std::move(helpOn).failure();
            }
            help = *helpOn;
            helpSlotToken = arg.b;
            break;
        }
        default:
            break; // keyword, navigator, param: accepted as they are
        }
    }
    values.value = buttons | icon | defaultButton | quint32(msgbox::flagBits(false, help));
    if (help) {
        values.helpRefused = t.refuse(
            helpSlotToken, u"Im Stil VBS gibt es keine Hilfeschaltfläche (%1)."_s.arg(
                               shown(t.text(helpSlotToken, args[first + HelpSlot].e - 1))));
    }
    return values;
}

} // namespace veltrano::reader
