#pragma once

// The constant names the code reader knows, with their values: the style
// constants of the message box (from the message box tables), each with the
// fact it sets, and the constants that stand for a text. Every part of the
// reader looks a constant name up here and nowhere else.

#include <QStringView>

#include <cstdint>
#include <optional>

namespace veltrano::reader {

// The fact of the message box a style constant sets.
enum class Family : std::uint8_t { ButtonSet, Icon, DefaultButton, Flag };

struct StyleConstant {
    QStringView name;
    int value;
    Family family;
};

// The style constant of that name, in any letter case, or nullptr: Basic's
// (vbYesNo) and the MB_ constants LibreOffice Basic has built in (MB_YESNO).
const StyleConstant* findStyleConstant(QStringView name);

// Whether the name is spelt as a Windows style constant (MB_...), which
// LibreOffice Basic has built in where findStyleConstant knows it.
bool isWindowsStyleName(QStringView name);

// The text a text constant (vbCrLf ...) stands for, in any letter case.
std::optional<QStringView> findTextConstant(QStringView name);

} // namespace veltrano::reader
