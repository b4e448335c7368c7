#include "app/appearance.h"

#include <QFont>
#include <QStringList>

namespace veltrano {

namespace appearance {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"),
                               {QStringLiteral("Open Sans"), QStringLiteral("DejaVu Sans")});
}

} // namespace appearance

} // namespace veltrano
