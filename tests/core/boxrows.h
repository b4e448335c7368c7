#pragma once

// What the rows of the generator tests describe: a box's choices, and
// generated code as its lines.
#include "core/msgbox.h"

#include <QMetaType>
#include <QStringList>

#include <optional>

struct Box {
    veltrano::msgbox::CodeStyle code = veltrano::msgbox::CodeStyle::SelectCase;
    veltrano::msgbox::Buttons buttons = veltrano::msgbox::Buttons::Ok;
    veltrano::msgbox::Icon icon = veltrano::msgbox::Icon::None;
    std::optional<veltrano::msgbox::DefaultButton> defaultButton;
    bool systemModal = false;
    bool helpButton = false;
};
Q_DECLARE_METATYPE(Box)

// Generated code separates its lines with a single CR.
inline QString lines(const QStringList& parts) {
    return parts.join(u'\r');
}
