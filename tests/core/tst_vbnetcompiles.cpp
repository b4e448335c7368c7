// The generated VB.NET compiles and runs: the variants of
// tests/core/enginevariants.h, each a Sub of one program that the .NET
// SDK's VB compiler builds with Option Strict On and Option Explicit On and
// warnings as errors, offline (tests/core/vbnet/). A MsgBox of the
// program's module stands in for Interaction.MsgBox; the program runs each
// fragment for every answer of its button set. MsgBox must have been
// called once with the prompt, style and title of the box, and the branch
// of the answer taken.
#include "core/generators.h"
#include "tests/core/enginevariants.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace veltrano::enginetest;

namespace {

QString hex(const QString& text) {
    QString out;
    for (const QChar c : text)
        out += QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
    return out;
}

// A file of the project as it stands in tests/core/vbnet.
QByteArray projectFile(const QString& name) {
    QFile in(QStringLiteral(VELTRANO_VB_PROJECT) + u'/' + name);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    return !bytes.isEmpty() && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

// Runs a program of the SDK; its output where it fails.
QByteArray run(const QString& dir, const QStringList& arguments, bool& ok) {
    QProcess process;
    QProcessEnvironment env = engineEnvironment(dir);
    // Its own home and package folders, under the build folder.
    env.insert(u"DOTNET_CLI_HOME"_s, dir + u"/home"_s);
    env.insert(u"NUGET_PACKAGES"_s, dir + u"/home/packages"_s);
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(dir);
    process.start(u"dotnet"_s, arguments);
    ok = process.waitForFinished(240000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
    return process.readAll();
}

} // namespace

class TestVbNetCompiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void variant_data();
    void variant();

private:
    const std::vector<Variant> m_variants = variants();
    // The records of the run by "id answer": the number of calls, the
    // prompt's type and text, the style, the title's type and text, the
    // comments passed, the error.
    QHash<QString, QStringList> m_records;
};

void TestVbNetCompiles::initTestCase() {
    if (const QString missing = dotnetMissing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    QTemporaryDir dir(privateTempTemplate(u"vbnetcompiles"_s));
    QVERIFY(dir.isValid());

    // Each fragment a Sub; each comment line a call that records it.
    static const QRegularExpression comment(u"^([ \\t]*)' ?(.*)$"_s,
                                            QRegularExpression::MultilineOption);
    QString table;
    QString subs;
    for (std::size_t i = 0; i < m_variants.size(); ++i) {
        const QString id = u"v"_s + QString::number(i);
        QString body = gen::generateCode(m_variants[i].value, gen::Language::VbNet);
        body.replace(u'\r', u'\n');
        QString fragment;
        for (const QString& line : body.split(u'\n')) {
            const auto match = comment.match(line);
            fragment += match.hasMatch()
                            ? match.captured(1) + u"Branch(\""_s + hex(match.captured(2)) + u"\")"_s
                            : line;
            fragment += u'\n';
        }
        table += u"%1            New KeyValuePair(Of String, Action)(\"%2\", AddressOf F_%2)"_s.arg(
            i > 0 ? u",\n"_s : QString(), id);
        subs += u"    Sub F_%1()\n%2    End Sub\n\n"_s.arg(id, fragment);
    }
    QString program = QString::fromUtf8(projectFile(u"fragments.vb.in"_s));
    program.replace(u"'@TABLE@"_s, table).replace(u"'@FRAGMENTS@"_s, subs);
    for (const QString& name : {u"vbnettest.vbproj"_s, u"nuget.config"_s})
        QVERIFY(write(dir.filePath(name), projectFile(name)));
    QVERIFY(write(dir.filePath(u"fragments.vb"_s), program.toUtf8()));

    bool ok = false;
    const QByteArray log =
        run(dir.path(),
            {u"build"_s, dir.path(), u"-c"_s, u"Release"_s, u"-o"_s, dir.filePath(u"out"_s),
             u"--disable-build-servers"_s, u"-nologo"_s, u"-v:q"_s, u"-clp:NoSummary"_s},
            ok);
    if (!ok) {
        // The compiler's errors, each with the line of the source it names.
        static const QRegularExpression error(u"fragments\\.vb\\((\\d+),\\d+\\): error .*"_s);
        const QStringList source = program.split(u'\n');
        QString errors;
        for (auto it = error.globalMatch(QString::fromUtf8(log));
             it.hasNext() && errors.size() < 6000;) {
            const auto match = it.next();
            errors += match.captured(0) + u"\n    "_s +
                      source.value(match.captured(1).toInt() - 1).left(300) + u'\n';
        }
        QFAIL(qPrintable(errors.isEmpty() ? QString::fromUtf8(log.left(6000)) : errors));
    }
    const QString out = dir.filePath(u"records.txt"_s);
    const QByteArray output = run(dir.path(), {dir.filePath(u"out/vbnettest.dll"_s), out}, ok);
    QVERIFY2(ok, output.left(4000).constData());

    QFile records(out);
    QVERIFY(records.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(records.readAll()).split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 10)
            m_records.insert(fields.mid(0, 2).join(u' '), fields.mid(2));
    }
}

void TestVbNetCompiles::variant_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < m_variants.size(); ++i)
        QTest::newRow(qPrintable(m_variants[i].name)) << int(i);
}

void TestVbNetCompiles::variant() {
    QFETCH(int, index);
    const msgbox::Value& value = m_variants[std::size_t(index)].value;
    const auto answers = msgbox::facts(value.buttons).answers();
    const int style = int(value.buttons) + int(value.icon) +
                      int(value.defaultButton.value_or(msgbox::DefaultButton::First)) +
                      (value.systemModal ? msgbox::SystemModalFlag : 0) +
                      (value.helpButton ? msgbox::HelpButtonFlag : 0);
    const QString id = u"v%1 "_s.arg(index);
    QVERIFY2(!m_records.contains(id + QString::number(answers.size())), qPrintable(id));
    for (int a = 0; a < int(answers.size()); ++a) {
        const QStringList r = m_records.value(id + QString::number(a));
        const QString where = id + QString::number(a) + u": "_s + r.join(u' ').left(300);
        QVERIFY2(r.size() == 8, qPrintable(where));
        QVERIFY2(r[7] == u"-", qPrintable(fromHex(r[7]) + u"\n"_s + where));
        QCOMPARE(r[0], u"1"_s);
        QCOMPARE(r[1], u"String"_s);
        QCOMPARE(fromHex(r[2]), shownMessage(value.message));
        QCOMPARE(r[3].toInt(), style);
        QCOMPARE(r[4], u"String"_s);
        QCOMPARE(fromHex(r[5]), msgbox::titleLine(value.title));
        QCOMPARE(fromHex(r[6]), branchTaken(value, a));
    }
}

QTEST_GUILESS_MAIN(TestVbNetCompiles)
#include "tst_vbnetcompiles.moc"
