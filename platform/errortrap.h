#pragma once

#include "core/vberror.h"

#include <QLoggingCategory>
#include <QString>

#include <exception>
#include <utility>

namespace veltrano {

class MessageBoxService;

// The message trap: a box with the critical icon (style 16) whose text is the
// error number, a blank and the description, titled form name, "_" and
// procedure name, e.g. "frmMsgBox_optButtons_Click".
void reportError(MessageBoxService& box, const vb::Error& error, const QString& procedure,
                 const QString& form = QStringLiteral("frmMsgBox"));

// What skip-and-continue steps passed over, failures the user is not told
// of, and what an unexpected exception said before it became error 5.
// Warnings show; notes (qCInfo) show when enabled, for example with
// QT_LOGGING_RULES="veltrano.skipped.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcSkipped)

void logSkipped(const char* step, const char* failure);

// An exception that is no vb::Error becomes error 5; what it said is
// logged, as the report cannot show it.
vb::Error unexpectedError(const char* where, const std::exception& e);

// Runs action under the message trap of a form's procedure: a vb::Error (or
// any other exception, reported as error 5) ends it and is reported.
// Returns false if it failed.
template <typename F>
bool trapped(MessageBoxService& box, const QString& form, const QString& procedure, F&& action) {
    try {
        action();
        return true;
    } catch (const vb::Error& e) {
        reportError(box, e, procedure, form);
    } catch (const std::exception& e) {
        reportError(box, unexpectedError(qUtf8Printable(procedure), e), procedure, form);
    }
    return false;
}

// The same for a procedure of the main window, frmMsgBox.
template <typename F> bool trapped(MessageBoxService& box, const QString& procedure, F&& action) {
    return trapped(box, QStringLiteral("frmMsgBox"), procedure, std::forward<F>(action));
}

// Skip and continue: runs one step of a handler whose failures the user is
// not told of; the handler goes on with its next step. The failure is
// logged under the step's name.
template <typename F> void skipOnFailure(const char* step, F&& action) {
    try {
        action();
    } catch (const vb::Error& e) {
        logSkipped(step, e.what());
    } catch (const std::exception& e) {
        logSkipped(step, e.what());
    }
}

} // namespace veltrano
