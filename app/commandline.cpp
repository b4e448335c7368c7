#include "app/commandline.h"

#include "core/definition.h"
#include "core/languages.h"
#include "core/sizetext.h"
#include "core/vberror.h"
#include "documents/codeexport.h"
#include "documents/definitionfile.h"
#include "documents/scriptfile.h"
#include "documents/sourcetext.h"
#include "platform/console.h"
#include "platform/errortrap.h"
#include "platform/filesystem.h"
#include "platform/version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <exception>
#include <utility>
#include <variant>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace commandline {

namespace {

// Qt's own options of a program with windows, which QGuiApplication and
// QApplication take from the arguments, spelled with one dash or two.
// "--style" is not among them: it is the code style of --code.
constexpr const char* qtOptionsWithValue[] = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "geometry",
    "qwindowicon",     "icon",
    "qwindowtitle",    "title",
    "session",         "display",
    "style",           "stylesheet",
    "qmljsdebugger",
};
constexpr const char* qtOptionsWithJoinedValue[] = {"style=", "stylesheet=", "qmljsdebugger="};
constexpr const char* qtFlags[] = {"reverse", "widgetcount"};

// True when arg (without its dashes) is one of names.
template <std::size_t N>
bool isOneOf(const char* arg, const char* const (&names)[N], bool joinedValue = false) {
    for (const char* name : names) {
        const std::size_t length = std::strlen(name);
        if (joinedValue ? std::strncmp(arg, name, length) == 0 : std::strcmp(arg, name) == 0)
            return true;
    }
    return false;
}

// How many arguments Qt's window option at arg takes up, its value
// included; 0 when arg is none (or lacks its value).
int qtWindowOptionSpan(const char* arg, bool valueFollows) {
    if (arg[0] != '-')
        return 0;
    const bool twoDashes = arg[1] == '-';
    const char* name = arg + (twoDashes ? 2 : 1);
    if (twoDashes && std::strncmp(name, "style", 5) == 0 && (name[5] == '\0' || name[5] == '='))
        return 0;
    if (isOneOf(name, qtFlags) || isOneOf(name, qtOptionsWithJoinedValue, true))
        return 1;
    if (isOneOf(name, qtOptionsWithValue) && valueFollows)
        return 2;
    return 0;
}

// The code styles by their command line names.
constexpr std::pair<const char*, msgbox::CodeStyle> styleNames[] = {
    {"einfach", msgbox::CodeStyle::Einfach},
    {"if", msgbox::CodeStyle::IfThenElse},
    {"select", msgbox::CodeStyle::SelectCase},
    {"vbs", msgbox::CodeStyle::Vbs},
};

// The help of --language: each value with the languages it writes, and
// which of them lack the style vbs.
QString languageHelp() {
    QString values;
    QStringList withoutVbs;
    const auto rows = lang::languages();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const lang::LanguageFacts& row = rows[i];
        if (i > 0)
            values += i + 1 == rows.size() ? u" oder "_s : u", "_s;
        values += row.value.toString() + u" ("_s + row.name.toString() +
                  (i == 0 ? u", die Vorgabe)"_s : u")"_s);
        if (!row.writesVbs)
            withoutVbs += row.name.toString();
    }
    const QString last = withoutVbs.isEmpty() ? QString() : withoutVbs.takeLast();
    const QString names =
        withoutVbs.isEmpty() ? last : withoutVbs.join(u", "_s) + u" und "_s + last;
    return u"Sprache für --code und --read: "_s + values + u". "_s + names +
           u" kennen den Stil vbs nicht; eine mit VBS gespeicherte DATEI ergibt dort die Form "
           "von einfach."_s;
}

// The parser of every mode, so that the help is one text.
struct Parser {
    Parser() {
        parser.setApplicationDescription(
            u"Baut MsgBox-Aufrufe für "_s + lang::joinedNames(u" und ") +
            u".\n"
            "\n"
            "  veltrano [DATEI]                      öffnet das Fenster, mit DATEI\n"
            "  veltrano --code [Optionen] DATEI...   gibt den Code jeder DATEI aus\n"
            "  veltrano --script AUSGABE.vbs DATEI   schreibt ein VB-Script\n"
            "  veltrano --read DATEI [Optionen]      gibt den Code des ersten Aufrufs\n"
            "                                        im Quelltext DATEI aus\n"
            "\n"
            "--code, --read und --script brauchen kein Fenster und lassen Einstellungen\n"
            "und Datenordner unberührt. Rückgabewert: 0 erledigt, 1 eine Datei ließ\n"
            "sich nicht lesen oder schreiben oder ein Aufruf nicht einlesen, 2 falscher\n"
            "Aufruf."_s);
        parser.addOptions({code, read, style, language, systemModal, helpButton, crlf, script});
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(
            u"DATEI"_s, u"Definitionsdatei (*.msg, *.dat, *.ini oder ein anderer Name)"_s,
            u"[DATEI...]"_s);
    }

    QCommandLineParser parser;
    const QCommandLineOption code{
        u"code"_s,
        u"Gibt den Code jeder DATEI aus, wie Kopieren ihn in die Zwischenablage legt, mit "
        "LF als Zeilenende. Bei mehreren Dateien steht vor jedem Code eine Kommentarzeile "
        "mit dem Namen der DATEI."_s};
    const QCommandLineOption read{
        u"read"_s,
        u"Liest den ersten MsgBox-Aufruf des Quelltexts in DATEI, wie \"Code einlesen...\" "
        "ihn liest, und gibt seinen Code aus wie --code; - liest die Standardeingabe. Die "
        "Flags nimmt er aus dem Aufruf. Eine Byte-Order-Mark bestimmt die Kodierung, sonst "
        "gilt UTF-8, wo die Bytes es sind, sonst Windows-1252. Mehr als %1 wird abgelehnt, "
        "eine Pipe oder ein Gerät als DATEI auch."_s.arg(mebibytes(sourcetext::MaxBytes)),
        u"DATEI"_s};
    const QCommandLineOption style{
        u"style"_s,
        u"Code-Stil für --code und --read: einfach, if, select oder vbs. Ohne die Option "
        "gilt der in der Datei gespeicherte, bei --read der, den der Aufruf zeigt, sonst "
        "select."_s,
        u"STIL"_s};
    const QCommandLineOption language{u"language"_s, languageHelp(), u"SPRACHE"_s};
    const QCommandLineOption systemModal{u"system-modal"_s,
                                         u"Kreuzt SystemModal an (--code und --script)."_s};
    const QCommandLineOption helpButton{
        u"help-button"_s,
        u"Kreuzt HelpButton an (--code; VBS-Code hat keine Hilfeschaltfläche)."_s};
    const QCommandLineOption crlf{u"crlf"_s,
                                  u"Beendet die Zeilen mit CR LF statt LF (--code und --read)."_s};
    const QCommandLineOption script{
        u"script"_s,
        u"Schreibt den VBS-Code der DATEI nach AUSGABE, wie \"Speichern als VB-Script...\" "
        "ihn schreibt. Eine vorhandene AUSGABE wird ersetzt, bei einem symbolischen Link "
        "die Datei, auf die er zeigt; in eine Pipe oder ein Zeichengerät (/dev/stdout) "
        "wird geschrieben."_s,
        u"AUSGABE"_s};
};

QByteArray line(const QString& text) {
    return (u"veltrano: "_s + text + u'\n').toUtf8();
}

// The message may quote what was typed (an unknown option).
int usageError(Console& console, const QString& message) {
    const Parser help;
    console.err(line(codeexport::printable(message)) + '\n' + help.parser.helpText().toUtf8());
    return UsageError;
}

void reportFile(Console& console, const QString& path, const QString& problem) {
    console.err(line(codeexport::printable(path) + u": "_s + problem));
}

void reportFile(Console& console, const QString& path, const vb::Error& error) {
    reportFile(console, path, QString::number(error.number()) + u' ' + error.description());
}

template <typename T, std::size_t N>
std::optional<T> named(const std::pair<const char*, T> (&names)[N], const QString& name) {
    for (const auto& [text, value] : names) {
        if (name.compare(QLatin1StringView(text), Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Runs a step on one file; a failure is reported with the file's name and
// the Basic error number and description. False when it failed.
template <typename F> bool onFile(Console& console, const QString& path, F&& step) {
    try {
        step();
        return true;
    } catch (const vb::Error& e) {
        reportFile(console, path, e);
    } catch (const std::exception& e) {
        reportFile(console, path, unexpectedError("a command-line step", e));
    }
    return false;
}

// The code style and language of --code and --read, or the exit status of
// their usage error.
std::variant<codeexport::Request, int> styleAndLanguage(const Parser& p, Console& console) {
    const QCommandLineParser& parser = p.parser;
    codeexport::Request request;
    if (parser.isSet(p.style)) {
        request.style = named(styleNames, parser.value(p.style));
        if (!request.style)
            return usageError(console, u"unbekannter Code-Stil \"%1\"; es gibt einfach, if, "
                                       "select und vbs"_s.arg(parser.value(p.style)));
    }
    if (parser.isSet(p.language)) {
        const std::optional<lang::Language> chosen = lang::languageOf(parser.value(p.language));
        if (!chosen)
            return usageError(console, u"unbekannte Sprache \"%1\"; es gibt %2"_s.arg(
                                           parser.value(p.language), lang::joinedValues(u" und ")));
        request.language = *chosen;
    }
    if (!lang::facts(request.language).writesVbs && request.style == msgbox::CodeStyle::Vbs)
        return usageError(console, u"--style vbs gibt es nur für --language %1"_s.arg(
                                       lang::joinedValues(u" und ", true)));
    return request;
}

bool print(Console& console, const QString& text) {
    if (console.out(text.toUtf8()))
        return true;
    console.err(line(u"die Ausgabe ließ sich nicht schreiben"_s));
    return false;
}

int printCode(const Parser& p, FileSystem& files, Console& console) {
    const QCommandLineParser& parser = p.parser;
    if (parser.isSet(p.script))
        return usageError(console, u"--code und --script schließen einander aus"_s);
    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty())
        return usageError(console, u"--code braucht mindestens eine DATEI"_s);
    auto checked = styleAndLanguage(p, console);
    if (const int* status = std::get_if<int>(&checked))
        return *status;
    codeexport::Request& request = std::get<codeexport::Request>(checked);
    const std::optional<msgbox::CodeStyle> style = request.style;
    request.systemModal = parser.isSet(p.systemModal);
    request.helpButton = parser.isSet(p.helpButton);
    if (request.helpButton && style == msgbox::CodeStyle::Vbs)
        return usageError(console, u"--help-button geht nicht mit --style vbs: VBS-Code hat keine "
                                   "Hilfeschaltfläche"_s);
    const QString eol = parser.isSet(p.crlf) ? u"\r\n"_s : u"\n"_s;

    int status = Success;
    for (const QString& path : paths) {
        codeexport::Exported exported;
        const bool generated = onFile(console, path, [&] {
            exported = codeexport::storedCode(definitionfile::load(files, path), request);
        });
        if (exported.helpRefused)
            reportFile(console, path,
                       u"gespeichert mit dem Code-Stil VBS, der keine Hilfeschaltfläche hat "
                       "(--help-button)"_s);
        if (!generated || exported.helpRefused) {
            status = Failure;
            continue;
        }
        QString text =
            paths.size() > 1 ? codeexport::commentLine(request.language, path) + eol : QString();
        text += codeexport::withLineEnds(exported.code, eol);
        if (!print(console, text))
            return Failure;
    }
    return status;
}

// --read: the code of the first call of one source file or of standard
// input, with the flags the call shows.
int printReadCode(const Parser& p, FileSystem& files, Console& console) {
    const QCommandLineParser& parser = p.parser;
    for (const QCommandLineOption* other : {&p.code, &p.script, &p.systemModal, &p.helpButton}) {
        if (parser.isSet(*other))
            return usageError(console, u"--%1 geht nicht mit --read; dazu passen nur --language, "
                                       "--style und --crlf"_s.arg(other->names().constFirst()));
    }
    const QStringList paths = parser.values(p.read);
    if (paths.size() != 1 || !parser.positionalArguments().isEmpty())
        return usageError(console, u"--read braucht genau eine DATEI"_s);
    const auto checked = styleAndLanguage(p, console);
    if (const int* status = std::get_if<int>(&checked))
        return *status;
    const codeexport::Request& request = std::get<codeexport::Request>(checked);

    const QString& path = paths.constFirst();
    QString source;
    if (!onFile(console, path, [&] {
            if (path != u"-") {
                source = sourcetext::load(files, path);
                return;
            }
            const std::optional<QByteArray> bytes = console.in(sourcetext::MaxBytes + 1);
            if (!bytes)
                throw vb::Error(vb::PathFileAccessError);
            source = sourcetext::text(*bytes);
        }))
        return Failure;
    const codeexport::CallCode read = codeexport::readCode(source, request.style, request.language);
    if (!read.refusal.isEmpty()) {
        // The reason may quote the text, which is anybody's.
        reportFile(console, path, codeexport::printable(read.refusal));
        return Failure;
    }
    const QString eol = parser.isSet(p.crlf) ? u"\r\n"_s : u"\n"_s;
    return print(console, codeexport::withLineEnds(read.code, eol)) ? Success : Failure;
}

int writeScript(const Parser& p, FileSystem& files, Console& console) {
    const QCommandLineParser& parser = p.parser;
    for (const QCommandLineOption* codeOnly : {&p.style, &p.language, &p.helpButton, &p.crlf}) {
        if (parser.isSet(*codeOnly))
            return usageError(console, u"--%1 gilt nur für --code; ein VB-Script ist immer "
                                       "VBS-Code"_s.arg(codeOnly->names().constFirst()));
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        return usageError(console, u"--script braucht genau eine DATEI"_s);
    const QString output = parser.value(p.script);
    const QString& path = paths.constFirst();
    if (output.isEmpty())
        return usageError(console, u"--script braucht den Namen der AUSGABE"_s);
    // Writing the script over its own definition would lose the definition,
    // also through a symlink or a symlinked folder; a hard link to it is
    // another name, which the new file replaces while FILE keeps its bytes.
    if (files.sameEntry(output, path)) {
        reportFile(console, output, u"AUSGABE und DATEI sind dieselbe Datei"_s);
        return Failure;
    }

    Definition definition;
    if (!onFile(console, path, [&] {
            msgbox::Value value = definitionfile::load(files, path);
            value.systemModal = parser.isSet(p.systemModal);
            definition.apply(value);
        }))
        return Failure;
    // A pipe or a terminal is written into, as cp would: "--script
    // /dev/stdout" works in a pipeline.
    if (!onFile(console, output, [&] {
            scriptfile::write(files, output, definition, scriptfile::Target::FileOrStream);
        }))
        return Failure;
    return Success;
}

// The answer to --help or --version, when one was asked for.
std::optional<int> helpOrVersion(const Parser& p, Console& console) {
    const QCommandLineParser& parser = p.parser;
    QByteArray text;
    if (parser.isSet(u"help"_s) || parser.isSet(u"help-all"_s))
        text = parser.helpText().toUtf8();
    else if (parser.isSet(u"version"_s))
        text = "Veltrano " + QByteArray(version::text) + '\n';
    else
        return std::nullopt;
    return console.out(text) ? Success : Failure;
}

// A flag of --code, --read or --script given without any of them.
std::optional<int> strayFlag(const Parser& p, Console& console) {
    for (const QCommandLineOption* flag : {&p.language, &p.style, &p.crlf}) {
        if (p.parser.isSet(*flag))
            return usageError(console, u"--%1 gilt nur zusammen mit --code oder --read"_s.arg(
                                           flag->names().constFirst()));
    }
    for (const QCommandLineOption* flag : {&p.systemModal, &p.helpButton}) {
        if (p.parser.isSet(*flag))
            return usageError(console, u"--%1 gilt nur zusammen mit --code oder --script"_s.arg(
                                           flag->names().constFirst()));
    }
    return std::nullopt;
}

// The usage error of the files given to the window, if there is one: it
// opens one file, and an empty name is none.
std::optional<int> windowFileError(const QStringList& files, Console& console) {
    if (files.size() > 1)
        return usageError(console, u"das Fenster öffnet nur eine DATEI; für mehrere: --code"_s);
    if (files.size() == 1 && files.constFirst().isEmpty())
        return usageError(console, u"der Name der DATEI ist leer"_s);
    return std::nullopt;
}

} // namespace

bool runsWithoutWindow(int argc, const char* const* argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0) {
            // Everything after "--" is a file, whatever its name.
            for (int k = i + 1; k < argc; ++k) {
                if (argv[k][0] == '\0')
                    return true;
            }
            files += argc - i - 1;
            break;
        }
        if (const int span = qtWindowOptionSpan(arg, i + 1 < argc)) {
            i += span - 1;
            continue;
        }
        // A file; an empty name is a usage error.
        if (arg[0] == '-' || arg[0] == '\0')
            return true;
        ++files;
    }
    return files > 1;
}

int runWithoutWindow(const QStringList& arguments, FileSystem& files, Console& console) {
    Parser p;
    QCommandLineParser& parser = p.parser;
    if (!parser.parse(arguments))
        return usageError(console, parser.errorText());
    if (const std::optional<int> answered = helpOrVersion(p, console))
        return *answered;
    if (parser.isSet(p.read))
        return printReadCode(p, files, console);
    if (parser.isSet(p.code))
        return printCode(p, files, console);
    if (parser.isSet(p.script))
        return writeScript(p, files, console);
    if (const std::optional<int> stray = strayFlag(p, console))
        return *stray;
    // Arguments that the window would not start with either.
    if (const std::optional<int> error = windowFileError(parser.positionalArguments(), console))
        return *error;
    return usageError(console, u"weder --code noch --read noch --script angegeben"_s);
}

WindowStart windowStart(const QStringList& arguments, Console& console) {
    // Qt has taken its own options already: what is left is the file.
    Parser p;
    QCommandLineParser& parser = p.parser;
    WindowStart start;
    if (!parser.parse(arguments)) {
        start.exitStatus = usageError(console, parser.errorText());
        return start;
    }
    // --help and --version get here only when run together, as "-hv".
    if ((start.exitStatus = helpOrVersion(p, console)))
        return start;
    if ((start.exitStatus = strayFlag(p, console)))
        return start;
    const QStringList files = parser.positionalArguments();
    if ((start.exitStatus = windowFileError(files, console)))
        return start;
    if (files.size() == 1)
        start.file = absolute(files.constFirst());
    return start;
}

} // namespace commandline

} // namespace veltrano
