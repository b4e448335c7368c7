#include "documents/codeexport.h"

#include "core/codereader.h"
#include "core/definition.h"
#include "core/generators.h"
#include "core/linebreaks.h"

#include <utility>
#include <variant>

using namespace Qt::StringLiterals;

namespace veltrano::codeexport {

Exported storedCode(msgbox::Value value, const Request& request) {
    if (request.style)
        value.code = *request.style;
    // A language without the script style writes the call alone, which the
    // help button may join.
    if (!lang::facts(request.language).writesVbs && value.code == msgbox::CodeStyle::Vbs)
        value.code = msgbox::CodeStyle::Einfach;
    value.systemModal = request.systemModal;
    value.helpButton = request.helpButton;
    Definition definition;
    definition.apply(value);
    Exported exported;
    exported.helpRefused = request.helpButton && !definition.isHelpButtonTicked();
    if (!exported.helpRefused)
        exported.code = code(definition.value(), request.language);
    return exported;
}

CallCode readCode(QStringView source, std::optional<msgbox::CodeStyle> style,
                  lang::Language language) {
    // The style asked for is the window's selection as the reader sees it:
    // where the text tells none, the help button is refused under "VBS".
    const ReadResult read = readMsgBoxCall(source, style.value_or(msgbox::CodeStyle::SelectCase));
    if (const ReadError* error = std::get_if<ReadError>(&read))
        return {{}, error->text};
    const msgbox::Value& value = std::get<ReadCall>(read).value;
    const Request request{style, language, value.systemModal, value.helpButton};
    Exported exported = storedCode(value, request);
    // The text told a style with a help button, and "VBS" was asked for.
    if (exported.helpRefused)
        return {{}, u"Im Stil VBS gibt es keine Hilfeschaltfläche; der Aufruf hat eine."_s};
    return {std::move(exported.code), {}};
}

QString code(const msgbox::Value& value, lang::Language language) {
    return gen::generateCode(value, language);
}

QString commentLine(lang::Language language, const QString& name) {
    const lang::LanguageFacts& row = lang::facts(language);
    QString shown = printable(name);
    // A final character that continues a comment would make it go on over
    // the next line of code; where it counts only after a blank, the blank
    // of the marker counts before a name that is that character alone.
    qsizetype end = shown.size();
    while (end > 0 && shown[end - 1].isSpace())
        --end;
    if (end > 0 && !row.commentContinues.isNull() && shown[end - 1] == row.commentContinues &&
        (!row.continuesAfterBlank || end == 1 || shown[end - 2].isSpace()))
        shown[end - 1] = u'?';
    return row.comment.toString() + shown;
}

QString withLineEnds(const QString& code, QStringView eol) {
    QString text = linebreaks::normalized(code, eol);
    text += eol;
    return text;
}

QString printable(const QString& text) {
    QString shown = text;
    for (QChar& c : shown) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            c = u'?';
    }
    return shown;
}

} // namespace veltrano::codeexport
