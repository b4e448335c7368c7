#include "core/reader/constantnames.h"

#include "core/msgboxstyle.h"

#include <iterator>

namespace veltrano::reader {

namespace {

constexpr StyleConstant StyleConstants[] = {
    {u"vbOKOnly", vb::vbOKOnly, Family::ButtonSet},
    {u"vbOKCancel", vb::vbOKCancel, Family::ButtonSet},
    {u"vbAbortRetryIgnore", vb::vbAbortRetryIgnore, Family::ButtonSet},
    {u"vbYesNoCancel", vb::vbYesNoCancel, Family::ButtonSet},
    {u"vbYesNo", vb::vbYesNo, Family::ButtonSet},
    {u"vbRetryCancel", vb::vbRetryCancel, Family::ButtonSet},
    {u"vbCritical", vb::vbCritical, Family::Icon},
    {u"vbQuestion", vb::vbQuestion, Family::Icon},
    {u"vbExclamation", vb::vbExclamation, Family::Icon},
    {u"vbInformation", vb::vbInformation, Family::Icon},
    {u"vbDefaultButton1", vb::vbDefaultButton1, Family::DefaultButton},
    {u"vbDefaultButton2", vb::vbDefaultButton2, Family::DefaultButton},
    {u"vbDefaultButton3", vb::vbDefaultButton3, Family::DefaultButton},
    {u"vbDefaultButton4", vb::vbDefaultButton4, Family::DefaultButton},
    {u"vbApplicationModal", vb::vbApplicationModal, Family::Modality},
    {u"vbSystemModal", vb::vbSystemModal, Family::Modality},
    {u"vbMsgBoxHelpButton", vb::vbMsgBoxHelpButton, Family::Option},
    {u"vbMsgBoxSetForeground", vb::vbMsgBoxSetForeground, Family::Option},
    {u"vbMsgBoxRight", vb::vbMsgBoxRight, Family::Option},
    {u"vbMsgBoxRtlReading", vb::vbMsgBoxRtlReading, Family::Option},
};

struct TextConstant {
    QStringView name;
    QStringView value;
};

constexpr TextConstant TextConstants[] = {
    {u"vbCr", u"\r"},        {u"vbLf", u"\n"},  {u"vbCrLf", u"\r\n"},
    {u"vbNewLine", u"\r\n"}, {u"vbTab", u"\t"}, {u"vbNullString", u""},
};

} // namespace

const StyleConstant* findStyleConstant(QStringView name) {
    for (const StyleConstant& constant : StyleConstants) {
        if (name.compare(constant.name, Qt::CaseInsensitive) == 0) {
            return &constant;
        }
    }
    return nullptr;
}

std::optional<QStringView> findTextConstant(QStringView name) {
    for (const TextConstant& constant : TextConstants) {
        if (name.compare(constant.name, Qt::CaseInsensitive) == 0) {
            return constant.value;
        }
    }
    return std::nullopt;
}

} // namespace veltrano::reader
