#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QAction;

namespace veltrano {

// One picture of the toolbar strip. Like QToolButton it stands for a default
// action: it shows the action's icon at the widget's own size and its
// tooltip, follows its enabled state and triggers it on a click. Pressing
// any mouse button shifts the picture 20 twips right and down, releasing
// shifts it back. Its place is kept in twips, so shifts of a fraction of a
// pixel add up exactly.
class ToolbarPicture : public QWidget {
    Q_OBJECT

public:
    explicit ToolbarPicture(QWidget* parent = nullptr);

    void setDefaultAction(QAction* action);
    QAction* defaultAction() const { return m_action; }

    // Position in twips; the widget stands at the nearest pixel.
    int leftTwips() const { return m_leftTwips; }
    int topTwips() const { return m_topTwips; }
    void moveTwips(int left, int top);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void followAction();
    void shift(int twips);

    QPointer<QAction> m_action;
    int m_leftTwips = 0;
    int m_topTwips = 0;
    bool m_placing = false;
    bool m_doublePressed = false; // a double click's press awaits its release
    QPixmap m_cache;
};

} // namespace veltrano
