// The program run from a shell: --code, --script, --help and --version
// without any display, and the usage errors of the window's arguments.
// Expected code is what the generators make of a definition read from the
// same file, with the line ends the command line writes.

#include "core/codereader.h"
#include "core/definition.h"
#include "core/generators.h"
#include "documents/definitionfile.h"
#include "documents/scriptfile.h"
#include "platform/qtfilesystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <QScopeGuard>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// What the window would hold after opening the file and ticking the flags.
Definition& loaded(Definition& definition, const QString& path,
                   std::optional<msgbox::CodeStyle> style, bool systemModal, bool helpButton) {
    QtFileSystem files;
    definition.apply(definitionfile::load(files, path));
    if (style)
        definition.selectCode(int(*style));
    if (systemModal)
        definition.setSystemModal(Definition::Checked);
    if (helpButton)
        definition.setHelpButton(Definition::Checked);
    return definition;
}

// The code Copy would put on the clipboard, lines ended by eol.
QByteArray code(const QString& path, std::optional<msgbox::CodeStyle> style = {},
                bool systemModal = false, bool helpButton = false, const QString& eol = u"\n"_s) {
    Definition definition;
    QString text =
        gen::generateCode(loaded(definition, path, style, systemModal, helpButton).value());
    return (text.replace(u'\r', eol) + eol).toUtf8();
}

QByteArray script(const QString& path, bool systemModal = false) {
    Definition definition;
    return scriptfile::encode(
        loaded(definition, path, msgbox::CodeStyle::Vbs, systemModal, false).value());
}

QByteArray commented(const QString& name, const QByteArray& code) {
    return "' " + name.toUtf8() + '\n' + code;
}

// One run of the program: its arguments and what it must give.
struct Run {
    QStringList arguments{};
    int status = 0;
    QByteArray output{}; // stdout exactly, or its start when !whole
    bool whole = true;
    QString errors{};   // in stderr; empty: stderr stays empty
    QString written{};  // a file the run writes, or none
    QByteArray bytes{}; // its content; null: it must not exist
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(Run)

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void commentLineEndsBeforeTheCode();

private:
    QTemporaryDir m_files;
    QTemporaryDir m_home;
    QString m_device;        // a character device to write into; empty: none usable
    QByteArray m_definition; // einfach.msg, which no run may change
};

void TestCommandLine::initTestCase() {
    QVERIFY(m_files.isValid() && m_home.isValid());
    QVERIFY(QDir::setCurrent(m_files.path()));
    const auto write = [](const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    // Einfach, Windows-1252; stored as Select Case with quotes, a long
    // message and characters that need UTF-8; VBS.
    write(u"einfach.msg"_s, " 64 \r\n 4 \r\n 256 \r\n 2 \r\nPr\xfc"
                            "fung\r\nZeile 1\r\nZeile 2\r\n");
    write(u"lang.msg"_s, definitionfile::encode(definitionfile::valueOf(
                             {48, 3, 512, int(msgbox::CodeStyle::SelectCase), u"Größe \"XL\" – Ω"_s,
                              u"Er sagte \"ja\"\r\nund das ist länger als fünfzig Zeichen."_s})));
    write(u"vbs.msg"_s, " 16 \r\n 3 \r\n 0 \r\n 3 \r\nSkript\r\nHallo\r\n");
    write(u"neue\nZeile\x1b[2J.msg"_s, readAll(u"einfach.msg"_s));
    write(u"kurz.msg"_s, " 0 \r\n 0 \r\n 0 \r\n");
    write(u"icon7.msg"_s, " 7 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\n");
    write(u"alt.vbs"_s, "nicht mehr da");
    QCOMPARE(::mkfifo("rohr.msg", 0600), 0);
    // Names of FILE and names of other things for --script.
    QVERIFY(QFile::link(u"einfach.msg"_s, u"verweis.vbs"_s));
    QVERIFY(QFile::link(u"."_s, u"hier"_s));
    QCOMPARE(::link("einfach.msg", "hart.vbs"), 0);
    write(u"ziel.vbs"_s, "alt");
    QVERIFY(QFile::link(u"ziel.vbs"_s, u"zum-ziel.vbs"_s));
    QVERIFY(QFile::link(u"anderswo/lose.vbs"_s, u"lose.vbs"_s));
    QCOMPARE(::mkfifo("rohr.vbs", 0600), 0);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "sockel.vbs");
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    // A null device of the test's own where root may make one, so that a
    // write that replaced it could not hit the system's.
    if (geteuid() != 0) {
        m_device = u"/dev/null"_s;
    } else if (::mknod("null.vbs", S_IFCHR | 0666, makedev(1, 3)) == 0) {
        const int device = ::open("null.vbs", O_WRONLY);
        if (device >= 0) {
            ::close(device);
            m_device = u"null.vbs"_s;
        }
    }
    m_definition = readAll(u"einfach.msg"_s);
}

void TestCommandLine::run_data() {
    QTest::addColumn<Run>("run");

    const QString e = u"einfach.msg"_s, l = u"lang.msg"_s, v = u"vbs.msg"_s;

    QTest::newRow("help") << Run{.arguments = {u"-h"_s},
                                 .output = "Aufruf: " VELTRANO_PROGRAM " [Optionen] [DATEI...]\n",
                                 .whole = false};
    QTest::newRow("version") << Run{.arguments = {u"--version"_s},
                                    .output = QByteArray("Veltrano 1.0.0\n")};
    QTest::newRow("literal code of a file")
        << Run{.arguments = {u"--code"_s, e},
               .output = QByteArray(
                   "\nDim Antwort As VbMsgBoxResult\nAntwort = MsgBox(\"Zeile 1\" & vbcr & "
                   "\"Zeile 2\", vbInformation or vbYesNo or vbDefaultButton2, "
                   "\"Pr\xc3\xbc"
                   "fung\")\n")};
    QTest::newRow("stored style, UTF-8 and quotes")
        << Run{.arguments = {u"--code"_s, l}, .output = code(l)};
    QTest::newRow("style einfach") << Run{.arguments = {u"--code"_s, u"--style"_s, u"einfach"_s, l},
                                          .output = code(l, msgbox::CodeStyle::Einfach)};
    QTest::newRow("style if") << Run{.arguments = {u"--code"_s, u"--style=if"_s, l},
                                     .output = code(l, msgbox::CodeStyle::IfThenElse)};
    QTest::newRow("style select") << Run{.arguments = {u"--code"_s, u"--style"_s, u"select"_s, e},
                                         .output = code(e, msgbox::CodeStyle::SelectCase)};
    QTest::newRow("style vbs") << Run{.arguments = {u"--code"_s, u"--style"_s, u"vbs"_s, l},
                                      .output = code(l, msgbox::CodeStyle::Vbs)};
    QTest::newRow("flags") << Run{.arguments = {u"--code"_s, u"--system-modal"_s,
                                                u"--help-button"_s, u"--style"_s, u"if"_s, l},
                                  .output = code(l, msgbox::CodeStyle::IfThenElse, true, true)};
    QTest::newRow("CR LF") << Run{.arguments = {u"--code"_s, u"--crlf"_s, u"--system-modal"_s, v},
                                  .output = code(v, {}, true, false, u"\r\n"_s)};
    QTest::newRow("several files, each after a comment") << Run{
        .arguments = {u"--code"_s, e, v}, .output = commented(e, code(e)) + commented(v, code(v))};
    QTest::newRow("a name cannot start a line or steer the terminal")
        << Run{.arguments = {u"--code"_s, u"neue\nZeile\x1b[2J.msg"_s, u"fehlt.msg"_s},
               .status = 1,
               .output = commented(u"neue?Zeile?[2J.msg"_s, code(e)),
               .errors = u"veltrano: fehlt.msg: 53 Datei nicht gefunden\n"_s};
    QTest::newRow("several files, one missing")
        << Run{.arguments = {u"--code"_s, e, u"fehlt.msg"_s, v},
               .status = 1,
               .output = commented(e, code(e)) + commented(v, code(v)),
               .errors = u"veltrano: fehlt.msg: 53 Datei nicht gefunden\n"_s};
    QTest::newRow("short file") << Run{.arguments = {u"--code"_s, u"kurz.msg"_s},
                                       .status = 1,
                                       .errors =
                                           u"veltrano: kurz.msg: 62 Einlesen hinter Dateiende\n"_s};
    QTest::newRow("no such icon") << Run{
        .arguments = {u"--code"_s, u"icon7.msg"_s},
        .status = 1,
        .errors = u"icon7.msg: 9 Index außerhalb des gültigen Bereichs"_s};
    QTest::newRow("a pipe is refused at once")
        << Run{.arguments = {u"--code"_s, u"rohr.msg"_s},
               .status = 1,
               .errors = u"rohr.msg: 75 Fehler beim Zugriff auf Pfad/Datei"_s};
    QTest::newRow("help button, stored VBS file skipped")
        << Run{.arguments = {u"--code"_s, u"--help-button"_s, e, v},
               .status = 1,
               .output = commented(e, code(e, {}, false, true)),
               .errors = u"veltrano: vbs.msg: gespeichert mit dem Code-Stil VBS, der keine "
                         "Hilfeschaltfläche hat (--help-button)\n"_s};
    QTest::newRow("help button with style vbs")
        << Run{.arguments = {u"--code"_s, u"--help-button"_s, u"--style"_s, u"vbs"_s, e},
               .status = 2,
               .errors = u"--help-button geht nicht mit --style vbs"_s};
    const QByteArray vbNetEinfach =
        "Dim Antwort As MsgBoxResult = MsgBox(\"Zeile 1\" & vbCrLf & \"Zeile 2\", "
        "MsgBoxStyle.Information Or MsgBoxStyle.YesNo Or MsgBoxStyle.DefaultButton2, "
        "\"Pr\xc3\xbc"
        "fung\")\n";
    QTest::newRow("VB.NET") << Run{.arguments = {u"--code"_s, u"--language"_s, u"vbnet"_s, e},
                                   .output = vbNetEinfach};
    QTest::newRow("C#, several files, CR LF, help button on a stored VBS file") << Run{
        .arguments = {u"--code"_s, u"--language=CSharp"_s, u"--crlf"_s, u"--help-button"_s, e, v},
        .output = QByteArray("// einfach.msg\r\nDialogResult antwort = MessageBox.Show("
                             "\"Zeile 1\\nZeile 2\", \"Pr\xc3\xbc"
                             "fung\", MessageBoxButtons.YesNo, MessageBoxIcon.Information, "
                             "MessageBoxDefaultButton.Button2, 0, true);\r\n"
                             "// vbs.msg\r\nDialogResult antwort = MessageBox.Show("
                             "\"Hallo\", \"Skript\", MessageBoxButtons.YesNoCancel, "
                             "MessageBoxIcon.Error, MessageBoxDefaultButton.Button1, 0, "
                             "true);\r\n")};
    QTest::newRow("C, help button") << Run{
        .arguments = {u"--code"_s, u"--language"_s, u"c"_s, u"--help-button"_s, e},
        .output = QByteArray("// F\xc3\xbcr die Hilfe-Schaltfl\xc3\xa4"
                             "che NULL durch ein Fenster ersetzen, dessen Fensterprozedur "
                             "WM_HELP behandelt.\nint antwort = MessageBoxW(NULL, "
                             "L\"Zeile 1\\nZeile 2\", L\"Pr\\u00fcfung\", MB_ICONINFORMATION | "
                             "MB_YESNO | MB_DEFBUTTON2 | MB_HELP);\n")};
    QTest::newRow("LibreOffice") << Run{
        .arguments = {u"--code"_s, u"--language"_s, u"libreoffice"_s, e},
        .output = QByteArray("\nDim Antwort As Integer\nAntwort = MsgBox(\"Zeile 1\" & "
                             "Chr(13) & \"Zeile 2\", MB_ICONINFORMATION + MB_YESNO + "
                             "MB_DEFBUTTON2, \"Pr\xc3\xbc"
                             "fung\")\n")};
    QTest::newRow("language basic")
        << Run{.arguments = {u"--code"_s, u"--language"_s, u"BASIC"_s, l}, .output = code(l)};
    QTest::newRow("style vbs in VB.NET")
        << Run{.arguments = {u"--code"_s, u"--language"_s, u"vbnet"_s, u"--style"_s, u"vbs"_s, e},
               .status = 2,
               .errors = u"--style vbs gibt es nur für --language basic"_s};
    QTest::newRow("unknown language") << Run{
        .arguments = {u"--code"_s, u"--language"_s, u"java"_s, e},
        .status = 2,
        .errors = u"unbekannte Sprache \"java\"; es gibt basic, vbnet, csharp, libreoffice, c "
                  "und powershell"_s};
    QTest::newRow("language with script")
        << Run{.arguments = {u"--script"_s, u"sprache.vbs"_s, u"--language"_s, u"vbnet"_s, e},
               .status = 2,
               .errors = u"--language gilt nur für --code"_s,
               .written = u"sprache.vbs"_s};
    QTest::newRow("window with a language")
        << Run{.arguments = {u"--language"_s, u"csharp"_s, e},
               .status = 2,
               .errors = u"--language gilt nur zusammen mit --code"_s};
    QTest::newRow("unknown style") << Run{.arguments = {u"--code"_s, u"--style"_s, u"basic"_s, e},
                                          .status = 2,
                                          .errors = u"unbekannter Code-Stil \"basic\""_s};
    QTest::newRow("unknown option") << Run{.arguments = {u"--code"_s, u"--farbig"_s, e},
                                           .status = 2,
                                           .errors = u"Unbekannte Option 'farbig'."_s};
    QTest::newRow("no file") << Run{.arguments = {u"--code"_s},
                                    .status = 2,
                                    .errors = u"--code braucht mindestens eine DATEI"_s};
    QTest::newRow("script") << Run{
        .arguments = {u"--script"_s, u"neu.vbs"_s, l}, .written = u"neu.vbs"_s, .bytes = script(l)};
    QTest::newRow("script replaces a file, system modal")
        << Run{.arguments = {u"--script=alt.vbs"_s, u"--system-modal"_s, e},
               .written = u"alt.vbs"_s,
               .bytes = script(e, true)};
    QTest::newRow("script into a missing folder")
        << Run{.arguments = {u"--script"_s, u"nirgends/x.vbs"_s, e},
               .status = 1,
               .errors = u"veltrano: nirgends/x.vbs: 76 Pfad nicht gefunden\n"_s};
    QTest::newRow("script onto a folder") << Run{
        .arguments = {u"--script"_s, u"."_s, e}, .status = 1, .errors = u"veltrano: .: 75 "_s};
    QTest::newRow("script of a missing file writes nothing")
        << Run{.arguments = {u"--script"_s, u"leer.vbs"_s, u"fehlt.msg"_s},
               .status = 1,
               .errors = u"fehlt.msg: 53 Datei nicht gefunden"_s,
               .written = u"leer.vbs"_s};
    QTest::newRow("script over its own definition")
        << Run{.arguments = {u"--script"_s, u"./einfach.msg"_s, e},
               .status = 1,
               .errors = u"AUSGABE und DATEI sind dieselbe Datei"_s,
               .written = e,
               .bytes = readAll(e)};
    QTest::newRow("script through a symlink to its definition")
        << Run{.arguments = {u"--script"_s, u"verweis.vbs"_s, e},
               .status = 1,
               .errors = u"veltrano: verweis.vbs: AUSGABE und DATEI sind dieselbe Datei\n"_s,
               .written = e,
               .bytes = readAll(e)};
    QTest::newRow("script through a symlinked folder")
        << Run{.arguments = {u"--script"_s, u"hier/einfach.msg"_s, e},
               .status = 1,
               .errors = u"AUSGABE und DATEI sind dieselbe Datei"_s,
               .written = e,
               .bytes = readAll(e)};
    QTest::newRow("script over a hard link to its definition")
        << Run{.arguments = {u"--script"_s, u"hart.vbs"_s, e},
               .written = u"hart.vbs"_s,
               .bytes = script(e)};
    QTest::newRow("script through a symlink to a file")
        << Run{.arguments = {u"--script"_s, u"zum-ziel.vbs"_s, e},
               .written = u"ziel.vbs"_s,
               .bytes = script(e)};
    QTest::newRow("script through a dangling symlink")
        << Run{.arguments = {u"--script"_s, u"lose.vbs"_s, e},
               .status = 1,
               .errors = u"veltrano: lose.vbs: 75 Fehler beim Zugriff auf Pfad/Datei"_s,
               .written = u"anderswo/lose.vbs"_s};
    QTest::newRow("script into a pipe") << Run{.arguments = {u"--script"_s, u"rohr.vbs"_s, e},
                                               .written = u"rohr.vbs"_s,
                                               .bytes = script(e)};
    QTest::newRow("script to stdout")
        << Run{.arguments = {u"--script"_s, u"/dev/stdout"_s, e}, .output = script(e)};
    QTest::newRow("script into a character device") << Run{
        .arguments = {u"--script"_s, m_device, e}, .written = m_device, .bytes = QByteArray("")};
    QTest::newRow("script onto a socket") << Run{.arguments = {u"--script"_s, u"sockel.vbs"_s, e},
                                                 .status = 1,
                                                 .errors = u"veltrano: sockel.vbs: 75 "_s};
    QTest::newRow("script of several files")
        << Run{.arguments = {u"--script"_s, u"zwei.vbs"_s, e, v},
               .status = 2,
               .errors = u"--script braucht genau eine DATEI"_s,
               .written = u"zwei.vbs"_s};
    QTest::newRow("script with a code flag")
        << Run{.arguments = {u"--script"_s, u"crlf.vbs"_s, u"--crlf"_s, e},
               .status = 2,
               .errors = u"--crlf gilt nur für --code"_s,
               .written = u"crlf.vbs"_s};
    QTest::newRow("code and script")
        << Run{.arguments = {u"--code"_s, u"--script"_s, u"beide.vbs"_s, e},
               .status = 2,
               .errors = u"--code und --script schließen einander aus"_s,
               .written = u"beide.vbs"_s};

    // Usage errors need no display, whatever was mistyped.
    QTest::newRow("window with two files")
        << Run{.arguments = {e, v}, .status = 2, .errors = u"das Fenster öffnet nur eine DATEI"_s};
    QTest::newRow("window with an empty name")
        << Run{.arguments = {QString()}, .status = 2, .errors = u"der Name der DATEI ist leer"_s};
    QTest::newRow("window with a flag of --code")
        << Run{.arguments = {u"--crlf"_s, e},
               .status = 2,
               .errors = u"--crlf gilt nur zusammen mit --code oder --read"_s};
    QTest::newRow("window with the code style")
        << Run{.arguments = {u"--style"_s, u"if"_s, e},
               .status = 2,
               .errors = u"--style gilt nur zusammen mit --code oder --read"_s};
    QTest::newRow("mistyped --code")
        << Run{.arguments = {u"--cod"_s, e}, .status = 2, .errors = u"Unbekannte Option 'cod'."_s};
    QTest::newRow("mistyped --script") << Run{.arguments = {u"--scirpt"_s, u"x.vbs"_s, e},
                                              .status = 2,
                                              .errors = u"Unbekannte Option 'scirpt'."_s,
                                              .written = u"x.vbs"_s};
    QTest::newRow("unknown short option")
        << Run{.arguments = {u"-x"_s}, .status = 2, .errors = u"Unbekannte Option 'x'."_s};
    QTest::newRow("help and version at once")
        << Run{.arguments = {u"-hv"_s}, .output = "Aufruf: " VELTRANO_PROGRAM, .whole = false};
    QTest::newRow("Qt's window option without its value")
        << Run{.arguments = {e, u"-platform"_s}, .status = 2, .errors = u"Unbekannte Option"_s};
}

void TestCommandLine::run() {
    QFETCH(Run, run);
    const auto& [arguments, status, output, whole, errors, written, bytes] = run;
    if (arguments.contains(QString()) && written.isEmpty() && status == 0)
        QSKIP("no character device can be used here");

    // No display of any kind, and a home of its own that must stay empty:
    // the command line neither needs a window nor touches the settings or
    // the data folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name :
         {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"XDG_CONFIG_HOME"_s,
          u"XDG_DATA_HOME"_s, u"XDG_CACHE_HOME"_s, u"XDG_DOCUMENTS_DIR"_s, u"LC_ALL"_s})
        environment.remove(name);
    environment.insert(u"HOME"_s, m_home.path());
    environment.insert(u"LANG"_s, u"C.UTF-8"_s);
    // A pipe written into needs its reader first, as in a shell pipeline.
    const auto type = [](const QString& path) {
        struct stat status {};
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT
                                                                          : 0u;
    };
    const mode_t writtenType = written.isEmpty() ? 0 : type(written);
    const int reader = writtenType == S_IFIFO
                           ? ::open(QFile::encodeName(written).constData(), O_RDONLY | O_NONBLOCK)
                           : -1;
    const auto closeReader = qScopeGuard([reader] {
        if (reader >= 0)
            ::close(reader);
    });
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(m_files.path());
    program.start(QStringLiteral(VELTRANO_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(30000));

    const QByteArray shownErrors = program.readAllStandardError();
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QByteArray shownOutput = program.readAllStandardOutput();
    if (whole)
        QCOMPARE(shownOutput, output);
    else
        QVERIFY2(shownOutput.startsWith(output), shownOutput.constData());
    if (errors.isEmpty())
        QCOMPARE(shownErrors, QByteArray());
    else
        QVERIFY2(QString::fromUtf8(shownErrors).contains(errors), shownErrors.constData());
    // A usage error shows the help on stderr.
    QCOMPARE(shownErrors.contains("\nAufruf: "), status == 2);
    if (writtenType == S_IFIFO || writtenType == S_IFCHR) {
        // Written into and left as it was.
        QCOMPARE(type(written), writtenType);
        if (reader >= 0) {
            QByteArray received(64 * 1024, '\0');
            const ssize_t n = ::read(reader, received.data(), std::size_t(received.size()));
            received.truncate(std::max<ssize_t>(n, 0));
            QCOMPARE(received, bytes);
        }
    } else if (!written.isEmpty()) {
        QCOMPARE(QFile::exists(written), !bytes.isNull());
        QCOMPARE(readAll(written), bytes);
    }
    // No run changes a definition or turns a symlink into a file.
    QCOMPARE(readAll(u"einfach.msg"_s), m_definition);
    for (const QString& link : {u"verweis.vbs"_s, u"zum-ziel.vbs"_s, u"lose.vbs"_s, u"hier"_s})
        QVERIFY2(QFileInfo(link).isSymLink(), qPrintable(link));
    QCOMPARE(QDir(m_home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

// A name ending in " _" must not make its comment line a line continuation,
// which would swallow the first line of the code after it: each code after
// its "' NAME" line still reads back as its file's definition.
void TestCommandLine::commentLineEndsBeforeTheCode() {
    // Long messages in the script style with the button "OK": only the
    // "Dim Msg" that starts the code tells the reader the style.
    const QString names[] = {u"b _"_s, u"_"_s, u"c _ \u00A0"_s};
    const QString messages[] = {
        u"Eine lange Meldung, die mit fünfzig Zeichen nicht auskommt."_s,
        u"Noch eine lange Meldung, die mit fünfzig Zeichen nicht auskommt."_s,
        u"Die dritte lange Meldung, die mit fünfzig Zeichen nicht auskommt."_s};
    QStringList arguments{u"--code"_s};
    for (int i = 0; i < 3; ++i) {
        QFile file(names[i]);
        const QByteArray bytes = definitionfile::encode(definitionfile::valueOf(
            {16, 0, 0, int(msgbox::CodeStyle::Vbs), u"Titel %1"_s.arg(i), messages[i]}));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        arguments << names[i];
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, m_home.path());
    environment.insert(u"LANG"_s, u"C.UTF-8"_s);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(m_files.path());
    program.start(QStringLiteral(VELTRANO_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    const QString output = QString::fromUtf8(program.readAllStandardOutput());

    qsizetype at = -1;
    for (int i = 0; i < 3; ++i) {
        at = output.indexOf(u"' "_s, at + 1);
        QVERIFY2(at == 0 || (at > 0 && output[at - 1] == u'\n'), qPrintable(output));
        const ReadResult result = readMsgBoxCall(output.mid(at), msgbox::CodeStyle::Einfach);
        QVERIFY(std::holds_alternative<ReadCall>(result));
        const ReadCall& call = std::get<ReadCall>(result);
        QCOMPARE(call.value.title, u"Titel %1"_s.arg(i));
        QCOMPARE(call.value.message, messages[i]);
        QVERIFY(call.styleTold);
        QCOMPARE(call.value.code, msgbox::CodeStyle::Vbs);
    }
    for (const QString& comment : {u"' b ?\n"_s, u"' ?\n"_s, u"' c ? \u00A0\n"_s})
        QVERIFY2(output.contains(comment), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
