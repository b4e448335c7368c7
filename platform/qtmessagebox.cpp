#include "platform/qtmessagebox.h"

#include "platform/qtmessageboxdialog.h"

#include <QApplication>

namespace veltrano {

msgbox::Answer QtMessageBox::show(const MessageBoxRequest& request) {
    QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
    MessageBoxDialog dialog(request, parent);
    const int result = dialog.exec();
    if (result != 0)
        return msgbox::Answer(result);
    // Closed from outside (the program is ending): answer what Esc would,
    // or the default button where the box has no cancel choice.
    if (const std::optional<msgbox::Answer> escape = msgbox::escapeAnswer(request.style))
        return *escape;
    return msgbox::buttonSetOf(request.style)
        .answers()[std::size_t(msgbox::defaultButtonIndex(request.style))];
}

} // namespace veltrano
