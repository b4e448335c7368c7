#include "tst_codereader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace codereadertest;

// A value is read only where the reader is sure of it: each row is a
// hand-written snippet with the value it holds, or with the refusal of what
// depends on something the reader cannot know. A row without a reason is
// read; value -1 leaves the buttons value unchecked.
namespace {

void addColumns() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
}

QString unknown(const QString& name) {
    return u"Der Wert von "_s + name + u" hängt vom Programmablauf ab."_s;
}

void reading(const char* row, const QString& text, int value, const QString& title,
             const QString& message) {
    QTest::newRow(row) << text << QString() << 0 << 0 << value << title << message;
}

void refusal(const char* row, const QString& text, const QString& reason, int line, int column) {
    QTest::newRow(row) << text << reason << line << column << -1 << QString() << QString();
}

} // namespace

void TestCodeReader::faults_data() {
    addColumns();
    refusal("VB.NET: assigned in Try and in Catch",
            source({u"Dim Msg As String = \"Vorher\""_s, u"Try"_s, u"    Msg = \"Im Try\""_s,
                    u"Catch ex As Exception"_s, u"    Msg = \"Im Catch\""_s, u"End Try"_s,
                    u"MsgBox(Msg, MsgBoxStyle.YesNo, \"Titel\")"_s}),
            unknown(u"Msg"_s), 5, 5);
    reading("C#: string? is a text", u"string? msg = \"Hallo\"; MessageBox.Show(msg, \"Titel\");"_s,
            0, u"Titel"_s, u"Hallo"_s);
    reading(
        "C#: foreach only reads",
        u"string msg = \"Hallo\";\nforeach (char c in msg) { n++; }\nMessageBox.Show(msg, \"T\");"_s,
        0, u"T"_s, u"Hallo"_s);
    reading("C#: for only reads",
            u"string msg = \"Hallo\";\nfor (int i = 0; i < msg.Length; i++) { }\n"
            u"MessageBox.Show(msg, \"T\");"_s,
            0, u"T"_s, u"Hallo"_s);
    refusal("column in code points", u"MsgBox \"\U0001F600\" & x"_s,
            u"Der Wert von x steht nicht im Text."_s, 1, 14);
}

void TestCodeReader::faults() {
    certain();
}

void TestCodeReader::certain_data() {
    addColumns();
    // A C# string that holds \" and then ' reads in Basic as a comment that
    // hides the call's end; read as C#, it is the call it is.
    reading("C# string with an escaped quote and an apostrophe",
            u"MessageBox.Show(\"te \\\"\\n'x\", \"T\");"_s, 0, u"T"_s, u"te \"\r\n'x"_s);
    const QString changed =
        u"Der Wert von Msg ist unbekannt: Die Anweisung hier kann ihn ändern."_s;
    const QString changedC =
        u"Der Wert von msg ist unbekannt: Die Anweisung hier kann ihn ändern."_s;
    const QString jump = u"Der Wert von Msg ist unbekannt: An einer Sprungmarke kann der Ablauf "
                         u"von anderswo kommen."_s;
    const QString plusNumber = u"„+“ mit einer Zahl wird nicht ausgewertet."_s;

    // 1. a statement that changes a variable without naming it
    refusal("a procedure of the text assigns it",
            source({u"Sub Setze()"_s, u"    Msg = \"b\""_s, u"End Sub"_s, u"Msg = \"a\""_s,
                    u"Call Setze"_s, u"MsgBox Msg"_s}),
            changed, 5, 1);
    refusal("Me.Msg =", source({u"Msg = \"a\""_s, u"Me.Msg = \"b\""_s, u"MsgBox Msg"_s}), changed,
            2, 4);
    refusal(".Msg = in With",
            source({u"Msg = \"a\""_s, u"With Me"_s, u"    .Msg = \"b\""_s, u"End With"_s,
                    u"MsgBox Msg"_s}),
            changed, 3, 6);
    refusal("C#: this.msg =", u"string msg = \"a\"; this.msg = \"b\"; MessageBox.Show(msg);"_s,
            changedC, 1, 24);
    refusal("C#: assignment inside an expression",
            u"string msg = \"a\"; var x = (msg = \"b\"); MessageBox.Show(msg);"_s, changedC, 1, 28);
    refusal("C#: tuple", u"string msg = \"a\"; (msg, t) = (\"b\", \"c\"); MessageBox.Show(msg);"_s,
            changedC, 1, 20);
    refusal("Execute",
            source({u"Msg = \"a\""_s, u"Execute \"Msg = \"\"b\"\"\""_s, u"MsgBox Msg"_s}), changed,
            2, 1);
    // 2. jumps
    refusal("GoTo and a label",
            source({u"Msg = \"a\""_s, u"GoTo Weiter"_s, u"Msg = \"b\""_s, u"Weiter:"_s,
                    u"MsgBox Msg"_s}),
            jump, 4, 1);
    refusal("GoSub",
            source({u"Msg = \"a\""_s, u"GoSub Setze"_s, u"MsgBox Msg"_s, u"End"_s, u"Setze:"_s,
                    u"Msg = \"b\""_s, u"Return"_s}),
            changed, 2, 1);
    refusal("C#: goto",
            u"string msg = \"a\"; goto weiter; msg = \"b\"; weiter: MessageBox.Show(msg);"_s,
            u"Der Wert von msg ist unbekannt: An einer Sprungmarke kann der Ablauf von anderswo "
            u"kommen."_s,
            1, 43);
    // 3. conditional compilation
    refusal("#If branches",
            source({u"#If Win64 Then"_s, u"Msg = \"a\""_s, u"#Else"_s, u"Msg = \"b\""_s,
                    u"#End If"_s, u"MsgBox Msg"_s}),
            unknown(u"Msg"_s), 4, 1);
    refusal("a call inside #If",
            source({u"#If False Then"_s, u"MsgBox \"a\""_s, u"#End If"_s, u"MsgBox \"b\""_s}),
            u"Der Aufruf steht in einem Zweig der bedingten Kompilierung."_s, 2, 1);
    refusal("C#: #if branches",
            u"string msg;\n#if DEBUG\nmsg = \"a\";\n#else\nmsg = \"b\";\n#endif\n"
            u"MessageBox.Show(msg);"_s,
            unknown(u"msg"_s), 5, 1);
    // 4. procedures
    reading("a Dim in a Sub hides the module's value",
            source({u"Msg = \"a\""_s, u"Sub Zeigen()"_s, u"    Dim Msg"_s,
                    u"    MsgBox Msg & \"!\""_s, u"End Sub"_s}),
            0, QString(), u"!"_s);
    refusal("assigned outside the procedure",
            source({u"Msg = \"a\""_s, u"Sub B()"_s, u"    MsgBox Msg"_s, u"End Sub"_s}),
            unknown(u"Msg"_s), 1, 1);
    // 5. VB.NET multi-line lambdas
    refusal("VB.NET: Sub lambda",
            source({u"Dim Msg As String = \"a\""_s, u"Dim f = Sub()"_s, u"    Msg = \"b\""_s,
                    u"End Sub"_s, u"MsgBox(Msg)"_s}),
            unknown(u"Msg"_s), 3, 5);
    refusal("VB.NET: AddHandler lambda",
            source({u"Dim Msg As String = \"a\""_s, u"AddHandler b.Click, Sub(s, e)"_s,
                    u"    Msg = \"b\""_s, u"End Sub"_s, u"MsgBox(Msg)"_s}),
            unknown(u"Msg"_s), 3, 5);
    // 6. numbers are not text
    refusal("n + n", source({u"Dim n"_s, u"n = 5"_s, u"MsgBox n + n"_s}), plusNumber, 3, 10);
    refusal("Const A + Const B", source({u"Const A = 1"_s, u"Const B = 2"_s, u"MsgBox A + B"_s}),
            plusNumber, 3, 10);
    refusal("text + number", source({u"s = \"1\""_s, u"n = 2"_s, u"MsgBox s + n"_s}), plusNumber, 3,
            10);
    reading("n & n", source({u"n = 5"_s, u"MsgBox n & n"_s}), 0, QString(), u"55"_s);
    // 7. the text's declarations beat the program's constants
    reading("Const vbYesNo", source({u"Const vbYesNo = 3"_s, u"MsgBox \"a\", vbYesNo"_s}), 3,
            QString(), u"a"_s);
    reading("Const vbTab", source({u"Const vbTab = \"-\""_s, u"MsgBox \"a\" & vbTab & \"b\""_s}), 0,
            QString(), u"a-b"_s);
    reading("VB.NET: Dim vbCrLf",
            source({u"Dim vbCrLf As String = \"-\""_s, u"MsgBox(\"a\" & vbCrLf & \"b\")"_s}), 0,
            QString(), u"a-b"_s);
    refusal("a declared constant of unknown value",
            source({u"Dim vbYesNo"_s, u"vbYesNo = Wert()"_s, u"MsgBox \"a\", vbYesNo"_s}),
            u"Der Wert von vbYesNo ist unbekannt: Die Funktion Wert wird nicht ausgewertet."_s, 2,
            11);
    // 8. VB.NET's literals
    reading("VB.NET: &HFFFF", u"MsgBox(&HFFFF, MsgBoxStyle.OkOnly)"_s, 0, QString(), u"65535"_s);
    reading("VB.NET: &H8000", u"MsgBox(&H8000, MsgBoxStyle.OkOnly)"_s, 0, QString(), u"32768"_s);
    reading("VB.NET: &O177777", u"MsgBox(&O177777, MsgBoxStyle.OkOnly)"_s, 0, QString(),
            u"65535"_s);
    // 9. VB.NET is not read as C# for a comment or a string
    reading("VB.NET: REM with a semicolon",
            source({u"MessageBox.Show(\"C:\\temp\", \"Pfad\")"_s, u"REM Ende;"_s}), 0, u"Pfad"_s,
            u"C:\\temp"_s);
    reading("VB.NET: a semicolon in a string", u"MessageBox.Show(\"C:\\\", \"a;b\")"_s, 0, u"a;b"_s,
            u"C:\\"_s);
    refusal("VB.NET or C#: readings differ", u"MessageBox.Show(\"C:\\temp\", \"Pfad\")"_s,
            u"Der Text kann VB.NET oder C# sein, und beide lesen ihn anders. Ein ; am Ende macht "
            u"ihn zu C#, ein Kommentar mit ' zu VB.NET."_s,
            1, 1);
    reading("VB.NET or C#: readings agree", u"MessageBox.Show(\"Hallo\", \"Pfad\")"_s, 0, u"Pfad"_s,
            u"Hallo"_s);
    reading("VB.NET or C#: only C# reads", u"MessageBox.Show(\"a\\\"b\", \"T\")"_s, 0, u"T"_s,
            u"a\"b"_s);
    reading("a comment tells VB.NET", u"MessageBox.Show(\"C:\\temp\", \"Pfad\") ' Pfad zeigen"_s, 0,
            u"Pfad"_s, u"C:\\temp"_s);
    reading("a second line tells VB.NET",
            source({u"x = 1"_s, u"MessageBox.Show(\"C:\\temp\", \"Pfad\")"_s}), 0, u"Pfad"_s,
            u"C:\\temp"_s);
    reading("a semicolon tells C#", u"MessageBox.Show(\"C:\\temp\", \"Pfad\");"_s, 0, u"Pfad"_s,
            u"C:\temp"_s);
    // 10. owner windows
    reading("C#: a text named owner", u"string owner = \"B\"; MessageBox.Show(owner, \"Titel\");"_s,
            0, u"Titel"_s, u"B"_s);
    refusal("C#: dynamic first argument",
            u"dynamic msg = \"Hallo\"; MessageBox.Show(msg, \"Titel\");"_s,
            u"Ob msg das Besitzerfenster oder der Meldungstext ist, ist unbekannt."_s, 1, 40);
    refusal("C#: this.Text", u"MessageBox.Show(this.Text, \"Titel\");"_s,
            u"this.Text wird nicht ausgewertet."_s, 1, 17);
    refusal("VB.NET: Me.txtName.Text", u"MessageBox.Show(Me.txtName.Text, \"Eingabe\")"_s,
            u"Me.txtName.Text wird nicht ausgewertet."_s, 1, 17);
    reading("C#: a declared window", u"Form f = this; MessageBox.Show(f, \"a\", \"T\");"_s, 0,
            u"T"_s, u"a"_s);
    // 11. the help argument
    refusal("C#: help from a variable",
            u"bool hilfe = false; MessageBox.Show(\"a\", \"T\", MessageBoxButtons.OK, "
            u"MessageBoxIcon.None, MessageBoxDefaultButton.Button1, 0, hilfe);"_s,
            u"Ob hilfe die Hilfeschaltfläche zeigt, ist unbekannt."_s, 1, 126);
    // 12. Try/Catch and loops: the faults above, C#'s try and Basic's For
    refusal("C#: assigned in try",
            u"string msg = \"a\";\ntry { msg = \"b\"; } catch { }\nMessageBox.Show(msg);"_s,
            unknown(u"msg"_s), 2, 7);
    reading("For Each only reads Msg",
            source({u"Msg = \"a\""_s, u"For Each c In Split(Msg)"_s, u"Next"_s, u"MsgBox Msg"_s}),
            0, QString(), u"a"_s);

    // wrong refusals
    reading("VB.NET: a string over two lines",
            u"MsgBox(\"Zeile 1\r\nZeile 2\", MsgBoxStyle.OkOnly)"_s, 0, QString(),
            u"Zeile 1\r\nZeile 2"_s);
    reading("C#: named arguments",
            u"MessageBox.Show(caption: \"b\", text: \"a\", buttons: MessageBoxButtons.YesNo);"_s, 4,
            u"b"_s, u"a"_s);
    reading("C#: interpolated known name",
            u"string m = \"Welt\"; MessageBox.Show($\"Hallo {m}!\", \"T\");"_s, 0, u"T"_s,
            u"Hallo Welt!"_s);
}

void TestCodeReader::certain() {
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, value);
    QFETCH(QString, title);
    QFETCH(QString, message);

    const auto result = readMsgBoxCall(text, msgbox::CodeStyle::SelectCase);
    if (reason.isEmpty()) {
        if (const auto* error = std::get_if<ReadError>(&result)) {
            QFAIL(qPrintable(error->text));
        }
        const ReadCall& call = std::get<ReadCall>(result);
        if (value >= 0) {
            QVERIFY2(msgbox::styleValue(call.value) == value, qPrintable(describe(call)));
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
