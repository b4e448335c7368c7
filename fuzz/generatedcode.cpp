#include "generatedcode.h"

#include "core/codereader.h"
#include "core/codeskeleton.h"
#include "core/definition.h"
#include "core/generators.h"
#include "core/msgbox.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace fuzzcheck {

namespace {

// The message as the reader gives it back: every CR LF, lone CR and lone LF
// is one CR LF; a break at the very end closes the last line, so one there
// is dropped, and the reader adds one to a text that still ends in one.
QString expectedMessage(const QString& message) {
    QString text = message;
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').replace(u"\n"_s, u"\r\n"_s);
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    if (text.endsWith(u"\r\n"))
        text += u"\r\n";
    return text;
}

QString quoted(const QString& text) {
    QString shown = text;
    shown.replace(u'\\', u"\\\\"_s).replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
    return u'[' + shown + u']';
}

} // namespace

QString problemOf(const QString& code, gen::Language language, const QString& title,
                  const QString& message) {
    if (code.contains(u'\n'))
        return u"LF in the code"_s;
    if (code.endsWith(u'\r'))
        return u"line break at the end"_s;
    const gen::Syntax& syntax = *lang::facts(language).syntax;
    const QStringList lines = code.split(u'\r');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (syntax.doublesQuotes && lines[n].count(u'"') % 2 != 0)
            return u"odd number of quotes in line %1: %2"_s.arg(n + 1).arg(quoted(lines[n]));
        if (syntax.maxLineLength > 0 && lines[n].size() > syntax.maxLineLength)
            return u"line %1 is longer than %2 characters"_s.arg(n + 1).arg(syntax.maxLineLength);
    }

    // The reader refuses what no definition can hold, and reads only some
    // languages.
    if (title.contains(QChar()) || message.contains(QChar()) || !lang::facts(language).readable)
        return {};
    const auto result = readMsgBoxCall(code, msgbox::CodeStyle::SelectCase);
    if (const auto* error = std::get_if<ReadError>(&result))
        return u"the code does not read back: %1"_s.arg(error->text);
    const msgbox::Value& read = std::get<ReadCall>(result).value;
    if (read.message != expectedMessage(message)) {
        return u"message reads back as %1 instead of %2"_s.arg(quoted(read.message),
                                                               quoted(expectedMessage(message)));
    }
    if (read.title != msgbox::titleLine(title))
        return u"title reads back as %1 instead of %2"_s.arg(quoted(read.title), quoted(title));
    return {};
}

void generateAndCheckAll(Definition& def) {
    auto check = [&] {
        for (const lang::LanguageFacts& row : lang::languages()) {
            const gen::Language language = row.language;
            QString code;
            try {
                code = gen::generateCode(def.value(), language);
            } catch (const vb::Error&) {
                continue; // reported by the caller's message trap
            }
            const QString problem = problemOf(code, language, def.title(), def.message());
            if (problem.isEmpty())
                continue;
            std::fprintf(stderr,
                         "style %d, language %d broke a rule: %s\n  title %s\n  message %s\n  "
                         "options %d %d %d, flags %d %d\n  code %s\n",
                         def.selectedCode(), int(language), qPrintable(problem),
                         qPrintable(quoted(def.title())), qPrintable(quoted(def.message())),
                         def.selectedIcon(), def.selectedButtons(), def.selectedDefaultButton(),
                         def.systemModal(), def.helpButton(), qPrintable(quoted(code)));
            std::abort();
        }
    };

    check();
    // Every style in turn; "VBS" last, as selecting it clears the help flag.
    for (const msgbox::CodeStyle style :
         {msgbox::CodeStyle::SelectCase, msgbox::CodeStyle::IfThenElse, msgbox::CodeStyle::Einfach,
          msgbox::CodeStyle::Vbs}) {
        def.selectCode(int(style));
        check();
    }
}

} // namespace fuzzcheck

} // namespace veltrano
