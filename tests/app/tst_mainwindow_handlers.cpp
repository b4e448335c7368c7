// The main window's handlers, reached through its real controls.

#include "fixture.h"

#include "app/appearance.h"
#include "app/toolbarpicture.h"
#include "core/msgboxtables.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QUrl>
#include <QWindow>

using namespace Qt::StringLiterals;
using namespace veltrano;

class TestHandlers : public QObject {
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

    void buttonSets_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("visibleDefaults");
        QTest::newRow("0") << 0 << u"vbOKOnly"_s << QStringList{u"OK"_s};
        QTest::newRow("1") << 1 << u"vbOKCancel"_s << QStringList{u"OK"_s, u"Abbrechen"_s};
        QTest::newRow("2") << 2 << u"vbAbortRetryIgnore"_s
                           << QStringList{u"Abbruch"_s, u"Wiederholen"_s, u"Ignorieren"_s};
        QTest::newRow("3") << 3 << u"vbYesNoCancel"_s
                           << QStringList{u"Ja"_s, u"Nein"_s, u"Abbrechen"_s};
        QTest::newRow("4") << 4 << u"vbYesNo"_s << QStringList{u"Ja"_s, u"Nein"_s};
        QTest::newRow("5") << 5 << u"vbRetryCancel"_s
                           << QStringList{u"Wiederholen"_s, u"Abbrechen"_s};
    }
    void buttonSets() {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QStringList, visibleDefaults);
        // Start from the third default button, so the reset can be seen.
        f->definition.selectButtons(2);
        QTest::mouseClick(f->child(u"optDefaultButton_512"_s), Qt::LeftButton);
        QCOMPARE(f->definition.value().defaultButton, msgbox::DefaultButton::Third);

        QTest::mouseClick(f->child(u"optButtons_%1"_s.arg(index)), Qt::LeftButton);
        QCOMPARE(int(f->definition.value().buttons), index);
        QCOMPARE(msgbox::facts(f->definition.value().buttons).basic, name);
        QCOMPARE(f->definition.value().defaultButton, msgbox::DefaultButton::First);
        QStringList shown;
        for (int d : {0, 256, 512}) {
            auto* b = f->child<QAbstractButton>(u"optDefaultButton_%1"_s.arg(d));
            if (b->isVisible())
                shown << b->text();
        }
        QCOMPARE(shown, visibleDefaults);
        QVERIFY(f->child<QAbstractButton>(u"optDefaultButton_0"_s)->isChecked());
        QVERIFY(f->child<QAbstractButton>(u"optButtons_%1"_s.arg(index))->isChecked());
    }

    void iconsAndDefaults_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("iconValue");
        QTest::addColumn<QString>("iconName");
        QTest::newRow("critical") << u"optIcons_16"_s << 16 << u"vbCritical"_s;
        QTest::newRow("information") << u"optIcons_64"_s << 64 << u"vbInformation"_s;
        QTest::newRow("Ohne after another") << u"optIcons_0"_s << 0 << QString();
    }
    void iconsAndDefaults() {
        QFETCH(QString, button);
        QFETCH(int, iconValue);
        QFETCH(QString, iconName);
        QTest::mouseClick(f->child(u"optIcons_48"_s), Qt::LeftButton);
        QTest::mouseClick(f->child(button), Qt::LeftButton);
        QCOMPARE(int(f->definition.value().icon), iconValue);
        QCOMPARE(msgbox::facts(f->definition.value().icon).basic, iconName);
        QVERIFY(f->child<QAbstractButton>(button)->isChecked());
        QVERIFY(!f->child<QAbstractButton>(u"optIcons_48"_s)->isChecked() || iconValue == 48);
    }

    void helpButtonAndVbs() {
        auto* help = f->child<QCheckBox>(u"chkHelpButton"_s);
        QWidget* marker = f->child(u"cmdHilfeButton"_s);
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(f->definition.helpButton(), 1);
        QVERIFY(marker->isVisible());

        QTest::mouseClick(f->child(u"optCode_3"_s), Qt::LeftButton);
        QCOMPARE(f->definition.value().code, msgbox::CodeStyle::Vbs);
        QCOMPARE(help->checkState(), Qt::Unchecked);
        QVERIFY(!marker->isVisible());

        // Under "VBS" the box refuses the tick.
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(f->definition.helpButton(), 0);
        QCOMPARE(help->checkState(), Qt::Unchecked);
        QVERIFY(!marker->isVisible());

        QTest::mouseClick(f->child(u"optCode_2"_s), Qt::LeftButton);
        QTest::mouseClick(help, Qt::LeftButton);
        QVERIFY(marker->isVisible());
        QTest::mouseClick(help, Qt::LeftButton);
        QVERIFY(!marker->isVisible());

        QTest::mouseClick(f->child(u"chkSystemModal"_s), Qt::LeftButton);
        QCOMPARE(f->definition.systemModal(), 1);
        QTest::mouseClick(f->child(u"chkSystemModal"_s), Qt::LeftButton);
        QCOMPARE(f->definition.systemModal(), 0);
    }

    void changesByProgramAreShown() {
        // New, Open and the script export change the definition directly.
        f->definition.selectIcon(32);
        f->definition.selectButtons(3);
        f->definition.selectDefaultButton(256);
        f->definition.selectCode(1);
        f->definition.setSystemModal(Definition::Grayed);
        f->definition.setTitle(u"Titel"_s);
        f->definition.setMessage(u"Zeile 1\r\nZeile 2"_s);
        QVERIFY(f->child<QAbstractButton>(u"optIcons_32"_s)->isChecked());
        QVERIFY(f->child<QAbstractButton>(u"optButtons_3"_s)->isChecked());
        QVERIFY(f->child<QAbstractButton>(u"optDefaultButton_256"_s)->isChecked());
        QVERIFY(f->child<QAbstractButton>(u"optCode_1"_s)->isChecked());
        QCOMPARE(f->child<QCheckBox>(u"chkSystemModal"_s)->checkState(), Qt::PartiallyChecked);
        QCOMPARE(f->child<QLineEdit>(u"txtTitel"_s)->text(), u"Titel"_s);
        QCOMPARE(f->child<QPlainTextEdit>(u"txtMessage"_s)->toPlainText(), u"Zeile 1\nZeile 2"_s);
        // Showing the text must not write it back changed.
        QCOMPARE(f->definition.message(), u"Zeile 1\r\nZeile 2"_s);

        // A click on a dimmed box ticks it.
        QTest::mouseClick(f->child(u"chkSystemModal"_s), Qt::LeftButton);
        QCOMPARE(f->definition.systemModal(), 1);
    }

    void typing() {
        auto* message = f->child<QPlainTextEdit>(u"txtMessage"_s);
        message->setFocus();
        QTest::keyClicks(message, u"erste"_s);
        QTest::keyClick(message, Qt::Key_Return);
        QTest::keyClicks(message, u"zweite \"Zeile\""_s);
        QCOMPARE(f->definition.message(), u"erste\r\nzweite \"Zeile\""_s);
        // Tab leaves the message box instead of typing a tab.
        QTest::keyClick(message, Qt::Key_Tab);
        QVERIFY(!message->hasFocus());
        QVERIFY(!f->definition.message().contains(u'\t'));

        auto* title = f->child<QLineEdit>(u"txtTitel"_s);
        QTest::keyClicks(title, u"Hallo"_s);
        QCOMPARE(f->definition.title(), u"Hallo"_s);
    }

    void messageKeepsEveryCharacter_data() {
        QTest::addColumn<QString>("opened"); // the message as a file gives it
        QTest::addColumn<QString>("typed");  // inserted at the end, as pasted text
        QTest::addColumn<QString>("message");
        QTest::newRow("no-break space") << u"a\u00A0b"_s << u"c"_s << u"a\u00A0bc"_s;
        QTest::newRow("line separator") << u"a\u2028b"_s << u"c"_s << u"a\u2028bc"_s;
        QTest::newRow("lines") << u"a\r\nb"_s << u"\u00A0"_s << u"a\r\nb\u00A0"_s;
        // Line breaks of any kind become block breaks of the box.
        QTest::newRow("lone CR") << u"a"_s << u"\rb"_s << u"a\r\nb"_s;
        QTest::newRow("lone LF") << u"a"_s << u"\nb"_s << u"a\r\nb"_s;
        QTest::newRow("paragraph separator") << u"a"_s << u"\u2029b"_s << u"a\r\nb"_s;
        QTest::newRow("empty last line") << u"a\r\n"_s << u""_s << u"a\r\n"_s;
    }
    void messageKeepsEveryCharacter() {
        QFETCH(QString, opened);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        f->definition.setMessage(opened);
        auto* box = f->child<QPlainTextEdit>(u"txtMessage"_s);
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(typed);
        QTest::keyClicks(box, u"z"_s);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(f->definition.message(), message);
        // Shown once more, the box does not write the message back changed.
        f->definition.setTitle(u"neu"_s);
        QCOMPARE(f->definition.message(), message);
    }

    void messageFollowsEveryEdit() {
        // The window keeps the message current edit by edit; after any mix
        // of edits it equals what the box holds.
        auto* box = f->child<QPlainTextEdit>(u"txtMessage"_s);
        QTextDocument* document = box->document();
        const QString pieces[] = {u"x"_s,    u"Zeile"_s, u"\u00A0"_s, u"\u2028"_s, u"\n"_s,
                                  u"\r\n"_s, u"\r"_s,    u"\u2029"_s, u"ä\"\""_s};
        QRandomGenerator random(20261208);
        for (int round = 0; round < 400; ++round) {
            QTextCursor cursor(document);
            const int length = document->characterCount() - 1;
            cursor.setPosition(random.bounded(length + 1));
            switch (random.bounded(6)) {
            case 0:
            case 1:
                cursor.insertText(pieces[random.bounded(int(std::size(pieces)))]);
                break;
            case 2:
                cursor.setPosition(random.bounded(length + 1), QTextCursor::KeepAnchor);
                cursor.insertText(pieces[random.bounded(int(std::size(pieces)))]);
                break;
            case 3:
                cursor.setPosition(random.bounded(length + 1), QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                break;
            case 4:
                document->undo();
                break;
            default:
                if (random.bounded(20) == 0)
                    box->setPlainText(u"neu\r\nanfangen"_s);
                else
                    document->redo();
                break;
            }
            QCOMPARE(f->definition.message(),
                     document->toRawText().replace(QChar::ParagraphSeparator, u"\r\n"_s));
        }
    }

    void longTextsSurvive() {
        // A title read from a file has no length limit; the box must not
        // shorten it, neither on showing nor when the user types on.
        const QString longTitle(40000, u'x');
        f->definition.setTitle(longTitle);
        auto* title = f->child<QLineEdit>(u"txtTitel"_s);
        QCOMPARE(title->text().size(), 40000);
        title->setFocus();
        title->end(false);
        QTest::keyClick(title, Qt::Key_Y);
        QCOMPARE(f->definition.title(), longTitle + u'y');
    }

    void ctrlCCopies_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("txtMessage") << u"txtMessage"_s;
        QTest::newRow("txtTitel") << u"txtTitel"_s;
        QTest::newRow("option button") << u"optButtons_1"_s;
    }
    void ctrlCCopies() {
        QFETCH(QString, focus);
        f->definition.setMessage(u"Text"_s);
        QWidget* w = f->child(focus);
        w->setFocus();
        QCOMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(f->fakes.clipboard.holdsText);
        QVERIFY(f->fakes.clipboard.text.contains(u"MsgBox"_s));
        QVERIFY(f->fakes.clipboard.text.contains(u"\"Text\""_s));
        QCOMPARE(f->fakes.clipboard.clears, 1);
    }

    void preview_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("systemModal");
        QTest::addColumn<int>("help");
        QTest::addColumn<int>("style");
        QTest::newRow("default") << 0 << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("everything") << 16 << 4 << 256 << 1 << 1 << 20756;
        QTest::newRow("dimmed boxes count as clear") << 48 << 3 << 512 << 2 << 2 << 48 + 3 + 512;
    }
    void preview() {
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(int, systemModal);
        QFETCH(int, help);
        QFETCH(int, style);
        f->definition.selectIcon(icon);
        f->definition.selectButtons(buttons);
        f->definition.selectDefaultButton(defaultButton);
        f->definition.setSystemModal(systemModal);
        f->definition.setHelpButton(help);
        f->definition.setTitle(u" Titel \"mit\" Blanks "_s);
        f->definition.setMessage(u"a\r\nb"_s);
        QTest::keyClick(&f->window, Qt::Key_F5);
        QCOMPARE(f->fakes.messageBox.shown.size(), 1);
        const MessageBoxRequest& r = f->fakes.messageBox.shown.first();
        QCOMPARE(r.style, style);
        QCOMPARE(r.title, u" Titel \"mit\" Blanks "_s);
        QCOMPARE(r.text, u"a\r\nb"_s);
        QCOMPARE(r.withHelpFile, help == 1);
        QVERIFY(r.helpFile.isEmpty());
        QCOMPARE(r.helpContext, 0);
    }

    void buttonSetFailureIsReported() {
        f->definition.selectButtons(4);
        f->window.chooseButtons(7);
        QCOMPARE(f->fakes.messageBox.shown.size(), 1);
        const MessageBoxRequest& r = f->fakes.messageBox.shown.first();
        QCOMPARE(r.title, u"frmMsgBox_optButtons_Click"_s);
        QCOMPARE(r.style, 16);
        QVERIFY(r.text.startsWith(u"9 "_s));
        QVERIFY(f->child<QAbstractButton>(u"optButtons_4"_s)->isChecked());

        // The other option handlers pass a failure over silently.
        f->window.chooseIcon(7);
        f->window.chooseDefaultButton(1);
        f->window.chooseCode(9);
        QCOMPARE(f->fakes.messageBox.shown.size(), 1);
    }

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

    // A NUL, which no definition file can hold, never gets into either box:
    // the text holding it is refused whole, with a notice, and a drag of it
    // with the no-drop cursor.
    void nulIsRefused_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("how");
        for (const char* box : {"txtTitel", "txtMessage"}) {
            for (const char* how : {"paste", "key", "input method", "drop"})
                QTest::addRow("%s, %s", box, how)
                    << QString::fromLatin1(box) << QString::fromLatin1(how);
        }
    }
    void nulIsRefused() {
        QFETCH(QString, box);
        QFETCH(QString, how);
        f->definition.setTitle(u"Vorher"_s);
        f->definition.setMessage(u"Vorher"_s);
        QWidget* target = f->child(box);
        target->setFocus();
        const QString text = u"a\0b"_s;

        if (how == u"paste") {
            QGuiApplication::clipboard()->setText(text);
            QVERIFY(QMetaObject::invokeMethod(target, "paste"));
        } else if (how == u"key") {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
            QCoreApplication::sendEvent(target, &press);
        } else if (how == u"input method") {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(target, &commit);
        } else {
            QMimeData data;
            data.setText(text);
            const QPoint at = target->mapTo(&f->window, target->rect().center());
            QWindow* window = f->window.windowHandle();
            const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
            QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(window, &enter);
            QDragMoveEvent move(at, offered, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(window, &move);
            QVERIFY(!move.isAccepted() || move.dropAction() == Qt::IgnoreAction);
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(window, &leave);
        }

        QCOMPARE(f->definition.title(), u"Vorher"_s);
        QCOMPARE(f->definition.message(), u"Vorher"_s);
        QCOMPARE(f->child<QLineEdit>(u"txtTitel"_s)->text(), u"Vorher"_s);
        QCOMPARE(f->child<QPlainTextEdit>(u"txtMessage"_s)->toPlainText(), u"Vorher"_s);
        QCOMPARE(f->fakes.messageBox.shown.size(), how == u"drop" ? 0 : 1);
        if (how != u"drop")
            QCOMPARE(f->fakes.messageBox.shown[0].style, 48);
        // The box goes on taking text without a NUL.
        QTest::keyClicks(target, u"x"_s);
        QVERIFY(!(box == u"txtTitel" ? f->definition.title() : f->definition.message())
                     .contains(QChar(u'\0')));
        QVERIFY(
            (box == u"txtTitel" ? f->definition.title() : f->definition.message()).contains(u'x'));
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

QTEST_MAIN(TestHandlers)
#include "tst_mainwindow_handlers.moc"
