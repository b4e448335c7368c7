// The "Code einlesen" dialog on fake services: what it starts with, what
// "Übernehmen" does with text it can and cannot read, and what it refuses.

#include "fixture.h"

#include "app/appearance.h"
#include "app/codereaderdialog.h"
#include "core/codereader.h"
#include "core/generators.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// What reading must leave alone when it fails.
QString snapshot(const Definition& d) {
    return gen::generateCode(d.value()) + u'|' + QString::number(d.selectedCode());
}

} // namespace

class TestCodeReaderDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appearance::installFontSubstitutes(); }

    void startsWithTheClipboard_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("refused");
        QTest::newRow("a call") << u"MsgBox \"Hallo\""_s << u"MsgBox \"Hallo\""_s << false;
        QTest::newRow("empty") << QString() << QString() << false;
        QTest::newRow("over 1 MiB") << QString(MaxSourceLength + 1, u'x') << QString() << true;
    }
    void startsWithTheClipboard() {
        QFETCH(QString, clipboard);
        QFETCH(QString, box);
        QFETCH(bool, refused);
        WindowFixture f;
        if (!clipboard.isNull())
            f.fakes.clipboard.setText(clipboard);
        CodeReaderDialog dialog(f.definition, f.fakes.services);
        QCOMPARE(dialog.sourceBox()->toPlainText(), box);
        // Selected, so that typing or pasting replaces it.
        QCOMPARE(dialog.sourceBox()->textCursor().selectedText(), box);
        QCOMPARE(dialog.messageLabel()->isVisibleTo(&dialog), refused);
        QVERIFY(dialog.applyButton()->isDefault());
        // A screen reader names the box after the line above it.
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(dialog.sourceBox());
        QVERIFY(reader && !reader->text(QAccessible::Name).isEmpty());
        QVERIFY(dialog.sourceBox()->font().fixedPitch() ||
                QFontInfo(dialog.sourceBox()->font()).fixedPitch());
    }

    void apply_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("cursor");   // where a refusal puts it, in the box
        QTest::addColumn<QString>("code"); // what the window then generates
        QTest::newRow("If with a question")
            << u"If MsgBox(\"Weiter?\", vbQuestion + vbYesNo, \"Frage\") = vbYes Then"_s << true
            << -1
            << u"\rIf MsgBox(\"Weiter?\", vbQuestion or vbYesNo or vbDefaultButton1, \"Frage\") = vbYes then\r    ' Ja\rElse\r    ' Nein\rEnd If"_s;
        // A no-break space and a line separator stay as typed.
        QTest::newRow("characters kept")
            << u"MsgBox \"a\u00A0b\u2028c\""_s << true << -1
            << u"\rMsgBox \"a\u00A0b\u2028c\", vbOKOnly or vbDefaultButton1, \"\""_s;
        // The place named is on the second line: line breaks of the box count
        // once there, twice in the text read.
        QTest::newRow("refused on line 2")
            << u"' Frage\nx = MsgBox(Meldung)"_s << false << 19 << QString();
        QTest::newRow("no call") << u"Dim x"_s << false << 0 << QString();
    }
    void apply() {
        QFETCH(QString, source);
        QFETCH(bool, read);
        QFETCH(int, cursor);
        QFETCH(QString, code);
        WindowFixture f;
        f.definition.selectButtons(3);
        f.definition.setTitle(u"vorher"_s);
        const QString before = snapshot(f.definition);
        CodeReaderDialog dialog(f.definition, f.fakes.services);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.sourceBox()->setPlainText(source);

        QTest::keyClick(dialog.sourceBox(), Qt::Key_Return, Qt::ControlModifier);

        QCOMPARE(dialog.result() == QDialog::Accepted, read);
        QCOMPARE(dialog.isVisible(), !read);
        if (read) {
            QCOMPARE(gen::generateCode(f.definition.value()), code);
            QVERIFY(!dialog.messageLabel()->isVisibleTo(&dialog));
            return;
        }
        QCOMPARE(snapshot(f.definition), before);
        QVERIFY(dialog.messageLabel()->isVisibleTo(&dialog));
        QVERIFY2(dialog.messageLabel()->text().startsWith(u"Zeile "_s),
                 qPrintable(dialog.messageLabel()->text()));
        QCOMPARE(dialog.sourceBox()->textCursor().position(), cursor);
    }

    void cancelChangesNothing() {
        WindowFixture f;
        f.fakes.clipboard.setText(u"MsgBox \"neu\", vbCritical"_s);
        const QString before = snapshot(f.definition);
        CodeReaderDialog dialog(f.definition, f.fakes.services);
        dialog.show();
        QTest::keyClick(dialog.sourceBox(), Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(snapshot(f.definition), before);
    }

    void oversizedPasteRefused() {
        WindowFixture f;
        CodeReaderDialog dialog(f.definition, f.fakes.services);
        dialog.sourceBox()->setPlainText(u"MsgBox \"x\""_s);
        auto* big = new QMimeData; // the clipboard takes it over
        big->setText(QString(MaxSourceLength, u'y'));
        QApplication::clipboard()->setMimeData(big);
        dialog.sourceBox()->paste();
        QCOMPARE(dialog.sourceBox()->toPlainText(), u"MsgBox \"x\""_s);
        QVERIFY(dialog.messageLabel()->isVisibleTo(&dialog));
    }

    // The window opens the dialog with Ctrl+Shift+V, also from a text box,
    // and keeps the definition file's name.
    void shortcutFromATextBox() {
        WindowFixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.fakes.clipboard.setText(u"MsgBox \"Gelesen\", vbInformation, \"Info\""_s);
        QString opened;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CodeReaderDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            opened = dialog->windowTitle();
            dialog->apply();
        });
        QWidget* title = f.child(u"txtTitel"_s);
        title->setFocus();
        QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(opened, u"Code einlesen"_s);
        QCOMPARE(f.definition.title(), u"Info"_s);
        QCOMPARE(f.definition.selectedIcon(), 64);
        QCOMPARE(f.window.documents().fileName(), QString());
    }
};

QTEST_MAIN(TestCodeReaderDialog)
#include "tst_codereaderdialog.moc"
