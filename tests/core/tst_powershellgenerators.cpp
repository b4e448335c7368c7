// The code of PowerShell, as expected texts: the structures and what its
// strings escape. PowerShell itself runs it in tst_powershellruns.
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

const QString addType = u"Add-Type -AssemblyName System.Windows.Forms"_s;
const QString show = u"[System.Windows.Forms.MessageBox]::Show("_s;

// A PowerShell fragment: the assembly first, then these lines.
QString script(const QStringList& parts) {
    return lines(QStringList{addType} + parts);
}

QString forms(const QString& type, const QString& member) {
    return u"[System.Windows.Forms.%1]::%2"_s.arg(type, member);
}

} // namespace

class TestPowerShellGenerators : public QObject {
    Q_OBJECT

private slots:
    void code_data();
    void code();
};

void TestPowerShellGenerators::code_data() {
    QTest::addColumn<Box>("box");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    const QString yes = forms(u"DialogResult"_s, u"Yes"_s);
    const QString no = forms(u"DialogResult"_s, u"No"_s);
    QTest::newRow("switch with labels in parentheses")
        << Box{CodeStyle::SelectCase, Buttons::YesNo, Icon::Question, DefaultButton::Second}
        << u"Frage"_s << u"Weiter?"_s
        << script({u"switch ("_s + show + u"\"Weiter?\", \"Frage\", "_s +
                       forms(u"MessageBoxButtons"_s, u"YesNo"_s) + u", "_s +
                       forms(u"MessageBoxIcon"_s, u"Question"_s) + u", "_s +
                       forms(u"MessageBoxDefaultButton"_s, u"Button2"_s) + u")) {"_s,
                   u"    ("_s + yes + u") {"_s, u"        # Ja"_s, u"    }"_s,
                   u"    ("_s + no + u") {"_s, u"        # Nein"_s, u"    }"_s, u"}"_s});
    QTest::newRow("if with two buttons, system modal as a comment line")
        << Box{CodeStyle::IfThenElse, Buttons::OkCancel, Icon::None, DefaultButton::First, true}
        << u"T"_s << u"Zeile 1\r\nZeile 2"_s
        << script({u"# SystemModal gibt es bei MessageBox.Show nicht."_s,
                   u"if ("_s + show + u"\"Zeile 1`r`nZeile 2\", \"T\", "_s +
                       forms(u"MessageBoxButtons"_s, u"OKCancel"_s) + u") -eq "_s +
                       forms(u"DialogResult"_s, u"OK"_s) + u") {"_s,
                   u"    # OK"_s, u"} else {"_s, u"    # Abbrechen"_s, u"}"_s});
    QTest::newRow("if with three buttons, help")
        << Box{CodeStyle::IfThenElse,
               Buttons::YesNoCancel,
               Icon::Exclamation,
               DefaultButton::First,
               false,
               true}
        << u"T"_s << u"M"_s
        << script({u"$antwort = "_s + show + u"\"M\", \"T\", "_s +
                       forms(u"MessageBoxButtons"_s, u"YesNoCancel"_s) + u", "_s +
                       forms(u"MessageBoxIcon"_s, u"Warning"_s) + u", "_s +
                       forms(u"MessageBoxDefaultButton"_s, u"Button1"_s) + u", "_s +
                       u"[System.Windows.Forms.MessageBoxOptions]0, $true)"_s,
                   u"if ($antwort -eq "_s + yes + u") {"_s, u"    # Ja"_s,
                   u"} elseif ($antwort -eq "_s + no + u") {"_s, u"    # Nein"_s, u"} else {"_s,
                   u"    # Abbrechen"_s, u"}"_s});
    QTest::newRow("VBS is the call alone")
        << Box{CodeStyle::Vbs, Buttons::RetryCancel, Icon::None, DefaultButton::First} << u"T"_s
        << u"M"_s
        << script({u"$antwort = "_s + show + u"\"M\", \"T\", "_s +
                   forms(u"MessageBoxButtons"_s, u"RetryCancel"_s) + u")"_s});
    QTest::newRow("OK is [void]") << Box{} << QString() << QString()
                                  << script({u"[void]"_s + show + u"\"\", \"\")"_s});
    // Backticks before ` $ " and the typographic quotes; $([char]..) for
    // control characters, line separators, a lone surrogate and what
    // Windows-1252 reading breaks (Ä, the em dash, an emoji as two halves);
    // ö, ß and other scripts as they are.
    QTest::newRow("escapes")
        << Box{} << u"$a „b“ ”c"_s << u"`$x\"\t\u0007\u0085\u2028\xD800 Ä—ößЖ\U0001F600\U0001F604"_s
        << script({u"[void]"_s + show +
                   u"\"```$x`\"$([char]0x9)$([char]0x7)$([char]0x85)$([char]0x2028)$([char]0xD800) "
                   u"$([char]0xC4)$([char]0x2014)ößЖ\U0001F600$([char]0xD83D)$([char]0xDE04)\", "
                   u"\"`$a `„b`“ `”c\")"_s});
    QTest::newRow("long message, a statement per line, an empty last line none")
        << Box{CodeStyle::Einfach, Buttons::Ok, Icon::Critical, std::nullopt} << u"T"_s
        << u"Erste Zeile mit genug Text, um in $msg zu gehen\r\n\r\nEnde\r\n\r\n"_s
        << script({u"$msg = \"Erste Zeile mit genug Text, um in `$msg zu gehen`r`n\""_s,
                   u"$msg += \"`r`n\""_s, u"$msg += \"Ende`r`n\""_s,
                   u"[void]"_s + show + u"$msg, \"T\", "_s +
                       forms(u"MessageBoxButtons"_s, u"OK"_s) + u", "_s +
                       forms(u"MessageBoxIcon"_s, u"Error"_s) + u")"_s});
}

void TestPowerShellGenerators::code() {
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
    QCOMPARE(gen::generateCode(value, gen::Language::PowerShell), expected);
}

QTEST_GUILESS_MAIN(TestPowerShellGenerators)
#include "tst_powershellgenerators.moc"
