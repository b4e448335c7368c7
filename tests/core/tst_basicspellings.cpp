// The Basic reader on LibreOffice Basic's spelling (MB_ constants, ID
// answers, Chr) and on Windows Script Host's Popup: one table of snippets,
// each with what it reads as (style value, told style, title, message) or
// with the refusal and its place.

#include "tests/core/tst_codereader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace codereadertest;

class TestBasicSpellings : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

namespace {

void reading(const char* row, const QString& text, int value, int style, const QString& title,
             const QString& message) {
    QTest::newRow(row) << text << QString() << 0 << 0 << value << style << title << message;
}

void refusal(const char* row, const QString& text, const QString& reason, int line, int column) {
    QTest::newRow(row) << text << reason << line << column << 0 << NotTold << QString()
                       << QString();
}

const QString Shell = u"Set sh = CreateObject(\"WScript.Shell\")"_s;

} // namespace

void TestBasicSpellings::read_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    // LibreOffice Basic: MB_ constants, ID answers, Chr between strings.
    reading("MB_ joined by +",
            u"MsgBox \"a\", MB_YESNO + MB_ICONQUESTION + MB_DEFBUTTON2 + MB_SYSTEMMODAL, \"T\""_s,
            4 + 32 + 256 + 4096, NotTold, u"T"_s, u"a"_s);
    reading("MB_ joined by Or, any case",
            u"msgbox \"a\", mb_abortretryignore or Mb_IconExclamation or MB_DEFBUTTON3 or "
            u"MB_APPLMODAL"_s,
            2 + 48 + 512, NotTold, QString(), u"a"_s);
    reading("MB_ sets and icons",
            u"MsgBox \"a\", (MB_RETRYCANCEL + MB_ICONINFORMATION) Or MB_DEFBUTTON1 + MB_OK"_s,
            5 + 64, NotTold, QString(), u"a"_s);
    reading("MB_ and vb mixed under VBASupport",
            source({u"Option VBASupport 1"_s, u"MsgBox \"a\", vbYesNoCancel + MB_ICONSTOP"_s}),
            3 + 16, NotTold, QString(), u"a"_s);
    reading("IDYES in If", u"If MsgBox(\"a\", MB_YESNO) = IDYES Then\r\nEnd If"_s, 4, IF, QString(),
            u"a"_s);
    reading("IDOK in Select Case",
            source({u"Select Case MsgBox(\"a\", MB_OKCANCEL, \"T\")"_s, u"Case IDOK"_s,
                    u"Case IDCANCEL"_s, u"End Select"_s}),
            1, SC, u"T"_s, u"a"_s);
    reading("IDABORT and IDRETRY in If and ElseIf",
            source({u"Dim Antwort As Integer"_s,
                    u"Antwort = MsgBox(\"a\", MB_ABORTRETRYIGNORE + MB_DEFBUTTON2)"_s,
                    u"If Antwort = IDABORT Then"_s, u"ElseIf Antwort = IDRETRY Then"_s, u"Else"_s,
                    u"End If"_s}),
            2 + 256, IF, QString(), u"a"_s);
    reading("Chr and Chr$ between strings",
            u"MsgBox \"a\" & Chr(13) & \"b\" & Chr$(10) & \"c\" & Chr$(13) & Chr(10) & \"d\""_s, 0,
            NotTold, QString(), u"a\r\nb\r\nc\r\nd"_s);
    reading("a declared MB_HELP is the declaration",
            source({u"Private Const MB_HELP = &H4000&"_s, u"MsgBox \"a\", MB_OK + MB_HELP"_s}),
            16384, NotTold, QString(), u"a"_s);
    for (const char* name :
         {"MB_HELP", "MB_ICONHAND", "MB_ICONASTERISK", "MB_ICONWARNING", "MB_ICONERROR",
          "MB_TASKMODAL", "MB_DEFBUTTON4", "MB_SETFOREGROUND", "mb_Unbekannt"}) {
        refusal(name, u"MsgBox \"a\", MB_YESNO + "_s + QLatin1StringView(name),
                QLatin1StringView(name) + u" gibt es in LibreOffice Basic nicht."_s, 1, 24);
    }

    // Popup of WScript.Shell.
    reading("Popup on CreateObject, no parentheses",
            u"CreateObject(\"WScript.Shell\").Popup \"Hallo\", 0, \"T\", 4 + 32"_s, 36, NotTold,
            u"T"_s, u"Hallo"_s);
    reading("Popup on WScript.CreateObject, parentheses",
            u"WScript.CreateObject(\"wscript.shell\").Popup(\"a\", 0, \"T\", vbOKCancel)"_s, 1,
            NotTold, u"T"_s, u"a"_s);
    reading("x = sh.Popup(...)", source({Shell, u"x = sh.Popup(\"a\", 0, \"T\", 4)"_s}), 4, EI,
            u"T"_s, u"a"_s);
    reading("Popup in If, no wait",
            source({u"Dim sh As Object"_s, Shell,
                    u"If sh.Popup(\"a\", , \"T\", vbYesNo) = vbYes Then"_s, u"End If"_s}),
            4, IF, u"T"_s, u"a"_s);
    reading(
        "Popup in Select Case",
        source({Shell, u"Select Case sh.Popup(\"a\", 0, \"T\", 3)"_s, u"Case 6"_s,
                u"Select Case n"_s, u"Case -1"_s, u"End Select"_s, u"Case 7"_s, u"End Select"_s}),
        3, SC, u"T"_s, u"a"_s);
    reading("-1 in an ElseIf of another test",
            source({Shell, u"If sh.Popup(\"a\", 0, \"T\", 4) = 6 Then"_s, u"ElseIf n = -1 Then"_s,
                    u"End If"_s}),
            4, IF, u"T"_s, u"a"_s);
    reading("Call sh.Popup: no title, no type", source({Shell, u"Call sh.Popup(\"a\")"_s}), 0,
            NotTold, QString(), u"a"_s);
    reading("named arguments", source({Shell, u"sh.Popup Type:=4, Text:=\"a\", Title:=\"T\""_s}), 4,
            NotTold, u"T"_s, u"a"_s);
    reading(
        "Set to New WshShell of VBA's reference",
        source({u"Dim sh As IWshRuntimeLibrary.WshShell"_s,
                u"Set sh = New IWshRuntimeLibrary.WshShell"_s, u"sh.Popup \"a\", 0, \"T\", 1"_s}),
        1, NotTold, u"T"_s, u"a"_s);
    refusal("Set to New of another class",
            source({u"Set sh = New WshShellFremd"_s, u"sh.Popup \"a\""_s}),
            u"Dass sh das Objekt WScript.Shell ist, steht nicht im Text."_s, 2, 1);
    reading("a Popup property set is no call",
            source({u"Menue.Popup = True"_s, u"MsgBox \"a\", MB_OK"_s}), 0, NotTold, QString(),
            u"a"_s);
    reading("a wait of a constant 0",
            source({u"Const Warten = 0"_s, Shell, u"sh.Popup \"a\", Warten, \"T\""_s}), 0, NotTold,
            u"T"_s, u"a"_s);
    refusal("a wait of 5 seconds", source({Shell, u"sh.Popup \"a\", 5, \"T\""_s}),
            u"Popup wartet hier 5 Sekunden und schließt sich dann von selbst; eine Wartezeit "
            u"kennt das Fenster nicht."_s,
            2, 15);
    const QString timeout = u"Der Vergleich mit -1 fragt das Ende der Wartezeit von Popup ab; "
                            u"eine Wartezeit kennt das Fenster nicht."_s;
    refusal("If ... = -1", source({Shell, u"If sh.Popup(\"a\") = -1 Then"_s, u"End If"_s}), timeout,
            2, 20);
    refusal("Case Is = -1",
            source({Shell, u"Select Case sh.Popup(\"a\", 0, \"T\", 4)"_s, u"Case 6"_s,
                    u"Case Is = -1"_s, u"End Select"_s}),
            timeout, 4, 11);
    refusal("x tested against -1 in ElseIf",
            source({Shell, u"x = sh.Popup(\"a\", 0, \"T\", 4)"_s, u"If x = 6 Then"_s,
                    u"ElseIf x = -1 Then"_s, u"End If"_s}),
            timeout, 4, 12);
    refusal("x in Select Case against -1",
            source({Shell, u"x = sh.Popup(\"a\", 0, \"T\", 4)"_s, u"Select Case x"_s,
                    u"Case 6, -1"_s, u"End Select"_s}),
            timeout, 4, 9);
    refusal("object set in a branch",
            source({u"If a Then"_s, u"    "_s + Shell, u"End If"_s, u"sh.Popup \"a\""_s}),
            u"Der Wert von sh hängt vom Programmablauf ab."_s, 2, 9);
    refusal("object never set", u"sh.Popup \"a\""_s,
            u"Dass sh das Objekt WScript.Shell ist, steht nicht im Text."_s, 1, 1);
    refusal("object set to another one",
            source({Shell, u"Set sh = CreateObject(\"Scripting.FileSystemObject\")"_s,
                    u"sh.Popup \"a\""_s}),
            u"Der Wert von sh ist unbekannt: Die Anweisung hier kann ihn ändern."_s, 2, 5);
    refusal("a text, not the object", source({u"sh = \"x\""_s, u"sh.Popup \"a\""_s}),
            u"sh ist nicht das Objekt WScript.Shell."_s, 2, 1);
}

void TestBasicSpellings::read() {
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, value);
    QFETCH(int, style);
    QFETCH(QString, title);
    QFETCH(QString, message);

    const auto result = readMsgBoxCall(text, msgbox::CodeStyle::SelectCase);
    if (reason.isEmpty()) {
        if (const auto* error = std::get_if<ReadError>(&result)) {
            QFAIL(qPrintable(error->text));
        }
        const ReadCall& call = std::get<ReadCall>(result);
        QVERIFY2(msgbox::styleValue(call.value) == value, qPrintable(describe(call)));
        QVERIFY2(call.styleTold == (style != NotTold), qPrintable(describe(call)));
        if (style != NotTold) {
            QCOMPARE(int(call.value.code), style);
        }
        QCOMPARE(call.value.title, title);
        QCOMPARE(call.value.message, message);
        return;
    }
    if (const auto* call = std::get_if<ReadCall>(&result)) {
        QFAIL(qPrintable(u"read: "_s + describe(*call)));
    }
    const ReadError& error = std::get<ReadError>(result);
    QCOMPARE(error.reason, reason);
    QCOMPARE(error.line, line);
    QCOMPARE(error.column, column);
}

QTEST_GUILESS_MAIN(TestBasicSpellings)
#include "tst_basicspellings.moc"
