#include "core/reader/dotnetnames.h"

#include "core/msgbox.h"

#include <span>

namespace veltrano::reader {

using B = msgbox::Buttons;
using I = msgbox::Icon;
using D = msgbox::DefaultButton;

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

constexpr DotNetConstant Constants[] = {
    {{u"MsgBoxStyle.OkOnly", int(B::Ok), F::ButtonSet}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.OkCancel", int(B::OkCancel), F::ButtonSet}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.AbortRetryIgnore", int(B::AbortRetryIgnore), F::ButtonSet}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.YesNoCancel", int(B::YesNoCancel), F::ButtonSet}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.YesNo", int(B::YesNo), F::ButtonSet}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.RetryCancel", int(B::RetryCancel), F::ButtonSet}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.Critical", int(I::Critical), F::Icon}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.Question", int(I::Question), F::Icon}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.Exclamation", int(I::Exclamation), F::Icon}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.Information", int(I::Information), F::Icon}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.DefaultButton1", int(D::First), F::DefaultButton}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.DefaultButton2", int(D::Second), F::DefaultButton}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.DefaultButton3", int(D::Third), F::DefaultButton}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.ApplicationModal", 0, F::Modality}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.SystemModal", msgbox::SystemModalFlag, F::Modality}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.MsgBoxHelp", msgbox::HelpButtonFlag, F::Option}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.MsgBoxSetForeground", 0x10000, F::Option}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.MsgBoxRight", 0x80000, F::Option}, E::MsgBoxStyle},
    {{u"MsgBoxStyle.MsgBoxRtlReading", 0x100000, F::Option}, E::MsgBoxStyle},

    {{u"MessageBoxButtons.OK", int(B::Ok), F::ButtonSet}, E::Buttons},
    {{u"MessageBoxButtons.OKCancel", int(B::OkCancel), F::ButtonSet}, E::Buttons},
    {{u"MessageBoxButtons.AbortRetryIgnore", int(B::AbortRetryIgnore), F::ButtonSet}, E::Buttons},
    {{u"MessageBoxButtons.YesNoCancel", int(B::YesNoCancel), F::ButtonSet}, E::Buttons},
    {{u"MessageBoxButtons.YesNo", int(B::YesNo), F::ButtonSet}, E::Buttons},
    {{u"MessageBoxButtons.RetryCancel", int(B::RetryCancel), F::ButtonSet}, E::Buttons},
    {{u"MessageBoxButtons.CancelTryContinue", 6, F::ButtonSet}, E::Buttons},

    {{u"MessageBoxIcon.None", 0, F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Hand", int(I::Critical), F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Stop", int(I::Critical), F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Error", int(I::Critical), F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Question", int(I::Question), F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Exclamation", int(I::Exclamation), F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Warning", int(I::Exclamation), F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Asterisk", int(I::Information), F::Icon}, E::Icon},
    {{u"MessageBoxIcon.Information", int(I::Information), F::Icon}, E::Icon},

    {{u"MessageBoxDefaultButton.Button1", int(D::First), F::DefaultButton}, E::DefaultButton},
    {{u"MessageBoxDefaultButton.Button2", int(D::Second), F::DefaultButton}, E::DefaultButton},
    {{u"MessageBoxDefaultButton.Button3", int(D::Third), F::DefaultButton}, E::DefaultButton},
    {{u"MessageBoxDefaultButton.Button4", 0x300, F::DefaultButton}, E::DefaultButton},

    {{u"MessageBoxOptions.DefaultDesktopOnly", 0x20000, F::Option}, E::Options},
    {{u"MessageBoxOptions.RightAlign", 0x80000, F::Option}, E::Options},
    {{u"MessageBoxOptions.RtlReading", 0x100000, F::Option}, E::Options},
    {{u"MessageBoxOptions.ServiceNotification", 0x200000, F::Option}, E::Options},
};

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
    for (const DotNetConstant& entry : Constants) {
        if (s->qualified.compare(entry.constant.name, sensitivity(letterCase)) == 0 &&
            inHome(s->ns, homeOf(entry.type), letterCase)) {
            return &entry;
        }
    }
    return nullptr;
}

std::optional<DotNetEnum> dotNetEnumOf(const StyleConstant* constant) {
    for (const DotNetConstant& entry : Constants) {
        if (&entry.constant == constant) {
            return entry.type;
        }
    }
    return std::nullopt;
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
