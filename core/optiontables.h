#pragma once

#include <QString>

#include <span>

// The option groups of the message box definition. Each option's index is the
// numeric value of the Basic constant it stands for, and its tooltip is that
// constant's name exactly as generated code writes it (except for the code
// styles, whose tooltips are shown only). The window builds its buttons from
// these tables and the handlers read the constant names from them.
namespace veltrano::options {

enum class Group { Icons, Buttons, DefaultButton, Code };

struct Option {
    int index;
    QString caption; // empty for the four picture options of the icon group
    QString tooltip; // constant name; empty for "Ohne"
};

// Options in layout order (icons 0, 16, 32, 48, 64; buttons 0..5;
// default buttons 0, 256, 512; code styles 0..3).
std::span<const Option> table(Group group);

// The option with that index, or nullptr if the group has none.
const Option* find(Group group, int index);
// The option with that index; throws vb::Error(9) if the group has none.
const Option& require(Group group, int index);

// Index values of the code styles.
enum CodeStyle : int { SelectCase = 0, IfThenElse = 1, Einfach = 2, Vbs = 3 };

// Captions of the three default-button options for a button set (0..5); an
// empty caption means the option is hidden.
struct DefaultButtonCaptions {
    QString first;
    QString second;
    QString third;
};
const DefaultButtonCaptions& defaultButtonCaptions(int buttonSet);

} // namespace veltrano::options
