#include "app/windows.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace veltrano {

namespace {
bool closing = false;
}

void closeAllWindows() {
    if (closing)
        return;
    closing = true;
    // Guarded pointers: closing one window may delete others.
    QList<QPointer<QWidget>> windows;
    const QWidgetList all = QApplication::topLevelWidgets();
    for (QWidget* w : all)
        windows.append(w);
    for (const QPointer<QWidget>& w : windows) {
        if (w && w->isVisible())
            w->close();
    }
    closing = false;
}

bool isClosingAllWindows() {
    return closing;
}

} // namespace veltrano
