// Layout facts of the main window that other code and the user rely on.

#include "fixture.h"

#include "app/appearance.h"
#include "app/optionbutton.h"
#include "app/toolbarpicture.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

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

    // The constant names are read as data by the handlers, so every option
    // must carry exactly its own.
    void options_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("Ohne") << u"optIcons"_s << 0 << u"Ohne"_s << QString();
        QTest::newRow("vbCritical") << u"optIcons"_s << 16 << QString() << u"vbCritical"_s;
        QTest::newRow("vbQuestion") << u"optIcons"_s << 32 << QString() << u"vbQuestion"_s;
        QTest::newRow("vbExclamation") << u"optIcons"_s << 48 << QString() << u"vbExclamation"_s;
        QTest::newRow("vbInformation") << u"optIcons"_s << 64 << QString() << u"vbInformation"_s;
        QTest::newRow("vbOKOnly") << u"optButtons"_s << 0 << u"OK"_s << u"vbOKOnly"_s;
        QTest::newRow("vbOKCancel") << u"optButtons"_s << 1 << u"OK Abbrechen"_s << u"vbOKCancel"_s;
        QTest::newRow("vbAbortRetryIgnore")
            << u"optButtons"_s << 2 << u"Abbruch, Wiederholen, Ignorieren"_s
            << u"vbAbortRetryIgnore"_s;
        QTest::newRow("vbYesNoCancel")
            << u"optButtons"_s << 3 << u"Ja, Nein, Abbrechen"_s << u"vbYesNoCancel"_s;
        QTest::newRow("vbYesNo") << u"optButtons"_s << 4 << u"Ja, Nein"_s << u"vbYesNo"_s;
        QTest::newRow("vbRetryCancel")
            << u"optButtons"_s << 5 << u"Wiederholen, Abbrechen"_s << u"vbRetryCancel"_s;
        QTest::newRow("vbDefaultButton1")
            << u"optDefaultButton"_s << 0 << u"Ok"_s << u"vbDefaultButton1"_s;
        QTest::newRow("vbDefaultButton2")
            << u"optDefaultButton"_s << 256 << u"2. Button default"_s << u"vbDefaultButton2"_s;
        QTest::newRow("vbDefaultButton3")
            << u"optDefaultButton"_s << 512 << u"3. Button default"_s << u"vbDefaultButton3"_s;
        QTest::newRow("Select Case")
            << u"optCode"_s << 0 << u"Select Case"_s << u" Select Case - Code "_s;
        QTest::newRow("If Then Else")
            << u"optCode"_s << 1 << u"If Then Else"_s << u" If Then Else - Code "_s;
        QTest::newRow("einfach") << u"optCode"_s << 2 << u"einfach"_s << u" Einfacher Code "_s;
        QTest::newRow("VBS") << u"optCode"_s << 3 << u"VBS"_s << u" Code für ein VB-Script "_s;
    }
    void options() {
        QFETCH(QString, group);
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        auto* buttons = f->window.findChild<QButtonGroup*>(group);
        QVERIFY(buttons);
        QAbstractButton* button = buttons->button(index);
        QVERIFY(button);
        QCOMPARE(button->objectName(), u"%1_%2"_s.arg(group).arg(index));
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), tooltip);
        // The four picture options show the platform's message box icons.
        QCOMPARE(!button->icon().isNull(), group == u"optIcons"_s && index != 0);
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
        QCOMPARE(f->definition.state().buttonsName, u"vbOKOnly"_s);
        f->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
        QCOMPARE(QApplication::focusWidget(), f->child(u"txtTitel"_s));
    }

    void tabOrder() {
        const QStringList expected = {
            u"txtTitel"_s,
            u"txtMessage"_s,
            u"optIcons_0"_s,
            u"optIcons_16"_s,
            u"optIcons_32"_s,
            u"optIcons_48"_s,
            u"optIcons_64"_s,
            u"optButtons_0"_s,
            u"optButtons_1"_s,
            u"optButtons_2"_s,
            u"optButtons_3"_s,
            u"optButtons_4"_s,
            u"optButtons_5"_s,
            u"optDefaultButton_0"_s,
            u"optDefaultButton_256"_s,
            u"optDefaultButton_512"_s,
            u"optCode_2"_s,
            u"optCode_1"_s,
            u"optCode_0"_s,
            u"chkHelpButton"_s,
            u"chkSystemModal"_s,
            u"cmdHilfeButton"_s,
            u"optCode_3"_s,
        };
        QStringList chain;
        QWidget* w = f->child(u"txtTitel"_s);
        do {
            if (w->focusPolicy() & Qt::TabFocus && w->window() == &f->window && w != &f->window)
                chain.append(w->objectName());
            w = w->nextInFocusChain();
        } while (w != f->child(u"txtTitel"_s) && chain.size() < 100);
        chain.removeAll(QString());
        QCOMPARE(chain, expected);
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
        ToolbarPicture* picture = f->window.imgButton(index);
        QVERIFY(picture);
        QCOMPARE(picture->index(), index);
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
        QVERIFY2(drawn, qPrintable(picture->source()));
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
            << QStringList{u"mnuKopieren|&Kopieren|Ctrl+C"_s, u"mnuQuellcode|&Quellcode"_s,
                           u"mnuVorschau|&Vorschau|F5"_s};
        QTest::newRow("Optionen")
            << u"mnuOptionen"_s
            << QStringList{
                   u"mnuEinstellungen|&Speicherpfad..."_s,
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

private:
    std::unique_ptr<WindowFixture> f;
};

QTEST_MAIN(TestLayout)
#include "tst_frmmsgbox_layout.moc"
