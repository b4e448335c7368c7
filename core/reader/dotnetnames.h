#pragma once

// The .NET names the code reader knows beside the Basic ones: the members of
// MsgBoxStyle and of the message box enums of Windows Forms, each with its
// value as a part of a Basic style value and the fact it sets; the fields
// that stand for a text (ControlChars.CrLf, Environment.NewLine ...); and the
// enums of WPF's MessageBox, which the reader refuses. A name may be
// qualified by its namespace (Microsoft.VisualBasic.MsgBoxStyle.YesNo,
// System.Windows.Forms.MessageBoxIcon.Error). Every part of the reader looks
// a .NET name up here and nowhere else.

#include "core/reader/constantnames.h"

#include <QStringView>

#include <cstdint>
#include <optional>

namespace veltrano::reader {

// Letter case: VB.NET ignores it, C# does not.
enum class Case : std::uint8_t { Insensitive, Sensitive };

// The enum a .NET style name belongs to.
enum class DotNetEnum : std::uint8_t { MsgBoxStyle, Buttons, Icon, DefaultButton, Options };

struct DotNetConstant {
    StyleConstant constant; // its name is Enum.Member, as messages show it
    DotNetEnum type;
};

// The member the dotted name names, or nullptr.
const DotNetConstant* findDotNetConstant(QStringView dottedName, Case letterCase);

// The enum the dotted name is a member of, known member or not
// (MessageBoxIcon.Irgendwas), or nothing.
std::optional<DotNetEnum> dotNetEnumNamed(QStringView dottedName, Case letterCase);

// The enum the dotted name names itself (System.Windows.Forms.MessageBoxIcon),
// or nothing.
std::optional<DotNetEnum> dotNetEnumType(QStringView dottedName, Case letterCase);

// The enum's name as messages show it: MessageBoxButtons ...
QStringView dotNetEnumName(DotNetEnum type);

// The text a .NET field (ControlChars.CrLf ...) stands for, or nothing.
std::optional<QStringView> findDotNetTextConstant(QStringView dottedName, Case letterCase);

// Which MessageBox class the namespace before MessageBox names: "" or a
// namespace of Windows Forms, System.Windows for WPF's; nothing for any
// other qualifier (an object's member MessageBox).
enum class MessageBoxClass : std::uint8_t { Forms, Wpf };
std::optional<MessageBoxClass> messageBoxIn(QStringView ns, Case letterCase);

// Whether the dotted name is a member of an enum of WPF's message box:
// MessageBoxButton, MessageBoxImage or MessageBoxResult.
bool isWpfName(QStringView dottedName, Case letterCase);

} // namespace veltrano::reader
