#include "tst_codereader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace codereadertest;

// VB.NET as programs hold it: MsgBox with MsgBoxStyle, MessageBox.Show in VB
// syntax, declarations with values, VB.NET's constants and quotes.
void TestCodeReader::vbNet_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const QString none;

    QTest::newRow("Select Case on MsgBox")
        << source({u"Select Case MsgBox(\"Weiter?\", MsgBoxStyle.Question Or MsgBoxStyle.YesNo Or "
                   u"MsgBoxStyle.DefaultButton2, \"Frage\")"_s,
                   u"Case MsgBoxResult.Yes"_s, u"    ' Ja"_s, u"Case MsgBoxResult.No"_s,
                   u"    ' Nein"_s, u"End Select"_s})
        << EI << SC << 32 + 4 + 256 << u"Frage"_s << u"Weiter?"_s;
    QTest::newRow("If on MsgBox")
        << source({u"If MsgBox(\"Sicher?\", MsgBoxStyle.YesNo Or MsgBoxStyle.Exclamation, "
                   u"\"Löschen\") = MsgBoxResult.Yes Then"_s,
                   u"    ' Ja"_s, u"Else"_s, u"    ' Nein"_s, u"End If"_s})
        << SC << IF << 52 << u"Löschen"_s << u"Sicher?"_s;
    QTest::newRow("answer declared with its value, tested by If")
        << source({u"Dim Antwort As MsgBoxResult = MsgBox(\"Speichern?\", "
                   u"MsgBoxStyle.YesNoCancel Or MsgBoxStyle.DefaultButton3, \"Ende\")"_s,
                   u"If Antwort = MsgBoxResult.Yes Then"_s,
                   u"ElseIf Antwort = MsgBoxResult.No Then"_s, u"Else"_s, u"End If"_s})
        << SC << IF << 3 + 512 << u"Ende"_s << u"Speichern?"_s;
    QTest::newRow("answer kept: einfach")
        << u"Dim Antwort As MsgBoxResult = MsgBox(\"x\", MsgBoxStyle.RetryCancel Or "
           u"MsgBoxStyle.Critical, \"T\")"_s
        << SC << EI << 21 << u"T"_s << u"x"_s;
    QTest::newRow("answer declared without a type is not VBScript")
        << u"Dim Antwort = MsgBox(\"x\", MsgBoxStyle.YesNo)"_s << VBS << EI << 4 << none << u"x"_s;
    QTest::newRow("OK as a statement")
        << u"MsgBox(\"Fertig.\", MsgBoxStyle.OkOnly Or MsgBoxStyle.Information, \"Info\")"_s << SC
        << NotTold << 64 << u"Info"_s << u"Fertig."_s;
    QTest::newRow("flags, + and a number, qualified")
        << u"Microsoft.VisualBasic.Interaction.MsgBox(\"x\", MsgBoxStyle.OkCancel + 4096 Or "
           u"Microsoft.VisualBasic.MsgBoxStyle.MsgBoxHelp, \"T\")"_s
        << SC << NotTold << 1 + 4096 + 16384 << u"T"_s << u"x"_s;
    QTest::newRow("long message in Msg, continued implicitly, &=")
        << source({u"Dim Msg As String = \"Zeile 1\" & vbCrLf &"_s,
                   u"    \"Zeile 2\" & vbNewLine"_s, u"Msg &= \"Zeile 3\""_s,
                   u"Msg += ControlChars.NewLine & \"Zeile 4\""_s, u"MsgBox(Msg,"_s,
                   u"       MsgBoxStyle.YesNo,"_s, u"       \"Titel\""_s, u"      )"_s})
        << SC << NotTold << 4 << u"Titel"_s << u"Zeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4"_s;
    QTest::newRow("ControlChars and Environment.NewLine")
        << u"MsgBox(\"a\" & ControlChars.CrLf & \"b\" & ControlChars.Cr & \"c\" & ControlChars.Lf "
           u"& "
           u"\"d\" & ControlChars.Tab & ControlChars.Quote & Environment.NewLine & String.Empty)"_s
        << SC << NotTold << 0 << none << u"a\r\nb\r\nc\r\nd\t\"\r\n\r\n"_s;
    QTest::newRow("ChrW of the quotes VB.NET reads")
        << u"MsgBox(\"Datei \" & ChrW(&H201E) & \"a.txt\" & ChrW(&H201C) & ChrW(&HFF02) & "
           u"ChrW(8221))"_s
        << SC << NotTold << 0 << none << u"Datei „a.txt“＂”"_s;
    QTest::newRow("typographic quotes as quotes")
        << u"MsgBox(“Er sagte ””ja”” und ＂＂nein＂＂＂, MsgBoxStyle.Information)"_s << SC
        << NotTold << 64 << none << u"Er sagte \"ja\" und \"nein\""_s;
    QTest::newRow("comment after a typographic apostrophe")
        << u"MsgBox(\"x\", MsgBoxStyle.YesNo) ’ MsgBox(\"nicht\")"_s << SC << NotTold << 4 << none
        << u"x"_s;
    QTest::newRow("string over two lines, Char literal, interpolated without holes")
        << source({u"Dim Msg As String = \"Zeile 1"_s, u"Zeile 2 \" & \"A\"c & $\" {{3}}\""_s,
                   u"MsgBox(Msg)"_s})
        << SC << NotTold << 0 << none << u"Zeile 1\r\nZeile 2 A {3}"_s;
    QTest::newRow("MessageBox.Show in VB")
        << u"MessageBox.Show(\"Gespeichert.\", \"Info\", MessageBoxButtons.OK, "
           u"MessageBoxIcon.Information)"_s
        << SC << NotTold << 64 << u"Info"_s << u"Gespeichert."_s;
    QTest::newRow("If on MessageBox.Show, DialogResult")
        << source({u"If MessageBox.Show(\"Beenden?\", \"Frage\", MessageBoxButtons.YesNo, "
                   u"MessageBoxIcon.Question) = DialogResult.Yes Then"_s,
                   u"    Close()"_s, u"End If"_s})
        << SC << IF << 36 << u"Frage"_s << u"Beenden?"_s;
    QTest::newRow("Select Case on MessageBox.Show with Me as owner")
        << source({u"Select Case MessageBox.Show(Me, \"x\", \"T\", MessageBoxButtons.YesNoCancel, "
                   u"MessageBoxIcon.Warning, MessageBoxDefaultButton.Button2)"_s,
                   u"Case Windows.Forms.DialogResult.Yes"_s, u"End Select"_s})
        << EI << SC << 3 + 48 + 256 << u"T"_s << u"x"_s;
    QTest::newRow("answer of MessageBox.Show in a Dim")
        << u"Dim r As DialogResult = System.Windows.Forms.MessageBox.Show(\"x\", \"T\", "
           u"MessageBoxButtons.OKCancel Or MessageBoxButtons.OK)"_s
        << SC << EI << 1 << u"T"_s << u"x"_s;
    QTest::newRow("help file of MessageBox.Show")
        << u"MessageBox.Show(\"x\", \"T\", MessageBoxButtons.OK, MessageBoxIcon.None, "
           u"MessageBoxDefaultButton.Button1, 0, \"hilfe.chm\", HelpNavigator.Index)"_s
        << SC << NotTold << 16384 << u"T"_s << u"x"_s;
    QTest::newRow("event handler in a class")
        << source({u"Imports System.Windows.Forms"_s, u"Public Class Form1"_s,
                   u"    Private Const TITEL As String = \"Hinweis\""_s,
                   u"    Private Sub Button1_Click(sender As Object, e As EventArgs) Handles "
                   u"Button1.Click"_s,
                   u"        Dim Msg As String = \"a\", Zahl As Integer = 3"_s,
                   u"        MsgBox(Msg, MsgBoxStyle.Exclamation, TITEL)"_s, u"    End Sub"_s,
                   u"End Class"_s})
        << SC << NotTold << 48 << u"Hinweis"_s << u"a"_s;
    QTest::newRow("German quotes in VB6 stay characters")
        << u"MsgBox \"Datei „a.txt“ fehlt\", vbCritical"_s << SC << NotTold << 16 << none
        << u"Datei „a.txt“ fehlt"_s;
    QTest::newRow("a Basic message that reads as C# code stays Basic")
        << uR"(MsgBox "C:\"" MessageBox.Show(x); """, vbYesNo)"_s << SC << NotTold << 4 << none
        << uR"(C:\" MessageBox.Show(x); ")"_s;
    QTest::newRow("VB6 with ; in Debug.Print stays Basic")
        << source({u"Debug.Print \"a\"; \"b\""_s, u"MsgBox \"x\" & ChrW(&H2022)"_s}) << SC
        << NotTold << 0 << none << u"x•"_s;
}

// C# as programs hold it: MessageBox.Show with its overloads, the result in
// if, switch or a variable, literals of every kind, variables and comments.
void TestCodeReader::csharp_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const QString none;

    QTest::newRow("switch on the call")
        << source({u"switch (MessageBox.Show(\"Weiter?\", \"Frage\", MessageBoxButtons.YesNo, "
                   u"MessageBoxIcon.Question, MessageBoxDefaultButton.Button2))"_s,
                   u"{"_s, u"    case DialogResult.Yes:"_s, u"        // Ja"_s, u"        break;"_s,
                   u"    case DialogResult.No:"_s, u"        // Nein"_s, u"        break;"_s,
                   u"}"_s})
        << EI << SC << 32 + 4 + 256 << u"Frage"_s << u"Weiter?"_s;
    QTest::newRow("if on the call, else")
        << source({u"if (MessageBox.Show(\"Löschen?\", \"Frage\", MessageBoxButtons.YesNo, "
                   u"MessageBoxIcon.Warning) == DialogResult.Yes)"_s,
                   u"{"_s, u"    // Ja"_s, u"}"_s, u"else"_s, u"{"_s, u"    // Nein"_s, u"}"_s})
        << SC << IF << 52 << u"Frage"_s << u"Löschen?"_s;
    QTest::newRow("answer tested by if and else if")
        << source({u"DialogResult antwort = MessageBox.Show(\"Speichern?\", \"Ende\", "
                   u"MessageBoxButtons.YesNoCancel, MessageBoxIcon.None, "
                   u"MessageBoxDefaultButton.Button3);"_s,
                   u"if (antwort == DialogResult.Yes) { } else if (antwort == DialogResult.No) { "
                   u"} else { }"_s})
        << SC << IF << 3 + 512 << u"Ende"_s << u"Speichern?"_s;
    QTest::newRow("var answer, switch on it")
        << source(
               {u"var antwort = MessageBox.Show(\"x\", \"T\", MessageBoxButtons.AbortRetryIgnore);"_s,
                u"switch (antwort) { case DialogResult.Abort: break; }"_s})
        << IF << SC << 2 << u"T"_s << u"x"_s;
    QTest::newRow("answer kept: einfach")
        << u"DialogResult antwort = MessageBox.Show(\"x\", \"T\", MessageBoxButtons.RetryCancel, "
           u"MessageBoxIcon.Error);"_s
        << SC << EI << 21 << u"T"_s << u"x"_s;
    QTest::newRow("text alone") << u"MessageBox.Show(\"Fertig.\");"_s << SC << NotTold << 0 << none
                                << u"Fertig."_s;
    QTest::newRow("empty caption, Stop")
        << u"MessageBox.Show(\"x\", \"\", MessageBoxButtons.OK, MessageBoxIcon.Stop);"_s << SC
        << NotTold << 16 << none << u"x"_s;
    QTest::newRow("Hand")
        << u"MessageBox.Show(\"x\", \"T\", MessageBoxButtons.OK, MessageBoxIcon.Hand);"_s << SC
        << NotTold << 16 << u"T"_s << u"x"_s;
    QTest::newRow("Exclamation")
        << u"MessageBox.Show(\"x\", \"T\", MessageBoxButtons.OK, MessageBoxIcon.Exclamation);"_s
        << SC << NotTold << 48 << u"T"_s << u"x"_s;
    QTest::newRow("Asterisk, qualified")
        << u"System.Windows.Forms.MessageBox.Show(\"x\", \"T\", MessageBoxButtons.OK, "
           u"System.Windows.Forms.MessageBoxIcon.Asterisk);"_s
        << SC << NotTold << 64 << u"T"_s << u"x"_s;
    QTest::newRow("owner this")
        << u"MessageBox.Show(this, \"x\", \"T\", MessageBoxButtons.OKCancel);"_s << SC << NotTold
        << 1 << u"T"_s << u"x"_s;
    QTest::newRow("owner variable, text only")
        << u"MessageBox.Show(owner, \"x\");"_s << SC << NotTold << 0 << none << u"x"_s;
    QTest::newRow("help button: options 0, displayHelpButton true")
        << u"MessageBox.Show(\"x\", \"T\", MessageBoxButtons.OK, MessageBoxIcon.None, "
           u"MessageBoxDefaultButton.Button1, 0, true);"_s
        << SC << NotTold << 16384 << u"T"_s << u"x"_s;
    QTest::newRow("help file and keyword, owner")
        << u"MessageBox.Show(this, \"x\", \"T\", MessageBoxButtons.YesNo, MessageBoxIcon.Question, "
           u"MessageBoxDefaultButton.Button1, (MessageBoxOptions)0, \"hilfe.chm\", \"Thema\");"_s
        << SC << NotTold << 16384 + 36 << u"T"_s << u"x"_s;
    QTest::newRow("displayHelpButton false, casts")
        << u"MessageBox.Show(\"x\", \"T\", (MessageBoxButtons)4, (MessageBoxIcon)0x30, "
           u"MessageBoxDefaultButton.Button2, 0, false);"_s
        << SC << NotTold << 4 + 48 + 256 << u"T"_s << u"x"_s;
    QTest::newRow("escapes")
        << uR"(MessageBox.Show("Tab\tBackslash\\Quote\"Unicode\u00e4\x41\U0001F600\r\nEnde");)"_s
        << SC << NotTold << 0 << none << u"Tab\tBackslash\\Quote\"UnicodeäA😀\r\nEnde"_s;
    QTest::newRow("verbatim over two lines, interpolated without holes")
        << source({uR"(MessageBox.Show(@"C:\Pfad\""a.txt"")"_s,
                   uR"(Zeile 2", $"100 {{%}}" + $@"\{{x}}");)"_s})
        << SC << NotTold << 0 << u"100 {%}\\{x}"_s << u"C:\\Pfad\\\"a.txt\"\r\nZeile 2"_s;
    QTest::newRow("variables, +=, Environment.NewLine, string.Empty, char and number")
        << source({u"const string Titel = \"Hinweis\";"_s,
                   u"string msg = \"Zeile 1\" + Environment.NewLine, leer = string.Empty;"_s,
                   u"msg += \"Seite \" + 3 + ' ' + 'x';"_s, u"var ende = msg + leer;"_s,
                   u"MessageBox.Show(ende, Titel);"_s})
        << SC << NotTold << 0 << u"Hinweis"_s << u"Zeile 1\r\nSeite 3 x"_s;
    QTest::newRow("comments hide calls")
        << source({u"// MessageBox.Show(\"nein\");"_s, u"/* MessageBox.Show(\"nein\");"_s,
                   u"   */ MessageBox.Show(/* \"nein\", */ \"ja\"); // Ende"_s})
        << SC << NotTold << 0 << none << u"ja"_s;
    QTest::newRow("in a method of a class, field constant")
        << source({u"using System.Windows.Forms;"_s, u"namespace Demo"_s, u"{"_s,
                   u"    public partial class Form1 : Form"_s, u"    {"_s,
                   u"        private const string Titel = \"Demo\";"_s,
                   u"        private void button1_Click(object sender, EventArgs e)"_s,
                   u"        {"_s, u"            string text = \"a\\n\";"_s,
                   u"            Console.WriteLine(text);"_s,
                   u"            MessageBox.Show(text, Titel, MessageBoxButtons.OKCancel);"_s,
                   u"        }"_s, u"    }"_s, u"}"_s})
        << SC << NotTold << 1 << u"Demo"_s << u"a\r\n\r\n"_s;
    QTest::newRow("system-modal comment above the call")
        << source(
               {u"// Systemmodal gibt es bei MessageBox.Show nicht."_s,
                u"MessageBox.Show(\"x\", \"T\", MessageBoxButtons.OK, MessageBoxIcon.Warning);"_s})
        << SC << NotTold << 48 << u"T"_s << u"x"_s;
    QTest::newRow("long message over lines")
        << source(
               {u"string msg = \"Zeile 1\\n\" +"_s, u"             \"Zeile 2\\n\" +"_s,
                u"             \"\\\"Ende\\\"\";"_s,
                u"DialogResult antwort = MessageBox.Show(msg, \"T\", MessageBoxButtons.YesNo);"_s})
        << SC << EI << 4 << u"T"_s << u"Zeile 1\r\nZeile 2\r\n\"Ende\""_s;
    QTest::newRow("lambda, branch of its own")
        << source({u"if (x) { string a = \"b\"; }"_s,
                   u"button1.Click += (s, e) => MessageBox.Show(\"Klick\", \"T\");"_s})
        << SC << NotTold << 0 << u"T"_s << u"Klick"_s;
    QString append = u"string msg = \"\";\r\n"_s;
    for (int i = 0; i < 50000; ++i) {
        append += u"msg += \"y\";\r\n"_s;
    }
    QTest::newRow("50,000 lines appending") << append + u"MessageBox.Show(msg);"_s << SC << NotTold
                                            << 0 << none << QString(50000, u'y');
    QTest::newRow("call in a loop condition")
        << u"while (MessageBox.Show(\"Nochmal?\", \"T\", MessageBoxButtons.RetryCancel) == "
           u"DialogResult.Retry) { }"_s
        << SC << NotTold << 5 << u"T"_s << u"Nochmal?"_s;
}

void TestCodeReader::vbNet() {
    handWritten();
}

void TestCodeReader::csharp() {
    handWritten();
}

// What VB.NET and C# code shows that the window cannot take, refused by name
// and place.
void TestCodeReader::dotNetRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("at");

    const QString cannot = u" kann das Fenster nicht darstellen."_s;
    const QString wpf = u" gehört zur MessageBox von WPF; gelesen wird die von Windows Forms."_s;
    const QString show = u"MessageBox.Show(\"x\", \"T\", "_s;

    // --- values the window cannot show ---
    QTest::newRow("C#: Button4")
        << show +
               u"MessageBoxButtons.YesNo, MessageBoxIcon.None, MessageBoxDefaultButton.Button4);"_s
        << SC << u"MessageBoxDefaultButton.Button4"_s + cannot << 1 << 73
        << u"MessageBoxDefaultButton.Button4"_s;
    QTest::newRow("VB.NET: Button4")
        << u"If "_s + show +
               u"MessageBoxButtons.YesNo, MessageBoxIcon.None, MessageBoxDefaultButton.Button4) = "
               u"DialogResult.Yes Then"_s
        << SC << u"MessageBoxDefaultButton.Button4"_s + cannot << 1 << 76
        << u"MessageBoxDefaultButton.Button4"_s;
    QTest::newRow("C#: options RightAlign")
        << show + u"MessageBoxButtons.OK, MessageBoxIcon.None, MessageBoxDefaultButton.Button1, "
                  u"MessageBoxOptions.ServiceNotification | MessageBoxOptions.RightAlign);"_s
        << SC << u"MessageBoxOptions.ServiceNotification"_s + cannot << 1 << 103
        << u"MessageBoxOptions.ServiceNotification"_s;
    QTest::newRow("C#: options as a number")
        << show + u"MessageBoxButtons.OK, MessageBoxIcon.None, MessageBoxDefaultButton.Button1, "
                  u"(MessageBoxOptions)0x80000);"_s
        << SC << u"Den Wert 524288 von MessageBoxOptions"_s + cannot << 1 << 122 << u"0x80000"_s;
    QTest::newRow("C#: CancelTryContinue")
        << show + u"MessageBoxButtons.CancelTryContinue);"_s << SC
        << u"MessageBoxButtons.CancelTryContinue"_s + cannot << 1 << 27
        << u"MessageBoxButtons.CancelTryContinue"_s;
    QTest::newRow("C#: an icon no constant names")
        << show + u"MessageBoxButtons.OK, (MessageBoxIcon)17);"_s << SC
        << u"Den Wert 17 gibt es bei MessageBoxIcon nicht."_s << 1 << 65 << u"17"_s;
    QTest::newRow("VB.NET: MsgBoxSetForeground")
        << u"MsgBox(\"x\", MsgBoxStyle.YesNo Or MsgBoxStyle.MsgBoxSetForeground)"_s << SC
        << u"MsgBoxStyle.MsgBoxSetForeground"_s + cannot << 1 << 34
        << u"MsgBoxStyle.MsgBoxSetForeground"_s;
    QTest::newRow("VB.NET: MsgBoxRight")
        << u"Dim a As MsgBoxResult = MsgBox(\"x\", MsgBoxStyle.MsgBoxRight)"_s << SC
        << u"MsgBoxStyle.MsgBoxRight"_s + cannot << 1 << 37 << u"MsgBoxStyle.MsgBoxRight"_s;
    QTest::newRow("VB.NET: MsgBoxRtlReading")
        << u"MsgBox(\"x\", MsgBoxStyle.MsgBoxRtlReading, \"T\")"_s << SC
        << u"MsgBoxStyle.MsgBoxRtlReading"_s + cannot << 1 << 13
        << u"MsgBoxStyle.MsgBoxRtlReading"_s;
    QTest::newRow("C#: the help button where the window has none")
        << show + u"MessageBoxButtons.OK, MessageBoxIcon.None, MessageBoxDefaultButton.Button1, 0, "
                  u"true);"_s
        << VBS << u"Im Stil VBS gibt es keine Hilfeschaltfläche (true)."_s << 1 << 106 << u"true"_s;

    // --- WPF's MessageBox ---
    QTest::newRow("C#: System.Windows.MessageBox")
        << u"System.Windows.MessageBox.Show(\"x\");"_s << SC
        << u"System.Windows.MessageBox ist die MessageBox von WPF; gelesen wird die von Windows "
           u"Forms."_s
        << 1 << 1 << u"System"_s;
    QTest::newRow("C#: MessageBoxButton")
        << show + u"MessageBoxButton.YesNo);"_s << SC << u"MessageBoxButton.YesNo"_s + wpf << 1
        << 27 << u"MessageBoxButton"_s;
    QTest::newRow("VB.NET: MessageBoxImage")
        << show + u"MessageBoxButtons.OK, MessageBoxImage.Question)"_s << SC
        << u"MessageBoxImage.Question"_s + wpf << 1 << 49 << u"MessageBoxImage"_s;

    // --- texts the source does not show ---
    QTest::newRow("C#: a parameter")
        << u"void Melden(string meldung) { MessageBox.Show(meldung); }"_s << SC
        << u"Der Wert von meldung steht nicht im Text."_s << 1 << 47 << u"meldung"_s;
    QTest::newRow("C#: letter case tells variables apart")
        << u"string msg = \"a\"; MessageBox.Show(Msg);"_s << SC
        << u"Der Wert von Msg steht nicht im Text."_s << 1 << 35 << u"Msg"_s;
    QTest::newRow("C#: set in a branch")
        << u"string msg = \"a\"; if (x) msg = \"b\"; MessageBox.Show(msg);"_s << SC
        << u"Der Wert von msg hängt vom Programmablauf ab."_s << 1 << 26 << u"msg"_s;
    QTest::newRow("C#: handed on by ref")
        << u"string msg = \"a\"; Anhaengen(ref msg); MessageBox.Show(msg);"_s << SC
        << u"Der Wert von msg ist unbekannt: Die Anweisung hier kann ihn ändern."_s << 1 << 33
        << u"msg"_s;
    QTest::newRow("C#: string.Format")
        << u"MessageBox.Show(string.Format(\"{0}\", n));"_s << SC
        << u"Die Funktion string.Format wird nicht ausgewertet."_s << 1 << 17 << u"string"_s;
    QTest::newRow("C#: a hole in an interpolated string")
        << u"MessageBox.Show($\"Hallo {name.Length}\");"_s << SC
        << u"Der Ausdruck in { } der Zeichenkette wird nicht ausgewertet."_s << 1 << 25 << u"{"_s;
    QTest::newRow("C#: a number as the value of var")
        << u"var n = 5; MessageBox.Show(n + \"\");"_s << SC
        << u"Der Wert von n ist unbekannt: Der Wert ist kein Text."_s << 1 << 9 << u"5"_s;
    QTest::newRow("C#: two characters add")
        << u"MessageBox.Show('a' + 'b');"_s << SC
        << u"„+“ zwischen Zahlen oder Zeichen wird nicht ausgewertet."_s << 1 << 21 << u"+"_s;
    QTest::newRow("C#: an escape C# does not have")
        << uR"(MessageBox.Show("a\qb");)"_s << SC << u"Die Escape-Folge \\q gibt es in C# nicht."_s
        << 1 << 19 << u"\\q"_s;
    QTest::newRow("C#: \\0") << uR"(MessageBox.Show("T", "a\0");)"_s << SC
                             << u"Der Titel enthält ein NUL-Zeichen (Chr(0))."_s << 1 << 24
                             << u"\\0"_s;
    QTest::newRow("VB.NET: ChrW(0)")
        << u"MsgBox(\"a\" & ChrW(0), MsgBoxStyle.OkOnly)"_s << SC
        << u"Der Meldungstext enthält ein NUL-Zeichen (Chr(0))."_s << 1 << 14 << u"ChrW"_s;

    // --- the call and the text ---
    QTest::newRow("C#: named arguments that leave a gap")
        << u"MessageBox.Show(text: \"x\", icon: MessageBoxIcon.Error);"_s << SC
        << u"Eine Form von MessageBox.Show mit diesen Argumenten gibt es nicht."_s << 1 << 17
        << u"text"_s;
    QTest::newRow("C#: owner and displayHelpButton")
        << u"MessageBox.Show(this, \"x\", \"T\", MessageBoxButtons.OK, MessageBoxIcon.None, "
           u"MessageBoxDefaultButton.Button1, 0, true);"_s
        << SC << u"Mit einem Besitzerfenster hat MessageBox.Show kein Argument displayHelpButton."_s
        << 1 << 112 << u"true"_s;
    QTest::newRow("C#: a raw string")
        << u"MessageBox.Show(\"\"\"x\"\"\");"_s << SC
        << u"Zeichenketten in drei Anführungszeichen (\"\"\") werden nicht gelesen."_s << 1 << 17
        << u"\"\"\""_s;
    QTest::newRow("C#: a comment not closed")
        << u"int a = 1; MessageBox.Show(/* \"x\");"_s << SC
        << u"Der Kommentar /* wird nicht geschlossen."_s << 1 << 28 << u"/*"_s;
    QTest::newRow("VB.NET: typographic quotes end a string")
        << u"MsgBox(\"Datei „a.txt“ fehlt\", MsgBoxStyle.Critical)"_s << SC
        << u"Die Zeichenkette ist nicht abgeschlossen. VB.NET liest auch “, ” und ＂ als "
           u"Anführungszeichen, auch in einer Zeichenkette."_s
        << 1 << 28 << u"\""_s;
    QStringList doubling{u"string msg = \"x\";"_s};
    for (int i = 0; i < 21; ++i) {
        doubling << u"msg += msg;"_s; // 2^20 characters after 20 lines
    }
    doubling << u"MessageBox.Show(msg);"_s;
    QTest::newRow("C#: a value growing past 1 MiB")
        << source(doubling) << SC << u"msg wird länger als 1 MiB."_s << 22 << 8 << u"msg"_s;
    QStringList copies{u"const string msg = \""_s + QString(300000, u'x') + u"\";"_s};
    for (int i = 0; i < 100; ++i) {
        copies << u"var kopie = msg;"_s;
    }
    copies << u"MessageBox.Show(kopie);"_s;
    QTest::newRow("C#: copying without end")
        << source(copies) << SC << u"Die Auswertung würde zu viel Text kopieren."_s << -1 << -1
        << u"msg"_s;
    QTest::newRow("VB.NET: no call")
        << u"Dim Msg As String = \"MsgBox\""_s << SC
        << u"Im Text steht kein Aufruf von MsgBox oder MessageBox.Show."_s << 1 << 1 << u"Dim"_s;
}

void TestCodeReader::dotNetRefused() {
    refused();
}
