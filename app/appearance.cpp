#include "app/appearance.h"

#include <QFont>
#include <QIcon>
#include <QStringList>

namespace veltrano {

namespace appearance {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"),
                               {QStringLiteral("Open Sans"), QStringLiteral("DejaVu Sans")});
}

QIcon applicationIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/images/veltrano-%1.png").arg(side), QSize(side, side));
    return icon;
}

} // namespace appearance

} // namespace veltrano
