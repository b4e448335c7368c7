// Layout facts of the main window that other code and the user rely on.

#include "fixture.h"

#include "core/optiontables.h"

#include "app/appearance.h"
#include "app/optionbutton.h"
#include "app/toolbarpicture.h"

#include <QAccessible>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {
QRect fromTwips(int left, int top, int width, int height) {
    const auto px = [](int t) { return (t + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}
} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appearance::installFontSubstitutes(); }
    void init() {
        f = std::make_unique<WindowFixture>();
        f->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f->window));
    }
    void cleanup() { f.reset(); }

    void windowFrame() {
        QCOMPARE(f->window.windowTitle(), u"Veltrano"_s);
        QCOMPARE(f->window.centralWidget()->size(), QSize(786, 451));
        const Qt::WindowFlags flags = f->window.windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!f->window.findChild<QStatusBar*>());
        QVERIFY(!f->window.findChild<QToolBar*>());
        QCOMPARE(f->window.centralWidget()->palette().color(QPalette::Window),
                 QColor(227, 234, 244));
        QCOMPARE(f->child(u"txtMessage"_s)->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(f->child(u"txtTitel"_s)->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("rect");
        const QString form = u"centralwidget"_s;
        QTest::newRow("fraIcons") << u"fraIcons"_s << form << fromTwips(150, 600, 990, 5115);
        QTest::newRow("fraButton") << u"fraButton"_s << form << fromTwips(1275, 600, 2415, 5115);
        QTest::newRow("fraMsgText") << u"fraMsgText"_s << form << fromTwips(3825, 600, 7815, 5115);
        QTest::newRow("fraAbfrageCode")
            << u"fraAbfrageCode"_s << form << fromTwips(150, 5775, 4515, 840);
        QTest::newRow("fraDefaultButton")
            << u"fraDefaultButton"_s << form << fromTwips(4800, 5775, 6840, 840);
        QTest::newRow("optIcons 0")
            << u"optIcons_0"_s << u"fraIcons"_s << fromTwips(150, 450, 690, 540);
        QTest::newRow("optIcons 64")
            << u"optIcons_64"_s << u"fraIcons"_s << fromTwips(150, 4275, 690, 615);
        QTest::newRow("optButtons 2")
            << u"optButtons_2"_s << u"fraButton"_s << fromTwips(150, 2010, 2115, 540);
        QTest::newRow("optButtons 5")
            << u"optButtons_5"_s << u"fraButton"_s << fromTwips(150, 4350, 2115, 540);
        QTest::newRow("optDefaultButton 512") << u"optDefaultButton_512"_s << u"fraDefaultButton"_s
                                              << fromTwips(3930, 300, 1650, 390);
        QTest::newRow("cmdHilfeButton")
            << u"cmdHilfeButton"_s << u"fraDefaultButton"_s << fromTwips(5775, 300, 825, 390);
        QTest::newRow("optCode 3") << u"optCode_3"_s << form << fromTwips(3900, 6150, 690, 240);
        QTest::newRow("chkSystemModal")
            << u"chkSystemModal"_s << form << fromTwips(6525, 75, 1545, 240);
        QTest::newRow("txtMessage")
            << u"txtMessage"_s << u"fraMsgText"_s << fromTwips(150, 750, 7515, 4215);
        QTest::newRow("imgButton 7") << u"imgButton_7"_s << form << fromTwips(11100, 0, 360, 360);
    }
    void geometry() {
        QFETCH(QString, name);
        QFETCH(QString, parentName);
        QFETCH(QRect, rect);
        QWidget* w = f->child(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->parentWidget()->objectName(), parentName);
        QCOMPARE(w->geometry(), rect);
    }

    // The constant names are read as data by the handlers: every option of
    // the core's tables is in its group under the id of its index, with the
    // table's caption and constant name.
    void options_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("name");
        QTest::newRow("icons") << int(options::Group::Icons) << u"optIcons"_s;
        QTest::newRow("buttons") << int(options::Group::Buttons) << u"optButtons"_s;
        QTest::newRow("default button")
            << int(options::Group::DefaultButton) << u"optDefaultButton"_s;
        QTest::newRow("code") << int(options::Group::Code) << u"optCode"_s;
    }
    void options() {
        QFETCH(int, group);
        QFETCH(QString, name);
        auto* buttons = f->window.findChild<QButtonGroup*>(name);
        QVERIFY(buttons);
        const auto table = options::table(options::Group(group));
        QCOMPARE(buttons->buttons().size(), qsizetype(table.size()));
        for (const options::Option& option : table) {
            QAbstractButton* button = buttons->button(option.index);
            QVERIFY(button);
            QCOMPARE(button->objectName(), u"%1_%2"_s.arg(name).arg(option.index));
            QCOMPARE(button->toolTip(), option.tooltip);
            QCOMPARE(button->text(), option.caption);
            // The four picture options show the platform's message box icons.
            QCOMPARE(!button->icon().isNull(), option.caption.isEmpty());
        }
    }

    void initialState() {
        QCOMPARE(f->window.findChild<QButtonGroup*>(u"optIcons"_s)->checkedId(), 0);
        QCOMPARE(f->window.findChild<QButtonGroup*>(u"optButtons"_s)->checkedId(), 0);
        QCOMPARE(f->window.findChild<QButtonGroup*>(u"optDefaultButton"_s)->checkedId(), 0);
        QCOMPARE(f->window.findChild<QButtonGroup*>(u"optCode"_s)->checkedId(), 0);
        QVERIFY(f->child(u"optDefaultButton_0"_s)->isVisible());
        QVERIFY(!f->child(u"optDefaultButton_256"_s)->isVisible());
        QVERIFY(!f->child(u"optDefaultButton_512"_s)->isVisible());
        QVERIFY(!f->child(u"cmdHilfeButton"_s)->isVisible());
        QCOMPARE(f->child<QCheckBox>(u"chkHelpButton"_s)->checkState(), Qt::Unchecked);
        QCOMPARE(f->child<QCheckBox>(u"chkSystemModal"_s)->checkState(), Qt::Unchecked);
        QVERIFY(f->child<QLineEdit>(u"txtTitel"_s)->text().isEmpty());
        auto* message = f->child<QPlainTextEdit>(u"txtMessage"_s);
        QVERIFY(message->toPlainText().isEmpty());
        // Both scroll bars stand there from the start, even with no text.
        QVERIFY(message->horizontalScrollBar()->isVisible());
        QVERIFY(message->verticalScrollBar()->isVisible());
        QCOMPARE(f->definition.value(), msgbox::Value());
        f->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
        QCOMPARE(QApplication::focusWidget(), f->child(u"txtTitel"_s));
    }

    // Tab goes through every control that takes the focus exactly once,
    // starting in the title, and Shift+Tab goes the same way back.
    void tabOrder() {
        f->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
        auto walk = [&](Qt::KeyboardModifiers modifiers) {
            QStringList seen;
            for (int i = 0; i < 40; ++i) {
                QWidget* focus = QApplication::focusWidget();
                seen << focus->objectName();
                QTest::keyClick(focus, Qt::Key_Tab, modifiers);
                if (QApplication::focusWidget() == f->child(u"txtTitel"_s))
                    break;
            }
            return seen;
        };
        const QStringList forward = walk({});
        QCOMPARE(forward.mid(0, 2), (QStringList{u"txtTitel"_s, u"txtMessage"_s}));
        QCOMPARE(QSet<QString>(forward.cbegin(), forward.cend()).size(), forward.size());
        QStringList focusable;
        for (QWidget* w : f->window.findChildren<QWidget*>()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
                !qobject_cast<QMenuBar*>(w) && !w->objectName().isEmpty())
                focusable << w->objectName();
        }
        for (const QString& name : focusable)
            QVERIFY2(forward.contains(name), qPrintable(name));
        QStringList backward = walk(Qt::ShiftModifier);
        std::reverse(backward.begin() + 1, backward.end());
        QCOMPARE(backward, forward);
    }

    void toolbar_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("0") << 0 << u" Text öffnen..."_s << fromTwips(225, 75, 240, 240);
        QTest::newRow("1") << 1 << u" Text speichern "_s << fromTwips(705, 75, 255, 255);
        QTest::newRow("2") << 2 << u" Text speichern unter..."_s << fromTwips(1200, 75, 240, 240);
        QTest::newRow("8") << 8 << u" Neues Projekt "_s << fromTwips(1950, 75, 240, 225);
        QTest::newRow("3") << 3 << u" MsgBox Vorschau "_s << fromTwips(2475, 75, 240, 240);
        QTest::newRow("4") << 4 << u" Code anzeigen. "_s << fromTwips(3000, 75, 240, 240);
        QTest::newRow("5") << 5 << u" Code in die Zwischenablage kopieren. "_s
                           << fromTwips(3525, 75, 240, 240);
        QTest::newRow("10") << 10 << u" als VB-Script speichern..."_s
                            << fromTwips(4050, 75, 240, 240);
        QTest::newRow("9") << 9 << u" Update suchen..."_s << fromTwips(10125, 75, 240, 240);
        QTest::newRow("6") << 6 << u" Info anzeigen "_s << fromTwips(10575, 75, 240, 240);
        QTest::newRow("7") << 7 << u" Programm beenden "_s << fromTwips(11100, 0, 360, 360);
    }
    void toolbar() {
        QFETCH(int, index);
        QFETCH(QString, tooltip);
        QFETCH(QRect, rect);
        ToolbarPicture* picture = f->window.toolbarPicture(index);
        QVERIFY(picture);
        QCOMPARE(picture->toolTip(), tooltip);
        QCOMPARE(picture->geometry(), rect);
        QCOMPARE(picture->leftTwips(), rect.x() * 15);
        // The picture is drawn: something in it is not transparent.
        const QImage shot = picture->grab().toImage();
        bool drawn = false;
        for (int y = 0; y < shot.height() && !drawn; ++y)
            for (int x = 0; x < shot.width() && !drawn; ++x)
                drawn =
                    qAlpha(shot.pixel(x, y)) > 0 && shot.pixelColor(x, y) != QColor(227, 234, 244);
        QVERIFY2(drawn, qPrintable(picture->defaultAction()->objectName()));
    }

    void menu_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("Datei") << u"mnuDatei"_s
                               << QStringList{u"mnuNeu|&Neu"_s,
                                              u"mnuLaden|&Laden..."_s,
                                              u"mnuSpeicher|&Speichern"_s,
                                              u"mnuSpeichernUnter|Speichern &unter..."_s,
                                              u"mnuSpeichernVBS|Speichern als VB-Script..."_s,
                                              u"mnuLinieDatei1|"_s,
                                              u"mnuBeenden|&Beenden"_s};
        QTest::newRow("Bearbeiten")
            << u"mnuBearbeiten"_s
            << QStringList{u"mnuKopieren|&Kopieren|Ctrl+C"_s, u"mnuKopierenAls|Kopieren &als"_s,
                           u"mnuQuellcode|&Quellcode"_s, u"mnuVorschau|&Vorschau|F5"_s,
                           u"mnuCodeEinlesen|Code &einlesen...|Ctrl+Shift+V"_s};
        QTest::newRow("Kopieren als")
            << u"mnuKopierenAls"_s
            << QStringList{u"mnuKopierenBasic|&Basic (VB6, VBA, VBScript)"_s,
                           u"mnuKopierenVbNet|&VB.NET|Ctrl+Shift+N"_s,
                           u"mnuKopierenCSharp|&C#|Ctrl+Shift+C"_s,
                           u"mnuKopierenLibreOffice|&LibreOffice Basic"_s,
                           u"mnuKopierenC|C/C++ (&MessageBoxW)"_s,
                           u"mnuKopierenPowerShell|&PowerShell"_s};
        QTest::newRow("Sprache") << u"mnuSprache"_s
                                 << QStringList{
                                        u"mnuSpracheBasic|&Basic (VB6, VBA, VBScript)||checked"_s,
                                        u"mnuSpracheVbNet|&VB.NET"_s, u"mnuSpracheCSharp|&C#"_s,
                                        u"mnuSpracheLibreOffice|&LibreOffice Basic"_s,
                                        u"mnuSpracheC|C/C++ (&MessageBoxW)"_s,
                                        u"mnuSprachePowerShell|&PowerShell"_s};
        QTest::newRow("Optionen")
            << u"mnuOptionen"_s
            << QStringList{
                   u"mnuEinstellungen|&Speicherpfad..."_s, u"mnuSprache|Sp&rache"_s,
                   u"mnuUpdateIE|Update mit IE einspielen||disabled checked"_s,
                   u"mnuUpdateCheck|Update-Prüfung beim Programmstart||disabled"_s,
                   u"mnuUpdateCheckAllwaysOff|Update-Prüfung komplett deaktivieren||disabled"_s};
        QTest::newRow("?") << u"mnuFragezeichen"_s
                           << QStringList{u"mnuInfo|&Info"_s,
                                          u"mnuUpdateSuchen|&Update suchen...||disabled"_s,
                                          u"mnuWebsite|&Website aufrufen"_s,
                                          u"mnuProblembericht|&Problembericht senden||disabled"_s};
    }
    void menu() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        auto* m = f->window.findChild<QMenu*>(menu);
        QVERIFY(m);
        QStringList actual;
        for (QAction* a : m->actions()) {
            QString row = a->objectName() + u'|' + a->text();
            QStringList states;
            if (!a->isEnabled())
                states << u"disabled"_s;
            if (a->isChecked())
                states << u"checked"_s;
            // Menus show no pictures, though toolbar commands have them.
            QVERIFY(a->icon().isNull() || !a->isIconVisibleInMenu());
            if (!a->shortcut().isEmpty() || !states.isEmpty())
                row += u'|' + a->shortcut().toString(QKeySequence::PortableText);
            if (!states.isEmpty())
                row += u'|' + states.join(u' ');
            actual << row;
        }
        QCOMPARE(actual, items);
        const QStringList topLevel = {u"&Datei"_s, u"&Bearbeiten"_s, u"&Optionen"_s, u"?"_s};
        QStringList titles;
        for (QAction* a : f->window.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, topLevel);
    }

    // Every caption must be readable: wrapped where needed, never cut off.
    void captionsFit_data() {
        QTest::addColumn<int>("buttonSet");
        for (int set = 0; set <= 5; ++set)
            QTest::newRow(qPrintable(QString::number(set))) << set;
    }
    void captionsFit() {
        QFETCH(int, buttonSet);
        f->definition.selectButtons(buttonSet);
        const QList<OptionButton*> buttons = f->window.findChildren<OptionButton*>();
        QVERIFY(buttons.size() >= 14);
        for (OptionButton* b : buttons) {
            if (b->text().isEmpty() || !b->isVisible())
                continue;
            const QRect area = b->captionRect();
            const QRect needed =
                b->fontMetrics().boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, b->text());
            QVERIFY2(area.contains(needed), qPrintable(b->objectName() + u' ' + b->text()));
        }
        const QFontMetrics metrics = f->child(u"optButtons_2"_s)->fontMetrics();
        QVERIFY2(metrics.horizontalAdvance(u"Abbruch, Wiederholen, Ignorieren"_s) > 141,
                 "the long caption is expected to need two lines");
    }

    // What a screen reader is told of a control.
    void accessible_data() {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        const auto option = QAccessible::RadioButton;
        QTest::newRow("Ohne") << u"optIcons_0"_s << option << u"Ohne"_s << u"Kein Icon"_s;
        QTest::newRow("16") << u"optIcons_16"_s << option << u"Kritisch"_s << u"vbCritical"_s;
        QTest::newRow("32") << u"optIcons_32"_s << option << u"Frage"_s << u"vbQuestion"_s;
        QTest::newRow("48") << u"optIcons_48"_s << option << u"Ausrufezeichen"_s
                            << u"vbExclamation"_s;
        QTest::newRow("64") << u"optIcons_64"_s << option << u"Information"_s << u"vbInformation"_s;
        QTest::newRow("button set")
            << u"optButtons_1"_s << option << u"OK Abbrechen"_s << u"vbOKCancel"_s;
        QTest::newRow("default button") << u"optDefaultButton_0"_s << option
                                        << u"Standard-Button Ok"_s << u"vbDefaultButton1"_s;
        QTest::newRow("code style")
            << u"optCode_2"_s << option << u"einfach"_s << u"Einfacher Code"_s;
        QTest::newRow("title") << u"txtTitel"_s << QAccessible::EditableText << u"Titel"_s
                               << u"Titel des Meldungsfelds"_s;
        QTest::newRow("message") << u"txtMessage"_s << QAccessible::EditableText << u"Message"_s
                                 << u"Text des Meldungsfelds, auch mehrzeilig"_s;
        QTest::newRow("check box")
            << u"chkSystemModal"_s << QAccessible::CheckBox << u"SystemModal"_s
            << u"An das System gebundenes Meldungsfeld."_s;
        QTest::newRow("picture 0")
            << u"imgButton_0"_s << QAccessible::Button << u"Laden..."_s << u"Text öffnen..."_s;
        QTest::newRow("picture 10")
            << u"imgButton_10"_s << QAccessible::Button << u"Speichern als VB-Script..."_s
            << u"als VB-Script speichern..."_s;
        QTest::newRow("picture 7")
            << u"imgButton_7"_s << QAccessible::Button << u"Beenden"_s << u"Programm beenden"_s;
    }
    void accessible() {
        QFETCH(QString, widget);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(f->child(widget));
        QVERIFY(control);
        QCOMPARE(control->role(), role);
        QCOMPARE(control->text(QAccessible::Name), name);
        QCOMPARE(control->text(QAccessible::Description).trimmed(), description);
    }

    // For every button set: each control that takes the focus or a click
    // has a name of its own, and each option group reports exactly one
    // chosen option. A screen reader's press chooses an option or runs a
    // picture's command.
    void everyControlIsNamed_data() { captionsFit_data(); }
    void everyControlIsNamed() {
        QFETCH(int, buttonSet);
        f->definition.selectButtons(buttonSet);
        f->definition.selectIcon(48);
        QMap<QString, QString> names; // name -> widget
        for (QWidget* w : f->window.findChildren<QWidget*>()) {
            if (!w->isVisible() || w->objectName().isEmpty() ||
                !((w->focusPolicy() & Qt::TabFocus) || qobject_cast<ToolbarPicture*>(w)))
                continue;
            QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
            QVERIFY(control);
            const QString name = control->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!names.contains(name),
                     qPrintable(name + u": "_s + names.value(name) + u", "_s + w->objectName()));
            names.insert(name, w->objectName());
        }
        QVERIFY(names.size() >= 30);
        for (const QString& group :
             {u"optIcons"_s, u"optButtons"_s, u"optDefaultButton"_s, u"optCode"_s}) {
            int chosen = 0;
            for (QAbstractButton* b : f->window.findChild<QButtonGroup*>(group)->buttons()) {
                const QAccessibleInterface* option = QAccessible::queryAccessibleInterface(b);
                QCOMPARE(option->role(), QAccessible::RadioButton);
                QVERIFY(option->state().checkable);
                chosen += option->state().checked ? 1 : 0;
            }
            QCOMPARE(chosen, 1);
        }

        QAccessibleInterface* critical =
            QAccessible::queryAccessibleInterface(f->child(u"optIcons_16"_s));
        critical->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f->definition.value().icon, msgbox::Icon::Critical);
        QAccessibleInterface* copy =
            QAccessible::queryAccessibleInterface(f->child(u"imgButton_5"_s));
        copy->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(f->fakes.clipboard.text.contains(u"vbCritical"_s));
    }

private:
    std::unique_ptr<WindowFixture> f;
};

QTEST_MAIN(TestLayout)
#include "tst_mainwindow_layout.moc"
