#include "app/toolbarpicture.h"

#include "app/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <utility>

ToolbarPicture::ToolbarPicture(QWidget* parent) : QWidget(parent) {}

void ToolbarPicture::setSource(const QString& svgPath) {
    m_source = svgPath;
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

void ToolbarPicture::moveEvent(QMoveEvent* event) {
    // A move from outside (the form set-up) defines the twip position anew.
    if (!m_placing) {
        m_leftTwips = twips::fromPixels(x());
        m_topTwips = twips::fromPixels(y());
    }
    QWidget::moveEvent(event);
}

QPixmap ToolbarPicture::rendered(qreal ratio) {
    const QSize device = (QSizeF(size()) * ratio).toSize();
    if (m_cache.size() == device && qFuzzyCompare(m_cache.devicePixelRatio(), ratio))
        return m_cache;
    QPixmap pixmap(device);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(m_source);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(), QSizeF(device)));
    }
    pixmap.setDevicePixelRatio(ratio);
    m_cache = pixmap;
    return m_cache;
}

void ToolbarPicture::paintEvent(QPaintEvent*) {
    if (m_source.isEmpty())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, rendered(devicePixelRatioF()));
}

void ToolbarPicture::mousePressEvent(QMouseEvent* event) {
    // Every button counts, the right one too; the widget keeps the mouse
    // until the release, so the release comes back here even off the picture.
    emit mouseDown(m_index, event->button(), event->modifiers(), event->position());
    event->accept();
}

void ToolbarPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    emit mouseUp(m_index, event->button(), event->modifiers(), event->position());
    event->accept();
    // The release that ends a double click closes no click of its own: the
    // command runs once for the double click, on its first release.
    const bool secondOfDouble = std::exchange(m_doublePressed, false);
    if (inside && event->button() == Qt::LeftButton && !secondOfDouble)
        emit clicked(m_index);
}

void ToolbarPicture::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt delivers press, release, double click, release: the double click
    // stands for the second press, so it shifts the picture as a press does
    // and the release that follows shifts it back.
    m_doublePressed = true;
    emit mouseDown(m_index, event->button(), event->modifiers(), event->position());
    event->accept();
}
