#include "app/optionbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace veltrano {

OptionButton::OptionButton(QWidget* parent) : QPushButton(parent) {
    setCheckable(true);
}

QRect OptionButton::captionRect() const {
    // Two lines of the 9 pt form font need nearly the whole height.
    return rect().adjusted(3, 1, -3, -1);
}

void OptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    // Content follows the bevel when the button is shown pressed in.
    QPoint shift;
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        shift = QPoint(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }

    if (!icon().isNull()) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        QRect iconArea(QPoint(), iconSize());
        iconArea.moveCenter(rect().center());
        icon().paint(&painter, iconArea.translated(shift), Qt::AlignCenter, mode);
    }
    if (!text().isEmpty()) {
        painter.drawItemText(captionRect().translated(shift),
                             Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                             isEnabled(), text(), QPalette::ButtonText);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace veltrano
