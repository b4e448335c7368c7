#include "app/appearance.h"
#include "app/commandline.h"
#include "app/lifecycle.h"
#include "app/mainwindow.h"
#include "documents/codeexport.h"

#include "core/definition.h"
#include "platform/errortrap.h"
#include "platform/qtfilesystem.h"
#include "platform/qtservices.h"
#include "platform/stdconsole.h"
#include "platform/translations.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// The recommended translations package may be missing; Qt's texts then
// stay English, which is noted but no failure (and --code writes nothing to
// stderr for it).
void loadGermanTranslations(QCoreApplication& app) {
    if (!installGermanTranslations(app))
        qCInfo(lcSkipped, "Qt's German translations are not installed");
}

// --help, --version, --code, --read and --script: no display, no settings,
// no data folder; only the files named on the command line (and standard
// input for --read -) are read or written.
int runWithoutWindow(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Veltrano"_s);
    // Qt's parser takes its own texts (usage line, errors) from them.
    loadGermanTranslations(app);
    QtFileSystem files;
    StdConsole console;
    return commandline::runWithoutWindow(QCoreApplication::arguments(), files, console);
}

int runWindow(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Veltrano"_s);
    QGuiApplication::setDesktopFileName(u"org.example.Veltrano"_s);

    // What Qt has left of the arguments after taking its own (-style, ...).
    // With any, Qt's German texts load first: a usage error prints Qt's
    // parser texts, and a file opened at start may fail with a report.
    const QStringList arguments = QCoreApplication::arguments();
    const bool translatedEarly = arguments.size() > 1;
    if (translatedEarly)
        loadGermanTranslations(app);
    StdConsole console;
    const commandline::WindowStart start = commandline::windowStart(arguments, console);
    if (start.exitStatus)
        return *start.exitStatus;

    QGuiApplication::setWindowIcon(appearance::applicationIcon());
    appearance::installFontSubstitutes();

    QtServices services;
    if (services.settings.fileRefused()) {
        // Told once; the program then starts as on a first start.
        const QString notice =
            u"veltrano: die Einstellungsdatei %1 ist keine gewöhnliche Datei; sie wird weder "
            "gelesen noch geschrieben, es gelten die Voreinstellungen\n"_s.arg(
                codeexport::printable(services.settings.filePath()));
        std::fputs(notice.toLocal8Bit().constData(), stderr);
    }
    Definition definition;
    MainWindow window(definition, services.services);
    services.setParentWindow(&window);
    Lifecycle lifecycle(window, services.services);

    lifecycle.start(start.file);
    // Qt's own German texts (file dialogs, context menus) are first needed
    // after the window is up, so they load once it shows.
    if (!translatedEarly)
        loadGermanTranslations(app);
    const int status = app.exec();
    if (!lifecycle.settingsSaved()) {
        std::fputs("veltrano: die Einstellungen konnten nicht gespeichert werden\n", stderr);
        return status == 0 ? 1 : status;
    }
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    StdConsole::openMissingStreams();
    // The mode is chosen before any application object exists: without a
    // window the program must not need a display.
    if (commandline::runsWithoutWindow(argc, argv))
        return runWithoutWindow(argc, argv);
    return runWindow(argc, argv);
}
