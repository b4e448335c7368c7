#include "info/about.h"
#include "info/webpages.h"
#include "platform/fakes/fakes.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

class tst_Info : public QObject {
    Q_OBJECT

private slots:
    void aboutText_data();
    void aboutText();
    void infoBox();
    void pages_data();
    void pages();
    void pageFailureIsSilent();
};

void tst_Info::aboutText_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no leading zeros")
        << u"Veltrano"_s << 3 << 0 << 7
        << u"V e l t r a n o\r\n\r\nVeltrano-Projekt\r\rVersion: 3.0.7\r\n\r\n"
           u"https://www.example.org/veltrano/"_s;
    QTest::newRow("several digits")
        << u"Veltrano"_s << 12 << 10 << 205
        << u"V e l t r a n o\r\n\r\nVeltrano-Projekt\r\rVersion: 12.10.205\r\n\r\n"
           u"https://www.example.org/veltrano/"_s;
    QTest::newRow("one character title")
        << u"V"_s << 1 << 0 << 0
        << u"V\r\n\r\nVeltrano-Projekt\r\rVersion: 1.0.0\r\n\r\nhttps://www.example.org/veltrano/"_s;
    QTest::newRow("empty title")
        << QString() << 1 << 2 << 3
        << u"\r\n\r\nVeltrano-Projekt\r\rVersion: 1.2.3\r\n\r\nhttps://www.example.org/veltrano/"_s;
}

void tst_Info::aboutText() {
    QFETCH(QString, title);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, expected);

    FakeAppFacts facts;
    facts.appTitle = title;
    facts.major = major;
    facts.minor = minor;
    facts.revision = revision;
    QCOMPARE(::aboutText(facts), expected);
}

void tst_Info::infoBox() {
    FakeServices fake;
    fake.appFacts.major = 3;
    fake.appFacts.minor = 0;
    fake.appFacts.revision = 7;
    showAbout(fake.services);

    QCOMPARE(fake.messageBox.shown.size(), 1);
    const MessageBoxRequest& box = fake.messageBox.shown.first();
    QCOMPARE(box.style, 64);
    QCOMPARE(box.title, u"Freeware"_s);
    QCOMPARE(box.text, u"V e l t r a n o\r\n\r\nVeltrano-Projekt\r\rVersion: 3.0.7\r\n\r\n"
                       u"https://www.example.org/veltrano/"_s);
    QVERIFY(!box.withHelpFile);
    QVERIFY(fake.shell.opened.isEmpty());
}

void tst_Info::pages_data() {
    QTest::addColumn<bool>("contact");
    QTest::addColumn<QString>("address");
    QTest::newRow("website") << false << u"https://www.example.org/veltrano/"_s;
    QTest::newRow("problem report") << true << u"http://www.example.org/kontakt.php"_s;
}

void tst_Info::pages() {
    QFETCH(bool, contact);
    QFETCH(QString, address);

    FakeServices fake;
    if (contact)
        openProblemReport(fake.services);
    else
        openWebsite(fake.services);
    QCOMPARE(fake.shell.opened, QStringList{address});
    QVERIFY(fake.messageBox.shown.isEmpty());
}

// A shell that cannot open the page leaves the user without a message and
// the program running; the failure goes to the log, which shows it without
// any logging rule.
void tst_Info::pageFailureIsSilent() {
    FakeServices fake;
    fake.shell.result = false;
    QTest::ignoreMessage(QtWarningMsg,
                         "could not open https://www.example.org/veltrano/ in the browser");
    openWebsite(fake.services);
    QTest::ignoreMessage(QtWarningMsg,
                         "could not open http://www.example.org/kontakt.php in the browser");
    openProblemReport(fake.services);
    QCOMPARE(fake.shell.opened.size(), 2);
    QVERIFY(fake.messageBox.shown.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Info)
#include "tst_info.moc"
