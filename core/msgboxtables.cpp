#include "core/msgboxtables.h"

namespace veltrano::msgbox {

namespace {

constexpr AnswerFacts answerTable[] = {
    {Answer::Ok, u"OK", u"vbOK", u"vbOk"},
    {Answer::Cancel, u"Abbrechen", u"vbCancel", u"vbCancel"},
    {Answer::Abort, u"Abbruch", u"vbAbort", u"vbAbort"},
    {Answer::Retry, u"Wiederholen", u"vbRetry", u"vbRetry"},
    {Answer::Ignore, u"Ignorieren", u"vbIgnore", u"vbIgnore"},
    {Answer::Yes, u"Ja", u"vbYes", u"vbYes"},
    {Answer::No, u"Nein", u"vbNo", u"vbNo"},
};

using A = Answer;

constexpr ButtonSetFacts buttonSetTable[] = {
    {Buttons::Ok, u"vbOKOnly", u"OK", {A::Ok}, 1},
    {Buttons::OkCancel, u"vbOKCancel", u"OK Abbrechen", {A::Ok, A::Cancel}, 2},
    {Buttons::AbortRetryIgnore,
     u"vbAbortRetryIgnore",
     u"Abbruch, Wiederholen, Ignorieren",
     {A::Abort, A::Retry, A::Ignore},
     3},
    {Buttons::YesNoCancel, u"vbYesNoCancel", u"Ja, Nein, Abbrechen", {A::Yes, A::No, A::Cancel}, 3},
    {Buttons::YesNo, u"vbYesNo", u"Ja, Nein", {A::Yes, A::No}, 2},
    {Buttons::RetryCancel, u"vbRetryCancel", u"Wiederholen, Abbrechen", {A::Retry, A::Cancel}, 2},
};

constexpr IconFacts iconTable[] = {
    {Icon::None, u"", u"Ohne"},
    {Icon::Critical, u"vbCritical", u""},
    {Icon::Question, u"vbQuestion", u""},
    {Icon::Exclamation, u"vbExclamation", u""},
    {Icon::Information, u"vbInformation", u""},
};

constexpr DefaultButtonFacts defaultButtonTable[] = {
    {0, u"vbDefaultButton1", u"Ok"},
    {256, u"vbDefaultButton2", u"2. Button default"},
    {512, u"vbDefaultButton3", u"3. Button default"},
    {768, u"vbDefaultButton4", u""},
};

constexpr FlagFacts flagTable[] = {
    {0, u"vbApplicationModal", false, true},
    {SystemModalFlag, u"vbSystemModal", true, true},
    {HelpButtonFlag, u"vbMsgBoxHelpButton", true, false},
    {65536, u"vbMsgBoxSetForeground", false, false},
    {524288, u"vbMsgBoxRight", false, false},
    {1048576, u"vbMsgBoxRtlReading", false, false},
};

// Each table stands in the order of its enumerators' numbers, so that a
// row is found by its number.
constexpr bool inOrder() {
    for (std::size_t i = 0; i < std::size(answerTable); ++i) {
        if (int(answerTable[i].answer) != int(i) + 1)
            return false;
    }
    for (std::size_t i = 0; i < std::size(buttonSetTable); ++i) {
        if (int(buttonSetTable[i].buttons) != int(i))
            return false;
    }
    for (std::size_t i = 0; i < std::size(iconTable); ++i) {
        if (int(iconTable[i].icon) != int(i) * 16)
            return false;
    }
    for (std::size_t i = 0; i < std::size(defaultButtonTable); ++i) {
        if (defaultButtonTable[i].value != int(i) * 256)
            return false;
    }
    return true;
}
static_assert(inOrder());

} // namespace

std::span<const AnswerFacts> answers() {
    return answerTable;
}
std::span<const ButtonSetFacts> buttonSets() {
    return buttonSetTable;
}
std::span<const IconFacts> icons() {
    return iconTable;
}
std::span<const DefaultButtonFacts> defaultButtons() {
    return defaultButtonTable;
}
std::span<const FlagFacts> flags() {
    return flagTable;
}

const AnswerFacts& facts(Answer answer) {
    return answerTable[std::size_t(answer) - 1];
}
const ButtonSetFacts& facts(Buttons buttons) {
    return buttonSetTable[std::size_t(buttons)];
}
const IconFacts& facts(Icon icon) {
    return iconTable[std::size_t(icon) / 16];
}
const DefaultButtonFacts& facts(DefaultButton defaultButton) {
    return defaultButtonTable[std::size_t(defaultButton) / 256];
}

std::optional<Icon> iconOf(int value) {
    for (const IconFacts& row : iconTable) {
        if (int(row.icon) == value)
            return row.icon;
    }
    return std::nullopt;
}

std::optional<Buttons> buttonsOf(int value) {
    for (const ButtonSetFacts& row : buttonSetTable) {
        if (int(row.buttons) == value)
            return row.buttons;
    }
    return std::nullopt;
}

std::optional<DefaultButton> defaultButtonOf(int value) {
    for (const DefaultButtonFacts& row : defaultButtonTable) {
        if (row.value == value && row.isOffered())
            return DefaultButton(value);
    }
    return std::nullopt;
}

} // namespace veltrano::msgbox
