#pragma once

#include "core/msgbox.h"

#include <QString>

namespace veltrano {

// The Basic message box: every box of the program goes through this service
// (preview, error reports, questions, notices). A style is the sum of the
// numbers of its parts and flags (see core/msgbox.h).

struct MessageBoxRequest {
    QString text;  // line breaks CR LF, lone CR or lone LF
    int style = 0; // icon, button set, default button and flags
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
    // Shows the box modally and returns the button pressed.
    virtual msgbox::Answer show(const MessageBoxRequest& request) = 0;

    msgbox::Answer show(const QString& text, int style, const QString& title) {
        return show(MessageBoxRequest{text, style, title, false, {}, 0});
    }
};

} // namespace veltrano
