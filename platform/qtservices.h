#pragma once

#include "platform/qtappfacts.h"
#include "platform/qtclipboard.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtfilesystem.h"
#include "platform/qtmessagebox.h"
#include "platform/qtsettingsstore.h"
#include "platform/qtshell.h"
#include "platform/services.h"

class QWidget;

namespace veltrano {

// The real services of the running program and the Services bundle that
// points at them. Create it after the application object.
struct QtServices {
    QtServices() = default;
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    // The window that message boxes and file dialogs belong to.
    void setParentWindow(QWidget* parent) {
        messageBox.setParentWindow(parent);
        fileDialogs.setParentWindow(parent);
    }

    QtMessageBox messageBox;
    QtSettingsStore settings;
    QtClipboard clipboard;
    QtFileDialogs fileDialogs;
    QtFileSystem fileSystem;
    QtShell shell;
    QtAppFacts appFacts;
    QtSpecialFolders specialFolders;
    Session session;
    AppSettings appSettings{settings};
    Services services{messageBox, appSettings, clipboard,      fileDialogs, fileSystem,
                      shell,      appFacts,    specialFolders, session};
};

} // namespace veltrano
