// --read on the command line: the real program, with no display, reads the
// first call of a source file or of standard input and prints its code.
// Expected code is what the export makes of the value the call shows.

#include "core/msgbox.h"
#include "documents/codeexport.h"
#include "documents/scriptfile.h"
#include "documents/sourcetext.h"

#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// One run: its arguments, what it reads on stdin and what it must give.
struct Run {
    QStringList arguments{};
    QByteArray input{};
    int status = 0;
    QByteArray output{}; // stdout exactly
    QString errors{};    // in stderr; empty: stderr stays empty
};

msgbox::Value value(msgbox::CodeStyle style, const QString& message = u"Größe?"_s) {
    msgbox::Value v;
    v.icon = msgbox::Icon::Question;
    v.buttons = msgbox::Buttons::YesNo;
    v.code = style;
    // Chosen as the window chooses it with the button set.
    v.defaultButton = msgbox::DefaultButton::First;
    v.title = u"Frage"_s;
    v.message = message;
    return v;
}

QByteArray code(const msgbox::Value& v, lang::Language language = lang::Language::Basic,
                QStringView eol = u"\n") {
    return codeexport::withLineEnds(codeexport::code(v, language), eol).toUtf8();
}

const QString question = u"If MsgBox(\"Größe?\", vbQuestion Or vbYesNo, \"Frage\") = vbYes Then\r\n"
                         "End If\r\n"_s;

} // namespace

Q_DECLARE_METATYPE(Run)

class TestCommandRead : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();

private:
    QTemporaryDir m_files;
};

void TestCommandRead::initTestCase() {
    QVERIFY(m_files.isValid());
    const auto write = [this](const QString& name, const QByteArray& bytes) {
        QFile file(m_files.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    write(u"utf8.bas"_s, question.toUtf8());
    QStringEncoder cp1252("windows-1252");
    write(u"cp1252.bas"_s, cp1252.encode(question));
    QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    write(u"utf16be.bas"_s, utf16be.encode(question));
    msgbox::Value script = value(msgbox::CodeStyle::Vbs);
    script.systemModal = true;
    write(u"skript.vbs"_s, scriptfile::encode(script)); // UTF-16LE with its mark
    const QByteArray call = "MsgBox \"a\"\n";
    write(u"genau.bas"_s, call + QByteArray(sourcetext::MaxBytes - call.size(), ' '));
    write(u"gross.bas"_s, call + QByteArray(sourcetext::MaxBytes + 1 - call.size(), ' '));
    QCOMPARE(::mkfifo(QFile::encodeName(m_files.filePath(u"rohr.bas"_s)).constData(), 0600), 0);
}

void TestCommandRead::run_data() {
    QTest::addColumn<Run>("run");
    const QString read = u"--read"_s;
    const auto csharp = lang::Language::CSharp;
    msgbox::Value withHelp;
    withHelp.buttons = msgbox::Buttons::OkCancel;
    withHelp.defaultButton = msgbox::DefaultButton::First;
    withHelp.code = msgbox::CodeStyle::SelectCase;
    withHelp.title = u"T"_s;
    withHelp.message = u"Hallo"_s;
    withHelp.helpButton = true;
    const QByteArray helpCall = "MsgBox \"Hallo\", vbOKCancel + vbMsgBoxHelpButton, \"T\"\n";
    msgbox::Value oneA;
    oneA.code = msgbox::CodeStyle::SelectCase;
    oneA.message = u"a"_s;
    msgbox::Value script = value(msgbox::CodeStyle::Einfach);
    script.systemModal = true;

    QTest::newRow("UTF-8, the style the call shows") << Run{
        .arguments = {read, u"utf8.bas"_s}, .output = code(value(msgbox::CodeStyle::IfThenElse))};
    QTest::newRow("Windows-1252 into C#")
        << Run{.arguments = {read, u"cp1252.bas"_s, u"--language"_s, u"csharp"_s},
               .output = code(value(msgbox::CodeStyle::IfThenElse), csharp)};
    QTest::newRow("UTF-16BE, style einfach")
        << Run{.arguments = {u"--style=einfach"_s, read, u"utf16be.bas"_s},
               .output = code(value(msgbox::CodeStyle::Einfach))};
    QTest::newRow("own script in UTF-16LE, its flag, VB.NET, CR LF")
        << Run{.arguments = {read, u"skript.vbs"_s, u"--language=vbnet"_s, u"--crlf"_s},
               .output = code(script, lang::Language::VbNet, u"\r\n")};
    QTest::newRow("stdin, no style shown: Select Case")
        << Run{.arguments = {read, u"-"_s}, .input = helpCall, .output = code(withHelp)};
    const auto libreOffice = lang::Language::LibreOffice;
    QTest::newRow("LibreOffice Basic back into itself")
        << Run{.arguments = {read, u"-"_s, u"--language"_s, u"libreoffice"_s},
               .input = code(value(msgbox::CodeStyle::IfThenElse), libreOffice),
               .output = code(value(msgbox::CodeStyle::IfThenElse), libreOffice)};
    // Each language's code from stdin into the next language of the table.
    const auto languages = lang::languages();
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const lang::LanguageFacts& from = languages[i];
        const lang::LanguageFacts& into = languages[(i + 1) % languages.size()];
        QTest::addRow("%s into %s", qPrintable(from.name.toString()),
                      qPrintable(into.name.toString()))
            << Run{.arguments = {read, u"-"_s, u"--language"_s, into.value.toString()},
                   .input = code(value(msgbox::CodeStyle::IfThenElse), from.language),
                   .output = code(value(msgbox::CodeStyle::IfThenElse), into.language)};
    }
    QTest::newRow("the README's VBScript into PowerShell")
        << Run{.arguments = {read, u"-"_s, u"--language"_s, u"powershell"_s},
               .input = "If MsgBox(\"Datei \"\"a.txt\"\" l\xc3\xb6schen?\", vbYesNo + vbQuestion, "
                        "\"L\xc3\xb6schen\") = vbYes Then\n    fso.DeleteFile \"a.txt\"\nEnd If\n",
               .output = "Add-Type -AssemblyName System.Windows.Forms\n"
                         "if ([System.Windows.Forms.MessageBox]::Show(\"Datei `\"a.txt`\" "
                         "l\xc3\xb6schen?\", \"L\xc3\xb6schen\", "
                         "[System.Windows.Forms.MessageBoxButtons]::YesNo, "
                         "[System.Windows.Forms.MessageBoxIcon]::Question) -eq "
                         "[System.Windows.Forms.DialogResult]::Yes) {\n    # Ja\n} else {\n"
                         "    # Nein\n}\n"};
    QTest::newRow("Popup of WScript.Shell")
        << Run{.arguments = {read, u"-"_s},
               .input = u"CreateObject(\"WScript.Shell\").Popup \"Größe?\", 0, \"Frage\", "
                        u"vbYesNo + vbQuestion + vbDefaultButton1\n"_s.toUtf8(),
               .output = code(value(msgbox::CodeStyle::SelectCase))};
    QTest::newRow("a help button under --style vbs, as the reader refuses it")
        << Run{.arguments = {read, u"-"_s, u"--style"_s, u"vbs"_s},
               .input = helpCall,
               .status = 1,
               .errors = u"veltrano: -: Zeile 1, Spalte "_s};
    QTest::newRow("a help button under --style vbs in a style the call shows") << Run{
        .arguments = {read, u"-"_s, u"--style"_s, u"vbs"_s},
        .input = "If MsgBox(\"Hallo\", vbOKCancel + vbMsgBoxHelpButton) = vbOK Then\nEnd If\n",
        .status = 1,
        .errors = u"veltrano: -: Im Stil VBS gibt es keine Hilfeschaltfläche"_s};
    QTest::newRow("a refusal names its place")
        << Run{.arguments = {read, u"-"_s},
               .input = "Dim a\r\n\r\nMsgBox \"x\", vbDefaultButton4\r\n",
               .status = 1,
               .errors = u"veltrano: -: Zeile 3, Spalte 13: "_s};
    QTest::newRow("a file of 1 MiB")
        << Run{.arguments = {read, u"genau.bas"_s}, .output = code(oneA)};
    QTest::newRow("a file over 1 MiB") << Run{
        .arguments = {read, u"gross.bas"_s}, .status = 1, .errors = u"veltrano: gross.bas: 321 "_s};
    QTest::newRow("a named pipe is refused without waiting") << Run{
        .arguments = {read, u"rohr.bas"_s}, .status = 1, .errors = u"veltrano: rohr.bas: 75 "_s};
    QTest::newRow("stdin over 1 MiB")
        << Run{.arguments = {read, u"-"_s},
               .input = "MsgBox \"a\"\n" + QByteArray(sourcetext::MaxBytes, 'y'),
               .status = 1,
               .errors = u"veltrano: -: 321 "_s};

    // Usage errors: the call tells the flags, and one source is read.
    const QString e = u"utf8.bas"_s;
    for (const QString& other : {u"--system-modal"_s, u"--help-button"_s, u"--code"_s})
        QTest::addRow("with %s", qPrintable(other))
            << Run{.arguments = {read, e, other},
                   .status = 2,
                   .errors = other + u" geht nicht mit --read"_s};
    QTest::newRow("with --script") << Run{.arguments = {u"--script"_s, u"x.vbs"_s, read, e},
                                          .status = 2,
                                          .errors = u"--script geht nicht"_s};
    QTest::newRow("two files") << Run{.arguments = {read, e, u"cp1252.bas"_s},
                                      .status = 2,
                                      .errors = u"--read braucht genau eine DATEI"_s};
    QTest::newRow("--read twice") << Run{.arguments = {read, e, read, e},
                                         .status = 2,
                                         .errors = u"--read braucht genau eine DATEI"_s};
    QTest::newRow("style vbs in C#")
        << Run{.arguments = {read, e, u"--style"_s, u"vbs"_s, u"--language"_s, u"csharp"_s},
               .status = 2,
               .errors = u"--style vbs gibt es nur für --language "_s};
    QTest::newRow("no file") << Run{.arguments = {read}, .status = 2, .errors = u"read"_s};
}

void TestCommandRead::run() {
    QFETCH(Run, run);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name :
         {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"LC_ALL"_s})
        environment.remove(name);
    environment.insert(u"LANG"_s, u"C.UTF-8"_s);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(m_files.path());
    program.start(QStringLiteral(VELTRANO_PROGRAM), run.arguments);
    QVERIFY(program.waitForStarted());
    // The program may stop reading at the bound; what it leaves is lost.
    program.write(run.input);
    program.closeWriteChannel();
    QVERIFY(program.waitForFinished(30000));

    const QByteArray errors = program.readAllStandardError();
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), run.status);
    QCOMPARE(program.readAllStandardOutput(), run.output);
    if (run.errors.isEmpty())
        QCOMPARE(errors, QByteArray());
    else
        QVERIFY2(QString::fromUtf8(errors).contains(run.errors), errors.constData());
    // A usage error shows the help on stderr.
    QCOMPARE(errors.contains("\nAufruf: "), run.status == 2);
}

QTEST_GUILESS_MAIN(TestCommandRead)
#include "tst_commandread.moc"
