// PowerShell runs the generated PowerShell: the variants of
// tests/core/enginevariants.h, each for every answer of its button set, in
// one start of PowerShell 7 (scripts/setup-powershell.sh installs it)
// against a stand-in for Windows Forms' MessageBox with every Show overload
// and the enums of .NET Framework (tests/core/powershell/). The stand-in
// must have been called once with the prompt, title, buttons, icon, default
// button and help flag of the box, the branch of the answer taken, with
// nothing printed and no error. Each fragment runs once more as Windows
// PowerShell 5.1 reads a file without a byte order mark (code page 1252):
// there the texts show garbled, but the call and the branch must not
// change.
#include "core/generators.h"
#include "tests/core/enginevariants.h"

#include <QFile>
#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace veltrano::enginetest;

class TestPowerShellRuns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void variant_data();
    void variant();

private:
    const std::vector<Variant> m_variants = variants();
    // The records of the run by "pass id answer": the number of calls and of
    // Add-Type, the call's text, caption, buttons, icon, default button, options and help
    // flag, the comments passed, the objects printed, the error.
    QHash<QString, QStringList> m_records;
};

void TestPowerShellRuns::initTestCase() {
    if (const QString missing = dotnetMissing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    QByteArray fragments;
    for (std::size_t i = 0; i < m_variants.size(); ++i) {
        QString code = gen::generateCode(m_variants[i].value, gen::Language::PowerShell);
        code.replace(u'\r', u"\r\n"_s);
        fragments += "#@ v" + QByteArray::number(qulonglong(i)) + "\r\n" + code.toUtf8() + "\r\n";
    }
    QStringList records;
    runPowerShellFragments(u"powershellruns"_s, fragments, records);
    if (QTest::currentTestFailed())
        return;
    for (const QString& line : std::as_const(records)) {
        const QStringList fields = line.split(u'\t');
        if (fields.value(0) == u"DONE")
            qInfo("%s fragments, %s runs; stand-in loaded in %s ms, fragments run in %s ms",
                  qPrintable(fields.value(1)), qPrintable(fields.value(2)),
                  qPrintable(fields.value(3)), qPrintable(fields.value(4)));
        else if (fields.size() == 15)
            m_records.insert(fields.mid(0, 3).join(u' '), fields.mid(3));
    }
}

void TestPowerShellRuns::variant_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < m_variants.size(); ++i)
        QTest::newRow(qPrintable(m_variants[i].name)) << int(i);
}

void TestPowerShellRuns::variant() {
    QFETCH(int, index);
    const msgbox::Value& value = m_variants[std::size_t(index)].value;
    const auto answers = msgbox::facts(value.buttons).answers();
    const QString note = u"SystemModal gibt es bei MessageBox.Show nicht."_s;
    for (const QString& pass : {u"7"_s, u"51"_s}) {
        const QString id = u"%1 v%2 "_s.arg(pass).arg(index);
        QVERIFY2(!m_records.contains(id + QString::number(answers.size())), qPrintable(id));
        for (int a = 0; a < int(answers.size()); ++a) {
            const QStringList r = m_records.value(id + QString::number(a));
            const QString where = id + QString::number(a) + u": "_s + r.join(u' ').left(300);
            QVERIFY2(r.size() == 12, qPrintable(where));
            QVERIFY2(fromHex(r[11]).isEmpty(), qPrintable(fromHex(r[11]) + u"\n"_s + where));
            // One call, Windows Forms loaded once before it, nothing printed.
            QVERIFY2(r[0] == u"1" && r[1] == u"1" && r[10] == u"0", qPrintable(where));
            QStringList branches;
            for (const QString& hex : r[9].split(u',', Qt::SkipEmptyParts))
                branches += fromHex(hex);
            QStringList expected;
            if (value.systemModal)
                expected += note;
            if (const QString branch = branchTaken(value, a); !branch.isEmpty())
                expected += branch;
            QCOMPARE(branches, expected);
            QCOMPARE(r.mid(4, 5), (QStringList{QString::number(int(value.buttons)),
                                               QString::number(int(value.icon)),
                                               QString::number(int(value.defaultButton.value_or(
                                                   msgbox::DefaultButton::First))),
                                               u"0"_s, value.helpButton ? u"1"_s : u"0"_s}));
            if (pass == u"7") {
                QCOMPARE(fromHex(r[2]), shownMessage(value.message));
                QCOMPARE(fromHex(r[3]), msgbox::titleLine(value.title));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestPowerShellRuns)
#include "tst_powershellruns.moc"
