#pragma once

#include <QString>

class QWidget;

// The Basic message box: every box of the program goes through this service
// (preview, error reports, questions, notices).
namespace vb {
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};
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
};
} // namespace vb

struct MessageBoxRequest {
    QString text;  // line breaks CR LF, lone CR or lone LF
    int style = 0; // sum of the vb::MsgBoxStyle values
    QString title;
    bool withHelpFile = false; // help file and context given
    QString helpFile;
    int helpContext = 0;
    // Source code: every line shown as it is, in a fixed-pitch font, never
    // wrapped (a wrapped line would read as two lines of code); wide text
    // scrolls across.
    bool keepLines = false;
};

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows the box modally and returns the button pressed (vb::MsgBoxResult).
    virtual int show(const MessageBoxRequest& request) = 0;

    int show(const QString& text, int style, const QString& title) {
        return show(MessageBoxRequest{text, style, title, false, {}, 0});
    }
};
