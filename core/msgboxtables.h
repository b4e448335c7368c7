#pragma once

#include "core/msgbox.h"

#include <QStringView>

#include <array>
#include <span>

// The facts of the message box, each written once: for every icon, button
// set, answer, default button and flag its number, its constant as code
// spells it and the German texts the window shows for it. The generators,
// the code reader, the message box dialog and the window's options all
// read them from here.
//
// Each row has one field per spelling of its constants, and languages that
// spell a constant alike read the same field (see lang::Constants in
// core/languages.h): `basic` for VB6, VBA and VBScript, `vbNet` for VB.NET's
// MsgBoxStyle and `windowsForms` for the enums of MessageBox.Show in Windows
// Forms, as C# writes them ("MessageBoxButtons.YesNo"), and `windows` for the
// MB_ and ID constants of the Windows API, which C and C++ write and which
// plain LibreOffice Basic knows too (all of those the window offers but
// MB_HELP); an empty field where the spelling has no such constant. A further spelling is one more
// field in each row type and one more column in each table. Rows whose `basic` is empty hold what
// only .NET knows; the window offers none of them.
namespace veltrano::msgbox {

struct AnswerFacts {
    Answer answer;
    QStringView caption;      // German: the button's caption and the comment of its branch
    QStringView basic;        // the constant as Select Case tests it
    QStringView basicIf;      // the constant as If Then Else tests it
    QStringView vbNet;        // MsgBoxResult, what VB.NET's MsgBox returns
    QStringView windowsForms; // DialogResult, what MessageBox.Show returns
    QStringView windows;      // IDYES, what MessageBoxW returns
};

struct ButtonSetFacts {
    Buttons buttons;
    QStringView basic; // the constant
    QStringView vbNet;
    QStringView windowsForms;
    QStringView windows;
    QStringView optionCaption; // the caption of the window's option for the set
    std::array<Answer, 3> buttonList;
    int count; // buttons in the box, 1 to 3; 0 for a set the window does not offer

    bool isOffered() const { return count > 0; }

    // The box's buttons in their order; the first is the default button
    // First, the second Second, the third Third. Generated code tests the
    // answers in this order, the last one in an Else branch.
    std::span<const Answer> answers() const {
        return std::span<const Answer>(buttonList).first(std::size_t(count));
    }
};

struct IconFacts {
    Icon icon;
    QStringView basic; // empty for None: code writes no constant
    QStringView vbNet;
    QStringView windowsForms;
    QStringView windows;
    std::array<QStringView, 2> windowsFormsAlso; // further names C# has for it
    QStringView optionCaption; // "Ohne" for None; the window shows pictures for the others
    // What a screen reader says for the option: its name where the window
    // shows a picture, else a description.
    QStringView spokenName;
};

// The default buttons, also the fourth, which the runtime knows and the
// window does not offer.
struct DefaultButtonFacts {
    int value;
    QStringView basic;
    QStringView vbNet;
    QStringView windowsForms;
    QStringView windows;
    // What the window's option shows before the first button-set choice;
    // empty when the window does not offer it.
    QStringView startCaption;
    bool isOffered() const { return !startCaption.isEmpty(); }
};

// The modality and the options beyond the four parts. The window offers
// SystemModal and the help button; code reading meets the others.
struct FlagFacts {
    int value;
    QStringView basic;
    QStringView vbNet;
    QStringView windowsForms;
    QStringView windows;
    bool offered;
};

// The caption of the help button, in the box and in the window's marker.
inline constexpr QStringView HelpButtonCaption = u"Hilfe";

std::span<const AnswerFacts> answers();
std::span<const ButtonSetFacts> buttonSets();
std::span<const IconFacts> icons();
std::span<const DefaultButtonFacts> defaultButtons();
std::span<const FlagFacts> flags();

const AnswerFacts& facts(Answer answer);
const ButtonSetFacts& facts(Buttons buttons);
const IconFacts& facts(Icon icon);
const DefaultButtonFacts& facts(DefaultButton defaultButton);

// The part of that number, or nothing when the window does not offer it:
// the way from a stored or read number to the value.
std::optional<Icon> iconOf(int value);
std::optional<Buttons> buttonsOf(int value);
std::optional<DefaultButton> defaultButtonOf(int value);

} // namespace veltrano::msgbox
