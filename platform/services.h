#pragma once

#include "platform/appfacts.h"
#include "platform/appsettings.h"
#include "platform/clipboard.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messagebox.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

#include <QString>

namespace veltrano {

// State shared by the whole program.
struct Session {
    // The data folder path, ending in "/"; the file dialogs start in it.
    QString dataFolderPath;
    // The file type the last file dialog of the main window closed with.
    int lastFilterIndex = 1;
};

// Everything the commands need from the outside world. The program passes
// the real implementations; tests pass fakes.
struct Services {
    MessageBoxService& messageBox;
    AppSettings& settings;
    Clipboard& clipboard;
    FileDialogs& fileDialogs;
    FileSystem& fileSystem;
    Shell& shell;
    AppFacts& appFacts;
    SpecialFolders& specialFolders;
    Session& session;
};

} // namespace veltrano
