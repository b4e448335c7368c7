#pragma once

#include <QString>

#include <optional>

namespace veltrano {

// The standard file dialogs for opening and saving.
struct FileDialogRequest {
    // "description|pattern|description|pattern..." as the commands define it.
    QString filter;
    QString initialFolder;
    QString initialName;
    // Position of the selected file type in the filter list, counting from 1;
    // a position beyond the list selects its first entry.
    int filterIndex = 1;
};

struct FileDialogResult {
    QString path;
    int filterIndex = 1; // the file type selected when the dialog closed
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // std::nullopt when the user cancelled.
    virtual std::optional<FileDialogResult> open(const FileDialogRequest& request) = 0;
    // No overwrite confirmation of its own and no default suffix.
    virtual std::optional<FileDialogResult> save(const FileDialogRequest& request) = 0;
};

} // namespace veltrano
