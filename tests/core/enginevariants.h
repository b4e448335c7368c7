#pragma once

// The boxes whose generated code the engine tests run in the language's
// real engine (tests/core/tst_powershellruns.cpp, tst_vbnetcompiles.cpp),
// and what the engine's stand-in for the box must have been given.
#include "core/msgbox.h"
#include "core/msgboxtables.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace veltrano::enginetest {

using namespace Qt::StringLiterals;

struct Variant {
    QString name;
    msgbox::Value value;
};

// Every button set in every code style with every icon; the default
// button, the two flags, the message and the title change from one to the
// next, so that each of them meets many structures. The texts hold what a
// literal must escape: quotes, $, backticks, backslashes, tabs, control
// characters, Unicode's line ends, a lone surrogate, typographic quotes,
// letters and dashes whose UTF-8 holds the bytes Windows-1252 shows as
// quotes, emoji, other scripts, lone CR and LF, long messages and titles.
inline std::vector<Variant> variants() {
    const QString messages[] = {
        u"Weiter?"_s,
        u"Er sagte \"ja\" zu $HOME, $(Get-Date) und `n in C:\\Temp\\neu\\\tEnde"_s,
        u"Steuerzeichen \u0001\u0007\u001B\u007F, NEL \u0085, LS \u2028, PS \u2029, \xD800"_s,
        u"„Ä“ sagte er — ”y” – Größe: Ελληνικά, Русский (Д), 日本語, עברית, \U0001F600 \U0001F604"_s,
        u"Zeile 1 mit „Anführung“ und \"Quote\" und $x und `\r\n\r\nZeile 3 — Ende\tTab\r\n"_s +
            u"Wiederholung $([char]0x41) `$ \u0085 Д \U0001F604 ＂ "_s.repeated(8) +
            u"lang "_s.repeated(600) + u"\r\n\r\n"_s,
        u"A\rB\nC\r\n"_s,
        QString(),
    };
    const QString titles[] = {
        QString(),
        u"Frage \"wichtig\" $x `y` \\ ${env:PATH}"_s,
        u"Ärger — „gut“ \U0001F604\tTab ＂"_s,
        u"Langer Titel „Ä“ $ ` \" — "_s.repeated(4) + u"Titel "_s.repeated(300),
        u"Titel\r\nmit Umbruch"_s,
    };
    const char* const styles[] = {"select", "if", "einfach", "vbs"};
    std::vector<Variant> list;
    int n = 0;
    for (int style = 0; style < 4; ++style) {
        for (int buttons = 0; buttons <= 5; ++buttons) {
            for (const int icon : {0, 16, 32, 48, 64}) {
                Variant v;
                v.value.code = msgbox::CodeStyle(style);
                v.value.buttons = msgbox::Buttons(buttons);
                v.value.icon = msgbox::Icon(icon);
                if (n % 4 > 0)
                    v.value.defaultButton = msgbox::DefaultButton((n % 4 - 1) * 256);
                v.value.systemModal = (n / 3) % 2;
                v.value.helpButton = (n / 6) % 2;
                v.value.message = messages[n % std::size(messages)];
                v.value.title = titles[(n / 2) % std::size(titles)];
                v.name = u"v%1 %2, set %3, icon %4, default %5%6%7, message %8, title %9"_s.arg(n)
                             .arg(QLatin1StringView(styles[style]))
                             .arg(buttons)
                             .arg(icon)
                             .arg(n % 4 > 0 ? QString::number((n % 4 - 1) * 256) : u"-"_s)
                             .arg(v.value.systemModal ? u", modal"_s : QString())
                             .arg(v.value.helpButton ? u", help"_s : QString())
                             .arg(n % std::size(messages))
                             .arg((n / 2) % std::size(titles));
                list.push_back(v);
                ++n;
            }
        }
    }
    return list;
}

// The message as the box shows it: each line break as CR LF, a break at the
// very end closing the last line (core/messagelines.h).
inline QString shownMessage(const QString& message) {
    QString text = message;
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').replace(u"\n"_s, u"\r\n"_s);
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    return text;
}

// The branch the code takes for the answer at that place of the set: its
// caption, as its comment says; none where the structure has no branches.
inline QString branchTaken(const msgbox::Value& value, int answerIndex) {
    const auto answers = msgbox::facts(value.buttons).answers();
    const bool branches =
        value.code == msgbox::CodeStyle::SelectCase || value.code == msgbox::CodeStyle::IfThenElse;
    if (answers.size() < 2 || !branches)
        return {};
    return msgbox::facts(answers[std::size_t(answerIndex)]).caption.toString();
}

// A text the engine wrote as hex UTF-16 code units; "-" for none.
inline QString fromHex(const QString& hex) {
    QString text;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
        text += QChar(char16_t(hex.mid(i, 4).toUShort(nullptr, 16)));
    return text;
}

// A private folder under the test's own build folder, never under /tmp.
inline QString privateTempTemplate(const QString& name) {
    return QCoreApplication::applicationDirPath() + u'/' + name + u"-XXXXXX"_s;
}

// The environment of an engine: quiet, no telemetry, no update checks, its
// temporary files in the test's folder.
inline QProcessEnvironment engineEnvironment(const QString& tempDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"TMPDIR"_s, tempDir);
    env.insert(u"DOTNET_CLI_TELEMETRY_OPTOUT"_s, u"1"_s);
    env.insert(u"DOTNET_NOLOGO"_s, u"1"_s);
    env.insert(u"DOTNET_SKIP_FIRST_TIME_EXPERIENCE"_s, u"1"_s);
    env.insert(u"POWERSHELL_TELEMETRY_OPTOUT"_s, u"1"_s);
    env.insert(u"POWERSHELL_UPDATECHECK"_s, u"Off"_s);
    env.insert(u"NO_COLOR"_s, u"1"_s); // plain error messages
    return env;
}

// Why an engine test cannot run here, for the skip message; empty where it
// can.
inline QString dotnetMissing() {
    if (QStandardPaths::findExecutable(u"dotnet"_s).isEmpty())
        return u"dotnet (the .NET SDK) is missing, so the generated code cannot run here"_s;
    return {};
}

#ifdef VELTRANO_PS_HARNESS
// Runs PowerShell fragments (each after its line "#@ id") in one start of
// PowerShell 7, whose harness gives each box to a recorder, and gives the
// lines of the records. A failure fails the calling test.
inline void runPowerShellFragments(const QString& tempName, const QByteArray& fragments,
                                   QStringList& records) {
    const QString pwsh = QStringLiteral(VELTRANO_PWSH);
    QVERIFY2(QFile::exists(pwsh),
             qPrintable(pwsh + u" is missing: run scripts/setup-powershell.sh"_s));
    QTemporaryDir dir(privateTempTemplate(tempName));
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(u"fragments.ps1"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(fragments) == fragments.size());
    file.close();

    QProcess engine;
    engine.setProcessEnvironment(engineEnvironment(dir.path()));
    engine.setStandardInputFile(QProcess::nullDevice());
    engine.setProcessChannelMode(QProcess::MergedChannels);
    const QString out = dir.filePath(u"records.txt"_s);
    engine.start(pwsh, {u"-NoProfile"_s, u"-NonInteractive"_s, u"-File"_s,
                        QStringLiteral(VELTRANO_PS_HARNESS), u"-Fragments"_s, file.fileName(),
                        u"-Out"_s, out, u"-StubDll"_s, QStringLiteral(VELTRANO_PS_STUB_DLL)});
    QVERIFY2(engine.waitForFinished(240000), "PowerShell did not finish");
    QVERIFY2(engine.exitStatus() == QProcess::NormalExit && engine.exitCode() == 0,
             engine.readAll().left(4000).constData());
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    records = QString::fromUtf8(written.readAll()).split(u'\n');
}
#endif

} // namespace veltrano::enginetest
