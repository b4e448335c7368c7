#include "app/modmsgbox.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
bool unloading = false;
}

namespace modMsgBox {

void FormsEntladen() {
    if (unloading)
        return;
    unloading = true;
    // Guarded pointers: closing one window may delete others.
    QList<QPointer<QWidget>> windows;
    const QWidgetList all = QApplication::topLevelWidgets();
    for (QWidget* w : all)
        windows.append(w);
    for (const QPointer<QWidget>& w : windows) {
        if (w && w->isVisible())
            w->close();
    }
    unloading = false;
}

bool isUnloading() {
    return unloading;
}

} // namespace modMsgBox
