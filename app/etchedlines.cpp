#include "app/etchedlines.h"

#include "app/twips.h"

#include <QPainter>

namespace veltrano {

namespace {

struct Line {
    int x1, y1, x2, y2; // twips, end point excluded
    bool white;
};

// Vertical separators between the toolbar groups, then the line under the
// whole strip.
constexpr Line lines[] = {
    {1725, 0, 1725, 375, false}, {1740, 0, 1740, 375, true},  {4575, 0, 4575, 375, false},
    {4590, 0, 4590, 375, true},  {8175, 0, 8175, 375, false}, {8190, 0, 8190, 375, true},
    {9825, 0, 9825, 375, false}, {9840, 0, 9840, 375, true},  {11775, 375, 0, 375, false},
    {11775, 390, 0, 390, true},
};

} // namespace

EtchedLines::EtchedLines(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EtchedLines::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const Line& line : lines) {
        const int x1 = twips::toPixels(line.x1);
        const int y1 = twips::toPixels(line.y1);
        const int x2 = twips::toPixels(line.x2);
        const int y2 = twips::toPixels(line.y2);
        painter.setPen(line.white ? QColor(255, 255, 255) : QColor(128, 128, 128));
        if (x1 == x2)
            painter.drawLine(x1, std::min(y1, y2), x1, std::max(y1, y2) - 1);
        else
            painter.drawLine(std::min(x1, x2), y1, std::max(x1, x2) - 1, y1);
    }
}

} // namespace veltrano
