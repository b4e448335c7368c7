// A process killed with SIGKILL in the middle of a save: the file it was
// writing holds the old content or the new one, never a part.
#include "platform/qtsettingsstore.h"
#include "tests/faults/savercontent.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace veltrano;

class tst_KilledSave : public QObject {
    Q_OBJECT

private slots:
    void fileIsOldOrNew_data();
    void fileIsOldOrNew();
};

void tst_KilledSave::fileIsOldOrNew_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("definition file") << u"file"_s;
    QTest::newRow("settings file") << u"settings"_s;
}

void tst_KilledSave::fileIsOldOrNew() {
    QFETCH(QString, mode);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(mode == u"file" ? u"big.msg"_s : u"Veltrano.conf"_s);
    QRandomGenerator random(20261208);

    for (int round = 0; round < 8; ++round) {
        QProcess saver;
        saver.start(QStringLiteral(VELTRANO_SAVER), {mode, path});
        QVERIFY2(saver.waitForStarted(), qPrintable(saver.errorString()));
        QVERIFY(saver.waitForReadyRead(30000));
        QCOMPARE(saver.readLine().trimmed(), QByteArray("ready"));
        // Somewhere in the middle of one of the next saves.
        QThread::msleep(random.bounded(5, 80));
        saver.kill(); // SIGKILL
        QVERIFY(saver.waitForFinished(10000));
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

        if (mode == u"file") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(
                bytes == saver::contentFor(0) || bytes == saver::contentFor(1),
                qPrintable(u"round %1: %2 bytes of mixed content"_s.arg(round).arg(bytes.size())));
        } else {
            QSettings ini(path, QSettings::IniFormat);
            QCOMPARE(ini.status(), QSettings::NoError);
            const QString value = ini.value(u"Options/"_s + saver::settingsKey()).toString();
            QVERIFY2(
                value == saver::settingsValueFor(0) || value == saver::settingsValueFor(1),
                qPrintable(u"round %1: value of %2 characters"_s.arg(round).arg(value.size())));
            QCOMPARE(ini.value(u"Options/FirstStart"_s).toString(), u"True"_s);
            // And the program's own store reads it back as well.
            QtSettingsStore store(path);
            QCOMPARE(store.read(u"FirstStart"_s, u"False"_s), u"True"_s);
        }
    }
}

QTEST_GUILESS_MAIN(tst_KilledSave)
#include "tst_killedsave.moc"
