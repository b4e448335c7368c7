// The code of LibreOffice Basic and C/C++, as expected texts (LibreOffice
// Basic starts with the line Basic keeps for Msg), and the limit
// of C's literal pieces, which mingw does not enforce. Both are run in their
// engines as well (tests/core/tst_libreofficeruns, tst_ccompiles).
#include "boxrows.h"
#include "core/generators.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

using msgbox::Buttons;
using msgbox::CodeStyle;
using msgbox::DefaultButton;
using msgbox::Icon;

msgbox::Value valueOf(const Box& box, const QString& title, const QString& message) {
    msgbox::Value value;
    value.code = box.code;
    value.buttons = box.buttons;
    value.icon = box.icon;
    value.defaultButton = box.defaultButton;
    value.systemModal = box.systemModal;
    value.helpButton = box.helpButton;
    value.title = title;
    value.message = message;
    return value;
}

} // namespace

class TestWindowsGenerators : public QObject {
    Q_OBJECT

private slots:
    void code_data();
    void code();
    void cPiecesStayShort_data();
    void cPiecesStayShort();
    void libreOfficeLinesStayShort_data();
    void libreOfficeLinesStayShort();
};

void TestWindowsGenerators::code_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<Box>("box");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    const int lo = int(gen::Language::LibreOffice);
    const int c = int(gen::Language::C);
    const Box question{CodeStyle::SelectCase, Buttons::YesNo, Icon::Question,
                       DefaultButton::Second};
    const QString longMessage = u"Eine lange Meldung, die \"mehr\" als fünfzig Zeichen hat.\r\n"
                                u"Zweite Zeile\r\n\r\n"_s;

    QTest::newRow("lo: Select Case")
        << lo << question << u"Frage"_s << u"Weiter?\r\nJa?"_s
        << lines({QString(),
                  u"Select Case MsgBox(\"Weiter?\" & Chr(13) & \"Ja?\", MB_ICONQUESTION + "
                  u"MB_YESNO + MB_DEFBUTTON2, \"Frage\")"_s,
                  u"Case IDYES"_s, u"    ' Ja"_s, u"Case IDNO"_s, u"    ' Nein"_s,
                  u"End Select"_s});
    QTest::newRow("lo: If with three buttons, both flags")
        << lo << Box{CodeStyle::IfThenElse,
                     Buttons::AbortRetryIgnore,
                     Icon::Critical,
                     DefaultButton::First,
                     true,
                     true}
        << u"T"_s << u"M"_s
        << lines({QString(), u"Dim Antwort As Integer"_s,
                  u"' Eine Hilfe-Schaltfläche gibt es bei MsgBox in LibreOffice nicht."_s,
                  u"Antwort = MsgBox(\"M\", MB_ICONSTOP + MB_ABORTRETRYIGNORE + MB_DEFBUTTON1 + "
                  u"MB_SYSTEMMODAL, \"T\")"_s,
                  u"If Antwort = IDABORT Then"_s, u"    ' Abbruch"_s,
                  u"ElseIf Antwort = IDRETRY Then"_s, u"    ' Wiederholen"_s, u"Else"_s,
                  u"    ' Ignorieren"_s, u"End If"_s});
    QTest::newRow("lo: VBS is einfach, long message in Msg")
        << lo << Box{CodeStyle::Vbs, Buttons::OkCancel, Icon::Information, std::nullopt} << u"T"_s
        << longMessage
        << lines({u"Dim Msg As String"_s,
                  u"Msg = \"Eine lange Meldung, die \"\"mehr\"\" als fünfzig Zeichen hat.\" & "
                  u"Chr(13) & \"Zweite Zeile\" & Chr(13) & \"\""_s,
                  u"Dim Antwort As Integer"_s,
                  u"Antwort = MsgBox(Msg, MB_ICONINFORMATION + MB_OKCANCEL, \"T\")"_s});

    QTest::newRow("c: switch")
        << c << question << u"Frage"_s << u"Weiter?"_s
        << lines({u"switch (MessageBoxW(NULL, L\"Weiter?\", L\"Frage\", MB_ICONQUESTION | "
                  u"MB_YESNO | MB_DEFBUTTON2)) {"_s,
                  u"case IDYES:"_s, u"    // Ja"_s, u"    break;"_s, u"case IDNO:"_s,
                  u"    // Nein"_s, u"    break;"_s, u"}"_s});
    QTest::newRow("c: if with two buttons, both flags")
        << c << Box{CodeStyle::IfThenElse,
                    Buttons::OkCancel,
                    Icon::None,
                    DefaultButton::First,
                    true,
                    true}
        << QString() << u"Zeile 1\r\nZeile 2"_s
        << lines({u"// Für die Hilfe-Schaltfläche NULL durch ein Fenster ersetzen, dessen "
                  u"Fensterprozedur WM_HELP behandelt."_s,
                  u"if (MessageBoxW(NULL, L\"Zeile 1\\nZeile 2\", L\"\", MB_OKCANCEL | "
                  u"MB_DEFBUTTON1 | "
                  u"MB_SYSTEMMODAL | MB_HELP) == IDOK) {"_s,
                  u"    // OK"_s, u"} else {"_s, u"    // Abbrechen"_s, u"}"_s});
    QTest::newRow("c: if with three buttons")
        << c
        << Box{CodeStyle::IfThenElse, Buttons::YesNoCancel, Icon::Exclamation, DefaultButton::Third}
        << u"T"_s << u"M"_s
        << lines({u"int antwort = MessageBoxW(NULL, L\"M\", L\"T\", MB_ICONEXCLAMATION | "
                  u"MB_YESNOCANCEL | MB_DEFBUTTON3);"_s,
                  u"if (antwort == IDYES) {"_s, u"    // Ja"_s, u"} else if (antwort == IDNO) {"_s,
                  u"    // Nein"_s, u"} else {"_s, u"    // Abbrechen"_s, u"}"_s});
    QTest::newRow("c: OK before any choice")
        << c << Box{} << QString() << QString() << u"MessageBoxW(NULL, L\"\", L\"\", MB_OK);"_s;
    QTest::newRow("c: escapes")
        << c << Box{CodeStyle::Vbs, Buttons::RetryCancel, Icon::None, std::nullopt}
        << u"\"C:\\\" ?\?!"_s
        << u"ä\t\u0085\x7f\U0001F600\xD800"
           "abc???"_s
        << u"int antwort = MessageBoxW(NULL, L\"\\u00e4\\011\\205\\177\\U0001f600\\xD800\" "
           u"L\"abc?\\?\\?\", L\"\\\"C:\\\\\\\" ?\\?!\", MB_RETRYCANCEL);"_s;
    QTest::newRow("c: long message, a literal per line")
        << c << Box{CodeStyle::Einfach, Buttons::Ok, Icon::None, std::nullopt} << u"T"_s
        << longMessage
        << lines({u"const wchar_t *msg ="_s,
                  u"    L\"Eine lange Meldung, die \\\"mehr\\\" als f\\u00fcnfzig Zeichen "
                  u"hat.\\n\""_s,
                  u"    L\"Zweite Zeile\\n\";"_s, u"MessageBoxW(NULL, msg, L\"T\", MB_OK);"_s});
}

void TestWindowsGenerators::code() {
    QFETCH(int, language);
    QFETCH(Box, box);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QCOMPARE(gen::generateCode(valueOf(box, title, message), gen::Language(language)), expected);
}

namespace {

// Long lines of escapes, quotes, pairs and lone surrogates.
void addLongTexts() {
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << u"a"_s.repeated(5000);
    QTest::newRow("umlauts") << u"ä"_s.repeated(3000);
    QTest::newRow("emoji") << u"x\U0001F600"_s.repeated(1500);
    QTest::newRow("controls and quotes") << u"\"\\\u0001?"_s.repeated(1500);
    QTest::newRow("lone surrogates") << u"\xDC00\xD800"_s.repeated(1500);
    QTest::newRow("lines") << (u"ä"_s.repeated(1100) + u"\r\n"_s).repeated(3);
}

} // namespace

void TestWindowsGenerators::cPiecesStayShort_data() {
    addLongTexts();
}

// No piece of a C literal holds more than 1,023 characters of source, and
// so no more UTF-16 units, whatever the text, in the message and in the
// title.
void TestWindowsGenerators::cPiecesStayShort() {
    QFETCH(QString, text);
    static const QRegularExpression piece(u"L\"((?:[^\"\\\\]|\\\\.)*)\""_s);
    for (const int shift : {0, 1, 2, 3}) {
        const QString shifted = u"?"_s.repeated(shift) + text;
        const QString code = gen::generateCode(
            valueOf(Box{CodeStyle::Einfach, Buttons::YesNo, Icon::None, std::nullopt}, shifted,
                    shifted),
            gen::Language::C);
        qsizetype total = 0;
        for (auto it = piece.globalMatch(code); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            QVERIFY2(match.capturedLength(1) <= 1023, qPrintable(match.captured(1).left(80)));
            total += match.capturedLength(0);
        }
        QVERIFY(total > 2 * text.size()); // every piece of both texts was seen
    }
}

void TestWindowsGenerators::libreOfficeLinesStayShort_data() {
    addLongTexts();
}

// LibreOffice Basic keeps Basic's split of long texts, with its longer
// joiner: no line of more than 1,023 characters.
void TestWindowsGenerators::libreOfficeLinesStayShort() {
    QFETCH(QString, text);
    for (int style = 0; style <= 3; ++style) {
        const QString code = gen::generateCode(
            valueOf(Box{CodeStyle(style), Buttons::YesNo, Icon::None, std::nullopt}, text,
                    text + u"\r\n"_s + text),
            gen::Language::LibreOffice);
        for (const QStringView line : QStringView(code).split(u'\r'))
            QVERIFY2(line.size() <= 1023, qPrintable(line.left(80).toString()));
    }
}

QTEST_GUILESS_MAIN(TestWindowsGenerators)
#include "tst_windowsgenerators.moc"
