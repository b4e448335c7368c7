#include "core/reader/dotnetnames.h"

#include "core/msgboxtables.h"

#include <span>
#include <vector>

namespace veltrano::reader {

namespace {

// The namespaces a name may be qualified with.
enum class Home : std::uint8_t { VisualBasic, Forms, System, Wpf };

constexpr QStringView VisualBasicNamespaces[] = {u"", u"Microsoft.VisualBasic"};
constexpr QStringView FormsNamespaces[] = {u"", u"System.Windows.Forms", u"Windows.Forms",
                                           u"Forms"};
constexpr QStringView SystemNamespaces[] = {u"", u"System"};
constexpr QStringView WpfNamespaces[] = {u"", u"System.Windows"};

Qt::CaseSensitivity sensitivity(Case letterCase) {
    return letterCase == Case::Sensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool inHome(QStringView ns, Home home, Case letterCase) {
    std::span<const QStringView> namespaces;
    switch (home) {
    case Home::VisualBasic:
        namespaces = VisualBasicNamespaces;
        break;
    case Home::Forms:
        namespaces = FormsNamespaces;
        break;
    case Home::System:
        namespaces = SystemNamespaces;
        break;
    case Home::Wpf:
        namespaces = WpfNamespaces;
        break;
    }
    for (QStringView candidate : namespaces) {
        if (ns.compare(candidate, sensitivity(letterCase)) == 0) {
            return true;
        }
    }
    return false;
}

// A dotted name split into its namespace and the type.member at its end.
struct Split {
    QStringView ns;
    QStringView qualified; // Type.Member
    QStringView type;
};

std::optional<Split> split(QStringView dotted) {
    const qsizetype last = dotted.lastIndexOf(u'.');
    if (last <= 0) {
        return std::nullopt;
    }
    const qsizetype before = dotted.first(last).lastIndexOf(u'.');
    Split s;
    s.ns = before < 0 ? QStringView() : dotted.first(before);
    s.qualified = dotted.sliced(before + 1);
    s.type = dotted.sliced(before + 1, last - before - 1);
    return s;
}

using F = Family;
using E = DotNetEnum;

// The .NET style names as the message box tables spell them: VB.NET's
// MsgBoxStyle members, and the enums of MessageBox.Show in C#'s spelling,
// which VB.NET reads alike.
std::vector<DotNetConstant> makeConstants() {
    std::vector<DotNetConstant> constants;
    const auto add = [&](QStringView name, int value, Family family, DotNetEnum type) {
        if (!name.isEmpty())
            constants.push_back({{name, value, family}, type});
    };
    for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets()) {
        add(set.vbNet, int(set.buttons), F::ButtonSet, E::MsgBoxStyle);
        add(set.windowsForms, int(set.buttons), F::ButtonSet, E::Buttons);
    }
    for (const msgbox::IconFacts& icon : msgbox::icons()) {
        add(icon.vbNet, int(icon.icon), F::Icon, E::MsgBoxStyle);
        add(icon.windowsForms, int(icon.icon), F::Icon, E::Icon);
        for (QStringView also : icon.windowsFormsAlso)
            add(also, int(icon.icon), F::Icon, E::Icon);
    }
    for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons()) {
        add(button.vbNet, button.value, F::DefaultButton, E::MsgBoxStyle);
        add(button.windowsForms, button.value, F::DefaultButton, E::DefaultButton);
    }
    for (const msgbox::FlagFacts& flag : msgbox::flags()) {
        add(flag.vbNet, flag.value, F::Flag, E::MsgBoxStyle);
        add(flag.windowsForms, flag.value, F::Flag, E::Options);
    }
    return constants;
}

const std::vector<DotNetConstant>& constants() {
    static const std::vector<DotNetConstant> table = makeConstants();
    return table;
}

struct EnumName {
    QStringView name;
    DotNetEnum type;
};

constexpr EnumName EnumNames[] = {
    {u"MsgBoxStyle", E::MsgBoxStyle},   {u"MessageBoxButtons", E::Buttons},
    {u"MessageBoxIcon", E::Icon},       {u"MessageBoxDefaultButton", E::DefaultButton},
    {u"MessageBoxOptions", E::Options},
};

Home homeOf(DotNetEnum type) {
    return type == E::MsgBoxStyle ? Home::VisualBasic : Home::Forms;
}

struct TextConstant {
    QStringView name;
    QStringView value;
    Home home;
};

constexpr TextConstant TextConstants[] = {
    {u"ControlChars.CrLf", u"\r\n", Home::VisualBasic},
    {u"ControlChars.Cr", u"\r", Home::VisualBasic},
    {u"ControlChars.Lf", u"\n", Home::VisualBasic},
    {u"ControlChars.NewLine", u"\r\n", Home::VisualBasic},
    {u"ControlChars.Tab", u"\t", Home::VisualBasic},
    {u"ControlChars.Quote", u"\"", Home::VisualBasic},
    {u"Environment.NewLine", u"\r\n", Home::System},
    {u"String.Empty", u"", Home::System},
    // C#'s keyword for System.String.
    {u"string.Empty", u"", Home::System},
};

constexpr QStringView WpfEnums[] = {u"MessageBoxButton", u"MessageBoxImage", u"MessageBoxResult"};

} // namespace

const DotNetConstant* findDotNetConstant(QStringView dottedName, Case letterCase) {
    const std::optional<Split> s = split(dottedName);
    if (!s) {
        return nullptr;
    }
    for (const DotNetConstant& entry : constants()) {
        if (s->qualified.compare(entry.constant.name, sensitivity(letterCase)) == 0 &&
            inHome(s->ns, homeOf(entry.type), letterCase)) {
            return &entry;
        }
    }
    return nullptr;
}

std::optional<DotNetEnum> dotNetEnumNamed(QStringView dottedName, Case letterCase) {
    const std::optional<Split> s = split(dottedName);
    if (!s) {
        return std::nullopt;
    }
    for (const EnumName& entry : EnumNames) {
        if (s->type.compare(entry.name, sensitivity(letterCase)) == 0 &&
            inHome(s->ns, homeOf(entry.type), letterCase)) {
            return entry.type;
        }
    }
    return std::nullopt;
}

std::optional<DotNetEnum> dotNetEnumType(QStringView dottedName, Case letterCase) {
    const qsizetype last = dottedName.lastIndexOf(u'.');
    const QStringView ns = last < 0 ? QStringView() : dottedName.first(last);
    const QStringView type = dottedName.sliced(last + 1);
    for (const EnumName& entry : EnumNames) {
        if (type.compare(entry.name, sensitivity(letterCase)) == 0 &&
            inHome(ns, homeOf(entry.type), letterCase)) {
            return entry.type;
        }
    }
    return std::nullopt;
}

QStringView dotNetEnumName(DotNetEnum type) {
    for (const EnumName& entry : EnumNames) {
        if (entry.type == type) {
            return entry.name;
        }
    }
    return {};
}

std::optional<QStringView> findDotNetTextConstant(QStringView dottedName, Case letterCase) {
    const std::optional<Split> s = split(dottedName);
    if (!s) {
        return std::nullopt;
    }
    for (const TextConstant& entry : TextConstants) {
        if (s->qualified.compare(entry.name, sensitivity(letterCase)) == 0 &&
            inHome(s->ns, entry.home, letterCase)) {
            return entry.value;
        }
    }
    return std::nullopt;
}

std::optional<MessageBoxClass> messageBoxIn(QStringView ns, Case letterCase) {
    if (inHome(ns, Home::Forms, letterCase)) {
        return MessageBoxClass::Forms;
    }
    if (ns.compare(u"System.Windows", sensitivity(letterCase)) == 0) {
        return MessageBoxClass::Wpf;
    }
    return std::nullopt;
}

bool isWpfName(QStringView dottedName, Case letterCase) {
    const std::optional<Split> s = split(dottedName);
    if (!s) {
        return false;
    }
    for (QStringView type : WpfEnums) {
        if (s->type.compare(type, sensitivity(letterCase)) == 0 &&
            inHome(s->ns, Home::Wpf, letterCase)) {
            return true;
        }
    }
    return false;
}

} // namespace veltrano::reader
