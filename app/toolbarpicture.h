#pragma once

#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QWidget>

// One picture of the toolbar strip. It shows an SVG image at the widget's own
// size, rendered for the screen's device pixel ratio, and reports presses,
// releases and left-button clicks with its index. Its place is kept in twips,
// so shifts of a fraction of a pixel add up exactly.
class ToolbarPicture : public QWidget {
    Q_OBJECT

public:
    explicit ToolbarPicture(QWidget* parent = nullptr);

    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

    QString source() const { return m_source; }
    void setSource(const QString& svgPath);

    // Position in twips; the widget stands at the nearest pixel.
    int leftTwips() const { return m_leftTwips; }
    int topTwips() const { return m_topTwips; }
    void moveTwips(int left, int top);

signals:
    void mouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                   QPointF position);
    void mouseUp(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 QPointF position);
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    QPixmap rendered(qreal ratio);

    int m_index = -1;
    QString m_source;
    int m_leftTwips = 0;
    int m_topTwips = 0;
    bool m_placing = false;
    bool m_doublePressed = false; // a double click's press awaits its release
    QPixmap m_cache;
};
