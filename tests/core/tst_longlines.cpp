// Basic code has no line longer than VB6 and VBA take (1023 characters):
// a long message and a long title are given to Msg and Titel in several
// statements. Exact rows for the places a statement ends, and the rule
// itself for texts up to 16 MiB.
#include "core/codereader.h"
#include "core/generators.h"

#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

constexpr qsizetype MaxLine = 1023;

QString lines(const QStringList& parts) {
    return parts.join(u'\r');
}

QString x(qsizetype n) {
    return QString(n, u'x');
}

// The one chained literal that statements of `variable` make up together:
// `variable = "a" & vbcr`, `variable = variable & "b"` is `"a" & vbcr & "b"`.
// Empty when a statement is not of that form.
QString chained(const QStringList& code, qsizetype& line, const QString& variable,
                const QString& indent) {
    const QString first = indent + variable + u" = \""_s;
    const QString next = indent + variable + u" = "_s + variable + u" & \""_s;
    QString chain = u"\""_s;
    for (bool start = true; line < code.size(); start = false, ++line) {
        const QString& statement = code[line];
        const QString& prefix = start ? first : next;
        if (!statement.startsWith(prefix))
            break;
        if (!chain.endsWith(u'"'))
            chain += u" & \""_s;
        else if (!start)
            chain.chop(1); // a line went on in the next statement
        chain += statement.sliced(prefix.size());
    }
    return chain;
}

// The literal chain of a text as one line would hold it.
QString oneLine(QString text) {
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    text.replace(u'"', u"\"\""_s);
    return u'"' + text.split(u'\n').join(u"\" & vbcr & \""_s) + u'"';
}

} // namespace

class TestLongLines : public QObject {
    Q_OBJECT

private slots:
    void statements_data();
    void statements();
    void noLineTooLong_data();
    void noLineTooLong();
    void longCodeReadsBack();
};

void TestLongLines::statements_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    const QString line50 = x(50);
    QStringList lines24;
    for (int i = 0; i < 24; ++i)
        lines24 << line50;
    const QString chain16 = u"\""_s + QStringList(lines24.mid(0, 16)).join(u"\" & vbcr & \""_s);
    const QString chain8 = u"\""_s + QStringList(lines24.mid(16)).join(u"\" & vbcr & \""_s);
    // 16 lines fill the first statement to 995 characters; the 17th would
    // make it 1057.
    QTest::newRow("24 lines of 50, between lines")
        << int(msgbox::CodeStyle::SelectCase) << u"T"_s << lines24.join(u"\r\n"_s)
        << lines({u"Dim Msg As String"_s, u"Msg = "_s + chain16 + u"\" & vbcr"_s,
                  u"Msg = Msg & "_s + chain8 + u"\""_s,
                  u"Select Case MsgBox(Msg, vbYesNo or vbDefaultButton1, \"T\")"_s, u"Case vbYes"_s,
                  u"    ' Ja"_s, u"Case vbNo"_s, u"    ' Nein"_s, u"End Select"_s});
    QTest::newRow("script style keeps its indent")
        << int(msgbox::CodeStyle::Vbs) << u"T"_s << lines24.join(u"\r\n"_s)
        << lines({u"Dim Msg"_s, u" Msg = "_s + chain16 + u"\" & vbcr"_s,
                  u" Msg = Msg & "_s + chain8 + u"\""_s, u" Dim Antwort "_s,
                  u"Antwort = MsgBox(Msg, vbYesNo or vbDefaultButton1, \"T\")"_s});
    // One line too long alone: split inside it, after a break between lines.
    QTest::newRow("a line too long alone")
        << int(msgbox::CodeStyle::Einfach) << u"T"_s << u"kurz\r\n"_s + x(2000)
        << lines({u"Dim Msg As String"_s, u"Msg = \"kurz\" & vbcr"_s,
                  u"Msg = Msg & \""_s + x(1009) + u"\""_s, u"Msg = Msg & \""_s + x(991) + u"\""_s,
                  u"Dim Antwort As VbMsgBoxResult"_s,
                  u"Antwort = MsgBox(Msg, vbYesNo or vbDefaultButton1, \"T\")"_s});
    // Titel = "...": 9 characters before the text, the closing quote after.
    QTest::newRow("title into Titel")
        << int(msgbox::CodeStyle::Einfach) << x(1100) << u"M"_s
        << lines({u"Dim Titel As String"_s, u"Titel = \""_s + x(1013) + u"\""_s,
                  u"Titel = Titel & \""_s + x(87) + u"\""_s, u"Dim Antwort As VbMsgBoxResult"_s,
                  u"Antwort = MsgBox(\"M\", vbYesNo or vbDefaultButton1, Titel)"_s});
    QTest::newRow("a doubled quote stays whole")
        << int(msgbox::CodeStyle::Einfach) << x(1012) + u"\"y"_s << u"M"_s
        << lines({u"Dim Titel As String"_s, u"Titel = \""_s + x(1012) + u"\""_s,
                  u"Titel = Titel & \"\"\"y\""_s, u"Dim Antwort As VbMsgBoxResult"_s,
                  u"Antwort = MsgBox(\"M\", vbYesNo or vbDefaultButton1, Titel)"_s});
    QTest::newRow("a surrogate pair stays whole")
        << int(msgbox::CodeStyle::Vbs) << x(1011) + u"\U0001F600y"_s << u"M"_s
        << lines({u"Dim Titel"_s, u" Titel = \""_s + x(1011) + u"\""_s,
                  u" Titel = Titel & \"\U0001F600y\""_s, u" Dim Antwort "_s,
                  u"Antwort = MsgBox(\"M\", vbYesNo or vbDefaultButton1, Titel)"_s});
    // Only the call line counts: a title that just fits stays in the call.
    const QString call = u"Antwort = MsgBox(\"M\", vbYesNo or vbDefaultButton1, \"\")"_s;
    QTest::newRow("title that just fits")
        << int(msgbox::CodeStyle::Einfach) << x(MaxLine - call.size()) << u"M"_s
        << lines({QString(), u"Dim Antwort As VbMsgBoxResult"_s,
                  u"Antwort = MsgBox(\"M\", vbYesNo or vbDefaultButton1, \""_s +
                      x(MaxLine - call.size()) + u"\")"_s});
}

void TestLongLines::statements() {
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, expected);

    msgbox::Value value;
    value.code = msgbox::CodeStyle(code);
    value.buttons = msgbox::Buttons::YesNo;
    value.defaultButton = msgbox::DefaultButton::First;
    value.title = title;
    value.message = message;
    QCOMPARE(gen::generateCode(value), expected);
}

void TestLongLines::noLineTooLong_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const qsizetype mib = 1 << 20;
    QTest::newRow("1,023 quotes") << QString(1023, u'"') << QString(1023, u'"');
    QTest::newRow("empty lines") << QString() << u"\r\n"_s.repeated(5000);
    QTest::newRow("lines of 1,000 with breaks of every kind")
        << x(3000) << (x(1000) + u"\r\n"_s + x(1000) + u"\r"_s + x(1000) + u"\n"_s).repeated(20);
    QTest::newRow("surrogate pairs and quotes, 1 MiB")
        << u"\U0001F600\""_s.repeated(mib / 3) << u"a\U0001F600\"\r\n"_s.repeated(mib / 5);
    QTest::newRow("16 MiB in one line, 16 MiB title") << x(16 * mib) << x(16 * mib);
}

// In every style: no line of more than 1023 characters, and the statements
// of Msg and Titel make up the literal one line would have held.
void TestLongLines::noLineTooLong() {
    QFETCH(QString, title);
    QFETCH(QString, message);

    msgbox::Value value;
    value.buttons = msgbox::Buttons::YesNoCancel;
    value.defaultButton = msgbox::DefaultButton::Third;
    value.systemModal = true;
    value.title = title;
    value.message = message;
    const QString messageChain = oneLine(message);
    const QString titleChain = oneLine(title);
    for (int style = 0; style <= 3; ++style) {
        value.code = msgbox::CodeStyle(style);
        value.helpButton = value.code != msgbox::CodeStyle::Vbs;
        const QStringList code = gen::generateCode(value).split(u'\r');
        for (const QString& line : code)
            QVERIFY2(line.size() <= MaxLine, qPrintable(line.left(80)));

        const QString indent = value.code == msgbox::CodeStyle::Vbs ? u" "_s : QString();
        qsizetype line = 1;
        QVERIFY(code[0].startsWith(u"Dim Msg"));
        QVERIFY(chained(code, line, u"Msg"_s, indent) == messageChain);
        if (title.size() > MaxLine) {
            QVERIFY(code[line++].startsWith(u"Dim Titel"));
            QVERIFY(chained(code, line, u"Titel"_s, indent) == titleChain);
        }
    }
}

// Code of nearly the reader's whole length, in some nine hundred statements
// of Msg and several of Titel, reads back to the message and title.
void TestLongLines::longCodeReadsBack() {
    msgbox::Value value;
    value.buttons = msgbox::Buttons::AbortRetryIgnore;
    value.defaultButton = msgbox::DefaultButton::Second;
    value.title = u"Titel mit \"Anführung\" "_s.repeated(200);
    value.message =
        (u"Zeile mit \"Anführung\" und \U0001F600 "_s.repeated(800) + u"\r\n"_s).repeated(33);
    for (int style = 0; style <= 3; ++style) {
        value.code = msgbox::CodeStyle(style);
        const QString code = gen::generateCode(value);
        QVERIFY(code.size() < MaxSourceLength && code.count(u'\r') > 800);
        const auto result = readMsgBoxCall(code, value.code);
        QVERIFY(std::holds_alternative<ReadCall>(result));
        const msgbox::Value& read = std::get<ReadCall>(result).value;
        QCOMPARE(read.title, value.title);
        QCOMPARE(read.message, value.message.chopped(2));
    }
}

QTEST_GUILESS_MAIN(TestLongLines)
#include "tst_longlines.moc"
