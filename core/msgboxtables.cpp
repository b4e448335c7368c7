#include "core/msgboxtables.h"

namespace veltrano::msgbox {

namespace {

constexpr AnswerFacts answerTable[] = {
    {Answer::Ok, u"OK", u"vbOK", u"vbOk", u"MsgBoxResult.Ok", u"DialogResult.OK", u"IDOK"},
    {Answer::Cancel, u"Abbrechen", u"vbCancel", u"vbCancel", u"MsgBoxResult.Cancel",
     u"DialogResult.Cancel", u"IDCANCEL"},
    {Answer::Abort, u"Abbruch", u"vbAbort", u"vbAbort", u"MsgBoxResult.Abort",
     u"DialogResult.Abort", u"IDABORT"},
    {Answer::Retry, u"Wiederholen", u"vbRetry", u"vbRetry", u"MsgBoxResult.Retry",
     u"DialogResult.Retry", u"IDRETRY"},
    {Answer::Ignore, u"Ignorieren", u"vbIgnore", u"vbIgnore", u"MsgBoxResult.Ignore",
     u"DialogResult.Ignore", u"IDIGNORE"},
    {Answer::Yes, u"Ja", u"vbYes", u"vbYes", u"MsgBoxResult.Yes", u"DialogResult.Yes", u"IDYES"},
    {Answer::No, u"Nein", u"vbNo", u"vbNo", u"MsgBoxResult.No", u"DialogResult.No", u"IDNO"},
};

using A = Answer;

constexpr ButtonSetFacts buttonSetTable[] = {
    {Buttons::Ok,
     u"vbOKOnly",
     u"MsgBoxStyle.OkOnly",
     u"MessageBoxButtons.OK",
     u"MB_OK",
     u"OK",
     {A::Ok},
     1},
    {Buttons::OkCancel,
     u"vbOKCancel",
     u"MsgBoxStyle.OkCancel",
     u"MessageBoxButtons.OKCancel",
     u"MB_OKCANCEL",
     u"OK Abbrechen",
     {A::Ok, A::Cancel},
     2},
    {Buttons::AbortRetryIgnore,
     u"vbAbortRetryIgnore",
     u"MsgBoxStyle.AbortRetryIgnore",
     u"MessageBoxButtons.AbortRetryIgnore",
     u"MB_ABORTRETRYIGNORE",
     u"Abbruch, Wiederholen, Ignorieren",
     {A::Abort, A::Retry, A::Ignore},
     3},
    {Buttons::YesNoCancel,
     u"vbYesNoCancel",
     u"MsgBoxStyle.YesNoCancel",
     u"MessageBoxButtons.YesNoCancel",
     u"MB_YESNOCANCEL",
     u"Ja, Nein, Abbrechen",
     {A::Yes, A::No, A::Cancel},
     3},
    {Buttons::YesNo,
     u"vbYesNo",
     u"MsgBoxStyle.YesNo",
     u"MessageBoxButtons.YesNo",
     u"MB_YESNO",
     u"Ja, Nein",
     {A::Yes, A::No},
     2},
    {Buttons::RetryCancel,
     u"vbRetryCancel",
     u"MsgBoxStyle.RetryCancel",
     u"MessageBoxButtons.RetryCancel",
     u"MB_RETRYCANCEL",
     u"Wiederholen, Abbrechen",
     {A::Retry, A::Cancel},
     2},
    // Windows Forms only.
    {Buttons(6), u"", u"", u"MessageBoxButtons.CancelTryContinue", u"", u"", {}, 0},
};

constexpr IconFacts iconTable[] = {
    {Icon::None, u"", u"", u"MessageBoxIcon.None", u"", {}, u"Ohne", u"Kein Icon"},
    {Icon::Critical,
     u"vbCritical",
     u"MsgBoxStyle.Critical",
     u"MessageBoxIcon.Error",
     u"MB_ICONSTOP",
     {u"MessageBoxIcon.Hand", u"MessageBoxIcon.Stop"},
     u"",
     u"Kritisch"},
    {Icon::Question,
     u"vbQuestion",
     u"MsgBoxStyle.Question",
     u"MessageBoxIcon.Question",
     u"MB_ICONQUESTION",
     {},
     u"",
     u"Frage"},
    {Icon::Exclamation,
     u"vbExclamation",
     u"MsgBoxStyle.Exclamation",
     u"MessageBoxIcon.Warning",
     u"MB_ICONEXCLAMATION",
     {u"MessageBoxIcon.Exclamation"},
     u"",
     u"Ausrufezeichen"},
    {Icon::Information,
     u"vbInformation",
     u"MsgBoxStyle.Information",
     u"MessageBoxIcon.Information",
     u"MB_ICONINFORMATION",
     {u"MessageBoxIcon.Asterisk"},
     u"",
     u"Information"},
};

constexpr DefaultButtonFacts defaultButtonTable[] = {
    {0, u"vbDefaultButton1", u"MsgBoxStyle.DefaultButton1", u"MessageBoxDefaultButton.Button1",
     u"MB_DEFBUTTON1", u"Ok"},
    {256, u"vbDefaultButton2", u"MsgBoxStyle.DefaultButton2", u"MessageBoxDefaultButton.Button2",
     u"MB_DEFBUTTON2", u"2. Button default"},
    {512, u"vbDefaultButton3", u"MsgBoxStyle.DefaultButton3", u"MessageBoxDefaultButton.Button3",
     u"MB_DEFBUTTON3", u"3. Button default"},
    {768, u"vbDefaultButton4", u"", u"MessageBoxDefaultButton.Button4", u"MB_DEFBUTTON4", u""},
};

constexpr FlagFacts flagTable[] = {
    {0, u"vbApplicationModal", u"MsgBoxStyle.ApplicationModal", u"", u"MB_APPLMODAL", false},
    {SystemModalFlag, u"vbSystemModal", u"MsgBoxStyle.SystemModal", u"", u"MB_SYSTEMMODAL", true},
    {HelpButtonFlag, u"vbMsgBoxHelpButton", u"MsgBoxStyle.MsgBoxHelp", u"", u"MB_HELP", true},
    {0x10000, u"vbMsgBoxSetForeground", u"MsgBoxStyle.MsgBoxSetForeground", u"",
     u"MB_SETFOREGROUND", false},
    {0x80000, u"vbMsgBoxRight", u"MsgBoxStyle.MsgBoxRight", u"MessageBoxOptions.RightAlign",
     u"MB_RIGHT", false},
    {0x100000, u"vbMsgBoxRtlReading", u"MsgBoxStyle.MsgBoxRtlReading",
     u"MessageBoxOptions.RtlReading", u"MB_RTLREADING", false},
    // Windows Forms only.
    {0x20000, u"", u"", u"MessageBoxOptions.DefaultDesktopOnly", u"MB_DEFAULT_DESKTOP_ONLY", false},
    {0x200000, u"", u"", u"MessageBoxOptions.ServiceNotification", u"MB_SERVICE_NOTIFICATION",
     false},
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
        if (int(row.buttons) == value && row.isOffered())
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
