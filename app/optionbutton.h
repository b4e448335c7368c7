#pragma once

#include <QPushButton>

namespace veltrano {

// A checkable push button that stands for one option of a group. A selected
// option is drawn pressed in. Unlike QPushButton, a caption that does not
// fit on one line is wrapped onto several, centred, so long button-set names
// stay readable in the narrow layout.
class OptionButton : public QPushButton {
    Q_OBJECT

public:
    explicit OptionButton(QWidget* parent = nullptr);

    // The area the caption is laid out in.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace veltrano
