// Writes the picture that Qt's style shows for a message box icon when the
// desktop's icon theme has none, at build time, so that the program's first
// paint needs no look-up in the icon theme (see app/boxpictures.cpp).
//
//   veltrano_renderboxicon critical|question|warning|information OUTPUT.png
//
// Runs without a display (QT_QPA_PLATFORM=offscreen) and without desktop
// settings, so no icon theme takes part.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    const struct {
        const char* name;
        QStyle::StandardPixmap pixmap;
    } pictures[] = {
        {"critical", QStyle::SP_MessageBoxCritical},
        {"question", QStyle::SP_MessageBoxQuestion},
        {"warning", QStyle::SP_MessageBoxWarning},
        {"information", QStyle::SP_MessageBoxInformation},
    };
    const QStyle::StandardPixmap* which = nullptr;
    for (const auto& picture : pictures)
        if (argc == 3 && std::strcmp(argv[1], picture.name) == 0)
            which = &picture.pixmap;
    if (!which) {
        std::fputs("usage: veltrano_renderboxicon critical|question|warning|information "
                   "OUTPUT.png\n",
                   stderr);
        return 2;
    }
    QApplication::setDesktopSettingsAware(false);
    QApplication app(argc, argv);
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    // The option buttons show the picture at 32 by 32 pixels.
    const QImage image = style->standardIcon(*which).pixmap(QSize(32, 32)).toImage();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "veltrano_renderboxicon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
