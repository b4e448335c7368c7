#pragma once

#include "core/msgboxstyle.h"

#include <QString>

class QWidget;

namespace veltrano {

// The Basic message box: every box of the program goes through this service
// (preview, error reports, questions, notices). Styles and answers are the
// vb::MsgBoxStyle and vb::MsgBoxResult values.

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

} // namespace veltrano
