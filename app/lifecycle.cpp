#include "app/lifecycle.h"

#include "app/mainwindow.h"
#include "app/twips.h"

#include "platform/errortrap.h"
#include "platform/services.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace veltrano {

namespace {

// True if a window frame there would show a usable part on some screen.
bool reachable(const QRect& frame) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen* screen : screens) {
        const QRect seen = screen->availableGeometry().intersected(frame);
        if (seen.width() >= 32 && seen.height() >= 32)
            return true;
    }
    return false;
}

} // namespace

Lifecycle::Lifecycle(MainWindow& window, Services& services)
    : QObject(&window), m_window(window), m_services(services) {
    connect(&window, &MainWindow::closing, this, &Lifecycle::windowClosing);
}

void Lifecycle::start(const QString& fileToOpen) {
    AppSettings& settings = m_services.settings;
    m_services.session.dataFolderPath = settings.dataFolderPath(m_services.appFacts.title() + u'/');

    if (settings.firstStart() == AppSettings::FirstStart::Pending) {
        settings.setDataFolderChoice(1);
        m_window.show();
        QCoreApplication::processEvents();
        m_window.unsetCursor();
        m_window.showDataFolderDialog();
        settings.setFirstStartDone();
        // On disk at once, so that a crash before the end does not ask again.
        if (!settings.flush())
            qCWarning(lcSkipped, "the first-start marker could not be put on disk");
    }

    restorePosition();
    if (!m_window.isVisible())
        m_window.show();
    // The window stands at its place, so a report of a refused file shows
    // over it.
    if (!fileToOpen.isEmpty())
        m_window.documents().openFile(fileToOpen);
}

void Lifecycle::restorePosition() {
    QPoint position = m_window.pos();
    if (const std::optional<float> left = m_services.settings.windowLeft())
        position.setX(twips::toPixels(*left));
    if (const std::optional<float> top = m_services.settings.windowTop())
        position.setY(twips::toPixels(*top));
    // A position left over from a screen that is gone would hide the window.
    if (reachable(QRect(position, m_window.frameGeometry().size())))
        m_window.move(position);
}

void Lifecycle::windowClosing() {
    const Qt::WindowStates notNormal =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(m_window.windowState() & notNormal))
        m_services.settings.setWindowPosition(twips::fromPixels(m_window.x()),
                                              twips::fromPixels(m_window.y()));
    m_settingsSaved = m_services.settings.flush();
}

} // namespace veltrano
