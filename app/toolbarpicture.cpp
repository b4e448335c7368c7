#include "app/toolbarpicture.h"

#include "app/twips.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace veltrano {

namespace {

// How far a pressed picture moves right and down.
constexpr int pressShiftTwips = 20;

} // namespace

ToolbarPicture::ToolbarPicture(QWidget* parent) : QWidget(parent) {}

void ToolbarPicture::setDefaultAction(QAction* action) {
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (action)
        connect(action, &QAction::changed, this, &ToolbarPicture::followAction);
    followAction();
}

void ToolbarPicture::followAction() {
    setToolTip(m_action ? m_action->toolTip() : QString());
    setEnabled(m_action && m_action->isEnabled());
    m_cache = QPixmap();
    update();
}

void ToolbarPicture::moveTwips(int left, int top) {
    m_leftTwips = left;
    m_topTwips = top;
    m_placing = true;
    move(twips::toPixels(left), twips::toPixels(top));
    m_placing = false;
}

void ToolbarPicture::shift(int twips) {
    moveTwips(m_leftTwips + twips, m_topTwips + twips);
}

void ToolbarPicture::moveEvent(QMoveEvent* event) {
    // A move from outside (the form set-up) defines the twip position anew.
    if (!m_placing) {
        m_leftTwips = twips::fromPixels(x());
        m_topTwips = twips::fromPixels(y());
    }
    QWidget::moveEvent(event);
}

void ToolbarPicture::paintEvent(QPaintEvent*) {
    if (!m_action)
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.size() != size() * ratio) {
        // The picture fills the widget, which has the picture's own size.
        m_cache = m_action->icon().pixmap(size(), ratio);
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_cache);
}

void ToolbarPicture::mousePressEvent(QMouseEvent* event) {
    // Every button counts, the right one too; the widget keeps the mouse
    // until the release, so the release comes back here even off the picture.
    shift(pressShiftTwips);
    event->accept();
}

void ToolbarPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    shift(-pressShiftTwips);
    event->accept();
    // The release that ends a double click closes no click of its own: the
    // command runs once for the double click, on its first release.
    const bool secondOfDouble = std::exchange(m_doublePressed, false);
    if (inside && event->button() == Qt::LeftButton && !secondOfDouble && m_action)
        m_action->trigger();
}

void ToolbarPicture::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt delivers press, release, double click, release: the double click
    // stands for the second press, so it shifts the picture as a press does
    // and the release that follows shifts it back.
    m_doublePressed = true;
    shift(pressShiftTwips);
    event->accept();
}

} // namespace veltrano
