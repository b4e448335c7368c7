// The images compiled into the program and the icon theme copies beside them.
// This executable links veltrano_resources and nothing that registers
// resources itself, so it also proves that linking the library is enough.

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString sourceDir = QStringLiteral(VELTRANO_RESOURCES_DIR);

QStringList capturedWarnings;

void captureWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        capturedWarnings.append(text);
}

// Loads an SVG and collects whatever the renderer complains about: Qt's SVG
// support is a subset, and an unsupported element is skipped with a warning
// instead of failing the load.
struct LoadedSvg {
    explicit LoadedSvg(const QString& path) {
        capturedWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
        renderer.load(path);
        qInstallMessageHandler(previous);
        warnings = capturedWarnings;
    }
    QSvgRenderer renderer;
    QStringList warnings;
};

QImage render(QSvgRenderer& renderer, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(), QSizeF(size)));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

double opaqueShare(const QImage& image) {
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                ++opaque;
    return double(opaque) / (image.width() * image.height());
}

// Mean difference per channel, 0 (same) to 255, after compositing both onto
// white so that fully transparent pixels of any colour count as equal.
double meanDifference(const QImage& a, const QImage& b) {
    auto onWhite = [](const QImage& source) {
        QImage flat(source.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, source);
        return flat;
    };
    const QImage fa = onWhite(a), fb = onWhite(b);
    double sum = 0;
    for (int y = 0; y < fa.height(); ++y)
        for (int x = 0; x < fa.width(); ++x) {
            const QRgb p = fa.pixel(x, y), q = fb.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * fa.width() * fa.height());
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void toolbarImage_data();
    void toolbarImage();
    void applicationIcon();
    void everyImageIsCompiledIn();
    void themeIcon_data();
    void themeIcon();
    void scalableThemeIconIsTheApplicationIcon();
};

void TestResources::toolbarImage_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    // The toolbar shows each picture at its own size, so the sizes are part
    // of the layout.
    const struct {
        int index;
        const char* name;
        int width, height;
    } images[] = {
        {0, "open", 16, 16},    {1, "save", 17, 17}, {2, "saveas", 16, 16}, {8, "new", 16, 15},
        {3, "preview", 16, 16}, {4, "code", 16, 16}, {5, "copy", 16, 16},   {10, "script", 16, 16},
        {9, "update", 16, 16},  {6, "info", 16, 16}, {7, "exit", 24, 24},
    };
    for (const auto& image : images) {
        const QString name = QString::fromLatin1(image.name);
        QTest::addRow("%d %s", image.index, image.name)
            << u":/images/toolbar/%1.svg"_s.arg(name) << QSize(image.width, image.height);
    }
}

void TestResources::toolbarImage() {
    QFETCH(QString, path);
    QFETCH(QSize, size);

    QVERIFY2(QFile::exists(path), qPrintable(path));
    LoadedSvg svg(path);
    QVERIFY(svg.renderer.isValid());
    QCOMPARE(svg.warnings, QStringList());
    QCOMPARE(svg.renderer.defaultSize(), size);
    QCOMPARE(svg.renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(size)));

    // Drawn, and not a speck or a filled rectangle.
    const double share = opaqueShare(render(svg.renderer, size));
    QVERIFY2(share > 0.2 && share < 0.98, qPrintable(QString::number(share)));

    // The program shows the copies rendered at build time, at the picture's
    // size and twice that: they are the drawing, not an older one.
    for (int scale : {1, 2}) {
        const QString png = QString(path).replace(u".svg"_s, scale == 1 ? u".png"_s : u"@2x.png"_s);
        QImage rendered(png);
        QCOMPARE(rendered.size(), size * scale);
        QCOMPARE(rendered.devicePixelRatio(), qreal(scale)); // "@2x" is read as such
        rendered.setDevicePixelRatio(1);
        QCOMPARE(meanDifference(rendered.convertToFormat(QImage::Format_ARGB32),
                                render(svg.renderer, size * scale)),
                 0.0);
    }
}

void TestResources::applicationIcon() {
    const QString path = u":/images/veltrano.svg"_s;
    QVERIFY(QFile::exists(path));
    LoadedSvg svg(path);
    QVERIFY(svg.renderer.isValid());
    QCOMPARE(svg.warnings, QStringList());
    const QRectF box = svg.renderer.viewBoxF();
    QCOMPARE(box.width(), box.height());
    QVERIFY(box.width() >= 64);

    for (int side : {16, 256}) {
        const double share = opaqueShare(render(svg.renderer, QSize(side, side)));
        QVERIFY2(share > 0.5, qPrintable(u"%1 px: %2"_s.arg(side).arg(share)));
    }
    // The window shows the copies rendered at build time.
    for (int side : {16, 24, 32, 48, 64}) {
        const QImage rendered(u":/images/veltrano-%1.png"_s.arg(side));
        QCOMPARE(rendered.size(), QSize(side, side));
        QCOMPARE(meanDifference(rendered.convertToFormat(QImage::Format_ARGB32),
                                render(svg.renderer, QSize(side, side))),
                 0.0);
    }
}

// An image added to resources/images but not to resources.qrc would be
// missing from the program without any build error.
void TestResources::everyImageIsCompiledIn() {
    QDirIterator it(sourceDir + u"/images"_s, {u"*.svg"_s, u"*.png"_s}, QDir::Files,
                    QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString file = it.next();
        const QString resource = u":"_s + file.mid(sourceDir.size());
        QVERIFY2(QFile::exists(resource), qPrintable(resource));
        ++count;
    }
    QCOMPARE(count, 12);
}

void TestResources::themeIcon_data() {
    QTest::addColumn<int>("side");
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", side, side) << side;
}

// The PNG copies are rendered by resources/render-icons.sh and committed; they
// must match the current drawing, or the menu shows an older icon than the
// window.
void TestResources::themeIcon() {
    QFETCH(int, side);
    const QString path =
        sourceDir + u"/icons/hicolor/%1x%1/apps/org.example.Veltrano.png"_s.arg(side);
    QImage png(path);
    QVERIFY2(!png.isNull(), qPrintable(path));
    QCOMPARE(png.size(), QSize(side, side));

    QSvgRenderer renderer(u":/images/veltrano.svg"_s);
    const QImage expected = render(renderer, QSize(side, side));
    const double difference = meanDifference(png.convertToFormat(QImage::Format_ARGB32), expected);
    QVERIFY2(difference < 12, qPrintable(QString::number(difference)));
}

void TestResources::scalableThemeIconIsTheApplicationIcon() {
    QFile scalable(sourceDir + u"/icons/hicolor/scalable/apps/org.example.Veltrano.svg"_s);
    QFile own(u":/images/veltrano.svg"_s);
    QVERIFY(scalable.open(QIODevice::ReadOnly));
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(scalable.readAll(), own.readAll());
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
