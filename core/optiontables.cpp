#include "core/optiontables.h"

#include "core/vberror.h"

#include <array>

using namespace Qt::StringLiterals;

namespace veltrano::options {

namespace {

const std::array<Option, 5>& icons() {
    static const std::array<Option, 5> t{{
        {0, u"Ohne"_s, QString()},
        {16, QString(), u"vbCritical"_s},
        {32, QString(), u"vbQuestion"_s},
        {48, QString(), u"vbExclamation"_s},
        {64, QString(), u"vbInformation"_s},
    }};
    return t;
}

const std::array<Option, 6>& buttons() {
    static const std::array<Option, 6> t{{
        {0, u"OK"_s, u"vbOKOnly"_s},
        {1, u"OK Abbrechen"_s, u"vbOKCancel"_s},
        {2, u"Abbruch, Wiederholen, Ignorieren"_s, u"vbAbortRetryIgnore"_s},
        {3, u"Ja, Nein, Abbrechen"_s, u"vbYesNoCancel"_s},
        {4, u"Ja, Nein"_s, u"vbYesNo"_s},
        {5, u"Wiederholen, Abbrechen"_s, u"vbRetryCancel"_s},
    }};
    return t;
}

// Captions as the window shows them before the first button-set choice.
const std::array<Option, 3>& defaultButtons() {
    static const std::array<Option, 3> t{{
        {0, u"Ok"_s, u"vbDefaultButton1"_s},
        {256, u"2. Button default"_s, u"vbDefaultButton2"_s},
        {512, u"3. Button default"_s, u"vbDefaultButton3"_s},
    }};
    return t;
}

const std::array<Option, 4>& codeStyles() {
    static const std::array<Option, 4> t{{
        {SelectCase, u"Select Case"_s, u" Select Case - Code "_s},
        {IfThenElse, u"If Then Else"_s, u" If Then Else - Code "_s},
        {Einfach, u"einfach"_s, u" Einfacher Code "_s},
        {Vbs, u"VBS"_s, u" Code für ein VB-Script "_s},
    }};
    return t;
}

} // namespace

std::span<const Option> table(Group group) {
    switch (group) {
    case Group::Icons:
        return icons();
    case Group::Buttons:
        return buttons();
    case Group::DefaultButton:
        return defaultButtons();
    case Group::Code:
        return codeStyles();
    }
    return {};
}

const Option* find(Group group, int index) {
    for (const Option& option : table(group)) {
        if (option.index == index) {
            return &option;
        }
    }
    return nullptr;
}

const Option& require(Group group, int index) {
    const Option* option = find(group, index);
    if (!option) {
        throw vb::Error(vb::SubscriptOutOfRange);
    }
    return *option;
}

const DefaultButtonCaptions& defaultButtonCaptions(int buttonSet) {
    // The names of the buttons of each set, in the order the box shows them.
    static const std::array<DefaultButtonCaptions, 6> t{{
        {u"OK"_s, QString(), QString()},
        {u"OK"_s, u"Abbrechen"_s, QString()},
        {u"Abbruch"_s, u"Wiederholen"_s, u"Ignorieren"_s},
        {u"Ja"_s, u"Nein"_s, u"Abbrechen"_s},
        {u"Ja"_s, u"Nein"_s, QString()},
        {u"Wiederholen"_s, u"Abbrechen"_s, QString()},
    }};
    if (buttonSet < 0 || buttonSet >= static_cast<int>(t.size())) {
        throw vb::Error(vb::SubscriptOutOfRange);
    }
    return t[static_cast<std::size_t>(buttonSet)];
}

} // namespace veltrano::options
