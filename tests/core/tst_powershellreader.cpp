// The code reader on hand-written PowerShell: what it reads, with the code
// style the text tells, and what it refuses, by reason and place. What it
// reads, PowerShell 7 runs too (against the stand-in MessageBox of
// tests/core/powershell/, where the text calls MessageBox.Show and uses
// nothing Windows PowerShell 5.1 lacks): Show must get the text, caption,
// buttons, icon, default button and help flag that the reader read.
#include "core/codereader.h"
#include "core/linebreaks.h"
#include "core/msgbox.h"
#include "tests/core/enginevariants.h"

#include <QFile>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

constexpr int NotTold = -1;
constexpr int SC = int(msgbox::CodeStyle::SelectCase);
constexpr int IF = int(msgbox::CodeStyle::IfThenElse);
constexpr int EI = int(msgbox::CodeStyle::Einfach);

QString ps(const QStringList& lines) {
    return lines.join(u"\r\n"_s);
}

const QString show = u"[System.Windows.Forms.MessageBox]::Show("_s;

QString forms(QStringView type, QStringView member) {
    return u"[System.Windows.Forms.%1]::%2"_s.arg(type, member);
}

} // namespace

class TestPowerShellReader : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
    void powerShellAgrees();
};

namespace {

struct ReadRow {
    const char* name;
    QString text;
    int style; // told, or NotTold
    int value;
    QString title;
    QString message;
};

std::vector<ReadRow> readRows() {
    const QString yesNo = forms(u"MessageBoxButtons", u"YesNo");
    const QString yes = forms(u"DialogResult", u"Yes");
    return {
        {"switch on the call, labels in parentheses",
         ps({u"Add-Type -AssemblyName System.Windows.Forms"_s,
             u"switch ("_s + show + u"'Weiter?', 'Frage', "_s + yesNo + u", "_s +
                 forms(u"MessageBoxIcon", u"Question") + u")) {"_s,
             u"    ("_s + yes + u") { }"_s, u"    default { }"_s, u"}"_s}),
         SC, 36, u"Frage"_s, u"Weiter?"_s},
        {"if on the call, -eq, any letter case",
         u"if ([system.windows.forms.messagebox]::show(\"x\", \"T\", 'OKCancel') -eq 'OK') { }"_s,
         IF, 1, u"T"_s, u"x"_s},
        {"answer tested by if and elseif",
         ps({u"$antwort = [Windows.Forms.MessageBox]::Show('x', 'T', 3)"_s,
             u"if ($Antwort -eq "_s + yes + u") {"_s, u"} elseif ($antwort -eq 'No') {"_s,
             u"} else { }"_s}),
         IF, 3, u"T"_s, u"x"_s},
        {"answer tested by switch on string labels",
         ps({u"[System.Windows.Forms.DialogResult]$a = "_s + show + u"'x', 'T', "_s + yesNo +
                 u")"_s,
             u"switch ($a) { 'Yes' { } 'No' { } }"_s}),
         SC, 4, u"T"_s, u"x"_s},
        {"answer kept: einfach", u"$antwort = "_s + show + u"'x', 'T', 'RetryCancel', 'Error')"_s,
         EI, 21, u"T"_s, u"x"_s},
        {"[void], using namespace, flag list, cast, -bor",
         ps({u"using namespace System.Windows.Forms"_s,
             u"[void][MessageBox]::Show('x', 'T', [MessageBoxButtons]::OK, ([MessageBoxIcon]16 "
             u"-bor 0), [MessageBoxDefaultButton]'Button1', [MessageBoxOptions]'0')"_s}),
         NotTold, 16, u"T"_s, u"x"_s},
        {"owner first, told by where an enum stands",
         u"[void]"_s + show + u"$null, 'x', 'T', 'OK', "_s +
             forms(u"MessageBoxIcon", u"Information") + u", 512)"_s,
         NotTold, 64 + 512, u"T"_s, u"x"_s},
        {"help file",
         u"[void]"_s + show +
             u"'x', 'T', 0, 0, 0, [System.Windows.Forms.MessageBoxOptions]0, "
             u"'hilfe.chm')"_s,
         NotTold, 16384, u"T"_s, u"x"_s},
        {"single quotes, doubled, typographic ones too",
         u"[void]"_s + show + u"'It''s ‘’x’’ ‚‛', ‘T’)"_s, NotTold, 0, u"T"_s, u"It's ’x’ ‛"_s},
        {"double quotes: escapes, doubled and typographic quotes",
         u"[void]"_s + show + uR"("a`tb`"c`$d``e""f`q ““x”” „„y", “T”))"_s, NotTold, 0, u"T"_s,
         u"a\tb\"c$d`e\"fq “x” „y"_s},
        {"`u{} and `e", u"[void]"_s + show + uR"("`u{e4}`u{1F600}`e"))"_s, NotTold, 0, QString(),
         u"ä\U0001F600\x1B"_s},
        {"variables, ${}, $([char]), +, [char], NewLine, Empty",
         ps({u"[string]$msg = 'Zeile 1' + [Environment]::NewLine"_s,
             u"$MSG += \"Zeile 2$([char]0x21)${msg}\" + [char]13 + [char]10 + "
             u"[string]::Empty + 5"_s,
             u"$t = $null; $t += 'Ti' + $(\"tel\")"_s, u"[void]"_s + show + u"$msg, $t)"_s}),
         NotTold, 0, u"Titel"_s, u"Zeile 1\r\nZeile 2!Zeile 1\r\n\r\n5"_s},
        {"here-strings",
         ps({u"$x = 'ja'"_s, u"$m = @\""_s, u"Er sagte \"$x\" `$x"_s, u"\"@"_s,
             u"[void]"_s + show + u"$m + @'"_s, u"a $b ''"_s, u"c"_s, u"'@, \"T\")"_s}),
         NotTold, 0, u"T"_s, u"Er sagte \"ja\" $xa $b ''\r\nc"_s},
        {"comments, continued lines, a call in a block comment",
         ps({u"<# "_s + show + u"'nein') #>"_s, u"# "_s + show + u"'nein')"_s,
             u"[void]"_s + show + u"'ja', `"_s, u"    'T')  # Ende"_s}),
         NotTold, 0, u"T"_s, u"ja"_s},
        {"Popup on New-Object, sum",
         u"(New-Object -ComObject WScript.Shell).Popup(\"x\", 0, \"T\", 4 + 32)"_s, NotTold, 36,
         u"T"_s, u"x"_s},
        {"Popup through a variable, answer tested, no title",
         ps({u"$sh = New-Object -ComObject 'WScript.Shell'"_s, u"$a = $sh.Popup('x', 0)"_s,
             u"if ($a -eq 1) { }"_s}),
         IF, 0, QString(), u"x"_s},
        {"a value assigned in a script block stays in it",
         ps({u"$m = 'a'"_s, u"$sb = { $x = 'b' }; & $sb"_s, u"Write-Host $m"_s,
             u"[void]"_s + show + u"$m)"_s}),
         NotTold, 0, QString(), u"a"_s},
        {"lines go on after an operator and inside parentheses; ; and a hash literal",
         ps({u"$h = @{ a = 1 }; $t = 'T'"_s, u"$a = [System.Windows.Forms.MessageBox]::Show("_s,
             u"    \"x\", $t, [Windows.Forms.MessageBoxButtons]::YesNo,"_s,
             u"    [System.Windows.Forms.MessageBoxIcon]::Warning -bor"_s,
             u"    [System.Windows.Forms.MessageBoxIcon]::None)"_s,
             u"switch -Exact ($a) { \"Yes\" { } }"_s}),
         SC, 4 + 48, u"T"_s, u"x"_s},
        {"a loop that has ended, a function defined, its variable untouched",
         ps({u"$msg = 'a'"_s, u"foreach ($i in 1..3) { $n = $i }"_s,
             u"function Zeigen($text) { Write-Host $text }"_s, u"do { $z = 1 } while ($z -lt 1)"_s,
             u"[void]"_s + show + u"$msg)"_s}),
         NotTold, 0, QString(), u"a"_s},
    };
}

} // namespace

void TestPowerShellReader::reads_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    for (const ReadRow& row : readRows())
        QTest::newRow(row.name) << row.text << row.style << row.value << row.title << row.message;
}

void TestPowerShellReader::reads() {
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(int, value);
    QFETCH(QString, title);
    QFETCH(QString, message);

    const auto result = readMsgBoxCall(text, msgbox::CodeStyle::SelectCase);
    if (const auto* error = std::get_if<ReadError>(&result)) {
        QFAIL(qPrintable(error->text));
    }
    const ReadCall& call = std::get<ReadCall>(result);
    QCOMPARE(call.styleTold ? int(call.value.code) : NotTold, style);
    QCOMPARE(msgbox::styleValue(call.value) & ~int(msgbox::HelpButtonFlag),
             value & ~int(msgbox::HelpButtonFlag));
    QCOMPARE(call.value.helpButton, (value & msgbox::HelpButtonFlag) != 0);
    QCOMPARE(call.value.title, title);
    QCOMPARE(call.value.message, message);
}

void TestPowerShellReader::refuses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("at"); // the source text at the offset

    const QString yesNo = forms(u"MessageBoxButtons", u"YesNo");
    const QString unknown = u"Der Wert von msg hängt vom Programmablauf ab."_s;
    QTest::newRow("WPF")
        << u"[System.Windows.MessageBox]::Show('x')"_s
        << u"System.Windows.MessageBox ist die MessageBox von WPF; gelesen wird die von Windows "
           u"Forms."_s
        << u"[System.Windows"_s;
    QTest::newRow("[MessageBox] without using namespace")
        << u"[MessageBox]::Show('x')"_s
        << u"[MessageBox] kennt PowerShell nur nach „using namespace System.Windows.Forms“."_s
        << u"[Mess"_s;
    QTest::newRow("switch label without parentheses")
        << ps({u"switch ("_s + show + u"'x', 'T', "_s + yesNo + u")) {"_s,
               u"    [System.Windows.Forms.DialogResult]::Yes { }"_s, u"}"_s})
        << u"Die Marke [System.Windows.Forms.DialogResult]::Yes steht ohne Klammern: switch "
           u"liest sie als Zeichenkette, die nie zutrifft."_s
        << u"[System.Windows.Forms.DialogResult]::Yes {"_s;
    QTest::newRow("Popup waits")
        << u"(New-Object -ComObject WScript.Shell).Popup('x', 5, 'T', 4)"_s
        << u"Popup wartet hier 5 Sekunden und schließt sich dann von selbst; eine Wartezeit "
           u"kennt das Fenster nicht."_s
        << u"5,"_s;
    QTest::newRow("Popup's timeout tested")
        << ps({u"$sh = New-Object -ComObject WScript.Shell"_s,
               u"switch ($sh.Popup('x', 0, 'T', 4)) { 6 { } -1 { } }"_s})
        << u"Der Vergleich mit -1 fragt das Ende der Wartezeit von Popup ab; eine Wartezeit kennt "
           u"das Fenster nicht."_s
        << u"-1 {"_s;
    QTest::newRow("options the window cannot show, as a list in a string")
        << show + u"'x', 'T', 'OK', 'None', 'Button1', 'ServiceNotification, RightAlign')"_s
        << u"MessageBoxOptions.ServiceNotification kann das Fenster nicht darstellen."_s
        << u"'ServiceNotification,"_s;
    QTest::newRow("an enum of another type")
        << show + u"'x', 'T', [System.Windows.Forms.MessageBoxIcon]::Error)"_s
        << u"MessageBoxIcon.Error ist kein Wert von MessageBoxButtons."_s
        << u"System.Windows.Forms.MessageBoxIcon"_s;
    QTest::newRow("a subexpression")
        << show + u"\"Jetzt: $(Get-Date)\")"_s
        << u"Der Ausdruck in $( ) wird nicht ausgewertet; gelesen wird $([char]0x...)."_s
        << u"$(Get"_s;
    QTest::newRow("a number first adds")
        << show + u"5 + 'x')"_s << u"„+“ nach einer Zahl wird nicht ausgewertet."_s << u"+ 'x'"_s;
    QTest::newRow("`0") << show + u"\"a`0\")"_s
                        << u"Der Meldungstext enthält ein NUL-Zeichen (Chr(0))."_s << u"`0"_s;
    QTest::newRow("assigned in a branch")
        << ps({u"$msg = 'a'"_s, u"if ($x) {"_s, u"    $msg = 'b'"_s, u"}"_s,
               u"[void]"_s + show + u"$msg)"_s})
        << unknown << u"msg = 'b'"_s;
    QTest::newRow("assigned in a loop of a pipeline")
        << ps({u"$msg = 'a'"_s, u"1..3 | ForEach-Object { $msg = 'b' }"_s,
               u"[void]"_s + show + u"$msg)"_s})
        << unknown << u"msg = 'b'"_s;
    QTest::newRow("assigned in try")
        << ps({u"$msg = 'a'"_s, u"try { $msg = 'b' } catch { }"_s, u"[void]"_s + show + u"$msg)"_s})
        << unknown << u"msg = 'b'"_s;
    QTest::newRow("a type other than string")
        << ps({u"[int]$msg = 5"_s, u"[void]"_s + show + u"\"$msg\")"_s})
        << u"Der Wert von msg ist unbekannt: Die Deklaration gibt ihm einen anderen Typ als "
           u"String."_s
        << u"msg = 5"_s;
    QTest::newRow("assigned in a scope")
        << ps({u"$msg = 'a'"_s, u"$script:msg = 'b'"_s, u"[void]"_s + show + u"$msg)"_s})
        << u"Der Wert von msg ist unbekannt: Die Anweisung hier kann ihn ändern."_s
        << u"script:msg"_s;
    QTest::newRow("Set-Variable names it")
        << ps({u"$msg = 'a'"_s, u"Set-Variable -Name msg -Value 'b'"_s,
               u"[void]"_s + show + u"$msg)"_s})
        << u"Der Wert von msg ist unbekannt: Die Anweisung hier kann ihn ändern."_s
        << u"msg -Value"_s;
    QTest::newRow("a function of the text")
        << ps({u"function Aendern { $script:msg = 'b' }"_s, u"$msg = 'a'"_s, u"Aendern"_s,
               u"[void]"_s + show + u"$msg)"_s})
        << u"Der Wert von msg ist unbekannt: Die Anweisung hier kann ihn ändern."_s
        << u"Aendern\r"_s;
    QTest::newRow("a comment not closed")
        << show + u"'x' <# , 'T')"_s << u"Der Kommentar <# wird nicht geschlossen."_s << u"<#"_s;
    QTest::newRow("a string not closed")
        << show + u"'x)"_s << u"Die Zeichenkette ist nicht abgeschlossen."_s << u"'x)"_s;

    // --- values the window cannot show, and enum arguments of other forms ---
    const QString cannot = u" kann das Fenster nicht darstellen."_s;
    QTest::newRow("Button4")
        << show +
               u"'x', 'T', 'YesNo', 'None', [System.Windows.Forms.MessageBoxDefaultButton]::Button4)"_s
        << u"MessageBoxDefaultButton.Button4"_s + cannot << u"System.Windows.Forms.MessageBoxDef"_s;
    QTest::newRow("CancelTryContinue as a string")
        << show + u"'x', 'T', \"canceltrycontinue\")"_s
        << u"MessageBoxButtons.CancelTryContinue"_s + cannot << u"\"cancel"_s;
    QTest::newRow("a list where the enum has no flags")
        << show + u"'x', 'T', 'OK, YesNo')"_s
        << u"Eine Liste von Werten gibt es bei MessageBoxButtons nicht."_s << u"'OK, YesNo'"_s;
    QTest::newRow("a name the enum does not have")
        << show + u"'x', 'T', 'OK', 'Frage')"_s << u"Frage ist kein Wert von MessageBoxIcon."_s
        << u"'Frage'"_s;
    QTest::newRow("WPF's enum")
        << show + u"'x', 'T', [System.Windows.MessageBoxButton]::YesNo)"_s
        << u"System.Windows.MessageBoxButton.YesNo gehört zur MessageBox von WPF; gelesen wird "
           u"die von Windows Forms."_s
        << u"[System.Windows.MessageBoxButton]"_s;
    QTest::newRow("an enum in a variable")
        << ps({u"$b = 'YesNo'"_s, show + u"'x', 'T', $b)"_s})
        << u"Der Wert von $b wird hier nicht ausgewertet."_s << u"b)"_s;

    // --- texts the reader does not evaluate ---
    QTest::newRow("a command") << show + u"(Read-Host))"_s
                               << u"Der Befehl Read-Host wird nicht ausgewertet."_s
                               << u"Read-Host"_s;
    QTest::newRow("a member") << show + u"$msg.Trim())"_s << u"$msg.Trim wird nicht ausgewertet."_s
                              << u"msg.Trim"_s;
    QTest::newRow("a method") << show + u"[string]::Join(',', 'a'))"_s
                              << u"Die Funktion [string]::Join wird nicht ausgewertet."_s
                              << u"[string]::Join"_s;
    QTest::newRow("another cast") << show + u"[int]'5')"_s
                                  << u"Die Umwandlung in [int] wird nicht ausgewertet."_s
                                  << u"[int]'5'"_s;
    QTest::newRow("$true") << show + u"$true)"_s << u"$true ist kein Text."_s << u"true)"_s;
    QTest::newRow("`u{} not closed")
        << show + u"\"a`u{41\")"_s << u"Die Escape-Folge `u{...} ist unvollständig."_s
        << u"`u{41"_s;
    QTest::newRow("[char] beyond 0xFFFF")
        << show + u"[char]0x1F600)"_s << u"[char]128512 gibt es nicht."_s << u"0x1F600"_s;
    QTest::newRow("Popup with five arguments")
        << u"(New-Object -ComObject WScript.Shell).Popup('x', 0, 'T', 0, 1)"_s
        << u"Popup hat höchstens vier Argumente."_s << u"1)"_s;
    // PowerShell cannot make the int of the type from a sum below its range.
    QTest::newRow("Popup's type below the 32-bit range")
        << u"(New-Object -ComObject WScript.Shell).Popup('x', 0, 'T', 0x80000000 + 0x80000000)"_s
        << u"Die Summe ist zu groß (Überlauf)."_s << u"+ 0x8"_s;
    QTest::newRow("Popup waits as long as a variable says")
        << ps({u"$sh = New-Object -ComObject WScript.Shell"_s, u"$sh.Popup('x', $s)"_s})
        << u"Die Wartezeit von Popup wird nicht ausgewertet."_s << u"s)"_s;
    QTest::newRow("Popup with a type the window cannot show")
        << u"(New-Object -ComObject WScript.Shell).Popup('x', 0, 'T', 768)"_s
        << u"Den Standardschaltflächenwert 768"_s + cannot << u"768"_s;
    QTest::newRow("no call") << u"$sh = New-Object -ComObject Excel.Application"_s
                             << u"Im Text steht kein Aufruf von [System.Windows.Forms.MessageBox]"
                                u"::Show oder Popup."_s
                             << u"$sh"_s;
}

void TestPowerShellReader::refuses() {
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QFETCH(QString, at);

    const auto result = readMsgBoxCall(text, msgbox::CodeStyle::SelectCase);
    if (std::holds_alternative<ReadCall>(result)) {
        QFAIL("read");
    }
    const ReadError& error = std::get<ReadError>(result);
    QCOMPARE(error.reason, reason);
    QVERIFY2(QStringView(text).sliced(error.offset).startsWith(at),
             qPrintable(text.mid(error.offset, 40)));
}

// Every row of reads_data that PowerShell 7 can run here, in one start of
// PowerShell: MessageBox.Show gets what the reader read.
void TestPowerShellReader::powerShellAgrees() {
    using namespace veltrano::enginetest;
    if (const QString missing = dotnetMissing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    const std::vector<ReadRow> rows = readRows();
    QByteArray fragments;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QString code = rows[i].text;
        // Popup needs COM, the stand-in has no help files, and `u{ is not
        // in Windows PowerShell 5.1, which the harness refuses.
        if (code.contains(u"Popup("_s) || code.contains(u"hilfe.chm"_s) || code.contains(u"`u{"_s))
            continue;
        // Windows Forms is loaded after the using lines, which come first.
        qsizetype at = 0;
        while (code.sliced(at).startsWith(u"using "_s))
            at = code.indexOf(u'\n', at) + 1;
        code.insert(at, u"Add-Type -AssemblyName System.Windows.Forms\r\n"_s);
        fragments += "#@ r" + QByteArray::number(qulonglong(i)) + "\r\n" + code.toUtf8() + "\r\n";
    }
    QStringList records;
    runPowerShellFragments(u"powershellreader"_s, fragments, records);
    if (QTest::currentTestFailed())
        return;
    int checked = 0;
    for (const QString& line : std::as_const(records)) {
        // PowerShell 7's run with the first answer: pass, id, answer, calls,
        // Add-Type, text, caption, buttons, icon, default, options, help ...
        const QStringList r = line.split(u'\t');
        if (r.size() != 15 || r[0] != u"7" || r[2] != u"0")
            continue;
        const ReadRow& row = rows[r[1].sliced(1).toULongLong()];
        const QString where = QString::fromUtf8(row.name) + u": "_s + fromHex(r[14]);
        const auto read = readMsgBoxCall(row.text, msgbox::CodeStyle::SelectCase);
        QVERIFY2(std::holds_alternative<ReadCall>(read) && r[3] == u"1", qPrintable(where));
        const msgbox::Value& v = std::get<ReadCall>(read).value;
        QCOMPARE(linebreaks::normalized(fromHex(r[5]), u"\r\n"), v.message);
        QCOMPARE(fromHex(r[6]), v.title);
        QCOMPARE(r.mid(7, 3),
                 (QStringList{QString::number(int(v.buttons)), QString::number(int(v.icon)),
                              QString::number(
                                  int(v.defaultButton.value_or(msgbox::DefaultButton::First)))}));
        QCOMPARE(r[11], v.helpButton ? u"1"_s : u"0"_s);
        ++checked;
    }
    QVERIFY2(checked >= 12, qPrintable(QString::number(checked)));
}

QTEST_GUILESS_MAIN(TestPowerShellReader)
#include "tst_powershellreader.moc"
