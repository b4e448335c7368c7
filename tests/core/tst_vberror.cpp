#include "core/vberror.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

class TestVbError : public QObject {
    Q_OBJECT

private slots:
    void describe_data();
    void describe();
    void errorCarriesNumberAndText();
};

void TestVbError::describe_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("9") << 9 << u"Index außerhalb des gültigen Bereichs"_s;
    QTest::newRow("53") << 53 << u"Datei nicht gefunden"_s;
    QTest::newRow("70") << 70 << u"Zugriff verweigert"_s;
    QTest::newRow("76") << 76 << u"Pfad nicht gefunden"_s;
    QTest::newRow("321") << 321 << u"Ungültiges Dateiformat"_s;
    QTest::newRow("380") << 380 << u"Unzulässiger Eigenschaftswert"_s;
    QTest::newRow("unknown") << 12345 << u"Anwendungs- oder objektdefinierter Fehler"_s;
    QTest::newRow("zero") << 0 << u"Anwendungs- oder objektdefinierter Fehler"_s;
}

void TestVbError::describe() {
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(vb::describe(number), text);
}

void TestVbError::errorCarriesNumberAndText() {
    const vb::Error known(vb::FileNotFound);
    QCOMPARE(known.number(), 53);
    QCOMPARE(known.description(), u"Datei nicht gefunden"_s);
    QCOMPARE(QString::fromUtf8(known.what()), u"53 Datei nicht gefunden"_s);

    const vb::Error own(1001, u"Eigene Beschreibung"_s);
    QCOMPARE(own.description(), u"Eigene Beschreibung"_s);
}

QTEST_GUILESS_MAIN(TestVbError)
#include "tst_vberror.moc"
