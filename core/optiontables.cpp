#include "core/optiontables.h"

#include "core/msgboxtables.h"
#include "core/vberror.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::options {

namespace {

// The constant an option writes is what its tooltip tells the user.
std::vector<Option> makeIcons() {
    std::vector<Option> options;
    for (const msgbox::IconFacts& icon : msgbox::icons())
        options.push_back({int(icon.icon), icon.optionCaption.toString(), icon.basic.toString()});
    return options;
}

std::vector<Option> makeButtons() {
    std::vector<Option> options;
    for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets()) {
        if (set.isOffered())
            options.push_back(
                {int(set.buttons), set.optionCaption.toString(), set.basic.toString()});
    }
    return options;
}

std::vector<Option> makeDefaultButtons() {
    std::vector<Option> options;
    for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons()) {
        if (button.isOffered())
            options.push_back(
                {button.value, button.startCaption.toString(), button.basic.toString()});
    }
    return options;
}

std::vector<Option> makeCodeStyles() {
    return {
        {int(msgbox::CodeStyle::SelectCase), u"Select Case"_s, u" Select Case - Code "_s},
        {int(msgbox::CodeStyle::IfThenElse), u"If Then Else"_s, u" If Then Else - Code "_s},
        {int(msgbox::CodeStyle::Einfach), u"einfach"_s, u" Einfacher Code "_s},
        {int(msgbox::CodeStyle::Vbs), u"VBS"_s, u" Code für ein VB-Script "_s},
    };
}

} // namespace

std::span<const Option> table(Group group) {
    static const std::vector<Option> icons = makeIcons();
    static const std::vector<Option> buttons = makeButtons();
    static const std::vector<Option> defaultButtons = makeDefaultButtons();
    static const std::vector<Option> codeStyles = makeCodeStyles();
    switch (group) {
    case Group::Icons:
        return icons;
    case Group::Buttons:
        return buttons;
    case Group::DefaultButton:
        return defaultButtons;
    case Group::Code:
        return codeStyles;
    }
    return {};
}

const Option* find(Group group, int index) {
    for (const Option& option : table(group)) {
        if (option.index == index)
            return &option;
    }
    return nullptr;
}

const Option& require(Group group, int index) {
    const Option* option = find(group, index);
    if (!option)
        throw vb::Error(vb::SubscriptOutOfRange);
    return *option;
}

} // namespace veltrano::options
