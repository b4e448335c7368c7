#include "core/languages.h"

#include "core/codeskeleton.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace veltrano::lang {

namespace {

constexpr LanguageFacts languageTable[] = {
    {Language::Basic, u"VB6, VBA, VBScript", u"basic", u"", u"", u"mnuKopieren", u"' ", true, true,
     true, true, true, Constants::Basic, &gen::basicSyntax},
    {Language::VbNet, u"VB.NET", u"vbnet", u"&VB.NET", u"Ctrl+Shift+N", u"mnuKopierenVbNet", u"' ",
     false, true, true, true, true, Constants::VbNet, &gen::vbNetSyntax},
    // MessageBox.Show has no system-modal box, and its first default
    // button is the argument's default.
    {Language::CSharp, u"C#", u"csharp", u"&C#", u"Ctrl+Shift+C", u"mnuKopierenCSharp", u"// ",
     false, false, true, false, true, Constants::WindowsForms, &gen::cSharpSyntax},
    // The same MessageBox.Show; the code reader does not read PowerShell.
    {Language::PowerShell, u"PowerShell", u"powershell", u"&PowerShell", u"",
     u"mnuKopierenPowerShell", u"# ", false, false, true, false, false, Constants::WindowsForms,
     &gen::powerShellSyntax},
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

template <typename Field, typename Taken>
QString joined(QStringView lastJoiner, Field field, Taken taken) {
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

QString joinedNames(QStringView lastJoiner, bool readBackOnly) {
    return joined(
        lastJoiner, [](const LanguageFacts& row) { return row.name; },
        [&](const LanguageFacts& row) { return row.readsBack || !readBackOnly; });
}

QString joinedValues(QStringView lastJoiner, bool writingVbsOnly) {
    return joined(
        lastJoiner, [](const LanguageFacts& row) { return row.value; },
        [&](const LanguageFacts& row) { return row.writesVbs || !writingVbsOnly; });
}

} // namespace veltrano::lang
