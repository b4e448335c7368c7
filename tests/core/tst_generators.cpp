#include "core/definition.h"
#include "core/generators.h"
#include "core/languages.h"
#include "core/vberror.h"

#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// Generated code separates lines with a single CR.
QString lines(const QStringList& parts) {
    return parts.join(u'\r');
}

// A one-line message of n characters, no quotes, no break.
QString chars(qsizetype n) {
    return QString(n, u'x');
}

using msgbox::CodeStyle;

struct Choice {
    CodeStyle code = CodeStyle::SelectCase;
    int buttons = -1; // -1: no button-set choice since start
    int icon = 0;
    int defaultButton = -1; // -1: left as the button-set choice made it
    int systemModal = 0;
    int helpButton = 0;
};

// The definition a user makes with these choices: the value made by the one
// apply, then the check boxes as given (2 leaves one dimmed).
void apply(Definition& def, const Choice& c, const QString& title, const QString& message) {
    msgbox::Value value;
    value.code = c.code;
    value.icon = msgbox::Icon(c.icon);
    if (c.buttons >= 0)
        value.buttons = msgbox::Buttons(c.buttons);
    if (c.defaultButton >= 0 || c.buttons >= 0)
        value.defaultButton = msgbox::DefaultButton(std::max(c.defaultButton, 0));
    value.title = title;
    value.message = message;
    def.apply(value);
    def.setSystemModal(c.systemModal);
    def.setHelpButton(c.helpButton);
}

} // namespace

Q_DECLARE_METATYPE(Choice)

class TestGenerators : public QObject {
    Q_OBJECT

private slots:
    void message_data();
    void message();
    void titleQuotesDoubled();
    void styles_data();
    void styles();
    void generateCodeDispatchesOnSelection_data();
    void generateCodeDispatchesOnSelection();
    void generationKeepsNoState();
    void manyMixedLineBreaks();
    void styleValue_data();
    void styleValue();
    void buttonSetsWithoutAnswersAreRefused_data();
    void buttonSetsWithoutAnswersAreRefused();
};

void TestGenerators::message_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("script");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("opening");

    const QString none;
    QTest::newRow("one word") << u"Hallo"_s << false << u"\"Hallo\""_s << none;
    QTest::newRow("two lines") << u"Zeile 1\r\nZeile 2"_s << false
                               << u"\"Zeile 1\" & vbcr & \"Zeile 2\""_s << none;
    QTest::newRow("empty") << QString() << false << u"\"\""_s << none;
    QTest::newRow("ends with CR LF") << u"A\r\n"_s << false << u"\"A\""_s << none;
    QTest::newRow("ends with two CR LF")
        << u"A\r\n\r\n"_s << false << u"\"A\" & vbcr & \"\""_s << none;
    QTest::newRow("only a break") << u"\r\n"_s << false << u"\"\""_s << none;
    QTest::newRow("quotes") << u"Er sagte \"ja\""_s << false << u"\"Er sagte \"\"ja\"\"\""_s
                            << none;
    QTest::newRow("only quotes") << u"\"\""_s << false << u"\"\"\"\"\"\""_s << none;
    QTest::newRow("umlauts") << u"Größe ändern?"_s << false << u"\"Größe ändern?\""_s << none;

    // Threshold: 50 prepared characters are inline, 51 go into Msg.
    QTest::newRow("48 + CR LF = 50") << chars(48) << false << u"\""_s + chars(48) + u"\""_s << none;
    QTest::newRow("49 + CR LF = 51")
        << chars(49) << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + chars(49) + u"\""_s});
    QTest::newRow("48 ending in CR LF = 50")
        << chars(48) + u"\r\n"_s << false << u"\""_s + chars(48) + u"\""_s << none;
    QTest::newRow("49 ending in CR LF = 51")
        << chars(49) + u"\r\n"_s << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + chars(49) + u"\""_s});
    QTest::newRow("46 + quote doubled = 50")
        << chars(46) + u"\""_s << false << u"\""_s + chars(46) + u"\"\"\""_s << none;
    QTest::newRow("47 + quote doubled = 51")
        << chars(47) + u"\""_s << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + chars(47) + u"\"\"\""_s});
    QTest::newRow("two lines, 50 in all")
        << chars(20) + u"\r\n"_s + chars(26) << false
        << u"\""_s + chars(20) + u"\" & vbcr & \""_s + chars(26) + u"\""_s << none;
    // Counted in UTF-16 code units: each of these is two.
    QTest::newRow("surrogate pairs count twice")
        << QString(u"\U0001F600"_s).repeated(25) << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s,
                  u"Msg = \""_s + QString(u"\U0001F600"_s).repeated(25) + u"\""_s});

    QTest::newRow("60 characters")
        << chars(60) << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + chars(60) + u"\""_s});
    QTest::newRow("60 characters, script")
        << chars(60) << true << u"Msg"_s
        << lines({u"Dim Msg"_s, u" Msg = \""_s + chars(60) + u"\""_s});
    QTest::newRow("long, several lines")
        << chars(30) + u"\r\n"_s + chars(30) + u"\r\n"_s << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s,
                  u"Msg = \""_s + chars(30) + u"\" & vbcr & \""_s + chars(30) + u"\""_s});

    // Lone CR and lone LF are line breaks like CR LF; no character is lost
    // and no raw LF ends up inside a literal.
    QTest::newRow("lone CR") << u"A\rB"_s << false << u"\"A\" & vbcr & \"B\""_s << none;
    QTest::newRow("lone LF") << u"A\nB"_s << false << u"\"A\" & vbcr & \"B\""_s << none;
    QTest::newRow("LF then CR is two breaks")
        << u"A\n\rB"_s << false << u"\"A\" & vbcr & \"\" & vbcr & \"B\""_s << none;
    QTest::newRow("mixed breaks") << u"A\r\nB\rC\nD"_s << false
                                  << u"\"A\" & vbcr & \"B\" & vbcr & \"C\" & vbcr & \"D\""_s
                                  << none;
    QTest::newRow("ends with lone CR") << u"A\r"_s << false << u"\"A\""_s << none;
    QTest::newRow("ends with lone LF") << u"A\n"_s << false << u"\"A\""_s << none;
    QTest::newRow("ends with two lone CR")
        << u"A\r\r"_s << false << u"\"A\" & vbcr & \"\""_s << none;
    QTest::newRow("quote after lone CR")
        << u"A\r\"B\""_s << false << u"\"A\" & vbcr & \"\"\"B\"\"\""_s << none;
    QTest::newRow("48 + lone LF = 50")
        << chars(48) + u"\n"_s << false << u"\""_s + chars(48) + u"\""_s << none;
    QTest::newRow("49 + lone CR = 51")
        << chars(49) + u"\r"_s << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + chars(49) + u"\""_s});
    QTest::newRow("lone breaks counted as CR LF")
        << chars(23) + u"\n"_s + chars(24) + u"\r"_s << false << u"Msg"_s
        << lines({u"Dim Msg As String"_s,
                  u"Msg = \""_s + chars(23) + u"\" & vbcr & \""_s + chars(24) + u"\""_s});
}

void TestGenerators::message() {
    QFETCH(QString, message);
    QFETCH(bool, script);
    QFETCH(QString, prompt);
    QFETCH(QString, opening);

    msgbox::Value value;
    value.code = script ? msgbox::CodeStyle::Vbs : msgbox::CodeStyle::SelectCase;
    value.message = message;
    const gen::PreparedMessage prepared = gen::prepareMessage(value);
    QCOMPARE(prepared.prompt, prompt);
    QCOMPARE(prepared.opening, opening);
}

void TestGenerators::titleQuotesDoubled() {
    msgbox::Value value;
    value.title = u"\"A\" \"\"B"_s;
    QCOMPARE(gen::prepareMessage(value).title, u"\"\"A\"\" \"\"\"\"B"_s);
}

void TestGenerators::styles_data() {
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("code");

    const QString long60 = chars(60);

    // --- einfach ---
    QTest::newRow("einfach: worked example, Ja Nein")
        << Choice{CodeStyle::Einfach, 4, 32, 256, 1, 0} << u"Frage"_s << u"Weiter?"_s
        << lines(
               {QString(), u"Dim Antwort As VbMsgBoxResult"_s,
                u"Antwort = MsgBox(\"Weiter?\", vbQuestion or vbYesNo or vbDefaultButton2 + 4096, \"Frage\")"_s});
    QTest::newRow("einfach: worked example, OK")
        << Choice{CodeStyle::Einfach, 0, 32, -1, 1, 0} << u"Frage"_s << u"Weiter?"_s
        << lines(
               {QString(),
                u"MsgBox \"Weiter?\", vbQuestion or vbOKOnly or vbDefaultButton1 + 4096, \"Frage\""_s});
    QTest::newRow("einfach: both flags")
        << Choice{CodeStyle::Einfach, 1, 0, -1, 1, 1} << u"T"_s << u"M"_s
        << lines(
               {QString(), u"Dim Antwort As VbMsgBoxResult"_s,
                u"Antwort = MsgBox(\"M\", vbOKCancel or vbDefaultButton1 + 20480, \"T\", App.HelpFile, 0)"_s});
    QTest::newRow("einfach: help, statement")
        << Choice{CodeStyle::Einfach, 0, 0, -1, 0, 1} << u"T"_s << u"M"_s
        << lines({QString(),
                  u"MsgBox \"M\", vbOKOnly or vbDefaultButton1 + 16384, \"T\", App.HelpFile, 0"_s});
    QTest::newRow("einfach: help, function")
        << Choice{CodeStyle::Einfach, 5, 0, -1, 0, 1} << u"T"_s << u"M"_s
        << lines(
               {QString(), u"Dim Antwort As VbMsgBoxResult"_s,
                u"Antwort = MsgBox(\"M\", vbRetryCancel or vbDefaultButton1 + 16384, \"T\", App.HelpFile, 0)"_s});
    QTest::newRow("einfach: start state, no icon, no default name, empty texts")
        << Choice{CodeStyle::Einfach, -1, 0, -1, 0, 0} << QString() << QString()
        << lines({QString(), u"MsgBox \"\", vbOKOnly, \"\""_s});
    QTest::newRow("einfach: dimmed boxes add no flags")
        << Choice{CodeStyle::Einfach, 0, 64, -1, 2, 2} << u"T"_s << u"M"_s
        << lines({QString(),
                  u"MsgBox \"M\", vbInformation or vbOKOnly or vbDefaultButton1, \"T\""_s});
    QTest::newRow("einfach: long message")
        << Choice{CodeStyle::Einfach, 4, 48, 0, 0, 0} << u"T"_s << long60
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + long60 + u"\""_s,
                  u"Dim Antwort As VbMsgBoxResult"_s,
                  u"Antwort = MsgBox(Msg, vbExclamation or vbYesNo or vbDefaultButton1, \"T\")"_s});

    // --- If Then Else ---
    QTest::newRow("if: worked example, OK Abbrechen")
        << Choice{CodeStyle::IfThenElse, 1, 0, -1, 0, 0} << u"Test"_s << u"Weiter?"_s
        << lines({QString(),
                  u"If MsgBox(\"Weiter?\", vbOKCancel or vbDefaultButton1, \"Test\") = vbOk then"_s,
                  u"    ' OK"_s, u"Else"_s, u"    ' Abbrechen"_s, u"End If"_s});
    QTest::newRow("if: OK is a statement only")
        << Choice{CodeStyle::IfThenElse, 0, 16, -1, 0, 0} << u"T"_s << u"M"_s
        << lines({QString(), u"MsgBox \"M\", vbCritical or vbOKOnly or vbDefaultButton1, \"T\""_s});
    QTest::newRow("if: OK with help")
        << Choice{CodeStyle::IfThenElse, 0, 0, -1, 0, 1} << u"T"_s << u"M"_s
        << lines({QString(),
                  u"MsgBox \"M\", vbOKOnly or vbDefaultButton1 + 16384, \"T\", App.HelpFile, 0"_s});
    QTest::newRow("if: Abbruch Wiederholen Ignorieren")
        << Choice{CodeStyle::IfThenElse, 2, 48, 512, 0, 0} << u"T"_s << u"M"_s
        << lines(
               {QString(), u"Dim Antwort As VbMsgBoxResult"_s,
                u"Antwort = MsgBox(\"M\", vbExclamation or vbAbortRetryIgnore or vbDefaultButton3, \"T\")"_s,
                u"If Antwort = vbAbort Then"_s, u"    ' Abbruch"_s,
                u"ElseIf Antwort = vbRetry Then"_s, u"    ' Wiederholen"_s, u"Else"_s,
                u"    ' Ignorieren"_s, u"End If"_s});
    QTest::newRow("if: Ja Nein Abbrechen with help")
        << Choice{CodeStyle::IfThenElse, 3, 32, 256, 0, 1} << u"T"_s << u"M"_s
        << lines(
               {QString(), u"Dim Antwort As VbMsgBoxResult"_s,
                u"Antwort = MsgBox(\"M\", vbQuestion or vbYesNoCancel or vbDefaultButton2 + 16384, \"T\", App.HelpFile, 0)"_s,
                u"If Antwort = vbYes Then"_s, u"    ' Ja"_s, u"ElseIf Antwort = vbNo Then"_s,
                u"    ' Nein"_s, u"Else"_s, u"    ' Abbrechen"_s, u"End If"_s});
    QTest::newRow("if: Ja Nein with help")
        << Choice{CodeStyle::IfThenElse, 4, 0, -1, 0, 1} << u"T"_s << u"M"_s
        << lines(
               {QString(),
                u"If MsgBox(\"M\", vbYesNo or vbDefaultButton1 + 16384, \"T\", App.HelpFile, 0) = vbYes then"_s,
                u"    ' Ja"_s, u"Else"_s, u"    ' Nein"_s, u"End If"_s});
    QTest::newRow("if: Wiederholen Abbrechen")
        << Choice{CodeStyle::IfThenElse, 5, 0, 256, 1, 0} << u"T"_s << u"M"_s
        << lines(
               {QString(),
                u"If MsgBox(\"M\", vbRetryCancel or vbDefaultButton2 + 4096, \"T\") = vbRetry then"_s,
                u"    ' Wiederholen"_s, u"Else"_s, u"    ' Abbrechen"_s, u"End If"_s});
    QTest::newRow("if: long message")
        << Choice{CodeStyle::IfThenElse, 4, 0, -1, 0, 0} << u"T"_s << long60
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + long60 + u"\""_s,
                  u"If MsgBox(Msg, vbYesNo or vbDefaultButton1, \"T\") = vbYes then"_s,
                  u"    ' Ja"_s, u"Else"_s, u"    ' Nein"_s, u"End If"_s});

    // --- Select Case ---
    QTest::newRow("select: worked example, Ja Nein with help")
        << Choice{CodeStyle::SelectCase, 4, 48, 256, 0, 1} << u"Achtung"_s << u"Speichern?"_s
        << lines(
               {QString(),
                u"Select Case MsgBox(\"Speichern?\", vbExclamation or vbYesNo or vbDefaultButton2 + 16384, \"Achtung\", App.HelpFile, 0)"_s,
                u"Case vbYes"_s, u"    ' Ja"_s, u"Case vbNo"_s, u"    ' Nein"_s, u"End Select"_s});
    QTest::newRow("select: OK is a statement only")
        << Choice{CodeStyle::SelectCase, 0, 0, -1, 0, 0} << u"T"_s << u"M"_s
        << lines({QString(), u"MsgBox \"M\", vbOKOnly or vbDefaultButton1, \"T\""_s});
    QTest::newRow("select: OK Abbrechen")
        << Choice{CodeStyle::SelectCase, 1, 0, -1, 0, 0} << u"T"_s << u"M"_s
        << lines({QString(), u"Select Case MsgBox(\"M\", vbOKCancel or vbDefaultButton1, \"T\")"_s,
                  u"Case vbOK"_s, u"    ' OK"_s, u"Case vbCancel"_s, u"    ' Abbrechen"_s,
                  u"End Select"_s});
    QTest::newRow("select: Abbruch Wiederholen Ignorieren")
        << Choice{CodeStyle::SelectCase, 2, 0, -1, 0, 0} << u"T"_s << u"M"_s
        << lines({QString(),
                  u"Select Case MsgBox(\"M\", vbAbortRetryIgnore or vbDefaultButton1, \"T\")"_s,
                  u"Case vbAbort"_s, u"    ' Abbruch"_s, u"Case vbRetry"_s, u"    ' Wiederholen"_s,
                  u"Case vbIgnore"_s, u"    ' Ignorieren"_s, u"End Select"_s});
    QTest::newRow("select: Ja Nein Abbrechen")
        << Choice{CodeStyle::SelectCase, 3, 0, 512, 0, 0} << u"T"_s << u"M"_s
        << lines({QString(),
                  u"Select Case MsgBox(\"M\", vbYesNoCancel or vbDefaultButton3, \"T\")"_s,
                  u"Case vbYes"_s, u"    ' Ja"_s, u"Case vbNo"_s, u"    ' Nein"_s,
                  u"Case vbCancel"_s, u"    ' Abbrechen"_s, u"End Select"_s});
    QTest::newRow("select: Wiederholen Abbrechen, long message")
        << Choice{CodeStyle::SelectCase, 5, 0, -1, 0, 0} << u"T"_s << long60
        << lines({u"Dim Msg As String"_s, u"Msg = \""_s + long60 + u"\""_s,
                  u"Select Case MsgBox(Msg, vbRetryCancel or vbDefaultButton1, \"T\")"_s,
                  u"Case vbRetry"_s, u"    ' Wiederholen"_s, u"Case vbCancel"_s,
                  u"    ' Abbrechen"_s, u"End Select"_s});

    // --- VBS ---
    QTest::newRow("vbs: worked example, long message")
        << Choice{CodeStyle::Vbs, 3, 16, -1, 0, 0} << u"Fehler"_s << long60
        << lines(
               {u"Dim Msg"_s, u" Msg = \""_s + long60 + u"\""_s, u" Dim Antwort "_s,
                u"Antwort = MsgBox(Msg, vbCritical or vbYesNoCancel or vbDefaultButton1, \"Fehler\")"_s});
    QTest::newRow("vbs: short message, system modal")
        << Choice{CodeStyle::Vbs, 4, 0, 256, 1, 0} << u"T"_s << u"M"_s
        << lines({QString(), u" Dim Antwort "_s,
                  u"Antwort = MsgBox(\"M\", vbYesNo or vbDefaultButton2 + 4096, \"T\")"_s});
    QTest::newRow("vbs: OK, help refused")
        << Choice{CodeStyle::Vbs, 0, 64, -1, 0, 1} << u"Ti\"tel"_s << u"M"_s
        << lines({QString(),
                  u"MsgBox \"M\", vbInformation or vbOKOnly or vbDefaultButton1, \"Ti\"\"tel\""_s});
}

void TestGenerators::styles() {
    QFETCH(Choice, choice);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, code);

    Definition def;
    apply(def, choice, title, message);
    QCOMPARE(gen::generateCode(def.value()), code);
}

void TestGenerators::generateCodeDispatchesOnSelection_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("firstCall");
    QTest::newRow("Select Case") << int(msgbox::CodeStyle::SelectCase) << u"Select Case MsgBox("_s;
    QTest::newRow("If Then Else") << int(msgbox::CodeStyle::IfThenElse) << u"If MsgBox("_s;
    QTest::newRow("einfach") << int(msgbox::CodeStyle::Einfach)
                             << u"Dim Antwort As VbMsgBoxResult"_s;
    QTest::newRow("VBS") << int(msgbox::CodeStyle::Vbs) << u" Dim Antwort "_s;
}

void TestGenerators::generateCodeDispatchesOnSelection() {
    QFETCH(int, code);
    QFETCH(QString, firstCall);

    Definition def;
    apply(def, Choice{CodeStyle(code), 4, 32, -1, 1, 0}, u"T"_s, u"M"_s);
    const QString generated = gen::generateCode(def.value());
    QVERIFY2(generated.section(u'\r', 1, 1).startsWith(firstCall), qPrintable(generated));
}

void TestGenerators::generationKeepsNoState() {
    Definition def;
    apply(def, Choice{CodeStyle::IfThenElse, 3, 16, 512, 1, 1}, u"T"_s, chars(70));
    const QString first = gen::generateCode(def.value());
    QCOMPARE(gen::generateCode(def.value()), first);

    // A shorter message afterwards leaves nothing of the long one behind.
    def.setMessage(u"kurz"_s);
    QVERIFY(gen::generateCode(def.value())
                .startsWith(u"\rDim Antwort As VbMsgBoxResult\rAntwort = MsgBox(\"kurz\""_s));
}

void TestGenerators::manyMixedLineBreaks() {
    // Thousands of lines with every kind of break: each break is exactly one
    // joiner, and no raw CR or LF ends up in the Msg line.
    const QStringList breaks{u"\r\n"_s, u"\r"_s, u"\n"_s};
    QString message;
    QStringList expectedLines;
    for (int i = 0; i < 3000; ++i) {
        const QString line = u"Zeile %1 \"ä\""_s.arg(i);
        message += line + breaks[i % 3];
        expectedLines << u"Zeile %1 \"\"ä\"\""_s.arg(i);
    }
    msgbox::Value value;
    value.message = message;
    const QString opening = gen::prepareMessage(value).opening;
    QVERIFY(!opening.contains(u'\n'));
    // Too long for one line of code, Msg is filled in statements that break
    // between lines; put together again they are the one chained literal.
    QStringList statements = opening.split(u'\r');
    QCOMPARE(statements.takeFirst(), u"Dim Msg As String"_s);
    QVERIFY(statements.size() > 1);
    QString chained;
    for (qsizetype i = 0; i < statements.size(); ++i) {
        const QString& statement = statements[i];
        const QString start = i == 0 ? u"Msg = \""_s : u"Msg = Msg & \""_s;
        QVERIFY2(statement.startsWith(start) && statement.size() <= 1023, qPrintable(statement));
        const bool lastOne = i + 1 == statements.size();
        QVERIFY2(statement.endsWith(lastOne ? u"\""_s : u"\" & vbcr"_s), qPrintable(statement));
        chained += statement.sliced(start.size());
        if (!lastOne)
            chained += u" & \""_s;
    }
    QCOMPARE(chained, expectedLines.join(u"\" & vbcr & \""_s) + u"\""_s);
}

void TestGenerators::styleValue_data() {
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<int>("value");
    QTest::newRow("start state") << Choice{CodeStyle::SelectCase, -1, 0, -1, 0, 0} << 0;
    QTest::newRow("first choice OK") << Choice{CodeStyle::SelectCase, 0, 0, -1, 0, 0} << 0;
    QTest::newRow("16 + 4 + 256 + both flags")
        << Choice{CodeStyle::SelectCase, 4, 16, 256, 1, 1} << 20756;
    QTest::newRow("dimmed boxes count as clear")
        << Choice{CodeStyle::SelectCase, 4, 16, 256, 2, 2} << 276;
    QTest::newRow("64 + 2 + 512 + system modal")
        << Choice{CodeStyle::SelectCase, 2, 64, 512, 1, 0} << 64 + 2 + 512 + 4096;
    QTest::newRow("help refused under VBS")
        << Choice{CodeStyle::Vbs, 5, 48, 256, 0, 1} << 48 + 5 + 256;
}

void TestGenerators::styleValue() {
    QFETCH(Choice, choice);
    QFETCH(int, value);
    Definition def;
    apply(def, choice, QString(), QString());
    QCOMPARE(msgbox::styleValue(def.value()), value);
}

// A generator is a pure function of any value: a button set with no answers
// (Windows Forms' CancelTryContinue) or no row at all is refused with error
// 5 in every language and style, never read past a table.
void TestGenerators::buttonSetsWithoutAnswersAreRefused_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("buttons");
    for (const lang::LanguageFacts& row : lang::languages()) {
        for (const int buttons : {6, 7, 15, -1}) {
            QTest::addRow("%s, set %d", qPrintable(row.value.toString()), buttons)
                << int(row.language) << buttons;
        }
    }
}

void TestGenerators::buttonSetsWithoutAnswersAreRefused() {
    QFETCH(int, language);
    QFETCH(int, buttons);
    for (int style = 0; style <= 3; ++style) {
        msgbox::Value value;
        value.code = CodeStyle(style);
        value.buttons = msgbox::Buttons(buttons);
        value.defaultButton = msgbox::DefaultButton::First;
        try {
            gen::generateCode(value, gen::Language(language));
            QFAIL("no error");
        } catch (const vb::Error& e) {
            QCOMPARE(e.number(), int(vb::InvalidProcedureCall));
        }
    }
}

QTEST_GUILESS_MAIN(TestGenerators)
#include "tst_generators.moc"
