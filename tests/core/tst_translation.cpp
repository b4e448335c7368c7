// Translation: one hand-written call per language the program writes, each
// with a message of three lines, quotes and umlauts, is read, written in
// every language and read back. Each of the 36 pairs gives the first value
// again, as far as the target language can say it. They go the way of the
// window: the value read is applied to its definition, whose code is copied.

#include "core/codereader.h"
#include "core/definition.h"
#include "core/generators.h"
#include "core/languages.h"
#include "core/msgbox.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

class TestTranslation : public QObject {
    Q_OBJECT

private slots:
    void everyLanguageIntoEvery_data();
    void everyLanguageIntoEvery();
};

namespace {

QString lines(const QStringList& l) {
    return l.join(u"\r\n"_s);
}

QString described(const msgbox::Value& v) {
    return u"style %1 code %2 title [%3] message [%4]"_s.arg(msgbox::styleValue(v))
        .arg(int(v.code))
        .arg(v.title, QString(v.message).replace(u"\r\n"_s, u"\\r\\n"_s));
}

} // namespace

void TestTranslation::everyLanguageIntoEvery_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style"); // the style value: icon, buttons, default button
    QTest::addColumn<int>("code");  // msgbox::CodeStyle
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    using lang::Language;
    using msgbox::CodeStyle;
    QTest::newRow("VBScript")
        << int(Language::Basic)
        << lines(
               {u"Select Case MsgBox(\"Die Datei \"\"Bericht.txt\"\" wurde geändert.\" & vbCrLf & _"_s,
                u"    \"Jetzt speichern?\" & vbCrLf & \"Größe: 3 KB\", _"_s,
                u"    vbYesNoCancel + vbExclamation + vbDefaultButton2, \"Änderungen\")"_s,
                u"Case vbYes"_s, u"    WScript.Echo \"ja\""_s, u"Case vbNo"_s, u"End Select"_s})
        << 3 + 48 + 256 << int(CodeStyle::SelectCase) << u"Änderungen"_s
        << u"Die Datei \"Bericht.txt\" wurde geändert.\r\nJetzt speichern?\r\nGröße: 3 KB"_s;
    QTest::newRow("VB.NET")
        << int(Language::VbNet)
        << lines(
               {u"Dim antwort As MsgBoxResult = MsgBox(\"Zeile ‚eins‘\" & ControlChars.CrLf & _"_s,
                u"    \"Sag \"\"ja\"\"\" & vbCrLf & \"Übermorgen\", MsgBoxStyle.YesNo Or "
                u"MsgBoxStyle.Question, \"Frage\")"_s,
                u"If antwort = MsgBoxResult.Yes Then"_s, u"End If"_s})
        << 4 + 32 << int(CodeStyle::IfThenElse) << u"Frage"_s
        << u"Zeile ‚eins‘\r\nSag \"ja\"\r\nÜbermorgen"_s;
    QTest::newRow("C#") << int(Language::CSharp)
                        << lines({u"string msg = \"Erste Zeile \\\"zitiert\\\"\\r\\n\" +"_s,
                                  u"    \"Zweite Zeile mit \\u00C4\\n\" + @\"Dritte \"\"Ö\"\"\";"_s,
                                  u"var r = MessageBox.Show(msg, \"Titel\", "
                                  u"MessageBoxButtons.RetryCancel, MessageBoxIcon.Error);"_s,
                                  u"if (r == DialogResult.Retry) { } else { }"_s})
                        << 5 + 16 << int(CodeStyle::IfThenElse) << u"Titel"_s
                        << u"Erste Zeile \"zitiert\"\r\nZweite Zeile mit Ä\r\nDritte \"Ö\""_s;
    QTest::newRow("LibreOffice Basic")
        << int(Language::LibreOffice)
        << lines(
               {u"Sub Main"_s,
                u"    Select Case MsgBox(\"Öffnen von \"\"a.odt\"\"\" & Chr(13) & \"ging schief\" "
                u"& Chr(13) & \"Nochmal?\", MB_ABORTRETRYIGNORE + MB_ICONSTOP + MB_DEFBUTTON3, "
                u"\"Fehler\")"_s,
                u"    Case IDABORT"_s, u"    Case IDRETRY"_s, u"    Case IDIGNORE"_s,
                u"    End Select"_s, u"End Sub"_s})
        << 2 + 16 + 512 << int(CodeStyle::SelectCase) << u"Fehler"_s
        << u"Öffnen von \"a.odt\"\r\nging schief\r\nNochmal?"_s;
    QTest::newRow("C/C++")
        << int(Language::C)
        << lines({u"int antwort = MessageBoxW(NULL, L\"Zeile 1: \\\"gr\\u00fc\\xdf\\\"\\n\""_s,
                  u"    L\"Zeile 2\\r\\n\" L\"Zeile 3 äöü\", L\"Hinweis\", "
                  u"MB_OKCANCEL | MB_ICONINFORMATION);"_s,
                  u"if (antwort == IDOK) {"_s, u"} else {"_s, u"}"_s})
        << 1 + 64 << int(CodeStyle::IfThenElse) << u"Hinweis"_s
        << u"Zeile 1: \"grüß\"\r\nZeile 2\r\nZeile 3 äöü"_s;
    QTest::newRow("PowerShell")
        << int(Language::PowerShell)
        << lines({u"Add-Type -AssemblyName System.Windows.Forms"_s,
                  u"$msg = 'Zeile 1 mit ''Apostroph'''"_s,
                  u"$msg += \"`r`nZeile 2 `\"zitiert`\" $([char]0xE4)\""_s,
                  u"$msg += [Environment]::NewLine + 'Zeile 3 – Ü'"_s,
                  u"switch ([System.Windows.Forms.MessageBox]::Show($msg, 'Frage', 'YesNoCancel', "
                  u"'Warning', 'Button3')) {"_s,
                  u"    'Yes' { }"_s, u"    'No' { }"_s, u"}"_s})
        << 3 + 48 + 512 << int(CodeStyle::SelectCase) << u"Frage"_s
        << u"Zeile 1 mit 'Apostroph'\r\nZeile 2 \"zitiert\" ä\r\nZeile 3 – Ü"_s;
}

void TestTranslation::everyLanguageIntoEvery() {
    QFETCH(int, language);
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(QString, message);

    const ReadResult first = readMsgBoxCall(text, msgbox::CodeStyle::Einfach);
    if (const auto* error = std::get_if<ReadError>(&first)) {
        QFAIL(qPrintable(error->text));
    }
    const ReadCall& call = std::get<ReadCall>(first);
    const msgbox::Value& value = call.value;
    QVERIFY2(call.styleTold, qPrintable(described(value)));
    QCOMPARE(msgbox::styleValue(value), style);
    QCOMPARE(int(value.code), code);
    QCOMPARE(value.title, title);
    QCOMPARE(value.message, message);
    QVERIFY(lang::facts(lang::Language(language)).readable);

    // As the window takes the call read and copies it in each language; it
    // names the first default button where the call names none.
    Definition window;
    window.apply(value);
    for (const lang::LanguageFacts& target : lang::languages()) {
        const QString written = gen::generateCode(window.value(), target.language);
        const ReadResult back = readMsgBoxCall(written, msgbox::CodeStyle::Einfach);
        const QString where = u"into "_s + target.name.toString() + u":\n"_s + written;
        if (const auto* error = std::get_if<ReadError>(&back)) {
            QFAIL(qPrintable(error->text + u'\n' + where));
        }
        const ReadCall& again = std::get<ReadCall>(back);
        QVERIFY2(again.value == lang::asWritten(window.value(), target.language, true),
                 qPrintable(described(again.value) + u'\n' + where));
    }
}

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
