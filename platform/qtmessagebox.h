#pragma once

#include "platform/messagebox.h"

#include <QPointer>
#include <QWidget>

namespace veltrano {

// Shows every box of the program as a MessageBoxDialog over the parent
// window (or the active window while none is set).
class QtMessageBox : public MessageBoxService {
public:
    using MessageBoxService::show;
    msgbox::Answer show(const MessageBoxRequest& request) override;
    void setParentWindow(QWidget* parent) { m_parent = parent; }

private:
    QPointer<QWidget> m_parent;
};

} // namespace veltrano
