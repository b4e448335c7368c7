#include "core/vberror.h"
#include "platform/errortrap.h"
#include "platform/fakes/fakes.h"
#include "platform/qtservices.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace veltrano;

// Receives what the shell hands to the desktop instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestPlatformServices : public QObject {
    Q_OBJECT

private slots:
    void reportErrorTextAndTitle_data();
    void reportErrorTextAndTitle();
    void trappedReportsAndStops();
    void shellOpensWebAddressesOnly_data();
    void shellOpensWebAddressesOnly();
    void clipboardKeepsTextUnchanged();
    void specialFolders_data();
    void specialFolders();
};

void TestPlatformServices::reportErrorTextAndTitle_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("file not found")
        << 53 << QString() << u"mnuLaden_Click"_s << QString() << u"53 Datei nicht gefunden"_s
        << u"frmMsgBox_mnuLaden_Click"_s;
    QTest::newRow("own description") << 9 << u"Index außerhalb"_s << u"EinfachCode"_s << QString()
                                     << u"9 Index außerhalb"_s << u"frmMsgBox_EinfachCode"_s;
    QTest::newRow("other form") << 76 << QString() << u"cmdOK_Click"_s << u"frmSpeicherpfad"_s
                                << u"76 Pfad nicht gefunden"_s << u"frmSpeicherpfad_cmdOK_Click"_s;
}

void TestPlatformServices::reportErrorTextAndTitle() {
    QFETCH(int, number);
    QFETCH(QString, description);
    QFETCH(QString, procedure);
    QFETCH(QString, form);
    QFETCH(QString, text);
    QFETCH(QString, title);
    FakeMessageBox box;
    const vb::Error error =
        description.isEmpty() ? vb::Error(number) : vb::Error(number, description);
    if (form.isEmpty())
        reportError(box, error, procedure);
    else
        reportError(box, error, procedure, form);
    QCOMPARE(box.shown.size(), 1);
    QCOMPARE(box.shown.front().text, text);
    QCOMPARE(box.shown.front().style, 16);
    QCOMPARE(box.shown.front().title, title);
    QVERIFY(!box.shown.front().withHelpFile);
}

void TestPlatformServices::trappedReportsAndStops() {
    FakeMessageBox box;
    int steps = 0;
    QVERIFY(trapped(box, u"mnuKopieren"_s, [&] { ++steps; }));
    QVERIFY(box.shown.isEmpty());

    QVERIFY(!trapped(box, u"mnuKopieren"_s, [&] {
        throw vb::Error(vb::PermissionDenied);
        ++steps;
    }));
    QVERIFY(!trapped(box, u"Message"_s, [] { throw std::runtime_error("bad"); }));
    QCOMPARE(steps, 1);
    QCOMPARE(box.shown.size(), 2);
    QCOMPARE(box.shown.at(0).text, u"70 Zugriff verweigert"_s);
    QCOMPARE(box.shown.at(0).title, u"frmMsgBox_mnuKopieren"_s);
    QVERIFY(box.shown.at(1).text.startsWith(u"5 "_s));
    QCOMPARE(box.shown.at(1).title, u"frmMsgBox_Message"_s);
}

void TestPlatformServices::shellOpensWebAddressesOnly_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opened");
    QTest::newRow("https") << u"https://www.example.org/veltrano.html"_s << true;
    QTest::newRow("http") << u"http://www.example.org/kontakt.php"_s << true;
    QTest::newRow("upper case scheme") << u"HTTPS://www.example.org/"_s << true;
    QTest::newRow("local file") << u"file:///etc/passwd"_s << false;
    QTest::newRow("plain path") << u"/usr/bin/xterm"_s << false;
    QTest::newRow("script") << u"javascript:alert(1)"_s << false;
    QTest::newRow("no host") << u"https:///etc"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestPlatformServices::shellOpensWebAddressesOnly() {
    QFETCH(QString, address);
    QFETCH(bool, opened);
    UrlCatcher catcher;
    for (const QString& scheme : {u"http"_s, u"https"_s, u"file"_s, u"javascript"_s})
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    QtShell shell;
    QCOMPARE(shell.open(address), opened);
    QCOMPARE(catcher.urls.size(), opened ? 1 : 0);
    if (opened)
        QCOMPARE(catcher.urls.front(), QUrl(address));
    for (const QString& scheme : {u"http"_s, u"https"_s, u"file"_s, u"javascript"_s})
        QDesktopServices::unsetUrlHandler(scheme);
}

void TestPlatformServices::clipboardKeepsTextUnchanged() {
    QtClipboard clipboard;
    const QString code = u"Msg = \"Zeile 1\" & vbcr & \"Zeile 2\"\rMsgBox Msg, vbOKOnly, \"Ä\"\r"_s;
    QGuiApplication::clipboard()->setText(u"vorher"_s);
    clipboard.clear();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    clipboard.setText(code);
    QCOMPARE(QGuiApplication::clipboard()->text(), code);
}

void TestPlatformServices::specialFolders_data() {
    QTest::addColumn<int>("folder");
    QTest::addColumn<QString>("inHome"); // under the test's fresh home; null for none
    QTest::newRow("documents") << 5 << u"/Documents"_s;
    QTest::newRow("shared") << 46 << u"/Public"_s;
    QTest::newRow("unknown 0") << 0 << QString();
    QTest::newRow("unknown 35") << 35 << QString();
}

// The test runs with a home of its own that names no folders of its own
// (no user-dirs.dirs), so the desktop's defaults apply.
void TestPlatformServices::specialFolders() {
    QFETCH(int, folder);
    QFETCH(QString, inHome);
    const QString expected = inHome.isNull() ? QString() : qEnvironmentVariable("HOME") + inHome;
    QCOMPARE(QtSpecialFolders().path(folder), expected);
}

QTEST_MAIN(TestPlatformServices)
#include "tst_platformservices.moc"
