// The generated C# compiles: every button set, icon, default button and
// flag in each of the three structures, with short and long messages that
// hold quotes, backslashes, tabs, U+2028 and other scripts, each variant in a
// method of its own, in one run of Mono's C# compiler against Mono's
// System.Windows.Forms. The code is compiled, not run.
#include "core/generators.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

class TestCSharpCompiles : public QObject {
    Q_OBJECT

private slots:
    void everyVariantCompiles();
};

void TestCSharpCompiles::everyVariantCompiles() {
    const QString mcs = QStandardPaths::findExecutable(u"mcs"_s);
    QVERIFY2(!mcs.isEmpty(), "mcs is missing: scripts/setup-tests.sh installs mono-mcs");

    const QString messages[] = {
        u"Weiter?"_s,
        u"Er sagte \"ja\" in C:\\Temp\\neu\tund\u2028weiter"_s,
        u"Größe prüfen: Ελληνικά, Русский, 日本語, \U0001F600"_s,
        u"Datei „a.txt“ \"ersetzen\"?\r\nPfad: C:\\Daten\\\r\n\r\n\tEnde\r\n\r\n"_s +
            u"Zeile mit \\\" und \u2028 und \u0085."_s.repeated(5),
    };
    const QString titles[] = {QString(), u"Frage \"wichtig\" \\"_s, u"Ärger\u2029"_s};

    QString source = u"using System.Windows.Forms;\n\nstatic class Variants\n{\n"_s;
    int n = 0;
    for (const auto code : {msgbox::CodeStyle::SelectCase, msgbox::CodeStyle::IfThenElse,
                            msgbox::CodeStyle::Einfach}) {
        for (int buttons = 0; buttons <= 5; ++buttons) {
            for (const int icon : {0, 16, 32, 48, 64}) {
                for (const int defaultButton : {-1, 0, 256, 512}) {
                    for (int flags = 0; flags < 4; ++flags, ++n) {
                        msgbox::Value value;
                        value.code = code;
                        value.buttons = msgbox::Buttons(buttons);
                        value.icon = msgbox::Icon(icon);
                        if (defaultButton >= 0)
                            value.defaultButton = msgbox::DefaultButton(defaultButton);
                        value.systemModal = flags & 1;
                        value.helpButton = flags & 2;
                        value.message = messages[n % std::size(messages)];
                        value.title = titles[n % std::size(titles)];
                        QString body = gen::generateCode(value, gen::Language::CSharp);
                        body.replace(u'\r', u"\n        "_s);
                        source +=
                            u"    static void V%1()\n    {\n        %2\n    }\n"_s.arg(n).arg(body);
                    }
                }
            }
        }
    }
    source += u"}\n"_s;
    QCOMPARE(n, 3 * 6 * 5 * 4 * 4);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(u"variants.cs"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(source.toUtf8()) > 0 && file.flush());
    file.close();

    // Warnings are errors, but for the answer the einfach structure keeps
    // for the user's code to come, which nothing reads yet (CS0219).
    QProcess compiler;
    compiler.setProcessChannelMode(QProcess::MergedChannels);
    compiler.start(mcs, {u"-target:library"_s, u"-r:System.Windows.Forms.dll"_s, u"-warnaserror+"_s,
                         u"-nowarn:219"_s, u"-out:"_s + dir.filePath(u"variants.dll"_s),
                         file.fileName()});
    QVERIFY(compiler.waitForFinished(300000));
    const QByteArray output = compiler.readAll();
    QVERIFY2(compiler.exitStatus() == QProcess::NormalExit && compiler.exitCode() == 0,
             output.left(4000).constData());
}

QTEST_GUILESS_MAIN(TestCSharpCompiles)
#include "tst_csharpcompiles.moc"
