#include "core/reader/constantnames.h"

#include "core/languages.h"
#include "core/msgboxtables.h"

#include <vector>

namespace veltrano::reader {

namespace {

// The Basic style constants as the message box tables name them, by family.
std::vector<StyleConstant> makeStyleConstants() {
    std::vector<StyleConstant> constants;
    const auto add = [&](QStringView name, int value, Family family) {
        if (!name.isEmpty())
            constants.push_back({name, value, family});
    };
    for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets())
        add(set.basic, int(set.buttons), Family::ButtonSet);
    for (const msgbox::IconFacts& icon : msgbox::icons())
        add(icon.basic, int(icon.icon), Family::Icon);
    for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons())
        add(button.basic, button.value, Family::DefaultButton);
    for (const msgbox::FlagFacts& flag : msgbox::flags())
        add(flag.basic, flag.value, Family::Flag);
    // LibreOffice Basic's built-in MB_ constants: those of what its MsgBox
    // shows (the offered button sets and default buttons, the icons, the two
    // modalities), and the help button only where its box has one.
    const bool help = lang::facts(lang::Language::LibreOffice).saysHelpButton;
    for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets()) {
        if (set.isOffered())
            add(set.windows, int(set.buttons), Family::ButtonSet);
    }
    for (const msgbox::IconFacts& icon : msgbox::icons())
        add(icon.windows, int(icon.icon), Family::Icon);
    for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons()) {
        if (button.isOffered())
            add(button.windows, button.value, Family::DefaultButton);
    }
    for (const msgbox::FlagFacts& flag : msgbox::flags()) {
        if (flag.value == 0 || (flag.offered && (flag.value != msgbox::HelpButtonFlag || help)))
            add(flag.windows, flag.value, Family::Flag);
    }
    return constants;
}

struct TextConstant {
    QStringView name;
    QStringView value;
};

constexpr TextConstant TextConstants[] = {
    {u"vbCr", u"\r"},        {u"vbLf", u"\n"},  {u"vbCrLf", u"\r\n"},
    {u"vbNewLine", u"\r\n"}, {u"vbTab", u"\t"}, {u"vbNullString", u""},
};

} // namespace

const StyleConstant* findStyleConstant(QStringView name) {
    static const std::vector<StyleConstant> styleConstants = makeStyleConstants();
    for (const StyleConstant& constant : styleConstants) {
        if (name.compare(constant.name, Qt::CaseInsensitive) == 0) {
            return &constant;
        }
    }
    return nullptr;
}

bool isWindowsStyleName(QStringView name) {
    return name.startsWith(u"MB_", Qt::CaseInsensitive);
}

std::optional<QStringView> findTextConstant(QStringView name) {
    for (const TextConstant& constant : TextConstants) {
        if (name.compare(constant.name, Qt::CaseInsensitive) == 0) {
            return constant.value;
        }
    }
    return std::nullopt;
}

} // namespace veltrano::reader
