// The data folder dialog's choice: what it reads on opening, what each option
// and button does, and what OK stores and creates.

#include "tests/datafolder/datafolderfixture.h"

class tst_DataFolderChoice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
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
};

void tst_DataFolderChoice::initTestCase() {
    // The program shows "Segoe UI" in this font; the captions must fit in it.
    QFont::insertSubstitution(u"Segoe UI"_s, u"Open Sans"_s);
}

void tst_DataFolderChoice::opening_data() {
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

void tst_DataFolderChoice::opening() {
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

void tst_DataFolderChoice::optionClick_data() {
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

void tst_DataFolderChoice::optionClick() {
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

void tst_DataFolderChoice::folderPathBox() {
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

void tst_DataFolderChoice::exitKeepsPathStoresNothing() {
    FakeServices fake;
    DataFolderDialog dialog(fake.services);
    option(dialog, 2)->click();
    button(dialog, u"cmdExit"_s)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(fake.session.dataFolderPath, Shared + u"/Veltrano/"_s);
    QVERIFY(fake.settings.writes.isEmpty());
    QVERIFY(fake.fileSystem.dirs.isEmpty()); // nothing created either
}

void tst_DataFolderChoice::okStores_data() {
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

void tst_DataFolderChoice::okStores() {
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

void tst_DataFolderChoice::okCreatesMissingParents() {
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

void tst_DataFolderChoice::okFolderCannotBeCreated() {
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

void tst_DataFolderChoice::okFolderCannotBeCreatedOnDisk() {
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

void tst_DataFolderChoice::restartNotice_data() {
    QTest::addColumn<QString>("firstStart"); // null: absent
    QTest::addColumn<bool>("notice");
    QTest::newRow("absent") << QString() << false;
    QTest::newRow("False") << u"False"_s << false;
    QTest::newRow("True") << u"True"_s << true;
    QTest::newRow("true") << u"true"_s << false;
    QTest::newRow("TRUE") << u"TRUE"_s << false;
}

void tst_DataFolderChoice::restartNotice() {
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
void tst_DataFolderChoice::secondOkWhileCreatingIsIgnored() {
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

QTEST_MAIN(tst_DataFolderChoice)
#include "tst_datafolderchoice.moc"
