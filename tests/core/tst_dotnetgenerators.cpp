// The code of VB.NET and C#, as expected texts. The compilers check them
// too (tst_vbnetcompiles, tst_csharpcompiles).
#include "boxrows.h"
#include "core/generators.h"

#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

using msgbox::Buttons;
using msgbox::CodeStyle;
using msgbox::DefaultButton;
using msgbox::Icon;

} // namespace

class TestDotNetGenerators : public QObject {
    Q_OBJECT

private slots:
    void code_data();
    void code();
};

void TestDotNetGenerators::code_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<Box>("box");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    const int vb = int(gen::Language::VbNet);
    const int cs = int(gen::Language::CSharp);
    const Box question{CodeStyle::SelectCase, Buttons::YesNo, Icon::Question,
                       DefaultButton::Second};
    // A long message: typographic quotes, a line separator, a control
    // character, a lone surrogate, backslash and tab, an empty line.
    const QString awkward = u"Datei „a.txt“ \"x\" \\\t\u2028\u0007\xD800 fehlt, wirklich!"_s +
                            u"\r\n\r\nEnde\r\n\r\n"_s;

    QTest::newRow("vb: Select Case")
        << vb << question << u"Frage"_s << u"Weiter?"_s
        << lines({u"Select Case MsgBox(\"Weiter?\", MsgBoxStyle.Question Or MsgBoxStyle.YesNo Or "
                  u"MsgBoxStyle.DefaultButton2, \"Frage\")"_s,
                  u"Case MsgBoxResult.Yes"_s, u"    ' Ja"_s, u"Case MsgBoxResult.No"_s,
                  u"    ' Nein"_s, u"End Select"_s});
    QTest::newRow("vb: If with two buttons, both flags")
        << vb << Box{CodeStyle::IfThenElse,
                     Buttons::OkCancel,
                     Icon::None,
                     DefaultButton::First,
                     true,
                     true}
        << QString() << u"Zeile 1\r\nZeile 2"_s
        << lines({u"If MsgBox(\"Zeile 1\" & vbCrLf & \"Zeile 2\", MsgBoxStyle.OkCancel Or "
                  u"MsgBoxStyle.DefaultButton1 Or MsgBoxStyle.SystemModal Or "
                  u"MsgBoxStyle.MsgBoxHelp, \"\") = MsgBoxResult.Ok Then"_s,
                  u"    ' OK"_s, u"Else"_s, u"    ' Abbrechen"_s, u"End If"_s});
    QTest::newRow("vb: If with three buttons")
        << vb
        << Box{CodeStyle::IfThenElse, Buttons::AbortRetryIgnore, Icon::Critical,
               DefaultButton::Third}
        << u"T"_s << u"M"_s
        << lines({u"Dim Antwort As MsgBoxResult = MsgBox(\"M\", MsgBoxStyle.Critical Or "
                  u"MsgBoxStyle.AbortRetryIgnore Or MsgBoxStyle.DefaultButton3, \"T\")"_s,
                  u"If Antwort = MsgBoxResult.Abort Then"_s, u"    ' Abbruch"_s,
                  u"ElseIf Antwort = MsgBoxResult.Retry Then"_s, u"    ' Wiederholen"_s, u"Else"_s,
                  u"    ' Ignorieren"_s, u"End If"_s});
    QTest::newRow("vb: VBS is the call alone")
        << vb << Box{CodeStyle::Vbs, Buttons::RetryCancel, Icon::Information, DefaultButton::First}
        << u"T"_s << u"M"_s
        << u"Dim Antwort As MsgBoxResult = MsgBox(\"M\", MsgBoxStyle.Information Or "
           u"MsgBoxStyle.RetryCancel Or MsgBoxStyle.DefaultButton1, \"T\")"_s;
    QTest::newRow("vb: OK before any choice")
        << vb << Box{} << QString() << QString() << u"MsgBox(\"\", MsgBoxStyle.OkOnly, \"\")"_s;
    QTest::newRow("vb: long message, a literal per line")
        << vb << Box{CodeStyle::Einfach, Buttons::Ok, Icon::None, std::nullopt} << u"„Titel“"_s
        << awkward
        << lines({u"Dim Msg As String = \"Datei „a.txt\" & ChrW(&H201C) & \" \"\"x\"\" \\\t\" & "
                  u"ChrW(&H2028) & ChrW(&H7) & ChrW(&HD800) & \" fehlt, wirklich!\" & vbCrLf"_s,
                  u"Msg &= vbCrLf"_s, u"Msg &= \"Ende\" & vbCrLf"_s,
                  u"MsgBox(Msg, MsgBoxStyle.OkOnly, \"„Titel\" & ChrW(&H201C))"_s});

    QTest::newRow("cs: switch")
        << cs << question << u"Frage"_s << u"Weiter?"_s
        << lines({u"switch (MessageBox.Show(\"Weiter?\", \"Frage\", MessageBoxButtons.YesNo, "
                  u"MessageBoxIcon.Question, MessageBoxDefaultButton.Button2))"_s,
                  u"{"_s, u"    case DialogResult.Yes:"_s, u"        // Ja"_s, u"        break;"_s,
                  u"    case DialogResult.No:"_s, u"        // Nein"_s, u"        break;"_s,
                  u"}"_s});
    QTest::newRow("cs: if with two buttons, system modal as a comment")
        << cs
        << Box{CodeStyle::IfThenElse, Buttons::RetryCancel, Icon::None, DefaultButton::First, true}
        << u"T"_s << u"Zeile 1\r\nZeile 2"_s
        << lines({u"// SystemModal gibt es bei MessageBox.Show nicht."_s,
                  u"if (MessageBox.Show(\"Zeile 1\\nZeile 2\", \"T\", "
                  u"MessageBoxButtons.RetryCancel) == DialogResult.Retry)"_s,
                  u"{"_s, u"    // Wiederholen"_s, u"}"_s, u"else"_s, u"{"_s, u"    // Abbrechen"_s,
                  u"}"_s});
    QTest::newRow("cs: if with three buttons, help")
        << cs << Box{CodeStyle::IfThenElse,
                     Buttons::YesNoCancel,
                     Icon::Exclamation,
                     DefaultButton::First,
                     false,
                     true}
        << u"T"_s << u"M"_s
        << lines({u"DialogResult antwort = MessageBox.Show(\"M\", \"T\", "
                  u"MessageBoxButtons.YesNoCancel, MessageBoxIcon.Warning, "
                  u"MessageBoxDefaultButton.Button1, 0, true);"_s,
                  u"if (antwort == DialogResult.Yes)"_s, u"{"_s, u"    // Ja"_s, u"}"_s,
                  u"else if (antwort == DialogResult.No)"_s, u"{"_s, u"    // Nein"_s, u"}"_s,
                  u"else"_s, u"{"_s, u"    // Abbrechen"_s, u"}"_s});
    QTest::newRow("cs: einfach, no icon before a default button")
        << cs << Box{CodeStyle::Einfach, Buttons::YesNo, Icon::None, DefaultButton::Second}
        << u"T"_s << u"M"_s
        << u"DialogResult antwort = MessageBox.Show(\"M\", \"T\", MessageBoxButtons.YesNo, "
           u"MessageBoxIcon.None, MessageBoxDefaultButton.Button2);"_s;
    QTest::newRow("cs: OK before any choice")
        << cs << Box{} << QString() << QString() << u"MessageBox.Show(\"\", \"\");"_s;
    QTest::newRow("cs: OK with an icon")
        << cs << Box{CodeStyle::Vbs, Buttons::Ok, Icon::Critical, std::nullopt} << u"T"_s << u"M"_s
        << u"MessageBox.Show(\"M\", \"T\", MessageBoxButtons.OK, MessageBoxIcon.Error);"_s;
    QTest::newRow("cs: long message, a literal per line")
        << cs << Box{CodeStyle::Einfach, Buttons::Ok, Icon::None, std::nullopt} << u"\"T\"\\"_s
        << awkward
        << lines({u"string msg = \"Datei „a.txt“ \\\"x\\\" \\\\\\t\\u2028\\u0007\\uD800 fehlt, "
                  u"wirklich!\\n\";"_s,
                  u"msg += \"\\n\";"_s, u"msg += \"Ende\\n\";"_s,
                  u"MessageBox.Show(msg, \"\\\"T\\\"\\\\\");"_s});
}

void TestDotNetGenerators::code() {
    QFETCH(int, language);
    QFETCH(Box, box);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, expected);

    msgbox::Value value;
    value.code = box.code;
    value.buttons = box.buttons;
    value.icon = box.icon;
    value.defaultButton = box.defaultButton;
    value.systemModal = box.systemModal;
    value.helpButton = box.helpButton;
    value.title = title;
    value.message = message;
    QCOMPARE(gen::generateCode(value, gen::Language(language)), expected);
}

QTEST_GUILESS_MAIN(TestDotNetGenerators)
#include "tst_dotnetgenerators.moc"
