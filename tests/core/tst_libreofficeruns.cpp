// The generated LibreOffice Basic runs in plain LibreOffice (no VBA
// support) and does what it says: each value of the engine table
// (tests/core/enginecheck.h) is a module of a library of its own in a
// throwaway user profile, beside a MsgBox of its own that hands the call to
// a recorder (a Function MsgBox takes the place of the built-in only in its
// own module), with each branch comment turned into a call that records it.
// One headless start runs every value with every answer of its set. An
// error LibreOffice cannot show headless waits for an answer for ever, so
// the start is bounded and killed with its children on the bound.
// A second start lists which MB_ names plain LibreOffice Basic defines: the
// code reader takes exactly those, with their values.
#include "core/codeskeleton.h"
#include "core/generators.h"
#include "core/msgboxtables.h"
#include "core/reader/constantnames.h"
#include "tests/core/enginecheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

constexpr QStringView Xml = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr QStringView Dtd =
    u"<!DOCTYPE %1 PUBLIC \"-//OpenOffice.org//DTD OfficeDocument 1.0//EN\" "
    u"\"%2.dtd\">\n";
constexpr QStringView LibraryNamespace = u"xmlns:library=\"http://openoffice.org/2000/library\"";

constexpr QStringView Recorder = uR"(Option Explicit
Global RecPlan As Integer

Sub RecLine(s As String)
    Dim f As Integer
    f = FreeFile
    Open RecPath() For Append As #f
    Print #f, s
    Close #f
End Sub

Function RecCodes(s) As String
    Dim i As Long, r As String
    r = ""
    For i = 1 To Len(s)
        r = r & " " & Hex(Asc(Mid(s, i, 1)))
    Next i
    RecCodes = r
End Function

Function RecMsgBox(Prompt, Buttons, Title) As Integer
    RecLine "CALL " & Buttons & " P" & RecCodes(Prompt) & " T" & RecCodes(Title)
    RecMsgBox = RecPlan
End Function

Sub RecBranch(Label As String)
    RecLine "BRANCH" & RecCodes(Label)
End Sub

Sub RecValue(v)
    RecLine "VALUE " & v
End Sub
)";

// Missing arguments come through as -1 and Chr(1), which no value has.
constexpr QStringView Shadow = uR"(
Function MsgBox(Optional Prompt, Optional Buttons, Optional Title) As Integer
    Dim b As Long, t As String
    b = -1
    t = Chr(1)
    If Not IsMissing(Buttons) Then b = Buttons
    If Not IsMissing(Title) Then t = Title
    MsgBox = RecMsgBox(Prompt, b, t)
End Function
)";

// A module's source in its XML file; its CR line ends as character
// references, which the parser keeps.
QString moduleFile(const QString& name, const QString& source) {
    QString body = source.toHtmlEscaped();
    body.replace(u'\r', u"&#13;"_s);
    return Xml.toString() + Dtd.toString().arg(u"script:module"_s, u"module"_s) +
           u"<script:module xmlns:script=\"http://openoffice.org/2000/script\" "
           u"script:name=\"%1\" script:language=\"StarBasic\">%2</script:module>\n"_s.arg(name,
                                                                                          body);
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.flush();
}

// A library of one module in the profile's basic folder.
bool writeLibrary(const QString& basic, const QString& library, const QString& module,
                  const QString& source) {
    const QString dir = basic + u'/' + library;
    const QString head = u"<library:library %1 library:name=\"%2\" library:readonly=\"false\" "
                         u"library:passwordprotected=\"false\""_s.arg(LibraryNamespace, library);
    const QString dtd = Dtd.toString().arg(u"library:library"_s, u"library"_s);
    return QDir().mkpath(dir) &&
           writeFile(dir + u'/' + module + u".xba"_s, moduleFile(module, source)) &&
           writeFile(dir + u"/script.xlb"_s, Xml.toString() + dtd + head +
                                                 u">\n <library:element library:name=\"%1\"/>\n"
                                                 u"</library:library>\n"_s.arg(module)) &&
           writeFile(dir + u"/dialog.xlb"_s, Xml.toString() + dtd + head + u"/>\n"_s);
}

bool writeLibraryLists(const QString& basic, const QStringList& libraries) {
    for (const QString& kind : {u"script"_s, u"dialog"_s}) {
        QString text =
            Xml.toString() + Dtd.toString().arg(u"library:libraries"_s, u"libraries"_s) +
            u"<library:libraries %1 xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n"
            u" <library:library library:name=\"Standard\" library:link=\"false\"/>\n"_s.arg(
                LibraryNamespace);
        for (const QString& library : libraries) {
            text +=
                u" <library:library library:name=\"%1\" xlink:href=\"$(USER)/basic/%1/%2.xlb/\" "
                u"xlink:type=\"simple\" library:link=\"false\"/>\n"_s.arg(library, kind);
        }
        text += u"</library:libraries>\n"_s;
        if (!writeFile(basic + u'/' + kind + u".xlc"_s, text))
            return false;
    }
    return true;
}

// The fragment as the body of Sub Fragment, its branch comments recording
// and its kept answer recorded.
QString fragmentModule(const QString& code) {
    const lang::LanguageFacts& language = lang::facts(lang::Language::LibreOffice);
    const QString variable = language.syntax->answerVariable.toString();
    QString body = u"Option Explicit\r\rSub Fragment\r"_s;
    bool kept = false;
    for (const QString& line : code.split(u'\r')) {
        const QString caption = enginecheck::branchCaption(line, language);
        body += caption.isEmpty() ? line : u"RecBranch \"%1\""_s.arg(caption);
        body += u'\r';
        kept = kept || line.startsWith(variable + u" = MsgBox("_s);
    }
    if (kept)
        body += u"RecValue "_s + variable + u'\r';
    body += u"End Sub\r"_s;
    return body + Shadow.toString().replace(u'\n', u'\r');
}

// A headless LibreOffice in a throwaway profile of a private folder (its
// temporary files there too, no display), with the Standard library emptied
// for the test's own.
struct Office {
    QString soffice = enginecheck::findProgram(u"soffice"_s);
    QTemporaryDir dir{QDir::currentPath() + u"/tst_libreofficeruns-XXXXXX"_s};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QStringList options{u"--headless"_s, u"--norestore"_s, u"--nologo"_s, u"--nolockcheck"_s};
    QString basic = dir.filePath(u"profile/user/basic"_s);

    // Empty, or why no profile could be made.
    QString makeProfile() {
        if (soffice.isEmpty())
            return u"soffice is missing: scripts/setup-tests.sh installs LibreOffice"_s;
        if (!dir.isValid())
            return u"no temporary folder"_s;
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.insert(u"TMPDIR"_s, dir.path());
        options << u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s);
        const auto made = run(u"--terminate_after_init"_s, 120000);
        if (!made.finished || made.exitCode != 0 ||
            !QDir(basic + u"/Standard"_s).removeRecursively())
            return u"no profile: "_s + made.output;
        return {};
    }
    enginecheck::Run run(const QString& argument, int timeoutMs) const {
        return enginecheck::runBounded(soffice, options + QStringList{argument}, environment,
                                       dir.path(), timeoutMs);
    }
};

} // namespace

class TestLibreOfficeRuns : public QObject {
    Q_OBJECT

private slots:
    void everyVariantRuns();
    void readerTakesLibreOfficesNames();
};

void TestLibreOfficeRuns::everyVariantRuns() {
    Office office;
    const QString failed = office.makeProfile();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    const QString& basic = office.basic;

    const QList<msgbox::Value> values = enginecheck::values({false, false});
    QStringList libraries;
    QString calls;
    QString driver;
    int runs = 0;
    for (qsizetype v = 0; v < values.size(); ++v) {
        const QString library = u"V%1"_s.arg(v + 1);
        const QString module = u"M%1"_s.arg(v + 1);
        libraries << library;
        const QString code = gen::generateCode(values[v], gen::Language::LibreOffice);
        QVERIFY(writeLibrary(basic, library, module, fragmentModule(code)));
        // A compile error in a value's own library is an error its caller
        // catches, so the other values still run.
        for (const int answer : enginecheck::answersOf(values[v])) {
            const QString sub = u"T%1_%2"_s.arg(v + 1).arg(answer);
            calls += u"    "_s + sub + u'\n';
            driver += u"Sub %1\n    On Error GoTo Failed\n    RecLine \"BEGIN %2 %3\"\n"
                      u"    BasicLibraries.loadLibrary(\"%4\")\n    RecPlan = %3\n"
                      u"    %5.Fragment\n    RecLine \"END\"\n    Exit Sub\nFailed:\n"
                      u"    RecLine \"ERR \" & Err & RecCodes(Error$)\nEnd Sub\n\n"_s.arg(sub)
                          .arg(v + 1)
                          .arg(answer)
                          .arg(library, module);
            ++runs;
        }
    }
    const QString record = office.dir.filePath(u"record.txt"_s);
    QString recorder = Recorder.toString() + u"\nFunction RecPath() As String\n    RecPath = \""_s +
                       QString(record).replace(u"\""_s, u"\"\""_s) + u"\"\nEnd Function\n\n"_s +
                       u"Sub Main\n    RecLine \"START\"\n"_s + calls +
                       u"    RecLine \"DONE\"\nEnd Sub\n\n"_s + driver;
    QVERIFY(writeLibrary(basic, u"Standard"_s, u"Rec"_s, recorder));
    QVERIFY(writeLibraryLists(basic, libraries));

    const auto run = office.run(u"macro:///Standard.Rec.Main"_s, 60000 + 200 * runs);
    QVERIFY2(run.finished,
             qPrintable(u"LibreOffice did not end within its bound: "_s + run.output));
    QFile file(record);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(run.output));
    const QStringList lines =
        QString::fromLatin1(file.readAll()).remove(u'\r').split(u'\n', Qt::SkipEmptyParts);
    const QString failure = enginecheck::check(lines, values, lang::Language::LibreOffice, u"\r");
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestLibreOfficeRuns::readerTakesLibreOfficesNames() {
    Office office;
    const QString failed = office.makeProfile();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));

    // Every MB_ name of the fact tables; without Option Explicit one that
    // LibreOffice does not define is Empty.
    QStringList names;
    const auto add = [&](QStringView name) {
        if (!name.isEmpty())
            names << name.toString();
    };
    for (const auto& row : msgbox::buttonSets())
        add(row.windows);
    for (const auto& row : msgbox::icons())
        add(row.windows);
    for (const auto& row : msgbox::defaultButtons())
        add(row.windows);
    for (const auto& row : msgbox::flags())
        add(row.windows);
    names << u"MB_ICONHAND"_s << u"MB_ICONASTERISK"_s << u"MB_ICONWARNING"_s << u"MB_ICONERROR"_s
          << u"MB_TASKMODAL"_s;
    const QString record = office.dir.filePath(u"names.txt"_s);
    QString module =
        u"Sub Main\r    Dim f As Integer\r    f = FreeFile\r    Open \"%1\" For Output "
        u"As #f\r"_s.arg(QString(record).replace(u"\""_s, u"\"\""_s));
    for (const QString& name : names)
        module += u"    Print #f, \"%1 \" & TypeName(%1) & \" \" & %1\r"_s.arg(name);
    module += u"    Close #f\rEnd Sub\r"_s;
    QVERIFY(writeLibrary(office.basic, u"Standard"_s, u"Names"_s, module));
    QVERIFY(writeLibraryLists(office.basic, {}));
    const auto run = office.run(u"macro:///Standard.Names.Main"_s, 60000);
    QVERIFY2(run.finished, qPrintable(run.output));
    QFile file(record);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(run.output));
    const QStringList lines =
        QString::fromLatin1(file.readAll()).remove(u'\r').split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), names.size());
    for (const QString& line : lines) {
        const QStringList parts = line.split(u' ');
        const reader::StyleConstant* taken = reader::findStyleConstant(parts[0]);
        const bool defined = parts.value(1) != u"Empty";
        QVERIFY2(defined == (taken != nullptr), qPrintable(line));
        if (taken)
            QVERIFY2(parts.value(2) == QString::number(taken->value), qPrintable(line));
    }
}

QTEST_GUILESS_MAIN(TestLibreOfficeRuns)
#include "tst_libreofficeruns.moc"
