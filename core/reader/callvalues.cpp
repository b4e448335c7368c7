#include "core/reader/callvalues.h"

#include <QString>

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

CallValues::CallValues() {
    prompt.label = u"Der Meldungstext"_s;
    title.label = u"Der Titel"_s;
}

Result<ReadCall> finishCall(CallValues& values, std::optional<msgbox::CodeStyle> toldStyle,
                            msgbox::CodeStyle currentCodeStyle, Budget& budget) {
    ReadCall result;
    msgbox::Value& value = result.value;
    result.styleTold = toldStyle.has_value();
    value.code = toldStyle.value_or(currentCodeStyle);
    if ((values.value & msgbox::HelpButtonFlag) && value.code == msgbox::CodeStyle::Vbs &&
        values.helpRefused) {
        return *values.helpRefused;
    }

    Result<QString> message =
        normalised(values.prompt.out, values.prompt.label, values.promptPlace, budget);
    if (!message) {
        return std::move(message).failure();
    }
    value.message = std::move(*message);
    // The generators drop one final line break; one more keeps it shown.
    if (value.message.endsWith(u"\r\n")) {
        value.message += u"\r\n";
    }
    Result<QString> title =
        normalised(values.title.out, values.title.label, values.titlePlace, budget);
    if (!title) {
        return std::move(title).failure();
    }
    value.title = std::move(*title);
    // The checks of each syntax have let through only what the window shows.
    msgbox::setStyle(value, int(values.value), values.defaultButtonNamed);
    return result;
}

} // namespace veltrano::reader
