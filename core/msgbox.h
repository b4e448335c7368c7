#pragma once

#include <QString>

#include <optional>

// The message box a definition describes, as one plain value, and the kinds
// its parts come in. The numbers of the enumerators are those the Basic
// runtime gives these parts, so that a style value is their sum. The names
// code writes for them stand in the tables of core/msgboxtables.h.
namespace veltrano::msgbox {

enum class Icon : int {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};

// The button sets.
enum class Buttons : int {
    Ok = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

enum class DefaultButton : int { First = 0, Second = 256, Third = 512 };

// The code styles, as the window numbers its options.
enum class CodeStyle : int { SelectCase = 0, IfThenElse = 1, Einfach = 2, Vbs = 3 };

// What a box answers: the button pressed.
enum class Answer : int { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The parts of a numeric style value, and its two flags.
inline constexpr int ButtonsMask = 0x0F;
inline constexpr int IconMask = 0x70;
inline constexpr int DefaultButtonMask = 0xF00;
inline constexpr int SystemModalFlag = 4096;
inline constexpr int HelpButtonFlag = 16384;

struct Value {
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    // Empty while no default button was ever chosen: code then leaves its
    // constant out. Choosing a button set chooses the first one.
    std::optional<DefaultButton> defaultButton;
    CodeStyle code = CodeStyle::SelectCase;
    bool systemModal = false;
    bool helpButton = false;
    QString title;   // one line
    QString message; // as typed; any line breaks

    bool operator==(const Value&) const = default;
};

// The numeric style value of the box: icon, button set, default button and
// the two flags, as the preview passes it to the message box.
int styleValue(const Value& value);

// The bits of the two flags in a style value.
constexpr int flagBits(bool systemModal, bool helpButton) {
    return (systemModal ? SystemModalFlag : 0) | (helpButton ? HelpButtonFlag : 0);
}

// Sets the parts of the value that a style value holds: icon, button set,
// the two flags and the default button, which is set only where its bits
// name one other than the first or the first was named. The value must be
// one the window can show.
void setStyle(Value& value, int style, bool firstDefaultButtonNamed);

// The place of a default button among the box's buttons, 0 for the first;
// and the place the default-button bits of a style value name.
constexpr int place(DefaultButton defaultButton) {
    return int(defaultButton) / int(DefaultButton::Second);
}
constexpr int defaultButtonPlace(int style) {
    return (style & DefaultButtonMask) / int(DefaultButton::Second);
}

// A style value for the program's own boxes (questions, notices).
constexpr int style(Buttons buttons, Icon icon = Icon::None,
                    DefaultButton defaultButton = DefaultButton::First) {
    return int(buttons) | int(icon) | int(defaultButton);
}
constexpr int style(Icon icon) {
    return int(icon);
}

// The title as one line: each line break (see core/linebreaks.h) becomes
// one blank, so that it can stand in a string literal and in the title line
// of a definition file.
QString titleLine(const QString& text);

// What the window shows besides the selections, where the value alone
// decides it: the "Hilfe" marker stands while the help button is ticked,
// and a default-button option is shown while the button set has that
// button.
bool isHelpMarkerVisible(const Value& value);
bool isDefaultButtonVisible(Buttons buttons, DefaultButton defaultButton);

} // namespace veltrano::msgbox
