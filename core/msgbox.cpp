#include "core/msgbox.h"

#include "core/linebreaks.h"
#include "core/msgboxtables.h"

namespace veltrano::msgbox {

int styleValue(const Value& value) {
    return int(value.icon) | int(value.buttons) |
           (int(value.defaultButton.value_or(DefaultButton::First)) +
            (value.systemModal ? SystemModalFlag : 0) + (value.helpButton ? HelpButtonFlag : 0));
}

QString titleLine(const QString& text) {
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    return linebreaks::normalized(text, u" ");
}

bool isHelpMarkerVisible(const Value& value) {
    return value.helpButton;
}

bool isDefaultButtonVisible(Buttons buttons, DefaultButton defaultButton) {
    return int(defaultButton) / int(DefaultButton::Second) < facts(buttons).count;
}

} // namespace veltrano::msgbox
