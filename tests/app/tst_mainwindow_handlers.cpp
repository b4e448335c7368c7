// The main window's option, check box and text handlers and the preview,
// reached through its real controls.

#include "fixture.h"

#include "app/appearance.h"
#include "core/msgboxtables.h"

#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
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

    // Ctrl+C copies Basic, Ctrl+Shift+N VB.NET and Ctrl+Shift+C C#, from
    // wherever the focus is, a text box included.
    void shortcutsCopy_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("call");
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        for (const QString& focus : {u"txtMessage"_s, u"txtTitel"_s, u"optButtons_1"_s}) {
            QTest::addRow("Basic, %s", qPrintable(focus))
                << focus << ctrl << int(Qt::Key_C) << u"Select Case MsgBox(\"Text\", "_s;
            QTest::addRow("VB.NET, %s", qPrintable(focus))
                << focus << ctrlShift << int(Qt::Key_N)
                << u"Select Case MsgBox(\"Text\", MsgBoxStyle.OkCancel"_s;
            QTest::addRow("C#, %s", qPrintable(focus))
                << focus << ctrlShift << int(Qt::Key_C)
                << u"switch (MessageBox.Show(\"Text\", \"\", MessageBoxButtons.OKCancel))"_s;
        }
    }
    void shortcutsCopy() {
        QFETCH(QString, focus);
        QFETCH(int, modifiers);
        QFETCH(int, key);
        QFETCH(QString, call);
        f->definition.setMessage(u"Text"_s);
        f->definition.selectButtons(1);
        QWidget* w = f->child(focus);
        w->setFocus();
        QCOMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(f->fakes.clipboard.holdsText);
        QVERIFY2(f->fakes.clipboard.text.contains(call), qPrintable(f->fakes.clipboard.text));
        QCOMPARE(f->fakes.clipboard.clears, 1);
        // A shortcut is the command's alone: the text boxes keep their text.
        QCOMPARE(f->definition.message(), u"Text"_s);
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

        // The other option handlers pass a failure over without a box; the
        // log tells of it.
        for (const char* step : {"an icon", "a default button", "a code style"}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^choosing %1 skipped: 9 "_s.arg(
                                                   QLatin1StringView(step))));
        }
        f->window.chooseIcon(7);
        f->window.chooseDefaultButton(1);
        f->window.chooseCode(9);
        QCOMPARE(f->fakes.messageBox.shown.size(), 1);
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

private:
    std::unique_ptr<WindowFixture> f;
};

QTEST_MAIN(TestHandlers)
#include "tst_mainwindow_handlers.moc"
