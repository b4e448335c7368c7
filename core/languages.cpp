#include "core/languages.h"

#include "core/codeskeleton.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace veltrano::lang {

namespace {

constexpr LanguageFacts languageTable[] = {
    {Language::Basic, u"VB6, VBA, VBScript", u"basic", u"&Basic (VB6, VBA, VBScript)", u"",
     u"mnuKopieren", u"Basic", u"' ", u'_', true, true, true, true, true, Constants::Basic, true,
     &gen::basicSyntax},
    {Language::VbNet, u"VB.NET", u"vbnet", u"&VB.NET", u"Ctrl+Shift+N", u"mnuKopierenVbNet",
     u"VbNet", u"' ", u'_', true, false, true, true, true, Constants::VbNet, true,
     &gen::vbNetSyntax},
    // MessageBox.Show has no system-modal box, and its first default
    // button is the argument's default. Its comment lines keep the rule of
    // the other .NET language, as --code has always written them.
    {Language::CSharp, u"C#", u"csharp", u"&C#", u"Ctrl+Shift+C", u"mnuKopierenCSharp", u"CSharp",
     u"// ", u'_', true, false, false, true, false, Constants::WindowsForms, true,
     &gen::cSharpSyntax},
    // LibreOffice's MsgBox has no help button.
    {Language::LibreOffice, u"LibreOffice Basic", u"libreoffice", u"&LibreOffice Basic", u"",
     u"mnuKopierenLibreOffice", u"LibreOffice", u"' ", u'_', true, false, true, false, true,
     Constants::Windows, true, &gen::libreOfficeSyntax},
    // A backslash at the end of a line splices the next line into it.
    {Language::C, u"C/C++", u"c", u"C/C++ (&MessageBoxW)", u"", u"mnuKopierenC", u"C", u"// ",
     u'\\', false, false, true, true, true, Constants::Windows, true, &gen::cSyntax},
    // The same MessageBox.Show as C#; a comment ends with its line.
    {Language::PowerShell, u"PowerShell", u"powershell", u"&PowerShell", u"",
     u"mnuKopierenPowerShell", u"PowerShell", u"# ", QChar(), false, false, false, true, false,
     Constants::WindowsForms, true, &gen::powerShellSyntax},
};

// The table stands in the order of the enumerators, so that a row is found
// by its language.
constexpr bool inOrder() {
    for (std::size_t i = 0; i < std::size(languageTable); ++i) {
        if (std::size_t(languageTable[i].language) != i)
            return false;
    }
    return true;
}
static_assert(inOrder());

template <typename Field, typename Filter>
QString joined(QStringView lastJoiner, Field field, Filter taken) {
    QList<QStringView> parts;
    for (const LanguageFacts& row : languageTable) {
        if (taken(row))
            parts.append(field(row));
    }
    QString text;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += i + 1 == parts.size() ? lastJoiner : u", ";
        text += parts[i];
    }
    return text;
}

} // namespace

std::span<const LanguageFacts> languages() {
    return languageTable;
}

const LanguageFacts& facts(Language language) {
    return languageTable[std::size_t(language)];
}

msgbox::Value asWritten(const msgbox::Value& value, Language language, bool styleTold) {
    const LanguageFacts& row = facts(language);
    msgbox::Value written = value;
    if (!row.writesVbs && styleTold && written.code == msgbox::CodeStyle::Vbs)
        written.code = msgbox::CodeStyle::Einfach;
    written.systemModal = written.systemModal && row.saysSystemModal;
    written.helpButton = written.helpButton && row.saysHelpButton;
    if (!row.saysFirstDefaultButton && written.defaultButton == msgbox::DefaultButton::First)
        written.defaultButton.reset();
    return written;
}

std::optional<Language> languageOf(QStringView value) {
    for (const LanguageFacts& row : languageTable) {
        if (value.compare(row.value, Qt::CaseInsensitive) == 0)
            return row.language;
    }
    return std::nullopt;
}

QString joinedNames(QStringView lastJoiner, bool readableOnly) {
    return joined(
        lastJoiner, [](const LanguageFacts& row) { return row.name; },
        [readableOnly](const LanguageFacts& row) { return row.readable || !readableOnly; });
}

QString joinedValues(QStringView lastJoiner, bool writingVbsOnly) {
    return joined(
        lastJoiner, [](const LanguageFacts& row) { return row.value; },
        [writingVbsOnly](const LanguageFacts& row) { return row.writesVbs || !writingVbsOnly; });
}

} // namespace veltrano::lang
