#include "core/vberror.h"
#include "platform/qtfilesystem.h"
#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The error number a call throws, or 0 when it succeeds.
template <typename F> int errorOf(F&& call) {
    try {
        call();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestQtFileSystem : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsEveryByte();
    void rewriteKeepsPermissions();
    void readErrors_data();
    void readErrors();
    void writeErrorsKeepOldFile_data();
    void writeErrorsKeepOldFile();
    void diskFullKeepsOldFile();
    void existence_data();
    void existence();
    void makePath();

private:
    QTemporaryDir m_dir;
};

void TestQtFileSystem::roundTripKeepsEveryByte() {
    QtFileSystem fs;
    const QString path = m_dir.filePath(u"round.msg"_s);
    const QByteArray bytes("  0 \r\n Titel\r\n\xe4\xf6\xfc\x00\xff\r\nend", 25);
    fs.writeAtomically(path, bytes);
    QCOMPARE(fs.read(path, 1 << 20), bytes);
    QCOMPARE(fs.read(path, 4), bytes.left(4)); // never more than asked for
    fs.writeAtomically(path, "kurz");
    QCOMPARE(fs.read(path, 1 << 20), QByteArray("kurz"));
    fs.writeAtomically(path, QByteArray());
    QCOMPARE(fs.read(path, 1 << 20), QByteArray());
}

void TestQtFileSystem::rewriteKeepsPermissions() {
    QtFileSystem fs;
    const QString path = m_dir.filePath(u"private.msg"_s);
    put(path, "old");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    fs.writeAtomically(path, "new");
    QCOMPARE(contents(path), QByteArray("new"));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
}

void TestQtFileSystem::readErrors_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << u""_s << u"missing.msg"_s << 53;
    QTest::newRow("missing folder") << u""_s << u"gone/file.msg"_s << 76;
    QTest::newRow("folder under a file") << u"file"_s << u"plain/file.msg"_s << 76;
    QTest::newRow("a folder") << u"folder"_s << u"sub"_s << 75;
    QTest::newRow("empty name") << u""_s << QString() << 75;
    QTest::newRow("unreadable") << u"unreadable"_s << u"locked.msg"_s << 70;
    // Refused without waiting for a writer or reading without end.
    QTest::newRow("named pipe") << u"fifo"_s << u"pipe.msg"_s << 75;
    QTest::newRow("device") << u""_s << u"/dev/zero"_s << 75;
}

void TestQtFileSystem::readErrors() {
    QFETCH(QString, setup);
    QFETCH(QString, name);
    QFETCH(int, error);
    ReachableDir dir;
    VELTRANO_REQUIRE_REACHABLE(dir);
    if (setup == u"file")
        put(dir.filePath(u"plain"_s), "x");
    if (setup == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    Unprivileged user(dir.path());
    if (setup == u"fifo")
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(name)).constData(), 0600), 0);
    if (setup == u"unreadable") {
        put(dir.filePath(name), "secret");
        QVERIFY(QFile::setPermissions(dir.filePath(name), QFile::WriteOwner));
    }
    QtFileSystem fs;
    const QString path = name.isEmpty() ? QString() : QDir(dir.path()).filePath(name);
    QCOMPARE(errorOf([&] { fs.read(path, 1 << 20); }), error);
}

void TestQtFileSystem::writeErrorsKeepOldFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("folder gone") << u"gone"_s << 76;
    QTest::newRow("target is a folder") << u"folder"_s << 75;
    QTest::newRow("read-only folder") << u"readonly folder"_s << 70;
    QTest::newRow("write-protected file") << u"readonly file"_s << 70;
}

void TestQtFileSystem::writeErrorsKeepOldFile() {
    QFETCH(QString, kind);
    QFETCH(int, error);
    ReachableDir dir;
    VELTRANO_REQUIRE_REACHABLE(dir);
    Unprivileged user(dir.path());
    const QString folder = dir.filePath(u"data"_s);
    QVERIFY(QDir().mkpath(folder));
    QString target = folder + u"/def.msg"_s;
    put(target, "old contents");

    if (kind == u"gone") {
        QVERIFY(QDir(folder).removeRecursively());
    } else if (kind == u"folder") {
        target = folder;
    } else if (kind == u"readonly folder") {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else {
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));
    }

    QtFileSystem fs;
    QCOMPARE(errorOf([&] { fs.writeAtomically(target, "new contents"); }), error);
    if (kind != u"gone" && kind != u"folder") {
        QCOMPARE(contents(target), QByteArray("old contents"));
        // No temporary file is left behind either.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Needs a small file system of its own, which only root may mount; it is
// mounted in a private mount namespace so nothing outlives the test.
void TestQtFileSystem::diskFullKeepsOldFile() {
    if (geteuid() != 0)
        QSKIP("mounting a small file system needs root");
    QTemporaryDir dir;
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        QSKIP("no private mount namespace here");
    if (mount("tmpfs", dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("cannot mount a tmpfs here");
    const auto unmount = qScopeGuard([&] { umount(dir.path().toLocal8Bit().constData()); });
    const QString target = dir.filePath(u"def.msg"_s);
    put(target, QByteArray(16 * 1024, 'a'));
    QtFileSystem fs;

    // The disk fills up during the write.
    QCOMPARE(errorOf([&] { fs.writeAtomically(target, QByteArray(256 * 1024, 'b')); }), 61);
    QCOMPARE(contents(target), QByteArray(16 * 1024, 'a'));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // The disk is full before the write: a small file fits the write
    // buffer, and only its flush meets the full disk.
    {
        QFile filler(dir.filePath(u"filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    const QString fresh = dir.filePath(u"b.msg"_s);
    QCOMPARE(errorOf([&] { fs.writeAtomically(fresh, " 0 \r\n 0 \r\n"); }), 61);
    QVERIFY(!QFileInfo::exists(fresh));
    QCOMPARE(errorOf([&] { fs.writeAtomically(target, "kurz"); }), 61);
    QCOMPARE(contents(target), QByteArray(16 * 1024, 'a'));
}

void TestQtFileSystem::existence_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("file");
    QTest::addColumn<bool>("folder");
    QTest::newRow("file") << u"f.msg"_s << true << false;
    QTest::newRow("folder") << u"d"_s << false << true;
    QTest::newRow("folder with slash") << u"d/"_s << false << true;
    QTest::newRow("missing") << u"nothing"_s << false << false;
    QTest::newRow("empty") << QString() << false << false;
}

void TestQtFileSystem::existence() {
    QFETCH(QString, name);
    QFETCH(bool, file);
    QFETCH(bool, folder);
    QTemporaryDir dir;
    put(dir.filePath(u"f.msg"_s), "x");
    QVERIFY(QDir(dir.path()).mkdir(u"d"_s));
    // An empty name must not fall back to the current folder.
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString path = name.isEmpty() ? QString() : dir.path() + u'/' + name;
    QtFileSystem fs;
    QCOMPARE(fs.fileExists(path), file);
    QCOMPARE(fs.dirExists(path), folder);
}

void TestQtFileSystem::makePath() {
    QTemporaryDir dir;
    QtFileSystem fs;
    const QString nested = dir.filePath(u"a/b/Veltrano/"_s);
    QVERIFY(fs.makePath(nested));
    QVERIFY(fs.dirExists(nested));
    QVERIFY(fs.makePath(nested)); // already there
    put(dir.filePath(u"plain"_s), "x");
    QVERIFY(!fs.makePath(dir.filePath(u"plain/sub"_s)));
    QVERIFY(!fs.makePath(QString()));
}

QTEST_GUILESS_MAIN(TestQtFileSystem)
#include "tst_qtfilesystem.moc"
