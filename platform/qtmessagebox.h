#pragma once

#include "platform/messagebox.h"

#include <QPointer>
#include <QWidget>

class QCoreApplication;

namespace veltrano {

// Shows every box of the program as a MessageBoxDialog over the parent
// window (or the active window while none is set).
class QtMessageBox : public MessageBoxService {
public:
    using MessageBoxService::show;
    int show(const MessageBoxRequest& request) override;
    void setParentWindow(QWidget* parent) { m_parent = parent; }

private:
    QPointer<QWidget> m_parent;
};

// Loads Qt's own German texts (standard dialog titles and buttons, context
// menus) from the installed translations. Call once before the first window;
// returns false if they are not installed.
bool installGermanTranslations(QCoreApplication& app);

} // namespace veltrano
