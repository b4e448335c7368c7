// The data folder dialog as the user sees it: its controls, keys and place,
// and the menu command that opens it.

#include "tests/datafolder/datafolderfixture.h"

class tst_DataFolderDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controls_data();
    void controls();
    void window();
    void tabOrder();
    void captionsFit();
    void enterConfirmsEscapeCancels_data();
    void enterConfirmsEscapeCancels();
    void centredOnParent();
    void menuCommandOpensModalAndReadsAfresh();
};

void tst_DataFolderDialog::initTestCase() {
    // The program shows "Segoe UI" in this font; the captions must fit in it.
    QFont::insertSubstitution(u"Segoe UI"_s, u"Open Sans"_s);
}

void tst_DataFolderDialog::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry"); // in the dialog's client area
    QTest::addColumn<qreal>("pointSize");

    QTest::newRow("frame") << u"fraSpeicherpfad"_s << u"Speicherort für Daten und Einstellungen"_s
                           << QRect(15, 15, 251, 121) << 9.0;
    QTest::newRow("option 0") << u"optSpeicherpfad_0"_s << u"Programmordner"_s
                              << QRect(45, 40, 181, 21) << 9.75;
    QTest::newRow("option 1") << u"optSpeicherpfad_1"_s << u"Eigene Dateien (Standard)"_s
                              << QRect(45, 70, 181, 21) << 9.75;
    QTest::newRow("option 2") << u"optSpeicherpfad_2"_s << u"Gemeinsame Dateien"_s
                              << QRect(45, 100, 181, 21) << 9.75;
    QTest::newRow("OK") << u"cmdOK"_s << u"&OK"_s << QRect(16, 155, 66, 23) << 9.0;
    QTest::newRow("Ordnerpfad") << u"cmdOrdnerpfad"_s << u"&Ordnerpfad"_s << QRect(106, 155, 81, 23)
                                << 9.0;
    QTest::newRow("Exit") << u"cmdExit"_s << u"E&xit"_s << QRect(211, 155, 56, 23) << 9.0;
}

void tst_DataFolderDialog::controls() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(qreal, pointSize);

    FakeServices fake;
    DataFolderDialog dialog(fake.services);
    QWidget* control = dialog.findChild<QWidget*>(name);
    QVERIFY(control);
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        QCOMPARE(frame->title(), caption);
    else
        QCOMPARE(qobject_cast<QAbstractButton*>(control)->text(), caption);
    const QRect inDialog(control->mapTo(&dialog, QPoint(0, 0)), control->size());
    QCOMPARE(inDialog, geometry);
    QCOMPARE(control->font().family(), u"Segoe UI"_s);
    QCOMPARE(control->font().pointSizeF(), pointSize);
    QCOMPARE(control->font().bold(), false);
}

void tst_DataFolderDialog::window() {
    FakeServices fake;
    DataFolderDialog dialog(fake.services);
    QCOMPARE(dialog.windowTitle(), u"Einstellungen"_s);
    QCOMPARE(dialog.size(), QSize(282, 193));
    QCOMPARE(dialog.minimumSize(), QSize(282, 193));
    QCOMPARE(dialog.maximumSize(), QSize(282, 193));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(227, 234, 244));
    QCOMPARE(dialog.font().family(), u"Segoe UI"_s);
    QCOMPARE(dialog.font().pointSizeF(), 9.0);
}

void tst_DataFolderDialog::tabOrder() {
    FakeServices fake;
    DataFolderDialog dialog(fake.services);
    const QStringList expected{u"cmdOK"_s,
                               u"cmdOrdnerpfad"_s,
                               u"cmdExit"_s,
                               u"optSpeicherpfad_0"_s,
                               u"optSpeicherpfad_2"_s,
                               u"optSpeicherpfad_1"_s};
    QStringList order;
    QWidget* w = button(dialog, u"cmdOK"_s);
    for (int i = 0; i < expected.size(); ++i) {
        order << w->objectName();
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
    }
    QCOMPARE(order, expected);
    QCOMPARE(w, button(dialog, u"cmdOK"_s)); // the chain closes
}

void tst_DataFolderDialog::captionsFit() {
    FakeServices fake;
    DataFolderDialog dialog(fake.services);
    for (auto* b : dialog.findChildren<QRadioButton*>()) {
        // The room the style leaves for the text next to the indicator.
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const QRect contents = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
        QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= contents.width(),
                 qPrintable(b->objectName()));
        QVERIFY2(b->fontMetrics().height() <= contents.height(), qPrintable(b->objectName()));
    }
    for (auto* b : dialog.findChildren<QPushButton*>()) {
        // The style's minimum width says nothing about clipping; the text
        // with a margin each side must fit.
        const QString text = QString(b->text()).remove(u'&');
        QVERIFY2(b->fontMetrics().horizontalAdvance(text) + 8 <= b->width(),
                 qPrintable(b->objectName()));
        QVERIFY2(b->fontMetrics().height() + 4 <= b->height(), qPrintable(b->objectName()));
    }
    auto* frame = dialog.findChild<QGroupBox*>();
    QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) + 16 <= frame->width());
}

void tst_DataFolderDialog::enterConfirmsEscapeCancels_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("writes");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted) << 2;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected) << 0;
}

void tst_DataFolderDialog::enterConfirmsEscapeCancels() {
    QFETCH(int, key);
    QFETCH(int, result);
    QFETCH(int, writes);

    FakeServices fake;
    fake.fileSystem.dirs.insert(Own + u'/');
    DataFolderDialog dialog(fake.services);
    QVERIFY(button(dialog, u"cmdOK"_s)->isDefault());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    option(dialog, 0)->setFocus();
    QTest::keyClick(option(dialog, 0), Qt::Key(key));
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
    QCOMPARE(fake.settings.writes.size(), writes);
}

void tst_DataFolderDialog::centredOnParent() {
    FakeServices fake;
    QWidget mainWindow;
    mainWindow.setGeometry(200, 150, 786, 451);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    DataFolderDialog dialog(fake.services, &mainWindow);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint offset = dialog.geometry().center() - mainWindow.geometry().center();
    QVERIFY2(offset.manhattanLength() <= 40,
             qPrintable(u"%1,%2"_s.arg(offset.x()).arg(offset.y())));
    QVERIFY(dialog.isModal() == false); // show() is not modal; the menu command uses exec()
}

void tst_DataFolderDialog::menuCommandOpensModalAndReadsAfresh() {
    FakeServices fake;
    fake.fileSystem.dirs.insert(Documents + u"/Veltrano/"_s);
    QWidget mainWindow;
    mainWindow.resize(786, 451);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    struct Seen {
        bool modal = false;
        QWidget* parent = nullptr;
        int selected = -2;
    } seen;
    auto closeWith = [&seen](const QString& name) {
        QTimer::singleShot(0, [&seen, name] {
            auto* dialog = qobject_cast<DataFolderDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = {dialog->isModal(), dialog->parentWidget(), dialog->selectedIndex()};
            dialog->findChild<QPushButton*>(name)->click();
        });
    };

    closeWith(u"cmdExit"_s);
    showDataFolderDialog(&mainWindow, fake.services);
    QVERIFY(seen.modal);
    QCOMPARE(seen.parent, &mainWindow);
    QCOMPARE(seen.selected, 0);
    QVERIFY(fake.settings.writes.isEmpty());

    fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, u"1"_s);
    closeWith(u"cmdOK"_s);
    showDataFolderDialog(&mainWindow, fake.services);
    QCOMPARE(seen.selected, 1);
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherPfad"_s), Documents + u"/Veltrano/"_s);
    QVERIFY(mainWindow.findChildren<DataFolderDialog*>().isEmpty()); // gone once closed
}

QTEST_MAIN(tst_DataFolderDialog)
#include "tst_datafolderdialog.moc"
