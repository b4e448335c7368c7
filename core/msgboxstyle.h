#pragma once

// The style constants of the Basic message box by their names, as the code
// reader reads them.
namespace veltrano::vb {

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    vbSystemModal = 4096,
    vbMsgBoxHelpButton = 16384,
    // Known to the runtime, but not choices of the window: the code reader
    // names them when it refuses them.
    vbDefaultButton4 = 768,
    vbApplicationModal = 0,
    vbMsgBoxSetForeground = 65536,
    vbMsgBoxRight = 524288,
    vbMsgBoxRtlReading = 1048576,
};

// The parts of a style value.
inline constexpr int ButtonSetMask = 0x0F;
inline constexpr int IconMask = 0x70;
inline constexpr int DefaultButtonMask = 0xF00;

} // namespace veltrano::vb
