// The main window's commands: files dropped on it, the toolbar pictures and
// the menu, reached through its real controls.

#include "fixture.h"

#include "app/appearance.h"
#include "app/toolbarpicture.h"
#include "core/generators.h"

#include <QAction>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWindow>

using namespace Qt::StringLiterals;
using namespace veltrano;

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appearance::installFontSubstitutes(); }
    void init() {
        f = std::make_unique<WindowFixture>();
        f->window.show();
        f->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
    }
    void cleanup() { f.reset(); }

    // --- drag and drop -----------------------------------------------------

    // Drags go through the window's own dispatch, as the platform sends them,
    // so the widget under the point decides where they land.
    void drops_data() {
        QTest::addColumn<QString>("target"); // the widget under the drag
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Qt::DropActions>("offered");
        QTest::addColumn<Qt::DropAction>("taken"); // IgnoreAction: the no-drop cursor
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("title");  // afterwards
        QTest::addColumn<QString>("report"); // the error report's start, if any

        const QStringList file{u"file:///home/user/a.msg"_s};
        const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
        const QString opened = u"Aus der Datei"_s;
        const QString kept = u"Vorher"_s;
        QTest::newRow("file on an option") << u"optButtons_3"_s << file << QString() << copyOrMove
                                           << Qt::CopyAction << true << opened << QString();
        QTest::newRow("file on the title box, no path typed")
            << u"txtTitel"_s << file << u"/home/user/a.msg"_s << copyOrMove << Qt::CopyAction
            << true << opened << QString();
        QTest::newRow("file on the message box")
            << u"txtMessage"_s << file << u"/home/user/a.msg"_s << copyOrMove << Qt::CopyAction
            << true << opened << QString();
        QTest::newRow("file on the menu bar")
            << u"menubar"_s << file << QString() << Qt::DropActions(Qt::LinkAction)
            << Qt::LinkAction << true << opened << QString();
        QTest::newRow("file offered only to move")
            << u"fraIcons"_s << file << QString() << Qt::DropActions(Qt::MoveAction)
            << Qt::IgnoreAction << false << kept << QString();
        QTest::newRow("two files")
            << u"optIcons_0"_s << QStringList{file[0], u"file:///home/user/b.msg"_s} << QString()
            << copyOrMove << Qt::IgnoreAction << false << kept << QString();
        QTest::newRow("web address on the title box")
            << u"txtTitel"_s << QStringList{u"https://example.org/a.msg"_s}
            << u"https://example.org/a.msg"_s << copyOrMove << Qt::IgnoreAction << false << kept
            << QString();
        QTest::newRow("text on the title box")
            << u"txtTitel"_s << QStringList() << u"Neu"_s << copyOrMove << Qt::CopyAction << false
            << kept + u"Neu"_s << QString();
        QTest::newRow("missing file")
            << u"chkSystemModal"_s << QStringList{u"file:///home/user/fehlt.msg"_s} << QString()
            << copyOrMove << Qt::CopyAction << false << kept << u"53 Datei nicht gefunden"_s;
        QTest::newRow("text on an option")
            << u"optCode_1"_s << QStringList() << u"Neu"_s << copyOrMove << Qt::IgnoreAction
            << false << kept << QString();
    }
    void drops() {
        QFETCH(QString, target);
        QFETCH(QStringList, urls);
        QFETCH(QString, text);
        QFETCH(Qt::DropActions, offered);
        QFETCH(Qt::DropAction, taken);
        QFETCH(bool, opens);
        QFETCH(QString, title);
        QFETCH(QString, report);
        f->fakes.fileSystem.files.insert(u"/home/user/a.msg"_s,
                                         " 64 \r\n 4 \r\n 0 \r\n 2 \r\nAus der Datei\r\nText\r\n");
        f->definition.setTitle(u"Vorher"_s);
        auto* titleBox = f->child<QLineEdit>(u"txtTitel"_s);
        titleBox->setFocus();
        titleBox->end(false);

        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(QUrl::fromStringList(urls));
        if (!text.isEmpty())
            data.setText(text);
        QWidget* over = f->child(target);
        QVERIFY(over);
        const QPoint at = over->mapTo(&f->window, over->rect().center());
        QWindow* window = f->window.windowHandle();
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &enter);
        QDragMoveEvent move(at, offered, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &move);
        QCOMPARE(move.isAccepted() ? move.dropAction() : Qt::IgnoreAction, taken);
        if (taken != Qt::IgnoreAction) {
            QDropEvent drop(at, offered, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(window, &drop);
            QCOMPARE(drop.dropAction(), taken);
        } else {
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(window, &leave);
        }
        // The file opens from the event loop, after the drop has ended.
        QCoreApplication::processEvents();

        QCOMPARE(f->definition.title(), title);
        QCOMPARE(f->definition.selectedIcon(), opens ? 64 : 0);
        QCOMPARE(f->window.documents().fileName(), opens ? u"/home/user/a.msg"_s : QString());
        QCOMPARE(f->fakes.messageBox.shown.size(), report.isEmpty() ? 0 : 1);
        if (!report.isEmpty()) {
            QCOMPARE(f->fakes.messageBox.shown[0].title, u"frmMsgBox_mnuLaden_Click"_s);
            QVERIFY(f->fakes.messageBox.shown[0].text.startsWith(report));
        }
        QVERIFY(f->fakes.fileDialogs.openRequests.isEmpty());
        QVERIFY(f->fakes.settings.writes.isEmpty());
    }

    // --- toolbar -----------------------------------------------------------

    void pressShiftsPicture_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("0 left") << 0 << Qt::LeftButton;
        QTest::newRow("7 left") << 7 << Qt::LeftButton;
        QTest::newRow("9 right") << 9 << Qt::RightButton;
        QTest::newRow("4 middle") << 4 << Qt::MiddleButton;
    }
    void pressShiftsPicture() {
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, button);
        ToolbarPicture* p = f->window.toolbarPicture(index);
        const int left = p->leftTwips();
        const int top = p->topTwips();
        const QPoint designed = p->pos();
        QTest::mousePress(p, button);
        QCOMPARE(p->leftTwips(), left + 20);
        QCOMPARE(p->topTwips(), top + 20);
        QCOMPARE(p->pos(), QPoint((left + 20 + 7) / 15, (top + 20 + 7) / 15));
        QTest::mouseRelease(p, button);
        QCOMPARE(p->leftTwips(), left);
        QCOMPARE(p->topTwips(), top);
        QCOMPARE(p->pos(), designed);
    }

    void picturesReturnAfterManyPresses() {
        QList<QPoint> designed;
        for (int i = 0; i <= 10; ++i)
            designed << f->window.toolbarPicture(i)->pos();
        ToolbarPicture* p = f->window.toolbarPicture(1);
        for (int round = 0; round < 25; ++round) {
            // Interleaved buttons, a release off the picture, a double click.
            QTest::mousePress(p, Qt::LeftButton);
            QTest::mousePress(p, Qt::RightButton, Qt::ShiftModifier);
            QTest::mouseRelease(p, Qt::RightButton, Qt::ShiftModifier);
            QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(300, 200));
            doubleClick(f->window.toolbarPicture(9));
        }
        for (int i = 0; i <= 10; ++i)
            QCOMPARE(f->window.toolbarPicture(i)->pos(), designed[i]);
        QCOMPARE(p->leftTwips(), 705);
        QCOMPARE(p->topTwips(), 75);
        // Released off the picture: no save was started.
        QVERIFY(f->fakes.fileDialogs.saveRequests.isEmpty());
    }

    void doubleClickRunsTheCommandOnce() {
        // Press, release, double click, release, as Qt delivers them.
        ToolbarPicture* p = f->window.toolbarPicture(0);
        const QPoint designed = p->pos();
        doubleClick(p);
        QCOMPARE(p->pos(), designed);
        QCOMPARE(f->fakes.fileDialogs.openRequests.size(), 1);
        doubleClick(p);
        QCOMPARE(p->pos(), designed);
        QCOMPARE(f->fakes.fileDialogs.openRequests.size(), 2);
    }

    void releaseOutsideMovesBackWithoutCommand() {
        ToolbarPicture* p = f->window.toolbarPicture(3);
        const QPoint designed = p->pos();
        QTest::mousePress(p, Qt::LeftButton);
        QTest::mouseMove(p, QPoint(200, 150));
        QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(200, 150));
        QCOMPARE(p->pos(), designed);
        QVERIFY(f->fakes.messageBox.shown.isEmpty());
        QTest::mouseClick(p, Qt::RightButton);
        QVERIFY(f->fakes.messageBox.shown.isEmpty());
    }

    // Each entry of "Kopieren als" puts the code of its own language on the
    // clipboard.
    void copyAsCopiesItsLanguage_data() {
        QTest::addColumn<int>("language");
        for (const lang::LanguageFacts& row : lang::languages()) {
            if (!row.copyAsCaption.isEmpty())
                QTest::newRow(qPrintable(row.value.toString())) << int(row.language);
        }
    }
    void copyAsCopiesItsLanguage() {
        QFETCH(int, language);
        const lang::LanguageFacts& row = lang::facts(lang::Language(language));
        f->definition.selectButtons(4);
        f->definition.setMessage(u"Weiter?"_s);
        auto* action = f->window.findChild<QAction*>(row.copyCommand.toString());
        QVERIFY(action);
        action->trigger();
        QCOMPARE(f->fakes.clipboard.text,
                 gen::generateCode(f->definition.value(), lang::Language(language)));
    }

    void toolbarRunsCommand_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("effect");
        QTest::newRow("0 Laden") << 0 << u"open"_s;
        QTest::newRow("1 Speichern without file name") << 1 << u"save"_s;
        QTest::newRow("2 Speichern unter") << 2 << u"save"_s;
        QTest::newRow("3 Vorschau") << 3 << u"box 0"_s;
        QTest::newRow("4 Quellcode") << 4 << u"box code"_s;
        QTest::newRow("5 Kopieren") << 5 << u"clipboard"_s;
        QTest::newRow("6 Info") << 6 << u"box Freeware"_s;
        QTest::newRow("7 Beenden") << 7 << u"closed"_s;
        QTest::newRow("8 Neu") << 8 << u"new"_s;
        QTest::newRow("9 Update suchen") << 9 << u"nothing"_s;
        QTest::newRow("10 VB-Script") << 10 << u"save"_s;
    }
    void toolbarRunsCommand() {
        QFETCH(int, index);
        QFETCH(QString, effect);
        f->definition.selectIcon(64);
        f->definition.setMessage(u"Hallo"_s);
        QTest::mouseClick(f->window.toolbarPicture(index), Qt::LeftButton);
        const FakeServices& s = f->fakes;
        QCOMPARE(s.fileDialogs.openRequests.size(), effect == u"open"_s ? 1 : 0);
        QCOMPARE(s.fileDialogs.saveRequests.size(), effect == u"save"_s ? 1 : 0);
        QCOMPARE(s.clipboard.holdsText, effect == u"clipboard"_s);
        QCOMPARE(f->window.isVisible(), effect != u"closed"_s);
        QCOMPARE(int(f->definition.value().icon), effect == u"new"_s ? 0 : 64);
        if (effect.startsWith(u"box"_s)) {
            QCOMPARE(s.messageBox.shown.size(), 1);
            const MessageBoxRequest& r = s.messageBox.shown.first();
            if (effect == u"box 0"_s)
                QCOMPARE(r.style, 64);
            if (effect == u"box code"_s)
                QVERIFY(r.text.contains(u"MsgBox"_s));
            if (effect == u"box Freeware"_s)
                QCOMPARE(r.title, u"Freeware"_s);
        } else {
            QCOMPARE(s.messageBox.shown.size(), 0);
        }
        if (effect == u"nothing"_s) {
            QVERIFY(s.settings.writes.isEmpty());
            QVERIFY(s.shell.opened.isEmpty());
            QCOMPARE(f->definition.message(), u"Hallo"_s);
        }
    }

    // Each picture stands for the very action of its menu item: a click on
    // it runs that command once. Picture 9 has an enabled action of its own,
    // while the menu's update entry stays unavailable.
    void picturesShareTheMenuCommands_data() {
        QTest::addColumn<int>("index");
        for (int index = 0; index <= 10; ++index)
            QTest::addRow("%d", index) << index;
    }
    void picturesShareTheMenuCommands() {
        QFETCH(int, index);
        QAction* action = f->window.toolbarPicture(index)->defaultAction();
        QVERIFY(action);
        QList<QAction*> menuItems;
        for (QMenu* menu : f->window.menuBar()->findChildren<QMenu*>())
            menuItems += menu->actions();
        auto* update = f->window.findChild<QAction*>(u"mnuUpdateSuchen"_s);
        if (index == 9) {
            QVERIFY(!menuItems.contains(action));
            QVERIFY(action->isEnabled());
            QVERIFY(!update->isEnabled());
        } else {
            QVERIFY(menuItems.contains(action));
        }
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::mouseClick(f->window.toolbarPicture(index), Qt::LeftButton);
        QCOMPARE(triggered.size(), 1);
    }

    void menuCommands() {
        f->window.findChild<QAction*>(u"mnuWebsite"_s)->trigger();
        QCOMPARE(f->fakes.shell.opened.size(), 1);
        QVERIFY(f->fakes.shell.opened.first().startsWith(u"https://"_s));
        f->window.findChild<QAction*>(u"mnuEinstellungen"_s)->trigger();
        QCOMPARE(f->settingsDialogParents, QList<QWidget*>{&f->window});
        // The update entries do nothing, even when triggered.
        for (const char* name : {"mnuUpdateIE", "mnuUpdateCheck", "mnuUpdateCheckAllwaysOff",
                                 "mnuUpdateSuchen", "updatePicture"})
            f->window.findChild<QAction*>(QLatin1StringView(name))->trigger();
        QVERIFY(f->window.findChild<QAction*>(u"mnuUpdateIE"_s)->isChecked());
        QVERIFY(f->fakes.settings.writes.isEmpty());
        QCOMPARE(f->fakes.shell.opened.size(), 1);
        QVERIFY(f->fakes.messageBox.shown.isEmpty());
    }

private:
    // A double click through the window system, which turns the second
    // press into a double-click event (the QWidget overload of
    // QTest::mouseDClick sends that event alone).
    void doubleClick(QWidget* picture) {
        QWindow* handle = f->window.windowHandle();
        const QPoint at = picture->mapTo(&f->window, picture->rect().center());
        QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
    }

    std::unique_ptr<WindowFixture> f;
};

QTEST_MAIN(TestCommands)
#include "tst_mainwindow_commands.moc"
