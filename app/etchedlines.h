#pragma once

#include <QWidget>

namespace veltrano {

// The etched separator lines of the toolbar strip: each is a grey line with
// a white partner one pixel to its right or below. The widget lets every
// mouse event through to what lies beneath it.
class EtchedLines : public QWidget {
    Q_OBJECT

public:
    explicit EtchedLines(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace veltrano
