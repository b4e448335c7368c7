#include "core/reader/constantnames.h"

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

std::optional<QStringView> findTextConstant(QStringView name) {
    for (const TextConstant& constant : TextConstants) {
        if (name.compare(constant.name, Qt::CaseInsensitive) == 0) {
            return constant.value;
        }
    }
    return std::nullopt;
}

} // namespace veltrano::reader
