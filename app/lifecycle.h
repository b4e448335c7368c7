#pragma once

#include <QObject>
#include <QString>

namespace veltrano {

class MainWindow;
struct Services;

// Start-up and shut-down of the program around its main window.
class Lifecycle : public QObject {
    Q_OBJECT

public:
    Lifecycle(MainWindow& window, Services& services);

    // The start-up steps: the data folder path, the one-time first-start
    // set-up (which shows the window and opens the data folder dialog), the
    // stored window position; then the window is shown. A file given (from
    // the command line) is then opened as Open opens it.
    void start(const QString& fileToOpen = QString());
    // Places the window where the settings store says, coordinate by
    // coordinate; a stored text that is no usable position, or a place on
    // no screen, leaves the window where it stands.
    void restorePosition();

    // False when the settings written on closing could not be put on disk.
    bool settingsSaved() const { return m_settingsSaved; }

private:
    // The window's unload: its position, when it is in its normal state, and
    // every setting go to disk.
    void windowClosing();

    MainWindow& m_window;
    Services& m_services;
    bool m_settingsSaved = true;
};

} // namespace veltrano
