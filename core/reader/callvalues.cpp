#include "core/reader/callvalues.h"

#include "core/msgboxstyle.h"
#include "core/optiontables.h"

#include <QString>

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

CallValues::CallValues() {
    prompt.label = u"Der Meldungstext"_s;
    title.label = u"Der Titel"_s;
}

Result<ReadCall> finishCall(CallValues& values, std::optional<int> toldStyle, int currentCodeStyle,
                            Budget& budget) {
    ReadCall result;
    result.codeStyle = toldStyle;
    const int style = toldStyle.value_or(currentCodeStyle);
    if ((values.value & vb::vbMsgBoxHelpButton) && style == options::Vbs && values.helpRefused) {
        return *values.helpRefused;
    }

    Result<QString> message =
        normalised(values.prompt.out, values.prompt.label, values.promptPlace, budget);
    if (!message) {
        return std::move(message).failure();
    }
    result.message = std::move(*message);
    // The generators drop one final line break; one more keeps it shown.
    if (result.message.endsWith(u"\r\n")) {
        result.message += u"\r\n";
    }
    Result<QString> title =
        normalised(values.title.out, values.title.label, values.titlePlace, budget);
    if (!title) {
        return std::move(title).failure();
    }
    result.title = std::move(*title);
    const qint64 v = values.value;
    result.icon = int(v & vb::IconMask);
    result.buttons = int(v & vb::ButtonSetMask);
    result.defaultButton = int(v & vb::DefaultButtonMask);
    result.systemModal = (v & vb::vbSystemModal) != 0;
    result.helpButton = (v & vb::vbMsgBoxHelpButton) != 0;
    result.defaultButtonChosen = result.defaultButton != 0 || values.defaultButtonChosen;
    return result;
}

} // namespace veltrano::reader
