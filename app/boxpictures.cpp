#include "app/boxpictures.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace boxpictures {

namespace {

struct Picture {
    QStyle::StandardPixmap which;
    const char* resource;  // rendered at build time (resources/renderboxicon.cpp)
    const char* themeName; // as the freedesktop icon naming names it
};

constexpr Picture pictures[] = {
    {QStyle::SP_MessageBoxCritical, "critical", "dialog-error"},
    {QStyle::SP_MessageBoxQuestion, "question", "dialog-question"},
    {QStyle::SP_MessageBoxWarning, "warning", "dialog-warning"},
    {QStyle::SP_MessageBoxInformation, "information", "dialog-information"},
};

const Picture* find(QStyle::StandardPixmap which) {
    for (const Picture& picture : pictures)
        if (picture.which == which)
            return &picture;
    return nullptr;
}

// Qt's own styles take the picture from the icon theme where the theme has
// it, and otherwise draw the one that builtIn() returns.
bool isQtStyle(const QStyle* style) {
    const QString name = style->name();
    return name.compare(u"fusion"_s, Qt::CaseInsensitive) == 0 ||
           name.compare(u"windows"_s, Qt::CaseInsensitive) == 0;
}

// Qt looks for a picture in the icon theme by its name and then by shorter
// names ("dialog-error", "dialog"), so every file it could take starts with
// "dialog". Where no desktop sets an icon theme, Qt's theme is its fallback
// theme alone; its look-up then reads the theme's whole index and tests some
// thousand file names per picture, which a walk through the theme's folders
// and Qt's fallback folders spares when none of them holds such a file.
bool fallbackThemeMayHavePictures() {
    QStringList folders;
    for (const QString& path : QIcon::themeSearchPaths())
        folders.append(path + u'/' + QIcon::fallbackThemeName());
    folders.append(QIcon::fallbackSearchPaths());
    for (const QString& folder : std::as_const(folders)) {
        QDirIterator files(folder, QDir::Files | QDir::System,
                           QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (files.hasNext()) {
            if (files.nextFileInfo().fileName().startsWith(u"dialog"_s))
                return true;
        }
    }
    return false;
}

// Waits for the first paint of the buttons, then lets the style choose.
class StyleFollower : public QObject {
public:
    explicit StyleFollower(
        const QList<std::pair<QAbstractButton*, QStyle::StandardPixmap>>& buttons)
        : QObject(buttons.first().first) {
        for (const auto& [button, which] : buttons) {
            m_buttons.append({button, which});
            button->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_asked) {
            m_asked = true;
            // Runs once this paint has gone to the screen.
            QTimer::singleShot(0, this, &StyleFollower::followStyle);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void followStyle() {
        const QString theme = QIcon::themeName();
        const bool themed = QGuiApplication::desktopSettingsAware() && !theme.isEmpty() &&
                            (theme != QIcon::fallbackThemeName() || fallbackThemeMayHavePictures());
        for (const auto& [button, which] : std::as_const(m_buttons)) {
            if (!button)
                continue;
            button->removeEventFilter(this);
            const Picture* picture = find(which);
            const QStyle* style = button->style();
            if (!picture || !isQtStyle(style) ||
                (themed && QIcon::hasThemeIcon(QLatin1StringView(picture->themeName))))
                button->setIcon(style->standardIcon(which, nullptr, button));
        }
        deleteLater();
    }

    QList<std::pair<QPointer<QAbstractButton>, QStyle::StandardPixmap>> m_buttons;
    bool m_asked = false;
};

} // namespace

QIcon builtIn(QStyle::StandardPixmap which) {
    const Picture* picture = find(which);
    if (!picture)
        return {};
    return QIcon(u":/images/box/%1.png"_s.arg(QLatin1StringView(picture->resource)));
}

void followStyleOnceShown(
    const QList<std::pair<QAbstractButton*, QStyle::StandardPixmap>>& buttons) {
    if (!buttons.isEmpty())
        new StyleFollower(buttons);
}

} // namespace boxpictures

} // namespace veltrano
