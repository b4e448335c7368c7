#include "tst_codereader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;
using namespace codereadertest;

void TestCodeReader::refused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("at"); // the source text at the offset

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

    // --- a NUL character, which no definition can hold, refused where it stands ---
    const QString nul(1, QChar(0));
    QTest::newRow("NUL in the prompt")
        << u"MsgBox \"a"_s + nul + u"b\""_s << SC
        << u"Der Meldungstext enthält ein NUL-Zeichen (Chr(0))."_s << 1 << 10 << nul + u"b"_s;
    QTest::newRow("NUL in the title, after a doubled quote")
        << u"MsgBox \"x\", , \"T\"\""_s + nul + u"\""_s << SC
        << u"Der Titel enthält ein NUL-Zeichen (Chr(0))."_s << 1 << 19 << nul;
    QTest::newRow("NUL in a variable's value")
        << source({u"Msg = \"a"_s + nul + u"\""_s, u"MsgBox Msg"_s}) << SC
        << u"Der Wert von Msg ist unbekannt: Msg enthält ein NUL-Zeichen (Chr(0))."_s << 1 << 9
        << nul;

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
    QTest::newRow("overflow below the Long range")
        << u"MsgBox \"x\", &H80000000 + &H80000000"_s << SC
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

    const auto result = readMsgBoxCall(text, msgbox::CodeStyle(current));
    if (const auto* call = std::get_if<ReadCall>(&result)) {
        QFAIL(qPrintable(u"read: "_s + describe(*call)));
    }
    const ReadError& error = std::get<ReadError>(result);
    QCOMPARE(error.reason, reason);
    if (line > 0) {
        QCOMPARE(error.line, line);
        QCOMPARE(error.column, column);
        QCOMPARE(error.text, u"Zeile "_s + QString::number(line) + u", Spalte "_s +
                                 QString::number(column) + u": "_s + reason);
    } else {
        QVERIFY2(error.text.startsWith(u"Zeile "_s) && error.text.endsWith(u": "_s + reason),
                 qPrintable(error.text));
    }
    QVERIFY2(QStringView(text).sliced(error.offset).startsWith(at),
             qPrintable(shown(text.mid(error.offset, 40))));
}
