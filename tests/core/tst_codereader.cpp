#include "core/codereader.h"
#include "core/definition.h"
#include "core/generators.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

constexpr int NotTold = -1;

// Source lines joined by CR LF, as pasted from an editor.
QString source(const QStringList& lines) {
    return lines.join(u"\r\n"_s);
}

QString shown(QString text) {
    text.replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
    return text.size() > 200 ? text.left(200) + u"…"_s : text;
}

QString describe(const ReadCall& c) {
    return u"icon %1 buttons %2 default %3 style %4 modal %5 help %6 title [%7] message [%8]"_s
        .arg(c.icon)
        .arg(c.buttons)
        .arg(c.defaultButton)
        .arg(c.codeStyle.value_or(NotTold))
        .arg(c.systemModal)
        .arg(c.helpButton)
        .arg(shown(c.title), shown(c.message));
}

// The definition a window makes of a read call: the style it keeps unless
// the text tells one; the button set and the default button chosen unless
// the call leaves the default button out as the start state does.
void apply(Definition& def, const ReadCall& call, int windowStyle) {
    def.selectCode(call.codeStyle.value_or(windowStyle));
    if (call.buttons != 0 || call.defaultButtonChosen) {
        def.selectButtons(call.buttons);
        def.selectDefaultButton(call.defaultButton);
    }
    def.selectIcon(call.icon);
    def.setSystemModal(call.systemModal ? Definition::Checked : Definition::Unchecked);
    def.setHelpButton(call.helpButton ? Definition::Checked : Definition::Unchecked);
    def.setTitle(call.title);
    def.setMessage(call.message);
}

} // namespace

class TestCodeReader : public QObject {
    Q_OBJECT

private slots:
    void generatedCodeReadsBack_data();
    void generatedCodeReadsBack();
    void handWritten_data();
    void handWritten();
    void refused_data();
    void refused();
};

void TestCodeReader::generatedCodeReadsBack_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("readBack"); // the message the reader gives

    const QString x48(48, u'x');
    const QString x49(49, u'x');
    const QString long60 = u"Die Datei \"Bericht.txt\" wurde geändert. Speichern? "_s.repeated(2);
    QTest::newRow("short") << u"Frage"_s << u"Weiter?"_s << u"Weiter?"_s;
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("50 prepared, inline") << u"T"_s << x48 << x48;
    QTest::newRow("51 prepared, into Msg") << u"T"_s << x49 << x49;
    QTest::newRow("49 ending in a break, into Msg") << u"T"_s << x49 + u"\r\n"_s << x49;
    QTest::newRow("quotes") << u"Ti\"tel \"\""_s << u"Er sagte \"ja\""_s << u"Er sagte \"ja\""_s;
    QTest::newRow("lines") << u"Zeilen"_s << u"Zeile 1\r\nZeile 2\r\n\r\nZeile 4"_s
                           << u"Zeile 1\r\nZeile 2\r\n\r\nZeile 4"_s;
    QTest::newRow("ends in a break") << u"T"_s << u"A\r\n"_s << u"A"_s;
    QTest::newRow("ends in two breaks") << u"T"_s << u"A\r\n\r\n"_s << u"A\r\n\r\n"_s;
    QTest::newRow("only a break") << u"T"_s << u"\r\n"_s << QString();
    QTest::newRow("lone CR and LF") << u"T"_s << u"A\rB\nC"_s << u"A\r\nB\r\nC"_s;
    QTest::newRow("long, lines, quotes")
        << u"Achtung"_s << long60 + u"\r\n\"Ende\""_s << long60 + u"\r\n\"Ende\""_s;
    // Text that looks like code inside the literals.
    const QString codeLike = u"MsgBox ' Rem _\r\nx: y := \"vbCr\" & _\r\n(((Chr(13)"_s;
    QTest::newRow("code-like text") << u"' Rem _ : MsgBox("_s << codeLike << codeLike;
}

// Every definition generates code that reads back to it: the options, the
// flags, the title and the message, and the code style wherever the code
// tells the styles apart; code generated from what was read is the same.
void TestCodeReader::generatedCodeReadsBack() {
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, readBack);

    for (int style = 0; style <= 3; ++style) {
        for (int buttons = -1; buttons <= 5; ++buttons) { // -1: no button set chosen yet
            for (int icon : {0, 16, 32, 48, 64}) {
                for (int defaultButton : {-1, 0, 256, 512}) {
                    if ((buttons < 0) != (defaultButton < 0)) {
                        continue; // "not chosen" only before the first button-set choice
                    }
                    for (int flags = 0; flags < 4; ++flags) {
                        const bool modal = flags & 1;
                        const bool help = flags & 2;
                        if (help && style == options::Vbs) {
                            continue; // the script style has no help button
                        }
                        Definition def;
                        def.selectCode(style);
                        if (buttons >= 0) {
                            def.selectButtons(buttons);
                            def.selectDefaultButton(defaultButton);
                        }
                        def.selectIcon(icon);
                        def.setSystemModal(modal ? Definition::Checked : Definition::Unchecked);
                        def.setHelpButton(help ? Definition::Checked : Definition::Unchecked);
                        def.setTitle(title);
                        def.setMessage(message);
                        const QString code = gen::generateCode(def);

                        const auto result = readMsgBoxCall(code, style);
                        const QString where = u"code [%1]"_s.arg(shown(code));
                        if (const auto* error = std::get_if<ReadError>(&result)) {
                            QFAIL(qPrintable(error->text + u'\n' + where));
                        }
                        const ReadCall& call = std::get<ReadCall>(result);
                        const QString got = describe(call) + u'\n' + where;
                        QVERIFY2(call.icon == icon, qPrintable(got));
                        QVERIFY2(call.buttons == std::max(buttons, 0), qPrintable(got));
                        QVERIFY2(call.defaultButton == std::max(defaultButton, 0), qPrintable(got));
                        QVERIFY2(call.systemModal == modal && call.helpButton == help,
                                 qPrintable(got));
                        QVERIFY2(call.title == def.title(), qPrintable(got));
                        QVERIFY2(call.message == readBack, qPrintable(got));
                        // "OK" is written alike in every style but the script
                        // style's long message.
                        const bool told = buttons > 0 || code.startsWith(u"Dim Msg\r");
                        QVERIFY2(call.codeStyle ==
                                     (told ? std::optional<int>(style) : std::optional<int>()),
                                 qPrintable(got));

                        Definition back;
                        apply(back, call, style);
                        QVERIFY2(gen::generateCode(back) == code, qPrintable(got));
                    }
                }
            }
        }
    }
}

void TestCodeReader::handWritten_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current"); // the style the window has selected
    QTest::addColumn<int>("style");   // told by the text, or NotTold
    QTest::addColumn<int>("value");   // icon + buttons + default + flags
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const int SC = options::SelectCase;
    const int IF = options::IfThenElse;
    const int EI = options::Einfach;
    const int VBS = options::Vbs;
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

    const auto result = readMsgBoxCall(text, current);
    if (const auto* error = std::get_if<ReadError>(&result)) {
        QFAIL(qPrintable(error->text));
    }
    const ReadCall& call = std::get<ReadCall>(result);
    const QString got = describe(call);
    QVERIFY2(call.icon == (value & 0x70), qPrintable(got));
    QVERIFY2(call.buttons == (value & 0x0F), qPrintable(got));
    QVERIFY2(call.defaultButton == (value & 0xF00), qPrintable(got));
    QVERIFY2(call.systemModal == bool(value & 4096), qPrintable(got));
    QVERIFY2(call.helpButton == bool(value & 16384), qPrintable(got));
    QVERIFY2(call.codeStyle.value_or(NotTold) == style, qPrintable(got));
    QCOMPARE(call.title, title);
    QCOMPARE(call.message, message);
}

void TestCodeReader::refused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("at"); // the source text at the offset

    const int SC = options::SelectCase;
    const int VBS = options::Vbs;
    const QString cannot = u" kann das Fenster nicht darstellen."_s;

    // --- values the window cannot show, by name where the text names them ---
    QTest::newRow("vbDefaultButton4")
        << u"MsgBox \"x\", vbYesNo Or vbDefaultButton4"_s << SC << u"vbDefaultButton4"_s + cannot
        << 1 << 24 << u"vbDefaultButton4"_s;
    QTest::newRow("vbMsgBoxSetForeground")
        << u"MsgBox \"x\", vbMsgBoxSetForeground"_s << SC << u"vbMsgBoxSetForeground"_s + cannot
        << 1 << 13 << u"vbMsgBoxSetForeground"_s;
    QTest::newRow("vbMsgBoxRight") << u"MsgBox \"x\", _\r\n  vbmsgboxright"_s << SC
                                   << u"vbMsgBoxRight"_s + cannot << 2 << 3 << u"vbmsgboxright"_s;
    QTest::newRow("vbMsgBoxRtlReading")
        << u"x = MsgBox(\"x\", 1 + vbMsgBoxRtlReading)"_s << SC << u"vbMsgBoxRtlReading"_s + cannot
        << 1 << 21 << u"vbMsgBoxRtlReading"_s;
    QTest::newRow("768 as a number")
        << u"MsgBox \"x\", 768 + 3"_s << SC << u"Den Standardschaltflächenwert 768"_s + cannot << 1
        << 13 << u"768"_s;
    QTest::newRow("button set 6") << u"MsgBox \"x\", 6"_s << SC
                                  << u"Den Schaltflächenwert 6"_s + cannot << 1 << 13 << u"6"_s;
    QTest::newRow("icon 80 from two constants")
        << u"MsgBox \"x\", vbCritical + vbInformation"_s << SC << u"Den Symbolwert 80"_s + cannot
        << 1 << 13 << u"vbCritical"_s;

    // --- bits no constant names ---
    const struct {
        const char* name;
        QString buttons;
        QString reason;
    } bits[] = {
        {"bit 8", u"8"_s, u"Der Wert 8 gehört zu keiner MsgBox-Konstante."_s},
        {"bit 128 in a number", u"130"_s,
         u"130 enthält den Wert 128, der zu keiner MsgBox-Konstante gehört."_s},
        {"bit 128 by carry", u"vbInformation + vbInformation"_s,
         u"Der Wert 128 gehört zu keiner MsgBox-Konstante."_s},
        {"bit 1024", u"&H400"_s, u"Der Wert 1024 gehört zu keiner MsgBox-Konstante."_s},
        {"bit 2048", u"2048"_s, u"Der Wert 2048 gehört zu keiner MsgBox-Konstante."_s},
        {"bit 8192", u"8192"_s, u"Der Wert 8192 gehört zu keiner MsgBox-Konstante."_s},
        {"bit 32768", u"32768"_s, u"Der Wert 32768 gehört zu keiner MsgBox-Konstante."_s},
        {"bit above", u"&H200000"_s, u"Der Wert 2097152 gehört zu keiner MsgBox-Konstante."_s},
        {"&HFFFF is -1", u"&HFFFF"_s,
         u"&HFFFF enthält den Wert 8, der zu keiner MsgBox-Konstante gehört."_s},
    };
    for (const auto& b : bits) {
        QTest::newRow(b.name) << u"MsgBox \"x\", "_s + b.buttons << SC << b.reason << 1 << 13
                              << b.buttons.left(2);
    }

    // --- the help button under the script style ---
    QTest::newRow("help, text tells VBS")
        << source({u" Dim a "_s, u"a = MsgBox(\"x\", vbYesNo + vbMsgBoxHelpButton)"_s}) << SC
        << u"Im Stil VBS gibt es keine Hilfeschaltfläche (vbMsgBoxHelpButton)."_s << 2 << 27
        << u"vbMsgBoxHelpButton"_s;
    QTest::newRow("help, window on VBS")
        << u"MsgBox \"x\", vbOKOnly + 20480, \"T\", App.HelpFile, 0"_s << VBS
        << u"Im Stil VBS gibt es keine Hilfeschaltfläche (16384)."_s << 1 << 24 << u"20480"_s;

    // --- prompts the text does not show ---
    QTest::newRow("variable never assigned")
        << u"MsgBox Msg"_s << SC << u"Der Wert von Msg steht nicht im Text."_s << 1 << 8
        << u"Msg"_s;
    QTest::newRow("variable from a function")
        << source({u"Msg = \"Heute: \" & Format(Now)"_s, u"Msg = Msg & \"!\""_s, u"MsgBox Msg"_s})
        << SC << u"Der Wert von Msg ist unbekannt: Die Funktion Format wird nicht ausgewertet."_s
        << 1 << 19 << u"Format"_s;
    QTest::newRow("variable built in a loop")
        << source({u"Msg = \"\""_s, u"For i = 1 To 3"_s, u"  Msg = Msg & \"x\""_s, u"Next"_s,
                   u"MsgBox Msg"_s})
        << SC << u"Der Wert von Msg hängt vom Programmablauf ab."_s << 3 << 3 << u"Msg ="_s;
    QTest::newRow("variable set in a branch")
        << source({u"Msg = \"a\""_s, u"If x Then Msg = \"b\""_s, u"MsgBox Msg"_s}) << SC
        << u"Der Wert von Msg hängt vom Programmablauf ab."_s << 2 << 11 << u"Msg"_s;
    QTest::newRow("variable of another procedure")
        << source({u"Sub A()"_s, u"Msg = \"a\""_s, u"End Sub"_s, u"Sub B()"_s, u"MsgBox Msg"_s})
        << SC << u"Der Wert von Msg hängt vom Programmablauf ab."_s << 2 << 1 << u"Msg"_s;
    QTest::newRow("variable handed to a procedure")
        << source({u"Msg = \"a\""_s, u"Anhaengen Msg, \"b\""_s, u"MsgBox Msg"_s}) << SC
        << u"Der Wert von Msg ist unbekannt: Die Anweisung hier kann ihn ändern."_s << 2 << 11
        << u"Msg"_s;
    QTest::newRow("variable of another type")
        << source({u"Dim n As Long"_s, u"n = 5"_s, u"MsgBox n"_s}) << SC
        << u"Der Wert von n ist unbekannt: Die Deklaration gibt ihm einen anderen Typ als String."_s
        << 1 << 5 << u"n"_s;
    QTest::newRow("function as prompt")
        << u"MsgBox Left(\"abc\", 2)"_s << SC << u"Die Funktion Left wird nicht ausgewertet."_s << 1
        << 8 << u"Left"_s;
    QTest::newRow("property as title")
        << u"MsgBox \"x\", , App.Title"_s << SC << u"App.Title wird nicht ausgewertet."_s << 1 << 15
        << u"App"_s;
    QTest::newRow("Chr beyond ASCII")
        << u"MsgBox Chr(200)"_s << SC << u"Chr(200) wird nicht ausgewertet."_s << 1 << 8
        << u"Chr"_s;
    QTest::newRow("+ with a number")
        << u"MsgBox \"a\" + 1"_s << SC << u"„+“ mit einer Zahl wird nicht ausgewertet."_s << 1 << 12
        << u"+"_s;
    QTest::newRow("constant as text")
        << u"MsgBox vbYesNo"_s << SC << u"vbYesNo ist kein Text."_s << 1 << 8 << u"vbYesNo"_s;

    // --- the call itself ---
    QTest::newRow("no MsgBox at all")
        << source({u"s = \"MsgBox \"\"x\"\"\" ' MsgBox"_s, u"Rem MsgBox"_s}) << SC
        << u"Im Text steht kein MsgBox-Aufruf."_s << 1 << 1 << u"s"_s;
    QTest::newRow("no prompt") << u"MsgBox , vbYesNo"_s << SC << u"Der Meldungstext fehlt."_s << 1
                               << 1 << u"MsgBox"_s;
    QTest::newRow("unknown argument name")
        << u"MsgBox Text:=\"x\""_s << SC << u"MsgBox hat kein Argument Text."_s << 1 << 8
        << u"Text"_s;
    QTest::newRow("position after name")
        << u"MsgBox Prompt:=\"x\", vbYesNo"_s << SC
        << u"Nach einem benannten Argument müssen alle benannt sein."_s << 1 << 21 << u"vbYesNo"_s;
    QTest::newRow("argument twice")
        << u"MsgBox \"x\", Prompt:=\"y\""_s << SC << u"Das Argument Prompt steht doppelt."_s << 1
        << 13 << u"Prompt"_s;
    QTest::newRow("six arguments")
        << u"MsgBox 1, 2, 3, 4, 5, 6"_s << SC << u"MsgBox hat höchstens fünf Argumente."_s << 1
        << 23 << u"6"_s;
    QTest::newRow("comma at the end")
        << u"MsgBox \"x\","_s << SC << u"Nach dem Komma fehlt ein Argument."_s << 1 << 11 << u","_s;
    QTest::newRow("Call without parentheses")
        << u"Call MsgBox \"x\""_s << SC << u"Nach MsgBox fehlen die Argumente in Klammern."_s << 1
        << 6 << u"MsgBox"_s;
    QTest::newRow("parenthesis not closed")
        << u"x = MsgBox(\"a\", vbYesNo"_s << SC << u"Die Klammer wird nicht geschlossen."_s << 1
        << 11 << u"("_s;
    QTest::newRow("unknown word in the buttons")
        << u"MsgBox \"x\", vbYes"_s << SC << u"vbYes ist keine MsgBox-Konstante."_s << 1 << 13
        << u"vbYes"_s;
    QTest::newRow("And in the buttons")
        << u"MsgBox \"x\", 4 And 1"_s << SC << u"„And“ wird hier nicht verstanden."_s << 1 << 15
        << u"And"_s;
    QTest::newRow("overflow") << u"MsgBox \"x\", &H7FFFFFFF + 1"_s << SC
                              << u"Die Summe ist zu groß (Überlauf)."_s << 1 << 24 << u"+"_s;
    QTest::newRow("fraction") << u"MsgBox \"x\", 1.5"_s << SC << u"1.5 ist keine ganze Zahl."_s << 1
                              << 13 << u"1.5"_s;
    QTest::newRow("unterminated string")
        << u"\r\nMsgBox \"Hallo"_s << SC << u"Die Zeichenkette ist nicht abgeschlossen."_s << 2 << 8
        << u"\"Hallo"_s;
    QTest::newRow("unterminated string before the call")
        << u"s = \"abc\nMsgBox \"x\""_s << SC << u"Die Zeichenkette ist nicht abgeschlossen."_s << 1
        << 5 << u"\"abc"_s;
    QTest::newRow("65 levels of parentheses")
        << u"MsgBox "_s + QString(65, u'(') + u"\"x\""_s + QString(65, u')') << SC
        << u"Die Klammern sind tiefer als 64 Ebenen verschachtelt."_s << 1 << 8 + 64 << u"(\"x"_s;

    // --- bounds ---
    const QString call = u"MsgBox \"x\"\r\n"_s;
    QTest::newRow("text over 1 MiB")
        << call + QString(veltrano::MaxSourceLength - call.size() + 1, u' ') << SC
        << u"Der Text ist länger als 1 MiB (1048576 Zeichen)."_s << 2
        << int(veltrano::MaxSourceLength - call.size() + 1) << u" "_s;
    QStringList doubling{u"Msg = \"x\""_s};
    for (int i = 0; i < 21; ++i) {
        doubling << u"Msg = Msg & Msg"_s; // 2^20 characters after 20 lines
    }
    doubling << u"MsgBox Msg"_s;
    QTest::newRow("value growing past 1 MiB")
        << source(doubling) << SC << u"Msg wird länger als 1 MiB."_s << 22 << 13 << u"Msg"_s;
    // Copies of a long value, line after line: refused before the work
    // grows beyond a few times the text.
    QStringList copies{u"Msg = \""_s + QString(300000, u'x') + u"\""_s};
    for (int i = 0; i < 100; ++i) {
        copies << u"Kopie = Msg"_s;
    }
    copies << u"MsgBox Kopie"_s;
    QTest::newRow("copying without end")
        << source(copies) << SC << u"Die Auswertung würde zu viel Text kopieren."_s << -1 << -1
        << u"Msg"_s;
}

void TestCodeReader::refused() {
    QFETCH(QString, text);
    QFETCH(int, current);
    QFETCH(QString, reason);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, at);

    const auto result = readMsgBoxCall(text, current);
    if (const auto* call = std::get_if<ReadCall>(&result)) {
        QFAIL(qPrintable(u"read: "_s + describe(*call)));
    }
    const ReadError& error = std::get<ReadError>(result);
    QCOMPARE(error.reason, reason);
    if (line > 0) {
        QCOMPARE(error.line, line);
        QCOMPARE(error.column, column);
    }
    QCOMPARE(error.text,
             u"Zeile %1, Spalte %2: %3"_s.arg(error.line).arg(error.column).arg(reason));
    QVERIFY2(QStringView(text).sliced(error.offset).startsWith(at),
             qPrintable(shown(text.mid(error.offset, 40))));
}

QTEST_GUILESS_MAIN(TestCodeReader)
#include "tst_codereader.moc"
