#include "platform/qtfiledialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace filefilter {

QStringList toNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        const QStringList given = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (const QString& raw : given) {
            const QString pattern = raw.trimmed();
            if (pattern.isEmpty())
                continue;
            // In the Basic dialogs "*.*" also matches names without a dot.
            patterns.append(pattern == u"*.*" ? u"*"_s : pattern);
        }
        if (patterns.isEmpty())
            patterns.append(u"*"_s);
        const QString description = parts.at(i).isEmpty() ? patterns.join(u' ') : parts.at(i);
        result.append(description + u" ("_s + patterns.join(u' ') + u')');
    }
    return result;
}

int clampedIndex(int index, qsizetype count) {
    return index >= 1 && index <= count ? index : 1;
}

} // namespace filefilter

namespace {

// The file type list of the widget dialog. Its position is the only sure
// way to tell apart filters that show the same description.
QComboBox* typeList(const QFileDialog& dialog) {
    return dialog.findChild<QComboBox*>(u"fileTypeCombo"_s);
}

} // namespace

void QtFileDialogs::prepare(QFileDialog& dialog, const FileDialogRequest& request, bool forSaving) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A typed name that does not exist is handed back; the caller reports
    // what reading it gives.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString());

    const QStringList filters = filefilter::toNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int wanted = filefilter::clampedIndex(request.filterIndex, filters.size()) - 1;
        dialog.selectNameFilter(filters.at(wanted));
        QComboBox* list = typeList(dialog);
        if (list && list->currentIndex() != wanted && wanted < list->count()) {
            list->setCurrentIndex(wanted);
            emit list->activated(wanted);
        }
    }
    if (!request.initialFolder.isEmpty() && QFileInfo(request.initialFolder).isDir())
        dialog.setDirectory(request.initialFolder);
    else
        dialog.setDirectory(QDir::homePath());
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
}

FileDialogResult QtFileDialogs::resultOf(const QFileDialog& dialog) {
    FileDialogResult result;
    result.path = dialog.selectedFiles().value(0);
    const QComboBox* list = typeList(dialog);
    const qsizetype at =
        list ? list->currentIndex() : dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    result.filterIndex = at >= 0 ? static_cast<int>(at) + 1 : 1;
    return result;
}

std::optional<FileDialogResult> QtFileDialogs::run(const FileDialogRequest& request,
                                                   bool forSaving) {
    QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
    QFileDialog dialog(parent);
    prepare(dialog, request, forSaving);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return resultOf(dialog);
}

std::optional<FileDialogResult> QtFileDialogs::open(const FileDialogRequest& request) {
    return run(request, false);
}

std::optional<FileDialogResult> QtFileDialogs::save(const FileDialogRequest& request) {
    return run(request, true);
}

} // namespace veltrano
