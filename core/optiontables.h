#pragma once

#include "core/msgbox.h"

#include <QString>

#include <span>

// The option groups of the window. Each option's index is the number of what
// it stands for (an icon, a button set, a default button or a code style),
// which is also the id of its button in the window. Caption and tooltip are
// the texts the window shows for it; the tooltip is text for the user (the
// constant the option writes, or a description of the code style), which no
// rule reads. Built from the message box tables.
namespace veltrano::options {

enum class Group { Icons, Buttons, DefaultButton, Code };

struct Option {
    int index;
    QString caption; // empty for the four picture options of the icon group
    QString tooltip; // empty for "Ohne"
};

// Options in layout order (icons 0, 16, 32, 48, 64; buttons 0..5;
// default buttons 0, 256, 512; code styles 0..3). The default-button
// captions are those shown before the first button-set choice.
std::span<const Option> table(Group group);

// The option with that index, or nullptr if the group has none.
const Option* find(Group group, int index);
// The option with that index; throws vb::Error(9) if the group has none.
const Option& require(Group group, int index);

} // namespace veltrano::options
