#include "app/appearance.h"
#include "app/frmmsgbox.h"

#include "core/definition.h"
#include "platform/qtservices.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Veltrano"_s);
    QGuiApplication::setDesktopFileName(u"org.example.Veltrano"_s);
    QGuiApplication::setWindowIcon(QIcon(u":/images/veltrano.svg"_s));
    installGermanTranslations(app);
    appearance::installFontSubstitutes();

    QtServices services;
    Definition definition;
    frmMsgBox window(definition, services.services);
    services.setParentWindow(&window);

    window.Form_Load();
    const int status = app.exec();
    if (!window.settingsSaved()) {
        std::fputs("veltrano: die Einstellungen konnten nicht gespeichert werden\n", stderr);
        return status == 0 ? 1 : status;
    }
    return status;
}
