#include "app/preview.h"

#include "core/definition.h"

namespace veltrano {

MessageBoxRequest previewRequest(const Definition& definition) {
    MessageBoxRequest request;
    request.text = definition.message();
    request.style = msgbox::styleValue(definition.value());
    request.title = definition.title();
    if (definition.isHelpButtonTicked()) {
        request.withHelpFile = true;
        request.helpFile = QString();
        request.helpContext = 0;
    }
    return request;
}

} // namespace veltrano
