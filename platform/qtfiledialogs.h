#pragma once

#include "platform/filedialogs.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QFileDialog;

namespace veltrano {

namespace filefilter {

// Turns "description|pattern|description|pattern..." into Qt name filters
// "description (patterns)". With QFileDialog::HideNameFilterDetails the
// dialog shows the description alone. Patterns separated by ";" become a
// list, "*.*" matches every file as it does in the Basic dialogs, and a
// description without its pattern is left out.
QStringList toNameFilters(const QString& filter);
// The 1-based position in a list of count filters; anything outside the
// list gives 1.
int clampedIndex(int index, qsizetype count);

} // namespace filefilter

// The standard open and save dialogs, as Qt's own widget dialogs so that
// they look and behave the same on every desktop.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<FileDialogResult> open(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> save(const FileDialogRequest& request) override;
    void setParentWindow(QWidget* parent) { m_parent = parent; }

    // Sets up a dialog for the request; exposed for the tests.
    static void prepare(QFileDialog& dialog, const FileDialogRequest& request, bool forSaving);
    // The chosen path and the position of the selected filter of a dialog
    // that was accepted.
    static FileDialogResult resultOf(const QFileDialog& dialog);

private:
    std::optional<FileDialogResult> run(const FileDialogRequest& request, bool forSaving);

    QPointer<QWidget> m_parent;
};

} // namespace veltrano
