#include "tst_codereader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace codereadertest;

void TestCodeReader::handWritten_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current"); // the style the window has selected
    QTest::addColumn<int>("style");   // told by the text, or NotTold
    QTest::addColumn<int>("value");   // icon + buttons + default + flags
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const QString none;

    // --- call forms ---
    QTest::newRow("statement") << u"MsgBox \"Hallo\""_s << SC << NotTold << 0 << none << u"Hallo"_s;
    QTest::newRow("parentheses around the only argument")
        << u"MsgBox(\"Hallo\")"_s << SC << NotTold << 0 << none << u"Hallo"_s;
    QTest::newRow("parenthesised first argument of the statement")
        << u"MsgBox (\"Hallo\"), vbYesNo"_s << SC << NotTold << 4 << none << u"Hallo"_s;
    QTest::newRow("parenthesised first argument joined on")
        << u"MsgBox (\"Hal\") & \"lo\", (vbYesNo)"_s << SC << NotTold << 4 << none << u"Hallo"_s;
    QTest::newRow("statement with a parenthesised list")
        << u"MsgBox(\"Hallo\", vbYesNo, \"T\")"_s << SC << NotTold << 4 << u"T"_s << u"Hallo"_s;
    QTest::newRow("Call") << u"Call MsgBox(\"Hallo\", vbOKCancel, \"T\")"_s << SC << NotTold << 1
                          << u"T"_s << u"Hallo"_s;
    QTest::newRow("answer in any variable")
        << u"Ergebnis = MsgBox(\"Weiter?\", vbYesNo)"_s << SC << EI << 4 << none << u"Weiter?"_s;
    QTest::newRow("Let") << u"Let x = MsgBox(\"Weiter?\", vbYesNo)"_s << SC << EI << 4 << none
                         << u"Weiter?"_s;
    QTest::newRow("If condition")
        << source({u"If MsgBox(\"Sicher?\", vbYesNo + vbQuestion, \"Frage\") = vbYes Then"_s,
                   u"    Loeschen"_s, u"End If"_s})
        << SC << IF << 36 << u"Frage"_s << u"Sicher?"_s;
    QTest::newRow("If with the call on the right, Exit Sub")
        << u"If vbNo = MsgBox(\"Abbrechen?\", vbYesNo) Then Exit Sub"_s << SC << IF << 4 << none
        << u"Abbrechen?"_s;
    QTest::newRow("ElseIf condition")
        << source({u"If a Then"_s, u"ElseIf MsgBox(\"B?\", vbYesNo) = vbNo Then"_s, u"End If"_s})
        << SC << IF << 4 << none << u"B?"_s;
    QTest::newRow("Select Case") << source({u"Select Case MsgBox(\"x\", vbYesNoCancel)"_s,
                                            u"Case vbYes"_s, u"End Select"_s})
                                 << IF << SC << 3 << none << u"x"_s;
    QTest::newRow("answer tested by the next If")
        << source({u"Dim a As VbMsgBoxResult"_s, u"a = MsgBox(\"x\", vbRetryCancel)"_s,
                   u"If a = vbRetry Then Wiederholen"_s})
        << SC << IF << 5 << none << u"x"_s;
    QTest::newRow("answer chosen by the next Select Case")
        << source({u"a = MsgBox(\"x\", vbAbortRetryIgnore): Select Case a"_s, u"End Select"_s})
        << EI << SC << 2 << none << u"x"_s;
    QTest::newRow("answer not tested at once")
        << source({u"a = MsgBox(\"x\", vbYesNo)"_s, u"Debug.Print a"_s, u"If a = vbYes Then"_s})
        << SC << EI << 4 << none << u"x"_s;
    QTest::newRow("answer declared without a type")
        << source({u" Dim a "_s, u"a = MsgBox(\"x\", vbYesNo)"_s}) << SC << VBS << 4 << none
        << u"x"_s;
    QTest::newRow("prompt declared without a type")
        << source({u"Dim Msg"_s, u" Msg = \"x\""_s, u"MsgBox Msg"_s}) << SC << VBS << 0 << none
        << u"x"_s;
    QTest::newRow("inside a Sub") << source(
                                         {u"Private Sub cmdOK_Click()"_s,
                                          u"    MsgBox \"Gespeichert\", vbInformation, \"Info\""_s,
                                          u"End Sub"_s})
                                  << SC << NotTold << 64 << u"Info"_s << u"Gespeichert"_s;
    QTest::newRow("inside an expression in a Function")
        << source({u"Public Function Frage() As Boolean"_s,
                   u"    Frage = (MsgBox(\"Weiter?\", vbYesNo) = vbYes)"_s, u"End Function"_s})
        << SC << NotTold << 4 << none << u"Weiter?"_s;
    QTest::newRow("qualified by VBA") << u"VBA.Interaction.MsgBox \"a\": VBA.MsgBox \"b\""_s << SC
                                      << NotTold << 0 << none << u"a"_s;
    QTest::newRow("another object's MsgBox is not the call")
        << source({u"Objekt.MsgBox \"nein\""_s, u"MsgBox \"ja\""_s}) << SC << NotTold << 0 << none
        << u"ja"_s;
    QTest::newRow("line number") << u"10 MsgBox \"x\", 1"_s << SC << NotTold << 1 << none << u"x"_s;
    QTest::newRow("after Else of a one-line If")
        << u"If a Then b = 1 Else MsgBox \"sonst\", vbInformation"_s << SC << NotTold << 64 << none
        << u"sonst"_s;

    // --- arguments ---
    QTest::newRow("named arguments in any order")
        << u"MsgBox Title:=\"T\", Prompt:=\"P\", Buttons:=vbCritical"_s << SC << NotTold << 16
        << u"T"_s << u"P"_s;
    QTest::newRow("positional, then HelpFile and Context by name")
        << u"MsgBox \"P\", vbMsgBoxHelpButton, HelpFile:=\"hilfe.chm\", Context:=12"_s << SC
        << NotTold << 16384 << none << u"P"_s;
    QTest::newRow("named in the function form, lower case")
        << u"x = msgbox(prompt:=\"P\", buttons:=vbyesno or vbdefaultbutton2)"_s << SC << EI << 260
        << none << u"P"_s;
    QTest::newRow("help file and context of any kind")
        << u"MsgBox \"P\", 16384, \"T\", App.Path & \"\\h.hlp\", Kontext(1, (2))"_s << SC << NotTold
        << 16384 << u"T"_s << u"P"_s;
    QTest::newRow("empty buttons argument, title")
        << u"MsgBox \"x\", , \"T\""_s << SC << NotTold << 0 << u"T"_s << u"x"_s;
    QTest::newRow("help accepted where the text tells If, window on VBS")
        << u"If MsgBox(\"x\", vbYesNo + vbMsgBoxHelpButton, \"T\", App.HelpFile, 0) = vbYes Then"_s
        << VBS << IF << 16388 << u"T"_s << u"x"_s;

    // --- text layout ---
    QTest::newRow("letter case") << u"MSGBOX \"a\", VBQUESTION OR vbyesno, \"t\""_s << SC << NotTold
                                 << 36 << u"t"_s << u"a"_s;
    QTest::newRow("line continuations")
        << source({u"MsgBox \"Erste\" & _"_s, u"       \" Zeile\", _  "_s,
                   u"       vbExclamation, _"_s, u"       \"Titel\""_s})
        << SC << NotTold << 48 << u"Titel"_s << u"Erste Zeile"_s;
    QTest::newRow("comments and Rem")
        << source({u"' MsgBox \"im Kommentar\""_s, u"Rem MsgBox \"auch\""_s,
                   u"x = \"MsgBox\" ' MsgBox \"nein\": MsgBox \"nein\""_s,
                   u"y = 1: Rem MsgBox \"nein\""_s, u"10 Rem MsgBox \"nein\""_s,
                   u"MsgBox \"echt\" ' Kommentar"_s})
        << SC << NotTold << 0 << none << u"echt"_s;
    QTest::newRow("comment continued by _")
        << source({u"' Kommentar _"_s, u"MsgBox \"nicht\""_s, u"MsgBox \"ja\""_s}) << SC << NotTold
        << 0 << none << u"ja"_s;
    QTest::newRow("tabs, blank lines, CR, LF and CR LF")
        << u"\r\n\r\n\tIf x Then\n\t\tMsgBox\t\"a\",\tvbYesNo\r\tEnd If"_s << SC << NotTold << 4
        << none << u"a"_s;
    QTest::newRow("several calls: the first")
        << source({u"MsgBox \"eins\""_s, u"MsgBox \"zwei\", vbYesNo"_s}) << SC << NotTold << 0
        << none << u"eins"_s;
    QTest::newRow("a broken line after the call")
        << source({u"MsgBox \"eins\""_s, u"s = \"offen"_s}) << SC << NotTold << 0 << none
        << u"eins"_s;
    QTest::newRow("64 levels of parentheses")
        << u"MsgBox "_s + QString(64, u'(') + u"\"x\""_s + QString(64, u')') << SC << NotTold << 0
        << none << u"x"_s;

    // --- the buttons value ---
    QTest::newRow("292") << u"MsgBox \"Überschreiben?\", 292, \"Sicherheitshinweis\""_s << SC
                         << NotTold << 292 << u"Sicherheitshinweis"_s << u"Überschreiben?"_s;
    QTest::newRow("hexadecimal and octal") << u"MsgBox \"x\", &H24 + &h100& + &O10000"_s << SC
                                           << NotTold << 292 + 4096 << none << u"x"_s;
    QTest::newRow("vbCritical + vbQuestion is the exclamation mark")
        << u"MsgBox \"x\", vbCritical + vbQuestion"_s << SC << NotTold << 48 << none << u"x"_s;
    QTest::newRow("+ binds tighter than Or, parentheses")
        << u"MsgBox \"x\", vbYesNo Or vbInformation + (vbDefaultButton2 + vbSystemModal)"_s << SC
        << NotTold << 4 + 64 + 256 + 4096 << none << u"x"_s;
    QTest::newRow("Or of overlapping bits")
        << u"MsgBox \"x\", vbCritical Or vbExclamation Or vbYesNo"_s << SC << NotTold << 52 << none
        << u"x"_s;
    QTest::newRow("&HFFFF is a 16-bit -1, &HFFFF& is 65535")
        << u"MsgBox &HFFFF & \" \" & &HFFFF& & \" \" & &H10000"_s << SC << NotTold << 0 << none
        << u"-1 65535 65536"_s;
    QTest::newRow("vbApplicationModal, decimal with &")
        << u"MsgBox \"x\", vbApplicationModal + vbOKCancel Or 4096&"_s << SC << NotTold << 4097
        << none << u"x"_s;

    // --- prompt and title ---
    QTest::newRow("Chr and Chr$")
        << u"MsgBox \"A\" & Chr(13) & Chr$(10) & \"B\" & chr(10) & CHR$(13) & \"C\" & ChrW(34)"_s
        << SC << NotTold << 0 << none << u"A\r\nB\r\n\r\nC\""_s;
    QTest::newRow("vbCrLf, vbNewLine, vbTab, vbNullString")
        << u"MsgBox \"A\" & vbCrLf & \"B\" & vbNewLine & vbNullString & \"C\" & vbTab & \"D\""_s
        << SC << NotTold << 0 << none << u"A\r\nB\r\nC\tD"_s;
    QTest::newRow("vbCr & vbLf is one break")
        << u"MsgBox \"A\" & vbCr & vbLf & \"B\" & vbLf & vbCr & \"C\""_s << SC << NotTold << 0
        << none << u"A\r\nB\r\n\r\nC"_s;
    QTest::newRow("a break at the end gets one more")
        << u"MsgBox \"A\" & vbCrLf"_s << SC << NotTold << 0 << none << u"A\r\n\r\n"_s;
    QTest::newRow("number as prompt, + between texts")
        << u"MsgBox 42 & \" \" + \"Stück\""_s << SC << NotTold << 0 << none << u"42 Stück"_s;
    QTest::newRow("variables built up")
        << source({u"Const TITEL As String = \"Hinweis\""_s, u"Dim Msg As String"_s,
                   u"Msg = \"Zeile 1\""_s, u"Msg = Msg & vbCrLf & \"Zeile 2\""_s,
                   u"Let Msg = Msg + \" Ende\""_s, u"MsgBox Msg, vbOKOnly, TITEL"_s})
        << SC << NotTold << 0 << u"Hinweis"_s << u"Zeile 1\r\nZeile 2 Ende"_s;
    QTest::newRow("prepended, doubled, any case, type character")
        << source({u"m$ = \"b\""_s, u"M = \"a\" & m"_s, u"m = (m & M)"_s, u"MsgBox M"_s}) << SC
        << NotTold << 0 << none << u"abab"_s;
    QTest::newRow("Dim gives the empty text")
        << source({u"Dim s As String, t"_s, u"s = s & \"x\" & t"_s, u"MsgBox s, , t"_s}) << SC
        << VBS << 0 << none << u"x"_s;
    QTest::newRow("value kept in its own branch")
        << source({u"If a Then"_s, u"  Msg = \"ja\""_s, u"  MsgBox Msg"_s, u"End If"_s}) << SC
        << NotTold << 0 << none << u"ja"_s;
    QTest::newRow("Debug.Print and conditions only read")
        << source({u"Msg = \"x\""_s, u"Debug.Print Msg"_s, u"If Msg = \"\" Then"_s, u"End If"_s,
                   u"MsgBox Msg"_s})
        << SC << NotTold << 0 << none << u"x"_s;

    // Built up over many lines, at the front and at the end: read in place.
    QString prepend = u"Dim Msg As String\r\n"_s;
    QString append = prepend;
    for (int i = 0; i < 50000; ++i) {
        prepend += u"Msg = \"x\" & Msg\r\n"_s;
        append += u"Msg = Msg & \"y\"\r\n"_s;
    }
    QTest::newRow("50,000 lines prepending")
        << prepend + u"MsgBox Msg"_s << SC << NotTold << 0 << none << QString(50000, u'x');
    QTest::newRow("50,000 lines appending")
        << append + u"MsgBox Msg"_s << SC << NotTold << 0 << none << QString(50000, u'y');
}

void TestCodeReader::handWritten() {
    QFETCH(QString, text);
    QFETCH(int, current);
    QFETCH(int, style);
    QFETCH(int, value);
    QFETCH(QString, title);
    QFETCH(QString, message);

    const auto result = readMsgBoxCall(text, msgbox::CodeStyle(current));
    if (const auto* error = std::get_if<ReadError>(&result)) {
        QFAIL(qPrintable(error->text));
    }
    const ReadCall& call = std::get<ReadCall>(result);
    const QString got = describe(call);
    QVERIFY2(msgbox::styleValue(call.value) == value, qPrintable(got));
    QVERIFY2((call.styleTold ? int(call.value.code) : NotTold) == style, qPrintable(got));
    QVERIFY2(int(call.value.code) == (call.styleTold ? style : current), qPrintable(got));
    QCOMPARE(call.value.title, title);
    QCOMPARE(call.value.message, message);
}
