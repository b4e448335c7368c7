#include "tests/core/enginecheck.h"

#include "core/messagelines.h"
#include "core/msgboxtables.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace veltrano::enginecheck {

QList<msgbox::Value> values(Texts texts) {
    QStringList messages = {
        u"Weiter?"_s,
        u"Er sagte \"ja\" in C:\\Temp\\neu\\ ?\?! ?\?/ \"\"\tund\r\nfertig\\"_s,
        u"Datei „a.txt“ ”b” ‘c’ \U0001F600 Ελληνικά Русский 日本語 العربية"_s,
        u"Zeile\u2028Trenner\u2029Absatz\u0085Ende\u007F\u009F"_s,
        u"Eine lange Meldung über \"mehrere\" Zeilen, die mit fünfzig Zeichen nicht "
        u"auskommt:\r\n\r\n\tC:\\Pfad\\\r\nEnde\r\n\r\n"_s,
        u"Lang \"ä\" \U0001F600 ?? "_s.repeated(150),
        (u"Zeile mit \"Anführung\" und \\ ä\r\n"_s).repeated(60),
    };
    QStringList titles = {QString(), u"Frage \"wichtig\" \\"_s, u"Ärger ?\?! \t\u2028 ✓"_s,
                          u"Titel \"lang\" ä \U0001F600 "_s.repeated(90)};
    if (texts.c0Controls)
        messages << u"Steuer\u0001\u0007\u001B\u001F7 Zeichen\u007F1"_s;
    if (texts.loneSurrogates) {
        messages << u"allein \xD800"
                    u"abc \xDC00"
                    u"9 \xD83D"_s;
        titles << u"\xDFFF"
                  u"F"_s;
    }

    QList<msgbox::Value> table;
    int n = 0;
    for (int style = 0; style <= 3; ++style) {
        for (int buttons = 0; buttons <= 5; ++buttons) {
            for (int k = 0; k < 5; ++k, ++n) {
                msgbox::Value value;
                value.code = msgbox::CodeStyle(style);
                value.buttons = msgbox::Buttons(buttons);
                value.icon = msgbox::Icon(16 * (n % 5));
                if (n % 4 != 3)
                    value.defaultButton = msgbox::DefaultButton(256 * (n % 4));
                value.systemModal = (n / 2) % 2;
                value.helpButton = (n / 3) % 2 && value.code != msgbox::CodeStyle::Vbs;
                value.message = messages[n % messages.size()];
                value.title = titles[(n / 2) % titles.size()];
                table << value;
            }
        }
    }
    return table;
}

QString units(QStringView text) {
    QString out;
    for (const QChar c : text)
        out += u' ' + QString::number(c.unicode(), 16).toUpper();
    return out;
}

QList<int> answersOf(const msgbox::Value& value) {
    QList<int> answers;
    for (const msgbox::Answer answer : msgbox::facts(value.buttons).answers())
        answers << int(answer);
    return answers;
}

QString branchCaption(QStringView line, const lang::LanguageFacts& language) {
    const QStringView text = line.trimmed();
    if (!text.startsWith(language.comment))
        return {};
    const QStringView caption = text.mid(language.comment.size());
    for (const msgbox::AnswerFacts& row : msgbox::answers()) {
        if (caption == row.caption)
            return caption.toString();
    }
    return {};
}

namespace {

QString decoded(QStringView codes) {
    QString text;
    for (const QStringView code : codes.split(u' ', Qt::SkipEmptyParts))
        text += QChar(char16_t(code.toUInt(nullptr, 16)));
    return text;
}

QString expectedPrompt(const QString& message, QStringView lineBreak) {
    QString prompt;
    gen::MessageLines lines(message);
    QStringView line;
    bool last = false;
    while (lines.next(line, last)) {
        prompt += line;
        if (!last)
            prompt += lineBreak;
    }
    return prompt;
}

struct Seen {
    QStringList calls; // "style|prompt|title" as decoded
    QStringList branches;
    QList<int> values;
    QStringList errors;
    bool ended = false;
};

} // namespace

QString check(const QStringList& lines, const QList<msgbox::Value>& values, lang::Language language,
              QStringView lineBreak) {
    QMap<std::pair<int, int>, Seen> runs;
    Seen* current = nullptr;
    bool done = false;
    for (const QString& line : lines) {
        const QString tag = line.section(u' ', 0, 0);
        const QString rest = line.section(u' ', 1);
        if (tag == u"BEGIN") {
            current = &runs[{rest.section(u' ', 0, 0).toInt(), rest.section(u' ', 1).toInt()}];
        } else if (tag == u"DONE") {
            done = true;
        } else if (current == nullptr) {
            continue;
        } else if (tag == u"CALL") {
            const qsizetype p = rest.indexOf(u" P");
            const qsizetype t = rest.indexOf(u" T", p);
            current->calls << rest.left(p) + u'|' + decoded(rest.mid(p + 2, t - p - 2)) + u'|' +
                                  decoded(rest.mid(t + 2));
        } else if (tag == u"BRANCH") {
            current->branches << decoded(rest);
        } else if (tag == u"VALUE") {
            current->values << rest.toInt();
        } else if (tag == u"ERR") {
            current->errors << rest.section(u' ', 0, 0) + u' ' + decoded(rest.section(u' ', 1));
        } else if (tag == u"END") {
            current->ended = true;
        }
    }
    if (!done)
        return u"the run did not end; last lines:\n"_s + lines.mid(lines.size() - 5).join(u'\n');

    for (qsizetype v = 0; v < values.size(); ++v) {
        const msgbox::Value& value = values[v];
        const msgbox::Value written = lang::asWritten(value, language, false);
        const QString call = QString::number(msgbox::styleValue(written)) + u'|' +
                             expectedPrompt(value.message, lineBreak) + u'|' +
                             msgbox::titleLine(value.title);
        const bool branches =
            answersOf(value).size() > 1 && (value.code == msgbox::CodeStyle::SelectCase ||
                                            value.code == msgbox::CodeStyle::IfThenElse);
        const bool kept = answersOf(value).size() > 1 && !branches;
        for (const int answer : answersOf(value)) {
            const Seen& seen = runs.value({int(v) + 1, answer});
            const QString where = u"variant %1 (style %2, code style %3), answer %4: "_s.arg(v + 1)
                                      .arg(msgbox::styleValue(value))
                                      .arg(int(value.code))
                                      .arg(answer);
            if (!seen.errors.isEmpty())
                return where + u"error "_s + seen.errors.join(u", ");
            if (!seen.ended)
                return where + u"no end"_s;
            if (seen.calls != QStringList{call}) {
                return where + u"calls\n  "_s + units(seen.calls.join(u"\n  ")).left(3000) +
                       u"\ninstead of\n  "_s + units(call).left(3000);
            }
            const QStringList branch =
                branches ? QStringList{msgbox::facts(msgbox::Answer(answer)).caption.toString()}
                         : QStringList();
            if (seen.branches != branch)
                return where + u"branches "_s + seen.branches.join(u", ");
            // If Then Else keeps a third answer too before it tests it.
            const bool valueRight =
                seen.values == QList<int>{answer} || (!kept && seen.values.isEmpty());
            if (!valueRight)
                return where + u"wrong kept answer"_s;
        }
    }
    return {};
}

Run runBounded(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment, const QString& dir, int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir);
    // Files, not pipes: helpers the engine leaves behind would hold a pipe
    // open after it ends.
    const QString outputFile = dir + u"/engine-output.txt"_s;
    process.setStandardOutputFile(outputFile);
    process.setStandardErrorFile(outputFile, QIODevice::Append);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { ::setsid(); });
    Run run;
    process.start(program, arguments);
    if (!process.waitForStarted(30000)) {
        run.output = u"did not start: "_s + process.errorString();
        return run;
    }
    const qint64 group = process.processId();
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        ::kill(-pid_t(group), SIGKILL);
        process.waitForFinished(10000);
    } else {
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QFile file(outputFile);
    if (file.open(QIODevice::ReadOnly))
        run.output = QString::fromUtf8(file.readAll().right(4000));
    return run;
}

QString findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

} // namespace veltrano::enginecheck
