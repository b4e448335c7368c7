#include "datafolder/datafolderdialog.h"
#include "platform/fakes/fakes.h"
#include "platform/qtfilesystem.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

const QString Message = u"Der Ordner konnte nicht erstellt werden!\r\n"
                        u"Bitte prüfen Sie ob Sie dazu ausreichende Rechte besitzen.\r\n\r\n"_s;
const QString Documents = u"/home/user/Dokumente"_s;
const QString Shared = u"/home/user/Öffentlich"_s;
const QString Own = u"/opt/veltrano/bin"_s;

QRadioButton* option(QDialog& dialog, int index) {
    return dialog.findChild<QRadioButton*>(u"optSpeicherpfad_%1"_s.arg(index));
}

QPushButton* button(QDialog& dialog, const QString& name) {
    return dialog.findChild<QPushButton*>(name);
}

// The program's own file system on real folders, counting the creations.
class DiskFileSystem : public QtFileSystem {
public:
    bool makePath(const QString& path) override {
        ++makePathCalls;
        return QtFileSystem::makePath(path);
    }
    int makePathCalls = 0;
};

} // namespace

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

    void opening_data();
    void opening();
    void optionClick_data();
    void optionClick();
    void folderPathBox();
    void exitKeepsPathStoresNothing();
    void okStores_data();
    void okStores();
    void okCreatesMissingParents();
    void okFolderCannotBeCreated();
    void okFolderCannotBeCreatedOnDisk();
    void restartNotice_data();
    void restartNotice();
    void secondOkWhileCreatingIsIgnored();
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

void tst_DataFolderDialog::opening_data() {
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("path");

    const QString before = u"Veltrano/"_s;
    QTest::newRow("nothing stored") << QString() << 0 << Own + u'/';
    QTest::newRow("0") << u"0"_s << 0 << Own + u'/';
    QTest::newRow("1 (first start)") << u"1"_s << 1 << Documents + u"/Veltrano/"_s;
    QTest::newRow("2") << u"2"_s << 2 << Shared + u"/Veltrano/"_s;
    QTest::newRow("blanks around") << u" 2 "_s << 2 << Shared + u"/Veltrano/"_s;
    QTest::newRow("fraction rounds half to even") << u"1.5"_s << 2 << Shared + u"/Veltrano/"_s;
    QTest::newRow("3 selects nothing") << u"3"_s << -1 << before;
    QTest::newRow("-1 selects nothing") << u"-1"_s << -1 << before;
    QTest::newRow("not a number") << u"abc"_s << -1 << before;
    QTest::newRow("empty") << u""_s << -1 << before;
    QTest::newRow("beyond 16 bits") << u"65537"_s << -1 << before;
}

void tst_DataFolderDialog::opening() {
    QFETCH(QString, stored);
    QFETCH(int, selected);
    QFETCH(QString, path);

    FakeServices fake;
    fake.session.dataFolderPath = u"Veltrano/"_s;
    if (!stored.isNull())
        fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, stored);
    DataFolderDialog dialog(fake.services);
    QCOMPARE(dialog.selectedIndex(), selected);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(option(dialog, i)->isChecked(), i == selected);
    QCOMPARE(fake.session.dataFolderPath, path);
    QVERIFY(fake.settings.writes.isEmpty());
    QVERIFY(fake.messageBox.shown.isEmpty());
}

void tst_DataFolderDialog::optionClick_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("shared");
    QTest::addColumn<QString>("path");

    QTest::newRow("own folder") << 0 << Documents << Shared << Own + u'/';
    QTest::newRow("documents") << 1 << Documents << Shared << Documents + u"/Veltrano/"_s;
    QTest::newRow("shared") << 2 << Documents << Shared << Shared + u"/Veltrano/"_s;
    QTest::newRow("documents unknown") << 1 << QString() << Shared << u"/Veltrano/"_s;
    QTest::newRow("shared unknown") << 2 << Documents << QString() << u"/Veltrano/"_s;
}

void tst_DataFolderDialog::optionClick() {
    QFETCH(int, index);
    QFETCH(QString, documents);
    QFETCH(QString, shared);
    QFETCH(QString, path);

    FakeServices fake;
    fake.specialFolders.folders = {{5, documents}, {46, shared}};
    fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, u"9"_s);
    DataFolderDialog dialog(fake.services);
    fake.session.dataFolderPath = u"before/"_s;
    option(dialog, index)->click();
    QCOMPARE(dialog.selectedIndex(), index);
    QCOMPARE(fake.session.dataFolderPath, path);
}

void tst_DataFolderDialog::folderPathBox() {
    FakeServices fake;
    fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, u"1"_s);
    DataFolderDialog dialog(fake.services);
    button(dialog, u"cmdOrdnerpfad"_s)->click();
    QCOMPARE(fake.messageBox.shown.size(), 1);
    QCOMPARE(fake.messageBox.shown[0].text, Documents + u"/Veltrano/"_s);
    QCOMPARE(fake.messageBox.shown[0].style, 64);
    QCOMPARE(fake.messageBox.shown[0].title, u"Ordnerpfad"_s);
    QVERIFY(fake.settings.writes.isEmpty());
}

void tst_DataFolderDialog::exitKeepsPathStoresNothing() {
    FakeServices fake;
    DataFolderDialog dialog(fake.services);
    option(dialog, 2)->click();
    button(dialog, u"cmdExit"_s)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(fake.session.dataFolderPath, Shared + u"/Veltrano/"_s);
    QVERIFY(fake.settings.writes.isEmpty());
    QVERIFY(fake.fileSystem.dirs.isEmpty()); // nothing created either
}

void tst_DataFolderDialog::okStores_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("click"); // -1: no click
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("index");

    QTest::newRow("existing documents folder")
        << u"1"_s << -1 << true << Documents + u"/Veltrano/"_s << u"1"_s;
    QTest::newRow("folder created")
        << u"1"_s << -1 << false << Documents + u"/Veltrano/"_s << u"1"_s;
    QTest::newRow("changed to own folder") << u"1"_s << 0 << true << Own + u'/' << u"0"_s;
    QTest::newRow("changed to shared")
        << u"0"_s << 2 << false << Shared + u"/Veltrano/"_s << u"2"_s;
    // Nothing selected: the index stored is 0, the path stays what it was.
    QTest::newRow("none selected") << u"5"_s << -1 << false << u"Veltrano/"_s << u"0"_s;
}

void tst_DataFolderDialog::okStores() {
    QFETCH(QString, stored);
    QFETCH(int, click);
    QFETCH(bool, exists);
    QFETCH(QString, path);
    QFETCH(QString, index);

    FakeServices fake;
    fake.session.dataFolderPath = u"Veltrano/"_s;
    fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, stored);
    if (exists)
        fake.fileSystem.dirs.insert(path);
    DataFolderDialog dialog(fake.services);
    if (click >= 0)
        option(dialog, click)->click();
    button(dialog, u"cmdOK"_s)->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(fake.session.dataFolderPath, path);
    QVERIFY(fake.fileSystem.dirs.contains(path));
    QCOMPARE(fake.settings.writes,
             (QStringList{u"EinstellungSpeicherPfad"_s, u"EinstellungSpeicherOrt"_s}));
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherPfad"_s), path);
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherOrt"_s), index);
    QVERIFY(fake.settings.flushes >= 1);
    QVERIFY(fake.messageBox.shown.isEmpty());
    QVERIFY(fake.fileSystem.files.isEmpty()); // no files copied
}

void tst_DataFolderDialog::okCreatesMissingParents() {
    QTemporaryDir home;
    QVERIFY(home.isValid());
    FakeServices fake;
    DiskFileSystem disk;
    fake.specialFolders.folders[5] = home.filePath(u"Dokumente"_s); // not there yet
    Services services{
        fake.messageBox, fake.appSettings, fake.clipboard,      fake.fileDialogs, disk,
        fake.shell,      fake.appFacts,    fake.specialFolders, fake.session};
    fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, u"1"_s);
    DataFolderDialog dialog(services);
    button(dialog, u"cmdOK"_s)->click();

    const QString expected = home.filePath(u"Dokumente/Veltrano"_s) + u'/';
    QCOMPARE(fake.session.dataFolderPath, expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(disk.makePathCalls, 1);
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherPfad"_s), expected);
    QVERIFY(fake.messageBox.shown.isEmpty());

    // An existing folder is left as it is.
    DataFolderDialog again(services);
    button(again, u"cmdOK"_s)->click();
    QCOMPARE(disk.makePathCalls, 1);
}

void tst_DataFolderDialog::okFolderCannotBeCreated() {
    FakeServices fake;
    const QString wanted = Documents + u"/Veltrano/"_s;
    fake.fileSystem.failMakePath.insert(wanted);
    fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, u"1"_s);
    DataFolderDialog dialog(fake.services);
    button(dialog, u"cmdOK"_s)->click();

    QCOMPARE(fake.messageBox.shown.size(), 1);
    QCOMPARE(fake.messageBox.shown[0].text, Message + wanted);
    QCOMPARE(fake.messageBox.shown[0].style, 16);
    QCOMPARE(fake.messageBox.shown[0].title, u"Sicherheitshinweis"_s);
    QCOMPARE(fake.session.dataFolderPath, Own + u'/');
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherPfad"_s), Own + u'/');
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherOrt"_s), u"1"_s);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The next opening works from the stored choice again.
    DataFolderDialog next(fake.services);
    QCOMPARE(next.selectedIndex(), 1);
    QCOMPARE(fake.session.dataFolderPath, wanted);
}

void tst_DataFolderDialog::okFolderCannotBeCreatedOnDisk() {
    // A file where a parent folder should be stops the creation for every
    // user, the super-user included.
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString blocker = home.filePath(u"Gemeinsam"_s);
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    FakeServices fake;
    DiskFileSystem disk;
    fake.specialFolders.folders[46] = blocker;
    Services services{
        fake.messageBox, fake.appSettings, fake.clipboard,      fake.fileDialogs, disk,
        fake.shell,      fake.appFacts,    fake.specialFolders, fake.session};
    fake.settings.values.insert(u"EinstellungSpeicherOrt"_s, u"2"_s);
    DataFolderDialog dialog(services);
    button(dialog, u"cmdOK"_s)->click();

    QCOMPARE(fake.messageBox.shown.size(), 1);
    QCOMPARE(fake.messageBox.shown[0].text, Message + blocker + u"/Veltrano/"_s);
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherPfad"_s), Own + u'/');
    QCOMPARE(fake.settings.values.value(u"EinstellungSpeicherOrt"_s), u"2"_s);
    QVERIFY(QFileInfo(blocker).isFile());
}

void tst_DataFolderDialog::restartNotice_data() {
    QTest::addColumn<QString>("firstStart"); // null: absent
    QTest::addColumn<bool>("notice");
    QTest::newRow("absent") << QString() << false;
    QTest::newRow("False") << u"False"_s << false;
    QTest::newRow("True") << u"True"_s << true;
    QTest::newRow("true") << u"true"_s << false;
    QTest::newRow("TRUE") << u"TRUE"_s << false;
}

void tst_DataFolderDialog::restartNotice() {
    QFETCH(QString, firstStart);
    QFETCH(bool, notice);

    FakeServices fake;
    fake.fileSystem.dirs.insert(Own + u'/');
    if (!firstStart.isNull())
        fake.settings.values.insert(u"FirstStart"_s, firstStart);
    DataFolderDialog dialog(fake.services);
    button(dialog, u"cmdOK"_s)->click();

    QCOMPARE(fake.messageBox.shown.size(), notice ? 1 : 0);
    if (notice) {
        QCOMPARE(fake.messageBox.shown[0].text,
                 u"Starten Sie das Programm neu, damit die Einstellungen wirksam werden!"_s);
        QCOMPARE(fake.messageBox.shown[0].style, 64);
        QCOMPARE(fake.messageBox.shown[0].title, u"Neustart"_s);
    }
    QVERIFY(!fake.settings.writes.contains(u"FirstStart"_s));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

// The folder creation lets pending events run; a second press of OK waiting
// among them must not store or close a second time.
void tst_DataFolderDialog::secondOkWhileCreatingIsIgnored() {
    class PressingFileSystem : public FakeFileSystem {
    public:
        bool makePath(const QString& path) override {
            QMetaObject::invokeMethod(ok, &QPushButton::click, Qt::QueuedConnection);
            return FakeFileSystem::makePath(path);
        }
        QPushButton* ok = nullptr;
    };

    FakeServices fake;
    PressingFileSystem fs;
    Services services{fake.messageBox, fake.appSettings, fake.clipboard,      fake.fileDialogs, fs,
                      fake.shell,      fake.appFacts,    fake.specialFolders, fake.session};
    fake.settings.values.insert(u"FirstStart"_s, u"True"_s);
    DataFolderDialog dialog(services);
    fs.ok = button(dialog, u"cmdOK"_s);
    fs.ok->click();
    QCoreApplication::processEvents();

    QCOMPARE(fake.settings.writes.size(), 2);
    QCOMPARE(fake.messageBox.shown.size(), 1); // one restart notice
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
