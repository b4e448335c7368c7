#pragma once

#include "core/msgbox.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>

namespace veltrano {

namespace gen {
struct Syntax;
}

// The languages code is written in, one row each. Everything that lists
// the languages or depends on one reads this table: the generators'
// dispatch, the command line's --language, the window's "Kopieren als"
// entries and the error titles of their commands, the comment line of
// --code, and the tests and fuzz targets that go over every language.
namespace lang {

// Basic is VB6, VBA and VBScript in the four code styles; the others write
// the same box as a fragment of statements in the structure of the code
// style. LibreOffice is LibreOffice Basic without VBA support, C is C99 and
// C++ against <windows.h>.
enum class Language : std::uint8_t { Basic, VbNet, CSharp, LibreOffice, C, PowerShell };

// The language of Copy and the source view until another one is chosen
// under "Sprache", and where the setting names none.
inline constexpr Language DefaultLanguage = Language::Basic;

// Which column of the fact tables (core/msgboxtables.h) a language's code
// spells its constants from. Languages that share a spelling share the
// column.
enum class Constants : std::uint8_t {
    Basic,        // vbYesNo, vbQuestion, vbYes
    VbNet,        // MsgBoxStyle.YesNo, MsgBoxResult.Yes
    WindowsForms, // MessageBoxButtons.YesNo, DialogResult.Yes
    Windows,      // MB_YESNO, MB_ICONQUESTION, IDYES
};

struct LanguageFacts {
    Language language;
    // As sentences that list the languages name it.
    QStringView name;
    // The value of --language.
    QStringView value;
    // The caption of its entry under "Kopieren als" and "Sprache", with its
    // mnemonic, and the shortcut of its "Kopieren als" entry (or none).
    QStringView copyAsCaption;
    QStringView copyAsShortcut;
    // The name of its copy command, which names the action
    // ("mnuKopierenVbNet") and the title of its error reports
    // ("frmMsgBox_mnuKopierenVbNet_Click").
    QStringView copyCommand;
    // What names its entries under "Kopieren als" ("mnuKopierenVbNet") and
    // "Sprache" ("mnuSpracheVbNet") after the menu's name.
    QStringView actionName;
    // The start of a comment line, with its blank.
    QStringView comment;
    // The character that makes a comment go on over the next line where it
    // ends the line (after a blank only, where continuesAfterBlank), or
    // none: --code writes it as "?" at the end of its comment lines.
    QChar commentContinues;
    bool continuesAfterBlank;
    // Whether it writes the code style "VBS"; where it does not, a value of
    // that style is written as "einfach".
    bool writesVbs;
    // What its code can say of a box: a system-modal box, a help button,
    // and the first default button as a choice of its own.
    bool saysSystemModal;
    bool saysHelpButton;
    bool saysFirstDefaultButton;
    Constants constants;
    // Whether the code reader (core/codereader.h) reads its code back.
    bool readable;
    // Its syntax for the structures and its own writers (core/codeskeleton.h).
    const gen::Syntax* syntax;
};

std::span<const LanguageFacts> languages();
const LanguageFacts& facts(Language language);

// The value as the language's code says it, which reading the code gives
// back: without what the language cannot say, and the style "VBS" as
// "einfach" where the language lacks it and its code tells the style.
msgbox::Value asWritten(const msgbox::Value& value, Language language, bool styleTold);

// The language of a --language value, in any letter case.
std::optional<Language> languageOf(QStringView value);

// The languages' names (of those the code reader reads only, where asked),
// or their --language values (of those that write the style "VBS" only,
// where asked), joined for a German sentence: "a, b und c" (or "oder").
QString joinedNames(QStringView lastJoiner, bool readableOnly = false);
QString joinedValues(QStringView lastJoiner, bool writingVbsOnly = false);

} // namespace lang

} // namespace veltrano
