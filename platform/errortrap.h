#pragma once

#include "core/vberror.h"

#include <QString>

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

// Skip and continue: runs one step of a handler whose failures pass
// silently; the handler goes on with its next step.
template <typename F> void skipOnFailure(F&& step) {
    try {
        step();
    } catch (...) {
    }
}
