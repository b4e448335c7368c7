// Start-up, the stored window position and the end of the program.

#include "fixture.h"

#include "app/appearance.h"
#include "app/windows.h"
#include "datafolder/datafolderdialog.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLocale>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// A top-level window that runs a callback while it is being closed.
class ClosingProbe : public QWidget {
public:
    std::function<void()> onClose;
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        if (onClose)
            onClose();
        event->accept();
    }
};

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        appearance::installFontSubstitutes();
        // Positions are stored with a decimal point whatever the locale.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void firstStart() {
        bool visibleDuringDialog = false;
        QMap<QString, QString> storedDuringDialog;
        QString pathDuringDialog;
        f->duringSettingsDialog = [&] {
            visibleDuringDialog = f->window.isVisible();
            storedDuringDialog = f->fakes.settings.values;
            pathDuringDialog = f->fakes.session.dataFolderPath;
        };
        f->lifecycle.start();
        QCOMPARE(f->settingsDialogParents, QList<QWidget*>{&f->window});
        QVERIFY(visibleDuringDialog);
        QCOMPARE(storedDuringDialog.value(u"EinstellungSpeicherOrt"_s), u"1"_s);
        QVERIFY(!storedDuringDialog.contains(u"FirstStart"_s));
        QCOMPARE(pathDuringDialog, u"Veltrano/"_s);
        QCOMPARE(f->fakes.settings.values.value(u"FirstStart"_s), u"True"_s);
        // Only after the dialog the window goes to the default 100, 100 twips.
        QCOMPARE(f->window.pos(), QPoint(7, 7));
        QVERIFY(f->window.isVisible());
    }

    // A file named on the command line opens once the start-up steps, the
    // first-start set-up included, are done, as Open opens it.
    void fileArgument_data() {
        QTest::addColumn<bool>("firstStart");
        QTest::addColumn<QByteArray>("file"); // null: there is no such file
        QTest::addColumn<QString>("report");  // empty: the file opens
        const QByteArray good(" 48 \r\n 4 \r\n 256 \r\n 1 \r\nTitel\r\nText\r\n");
        QTest::newRow("first start") << true << good << QString();
        QTest::newRow("later start") << false << good << QString();
        QTest::newRow("missing") << false << QByteArray() << u"53 Datei nicht gefunden"_s;
        QTest::newRow("too short, first start")
            << true << QByteArray(" 48 \r\n 4 \r\n") << u"62 Einlesen hinter Dateiende"_s;
    }
    void fileArgument() {
        QFETCH(bool, firstStart);
        QFETCH(QByteArray, file);
        QFETCH(QString, report);
        const QString path = u"/home/user/Dokumente/a.msg"_s;
        if (!file.isNull())
            f->fakes.fileSystem.files.insert(path, file);
        if (!firstStart)
            f->fakes.settings.values.insert(u"FirstStart"_s, u"True"_s);
        int iconDuringDialog = -1;
        f->duringSettingsDialog = [&] { iconDuringDialog = f->definition.selectedIcon(); };

        f->lifecycle.start(path);

        QCOMPARE(f->settingsDialogParents.size(), firstStart ? 1 : 0);
        QCOMPARE(iconDuringDialog, firstStart ? 0 : -1);
        QVERIFY(f->window.isVisible());
        const bool opened = report.isEmpty();
        QCOMPARE(f->definition.selectedIcon(), opened ? 48 : 0);
        QCOMPARE(f->definition.title(), opened ? u"Titel"_s : QString());
        QCOMPARE(f->window.documents().fileName(), opened ? path : QString());
        QVERIFY(!f->fakes.settings.writes.contains(u"Extension"_s));
        QCOMPARE(f->fakes.messageBox.shown.size(), opened ? 0 : 1);
        if (!opened) {
            QCOMPARE(f->fakes.messageBox.shown[0].title, u"frmMsgBox_mnuLaden_Click"_s);
            QVERIFY(f->fakes.messageBox.shown[0].text.startsWith(report));
        }
    }

    void laterStart_data() {
        QTest::addColumn<QString>("firstStart");
        QTest::addColumn<bool>("setUpRuns");
        QTest::newRow("True") << u"True"_s << false;
        QTest::newRow("false is not False") << u"false"_s << false;
        QTest::newRow("TRUE") << u"TRUE"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("False") << u"False"_s << true;
    }
    void laterStart() {
        QFETCH(QString, firstStart);
        QFETCH(bool, setUpRuns);
        f->fakes.settings.values = {{u"FirstStart"_s, firstStart},
                                    {u"EinstellungSpeicherPfad"_s, u"/srv/daten/"_s},
                                    {u"frmMsgBoxLeft"_s, u"1500"_s},
                                    {u"frmMsgBoxTop"_s, u"3000"_s}};
        f->lifecycle.start();
        QCOMPARE(f->settingsDialogParents.size(), setUpRuns ? 1 : 0);
        QCOMPARE(f->fakes.settings.writes.contains(u"EinstellungSpeicherOrt"_s), setUpRuns);
        QCOMPARE(f->fakes.session.dataFolderPath, u"/srv/daten/"_s);
        QCOMPARE(f->window.pos(), QPoint(100, 200));
        QVERIFY(f->window.isVisible());
    }

    void storedPosition_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QPoint>("expected"); // -1: the designed coordinate
        QTest::newRow("whole twips") << u"1500"_s << u"750"_s << QPoint(100, 50);
        QTest::newRow("rounded to nearest pixel") << u"1507.5"_s << u"22"_s << QPoint(101, 1);
        QTest::newRow("not a number left") << u"abc"_s << u"1500"_s << QPoint(-1, 100);
        QTest::newRow("not a number top") << u"1500"_s << u"abc"_s << QPoint(100, -1);
        QTest::newRow("decimal comma") << u"1500,5"_s << u"1500"_s << QPoint(-1, 100);
        QTest::newRow("empty") << QString() << QString() << QPoint(-1, -1);
        QTest::newRow("infinite") << u"inf"_s << u"1500"_s << QPoint(-1, 100);
        QTest::newRow("huge") << u"1e30"_s << u"1500"_s << QPoint(-1, 100);
        QTest::newRow("off every screen") << u"-3000000"_s << u"-3000000"_s << QPoint(-1, -1);
    }
    void storedPosition() {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(QPoint, expected);
        const QPoint designed = f->window.pos();
        f->fakes.settings.values = {{u"frmMsgBoxLeft"_s, left}, {u"frmMsgBoxTop"_s, top}};
        f->lifecycle.restorePosition();
        QCOMPARE(f->window.pos(), QPoint(expected.x() < 0 ? designed.x() : expected.x(),
                                         expected.y() < 0 ? designed.y() : expected.y()));
    }

    void closeSavesPosition() {
        f->fakes.settings.values.insert(u"FirstStart"_s, u"True"_s);
        f->lifecycle.start();
        f->window.move(40, 61);
        QTRY_COMPARE(f->window.pos(), QPoint(40, 61));
        f->window.close();
        QCOMPARE(f->fakes.settings.values.value(u"frmMsgBoxLeft"_s), u"600"_s);
        QCOMPARE(f->fakes.settings.values.value(u"frmMsgBoxTop"_s), u"915"_s);
        QCOMPARE(f->fakes.settings.flushes, 1);
        QVERIFY(f->lifecycle.settingsSaved());

        // What was written is read back as the same place.
        WindowFixture next;
        next.fakes.settings.values = f->fakes.settings.values;
        next.lifecycle.start();
        QCOMPARE(next.window.pos(), QPoint(40, 61));
    }

    void closeWhileMinimisedKeepsPosition_data() {
        QTest::addColumn<Qt::WindowState>("state");
        QTest::newRow("minimised") << Qt::WindowMinimized;
        QTest::newRow("maximised") << Qt::WindowMaximized;
    }
    void closeWhileMinimisedKeepsPosition() {
        QFETCH(Qt::WindowState, state);
        f->fakes.settings.values = {{u"FirstStart"_s, u"True"_s},
                                    {u"frmMsgBoxLeft"_s, u"300"_s},
                                    {u"frmMsgBoxTop"_s, u"450"_s}};
        f->lifecycle.start();
        f->window.setWindowState(state);
        f->window.close();
        QCOMPARE(f->fakes.settings.values.value(u"frmMsgBoxLeft"_s), u"300"_s);
        QCOMPARE(f->fakes.settings.values.value(u"frmMsgBoxTop"_s), u"450"_s);
        QCOMPARE(f->fakes.settings.flushes, 1);
    }

    void failedFlushIsKnown() {
        f->fakes.settings.flushResult = false;
        f->window.show();
        f->window.close();
        QVERIFY(!f->lifecycle.settingsSaved());
    }

    void beendenClosesEveryWindow() {
        f->window.show();
        ClosingProbe other;
        other.show();
        f->window.quit();
        QVERIFY(!f->window.isVisible());
        QVERIFY(!other.isVisible());
        QCOMPARE(other.closes, 1);
        QCOMPARE(f->fakes.settings.flushes, 1);
    }

    void secondEndWhileUnloadingReturnsAtOnce() {
        f->window.show();
        ClosingProbe probe;
        bool unloadingSeen = false;
        probe.onClose = [&] {
            unloadingSeen = isClosingAllWindows();
            // A second end command in the middle of the first.
            f->window.quit();
        };
        probe.show();
        ClosingProbe third;
        third.show();
        closeAllWindows();
        QVERIFY(unloadingSeen);
        QCOMPARE(probe.closes, 1);
        QCOMPARE(third.closes, 1);
        QVERIFY(!f->window.isVisible());
        QCOMPARE(f->fakes.settings.flushes, 1);
        QVERIFY(!isClosingAllWindows());

        // The flag is clear again: a later call works.
        ClosingProbe late;
        late.show();
        closeAllWindows();
        QCOMPARE(late.closes, 1);
    }

    // The real data folder dialog opens modally over the window and the
    // command returns once it is closed.
    void settingsCommandOpensDataFolderDialog() {
        WindowFixture real;
        real.window.setDataFolderDialogOpener([](QWidget* parent, Services& services) {
            veltrano::showDataFolderDialog(parent, services);
        });
        real.window.show();
        QString seen;
        QTimer closer;
        closer.setInterval(20);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->objectName();
                modal->close();
            }
        });
        closer.start();
        real.window.showDataFolderDialog();
        closer.stop();
        QCOMPARE(seen, u"frmSpeicherpfad"_s);
    }

private:
    std::unique_ptr<WindowFixture> f;
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
