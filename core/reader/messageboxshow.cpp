#include "core/reader/messageboxshow.h"

#include "core/msgboxtables.h"

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
// or a cast ((MessageBoxIcon)16).
std::optional<DotNetEnum> enumOfArgument(const Tokens& t, Range arg, Case letterCase) {
    int k = arg.b;
    if (t.isSymbol(k, u'(') && arg.b + 1 < arg.e) {
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

// Whether the first argument is the owner window by its form.
bool ownerByForm(const Context& c, Range arg) {
    const Tokens& t = c.tokens;
    const int k = arg.b;
    if (!t.isName(k)) {
        return false;
    }
    for (QStringView word : {u"this", u"Me", u"MyBase", u"null", u"Nothing", u"owner"}) {
        if (t.isWord(k, word) && (k + 1 == arg.e || t.isSymbol(k + 1, u'.'))) {
            return k + 1 == arg.e || !t.isWord(k, u"null");
        }
    }
    if (k + 1 == arg.e) {
        const int index = c.scope.find(t.name(k));
        return index >= 0 && c.scope[index].fixedType;
    }
    return false;
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

Result<CallValues> readShowArguments(Context& c, const ShowCall& call, ButtonsSyntax syntax) {
    const Tokens& t = c.tokens;
    const Case letterCase = syntax == ButtonsSyntax::CSharp ? Case::Sensitive : Case::Insensitive;
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
    for (int k = open + 1; k < close;) {
        const int end = t.topLevelComma(k, close);
        if (end == k) {
            return t.refuse(k, u"Hier fehlt ein Argument."_s);
        }
        if (t.isName(k) && t[k + 1].kind == Kind::NamedArg) {
            return t.refuse(k, u"Benannte Argumente von MessageBox.Show werden nicht gelesen."_s);
        }
        args.push_back({k, end});
        if (end == close) {
            break;
        }
        k = end + 1;
        if (k == close) {
            return t.refuse(end, u"Nach dem Komma fehlt ein Argument."_s);
        }
    }
    if (args.empty()) {
        return t.refuse(call.name, u"Der Meldungstext fehlt."_s);
    }

    // The owner window, told by where the first enum argument stands, else
    // by the first argument's form.
    bool owner = false;
    const auto firstEnum = std::find_if(args.begin(), args.end(), [&](const Range& arg) {
        return enumOfArgument(t, arg, letterCase).has_value();
    });
    if (firstEnum != args.end()) {
        owner =
            firstEnum - args.begin() == naturalSlot(*enumOfArgument(t, *firstEnum, letterCase)) + 1;
    } else if (args.size() >= 2) {
        owner = ownerByForm(c, args.front());
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
            Result<ButtonsValue> value = evalEnumArgument(t, arg.b, arg.e, syntax, type);
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
            help = !no;
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
