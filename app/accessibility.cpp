#include "app/accessibility.h"

#include "app/optionbutton.h"
#include "app/toolbarpicture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace accessibility {

namespace {

// A caption as it is read out: "&&" stands for "&", a single "&" marks the
// access key and is dropped.
QString withoutAccessKey(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        text += caption[i];
    }
    return text;
}

QString description(const QWidget* widget) {
    const QString own = widget->accessibleDescription();
    return own.isEmpty() ? widget->toolTip().trimmed() : own;
}

// An option of one of the four groups: an exclusive choice, so a radio
// button, though it looks like a push button. Its name is the caption, or
// the accessible name where the caption is a picture.
class OptionButtonInterface : public QAccessibleWidget {
public:
    explicit OptionButtonInterface(OptionButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? withoutAccessKey(button()->text()) : own;
        }
        case QAccessible::Description:
            return description(widget());
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        // Chosen as a click chooses it, so the group's handler runs.
        if (name == pressAction() && widget()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    OptionButton* button() const { return static_cast<OptionButton*>(widget()); }
};

// A toolbar picture: a button that runs the command of its action, named
// as that command is in the menu.
class ToolbarPictureInterface : public QAccessibleWidget {
public:
    explicit ToolbarPictureInterface(ToolbarPicture* picture)
        : QAccessibleWidget(picture, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            if (!own.isEmpty())
                return own;
            const QAction* action = picture()->defaultAction();
            return action ? withoutAccessKey(action->text()) : QString();
        }
        case QAccessible::Description:
            return description(widget());
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled() && picture()->defaultAction())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        QAction* action = picture()->defaultAction();
        if (name == pressAction() && widget()->isEnabled() && action)
            action->trigger();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    ToolbarPicture* picture() const { return static_cast<ToolbarPicture*>(widget()); }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1StringView(OptionButton::staticMetaObject.className())) {
        if (auto* button = qobject_cast<OptionButton*>(object))
            return new OptionButtonInterface(button);
    } else if (className == QLatin1StringView(ToolbarPicture::staticMetaObject.className())) {
        if (auto* picture = qobject_cast<ToolbarPicture*>(object))
            return new ToolbarPictureInterface(picture);
    }
    return nullptr;
}

} // namespace

void installInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(&interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace accessibility

} // namespace veltrano
