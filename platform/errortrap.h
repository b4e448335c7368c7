#pragma once

#include "core/vberror.h"

#include <QLoggingCategory>
#include <QString>

#include <exception>

namespace veltrano {

class MessageBoxService;

// The message trap: a box with the critical icon (style 16) whose text is the
// error number, a blank and the description, titled form name, "_" and
// procedure name, e.g. "frmMsgBox_optButtons_Click".
void reportError(MessageBoxService& box, const vb::Error& error, const QString& procedure,
                 const QString& form = QStringLiteral("frmMsgBox"));

// Runs action under the message trap: a vb::Error (or any other exception,
// reported as error 5) ends it and is reported. Returns false if it failed.
template <typename F> bool trapped(MessageBoxService& box, const QString& procedure, F&& action) {
    try {
        action();
        return true;
    } catch (const vb::Error& e) {
        reportError(box, e, procedure);
    } catch (const std::exception&) {
        reportError(box, vb::Error(vb::InvalidProcedureCall), procedure);
    }
    return false;
}

// What skip-and-continue steps passed over. Quiet unless enabled, for
// example with QT_LOGGING_RULES="veltrano.skipped.warning=true".
Q_DECLARE_LOGGING_CATEGORY(lcSkipped)

void logSkipped(const char* step, const char* failure);

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
