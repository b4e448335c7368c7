// Saves one file over and over until it is killed, for tst_killedsave:
//   faults_saver file <path>      the definition-file writer of the program
//   faults_saver settings <path>  the settings store
// The two contents it alternates between are those contentFor() gives for
// 0 and 1. Prints "ready" once the first save is complete.
//   faults_saver count <path> <key> <rounds>
// stores 0, 1, ... rounds - 1 under key, flushing each, for
// tst_settingsfaults; exits 1 as soon as a flush fails.
#include "platform/qtfilesystem.h"
#include "platform/qtsettingsstore.h"
#include "tests/faults/savercontent.h"

#include <QCoreApplication>

#include <cstdio>

using namespace veltrano;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == u"count") {
        QtSettingsStore settings(args[2]);
        for (int round = 0; round < args[4].toInt(); ++round) {
            settings.write(args[3], QString::number(round));
            if (!settings.flush())
                return 1;
        }
        return 0;
    }
    if (args.size() != 3)
        return 2;
    const QString path = args[2];
    QtFileSystem disk;
    QtSettingsStore settings(path);
    for (int round = 0;; ++round) {
        if (args[1] == u"file") {
            disk.writeAtomically(path, saver::contentFor(round % 2));
        } else {
            settings.write(saver::settingsKey(), saver::settingsValueFor(round % 2));
            settings.write(QStringLiteral("FirstStart"), QStringLiteral("True"));
            if (!settings.flush())
                return 1;
        }
        if (round == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
