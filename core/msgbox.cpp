#include "core/msgbox.h"

#include "core/linebreaks.h"
#include "core/msgboxtables.h"

namespace veltrano::msgbox {

int styleValue(const Value& value) {
    return int(value.icon) | int(value.buttons) |
           int(value.defaultButton.value_or(DefaultButton::First)) |
           flagBits(value.systemModal, value.helpButton);
}

void setStyle(Value& value, int style, bool firstDefaultButtonNamed) {
    value.icon = Icon(style & IconMask);
    value.buttons = Buttons(style & ButtonsMask);
    if ((style & DefaultButtonMask) != 0 || firstDefaultButtonNamed)
        value.defaultButton = DefaultButton(style & DefaultButtonMask);
    value.systemModal = (style & SystemModalFlag) != 0;
    value.helpButton = (style & HelpButtonFlag) != 0;
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
    return place(defaultButton) < facts(buttons).count;
}

} // namespace veltrano::msgbox
