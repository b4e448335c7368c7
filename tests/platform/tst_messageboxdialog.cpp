#include "platform/qtmessagebox.h"
#include "platform/qtmessageboxdialog.h"
#include "platform/translations.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

MessageBoxRequest request(int style, const QString& text = u"Meldung"_s,
                          const QString& title = u"Titel"_s) {
    return MessageBoxRequest{text, style, title, false, {}, 0};
}

QStringList captions(const MessageBoxDialog& box) {
    QStringList result;
    for (const QPushButton* b : box.answerButtons())
        result.append(b->text());
    return result;
}

bool showAndActivate(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowExposed(&w);
}

} // namespace

class TestMessageBoxDialog : public QObject {
    Q_OBJECT

private slots:
    void buttonsPerSet_data();
    void buttonsPerSet();
    void defaultButton_data();
    void defaultButton();
    void escapeAndClose_data();
    void escapeAndClose();
    void helpButtonKeepsBoxOpen();
    void arrowKeysWalkTheButtons();
    void icons_data();
    void icons();
    void modality_data();
    void modality();
    void lineBreaks_data();
    void lineBreaks();
    void copyWholeText();
    void titleShownAsGiven_data();
    void titleShownAsGiven();
    void hugeTextScrollsInsideTheScreen();
    void shortTextNeedsNoScrolling();
    void codeKeepsItsLines();
    void serviceReturnsTheButtonPressed();
    void germanTranslationsLoad();
};

void TestMessageBoxDialog::buttonsPerSet_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("results");
    QTest::newRow("0 OK") << 0 << QStringList{u"OK"_s} << QList<int>{1};
    QTest::newRow("1 OK Abbrechen")
        << 1 << QStringList{u"OK"_s, u"Abbrechen"_s} << QList<int>{1, 2};
    QTest::newRow("2 Abbruch Wiederholen Ignorieren")
        << 2 << QStringList{u"Abbruch"_s, u"Wiederholen"_s, u"Ignorieren"_s} << QList<int>{3, 4, 5};
    QTest::newRow("3 Ja Nein Abbrechen")
        << 3 << QStringList{u"Ja"_s, u"Nein"_s, u"Abbrechen"_s} << QList<int>{6, 7, 2};
    QTest::newRow("4 Ja Nein") << 4 << QStringList{u"Ja"_s, u"Nein"_s} << QList<int>{6, 7};
    QTest::newRow("5 Wiederholen Abbrechen")
        << 5 << QStringList{u"Wiederholen"_s, u"Abbrechen"_s} << QList<int>{4, 2};
    QTest::newRow("with every flag")
        << 3 + 48 + 512 + 4096 + 16384 << QStringList{u"Ja"_s, u"Nein"_s, u"Abbrechen"_s}
        << QList<int>{6, 7, 2};
    QTest::newRow("unknown set") << 9 << QStringList{u"OK"_s} << QList<int>{1};
}

void TestMessageBoxDialog::buttonsPerSet() {
    QFETCH(int, style);
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, results);
    for (int i = 0; i < results.size(); ++i) {
        MessageBoxDialog box(request(style));
        QCOMPARE(::captions(box), captions);
        box.show();
        box.answerButtons().at(i)->click();
        QCOMPARE(box.result(), results.at(i));
        QVERIFY(!box.isVisible());
    }
}

void TestMessageBoxDialog::defaultButton_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("enterResult");
    QTest::newRow("OK, first") << 0 << 0 << 1;
    QTest::newRow("OK, second wanted") << 256 << 0 << 1;
    QTest::newRow("OK Abbrechen, second") << 1 + 256 << 1 << 2;
    QTest::newRow("OK Abbrechen, third wanted") << 1 + 512 << 0 << 1;
    QTest::newRow("Abbruch.., third") << 2 + 512 << 2 << 5;
    QTest::newRow("Ja Nein Abbrechen, second") << 3 + 256 << 1 << 7;
    QTest::newRow("Ja Nein Abbrechen, third") << 3 + 512 << 2 << 2;
    QTest::newRow("Ja Nein, second") << 4 + 256 << 1 << 7;
    QTest::newRow("Ja Nein, third wanted") << 4 + 512 << 0 << 6;
    QTest::newRow("fourth wanted") << 3 + 768 << 0 << 6;
    QTest::newRow("second with help") << 5 + 256 + 16384 << 1 << 2;
    QTest::newRow("question 292") << 292 << 1 << 7;
}

void TestMessageBoxDialog::defaultButton() {
    QFETCH(int, style);
    QFETCH(int, index);
    QFETCH(int, enterResult);
    MessageBoxDialog box(request(style));
    QVERIFY(showAndActivate(box));
    for (int i = 0; i < box.answerButtons().size(); ++i)
        QCOMPARE(box.answerButtons().at(i)->isDefault(), i == index);
    QTRY_COMPARE(QApplication::focusWidget(), box.answerButtons().at(index));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(box.result(), enterResult);
}

void TestMessageBoxDialog::escapeAndClose_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("result"); // 0: the box stays open
    QTest::newRow("OK") << 0 << 1;
    QTest::newRow("OK Abbrechen") << 1 << 2;
    QTest::newRow("Abbruch Wiederholen Ignorieren") << 2 << 0;
    QTest::newRow("Ja Nein Abbrechen") << 3 << 2;
    QTest::newRow("Ja Nein") << 4 << 0;
    QTest::newRow("Wiederholen Abbrechen") << 5 << 2;
    QTest::newRow("Ja Nein, system modal with help") << 4 + 4096 + 16384 << 0;
}

void TestMessageBoxDialog::escapeAndClose() {
    QFETCH(int, style);
    QFETCH(int, result);
    {
        MessageBoxDialog box(request(style));
        QVERIFY(showAndActivate(box));
        QTest::keyClick(&box, Qt::Key_Escape);
        QCOMPARE(box.result(), result);
        QCOMPARE(box.isVisible(), result == 0);
    }
    {
        MessageBoxDialog box(request(style));
        QVERIFY(showAndActivate(box));
        // Without a cancelling answer the title bar offers no close button.
        QCOMPARE(box.windowFlags().testFlag(Qt::WindowCloseButtonHint), result != 0);
        QCOMPARE(box.close(), result != 0);
        QCOMPARE(box.result(), result);
        QCOMPARE(box.isVisible(), result == 0);
    }
}

void TestMessageBoxDialog::helpButtonKeepsBoxOpen() {
    MessageBoxDialog plain(request(1));
    QVERIFY(!plain.helpButton());

    MessageBoxRequest withFile = request(1 + 16384);
    withFile.withHelpFile = true;
    withFile.helpFile = u""_s;
    withFile.helpContext = 0;
    MessageBoxDialog box(withFile);
    QVERIFY(box.helpButton());
    QCOMPARE(box.helpButton()->text(), u"Hilfe"_s);
    QCOMPARE(captions(box), (QStringList{u"OK"_s, u"Abbrechen"_s}));
    QSignalSpy help(&box, &MessageBoxDialog::helpRequested);
    QVERIFY(showAndActivate(box));
    box.helpButton()->click();
    QCOMPARE(help.size(), 1);
    QVERIFY(box.isVisible());
    QCOMPARE(box.result(), 0);
    box.answerButtons().at(1)->click();
    QCOMPARE(box.result(), 2);
}

void TestMessageBoxDialog::arrowKeysWalkTheButtons() {
    MessageBoxDialog box(request(3 + 16384));
    QVERIFY(showAndActivate(box));
    const QList<QPushButton*> row = box.answerButtons() + QList<QPushButton*>{box.helpButton()};
    QTRY_COMPARE(QApplication::focusWidget(), row.at(0));
    QTest::keyClick(row.at(0), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), row.at(1));
    QTest::keyClick(row.at(1), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), row.at(2));
    QTest::keyClick(row.at(2), Qt::Key_Left);
    QTest::keyClick(row.at(1), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), row.at(0));
    QTest::keyClick(row.at(0), Qt::Key_Left); // wraps to "Hilfe"
    QCOMPARE(QApplication::focusWidget(), row.at(3));
    QTest::keyClick(row.at(3), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), row.at(0));
    // Enter presses the button that has the focus.
    QTest::keyClick(row.at(0), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(box.result(), 7);
}

void TestMessageBoxDialog::icons_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("pixmap"); // QStyle::StandardPixmap, -1 for none
    QTest::newRow("none") << 0 << -1;
    QTest::newRow("critical") << 16 << int(QStyle::SP_MessageBoxCritical);
    QTest::newRow("question") << 32 + 4 << int(QStyle::SP_MessageBoxQuestion);
    QTest::newRow("exclamation") << 48 + 256 << int(QStyle::SP_MessageBoxWarning);
    QTest::newRow("information") << 64 + 4096 << int(QStyle::SP_MessageBoxInformation);
    QTest::newRow("undefined 80") << 80 << -1;
}

void TestMessageBoxDialog::icons() {
    QFETCH(int, style);
    QFETCH(int, pixmap);
    MessageBoxDialog box(request(style));
    box.show();
    QCOMPARE(box.iconLabel()->isVisible(), pixmap >= 0);
    if (pixmap < 0)
        return;
    const int extent = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    const QImage expected =
        box.style()
            ->standardIcon(static_cast<QStyle::StandardPixmap>(pixmap), nullptr, &box)
            .pixmap(QSize(extent, extent), box.devicePixelRatio())
            .toImage();
    QCOMPARE(box.iconLabel()->pixmap().toImage(), expected);
}

void TestMessageBoxDialog::modality_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<int>("modality");
    QTest::addColumn<bool>("onTop");
    QTest::newRow("window modal") << 0 << true << int(Qt::WindowModal) << false;
    QTest::newRow("no parent") << 0 << false << int(Qt::ApplicationModal) << false;
    QTest::newRow("system modal") << 4096 << true << int(Qt::ApplicationModal) << true;
    QTest::newRow("system modal, all flags")
        << 4096 + 16384 + 64 + 3 << true << int(Qt::ApplicationModal) << true;
}

void TestMessageBoxDialog::modality() {
    QFETCH(int, style);
    QFETCH(bool, withParent);
    QFETCH(int, modality);
    QFETCH(bool, onTop);
    QWidget parent;
    MessageBoxDialog box(request(style), withParent ? &parent : nullptr);
    QCOMPARE(int(box.windowModality()), modality);
    QCOMPARE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
}

void TestMessageBoxDialog::lineBreaks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR LF") << u"eins\r\nzwei"_s << u"eins\nzwei"_s;
    QTest::newRow("lone CR") << u"eins\rzwei"_s << u"eins\nzwei"_s;
    QTest::newRow("lone LF") << u"eins\nzwei"_s << u"eins\nzwei"_s;
    QTest::newRow("CR CR") << u"a\r\rb"_s << u"a\n\nb"_s;
    QTest::newRow("LF CR") << u"a\n\rb"_s << u"a\n\nb"_s;
    QTest::newRow("CR LF twice") << u"a\r\n\r\nb\r\n"_s << u"a\n\nb\n"_s;
    QTest::newRow("mixed") << u"a\r\nb\rc\nd"_s << u"a\nb\nc\nd"_s;
    QTest::newRow("markup stays text") << u"<b>fett</b> &amp;"_s << u"<b>fett</b> &amp;"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestMessageBoxDialog::lineBreaks() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    MessageBoxDialog box(request(0, text));
    QCOMPARE(box.textLabel()->text(), shown);
    QCOMPARE(box.textLabel()->textFormat(), Qt::PlainText);
    QVERIFY(box.textLabel()->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
}

void TestMessageBoxDialog::copyWholeText() {
    MessageBoxDialog box(request(4, u"Erste Zeile\r\n<zweite> Zeile"_s));
    QVERIFY(showAndActivate(box));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"Erste Zeile\n<zweite> Zeile"_s);
    QVERIFY(box.isVisible());
}

void TestMessageBoxDialog::titleShownAsGiven_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << u"Sicherheitshinweis"_s << u"Sicherheitshinweis"_s;
    QTest::newRow("placeholder") << u"Datei [*] geändert"_s << u"Datei [*] geändert"_s;
    QTest::newRow("two placeholders") << u"[*][*]"_s << u"[*][*]"_s;
    QTest::newRow("empty") << QString() << u" "_s;
}

void TestMessageBoxDialog::titleShownAsGiven() {
    QFETCH(QString, title);
    QFETCH(QString, shown);
    MessageBoxDialog box(request(0, u"x"_s, title));
    box.show();
    QVERIFY(box.windowHandle());
    QCOMPARE(box.windowHandle()->title(), shown);
}

void TestMessageBoxDialog::hugeTextScrollsInsideTheScreen() {
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += u"Zeile "_s + QString::number(i) + u"\r\n"_s;
    text += QString(20000, u'W'); // one word far wider than any screen
    MessageBoxDialog box(request(3 + 64 + 16384, text));
    QVERIFY(showAndActivate(box));
    const QRect screen = box.screen()->availableGeometry();
    QVERIFY2(box.width() <= screen.width() && box.height() <= screen.height(),
             qPrintable(u"%1x%2 on %3x%4"_s.arg(box.width())
                            .arg(box.height())
                            .arg(screen.width())
                            .arg(screen.height())));
    QVERIFY(box.textArea()->verticalScrollBar()->isVisible());
    QVERIFY(box.textArea()->horizontalScrollBar()->isVisible());
    QVERIFY(box.textArea()->verticalScrollBar()->maximum() > 0);
    QVERIFY(box.textArea()->horizontalScrollBar()->maximum() > 0);
    // Every button stays on the screen and usable.
    for (QPushButton* b : box.answerButtons())
        QVERIFY(box.rect().contains(QRect(b->mapTo(&box, QPoint(0, 0)), b->size())));
    box.answerButtons().at(2)->click();
    QCOMPARE(box.result(), 2);
}

void TestMessageBoxDialog::codeKeepsItsLines() {
    // One line of code far wider than the wrap width of a message, and a
    // short second line: the box must show two lines and scroll across.
    const QString longLine = u"Select Case MsgBox(\""_s + QString(60, u'x').repeated(8) + u"\")"_s;
    MessageBoxRequest code = request(0, longLine + u"\rEnd Select"_s);
    code.keepLines = true;
    MessageBoxDialog box(code);
    QVERIFY(showAndActivate(box));
    QVERIFY(!box.textLabel()->wordWrap());
    const QFontMetrics metrics = box.textLabel()->fontMetrics();
    QCOMPARE(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W'));
    const int lineHeight = box.textLabel()->fontMetrics().lineSpacing();
    QVERIFY2(box.textLabel()->height() < 3 * lineHeight,
             qPrintable(QString::number(box.textLabel()->height())));
    QVERIFY(box.textArea()->horizontalScrollBar()->isVisible());

    // The same text as a message wraps instead.
    MessageBoxDialog message(request(0, longLine + u"\rEnd Select"_s));
    QVERIFY(showAndActivate(message));
    QVERIFY(message.textLabel()->wordWrap());
}

void TestMessageBoxDialog::shortTextNeedsNoScrolling() {
    MessageBoxDialog box(request(0, u"Datei bereits vorhanden, überschreiben?"_s));
    QVERIFY(showAndActivate(box));
    QVERIFY(!box.textArea()->verticalScrollBar()->isVisible());
    QVERIFY(!box.textArea()->horizontalScrollBar()->isVisible());
    const QSize view = box.textArea()->viewport()->size();
    QVERIFY(view.width() >= box.textLabel()->width());
    QVERIFY(view.height() >= box.textLabel()->height());
    // A text box cannot take the focus away from the buttons by Tab.
    QCOMPARE(box.textArea()->focusPolicy(), Qt::NoFocus);
}

void TestMessageBoxDialog::serviceReturnsTheButtonPressed() {
    QWidget window;
    QVERIFY(showAndActivate(window));
    QtMessageBox service;
    service.setParentWindow(&window);
    QWidget* parentSeen = nullptr;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<MessageBoxDialog*>(QApplication::activeModalWidget());
        QVERIFY(box);
        parentSeen = box->parentWidget();
        box->answerButtons().at(1)->click();
    });
    QCOMPARE(
        service.show(u"Datei bereits vorhanden, überschreiben?"_s, 292, u"Sicherheitshinweis"_s),
        msgbox::Answer::No);
    QCOMPARE(parentSeen, &window);
}

void TestMessageBoxDialog::germanTranslationsLoad() {
    QVERIFY(installGermanTranslations(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), u"Öffnen"_s);
}

QTEST_MAIN(TestMessageBoxDialog)
#include "tst_messageboxdialog.moc"
