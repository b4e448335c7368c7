#include "app/appearance.h"
#include "app/lifecycle.h"
#include "app/mainwindow.h"

#include "core/definition.h"
#include "platform/qtservices.h"

#include <QApplication>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace veltrano;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Veltrano"_s);
    QGuiApplication::setDesktopFileName(u"org.example.Veltrano"_s);
    QGuiApplication::setWindowIcon(appearance::applicationIcon());
    appearance::installFontSubstitutes();

    QtServices services;
    Definition definition;
    MainWindow window(definition, services.services);
    services.setParentWindow(&window);
    Lifecycle lifecycle(window, services.services);

    lifecycle.start();
    // Qt's own German texts (file dialogs, context menus) are first needed
    // after the window is up, so they load once it shows.
    installGermanTranslations(app);
    const int status = app.exec();
    if (!lifecycle.settingsSaved()) {
        std::fputs("veltrano: die Einstellungen konnten nicht gespeichert werden\n", stderr);
        return status == 0 ? 1 : status;
    }
    return status;
}
