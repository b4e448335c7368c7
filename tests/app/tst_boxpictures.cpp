// The message box pictures of the icon options: the style's own ones from
// the program's resources at first, the icon theme's once the window is up.

#include "app/boxpictures.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

const QList<std::pair<QStyle::StandardPixmap, QString>> boxIcons = {
    {QStyle::SP_MessageBoxCritical, u"dialog-error"_s},
    {QStyle::SP_MessageBoxQuestion, u"dialog-question"_s},
    {QStyle::SP_MessageBoxWarning, u"dialog-warning"_s},
    {QStyle::SP_MessageBoxInformation, u"dialog-information"_s},
};

QImage shown(const QIcon& icon) {
    return icon.pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestBoxPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Icon themes only in folders of this test, under the build folder.
        QVERIFY(m_themes.isValid());
        QIcon::setFallbackSearchPaths({});
        // As on X11 without a desktop (the offscreen platform names none).
        QIcon::setFallbackThemeName(u"hicolor"_s);
    }

    // Without a picture in the theme, the style draws the same picture the
    // build rendered into the resources.
    void builtInIsTheStylesOwn() {
        QIcon::setThemeSearchPaths({m_themes.path() + u"/none"_s});
        for (const auto& [which, name] : boxIcons) {
            const QImage builtIn = shown(boxpictures::builtIn(which));
            QVERIFY2(!builtIn.isNull(), qPrintable(name));
            QCOMPARE(builtIn, shown(qApp->style()->standardIcon(which)));
        }
    }

    void themeReplacesOnlyItsOwn_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<int>("themed"); // index into boxIcons
        // A theme the desktop names, and Qt's fallback theme alone.
        for (const QString& theme : {u"desktop"_s, u"hicolor"_s})
            for (int i = 0; i < boxIcons.size(); ++i)
                QTest::addRow("%s %s", qPrintable(theme), qPrintable(boxIcons[i].second))
                    << theme << i;
    }

    void themeReplacesOnlyItsOwn() {
        QFETCH(QString, theme);
        QFETCH(int, themed);
        const QString root = u"%1/%2-%3"_s.arg(m_themes.path(), theme).arg(themed);
        const QString folder = u"%1/%2/32x32/status"_s.arg(root, theme);
        QVERIFY(QDir().mkpath(folder));
        QFile index(u"%1/%2/index.theme"_s.arg(root, theme));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Test\nDirectories=32x32/status\n\n"
                    "[32x32/status]\nSize=32\nType=Fixed\n");
        index.close();
        QImage own(32, 32, QImage::Format_ARGB32);
        own.fill(Qt::magenta);
        QVERIFY(own.save(u"%1/%2.png"_s.arg(folder, boxIcons[themed].second)));
        QIcon::setThemeSearchPaths({root});
        QIcon::setThemeName(theme);

        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        QList<std::pair<QAbstractButton*, QStyle::StandardPixmap>> buttons;
        for (const auto& [which, name] : boxIcons) {
            auto* button = new QPushButton(&window);
            button->setIcon(boxpictures::builtIn(which));
            button->setIconSize(QSize(32, 32));
            layout->addWidget(button);
            buttons.append({button, which});
        }
        boxpictures::followStyleOnceShown(buttons);
        // Nothing is asked before the first paint.
        QCOMPARE(shown(buttons[themed].first->icon()),
                 shown(boxpictures::builtIn(buttons[themed].second)));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(shown(buttons[themed].first->icon()), own);
        for (int i = 0; i < buttons.size(); ++i) {
            if (i != themed)
                QCOMPARE(shown(buttons[i].first->icon()),
                         shown(boxpictures::builtIn(buttons[i].second)));
        }
    }

private:
    QTemporaryDir m_themes{QDir::currentPath() + u"/themes-XXXXXX"_s};
};

QTEST_MAIN(TestBoxPictures)
#include "tst_boxpictures.moc"
