#include "platform/qtsettingsstore.h"
#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

const QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                   QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestQtSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void userFileLocation();
    void roundTrip_data();
    void roundTrip();
    void absentKeyGivesDefault();
    void handWrittenList();
    void privateToTheUser();
    void garbageGivesDefaults_data();
    void garbageGivesDefaults();
    void unreadableFile();
    void failedFlushKeepsOldFileAndRetries();
};

void TestQtSettingsStore::userFileLocation() {
    QtSettingsStore store;
    // The test runs with a configuration folder of its own.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!config.isEmpty());
    QCOMPARE(store.filePath(), config + u"/Veltrano/Veltrano.conf"_s);
    store.write(u"FirstStart"_s, u"True"_s);
    QVERIFY(store.flush());
    QVERIFY(contents(store.filePath()).contains("[Options]"));
    QVERIFY(QFile::remove(store.filePath()));
}

void TestQtSettingsStore::roundTrip_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("number") << u"1500"_s;
    QTest::newRow("decimal comma") << u"1,5"_s;
    QTest::newRow("list-like") << u"a, b, c"_s;
    QTest::newRow("semicolon") << u"a;b"_s;
    QTest::newRow("blanks kept") << u"  two blanks  "_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("backslashes") << u"C:\\Daten\\Veltrano\\"_s;
    QTest::newRow("path") << u"/home/ä ö/Veltrano/"_s;
    QTest::newRow("equals and section") << u"[Options]\nx=1"_s;
    QTest::newRow("line breaks") << u"eins\r\nzwei\rdrei"_s;
    QTest::newRow("quotes") << u"\"quoted\""_s;
    QTest::newRow("variant-like") << u"@Variant(\\0\\0\\0\\x7f)"_s;
    QTest::newRow("byte-array-like") << u"@ByteArray(abc)"_s;
    QTest::newRow("comment-like") << u"# not a comment"_s;
}

void TestQtSettingsStore::roundTrip() {
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Veltrano/Veltrano.conf"_s);
    {
        QtSettingsStore store(path);
        store.write(u"EinstellungSpeicherPfad"_s, value);
        QCOMPARE(store.read(u"EinstellungSpeicherPfad"_s, u"-"_s), value);
        QVERIFY(store.flush());
    }
    QtSettingsStore again(path);
    QCOMPARE(again.read(u"EinstellungSpeicherPfad"_s, u"-"_s), value);
}

void TestQtSettingsStore::absentKeyGivesDefault() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Veltrano.conf"_s);
    put(path, "[Options]\nFirstStart=True\n[Other]\nExtension=3\n");
    QtSettingsStore store(path);
    QCOMPARE(store.read(u"FirstStart"_s, u"False"_s), u"True"_s);
    // Only the "Options" section counts.
    QCOMPARE(store.read(u"Extension"_s, u"1"_s), u"1"_s);
    QCOMPARE(store.read(u"frmMsgBoxLeft"_s, u"100"_s), u"100"_s);
}

// A value typed into the file without quotes reads back as its text.
void TestQtSettingsStore::handWrittenList() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Veltrano.conf"_s);
    put(path, "[Options]\nfrmMsgBoxLeft=1,5\n");
    QtSettingsStore store(path);
    QCOMPARE(store.read(u"frmMsgBoxLeft"_s, u"100"_s), u"1,5"_s);
}

void TestQtSettingsStore::privateToTheUser() {
    const mode_t old = umask(022);
    const auto restore = qScopeGuard([old] { umask(old); });
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"config/Veltrano"_s);
    const QString path = folder + u"/Veltrano.conf"_s;

    QtSettingsStore store(path);
    store.write(u"FirstStart"_s, u"True"_s);
    QCOMPARE(QFile::permissions(folder) & kOthers, QFile::Permissions());
    QVERIFY(store.flush());
    QCOMPARE(QFile::permissions(path) & kOthers, QFile::Permissions());

    // A folder and file left readable by an earlier run are made private
    // too; the owner's bits stay as they are.
    QVERIFY(QFile::setPermissions(folder,
                                  QFile::permissions(folder) | QFile::ReadOther | QFile::ExeOther));
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QVERIFY(QFile::setPermissions(path, owner | QFile::ReadOther));
    QtSettingsStore next(path);
    next.write(u"Extension"_s, u"2"_s);
    QVERIFY(next.flush());
    QCOMPARE(QFile::permissions(folder) & kOthers, QFile::Permissions());
    QCOMPARE(QFile::permissions(path) & kOthers, QFile::Permissions());
    QCOMPARE(QFile::permissions(path) & owner, owner);
}

void TestQtSettingsStore::garbageGivesDefaults_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 7919) % 256));
    QTest::newRow("binary") << binary;
    QTest::newRow("broken section") << QByteArray("[Options\n\xff\xfe\x00=\n[\n=True");
    QTest::newRow("bad variant") << QByteArray("[Options]\nFirstStart=@Variant(\\xff\\xff)\n");
    QTest::newRow("only keys") << QByteArray("==\n=\n\\\n\"\n");
}

void TestQtSettingsStore::garbageGivesDefaults() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Veltrano.conf"_s);
    put(path, bytes);
    {
        QtSettingsStore store(path);
        QCOMPARE(store.read(u"FirstStart"_s, u"False"_s), u"False"_s);
        QCOMPARE(store.read(u"frmMsgBoxTop"_s, u"100"_s), u"100"_s);
        // The program goes on, and what it writes now is kept.
        store.write(u"Extension"_s, u"3"_s);
        store.flush();
    }
    QtSettingsStore again(path);
    QCOMPARE(again.read(u"Extension"_s, u"1"_s), u"3"_s);
}

void TestQtSettingsStore::unreadableFile() {
    ReachableDir dir;
    VELTRANO_REQUIRE_REACHABLE(dir);
    Unprivileged user(dir.path());
    if (!Unprivileged::permissionsApply())
        QSKIP("cannot leave root's rights");
    const QString path = dir.filePath(u"Veltrano.conf"_s);
    put(path, "[Options]\nFirstStart=True\nExtension=2\n");
    QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));

    QtSettingsStore store(path);
    QCOMPARE(store.read(u"FirstStart"_s, u"False"_s), u"False"_s);
    store.write(u"Extension"_s, u"3"_s);
    store.flush();
    // What could not be read is not thrown away by the write.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QtSettingsStore again(path);
    QCOMPARE(again.read(u"FirstStart"_s, u"False"_s), u"True"_s);
}

void TestQtSettingsStore::failedFlushKeepsOldFileAndRetries() {
    ReachableDir dir;
    VELTRANO_REQUIRE_REACHABLE(dir);
    Unprivileged user(dir.path());
    if (!Unprivileged::permissionsApply())
        QSKIP("cannot leave root's rights");
    const QString folder = dir.filePath(u"Veltrano"_s);
    const QString path = folder + u"/Veltrano.conf"_s;
    put(path, "[Options]\nExtension=2\n");
    const QByteArray before = contents(path);
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

    QtSettingsStore store(path);
    store.write(u"Extension"_s, u"3"_s);
    QVERIFY(!store.flush());
    QCOMPARE(contents(path), before);
    QCOMPARE(store.read(u"Extension"_s, u"1"_s), u"3"_s);

    // Once the folder can be written again the value still reaches the disk.
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(store.flush());
    QtSettingsStore again(path);
    QCOMPARE(again.read(u"Extension"_s, u"1"_s), u"3"_s);
}

QTEST_GUILESS_MAIN(TestQtSettingsStore)
#include "tst_qtsettingsstore.moc"
