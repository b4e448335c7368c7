// Renders an SVG into a PNG of a given size at build time, with the same
// renderer the program would use, so that the program shows the toolbar
// pictures and its window icon without parsing SVG at start-up.
//
//   veltrano_renderimage INPUT.svg OUTPUT.png WIDTH HEIGHT
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fputs("usage: veltrano_renderimage INPUT.svg OUTPUT.png WIDTH HEIGHT\n", stderr);
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    QSvgRenderer renderer(input);
    if (!renderer.isValid() || width <= 0 || height <= 0) {
        std::fprintf(stderr, "veltrano_renderimage: cannot render %s\n", argv[1]);
        return 1;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, width, height));
    painter.end();
    if (!image.convertToFormat(QImage::Format_ARGB32).save(output, "PNG")) {
        std::fprintf(stderr, "veltrano_renderimage: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
